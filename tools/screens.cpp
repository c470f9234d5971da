// Developer tool: screenshots of every window of the client and of every page
// of the main window, as a user sees them after logging in.
//   screens OUTDIR
#include "appearance.h"
#include "client_windows.h"
#include "group_bar.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>

namespace {
void save(QWidget *w, const QString &path)
{
    QApplication::processEvents();
    w->grab().save(path);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(out);

    ClientWindows w;
    w.giris.setInternetProbe([] { return true; });

    // A device list as the demo server sends it.
    auto *bar = w.ana.findChild<GroupBar *>(QStringLiteral("RzGroupBar1"));
    const struct { const char *group, *name, *serial; int kind; } devices[] = {
        {"MERKEZ FABRİKA", "Ana Pano Analizörü", "12001", 0}, {"MERKEZ FABRİKA", "Kompanzasyon Rölesi", "12002", 2},
        {"MERKEZ FABRİKA", "Aşırı Akım Rölesi", "12003", 3}, {"DEPO", "Sayaç Modemi", "12004", 4},
        {"DEPO", "Depo Kompanzasyon", "12005", 2},          {"DEPO", "Pompa Modemi", "12006", -1},
    };
    for (const auto &d : devices) {
        GroupBarGroup *g = nullptr;
        for (GroupBarGroup *x : bar->groups())
            if (x->caption() == QString::fromUtf8(d.group))
                g = x;
        if (!g)
            g = bar->addGroup(QString::fromUtf8(d.group));
        g->insertItem(QString::fromUtf8(d.name) + QStringLiteral(" No: ") + QLatin1String(d.serial), d.kind);
    }

    QTimer::singleShot(300, [&] {
        save(&w.giris, out + QStringLiteral("/login.png"));
        w.giris.reject();
    });
    QTimer::singleShot(900, [&] {
        auto *tabs = w.ana.findChild<QTabWidget *>(QStringLiteral("suiPageControl1"));
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setTabVisible(i, true);
            tabs->widget(i)->setEnabled(true);
        }
        if (QWidget *p8 = w.ana.findChild<QWidget *>(QStringLiteral("Panel8")))
            p8->show();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            save(&w.ana, out + QStringLiteral("/page%1.png").arg(i));
        }
        tabs->setCurrentIndex(0);
        w.mesajlar.show();
        if (auto *list = w.mesajlar.findChild<QListWidget *>(QStringLiteral("RzListBox1"))) {
            list->addItem(QStringLiteral("//Bakım duyurusu"));
            list->addItem(QStringLiteral("//Fatura dönemi hatırlatması"));
        }
        if (auto *text = w.mesajlar.findChild<QTextEdit *>(QStringLiteral("RichEdit1")))
            text->setPlainText(QStringLiteral("Sayın kullanıcımız, 12 Aralık günü 02:00-04:00 arasında "
                                              "sunucu bakımı yapılacaktır."));
        save(&w.mesajlar, out + QStringLiteral("/messages.png"));
        w.haberlesme.addRead(QByteArray("pong\x01\xF4\xF4\xF4"));
        w.haberlesme.addRead(QByteArray("cihazlar\x01" "depo\x01PMT830\x01Sayac Modemi\x01" "12004\x01\xF4\xF4\xF4"));
        w.haberlesme.show();
        save(&w.haberlesme, out + QStringLiteral("/log.png"));
        app.quit();
    });
    w.ana.show();
    return app.exec();
}
