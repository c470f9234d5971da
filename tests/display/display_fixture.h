#pragma once
// The client's windows with the live display, driven one tick at a time
// through the main window's own Timer1.
#include "client_state.h"
#include "client_windows.h"

#include <QCheckBox>
#include <QLabel>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>

#include <memory>

struct DisplayFixture {
    std::unique_ptr<ClientWindows> w = std::make_unique<ClientWindows>();

    DisplayFixture()
    {
        // Ticks come from the tests only.
        timer()->stop();
        ProgramState &p = programState();
        p.deviceKind = 0;
        p.activeSerial = 12001;
        p.decimalSeparator = QLatin1Char('.');
    }

    QTimer *timer() const { return w->ana.findChild<QTimer *>(QStringLiteral("Timer1")); }
    RegisterStore &store() const { return w->vd1kal.store(); }
    // One tick of the main window's Timer1, as its timeout delivers it.
    void tick() const { QMetaObject::invokeMethod(timer(), "timeout", Qt::DirectConnection); }

    QObject *object(const QString &name) const { return w->ana.widgets().object(name); }
    template <class T> T *get(const QString &name) const { return w->ana.widgets().get<T>(name); }
    QString text(const QString &name) const
    {
        QObject *o = object(name);
        return o ? o->property("text").toString() : QStringLiteral("<missing %1>").arg(name);
    }
    bool checked(const QString &name) const
    {
        auto *c = get<QCheckBox>(name);
        return c && c->isChecked();
    }
    QTabWidget *pages() const { return get<QTabWidget>(QStringLiteral("suiPageControl1")); }

    // "reg=value reg=value …" into row 1 (or "row:reg=value").
    void set(const QString &assignments) const
    {
        for (const QString &a : assignments.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList kv = a.split(u'=');
            QStringList where = kv.at(0).split(u':');
            const int row = where.size() == 2 ? where.at(0).toInt() : 1;
            store().write(row, where.last().toInt(), kv.at(1).toDouble());
        }
    }
};
