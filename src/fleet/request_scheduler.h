#pragma once
// Who may use the one connection to the server, and when.
//
// The user's own requests go out at once, exactly as they are built. Work the
// client does on its own (the compensation watch, the automatic refresh)
// queues background requests here: they go out one at a time, only once the
// user has sent nothing for a while, and never touch pendingRequest. An
// answer is matched to a background request by what it carries (the serial
// and the dates of an energy answer, the serial of an off-line notice); a
// device answer in the "enerjial" envelope, which carries nothing to match,
// is taken as the answer of the background request in flight unless the
// user has sent a request since. A background request whose answer has not
// come in time is given up and noted.
#include "energy_range.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <optional>

class QTimer;

namespace fleet {

// What a background request expects back.
struct Expectation {
    enum class Kind : quint8 {
        EnergyRange, // "reaktifenerji" / "tedassycal" for serial and dates
        Enerjial,    // a device answer, read by the branch of `branch`
    };
    Kind kind = Kind::EnergyRange;
    energy::RangeAnswer::Source source = energy::RangeAnswer::Source::Device;
    QByteArray serial;
    QByteArray firstDate, lastDate;
    QByteArray branch;     // Enerjial: the pending-request value whose branch reads it
    int startRegister = 0; // Enerjial: where a register answer is stored
    // Whether the answer is shown as the user's own would be (the automatic
    // refresh of the active device) or goes to its listeners only (the
    // compensation watch).
    bool show = false;
};

enum class Outcome : quint8 {
    Answered,
    Offline,   // the server said the device is not on line
    NoAnswer,  // given up after the answer time
    Dropped,   // taken back: superseded by a user request or cancelled
};

struct BackgroundRequest {
    QByteArray bytes;
    Expectation expect;
    QString tag;   // who asked ("watch", "refresh"); cancel() takes them back by it
    QString label; // for the communication log ("12002 enerji oranları")
    std::function<void(Outcome)> done;
};

class RequestScheduler : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultIdleMs = 3000;
    static constexpr int kDefaultAnswerMs = 10000;
    // Background requests waiting at most; more are refused (enqueue false).
    static constexpr int kMaxQueued = 20000;

    using Transport = std::function<void(const QByteArray &)>;

    explicit RequestScheduler(QObject *parent = nullptr);
    ~RequestScheduler() override;

    void setTransport(Transport t) { m_transport = std::move(t); }
    void setIdleMs(int ms) { m_idleMs = ms; }
    void setAnswerMs(int ms) { m_answerMs = ms; }
    int idleMs() const { return m_idleMs; }
    int answerMs() const { return m_answerMs; }

    // Whether the connection is up: background requests wait while it is
    // down, and one in flight when it goes down is sent again later.
    void setConnected(bool up);
    bool isConnected() const { return m_connected; }

    // A request of the user's: sent at once.
    void sendUser(const QByteArray &request);
    // Something the user did that counts as activity (a login, say).
    void noteUserActivity();

    bool enqueue(BackgroundRequest request);
    // Takes back every queued request with this tag (and the one in flight,
    // whose answer is then no longer claimed). Returns how many.
    int cancel(const QString &tag);
    int queued() const { return int(m_queue.size()); }
    int queued(const QString &tag) const;
    bool inFlight() const { return m_inFlight.has_value(); }
    QByteArray inFlightRequest() const { return m_inFlight ? m_inFlight->bytes : QByteArray(); }

    // Answers, as the message handlers meet them. An expectation: the answer
    // belongs to that background request (shown only if it says so);
    // nothing: it is the user's, or unasked, and shown as always. An energy
    // request with empty dates (the server picks the billing period) takes
    // the answer of any dates for its serial.
    std::optional<Expectation> claimEnergyRange(energy::RangeAnswer::Source source, const QByteArray &serial,
                                                const QByteArray &firstDate, const QByteArray &lastDate);
    std::optional<Expectation> claimOffline(const QByteArray &serial);
    std::optional<Expectation> claimEnerjial();

signals:
    void note(const QString &line);
    void backgroundSent(const QByteArray &request);

private:
    struct Key {
        energy::RangeAnswer::Source source;
        QByteArray serial, first, last;
        qint64 until;
        Expectation expect; // of a given-up request
        bool operator==(const Key &o) const
        {
            return source == o.source && serial == o.serial && first == o.first && last == o.last;
        }
    };
    void finish(Outcome outcome);
    void schedulePump(int inMs);
    void pump();
    void timedOut();
    void forgetExpired();
    qint64 now() const { return m_clock.elapsed(); }

    Transport m_transport;
    int m_idleMs = kDefaultIdleMs;
    int m_answerMs = kDefaultAnswerMs;
    bool m_connected = false;
    QElapsedTimer m_clock;
    qint64 m_lastUser = -1;

    std::deque<BackgroundRequest> m_queue;
    std::optional<BackgroundRequest> m_inFlight;
    QTimer *m_pumpTimer;
    QTimer *m_answerTimer;

    // The user's energy requests whose answers have not come yet, and the
    // serials the user asked about lately: their answers are the user's.
    QList<Key> m_userRanges;
    QList<std::pair<QByteArray, qint64>> m_userSerials;
    // Background energy requests given up lately: a late answer is still
    // theirs.
    QList<Key> m_givenUp;
};

} // namespace fleet
