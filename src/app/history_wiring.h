#pragma once
// The history fed by what the client reads: every register answer of the
// active device (as the engineering values its displays show), every
// energy-between-dates answer, the user's and the background ones alike
// (the compensation watch's results among them), and every meter readout's
// totals and tariffs. The recorder writes on a thread of its own; a database
// fault is said once on the message line and the client goes on monitoring.
#include "meter_readout.h"
#include "recorder.h"

#include <QByteArray>
#include <QHash>
#include <QObject>

#include <memory>

struct ClientContext;
class TFrmAna;
namespace energy {
struct RangeAnswer;
}

class ClientRecording : public QObject {
    Q_OBJECT
public:
    // Records through the given recorder (owned from now on) what the
    // context's events say; the store and the device kind are read from the
    // context when an answer comes.
    ClientRecording(std::unique_ptr<history::Recorder> recorder, const ClientContext &context,
                    QObject *parent = nullptr);
    ~ClientRecording() override;

    history::Recorder &recorder() { return *m_recorder; }

    // The times of an energy answer's two dates: the first date's local
    // midnight, and the end of the last date or `arrived`, whichever is
    // earlier. A date that does not read as a date gives 0 (its counters are
    // not kept) for the first and `arrived` for the second.
    static history::EnergyPeriod periodOf(const energy::RangeAnswer &answer, qint64 arrived);

private:
    void registers(int serial, const QByteArray &request, int first, int count, bool background);
    void energyRange(const energy::RangeAnswer &answer, bool background);
    void meterReadout(const QByteArray &serial, const energy::MeterReadout &readout);

    const ClientContext &m_ctx;
    std::unique_ptr<history::Recorder> m_recorder;
    // Per meter serial: how much readout text was seen, and which codes
    // have been recorded from it.
    struct Readout {
        qsizetype size = 0;
        quint8 recorded = 0;
    };
    QHash<QByteArray, Readout> m_readouts;
};

// Starts recording for the main window into the database chosen by
// `--history` (empty: not given), else the setting "history/location", else
// the file in the user's data folder. What goes wrong is said on the message
// line and in the communication log; nothing is recorded when the chosen
// text names no database.
ClientRecording *startRecording(TFrmAna &window, const QString &historyOption);
