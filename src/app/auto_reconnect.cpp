#include "auto_reconnect.h"

#include "frm_ana.h"
#include "frm_giris.h"
#include "group_bar.h"
#include "handlers.h"
#include "server_connection.h"
#include "wire.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QSet>
#include <QTcpSocket>
#include <QTimer>

namespace {
double uniform()
{
    return QRandomGenerator::global()->generateDouble();
}

QTimer *timer(QObject *parent, const char *name, int interval, bool singleShot)
{
    auto *t = new QTimer(parent);
    t->setObjectName(QLatin1String(name));
    t->setInterval(interval);
    t->setSingleShot(singleShot);
    return t;
}
} // namespace

AutoReconnect::AutoReconnect(QObject *parent) : QObject(parent), m_policy(uniform)
{
    setObjectName(QStringLiteral("AutoReconnect"));
    m_next = timer(this, "reconnectWait", 0, true);
    m_countdown = timer(this, "reconnectCountdown", 1000, false);
    m_timeout = timer(this, "reconnectAttemptTimeout", 0, true);
    connect(m_next, &QTimer::timeout, this, &AutoReconnect::attempt);
    connect(m_countdown, &QTimer::timeout, this, &AutoReconnect::showStatus);
    connect(m_timeout, &QTimer::timeout, this, &AutoReconnect::attemptTimedOut);
}

AutoReconnect::~AutoReconnect() = default;

void AutoReconnect::install(TFrmAna &ana, TFrmGiris &giris)
{
    m_ana = &ana;
    m_giris = &giris;
    ServerConnection &c = ana.connection();
    // After the frame's own handlers of the same events: the socket is down
    // once every error and disconnect event has been told.
    connect(c.Clientsoket(), &QAbstractSocket::stateChanged, this, &AutoReconnect::socketStateChanged,
            Qt::QueuedConnection);
    connect(&c, &ServerConnection::connected, this, &AutoReconnect::socketUp);
    connect(&c, &ServerConnection::loggedIn, this, &AutoReconnect::loginSent);
    connect(&c, &ServerConnection::bytesRead, this, &AutoReconnect::bytesRead);
    GroupBar *bar = ana.context().deviceBar;
    connect(&c, &ServerConnection::aboutToLogInAgain, this, [bar] { handlers::awaitRelisting(*bar); });
    connect(&c, &ServerConnection::aboutToLogIn, this, [bar] { handlers::forgetRelisting(*bar); });
    connect(&giris, &TFrmGiris::cancelled, this, &AutoReconnect::cancelled);
    connect(&giris, &TFrmGiris::closeProgram, this, [this] {
        stopTimers();
        m_policy.cancel();
    });

    // A device click while the attempts go on is the user's own attempt:
    // the connect sequence of the login window, as without them.
    ClientContext &ctx = ana.context();
    ctx.reconnect = [this, manual = ctx.reconnect] {
        if (m_policy.phase() == ReconnectPolicy::Phase::Waiting
            || m_policy.phase() == ReconnectPolicy::Phase::Attempting) {
            stopTimers();
            m_policy.cancel();
        }
        if (manual)
            manual();
    };

    m_action = new QAction(tr("Otomatik Yeniden Bağlan"), &ana);
    m_action->setObjectName(QStringLiteral("OtomatikYenidenBaglan1"));
    m_action->setCheckable(true);
    m_action->setChecked(m_policy.isEnabled());
    connect(m_action, &QAction::toggled, this, &AutoReconnect::setEnabled);
    if (QMenu *menu = ana.menuBar()->findChild<QMenu *>(QStringLiteral("Cihaz1")))
        menu->addAction(m_action);
}

void AutoReconnect::setEnabled(bool on)
{
    const bool was = m_policy.isEnabled();
    const bool retrying = m_policy.phase() == ReconnectPolicy::Phase::Waiting
        || m_policy.phase() == ReconnectPolicy::Phase::Attempting;
    if (retrying && !on && m_ana)
        m_ana->connection().abandon();
    m_policy.setEnabled(on);
    if (m_action && m_action->isChecked() != on)
        m_action->setChecked(on);
    if (retrying && !on)
        endRetries(ReconnectPolicy::Ended::Disabled);
    if (was != on)
        emit enabledChanged(on);
}

void AutoReconnect::socketStateChanged()
{
    if (!m_ana || m_ana->connection().Clientsoket()->state() != QAbstractSocket::UnconnectedState)
        return;
    const ReconnectPolicy::Phase was = m_policy.phase();
    if (was == ReconnectPolicy::Phase::Idle || was == ReconnectPolicy::Phase::Waiting)
        return;
    if (was == ReconnectPolicy::Phase::Online || was == ReconnectPolicy::Phase::LoggingIn)
        setTitleDown();
    m_timeout->stop();
    const bool again = m_policy.retrying();
    const int wait = m_policy.connectionLost();
    if (wait >= 0) {
        qInfo("reconnect: connection lost, attempt %d in %d ms", m_policy.attempt(), wait);
        if (m_policy.attempt() == 1)
            m_ana->context().note(tr("Sunucuyla bağlantı kesildi; yeniden bağlanılacak."));
        m_next->start(wait);
        m_countdown->start();
        showStatus();
        // The login window shows what goes on, with "İptal" to stop it;
        // it does not take the focus from what the user is doing.
        if (m_giris && !m_giris->isVisible()) {
            m_giris->setAttribute(Qt::WA_ShowWithoutActivating, true);
            m_giris->show();
            m_giris->setAttribute(Qt::WA_ShowWithoutActivating, false);
        }
        return;
    }
    // A login from scratch that fails, or a drop while the automatic
    // reconnection is off, is shown as ever; only attempts end here.
    if (again)
        endRetries(m_policy.ended());
}

void AutoReconnect::attempt()
{
    if (!m_ana || m_policy.phase() != ReconnectPolicy::Phase::Waiting)
        return;
    ServerConnection &c = m_ana->connection();
    if (c.Clientsoket()->state() != QAbstractSocket::UnconnectedState || c.waiting()) {
        // The user's own connect sequence is under way: its outcome decides.
        m_next->start(m_policy.firstWaitMs());
        return;
    }
    m_countdown->stop();
    m_policy.attemptStarted();
    qInfo("reconnect: attempt %d", m_policy.attempt());
    emit attemptStarted(m_policy.attempt());
    showStatus();
    m_timeout->start(m_attemptTimeoutMs);
    c.open();
}

void AutoReconnect::attemptTimedOut()
{
    if (!m_ana || m_policy.phase() != ReconnectPolicy::Phase::Attempting)
        return;
    m_ana->connection().abandon(); // its unconnected state counts as the failure
}

void AutoReconnect::socketUp()
{
    if (!m_ana || m_policy.phase() != ReconnectPolicy::Phase::Attempting)
        return;
    m_timeout->stop();
    if (!m_ana->connection().logInAgain())
        m_ana->connection().Clientsoket()->abort();
}

void AutoReconnect::loginSent()
{
    stopTimers();
    m_policy.loginSent();
    showStatus();
}

void AutoReconnect::bytesRead()
{
    if (m_policy.phase() != ReconnectPolicy::Phase::LoggingIn)
        return;
    const int attempts = m_policy.attempt();
    m_policy.answerSeen();
    if (attempts == 0 || !m_ana)
        return;
    ++m_reconnections;
    qInfo("reconnect: logged in again after %d attempt(s), reconnection %d", attempts, m_reconnections);
    m_ana->context().note(tr("Sunucuya yeniden bağlanıldı (%1. deneme).").arg(attempts));
    m_ana->context().setOutgoing(tr("Yeniden bağlanıldı."));
    QTimer::singleShot(kBarCheckMs, this, &AutoReconnect::reportBar);
    emit reconnected(attempts);
}

void AutoReconnect::cancelled()
{
    if (m_policy.phase() != ReconnectPolicy::Phase::Waiting
        && m_policy.phase() != ReconnectPolicy::Phase::Attempting)
        return;
    if (m_ana)
        m_ana->connection().abandon();
    m_policy.cancel();
    endRetries(ReconnectPolicy::Ended::Cancelled);
}

void AutoReconnect::stopTimers()
{
    m_next->stop();
    m_countdown->stop();
    m_timeout->stop();
}

void AutoReconnect::showStatus()
{
    const QString text = m_policy.statusText();
    if (text.isEmpty() || !m_ana)
        return;
    m_ana->context().setOutgoing(text);
    if (m_giris && m_policy.retrying())
        m_giris->setStatusText(QStringLiteral("   ") + text);
}

void AutoReconnect::setTitleDown()
{
    if (m_ana)
        m_ana->setWindowTitle(
            tr("<<<<<<<%1 Bağlantı kesildi.>>>>>>>>>").arg(wire::decode(m_ana->state().serialAt(0))));
}

void AutoReconnect::endRetries(ReconnectPolicy::Ended why)
{
    stopTimers();
    qInfo("reconnect: attempts ended (%s)", why == ReconnectPolicy::Ended::Refused     ? "login refused"
                                            : why == ReconnectPolicy::Ended::Cancelled ? "cancelled"
                                                                                       : "switched off");
    const QString text = m_policy.statusText();
    if (m_ana) {
        m_ana->context().setOutgoing(text);
        m_ana->context().note(text);
    }
    if (m_giris) {
        // The login window as after "İptal": the user may type another
        // password and press "Bağlan".
        if (why == ReconnectPolicy::Ended::Refused)
            m_giris->suiButton2Click();
        m_giris->setStatusText(QStringLiteral("   ") + text);
    }
    emit stopped(why);
}

void AutoReconnect::reportBar()
{
    if (!m_ana || !m_ana->context().deviceBar)
        return;
    int items = 0;
    QSet<QPair<QString, QString>> distinct;
    for (const GroupBarGroup *g : m_ana->context().deviceBar->groups())
        for (const GroupBarItem *it : g->items()) {
            ++items;
            distinct.insert({g->caption(), it->caption()});
        }
    qInfo("reconnect: device bar %d items, %d duplicates", items, items - int(distinct.size()));
}
