// Write acknowledgements: the device's echo of a setting write, and the
// industrial modem's sentence after an index write. An answer that does not
// match (a device's exception reply, say) is passed over without a word.
#include "handlers.h"

#include "client_state.h"
#include "pending.h"
#include "wire.h"
#include "working_text.h"

#include <QCoreApplication>
#include <QString>

namespace handlers {

namespace {

struct WriteAck {
    Q_DECLARE_TR_FUNCTIONS(WriteAck)
};

// The echo a setting write expects: station 1, the function code, and for
// most the high byte of the register address, as "$"-ended decimal text.
struct Acknowledgement {
    const QByteArray &pendingRequest;
    QByteArrayView echoPrefix;
    const char *notice; // LblMesaj, %1 the serial
};

const Acknowledgement kAcknowledgements[] = {
    {pending::akimtrafosu, "1$6$16",
     QT_TRANSLATE_NOOP("WriteAck", "%1 Seri Nolu Cihaza akım trafosu değeri yazıldı. ")},
    {pending::tanfi, "1$6$64",
     QT_TRANSLATE_NOOP("WriteAck", "%1 Seri Nolu Cihaza TanFi değeri yazıldı. ")},
    {pending::induktifceza, "1$6$64",
     QT_TRANSLATE_NOOP("WriteAck", "%1 Seri Nolu Cihaza indüktif ceza sınır değeri yazıldı. ")},
    {pending::kapasitifceza, "1$6$64",
     QT_TRANSLATE_NOOP("WriteAck", "%1 Seri Nolu Cihaza kapasitif ceza sınır değeri yazıldı. ")},
    {pending::almacikarma, "1$16$64",
     QT_TRANSLATE_NOOP("WriteAck", "%1 Seri Nolu Cihaza alma-çıkma değerleri yazıldı. ")},
    {pending::otomanuel, "1$6$48",
     QT_TRANSLATE_NOOP("WriteAck", "%1 Seri Nolu Cihaza oto-manuel ayarı yazıldı. ")},
    {pending::hizlimod, "1$6$",
     QT_TRANSLATE_NOOP("WriteAck", "%1 Seri Nolu Cihaza hızlı mod ayarı yazıldı. ")},
};

QString serialText(const ClientContext &ctx)
{
    return QString::number(ctx.prog ? ctx.prog->activeSerial : programState().activeSerial);
}

} // namespace

void writeAcknowledgement(WorkingText &text, ClientContext &ctx)
{
    const QByteArray pendingRequest = ctx.conn ? ctx.conn->pendingRequest : QByteArray();
    for (const Acknowledgement &a : kAcknowledgements) {
        if (a.pendingRequest != pendingRequest)
            continue;
        if (text.startsWith(a.echoPrefix))
            ctx.setMessage(WriteAck::tr(a.notice).arg(serialText(ctx)));
        break;
    }
    text.clear();
}

void indexWritten(WorkingText &text, ClientContext &ctx)
{
    // The whole rest of the read, to its last byte; the rest stays for the walk.
    static const QByteArray kSentence = wire::encode(QStringLiteral("Yeni endeks değeri yazildi"));
    if (text.view() == QByteArrayView(kSentence))
        ctx.setMessage(WriteAck::tr("%1 Seri Nolu Cihaza endeks değeri yazıldı. ").arg(serialText(ctx)));
}

} // namespace handlers
