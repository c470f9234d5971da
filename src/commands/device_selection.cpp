// Device selection: the click on a device item, the serial box and its menu caption, the hidden double request.
#include "device_selection.h"

#include "client_events.h"
#include "client_state.h"
#include "command_kit.h"
#include "commands.h"
#include "group_bar.h"
#include "led_display.h"
#include "meter_page.h"
#include "named_widgets.h"
#include "numbers.h"
#include "pending.h"
#include "register_store.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>

#include <initializer_list>

namespace commands {

namespace {

constexpr int kMeterKind = 4;
const QColor kSelected(0xFF, 0x00, 0x00);
const QColor kUnselected(0x00, 0x00, 0x00);

// The page layout of a device kind: which of Panel7 (page 0) and Panel8
// (page 2) shows, which tabs are shown and hidden, and the page made active.
// Tabs named in neither list keep their state.
struct Layout {
    int kind;
    bool panel7;
    bool panel8;
    std::initializer_list<int> shown;
    std::initializer_list<int> hidden;
    int active;
};

const Layout kLayouts[] = {
    {4, true, false, {6}, {0, 1, 2, 3, 4, 5}, 6},
    {2, true, false, {0, 1, 4, 5, 8}, {2, 3, 6}, 0},
    {3, false, true, {2}, {0, 1, 3, 4, 5, 6}, 2},
    {0, true, false, {0, 1, 3, 4, 5}, {2, 6}, 0},
};

template <class W> W *widget(const ClientContext &ctx, const char *name)
{
    return ctx.mainWidgets ? ctx.mainWidgets->get<W>(QLatin1String(name)) : nullptr;
}

QTabWidget *pages(const ClientContext &ctx)
{
    return widget<QTabWidget>(ctx, "suiPageControl1");
}

// Switches the layout for the kind; a kind without a layout changes nothing.
void applyLayout(const ClientContext &ctx, int kind)
{
    for (const Layout &l : kLayouts) {
        if (l.kind != kind)
            continue;
        if (auto *p7 = widget<QWidget>(ctx, "Panel7"))
            p7->setVisible(l.panel7);
        if (auto *p8 = widget<QWidget>(ctx, "Panel8"))
            p8->setVisible(l.panel8);
        if (QTabWidget *tabs = pages(ctx)) {
            for (int i : l.shown)
                tabs->setTabVisible(i, true);
            for (int i : l.hidden)
                tabs->setTabVisible(i, false);
            tabs->setCurrentIndex(l.active);
        }
        return;
    }
}

// The pages start disabled; once a device is selected every page whose tab
// shows can be used.
void enableShownPages(const ClientContext &ctx)
{
    QTabWidget *tabs = pages(ctx);
    if (!tabs)
        return;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i))
            tabs->widget(i)->setEnabled(true);
}

QString withoutLeadingBlanks(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    return text.mid(i);
}

void setEdit(const ClientContext &ctx, const char *name, const QString &text)
{
    if (auto *edit = widget<QLineEdit>(ctx, name))
        edit->setText(text);
}

void paintItems(const ClientContext &ctx, GroupBarItem *selected)
{
    if (ctx.deviceBar)
        for (GroupBarGroup *g : ctx.deviceBar->groups())
            for (GroupBarItem *it : g->items())
                it->setFontColor(kUnselected);
    selected->setFontColor(kSelected);
}

// The meter-reading modem: its page only, the energy ratios of the last
// stretch asked for at once.
void selectMeter(ClientContext &ctx, GroupBarItem *item)
{
    applyLayout(ctx, kMeterKind);
    enableShownPages(ctx);
    ctx.setOutgoing(QString());
    ctx.setMessage(QString());
    setEdit(ctx, "Edit111", withoutLeadingBlanks(serialSlice(item->caption())));
    if (ctx.prog)
        ctx.prog->deviceKind = kMeterKind;
    item->setFontColor(kSelected);
    ctx.sendRequest(requestForSerial(ctx, "sycreaktfener", {QByteArray(), QByteArray()}));
    resetMeterPage(ctx);
    if (ctx.events)
        emit ctx.events->deviceSelected(serialField(ctx), kMeterKind);
}

} // namespace

QString serialSlice(const QString &caption)
{
    const qsizetype colon = caption.indexOf(u':');
    return colon < 0 ? QString() : caption.mid(colon + 1, 10);
}

void RzGroup1Items0Click(ClientContext &ctx, GroupBarItem *item)
{
    if (!item)
        return;
    if (QTabWidget *tabs = pages(ctx))
        tabs->setCurrentIndex(0);
    if (ctx.conn && !ctx.conn->connected) {
        // The connect sequence pumps events while it waits: a second click
        // meanwhile must not start a second sequence inside the first (it
        // would drop the first attempt and log in twice).
        static bool reconnecting = false;
        if (ctx.reconnect && !reconnecting) {
            const QScopedValueRollback<bool> running(reconnecting, true);
            ctx.reconnect();
        }
        return;
    }
    const int kind = item->imageIndex();
    if (kind == kMeterKind) {
        selectMeter(ctx, item);
        return;
    }

    paintItems(ctx, item);
    if (ctx.store)
        ctx.store->reset(1, 0, RegisterStore::kRowWidth - 1);
    if (ctx.prog && kind != ctx.prog->deviceKind)
        applyLayout(ctx, kind);
    enableShownPages(ctx);
    if (ctx.prog)
        ctx.prog->deviceKind = kind;

    const QString slice = serialSlice(item->caption());
    setEdit(ctx, "Edit111", slice.trimmed());
    if (auto *sno = widget<LedDisplay>(ctx, "Sno"))
        sno->setText(slice);
    const std::optional<qint32> serial = numbers::parseInt(QStringView(withoutLeadingBlanks(slice)));
    if (!serial) {
        // Nothing was asked: no device is there to be asked again.
        if (ctx.events)
            emit ctx.events->deviceSelected(QByteArray(), kind);
        ctx.error(integerError(slice));
        return;
    }
    if (ctx.prog)
        ctx.prog->activeSerial = *serial;

    if (ctx.conn)
        ctx.conn->pendingRequest = pending::anideger;
    if (ctx.store)
        ctx.store->startRegister = 0;
    ctx.sendRequest(requestForSerial(ctx, "enertum"));
    ctx.setOutgoing(QCoreApplication::translate("DeviceSelection", "Lütfen bekleyin..."));
    ctx.setMessage(QString());
    if (ctx.events)
        emit ctx.events->deviceSelected(serialField(ctx), kind);
}

void Edit111Change(ClientContext &ctx)
{
    auto *menu = widget<QAction>(ctx, "AktifCihaz1");
    auto *edit = widget<QLineEdit>(ctx, "Edit111");
    if (menu && edit)
        menu->setText(QCoreApplication::translate("DeviceSelection", "Aktif Cihaz: %1").arg(edit->text()));
}

void btnikikereisteClick(ClientContext &ctx)
{
    ctx.sendRequest(requestForSerial(ctx, "enertum"));
    auto *delay = widget<QLineEdit>(ctx, "Edit7");
    const std::optional<qint32> ms = toInteger(ctx, delay ? delay->text() : QString());
    if (!ms)
        return;
    // The second request goes out after the delay; the window keeps reading
    // and painting meanwhile. The serial box is read again then.
    const ClientContext *c = &ctx;
    ctx.later(qMax(0, *ms), [c] { c->sendRequest(requestForSerial(*c, "enertum")); });
}

void installSelection(ClientContext &ctx)
{
    ClientContext *c = &ctx;
    ctx.selectDevice = [c](GroupBarItem *item) { RzGroup1Items0Click(*c, item); };
    for (const char *name : {"Edit111", "Edit5"})
        if (auto *edit = widget<QLineEdit>(ctx, name))
            QObject::connect(edit, &QLineEdit::textChanged, edit, [c] { Edit111Change(*c); });
    if (auto *button = widget<QPushButton>(ctx, "btnikikereiste"))
        QObject::connect(button, &QPushButton::clicked, button, [c] { btnikikereisteClick(*c); });
}

} // namespace commands
