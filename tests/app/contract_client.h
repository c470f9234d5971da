#pragma once
// The client's windows logged in to an in-process simulator, driven as a user
// drives them (items of the device bar, buttons), with the main window's
// timers ticked by the test; and a second client as a plain socket.
#include "log_in.h"
#include "client_state.h"
#include "client_windows.h"
#include "demo_data.h"
#include "group_bar.h"
#include "payload_decoder.h"
#include "register_store.h"
#include "sim_expectations.h"
#include "sim_server.h"
#include "silent_abort.h"
#include "site_clock.h"

#include "arrow_indicator.h"
#include "lamp_button.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>

namespace contract {

// Generous: the machine is shared with other builds.
constexpr int kWait = 8000;

struct Client {
    sim::SimServer server;
    std::unique_ptr<ClientWindows> w;
    QList<QByteArray> sent; // every request, as the client sent it
    QList<int> pauses;      // every blocking wait the client asked for

    // Logs in as the demo user and waits for the whole device list.
    bool start()
    {
        programState() = ProgramState{};
        useFixedSiteClock(server);
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        w = std::make_unique<ClientWindows>();
        timer("Timer1")->stop(); // the display ticks when the test says
        ClientContext &c = w->ana.context();
        const auto send = c.send;
        c.send = [this, send](const QByteArray &request) {
            sent << request;
            send(request);
        };
        c.pause = [this](int ms, const std::function<void()> &then) {
            pauses << ms;
            if (then)
                then();
        };
        logIn(w->giris, server.port());
        const qsizetype devices = sim::demoSite().findUser("demo")->serials.size();
        return w->ana.state().connected && QTest::qWaitFor([&] { return itemCount() == devices; }, kWait);
    }
    ~Client() { w.reset(); }

    ClientContext &ctx() { return w->ana.context(); }
    QByteArray lastSent() const { return sent.isEmpty() ? QByteArray() : sent.last(); }
    RegisterStore &store() { return w->vd1kal.store(); }
    QTimer *timer(const char *name) { return w->ana.findChild<QTimer *>(QLatin1String(name)); }
    // One timeout of a main-window timer, as the timer delivers it.
    void tickTimer(const char *name) { QMetaObject::invokeMethod(timer(name), "timeout", Qt::DirectConnection); }

    template <class T> T *get(const QString &name) { return w->ana.widgets().get<T>(name); }
    template <class T> T *get(const char *name) { return get<T>(QLatin1String(name)); }
    // What a label, text box or display of the main window shows.
    QString shown(const QString &name)
    {
        QObject *o = w->ana.widgets().object(name);
        return o ? o->property("text").toString() : QStringLiteral("<no %1>").arg(name);
    }
    QString shown(const char *name) { return shown(QLatin1String(name)); }
    QColor colour(const char *name) { return get<QWidget>(name)->palette().color(QPalette::WindowText); }
    void click(const QString &button) { QTest::mouseClick(get<QAbstractButton>(button), Qt::LeftButton); }
    void click(const char *button) { click(QLatin1String(button)); }

    bool waitFor(const char *name, const QString &text)
    {
        return QTest::qWaitFor([&] { return shown(name) == text; }, kWait);
    }
    bool waitMessage(const QString &text) { return waitFor("LblMesaj", text); }

    int itemCount() const
    {
        int n = 0;
        for (const GroupBarGroup *g : w->ana.context().deviceBar->groups())
            n += g->itemCount();
        return n;
    }
    GroupBarItem *item(quint32 serial) const
    {
        for (GroupBarGroup *g : w->ana.context().deviceBar->groups())
            for (GroupBarItem *it : g->items())
                if (it->caption().endsWith(QStringLiteral(" No: %1").arg(serial)))
                    return it;
        return nullptr;
    }
    // A click on the device's item, as a user clicks it.
    void select(quint32 serial)
    {
        GroupBarItem *it = item(serial);
        if (it)
            QTest::mouseClick(it, Qt::LeftButton, {}, QPoint(30, it->height() / 2));
    }
    // The click, and the measurements it asks for stored.
    bool selectAndWait(quint32 serial)
    {
        ctx().messageLine->clear();
        select(serial);
        return waitMessage(QStringLiteral("%1 Seri Nolu Cihazın ölçüm değerleri alınıyor. ").arg(serial))
            && QTest::qWaitFor([&] { return store().startRegister > 0; }, kWait);
    }

    // Every display, lamp, box and arrow that differs from what the register
    // map makes of these registers.
    QStringList displayFaults(const Registers &regs, bool relay)
    {
        QStringList out;
        for (const Expected &e : expectedTexts(regs, relay, programState().decimalSeparator))
            if (shown(e.name) != e.text)
                out << QStringLiteral("%1 shows \"%2\", expected \"%3\"").arg(e.name, shown(e.name), e.text);
        for (const ExpectedState &e : expectedStates(regs, relay)) {
            const bool on = shownOn(w->ana.widgets().object(e.name));
            if (on != e.on)
                out << QStringLiteral("%1 is %2").arg(e.name, on ? QStringLiteral("on") : QStringLiteral("off"));
        }
        return out;
    }
};

// A second client on the same server, speaking the wire bytes itself.
struct RawClient {
    QTcpSocket socket;

    bool logIn(quint16 port, const QByteArray &user, const QByteArray &password)
    {
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!socket.waitForConnected(kWait))
            return false;
        return exchange("kulsifre\x01" + user + '\x01' + password + "\x02\xF4\xF4\xF4").startsWith("cihazlar");
    }
    // What the server answers to one request: everything until the line has
    // been quiet for a moment after the first bytes.
    QByteArray exchange(const QByteArray &request)
    {
        socket.readAll();
        socket.write(request);
        socket.flush();
        QByteArray got;
        QElapsedTimer t;
        t.start();
        qint64 last = 0;
        while (t.elapsed() < kWait && (got.isEmpty() || t.elapsed() - last < 150)) {
            QTest::qWait(10); // the server answers from this thread's event loop
            const QByteArray part = socket.readAll();
            if (!part.isEmpty()) {
                got += part;
                last = t.elapsed();
            }
        }
        return got;
    }
};

// The registers of a register answer ("enerjial", three bytes, the payload),
// read by the client's own payload decoder; empty when it is none.
inline QList<int> registersOf(const QByteArray &answer)
{
    if (!answer.startsWith("enerjial"))
        return {};
    auto store = std::make_unique<RegisterStore>();
    store->targetRow = 1;
    store->startRegister = 0;
    try {
        payload::decode(QByteArrayView(answer).sliced(11), *store);
    } catch (const SilentAbort &) {
        return {};
    }
    QList<int> out;
    for (int n = 0; n < store->startRegister; ++n)
        out << int(store->read(1, n));
    return out;
}

} // namespace contract
