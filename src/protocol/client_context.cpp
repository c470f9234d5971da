#include "client_context.h"

#include <QCoreApplication>
#include <QLabel>

namespace {

// The status lines show one line of text: a text of thousands of characters
// (a serial or a date the server made endless) is shown by its beginning,
// since laying out all of it would hold the program for seconds.
constexpr qsizetype kStatusLineChars = 1000;

QString statusLine(const QString &text)
{
    if (text.size() <= kStatusLineChars)
        return text;
    return text.first(kStatusLineChars)
        + QCoreApplication::translate("StatusLine", " … (%1 karakter)").arg(text.size());
}

} // namespace

void ClientContext::setMessage(const QString &text) const
{
    if (messageLine)
        messageLine->setText(statusLine(text));
}

void ClientContext::setOutgoing(const QString &text) const
{
    if (outgoingLine)
        outgoingLine->setText(statusLine(text));
}
