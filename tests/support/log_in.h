#pragma once
// Logging in through the login window as a user does, for the tests that
// talk to a server on 127.0.0.1. The connection wait pumps events, so a
// server in the same process accepts meanwhile.
#include "frm_giris.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Fills the user name, password and port; the network counts as reachable
// (the platform's reachability service may be missing where tests run).
inline void fillLogin(TFrmGiris &g, quint16 port, const QString &user = QStringLiteral("demo"),
                      const QString &password = QStringLiteral("1234"))
{
    g.setInternetProbe([] { return true; });
    g.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(user);
    g.findChild<QLineEdit *>(QStringLiteral("Edit4"))->setText(password);
    g.findChild<QLineEdit *>(QStringLiteral("edtport"))->setText(QString::number(port));
}

// Fills the window, shows it and clicks "Bağlan".
inline void logIn(TFrmGiris &g, quint16 port, const QString &user = QStringLiteral("demo"),
                  const QString &password = QStringLiteral("1234"))
{
    fillLogin(g, port, user, password);
    g.show();
    QTest::mouseClick(g.findChild<QPushButton *>(QStringLiteral("suiButton1")), Qt::LeftButton);
}
