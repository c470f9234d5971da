// One phase's voltage and current waveform: stored, plotted, then analysed.
//
// The answer is a register-style frame written as "$"-ended decimal bytes:
// station, function, byte count, then one signed byte per sample (64 voltage
// samples, 64 current samples) and the two CRC bytes, which land in the last
// two entries of the current store.
#include "handlers.h"

#include "client_state.h"
#include "image_area.h"
#include "named_widgets.h"
#include "numbers.h"
#include "pending.h"
#include "working_text.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace handlers {

namespace {

constexpr int kStoreSize = 66;          // each of the two sample stores
constexpr int kFirstCurrentSample = 64; // samples 0..63 go to the first
constexpr int kMaxSamples = kFirstCurrentSample + kStoreSize; // 130 fill both
static_assert(std::tuple_size_v<decltype(ProgramState::harmonicSamplesA)> == kStoreSize);
static_assert(std::tuple_size_v<decltype(ProgramState::harmonicSamplesB)> == kStoreSize);
const QColor kPlotYellow(0xFF, 0xFF, 0x00);
const QColor kPlotGreen(0x00, 0xFF, 0x00);

struct PhaseOfAnswer {
    const QByteArray &pendingRequest;
    int phase;
    const char *picture;
};

const PhaseOfAnswer kPhases[] = {
    {pending::harmonikb, 1, "Image1"},
    {pending::harmoniki, 2, "Image2"},
    {pending::harmoniku, 3, "Image3"},
};

const PhaseOfAnswer *phaseFor(const QByteArray &pendingRequest)
{
    for (const PhaseOfAnswer &p : kPhases) {
        if (p.pendingRequest == pendingRequest)
            return &p;
    }
    return nullptr;
}

// Everything up to and including the next "$"; nothing when there is none.
void dropToken(WorkingText &text)
{
    const qsizetype at = text.view().indexOf('$');
    if (at >= 0)
        text.skip(at + 1);
}

// The integer before the next "$", removed with it; nothing (and nothing
// removed) when the token is missing or not a whole number.
std::optional<qint32> takeSample(WorkingText &text)
{
    const qsizetype at = text.view().indexOf('$');
    if (at < 0)
        return std::nullopt;
    const std::optional<qint32> n = numbers::parseInt(text.view().first(at));
    if (n)
        text.skip(at + 1);
    return n;
}

// Plot coordinates stay within reach of the painter whatever the server sent.
double plotY(qint32 n, int offset)
{
    return std::clamp(double(n) + offset, -10000.0, 10000.0);
}

} // namespace

void waveform(WorkingText &text, ClientContext &ctx)
{
    const QString serial = QString::number(ctx.prog ? ctx.prog->activeSerial : 0);
    const PhaseOfAnswer *answer = ctx.conn ? phaseFor(ctx.conn->pendingRequest) : nullptr;
    if (!answer || !ctx.prog)
        return;
    ProgramState &prog = *ctx.prog;

    ctx.setMessage(
        QCoreApplication::translate("Waveform", "%1 Seri Nolu Cihazın harmonik değerleri alınıyor. ").arg(serial));
    text.replaceAll("$199$239", "$3");

    // Station, function code and byte count.
    for (int i = 0; i < 3; ++i)
        dropToken(text);

    ImageArea *picture = ctx.mainWidgets ? ctx.mainWidgets->get<ImageArea>(QString::fromLatin1(answer->picture))
                                         : nullptr;
    QImage scratch(254, 200, QImage::Format_RGB32); // without the page: plotted nowhere
    QImage &canvas = picture ? picture->canvas() : scratch;
    {
        QPainter p(&canvas);
        const int w = canvas.width();
        const int h = canvas.height();
        p.fillRect(QRect(0, 0, w / 2, h), QColor(0x00, 0x00, 0x40));
        p.fillRect(QRect(w / 2, 0, w - w / 2, h), QColor(0x40, 0x00, 0x00));
        QPen pen(kPlotYellow, 2);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);

        // Phase 1 is drawn 18 pixels lower than the others, except its first
        // point, which all phases place at n + 110.
        const int offset = answer->phase == 1 ? 128 : 110;
        QPointF last;
        // A token that is not a whole number ends the sampling; the samples
        // stored before it stay. Samples beyond the 130th have no place in
        // the stores (and would lie right of the picture): they are ignored.
        for (int j = 0; j < kMaxSamples && text.size() > 1; ++j) {
            const std::optional<qint32> token = takeSample(text);
            if (!token)
                break;
            const qint32 n = *token > 127 ? *token - 256 : *token;
            if (j == 0) {
                last = QPointF(0, plotY(n, 110));
            } else {
                const QPointF next(2.0 * j, plotY(n, offset));
                p.drawLine(last, next);
                last = next;
            }
            // The colour takes effect from the next line on.
            if (j < kFirstCurrentSample) {
                prog.harmonicSamplesA[size_t(j)] = n;
                pen.setColor(kPlotYellow);
            } else {
                prog.harmonicSamplesB[size_t(j - kFirstCurrentSample)] = n;
                pen.setColor(kPlotGreen);
            }
            p.setPen(pen);
        }
    }
    if (picture)
        picture->update();

    text.clear();
    if (QLabel *header = ctx.mainWidgets ? ctx.mainWidgets->get<QLabel>(QStringLiteral("Label2")) : nullptr)
        header->setText(QCoreApplication::translate("Waveform", "%1 nolu cihaz harmonik verileri").arg(serial));
    if (ctx.analyseHarmonics)
        ctx.analyseHarmonics(answer->phase);
}

} // namespace handlers
