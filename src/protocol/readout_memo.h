#pragma once
// The memo Memo3 of the meter page and the readout index beside it: the
// "sayacal" pieces are appended to both, and the six meter codes are found
// in the index without reading the memo back.
//
// What the memo shows of a piece: its lines end with a line feed; the
// readout's frame bytes (STX, ETX) and other control bytes are not drawn; a
// line longer than kMaxLine characters goes on in a new line (a real
// readout's lines are a few dozen characters; one endless line would have to
// be laid out again for every piece). The memo keeps its newest part within
// the readout's bound.
#include "meter_readout.h"

#include <QByteArrayView>
#include <QObject>

class QPlainTextEdit;

class ReadoutMemo : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxLine = 1024;

    // The memo's own index, made the first time it is asked for.
    static ReadoutMemo *of(QPlainTextEdit *memo);

    const energy::MeterReadout &readout() const { return m_readout; }
    // Appends a piece as it came from the server.
    void append(QByteArrayView piece);

    // What the memo shows of a piece that follows `column` characters of an
    // unfinished line; only the newest part of a piece longer than the
    // memo's bound is taken, as the memo would keep no more of it.
    static QString shownText(QByteArrayView piece, qsizetype column);

private:
    explicit ReadoutMemo(QPlainTextEdit *memo);
    void resync();

    QPlainTextEdit *m_memo;
    energy::MeterReadout m_readout;
    qsizetype m_column = 0; // characters after the memo's last line feed
    bool m_writing = false;
    bool m_stale = true;
};
