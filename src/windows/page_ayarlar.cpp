// Page 8 "Ayarlar": the constant settings of a compensation relay. Every
// setting sits in a column of its group; beneath the settings a black row
// titled "Okunan Değerler" shows what the relay reported for each of them.
#include "main_pages.h"
#include "page_kit.h"

#include "spin_edit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

struct SettingsPage {
    Q_DECLARE_TR_FUNCTIONS(SettingsPage)
};

constexpr int kReadBackHeight = 20;
const QString kNotRead = QStringLiteral("-");

// One setting of a group: an optional caption above it, its input widgets
// stacked, and the name of the label that shows the value read back.
struct Setting {
    QString caption;
    QList<QWidget *> inputs;
    QString readBack;
};

void setTextColor(QWidget *w, const QColor &c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    w->setPalette(pal);
}

// Lays the settings out as columns 1…n of a grid; column 0 carries the row
// title of the read-back row, and the "Set" button (if any) closes the row.
void layoutSettings(QWidget *owner, const QList<Setting> &settings, QWidget *setButton = nullptr)
{
    auto *grid = new QGridLayout(owner);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    if (qobject_cast<QGroupBox *>(owner))
        grid->setContentsMargins(8, 6, 8, 8);
    else
        grid->setContentsMargins(8, 0, 8, 0);

    bool captions = false;
    int inputRows = 0;
    for (const Setting &s : settings) {
        captions = captions || !s.caption.isEmpty();
        inputRows = qMax(inputRows, int(s.inputs.size()));
    }
    const int firstInputRow = captions ? 1 : 0;
    const int readBackRow = firstInputRow + inputRows;
    const int lastColumn = int(settings.size());

    // The black strip goes in first so the labels placed over it stay on top.
    auto *strip = new QFrame(owner);
    strip->setAutoFillBackground(true);
    QPalette pal = strip->palette();
    pal.setColor(QPalette::Window, Qt::black);
    strip->setPalette(pal);
    strip->setMinimumHeight(kReadBackHeight);
    grid->addWidget(strip, readBackRow, 0, 1, lastColumn + 1);

    QLabel *title = kit::caption(owner, SettingsPage::tr("Okunan Değerler"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setIndent(6);
    setTextColor(title, QColor(0xFF, 0xFF, 0x80));
    grid->addWidget(title, readBackRow, 0);

    for (int i = 0; i < settings.size(); ++i) {
        const Setting &s = settings.at(i);
        const int column = i + 1;
        if (!s.caption.isEmpty()) {
            QLabel *cap = kit::caption(owner, s.caption);
            cap->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
            grid->addWidget(cap, 0, column);
        }
        for (int r = 0; r < s.inputs.size(); ++r)
            grid->addWidget(s.inputs.at(r), firstInputRow + r, column);
        QLabel *value = kit::label(owner, s.readBack, kNotRead);
        value->setFont(bold);
        value->setIndent(4);
        value->setMinimumHeight(kReadBackHeight);
        setTextColor(value, Qt::white);
        grid->addWidget(value, readBackRow, column);
        grid->setColumnStretch(column, 1);
    }
    if (setButton) {
        grid->addWidget(setButton, firstInputRow, lastColumn + 1, inputRows, 1, Qt::AlignVCenter);
        // Tab reaches "Set" after the values it sends, whenever it was made.
        if (!settings.isEmpty() && !settings.last().inputs.isEmpty())
            QWidget::setTabOrder(settings.last().inputs.last(), setButton);
    }
}

SpinEdit *settingSpin(QWidget *parent, const char *name, double minimum, double maximum, double value)
{
    SpinEdit *s = kit::spin(parent, QString::fromLatin1(name), minimum, maximum, 1, 0, value);
    s->setMinimumWidth(72);
    return s;
}

// A spin box with its own "Set" button beside it.
QWidget *spinWithButton(QWidget *parent, SpinEdit *spin, QPushButton *button)
{
    auto *row = new QWidget(parent);
    auto *lay = new QHBoxLayout(row);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(6);
    spin->setParent(row);
    button->setParent(row);
    lay->addWidget(spin, 1);
    lay->addWidget(button);
    return row;
}

// "Devreye Al" / "Devre Dışı Bırak" style pair; each pair is exclusive on its
// own, independent of the other radio buttons of the same group box.
QList<QWidget *> radioPair(QWidget *parent, const char *first, const QString &firstText, const char *second,
                           const QString &secondText, bool firstChecked)
{
    QRadioButton *a = kit::radio(parent, QString::fromLatin1(first), firstText);
    QRadioButton *b = kit::radio(parent, QString::fromLatin1(second), secondText);
    auto *pair = new QButtonGroup(parent);
    pair->setExclusive(true);
    pair->addButton(a);
    pair->addButton(b);
    a->setChecked(firstChecked);
    return {a, b};
}

QPushButton *setButton(QWidget *parent, const char *name)
{
    return kit::button(parent, QString::fromLatin1(name), SettingsPage::tr("Set"));
}

QString enableText() { return SettingsPage::tr("Devreye Al"); }
QString disableText() { return SettingsPage::tr("Devre Dışı Bırak"); }

QWidget *buildCtBlock(QWidget *parent)
{
    auto *block = new QWidget(parent);
    SpinEdit *ct = settingSpin(block, "CT", 0, 2000, 1);
    QPushButton *send = kit::button(block, QStringLiteral("Button9"), SettingsPage::tr("Gönder"));
    layoutSettings(block,
                   {{SettingsPage::tr("CT (Akım Trafosu)"), {spinWithButton(block, ct, send)}, QStringLiteral("LBLCT")}});
    return block;
}

QGroupBox *buildSwitchTimes(QWidget *parent)
{
    QGroupBox *box = kit::group(parent, QString(), SettingsPage::tr("Alma Çıkarma Süreleri"));
    layoutSettings(box,
                   {{SettingsPage::tr("Max Kademe Alma Süre"), {settingSpin(box, "maxalmasure", 10, 60, 10)},
                     QStringLiteral("LBLmaxalmasure")},
                    {SettingsPage::tr("Max Kademe Çıkma Süre"), {settingSpin(box, "maxcikmasure", 10, 60, 10)},
                     QStringLiteral("LBLmaxcikmasure")},
                    {SettingsPage::tr("Min Kademe Alma-Çıkma Süre"), {settingSpin(box, "minalmacikmasure", 2, 10, 2)},
                     QStringLiteral("LBLminalmacikmasure")}},
                   setButton(box, "Button7"));
    return box;
}

QGroupBox *buildPenaltyLimits(QWidget *parent)
{
    QGroupBox *box = kit::group(parent, QString(), SettingsPage::tr("Ceza Sınırları"));
    struct Limit {
        const char *caption, *spin, *button, *readBack;
        double minimum, maximum, value;
    };
    const Limit limits[] = {
        {QT_TRANSLATE_NOOP("SettingsPage", "Tanjant Fi"),
         "Tanfi", "btntanfi", "lbltanfi", -75, 75, 0},
        {QT_TRANSLATE_NOOP("SettingsPage", "İnd. Ceza Sınır"),
         "indcezasinir", "btnindceza", "lblindcezasinir", 5, 50, 15},
        {QT_TRANSLATE_NOOP("SettingsPage", "Kap. Ceza Sınır"),
         "kapcezasinir", "btnkapceza", "lblkapcezasinir", 5, 50, 10},
    };
    QList<Setting> settings;
    for (const Limit &l : limits) {
        SpinEdit *spin = settingSpin(box, l.spin, l.minimum, l.maximum, l.value);
        settings.append({SettingsPage::tr(l.caption), {spinWithButton(box, spin, setButton(box, l.button))},
                         QString::fromLatin1(l.readBack)});
    }
    layoutSettings(box, settings);
    return box;
}

QGroupBox *buildLearning(QWidget *parent)
{
    // '&' would be taken as a mnemonic marker; doubled it shows as written.
    QGroupBox *box = kit::group(parent, QString(), SettingsPage::tr("Kondansatör Öğrenme &&  Yön Sabitleme"));
    layoutSettings(
        box,
        {{SettingsPage::tr("Kondansatör Öğrenme"),
          radioPair(box, "konogrenmedevrede", enableText(), "konogrenmeddisi", disableText(), true),
          QStringLiteral("konogrenmedurum")},
         {SettingsPage::tr("Yön Sabitleme"),
          radioPair(box, "yonsabitdevrede", enableText(), "yonsabitddisi", disableText(), true),
          QStringLiteral("yonsabitdurum")}},
        setButton(box, "Button5"));
    return box;
}

// A group of two options, one column each, with one read-back label per option.
QGroupBox *buildOptionPair(QWidget *parent, const QString &title, const char *first, const QString &firstText,
                           const char *firstReadBack, const char *second, const QString &secondText,
                           const char *secondReadBack, const char *button)
{
    QGroupBox *box = kit::group(parent, QString(), title);
    const QList<QWidget *> pair = radioPair(box, first, firstText, second, secondText, false);
    layoutSettings(box,
                   {{QString(), {pair.at(0)}, QString::fromLatin1(firstReadBack)},
                    {QString(), {pair.at(1)}, QString::fromLatin1(secondReadBack)}},
                   setButton(box, button));
    return box;
}

QGroupBox *buildAlarms(QWidget *parent)
{
    QGroupBox *box = kit::group(parent, QString(), SettingsPage::tr("Alarmlar"));
    // The alarm captions are coloured red or aqua by the refresh; a dark
    // ground keeps both readable.
    box->setAutoFillBackground(true);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    box->setPalette(pal);
    static const char *const kCaptions[8] = {
        QT_TRANSLATE_NOOP("SettingsPage", "Aşırı Gerilim"),
        QT_TRANSLATE_NOOP("SettingsPage", "Düşük Gerilim"),
        QT_TRANSLATE_NOOP("SettingsPage", "Aşırı Akım"),
        QT_TRANSLATE_NOOP("SettingsPage", "Aşırı Kompanzasyon"),
        QT_TRANSLATE_NOOP("SettingsPage", "Düşük Kompanzasyon"),
        QT_TRANSLATE_NOOP("SettingsPage", "Sistem Hatası"),
        QT_TRANSLATE_NOOP("SettingsPage", "Faz Yokluğu"),
        QT_TRANSLATE_NOOP("SettingsPage", "Aşırı Sıcaklık"),
    };
    auto *grid = new QGridLayout(box);
    for (int n = 1; n <= 8; ++n) {
        QCheckBox *alarm = kit::readOnlyCheck(box, QStringLiteral("al%1").arg(n), SettingsPage::tr(kCaptions[n - 1]));
        setTextColor(alarm, QColor(0x00, 0xFF, 0xFF));
        grid->addWidget(alarm, (n - 1) / 2, (n - 1) % 2);
    }
    box->hide();
    return box;
}

QGroupBox *buildProtections(QWidget *parent)
{
    QGroupBox *box = kit::group(parent, QString(), SettingsPage::tr("Korumalar"));
    auto *grid = new QGridLayout(box);
    const QList<QWidget *> capacitor = radioPair(box, "Konkorumaal", enableText(), "Konkorumadisi", disableText(), false);
    const QList<QWidget *> heat = radioPair(box, "Sicaklikkoral", enableText(), "Sicaklikkordisi", disableText(), false);
    grid->addWidget(kit::caption(box, SettingsPage::tr("Kondansatör Koruma")), 0, 0);
    grid->addWidget(capacitor.at(0), 0, 1);
    grid->addWidget(capacitor.at(1), 0, 2);
    grid->addWidget(kit::caption(box, SettingsPage::tr("Sıcaklık Koruma")), 1, 0);
    grid->addWidget(heat.at(0), 1, 1);
    grid->addWidget(heat.at(1), 1, 2);
    grid->addWidget(setButton(box, "Button6"), 0, 3, 2, 1, Qt::AlignVCenter);
    box->hide();
    return box;
}

} // namespace

void pages::buildAyarlar(QWidget *page)
{
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(8, 8, 8, 8);

    QGroupBox *constants = kit::group(page, QString(), SettingsPage::tr("Sabit Değerler"));
    outer->addWidget(constants);
    auto *grid = new QGridLayout(constants);
    grid->setContentsMargins(8, 4, 8, 8);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);

    grid->addWidget(buildCtBlock(constants), 0, 0);
    grid->addWidget(kit::button(constants, QStringLiteral("sabitoku"), SettingsPage::tr("Değerleri Oku")), 0, 1,
                    Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(buildSwitchTimes(constants), 1, 0, 1, 2);
    grid->addWidget(buildPenaltyLimits(constants), 2, 0, 1, 2);
    grid->addWidget(buildLearning(constants), 3, 0, 1, 2);
    grid->addWidget(buildOptionPair(constants, SettingsPage::tr("Kondansatör Devreye Alma Modu"), "manueldevrede",
                                    SettingsPage::tr("Manuel"), "lblmanuel", "otomatikdevrede",
                                    SettingsPage::tr("Otomatik"), "lblotomatik", "zorvotomanuelyaz"),
                    4, 0, 1, 2);
    grid->addWidget(buildOptionPair(constants, SettingsPage::tr("Hızlı Mod"), "radioaktif", enableText(), "lblhizlia",
                                    "radiopasif", disableText(), "lblhizlip", "Button8"),
                    5, 0, 1, 2);
    grid->addWidget(buildAlarms(constants), 6, 0);
    grid->addWidget(buildProtections(constants), 6, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(7, 1);
    outer->addStretch(0);
}
