// Developer tool: renders main-window pages by themselves at the size the
// page control gives them and saves each as a PNG.
//   page_shot OUTDIR [INDEX…]
#include "appearance.h"
#include "main_pages.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    QTabWidget tabs;
    tabs.setObjectName(QStringLiteral("suiPageControl1"));
    buildMainPages(&tabs);
    tabs.resize(837, 705);
    QList<int> wanted;
    for (int i = 2; i < argc; ++i)
        wanted << QString::fromLocal8Bit(argv[i]).toInt();
    if (wanted.isEmpty())
        for (int i = 0; i < tabs.count(); ++i)
            wanted << i;
    tabs.show();
    for (int i : wanted) {
        tabs.setTabVisible(i, true);
        tabs.setCurrentIndex(i);
        tabs.widget(i)->setEnabled(true);
        app.processEvents();
        tabs.grab().save(QStringLiteral("%1/page%2.png").arg(out).arg(i));
    }
    return 0;
}
