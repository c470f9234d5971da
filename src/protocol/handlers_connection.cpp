// Messages that concern the connection as a whole: the keep-alive answer,
// new-message notices, the messages themselves, the device-offline notice and
// the device list.
#include "handlers.h"

#include "client_state.h"
#include "group_bar.h"
#include "named_widgets.h"
#include "wire.h"
#include "working_text.h"

#include <QColor>
#include <QListWidget>
#include <QTextEdit>
#include <QVariant>

namespace handlers {

namespace {

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

// The device kind of a model identifier (exact, case-sensitive).
int kindOfModel(const QByteArray &model)
{
    static const struct {
        const char *model;
        int kind;
    } kModels[] = {{"QRN410", 0}, {"Rkt90wz", 2}, {"LBE620", 3}, {"PMT830", 4}};
    for (const auto &m : kModels)
        if (model == m.model)
            return m.kind;
    return -1;
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

GroupBarGroup *groupFor(const ClientContext &ctx, const QByteArray &caption)
{
    for (GroupBarGroup *g : ctx.deviceBar->groups()) {
        const QVariant wireCaption = g->property(kWireCaption);
        if (wireCaption.isValid() ? wireCaption.toByteArray() == caption : g->caption() == wire::decode(caption))
            return g;
    }
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
    ctx.setMessage(QStringLiteral("Pong"));
    if (ctx.login) {
        ctx.login->setProgress(100);
        ctx.login->setStatusText(QStringLiteral("Bağlantı Kuruldu"));
    }
}

void yenimesaj(WorkingText &text, ClientContext &ctx)
{
    text.skip(10);
    ctx.setMessage(QStringLiteral("Yeni Mesajınız Var..."));
    if (ctx.mainWidgets)
        if (auto *link = ctx.mainWidgets->get<QWidget>(QStringLiteral("RzURLLabel1")))
            link->setVisible(true);
}

void mesajvar(WorkingText &text, ClientContext &ctx)
{
    const int number = ctx.conn ? ctx.conn->messageCount : 0;
    ctx.setMessage(QStringLiteral("Yeni mesajlarınız alınıyor...  Mesaj No: %1").arg(qint64(number) + 1));
    text.skip(9);
    const QByteArray title = text.nextField();
    const QByteArray body = fieldAndOneMore(text);
    if (!ctx.conn)
        return;
    if (!ctx.conn->addMessage(title, body)) {
        ctx.note(QStringLiteral("%1 mesajdan fazlası saklanamıyor; \"%2\" başlıklı mesaj atıldı.")
                     .arg(ConnectionState::kMaxMessages)
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
    ctx.setMessage(wire::decode(serial)
                   + QStringLiteral(" Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin..."));
}

void cihazlar(WorkingText &text, ClientContext &ctx)
{
    ctx.setMessage(QStringLiteral("Cihaz listesi alınıyor. "));
    text.skip(9);
    const QByteArray group = text.nextField();
    const QByteArray model = text.nextField();
    const QByteArray name = text.nextField();
    const QByteArray serial = text.nextField();
    text.skip(1);
    if (!ctx.conn)
        return;
    if (!ctx.conn->addDevice(serial)) {
        ctx.note(QStringLiteral("%1 cihazdan fazlası listelenemiyor; %2 seri nolu cihaz atıldı.")
                     .arg(ConnectionState::kMaxDevices)
                     .arg(wire::decode(serial)));
        return;
    }
    if (!ctx.deviceBar)
        return;
    GroupBarGroup *g = groupFor(ctx, upperAsciiLetters(group));
    GroupBarItem *item = g->insertItem(wire::decode(name) + QStringLiteral(" No: ") + wire::decode(serial),
                                       kindOfModel(model));
    ClientContext *c = &ctx;
    item->onClick = [c](GroupBarItem *clicked) {
        if (c->selectDevice)
            c->selectDevice(clicked);
    };
}

} // namespace handlers
