#pragma once
#include <QWidget>

class QListView;
class CommunicationLogModel;

// Communication log: one line per socket read. It keeps the newest lines (see
// CommunicationLogModel for the bounds); a read longer than kShownBytes is
// shown by its beginning and its full size.
class TFrmhaberlesme : public QWidget {
    Q_OBJECT
public:
    static constexpr qsizetype kShownBytes = 1000;

    explicit TFrmhaberlesme(QWidget *parent = nullptr);
    // Adds the line for one read: long time, ":   ", the bytes as received.
    void addRead(const QByteArray &bytes);
    // Adds a line of the client's own (input it dropped, say), marked "##".
    void addNote(const QString &text);
    int lineCount() const;
    QString line(int i) const;
    CommunicationLogModel *model() const { return m_model; }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    QListView *m_list;
    void append(const QString &text);
    CommunicationLogModel *m_model;
};
