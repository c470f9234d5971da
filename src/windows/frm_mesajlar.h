#pragma once
#include <QWidget>

class QListWidget;
class QTextEdit;

// Messages window: the titles of the messages received since start-up and the
// text of the one picked.
class TFrmMesajlar : public QWidget {
    Q_OBJECT
public:
    explicit TFrmMesajlar(QWidget *parent = nullptr);
    QListWidget *list() const { return m_list; }   // RzListBox1
    QTextEdit *textArea() const { return m_text; }  // RichEdit1

private:
    QListWidget *m_list = nullptr;
    QTextEdit *m_text = nullptr;
};
