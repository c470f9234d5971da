#pragma once
// The five client windows with a fresh program state, and reads walked
// straight through the main window's dispatcher (without the lamp flicker).
#include "client_windows.h"
#include "silent_abort.h"
#include "wire.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

struct ClientFixture {
    std::unique_ptr<ClientWindows> w;
    QList<QByteArray> sent;   // every request the client sent
    QStringList errors;       // every error box
    int reconnects = 0;
    QList<int> pauses;

    ClientFixture()
    {
        programState() = ProgramState{};
        w = std::make_unique<ClientWindows>();
        ClientContext &ctx = w->ana.context();
        ctx.send = [this](const QByteArray &request) { sent << request; };
        ctx.showError = [this](const QString &text) { errors << text; };
        ctx.reconnect = [this] { ++reconnects; };
        ctx.pause = [this](int ms, const std::function<void()> &then) {
            pauses << ms; // the waits run at once
            if (then)
                then();
        };
        w->ana.state().connected = true;
        w->ana.state().deviceSerials[0] = "demo";
    }

    ClientContext &ctx() { return w->ana.context(); }
    ConnectionState &conn() { return w->ana.state(); }
    RegisterStore &store() { return w->vd1kal.store(); }
    template <class T> T *get(const char *name) { return w->ana.widgets().get<T>(QString::fromLatin1(name)); }

    // Walks one read; false when the read's handling was ended by a fault.
    bool read(const QByteArray &bytes)
    {
        try {
            w->ana.dispatcher().walk(bytes, programState().lastRemainder);
        } catch (const SilentAbort &) {
            return false;
        }
        return true;
    }

    // One device of the device list, as the server sends it.
    static QByteArray device(const QString &group, const QString &model, const QString &name,
                             const QString &serial)
    {
        return wire::buildRequest("cihazlar", {wire::encode(group), wire::encode(model), wire::encode(name),
                                               wire::encode(serial)});
    }
    static QByteArray message(const QString &title, const QString &text)
    {
        return wire::buildRequest("mesajvar", {wire::encode(title), wire::encode(text)});
    }
};
