// Messages that concern the connection as a whole: the keep-alive answer,
// new-message notices, the messages themselves, the device-offline notice and
// the device list.
#include "handlers.h"

#include "client_events.h"
#include "client_state.h"
#include "device_registry.h"
#include "group_bar.h"
#include "named_widgets.h"
#include "request_scheduler.h"
#include "wire.h"
#include "working_text.h"

#include <QColor>
#include <QCoreApplication>
#include <QListWidget>
#include <QTextEdit>
#include <QVariant>

namespace handlers {

namespace {

struct ConnectionMessages {
    Q_DECLARE_TR_FUNCTIONS(ConnectionMessages)
};

// The group's name as the server sent it, upper-cased, kept on the group so
// that later devices find it byte for byte.
constexpr char kWireCaption[] = "wireCaption";

// Letters a to z become A to Z; every other byte stays as it is.
QByteArray upperAsciiLetters(QByteArray bytes)
{
    for (char &c : bytes)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return bytes;
}

// peek field, then remove up to and including its 0x01 and one byte more;
// without a 0x01 the field is empty and nothing is removed.
QByteArray fieldAndOneMore(WorkingText &text)
{
    const qsizetype at = text.view().indexOf(wire::kFieldEnd);
    if (at < 0)
        return {};
    QByteArray field = text.view().first(at).toByteArray();
    text.skip(at + 2);
    return field;
}

// The names of the fields that clipped() may name in the log.
[[maybe_unused]] const char *const kFieldNames[] = {
    QT_TRANSLATE_NOOP("ConnectionMessages", "başlık"), QT_TRANSLATE_NOOP("ConnectionMessages", "metin"),
    QT_TRANSLATE_NOOP("ConnectionMessages", "grup"),   QT_TRANSLATE_NOOP("ConnectionMessages", "model"),
    QT_TRANSLATE_NOOP("ConnectionMessages", "ad"),     QT_TRANSLATE_NOOP("ConnectionMessages", "seri no"),
};

// A field kept from the server, cut to `max` bytes; the log says so.
QByteArray clipped(const ClientContext &ctx, QByteArray field, qsizetype max, const char *keyword, const char *what)
{
    if (field.size() <= max)
        return field;
    ctx.note(ConnectionMessages::tr("%1: %2 bayt uzunluğundaki %3 alanının ilk %4 baytı alındı.")
                 .arg(QLatin1String(keyword))
                 .arg(field.size())
                 .arg(ConnectionMessages::tr(what))
                 .arg(max));
    field.truncate(max);
    return field;
}

int barItemCount(const GroupBar &bar)
{
    int n = 0;
    for (const GroupBarGroup *g : bar.groups())
        n += g->itemCount();
    return n;
}

// The group of the device bar with this caption, made if there is none yet
// and the bar has room for it; null otherwise.
GroupBarGroup *groupFor(const ClientContext &ctx, const QByteArray &caption)
{
    for (GroupBarGroup *g : ctx.deviceBar->groups()) {
        const QVariant wireCaption = g->property(kWireCaption);
        if (wireCaption.isValid() ? wireCaption.toByteArray() == caption : g->caption() == wire::decode(caption))
            return g;
    }
    if (ctx.deviceBar->groupCount() >= ConnectionState::kMaxGroups)
        return nullptr;
    GroupBarGroup *g = ctx.deviceBar->addGroup(wire::decode(caption));
    g->setProperty(kWireCaption, caption);
    g->setColor(QColor(0xFF, 0xFB, 0xF0));
    g->setCaptionColor(QColor(0xC0, 0xC0, 0xC0));
    g->setImages(ctx.deviceImages);
    g->setVisible(true);
    return g;
}

} // namespace

void pong(WorkingText &text, ClientContext &ctx)
{
    text.skip(5);
    ctx.setMessage(ConnectionMessages::tr("Pong"));
    if (ctx.login) {
        ctx.login->setProgress(100);
        ctx.login->setStatusText(ConnectionMessages::tr("Bağlantı Kuruldu"));
    }
}

void yenimesaj(WorkingText &text, ClientContext &ctx)
{
    text.skip(10);
    ctx.setMessage(ConnectionMessages::tr("Yeni Mesajınız Var..."));
    if (ctx.mainWidgets)
        if (auto *link = ctx.mainWidgets->get<QWidget>(QStringLiteral("RzURLLabel1")))
            link->setVisible(true);
}

void mesajvar(WorkingText &text, ClientContext &ctx)
{
    const int number = ctx.conn ? ctx.conn->messageCount : 0;
    ctx.setMessage(ConnectionMessages::tr("Yeni mesajlarınız alınıyor...  Mesaj No: %1").arg(qint64(number) + 1));
    text.skip(9);
    const QByteArray title =
        clipped(ctx, text.nextField(), ConnectionState::kMaxTitleBytes, "mesajvar", "başlık");
    const QByteArray body = clipped(ctx, fieldAndOneMore(text), ConnectionState::kMaxTextBytes, "mesajvar", "metin");
    if (!ctx.conn)
        return;
    if (!ctx.conn->addMessage(title, body)) {
        if (ctx.conn->messageCount >= ConnectionState::kMaxMessages)
            ctx.note(ConnectionMessages::tr("%1 mesajdan fazlası saklanamıyor; \"%2\" başlıklı mesaj atıldı.")
                         .arg(ConnectionState::kMaxMessages)
                         .arg(wire::decode(title)));
        else
            ctx.note(ConnectionMessages::tr("Saklanan mesajlar %1 MB'ı dolduruyor; \"%2\" başlıklı mesaj atıldı.")
                         .arg(ConnectionState::kMaxMessageBytes / (1024 * 1024))
                         .arg(wire::decode(title)));
        return;
    }
    if (number == 0 && ctx.messageText)
        ctx.messageText->setPlainText(wire::decode(body));
    if (ctx.messageList)
        ctx.messageList->addItem(QStringLiteral("//") + wire::decode(title));
}

void hattayok(WorkingText &text, ClientContext &ctx)
{
    text.skip(9);
    const QByteArray serial = fieldAndOneMore(text);
    // The notice of a device the client asked about on its own goes to the
    // one who asked; the user is told only of the user's own requests.
    const std::optional<fleet::Expectation> claim =
        ctx.scheduler ? ctx.scheduler->claimOffline(serial) : std::nullopt;
    const bool background = claim.has_value();
    if (ctx.registry)
        ctx.registry->setOnline(serial, false);
    if (ctx.events)
        emit ctx.events->deviceOffline(serial, background);
    if (claim && !claim->show)
        return;
    ctx.setMessage(ConnectionMessages::tr("%1 Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin...")
                       .arg(wire::decode(serial)));
}

void cihazlar(WorkingText &text, ClientContext &ctx)
{
    ctx.setMessage(ConnectionMessages::tr("Cihaz listesi alınıyor. "));
    text.skip(9);
    constexpr qsizetype kMax = ConnectionState::kMaxDeviceFieldBytes;
    const QByteArray group = clipped(ctx, text.nextField(), kMax, "cihazlar", "grup");
    const QByteArray model = clipped(ctx, text.nextField(), kMax, "cihazlar", "model");
    const QByteArray name = clipped(ctx, text.nextField(), kMax, "cihazlar", "ad");
    const QByteArray serial = clipped(ctx, text.nextField(), kMax, "cihazlar", "seri no");
    text.skip(1);
    // The registry keeps one entry per serial, as many as the bar keeps
    // items; the bar says when it is full.
    if (ctx.registry)
        ctx.registry->add(group, model, name, serial);
    if (!ctx.conn)
        return;
    // The serial slots only grow, also over logins; once they are full, the
    // devices a later login lists are still shown in the bar.
    if (!ctx.conn->addDevice(serial) && !ctx.conn->deviceSlotsFullNoted) {
        ctx.conn->deviceSlotsFullNoted = true;
        ctx.note(ConnectionMessages::tr("%1 cihaz seri numarası saklandı; %2 ve sonraki seri numaraları saklanmıyor "
                                        "(cihazlar listede gösterilmeye devam ediyor).")
                     .arg(ConnectionState::kMaxDevices)
                     .arg(wire::decode(serial)));
    }
    if (!ctx.deviceBar)
        return;
    GroupBarGroup *g = barItemCount(*ctx.deviceBar) < ConnectionState::kMaxBarItems
        ? groupFor(ctx, upperAsciiLetters(group))
        : nullptr;
    if (!g) {
        ctx.note(ConnectionMessages::tr("Cihaz listesi dolu (%1 cihaz, %2 grup); %3 seri nolu cihaz listelenmedi.")
                     .arg(ConnectionState::kMaxBarItems)
                     .arg(ConnectionState::kMaxGroups)
                     .arg(wire::decode(serial)));
        return;
    }
    GroupBarItem *item = g->insertItem(wire::decode(name) + QStringLiteral(" No: ") + wire::decode(serial),
                                       fleet::imageIndex(fleet::kindOfModel(model)));
    ClientContext *c = &ctx;
    item->onClick = [c](GroupBarItem *clicked) {
        if (c->selectDevice)
            c->selectDevice(clicked);
    };
}

} // namespace handlers
