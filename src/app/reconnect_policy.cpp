#include "reconnect_policy.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>

ReconnectPolicy::ReconnectPolicy(Random random, Clock clock)
    : m_random(std::move(random)), m_clock(std::move(clock))
{
}

void ReconnectPolicy::setWaits(int firstMs, int maxMs)
{
    m_firstMs = std::max(1, firstMs);
    m_maxMs = std::max(m_firstMs, maxMs);
}

void ReconnectPolicy::setEnabled(bool on)
{
    m_enabled = on;
    if (!on && (m_phase == Phase::Waiting || m_phase == Phase::Attempting)) {
        m_phase = Phase::Idle;
        m_ended = Ended::Disabled;
    }
}

void ReconnectPolicy::loginSent()
{
    // The login of an attempt keeps its count; any other starts afresh.
    if (m_phase != Phase::Attempting)
        m_attempt = 0;
    m_phase = Phase::LoggingIn;
}

void ReconnectPolicy::answerSeen()
{
    if (m_phase != Phase::LoggingIn)
        return;
    m_phase = Phase::Online;
    m_attempt = 0;
    m_ended = Ended::No;
}

int ReconnectPolicy::connectionLost()
{
    switch (m_phase) {
    case Phase::Idle:
        return -1;
    case Phase::Waiting:
        return int(msLeft());
    case Phase::LoggingIn:
        // Closed before a single byte came back: the login was refused.
        m_phase = Phase::Idle;
        m_ended = Ended::Refused;
        return -1;
    case Phase::Online:
        if (!m_enabled) {
            m_phase = Phase::Idle;
            m_ended = Ended::Disabled;
            return -1;
        }
        m_attempt = 1;
        break;
    case Phase::Attempting:
        ++m_attempt;
        break;
    }
    const int wait = drawWait(m_attempt);
    m_phase = Phase::Waiting;
    m_ended = Ended::No;
    m_dueAt = now() + wait;
    return wait;
}

void ReconnectPolicy::attemptStarted()
{
    if (m_phase == Phase::Waiting)
        m_phase = Phase::Attempting;
}

void ReconnectPolicy::cancel()
{
    // A login again that is out already is left to finish.
    if (m_phase != Phase::Waiting && m_phase != Phase::Attempting)
        return;
    m_phase = Phase::Idle;
    m_ended = Ended::Cancelled;
}

bool ReconnectPolicy::retrying() const
{
    return m_phase == Phase::Waiting || m_phase == Phase::Attempting
        || (m_phase == Phase::LoggingIn && m_attempt > 0);
}

qint64 ReconnectPolicy::msLeft() const
{
    return m_phase == Phase::Waiting ? std::max<qint64>(0, m_dueAt - now()) : 0;
}

int ReconnectPolicy::secondsLeft() const
{
    return int((msLeft() + 999) / 1000);
}

int ReconnectPolicy::baseWait(int attempt) const
{
    // Doubling from the first wait; past 30 doublings any wait is the most.
    if (attempt < 1)
        return 0;
    if (attempt > 30)
        return m_maxMs;
    return int(std::min<qint64>(qint64(m_firstMs) << (attempt - 1), m_maxMs));
}

int ReconnectPolicy::drawWait(int attempt) const
{
    const int base = baseWait(attempt);
    if (!m_random)
        return base;
    const double r = std::clamp(m_random(), 0.0, 1.0);
    const double wait = base * (1.0 + kJitter * (2.0 * r - 1.0));
    return int(std::clamp(std::lround(wait), 1L, long(m_maxMs)));
}

qint64 ReconnectPolicy::now() const
{
    if (m_clock)
        return m_clock();
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

QString ReconnectPolicy::statusText() const
{
    switch (m_phase) {
    case Phase::Waiting:
        return tr("Yeniden bağlanılıyor: %1. deneme, %2 sn").arg(m_attempt).arg(secondsLeft());
    case Phase::Attempting:
        return tr("Yeniden bağlanılıyor: %1. deneme...").arg(m_attempt);
    case Phase::LoggingIn:
        return m_attempt > 0 ? tr("Yeniden bağlanıldı; giriş yapılıyor...") : QString();
    case Phase::Online:
        return QString();
    case Phase::Idle:
        break;
    }
    switch (m_ended) {
    case Ended::Refused:
        return tr("Sunucu girişi kabul etmedi; yeniden bağlanılmayacak.");
    case Ended::Cancelled:
    case Ended::Disabled:
        return tr("Yeniden bağlanma durduruldu.");
    case Ended::No:
        break;
    }
    return QString();
}
