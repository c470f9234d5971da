#pragma once
#include <QWidget>

class QListView;
class QStringListModel;

// Communication log: one line per socket read, never cleared.
class TFrmhaberlesme : public QWidget {
    Q_OBJECT
public:
    explicit TFrmhaberlesme(QWidget *parent = nullptr);
    // Adds the line for one read: long time, ":   ", the bytes as received.
    void addRead(const QByteArray &bytes);
    // Adds a line of the client's own (input it dropped, say), marked "##".
    void addNote(const QString &text);
    int lineCount() const;
    QString line(int i) const;

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    QListView *m_list;
    QStringListModel *m_model;
};
