#pragma once
// For the developer tools that use the client as a user does: logs in
// through the login window, clicks device items and the buttons of the pages
// by hand (mouse events on the items, click() on the buttons), and lists
// what can be clicked on each page. The client itself is not changed; only
// its two dialog services are replaced, so that an unattended run never
// waits for a person (an error box is written to the log, a Yes/No question
// is answered No).
#include "client_windows.h"
#include "group_bar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>

#include <functional>

namespace driver {

inline QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

// Error boxes and questions without a person in front of the screen.
inline void unattended(ClientWindows &w)
{
    ClientContext &ctx = w.ana.context();
    ctx.showError = [](const QString &text) { out() << "error box: " << text << Qt::endl; };
    ctx.confirm = [](const QString &text) {
        out() << "question answered No: " << QString(text).replace(u'\n', u' ').replace(u'\r', u' ') << Qt::endl;
        return false;
    };
}

// Fills the login window and presses "Bağlan" (the window may be showing
// modally or hidden).
inline void logIn(ClientWindows &w, const QString &host, quint16 port, const QString &user, const QString &password)
{
    w.giris.setInternetProbe([] { return true; });
    if (host != QLatin1String("127.0.0.1"))
        w.giris.findChild<QLineEdit *>(QStringLiteral("Servername"))->setText(host);
    w.giris.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(user);
    w.giris.findChild<QLineEdit *>(QStringLiteral("Edit4"))->setText(password);
    w.giris.findChild<QLineEdit *>(QStringLiteral("edtport"))->setText(QString::number(port));
    w.giris.findChild<QPushButton *>(QStringLiteral("suiButton1"))->click();
}

inline QList<GroupBarItem *> items(ClientWindows &w)
{
    QList<GroupBarItem *> all;
    for (GroupBarGroup *g : w.ana.context().deviceBar->groups())
        for (GroupBarItem *it : g->items())
            all << it;
    return all;
}

inline GroupBarItem *item(ClientWindows &w, const QString &serial)
{
    for (GroupBarItem *it : items(w))
        if (it->caption().endsWith(QStringLiteral(" No: ") + serial))
            return it;
    return nullptr;
}

// A left click on the item, as the mouse makes it.
inline void click(GroupBarItem *it)
{
    const QPointF at(30, it->height() / 2.0);
    const QPointF global = it->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(it, &press);
    QApplication::sendEvent(it, &release);
}

inline QTabWidget *pages(ClientWindows &w)
{
    return w.ana.findChild<QTabWidget *>(QStringLiteral("suiPageControl1"));
}

// The pages whose tabs show, in order.
inline QList<int> shownPages(ClientWindows &w)
{
    QList<int> shown;
    QTabWidget *tabs = pages(w);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i) && tabs->isTabEnabled(i))
            shown << i;
    return shown;
}

// The buttons of a page that a user can press: shown, enabled, named.
inline QList<QAbstractButton *> buttons(ClientWindows &w, int page)
{
    QList<QAbstractButton *> found;
    QWidget *p = pages(w)->widget(page);
    for (QAbstractButton *b : p->findChildren<QAbstractButton *>()) {
        // Qt's own parts (the tab bar's scroll buttons) are not the page's.
        const QString name = b->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || name == QLatin1String("ScrollLeftButton")
            || name == QLatin1String("ScrollRightButton"))
            continue;
        if (b->isVisibleTo(p) && b->isEnabled())
            found << b;
    }
    return found;
}

} // namespace driver
