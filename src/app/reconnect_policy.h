#pragma once
// When the client tries to get a dropped connection back, and when it stops
// trying. Plain logic without widgets or timers: the caller reports what the
// connection does and runs the timers the answers ask for.
//
// A connection counts once the server has answered its login. When such a
// connection drops, the attempts follow after growing waits (about 2, 4, 8 …
// seconds, at most 60, each a little shorter or longer at random so that
// many clients do not come back in step). A login the server closes before
// sending a single byte is refused: that ends the attempts, as do the user
// (cancel) and switching the automatic reconnection off.
#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <functional>

class ReconnectPolicy {
    Q_DECLARE_TR_FUNCTIONS(ReconnectPolicy)
public:
    enum class Phase : quint8 {
        Idle,       // no connection to go back to, or the attempts have ended
        LoggingIn,  // the login request is out; nothing has come back yet
        Online,     // the server has answered the login
        Waiting,    // until the next attempt
        Attempting, // the socket is connecting
    };
    enum class Ended : quint8 {
        No,
        Refused,   // the server closed the login without a word
        Cancelled, // the user stopped the attempts
        Disabled,  // automatic reconnection is off
    };

    using Random = std::function<double()>; // uniform in [0, 1)
    using Clock = std::function<qint64()>;  // milliseconds, never going back

    static constexpr int kFirstWaitMs = 2000;
    static constexpr int kMaxWaitMs = 60000;
    static constexpr double kJitter = 0.1; // ± this share of a wait

    // Without a random source every wait is exact; without a clock, the
    // process's monotonic clock.
    explicit ReconnectPolicy(Random random = {}, Clock clock = {});

    void setWaits(int firstMs, int maxMs);
    int firstWaitMs() const { return m_firstMs; }
    int maxWaitMs() const { return m_maxMs; }
    // Off: a drop is left to the user; attempts under way stop.
    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }

    // What the connection does.
    void loginSent();
    void answerSeen();
    // The connection went down, or an attempt failed. Returns the wait in
    // milliseconds before the next attempt, or -1 when none follows.
    int connectionLost();
    void attemptStarted();
    void cancel();

    Phase phase() const { return m_phase; }
    // Between a drop and the server's answer to the login again.
    bool retrying() const;
    // The attempt waited for or under way, from 1; 0 while online.
    int attempt() const { return m_attempt; }
    Ended ended() const { return m_ended; }
    // Until the next attempt, in whole seconds rounded up; 0 unless waiting.
    int secondsLeft() const;
    qint64 msLeft() const;
    // The wait before an attempt, without the random share.
    int baseWait(int attempt) const;
    // What the status line says; empty while online or idle without reason.
    QString statusText() const;

private:
    int drawWait(int attempt) const;
    qint64 now() const;

    Random m_random;
    Clock m_clock;
    int m_firstMs = kFirstWaitMs;
    int m_maxMs = kMaxWaitMs;
    bool m_enabled = true;
    Phase m_phase = Phase::Idle;
    Ended m_ended = Ended::No;
    int m_attempt = 0;
    qint64 m_dueAt = 0;
};
