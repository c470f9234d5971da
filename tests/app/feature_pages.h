#pragma once
// The pages of the harmonic and relay features with the real page builders,
// the status lines they write, and a client context whose services record
// what they were asked to do (requests sent, error boxes, pauses).
#include "client_context.h"
#include "client_state.h"
#include "commands.h"
#include "dispatcher.h"
#include "handlers.h"
#include "main_pages.h"
#include "named_widgets.h"
#include "register_store.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

struct FeaturePages {
    QWidget root;
    QLabel *LblMesaj = new QLabel(&root);
    QLabel *LblGiden = new QLabel(&root);
    QLabel *Label2 = new QLabel(&root);
    QLineEdit *Edit111 = new QLineEdit(QStringLiteral("12006"), &root);
    ConnectionState conn;
    ProgramState prog;
    RegisterStore store;
    NamedWidgets widgets;
    ClientContext ctx;
    Dispatcher dispatcher;

    QList<QByteArray> sent;
    QStringList errors;
    QList<int> pauses;

    FeaturePages()
    {
        LblMesaj->setObjectName(QStringLiteral("LblMesaj"));
        LblGiden->setObjectName(QStringLiteral("LblGiden"));
        Label2->setObjectName(QStringLiteral("Label2"));
        Edit111->setObjectName(QStringLiteral("Edit111"));
        auto *lay = new QVBoxLayout(&root);
        for (void (*build)(QWidget *) : {pages::buildAsiriAkim, pages::buildHarmonikDalga, pages::buildHarmonikTablo, pages::buildModem}) {
            auto *page = new QWidget(&root);
            build(page);
            lay->addWidget(page);
        }
        widgets.index(&root);
        ctx.conn = &conn;
        ctx.prog = &prog;
        ctx.store = &store;
        ctx.mainWidgets = &widgets;
        ctx.mainWindow = &root;
        ctx.messageLine = LblMesaj;
        ctx.outgoingLine = LblGiden;
        ctx.send = [this](const QByteArray &r) { sent.append(r); };
        ctx.showError = [this](const QString &t) { errors.append(t); };
        ctx.pause = [this](int ms, const std::function<void()> &then) {
            pauses.append(ms);
            if (then)
                then();
        };
        handlers::install(dispatcher, ctx);
        commands::installHarmonics(ctx);
        commands::installRelays(ctx);
    }

    template <class T> T *get(const QString &name) const
    {
        T *w = widgets.get<T>(name);
        Q_ASSERT_X(w, "FeaturePages", qPrintable(name));
        return w;
    }

    // One socket read through the dispatcher.
    void deliver(const QByteArray &read) { dispatcher.walk(read, prog.lastRemainder); }
};

// "enerjial", three bytes the client skips, then the device's answer.
inline QByteArray enerjial(const QByteArray &content)
{
    return QByteArrayLiteral("enerjial\x01\x01\x01") + content;
}

// Byte values as "$"-ended decimal text, after a station, function and count.
inline QByteArray waveformText(const QList<int> &samples)
{
    QByteArray t("1$3$128$");
    for (int s : samples)
        t += QByteArray::number(s) + '$';
    return t;
}
