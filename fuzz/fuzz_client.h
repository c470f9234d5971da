#pragma once
// The whole client for the fuzz targets that walk reads on the real main
// window: one offscreen application, the five windows, a live display tick
// after each input. Services that would block or reach out (send, the login,
// dialogs, pauses) do nothing.
#include "client_windows.h"
#include "group_bar.h"
#include "refresh_cycle.h"
#include "silent_abort.h"

#include <QApplication>

#include <memory>

namespace fuzzclient {

struct Client {
    std::unique_ptr<ClientWindows> windows;
    std::unique_ptr<RefreshCycle> refresh;
    int uses = 0;
};

inline Client &client()
{
    static int argc = 1;
    static char name[] = "fuzz_client";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(app);
    static Client c;
    return c;
}

// The client, now and then a fresh one so that the bar and the lists stay
// small and every input meets a client in a state the inputs before it made.
inline ClientWindows *windows()
{
    Client &c = client();
    if (!c.windows || ++c.uses > 1000 || c.windows->ana.context().deviceBar->groupCount() > 100) {
        c.refresh.reset();
        c.windows.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        programState() = ProgramState{};
        c.windows = std::make_unique<ClientWindows>();
        c.uses = 0;
        ClientContext &ctx = c.windows->ana.context();
        ctx.send = [](const QByteArray &) {};
        ctx.reconnect = [] {};
        ctx.showError = [](const QString &) {};
        ctx.confirm = [](const QString &) { return false; };
        ctx.pause = [](int, const std::function<void()> &then) {
            if (then)
                then();
        };
        c.windows->ana.state().connected = true;
        c.refresh = std::make_unique<RefreshCycle>(ctx);
    }
    return c.windows.get();
}

// One read walked as the client walks it; a silent abort ends that read.
inline void walk(ClientWindows &w, const QByteArray &read)
{
    try {
        w.ana.dispatcher().walk(read, programState().lastRemainder);
    } catch (const SilentAbort &) {
    }
}

// A tick of the live display over what the input left, then the deferred
// deletions (items taken out of the device bar).
inline void settle()
{
    Client &c = client();
    if (c.refresh)
        c.refresh->Timer1Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace fuzzclient
