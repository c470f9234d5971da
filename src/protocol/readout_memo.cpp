#include "readout_memo.h"

#include "wire.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

ReadoutMemo::ReadoutMemo(QPlainTextEdit *memo) : QObject(memo), m_memo(memo)
{
    // Any change of the memo other than an append (the meter page's reset
    // empties it) is noticed; the index is then rebuilt from the memo.
    connect(memo->document(), &QTextDocument::contentsChange, this, [this](int, int, int) {
        if (!m_writing)
            m_stale = true;
    });
}

ReadoutMemo *ReadoutMemo::of(QPlainTextEdit *memo)
{
    auto *index = memo->findChild<ReadoutMemo *>(QString(), Qt::FindDirectChildrenOnly);
    return index ? index : new ReadoutMemo(memo);
}

QString ReadoutMemo::shownText(QByteArrayView piece, qsizetype column)
{
    // Code page 1254 has its control characters on the control bytes.
    const auto shown = [](char c) { return uchar(c) >= 0x20 || c == '\n' || c == '\t'; };
    // More than the bound and a line break every kMaxLine characters is
    // more than the memo keeps.
    const qsizetype keep = energy::MeterReadout::kLimit;
    qsizetype from = piece.size();
    for (qsizetype kept = 0; from > 0 && kept <= keep; --from)
        kept += shown(piece[from - 1]) ? 1 : 0;
    if (from > 0)
        column = kMaxLine; // the part taken starts a line of its own
    QByteArray b;
    b.reserve(piece.size() - from + (piece.size() - from) / kMaxLine + 1);
    for (const char c : piece.sliced(from)) {
        if (!shown(c))
            continue;
        if (c == '\n') {
            column = 0;
        } else {
            if (column >= kMaxLine) {
                b += '\n';
                column = 0;
            }
            ++column;
        }
        b += c;
    }
    return wire::decode(b);
}

void ReadoutMemo::resync()
{
    m_readout.reset(m_memo->toPlainText());
    const QString &text = m_readout.text();
    m_column = text.size() - 1 - text.lastIndexOf(u'\n');
    m_stale = false;
}

void ReadoutMemo::append(QByteArrayView bytes)
{
    QTextDocument *doc = m_memo->document();
    if (m_stale || doc->characterCount() - 1 != m_readout.size())
        resync();
    const QString piece = shownText(bytes, m_column);
    const qsizetype lineFeed = piece.lastIndexOf(u'\n');
    m_column = lineFeed < 0 ? m_column + piece.size() : piece.size() - 1 - lineFeed;

    m_writing = true;
    // A piece that brings the memo past its bound and alone fills what the
    // memo keeps after the cut leaves nothing of the memo before it: the
    // memo becomes the piece's newest part.
    if (piece.size() >= energy::MeterReadout::kKeep && m_readout.size() + piece.size() > energy::MeterReadout::kLimit) {
        m_memo->setPlainText(piece.right(energy::MeterReadout::kKeep));
        m_writing = false;
        resync();
        return;
    }
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(piece);
    const qsizetype cut = m_readout.append(piece);
    if (cut > 0) {
        cursor.setPosition(0);
        cursor.setPosition(int(cut), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    m_writing = false;
}
