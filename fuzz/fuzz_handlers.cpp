// Arbitrary reads walked by the real main window's dispatcher with every
// message handler installed, on real widgets under the offscreen platform.
// The first byte chooses the pending request (so every "enerjial" branch is
// reached), the second where the input is cut into two reads.
#include "client_windows.h"
#include "group_bar.h"
#include "handlers.h"
#include "silent_abort.h"

#include <QApplication>

#include <cstdint>

namespace {

ClientWindows *windows()
{
    static int argc = 1;
    static char name[] = "fuzz_handlers";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(app);
    static ClientWindows *w = nullptr;
    static int uses = 0;
    // A fresh client now and then, so the bar and the lists stay small.
    if (!w || ++uses > 1000 || w->ana.context().deviceBar->groupCount() > 100) {
        delete w;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w = new ClientWindows;
        uses = 0;
        ClientContext &ctx = w->ana.context();
        ctx.send = [](const QByteArray &) {};
        ctx.reconnect = [] {};
        ctx.showError = [](const QString &) {};
        ctx.confirm = [](const QString &) { return false; };
        ctx.pause = [](int) {};
        w->ana.state().connected = true;
    }
    return w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    ClientWindows *w = windows();
    const auto branches = handlers::enerjialBranches();
    const size_t choice = data[0] % (branches.size() + 1);
    w->ana.state().pendingRequest = choice < branches.size() ? branches[choice].pendingRequest : QByteArray();
    const QByteArray all(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const qsizetype cut = all.isEmpty() ? 0 : qsizetype(data[1]) % (all.size() + 1);
    for (const QByteArray &read : {all.left(cut), all.mid(cut)}) {
        try {
            w->ana.dispatcher().walk(read, programState().lastRemainder);
        } catch (const SilentAbort &) {
            // the rest of that read is dropped, as the client does
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
