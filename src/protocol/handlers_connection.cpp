// Messages that concern the connection as a whole: the keep-alive answer,
// new-message notices, the messages themselves, the device-offline notice and
// the device list.
#include "handlers.h"

#include "working_text.h"

namespace handlers {

void pong(WorkingText &text, ClientContext &ctx)
{
    text.skip(5);
    ctx.setMessage(QStringLiteral("Pong"));
    if (ctx.login) {
        ctx.login->setProgress(100);
        ctx.login->setStatusText(QStringLiteral("Bağlantı Kuruldu"));
    }
}

void yenimesaj(WorkingText &, ClientContext &) {}
void mesajvar(WorkingText &, ClientContext &) {}
void hattayok(WorkingText &, ClientContext &) {}
void cihazlar(WorkingText &, ClientContext &) {}

} // namespace handlers
