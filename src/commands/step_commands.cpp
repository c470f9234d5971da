// The capacitor steps: reading all steps (page 4), writing one step's powers
// (the "Yaz" buttons c1yaz … c18yaz on page 4) and switching one step in or
// out (the lamps durum1 … durum18 on page 0).
#include "settings_commands.h"

#include "command_kit.h"
#include "commands.h"
#include "named_widgets.h"
#include "pending.h"
#include "register_store.h"
#include "settings_requests.h"

#include <QAbstractButton>
#include <QCoreApplication>

namespace commands {

namespace {
struct StepCommands {
    Q_DECLARE_TR_FUNCTIONS(StepCommands)
};
} // namespace

using namespace settings_kit;

namespace {
constexpr int kSteps = 18;
} // namespace

void BitBtn2Click(ClientContext &ctx)
{
    setPending(ctx, pending::kondasatordurum);
    if (ctx.store)
        ctx.store->startRegister = 157;
    sendWithStatus(ctx, requests::readSteps(serialField(ctx)),
                   StepCommands::tr("Kondansatör durumları istendi.Lütfen bekleyin..."), true);
}

void stepWriter(ClientContext &ctx, int step)
{
    // The boxes are found by the name built at run time, in any letter case
    // ("c7_s_yaz" finds C7_s_YAZ).
    static const char *const kPhases[3] = {"_r_yaz", "_s_yaz", "_t_yaz"};
    qint32 values[3] = {};
    for (int p = 0; p < 3; ++p) {
        const std::optional<qint32> v = spinWhole(ctx, QStringLiteral("c%1").arg(step) + QLatin1String(kPhases[p]));
        if (!v)
            return;
        values[p] = *v;
    }
    const QByteArray request = requests::writeStep(serialField(ctx), step, values[0], values[1], values[2]);
    expectNoAnswer(ctx);
    sendWithStatus(ctx, request, StepCommands::tr("Kondansator Değerleri yazılıyor.Lütfen bekleyin..."), false);
}

void stepSwitcher(ClientContext &ctx, int step)
{
    const QByteArray request = requests::switchStep(serialField(ctx), step);
    expectNoAnswer(ctx);
    sendWithStatus(ctx, request, requests::switchStepStatus(step), false);
}

void installSteps(ClientContext &ctx)
{
    if (!ctx.mainWidgets)
        return;
    ClientContext *c = &ctx;
    if (auto *read = ctx.mainWidgets->get<QAbstractButton>(QStringLiteral("BitBtn2")))
        QObject::connect(read, &QAbstractButton::clicked, read, [c] { BitBtn2Click(*c); });
    for (int n = 1; n <= kSteps; ++n) {
        if (auto *write = ctx.mainWidgets->get<QAbstractButton>(QStringLiteral("c%1yaz").arg(n)))
            QObject::connect(write, &QAbstractButton::clicked, write, [c, n] { stepWriter(*c, n); });
        // The lamp toggles itself on the click; that is only a local effect,
        // the next refresh shows what the device reports.
        if (auto *lamp = ctx.mainWidgets->get<QAbstractButton>(QStringLiteral("durum%1").arg(n)))
            QObject::connect(lamp, &QAbstractButton::clicked, lamp, [c, n] { stepSwitcher(*c, n); });
    }
}

} // namespace commands
