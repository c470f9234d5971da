// Pages 2 to 5 of the main window: overcurrent relay, harmonic waveforms,
// capacitor steps and the harmonic table. Every named component is checked
// for its kind, initial caption or value and visibility; the numbered
// families for completeness; the pages for fitting their area.
#include "appearance.h"
#include "image_area.h"
#include "lamp_button.h"
#include "led_display.h"
#include "main_pages.h"
#include "named_widgets.h"
#include "needle_meter.h"
#include "shadow_button.h"
#include "spin_edit.h"
#include "spinner.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

constexpr QSize kPageArea{831, 672};

// What a component shows at start: its caption, text, title or value.
QString shown(QObject *o)
{
    if (auto *w = qobject_cast<LedDisplay *>(o))
        return w->text();
    if (auto *w = qobject_cast<NeedleMeter *>(o))
        return w->title();
    if (auto *w = qobject_cast<SpinEdit *>(o))
        return w->text();
    if (auto *w = qobject_cast<ImageArea *>(o))
        return QStringLiteral("%1x%2").arg(w->imageSize().width()).arg(w->imageSize().height());
    if (auto *w = qobject_cast<QAbstractButton *>(o))
        return w->text();
    if (auto *w = qobject_cast<QLineEdit *>(o))
        return w->text();
    if (auto *w = qobject_cast<QLabel *>(o))
        return w->text();
    if (auto *w = qobject_cast<QGroupBox *>(o))
        return w->title();
    if (auto *w = qobject_cast<QTabWidget *>(o)) {
        QStringList tabs;
        for (int i = 0; i < w->count(); ++i)
            tabs << w->tabText(i);
        return tabs.join(QLatin1Char('|'));
    }
    return QString();
}

QString harmonicName(bool voltage, int row, int phase)
{
    const QChar q = voltage ? QLatin1Char('v') : QLatin1Char('i');
    if (row == 0)
        return QStringLiteral("h_%1b_%2").arg(q).arg(phase);
    if (row == 16)
        return QStringLiteral("%1%2").arg(voltage ? QStringLiteral("thdv") : QStringLiteral("thdc")).arg(phase);
    return QStringLiteral("h_%1%2_%3").arg(q).arg(phase).arg(2 * row + 1);
}

// Children that Qt names itself (tab bar scroll buttons, qt_… helpers).
bool qtInternal(const QString &name)
{
    return name.startsWith(QLatin1String("qt_")) || name == QLatin1String("ScrollLeftButton")
        || name == QLatin1String("ScrollRightButton");
}

} // namespace

class TstPageRelayHarmonics : public QObject {
    Q_OBJECT

    struct Page {
        std::unique_ptr<QWidget> widget;
        NamedWidgets names;
    };
    Page m_pages[4]; // pages 2, 3, 4, 5

    QWidget *page(int index) { return m_pages[index - 2].widget.get(); }
    QObject *find(int index, const QString &name) { return m_pages[index - 2].names.object(name); }

private slots:
    void initTestCase()
    {
        void (*const builders[4])(QWidget *) = {pages::buildAsiriAkim, pages::buildHarmonikDalga,
                                                 pages::buildKondansator, pages::buildHarmonikTablo};
        for (int i = 0; i < 4; ++i) {
            m_pages[i].widget = std::make_unique<QWidget>();
            builders[i](m_pages[i].widget.get());
            m_pages[i].names.index(m_pages[i].widget.get());
        }
    }

    void overcurrentPanelStartsHidden()
    {
        auto *panel = qobject_cast<QFrame *>(find(2, QStringLiteral("Panel8")));
        QVERIFY(panel);
        QCOMPARE(panel->parentWidget(), page(2));
        QVERIFY(!panel->isVisibleTo(page(2)));
        // Every other component of the page lives on it.
        const QList<QWidget *> all = page(2)->findChildren<QWidget *>();
        for (QWidget *w : all)
            if (w != panel && !w->objectName().isEmpty() && !qtInternal(w->objectName()))
                QVERIFY2(panel->isAncestorOf(w), qPrintable(w->objectName()));
    }

    void components_data()
    {
        QTest::addColumn<int>("pageIndex");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hidden");
        auto row = [](int pg, const QString &name, const char *kind, const QString &text, bool hidden = false) {
            QTest::addRow("p%d/%s", pg, qPrintable(name)) << pg << name << QString::fromLatin1(kind) << text << hidden;
        };
        const QString z = QStringLiteral("000");
        const QString zero = QStringLiteral("0");

        // Page 2 (visibility as seen once device selection shows Panel8).
        row(2, QStringLiteral("Panel8"), "QFrame", QString(), true);
        row(2, QStringLiteral("Panel9"), "QFrame", QString());
        for (const char *n : {"Saat", "Trh", "Sno", "Serino", "akim1", "akim2", "akim3", "akimt"})
            row(2, QString::fromLatin1(n), "LedDisplay", z);
        row(2, QStringLiteral("VrMeter6"), "NeedleMeter", QStringLiteral("I 1"));
        row(2, QStringLiteral("VrMeter4"), "NeedleMeter", QStringLiteral("I 2"));
        row(2, QStringLiteral("VrMeter5"), "NeedleMeter", QStringLiteral("I 3"));
        row(2, QStringLiteral("VrMeter3"), "NeedleMeter", QStringLiteral("I t"));
        for (int i = 1; i <= 3; ++i)
            row(2, QStringLiteral("role%1").arg(i), "LampButton", QStringLiteral("Röle %1").arg(i));
        row(2, QStringLiteral("VrShadowButton1"), "ShadowButton", QStringLiteral("Röleleri Çek"));
        row(2, QStringLiteral("VrShadowButton2"), "ShadowButton", QStringLiteral("Değerleri Oku"));
        row(2, QStringLiteral("VrShadowButton3"), "ShadowButton", QStringLiteral("Sabit Değerleri Yaz"));
        for (int i = 1; i <= 8; ++i)
            row(2, QStringLiteral("VrSpinner%1").arg(i), "Spinner", QString());
        for (const char *n : {"Edit11", "Edit22", "Edit33", "Edit54", "Edit65", "Edit76", "Edit87"})
            row(2, QString::fromLatin1(n), "QLineEdit", zero);
        row(2, QStringLiteral("suiTabControl1"), "QTabWidget", QStringLiteral("Faz Koruma"));
        row(2, QStringLiteral("suiTabControl2"), "QTabWidget", QStringLiteral("Toprak Koruma"));
        row(2, QStringLiteral("Panel35"), "QLabel", QStringLiteral("Lütfen Bekleyin...."), true);
        row(2, QStringLiteral("suiButton1"), "QPushButton", QStringLiteral("Gönder"));
        row(2, QStringLiteral("suiButton2"), "QPushButton", QStringLiteral("Çıkış"));

        // Page 3.
        struct Phase {
            const char *request, *caption, *wave, *vChart, *vSpin, *vEdit, *iChart, *iSpin, *iEdit, *hidden;
        };
        const Phase phases[] = {
            {"VrShadowButton5", "Faz1 Harmonik İste", "Image1", "Image4", "SpinEdit2", "EditH22", "Image5",
             "SpinEdit1", "EditH2", "Button2"},
            {"VrShadowButton6", "Faz2 Harmonik İste", "Image2", "Image6", "SpinEdit3", "EditH11", "Image7",
             "SpinEdit4", "EditH12", "Button3"},
            {"VrShadowButton7", "Faz3 Harmonik İste", "Image3", "Image8", "SpinEdit5", "EditH31", "Image9",
             "SpinEdit6", "EditH32", "Button4"},
        };
        for (const Phase &p : phases) {
            row(3, QString::fromLatin1(p.request), "ShadowButton", QString::fromUtf8(p.caption));
            row(3, QString::fromLatin1(p.wave), "ImageArea", QStringLiteral("254x200"));
            row(3, QString::fromLatin1(p.vChart), "ImageArea", QStringLiteral("254x171"));
            row(3, QString::fromLatin1(p.iChart), "ImageArea", QStringLiteral("254x171"));
            row(3, QString::fromLatin1(p.vSpin), "SpinEdit", QStringLiteral("1"));
            row(3, QString::fromLatin1(p.iSpin), "SpinEdit", QStringLiteral("1"));
            row(3, QString::fromLatin1(p.vEdit), "QLineEdit", QString());
            row(3, QString::fromLatin1(p.iEdit), "QLineEdit", QString());
            row(3, QString::fromLatin1(p.hidden), "QPushButton", QStringLiteral("Button2"), true);
        }

        // Page 4.
        row(4, QStringLiteral("BitBtn2"), "QPushButton", QStringLiteral("Kondansatör güç değerlerini oku"));
        for (int n = 1; n <= 18; ++n) {
            for (const char *ph : {"R", "S", "T", "H"})
                row(4, QStringLiteral("C%1_%2").arg(n).arg(QLatin1String(ph)), "LedDisplay", z);
            for (const char *w : {"C%1_R_YAZ", "C%1_s_YAZ", "C%1_t_YAZ"})
                row(4, QString::fromLatin1(w).arg(n), "SpinEdit", QStringLiteral("1"));
            row(4, QStringLiteral("c%1_r_etkin").arg(n), "QCheckBox", QStringLiteral("R"));
            row(4, QStringLiteral("c%1_s_etkin").arg(n), "QCheckBox", QStringLiteral("S"));
            row(4, QStringLiteral("c%1_t_etkin").arg(n), "QCheckBox", QStringLiteral("T"));
            row(4, QStringLiteral("c%1yaz").arg(n), "QPushButton", QStringLiteral("Yaz"));
        }

        // Page 5.
        row(5, QStringLiteral("VrShadowButton4"), "ShadowButton", QStringLiteral("Harmonik Değerlerini İste"));
        for (int v = 0; v < 2; ++v)
            for (int r = 0; r < 17; ++r)
                for (int p = 1; p <= 3; ++p)
                    row(5, harmonicName(v == 0, r, p), "LedDisplay", z);
    }

    void components()
    {
        QFETCH(int, pageIndex);
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(bool, hidden);

        QObject *o = find(pageIndex, name);
        QVERIFY2(o, "component missing");
        QCOMPARE(o->objectName(), name); // exact spelling, not just case-folded
        QCOMPARE(QString::fromLatin1(o->metaObject()->className()), kind);
        QCOMPARE(shown(o), text);

        auto *w = qobject_cast<QWidget *>(o);
        QVERIFY(w);
        QWidget *root = page(pageIndex);
        QWidget *panel8 = qobject_cast<QWidget *>(find(2, QStringLiteral("Panel8")));
        const bool onPanel8 = pageIndex == 2 && w != panel8;
        const bool visible = onPanel8 ? w->isVisibleTo(panel8) : w->isVisibleTo(root);
        QCOMPARE(!visible, hidden);
    }

    void namesAreUniqueWithoutCase()
    {
        // Within each page and across the four: the main window indexes them together.
        QSet<QString> seen;
        for (auto &p : m_pages)
            for (QObject *o : p.widget->findChildren<QObject *>()) {
                const QString key = o->objectName().toLower();
                if (key.isEmpty() || qtInternal(o->objectName()))
                    continue;
                QVERIFY2(!seen.contains(key), qPrintable(key));
                seen.insert(key);
            }
    }

    void stepGroups_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("caption");
        for (int n = 1; n <= 18; ++n) {
            const QString c = n == 2 ? QStringLiteral("C 2 ") : n == 18 ? QStringLiteral(" C18") : QStringLiteral(" C%1 ").arg(n);
            QTest::addRow("C%d", n) << n << c;
        }
    }

    void stepGroups()
    {
        QFETCH(int, step);
        QFETCH(QString, caption);
        // The run-time names of the refresh cycle and the step writer (lower
        // case) find the step's widgets, all inside one group with its caption.
        auto *total = qobject_cast<LedDisplay *>(find(4, QStringLiteral("c%1_h").arg(step)));
        QVERIFY(total);
        auto *box = qobject_cast<QGroupBox *>(total->parentWidget());
        QVERIFY(box);
        QCOMPARE(box->title(), caption);
        for (const char *suffix : {"_r", "_s", "_t", "_r_yaz", "_s_yaz", "_t_yaz", "_r_etkin", "_s_etkin", "_t_etkin", "yaz"}) {
            auto *w = qobject_cast<QWidget *>(find(4, QStringLiteral("c%1%2").arg(step).arg(QLatin1String(suffix))));
            QVERIFY2(w, suffix);
            QCOMPARE(w->parentWidget(), box);
        }
        for (const char *suffix : {"_R_YAZ", "_s_YAZ", "_t_YAZ"}) {
            auto *spin = qobject_cast<SpinEdit *>(find(4, QStringLiteral("C%1%2").arg(step).arg(QLatin1String(suffix))));
            QVERIFY(spin);
            QCOMPARE(spin->minimum(), 0.0);
            QCOMPARE(spin->maximum(), 5000.0);
            QCOMPARE(spin->value(), 1.0);
            QVERIFY(!spin->rangeEnforced()); // a typed fraction is kept for the writer to refuse
        }
        for (const char *ph : {"r", "s", "t"}) {
            auto *c = qobject_cast<QCheckBox *>(find(4, QStringLiteral("c%1_%2_etkin").arg(step).arg(QLatin1String(ph))));
            QVERIFY(c);
            QVERIFY(c->isEnabled()); // read-only, not greyed out
            QVERIFY(c->testAttribute(Qt::WA_TransparentForMouseEvents));
            QCOMPARE(c->focusPolicy(), Qt::NoFocus);
            QVERIFY(!c->isChecked());
        }
    }

    void harmonicSelectorsAndPictures()
    {
        for (int i = 1; i <= 6; ++i) {
            auto *spin = qobject_cast<SpinEdit *>(find(3, QStringLiteral("SpinEdit%1").arg(i)));
            QVERIFY(spin);
            QCOMPARE(spin->minimum(), 1.0);
            QCOMPARE(spin->maximum(), 31.0);
            QCOMPARE(spin->singleStep(), 2.0);
            QCOMPARE(spin->decimals(), 0);
            QCOMPARE(spin->value(), 1.0);
        }
        for (int i = 1; i <= 9; ++i) {
            auto *img = qobject_cast<ImageArea *>(find(3, QStringLiteral("Image%1").arg(i)));
            QVERIFY(img);
            QCOMPARE(img->imageSize().width(), 254);
            QCOMPARE(img->size(), img->imageSize());
            const QImage &im = img->image();
            for (const QPoint p : {QPoint(0, 0), QPoint(253, 0), QPoint(127, 85), QPoint(253, im.height() - 1)})
                QCOMPARE(QColor(im.pixel(p)), QColor(Qt::black));
        }
        // Each phase keeps its pictures, selectors and boxes in one panel.
        const char *groups[3][9] = {
            {"VrShadowButton5", "Image1", "Image4", "Image5", "SpinEdit1", "SpinEdit2", "EditH2", "EditH22", "Button2"},
            {"VrShadowButton6", "Image2", "Image6", "Image7", "SpinEdit3", "SpinEdit4", "EditH11", "EditH12", "Button3"},
            {"VrShadowButton7", "Image3", "Image8", "Image9", "SpinEdit5", "SpinEdit6", "EditH31", "EditH32", "Button4"},
        };
        for (const auto &g : groups) {
            QWidget *panel = qobject_cast<QWidget *>(find(3, QString::fromLatin1(g[0])))->parentWidget();
            for (const char *n : g)
                QCOMPARE(qobject_cast<QWidget *>(find(3, QString::fromLatin1(n)))->parentWidget(), panel);
        }
    }

    void harmonicTableRows()
    {
        // Rows are ordered BH, 3rd … 31th, Σ down each phase column of both groups.
        page(5)->resize(kPageArea);
        page(5)->show();
        QVERIFY(QTest::qWaitForWindowExposed(page(5)));
        QStringList captions{QStringLiteral("R"), QStringLiteral("S"), QStringLiteral("T"), QStringLiteral("BH"),
                             QStringLiteral("3rd")};
        for (int order = 5; order <= 31; order += 2)
            captions << QStringLiteral("%1th").arg(order);
        captions << QStringLiteral("Σ");
        int groupX = -1;
        for (int v = 0; v < 2; ++v) {
            QGroupBox *group = nullptr;
            int columnX = -1;
            for (int p = 1; p <= 3; ++p) {
                int lastY = -1;
                int x = -1;
                for (int r = 0; r < 17; ++r) {
                    auto *led = qobject_cast<LedDisplay *>(find(5, harmonicName(v == 0, r, p)));
                    QVERIFY(led);
                    if (!group) {
                        group = qobject_cast<QGroupBox *>(led->parentWidget());
                        QVERIFY(group);
                        QCOMPARE(group->title(), v == 0 ? QStringLiteral("Gerilim") : QStringLiteral("Akım"));
                    }
                    QCOMPARE(led->parentWidget(), group);
                    QVERIFY(led->y() > lastY);
                    lastY = led->y();
                    if (x >= 0)
                        QCOMPARE(led->x(), x);
                    x = led->x();
                }
                QVERIFY(x > columnX); // R, S, T from left to right
                columnX = x;
            }
            QVERIFY(group->x() > groupX); // voltage left of current
            groupX = group->x();
            QStringList texts;
            for (QLabel *l : group->findChildren<QLabel *>())
                texts << l->text();
            for (const QString &c : captions)
                QVERIFY2(texts.count(c) == 1, qPrintable(c));
        }
        page(5)->hide();
    }

    void pagesFitTheirArea_data()
    {
        QTest::addColumn<int>("pageIndex");
        for (int pg = 2; pg <= 5; ++pg)
            QTest::addRow("page%d", pg) << pg;
    }

    void pagesFitTheirArea()
    {
        QFETCH(int, pageIndex);
        QWidget *root = page(pageIndex);
        if (pageIndex == 2)
            qobject_cast<QWidget *>(find(2, QStringLiteral("Panel8")))->show();
        root->resize(kPageArea);
        root->show();
        QVERIFY(QTest::qWaitForWindowExposed(root));
        const QSize need = root->minimumSizeHint();
        QVERIFY2(need.width() <= kPageArea.width() && need.height() <= kPageArea.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(need.width()).arg(need.height())));

        // Leaf components lie inside the page, get at least their minimum
        // size, and none covers another.
        QList<QWidget *> leaves;
        for (QWidget *w : root->findChildren<QWidget *>()) {
            if (!w->isVisible() || w->objectName().isEmpty() || qtInternal(w->objectName()))
                continue;
            if (qobject_cast<QFrame *>(w) && !qobject_cast<QLabel *>(w))
                continue; // panels hold the others
            if (qobject_cast<QTabWidget *>(w))
                continue;
            leaves << w;
        }
        QVERIFY(!leaves.isEmpty());
        const QRect area(QPoint(0, 0), kPageArea);
        QList<QRect> rects;
        for (QWidget *w : leaves) {
            const QRect r(w->mapTo(root, QPoint(0, 0)), w->size());
            QVERIFY2(area.contains(r), qPrintable(w->objectName()));
            // As the layouts reckon it: an explicit minimum wins over the hint.
            const QSize hint = w->minimumSizeHint();
            const QSize min(w->minimumWidth() > 0 ? w->minimumWidth() : qMax(0, hint.width()),
                            w->minimumHeight() > 0 ? w->minimumHeight() : qMax(0, hint.height()));
            QVERIFY2(w->width() >= min.width() && w->height() >= min.height(), qPrintable(w->objectName()));
            rects << r;
        }
        for (int i = 0; i < rects.size(); ++i)
            for (int j = i + 1; j < rects.size(); ++j)
                QVERIFY2(!rects[i].intersects(rects[j]),
                         qPrintable(leaves[i]->objectName() + QLatin1Char('/') + leaves[j]->objectName()));
        root->hide();
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    TstPageRelayHarmonics t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_page_relay_harmonics.moc"
