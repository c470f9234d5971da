// The messages window's actions: asking the server for new messages and
// showing the message picked in the list.
#include "message_commands.h"

#include "client_state.h"
#include "wire.h"

#include <QListWidget>
#include <QTextEdit>

namespace commands {

QByteArray newMessagesRequest(const ClientContext &ctx)
{
    return wire::buildRequest("yenimesajiste", {ctx.conn ? ctx.conn->serialAt(0) : QByteArray()});
}

void requestNewMessages(ClientContext &ctx)
{
    ctx.sendRequest(newMessagesRequest(ctx));
}

void showMessage(ClientContext &ctx, int index)
{
    if (!ctx.messageText)
        return;
    // Entry i belongs to message i; an entry without a stored message (none
    // is kept past the store's bound) shows nothing.
    const bool stored = ctx.conn && index >= 0 && index < ctx.conn->messageCount;
    ctx.messageText->setPlainText(stored ? wire::decode(ctx.conn->messageTextAt(index)) : QString());
}

void installMessages(ClientContext &ctx)
{
    if (!ctx.messageList)
        return;
    ClientContext *c = &ctx;
    QObject::connect(ctx.messageList, &QListWidget::currentRowChanged, ctx.messageList,
                     [c](int row) { showMessage(*c, row); });
}

} // namespace commands
