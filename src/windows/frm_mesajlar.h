#pragma once
#include <QStyledItemDelegate>
#include <QWidget>

class QFrame;
class QListWidget;
class QPushButton;
class QTextEdit;

// Message list entries that begin with "//" are headings: they are drawn
// bold, in the heading colour and without the prefix, which stays in the
// entry's text.
class MessageHeadingDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QString headingPrefix() { return QStringLiteral("//"); }
    static bool isHeading(const QString &text) { return text.startsWith(headingPrefix()); }
    static QColor headingColor() { return {0x40, 0x00, 0x80}; }

    // The option an entry is drawn with: text, font and colours as shown.
    QStyleOptionViewItem shownOption(const QStyleOptionViewItem &base, const QModelIndex &index) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

// Messages window: the titles of the messages received since start-up and the
// text of the one picked. Created once, hidden; "Kapat" only hides it.
//
// newMessagesRequested() is emitted each time the window is shown (not when
// it comes back from being minimised) and on "Yeni Mesajları Kontrol Et"; the
// owner answers it by sending the new-messages request.
class TFrmMesajlar : public QWidget {
    Q_OBJECT
public:
    explicit TFrmMesajlar(QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }              // RzListBox1
    QTextEdit *textArea() const { return m_text; }             // RichEdit1
    QPushButton *closeButton() const { return m_close; }       // BitBtn1 "Kapat"
    QPushButton *checkButton() const { return m_check; }       // BitBtn2 "Yeni Mesajları Kontrol Et"

    static QColor textBackground() { return {0xFF, 0xF2, 0xD2}; }
    static QColor textForeground() { return {0x80, 0x40, 0x00}; }

signals:
    void newMessagesRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QListWidget *m_list = nullptr;
    QTextEdit *m_text = nullptr;
    QFrame *m_panel = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_check = nullptr;
};
