#include "handlers.h"

#include "dispatcher.h"

#include <QLabel>

namespace handlers {

void install(Dispatcher &dispatcher, MessageContext &ctx)
{
    MessageContext *c = &ctx;
    dispatcher.setHandler("pong", [c](WorkingText &t) { pong(t, *c); });
}

void pong(WorkingText &text, MessageContext &ctx)
{
    text.skip(5);
    if (ctx.messageLine)
        ctx.messageLine->setText(QStringLiteral("Pong"));
    if (ctx.login) {
        ctx.login->setProgress(100);
        ctx.login->setStatusText(QStringLiteral("Bağlantı Kuruldu"));
    }
}

} // namespace handlers
