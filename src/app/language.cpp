#include "language.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>

namespace language {

namespace {

// The user's settings of the program, where the menu's choice stays.
QSettings &userSettings()
{
    static QSettings settings;
    return settings;
}

} // namespace

void startIn(QApplication &app, const QString &requested)
{
    installTranslator(app, chooseLanguage(requested, rememberedLanguage(userSettings()), QLocale::system()));
}

void addLanguageMenu(QMenuBar *bar)
{
    // Both names in both languages, so that a user who cannot read the one
    // on screen still finds the other.
    QMenu *menu = bar->addMenu(QStringLiteral("Dil / Language"));
    menu->setObjectName(QStringLiteral("Dil1"));
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);
    const struct {
        const char *name;
        QString language;
        QString caption; // each language names itself
    } choices[] = {
        {"Turkce1", kTurkish, QStringLiteral("Türkçe")},
        {"English1", kEnglish, QStringLiteral("English")},
    };
    for (const auto &c : choices) {
        QAction *a = menu->addAction(c.caption);
        a->setObjectName(QLatin1String(c.name));
        a->setCheckable(true);
        a->setChecked(c.language == currentLanguage());
        group->addAction(a);
        const QString language = c.language;
        QObject::connect(a, &QAction::triggered, menu, [bar, language] {
            rememberLanguage(userSettings(), language);
            // Not modal: the choice needs no answer and waits for the next start.
            auto *notice = new QMessageBox(
                QMessageBox::Information, QApplication::applicationName(),
                QCoreApplication::translate("Language", "Dil seçimi programın bir sonraki açılışında geçerli olur."),
                QMessageBox::Ok, bar->window());
            notice->setObjectName(QStringLiteral("languageNotice"));
            notice->setAttribute(Qt::WA_DeleteOnClose);
            notice->open();
        });
    }
}

} // namespace language
