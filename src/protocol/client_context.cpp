#include "client_context.h"

#include <QLabel>

void ClientContext::setMessage(const QString &text) const
{
    if (messageLine)
        messageLine->setText(text);
}

void ClientContext::setOutgoing(const QString &text) const
{
    if (outgoingLine)
        outgoingLine->setText(text);
}
