#include "meter_page.h"

#include "led_display.h"
#include "named_widgets.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace commands {

namespace {

void setLeds(const NamedWidgets &w, std::initializer_list<const char *> names, const QString &text)
{
    for (const char *name : names)
        if (auto *led = w.get<LedDisplay>(QLatin1String(name)))
            led->setText(text);
}

} // namespace

void resetMeterPage(const ClientContext &ctx, int firstStep, int lastStep)
{
    if (!ctx.mainWidgets)
        return;
    const NamedWidgets &w = *ctx.mainWidgets;
    const auto runs = [&](int step) { return step >= firstStep && step <= lastStep; };
    if (runs(1))
        if (auto *memo = w.get<QPlainTextEdit>(QStringLiteral("Memo3")))
            memo->clear();
    if (runs(2))
        setLeds(w, {"Rzsycakttop", "Rzsycindtop", "Rzsyckaptop", "RzsycT1", "RzsycT2", "RzsycT3"},
                QStringLiteral("00000000"));
    if (runs(3))
        setLeds(w, {"RzLEDkapdurum", "RzLEDinddurum"}, QString());
    if (runs(4))
        setLeds(w, {"RzLEDak1", "RzLEDak2", "RzLEDkap1", "RzLEDkap2", "RzLEDin1", "RzLEDin2"}, QString());
    if (runs(5))
        for (const char *name : {"lblsycindurum", "lblsyckapdurum"})
            if (auto *label = w.get<QLabel>(QLatin1String(name)))
                label->clear();
    if (runs(6))
        setLeds(w, {"RzLEDsycinoran", "RzLEDsyckaporan"}, QString());
}

} // namespace commands
