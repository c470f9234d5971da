// Developer tool: pages 1 "Analizör-Tüketim Değerleri" and 6 "Sayaç Okuma"
// with the bundled simulator's answers, as a user sees them after asking for
// the ratios between two dates and reading the meters.
//   energy_shots OUTDIR
#include "appearance.h"
#include "client_windows.h"
#include "sim_server.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

namespace {

bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

struct Shots {
    ClientWindows &w;
    QString out;
    QTextStream err{stderr};

    template <class T> T *get(const char *name) { return w.ana.widgets().get<T>(QLatin1String(name)); }
    QTabWidget *tabs() { return get<QTabWidget>("suiPageControl1"); }

    void show(int page)
    {
        tabs()->setTabVisible(page, true);
        tabs()->widget(page)->setEnabled(true);
        tabs()->setCurrentIndex(page);
    }

    void save(const QString &name)
    {
        waitFor([] { return false; }, 200);
        w.ana.grab().save(out + QLatin1Char('/') + name);
        err << "saved " << name << Qt::endl;
    }

    // The ratios between two dates on page 1.
    void range(const char *serial, const QString &name)
    {
        show(1);
        get<QLineEdit>("Edit111")->setText(QLatin1String(serial));
        get<QLabel>("inddurum")->setText(QStringLiteral("DURUM"));
        get<QAbstractButton>("VrShadowButton9")->click();
        if (!waitFor([&] { return get<QLabel>("inddurum")->text() != QLatin1String("DURUM"); }, 3000)) {
            err << "no answer for " << serial << Qt::endl;
            return;
        }
        save(name);
    }

    // A meter read through its modem, then its ratios between two dates.
    void meter(const char *serial, const QString &name)
    {
        show(6);
        get<QLineEdit>("Edit111")->setText(QLatin1String(serial));
        get<QAbstractButton>("VrShadowButton11")->click();
        auto *memo = get<QPlainTextEdit>("Memo3");
        if (!waitFor([&] { return memo->toPlainText().contains(QLatin1String("\n!\n")); }, 8000)) {
            err << "no readout from " << serial << Qt::endl;
            return;
        }
        get<QAbstractButton>("VrShadowButton12")->click();
        if (!waitFor([&] { return !get<QLabel>("lblsycindurum")->text().isEmpty(); }, 3000)) {
            err << "no ratios for " << serial << Qt::endl;
            return;
        }
        save(name);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(out);

    sim::SimServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 1;
    ClientWindows w;
    w.giris.setInternetProbe([] { return true; });
    Shots shots{w, out};

    // The login window comes up with the main window; log in as the demo user.
    QTimer::singleShot(300, [&] {
        w.giris.findChild<QLineEdit *>("Edit1")->setText("demo");
        w.giris.findChild<QLineEdit *>("Edit4")->setText("1234");
        w.giris.findChild<QLineEdit *>("edtport")->setText(QString::number(server.port()));
        w.giris.findChild<QPushButton *>("suiButton1")->click();
    });
    QTimer::singleShot(1500, [&] {
        shots.range("12001", QStringLiteral("energy_page1_normal.png"));
        shots.range("12002", QStringLiteral("energy_page1_kritik.png"));
        shots.range("12005", QStringLiteral("energy_page1_alarm.png"));
        shots.range("12008", QStringLiteral("energy_page1_ceza.png"));
        shots.meter("12004", QStringLiteral("energy_page6_meter9.png"));
        shots.meter("12007", QStringLiteral("energy_page6_meter8.png"));
        shots.meter("12009", QStringLiteral("energy_page6_meter10.png"));
        app.quit();
    });
    w.ana.show();
    return app.exec();
}
