// The frame of the main window as the program starts: its named components,
// in the right window, with their kinds and start states; the first show.
#include "appearance.h"
#include "client_windows.h"
#include "image_list.h"
#include "shape_lamp.h"
#include "url_label.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>

class TstMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { applyAppearance(*qApp); }
    void init() { w = std::make_unique<ClientWindows>(); }
    void cleanup() { w.reset(); }
    void components_data();
    void components();
    void pages_data();
    void pages();
    void windowsAndSizes();
    void noNameClashes();
    void firstShowWithoutLogin();
    void lampAndLinkTimers();
    void trayAnimation();
    void trayDoubleClickRestores();

private:
    std::unique_ptr<ClientWindows> w;
};

void TstMainWindow::components_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");

    const auto row = [](const char *win, const char *name, const char *kind, const char *text = "") {
        QTest::addRow("%s.%s", win, name) << QString::fromLatin1(win) << QString::fromLatin1(name)
                                          << QString::fromLatin1(kind) << QString::fromUtf8(text);
    };
    row("TFrmAna", "Panel21", "QFrame");
    row("TFrmAna", "ToolBar1", "QFrame");
    row("TFrmAna", "SpeedButton1", "QToolButton");
    row("TFrmAna", "Shape1", "ShapeLamp");
    row("TFrmAna", "SpeedButton2", "QToolButton");
    row("TFrmAna", "LblMesaj", "QLabel", "   ");
    row("TFrmAna", "Panel26", "QFrame");
    row("TFrmAna", "LblGiden", "QLabel", "");
    row("TFrmAna", "Panel22", "QFrame");
    row("TFrmAna", "Panel19", "QFrame");
    row("TFrmAna", "Panel20", "QFrame");
    row("TFrmAna", "RzURLLabel1", "UrlLabel", "Yeni mesajınız var.Okumak için tıklayın... ");
    row("TFrmAna", "RzGroupBar1", "GroupBar");
    row("TFrmAna", "suiPageControl1", "QTabWidget");
    row("TFrmAna", "MainMenu1", "QMenuBar");
    row("TFrmAna", "Haberlesme1", "QAction", "Haberlesme");
    row("TFrmAna", "Oku1", "QAction", "Yeni Mesajları Oku");
    row("TFrmAna", "AktifCihaz1", "QAction", "Aktif Cihaz: 0");
    row("TFrmAna", "PopupMenu1", "QMenu");
    row("TFrmAna", "A1", "QAction", "Aç");
    row("TFrmAna", "Kapat1", "QAction", "Kapat");
    row("TFrmAna", "RzTrayIcon1", "QSystemTrayIcon");
    row("TFrmAna", "ImageList1", "ImageList");
    row("TFrmAna", "ImageList2", "ImageList");
    row("TFrmAna", "TimerPing", "QTimer");
    row("TFrmAna", "Timer1", "QTimer");
    row("TFrmAna", "Timer2", "QTimer");
    row("TFrmAna", "Timer3", "QTimer");
    row("TFrmAna", "Clientsoket", "QTcpSocket");
    row("TFrmAna", "Panel7", "QFrame");
    row("TFrmAna", "Panel8", "QFrame");
    row("TFrmAna", "Edit111", "QLineEdit", "");
    row("TFrmGiris", "Edit1", "QLineEdit", "");
    row("TFrmGiris", "Edit4", "QLineEdit", "");
    row("TFrmGiris", "kategori", "QComboBox");
    row("TFrmGiris", "Servername", "QLineEdit");
    row("TFrmGiris", "edit3", "QPlainTextEdit");
    row("TFrmGiris", "edtport", "QLineEdit", "17818");
    row("TFrmGiris", "CheckBox1", "QCheckBox", "Otomatik Bağlan");
    row("TFrmGiris", "RzProgressBar1", "LedProgressBar");
    row("TFrmGiris", "LABEL6", "PanelStatusBar");
    row("TFrmGiris", "suiButton1", "QPushButton", "Bağlan");
    row("TFrmGiris", "suiButton2", "QPushButton", "İptal");
    row("TFrmGiris", "suiButton3", "QPushButton", "Kapat");
    row("TFrmGiris", "Timer1", "QTimer");
    row("TFrmhaberlesme", "ListBox1", "QListView");
    row("TFrmMesajlar", "RzListBox1", "QListWidget");
    row("TFrmMesajlar", "RichEdit1", "QTextEdit");
    row("TFrmMesajlar", "Panel1", "QFrame");
    row("TFrmMesajlar", "BitBtn1", "QPushButton", "Kapat");
    row("TFrmMesajlar", "BitBtn2", "QPushButton", "Yeni Mesajları Kontrol Et");
}

void TstMainWindow::components()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QWidget *windows[] = {&w->ana, &w->giris, &w->haberlesme, &w->mesajlar};
    QWidget *owner = nullptr;
    for (QWidget *x : windows)
        if (x->objectName() == window)
            owner = x;
    QVERIFY(owner);
    const auto found = owner->findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QObject *o = found.first();
    QVERIFY2(o->inherits(kind.toLatin1()), o->metaObject()->className());
    if (!text.isEmpty() || kind == QLatin1String("QLineEdit") || kind == QLatin1String("QLabel")) {
        const QVariant v = o->property("text");
        QCOMPARE(v.toString(), text);
    }
}

void TstMainWindow::pages_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("tabShown");
    const struct { const char *sheet, *caption; bool shown; } pages[] = {
        {"suiTabSheet1", "Analizör-Ani Değerler", true},  {"suiTabSheet2", "Analizör-Tüketim Değerleri", true},
        {"suiTabSheet3", "Aşırı Akım Rölesi", false},     {"suiTabSheet4", "Harmonikler", false},
        {"suiTabSheet5", "Kondansatör Durumları", true},  {"suiTabSheet9", "Harmonikler", true},
        {"suiTabSheet7", "Sayaç Okuma", false},           {"suiTabSheet8", "Cihaz Bilgileri", false},
        {"suiTabSheet6", "Ayarlar", true},                {"suiTabSheet10", "Endüstriyel Modem", true},
    };
    for (int i = 0; i < 10; ++i)
        QTest::addRow("page %d", i) << i << QString::fromLatin1(pages[i].sheet)
                                    << QString::fromUtf8(pages[i].caption) << pages[i].shown;
}

void TstMainWindow::pages()
{
    QFETCH(int, index);
    QFETCH(QString, sheet);
    QFETCH(QString, caption);
    QFETCH(bool, tabShown);
    auto *tabs = w->ana.findChild<QTabWidget *>("suiPageControl1");
    QCOMPARE(tabs->widget(index)->objectName(), sheet);
    QCOMPARE(tabs->tabText(index), caption);
    QCOMPARE(tabs->isTabVisible(index), tabShown);
    QCOMPARE(tabs->widget(index)->isEnabled(), index == 0); // all pages but the first disabled
}

void TstMainWindow::windowsAndSizes()
{
    QCOMPARE(w->ana.windowTitle(), QStringLiteral("FrmAna"));
    w->ana.layout()->activate();
    QCOMPARE(w->ana.centralWidget()->size(), QSize(1078, 726));
    QCOMPARE(w->ana.findChild<QWidget *>("Panel21")->height(), 21);
    QCOMPARE(w->ana.findChild<QWidget *>("Panel19")->width(), 241);
    QCOMPARE(w->ana.findChild<QWidget *>("Panel20")->height(), 20);
    QVERIFY(!w->ana.findChild<QWidget *>("Panel7")->isHidden());
    QVERIFY(w->ana.findChild<QWidget *>("Panel8")->isHidden());
    QCOMPARE(w->haberlesme.windowTitle(), QStringLiteral("Frmhaberlesme"));
    QCOMPARE(w->haberlesme.size(), QSize(696, 480));
    QCOMPARE(w->vd1kal.objectName(), QStringLiteral("TVD1KAL"));
    QVERIFY(w->vd1kal.isHidden());
    QCOMPARE(w->mesajlar.windowTitle(), QStringLiteral("Mesajlar"));
    QVERIFY(w->mesajlar.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(w->ana.findChild<ImageList *>("ImageList1")->count(), 5);
    QCOMPARE(w->ana.findChild<ImageList *>("ImageList2")->count(), 5);
    QCOMPARE(w->ana.findChild<ImageList *>("ImageList2")->imageSize(), QSize(16, 16));
}

void TstMainWindow::noNameClashes()
{
    // Names are found without regard to case: no two components of the main
    // window may differ in case only.
    QVERIFY2(w->ana.widgets().clashes().isEmpty(), qPrintable(w->ana.widgets().clashes().join(' ')));
    QVERIFY(w->ana.widgets().size() > 600);
    QVERIFY(w->ana.widgets().object("c7_s_yaz"));
    QVERIFY(w->ana.widgets().object("C7_S_YAZ") == w->ana.widgets().object("C7_s_YAZ"));
}

void TstMainWindow::firstShowWithoutLogin()
{
    // The user closes the login window through its title bar.
    QTimer::singleShot(50, &w->giris, [this] { w->giris.reject(); });
    w->ana.show();
    QVERIFY(QTest::qWaitFor([&] { return w->ana.firstShowDone() && !w->giris.isVisible(); }, 3000));
    QTest::qWait(50);
    QCOMPARE(w->ana.windowTitle(), QStringLiteral("FrmAna"));
    QVERIFY(!w->ana.state().connected);
    const QDate today = QDate::currentDate();
    QCOMPARE(w->ana.findChild<QDateEdit *>("DateTimePicker1")->date(), today.addDays(-7));
    QCOMPARE(w->ana.findChild<QDateEdit *>("DateTimePicker2")->date(), today);
    QCOMPARE(w->ana.findChild<QDateEdit *>("dtsycilktarih")->date(), today.addDays(-7));
    QCOMPARE(w->ana.findChild<QDateEdit *>("dtsycsontarih")->date(), today);
    auto *tabs = w->ana.findChild<QTabWidget *>("suiPageControl1");
    QVERIFY(!tabs->isTabVisible(2));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(programState().decimalSeparator, QLocale().decimalPoint().at(0));
    // Requests of an unconnected window go nowhere.
    w->ana.connection().send("ping\xF4\xF4\xF4");
    QCOMPARE(w->ana.connection().Clientsoket()->bytesToWrite(), qint64(0));
}

void TstMainWindow::lampAndLinkTimers()
{
    auto *lamp = w->ana.findChild<ShapeLamp *>("Shape1");
    w->ana.handleRead("xyz");
    QCOMPARE(lamp->color(), QColor(0x00, 0xFF, 0x00)); // green after a read
    QCOMPARE(w->haberlesme.lineCount(), 1);
    auto *t3 = w->ana.findChild<QTimer *>("Timer3");
    t3->setInterval(10);
    QVERIFY(QTest::qWaitFor([&] { return lamp->color() == QColor(Qt::white); }, 2000));

    // The link keeps blinking while hidden: lime and yellow by turns.
    auto *link = w->ana.findChild<UrlLabel *>("RzURLLabel1");
    auto *t2 = w->ana.findChild<QTimer *>("Timer2");
    QVERIFY(link->isHidden());
    const QColor first = link->unvisitedColor();
    t2->setInterval(10);
    QVERIFY(QTest::qWaitFor([&] { return link->unvisitedColor() != first; }, 2000));
    QVERIFY(link->unvisitedColor() == QColor(0xFF, 0xFF, 0x00) || link->unvisitedColor() == QColor(0, 0xFF, 0));
    QVERIFY(link->isHidden());
}

void TstMainWindow::trayAnimation()
{
    auto *anim = w->ana.findChild<QTimer *>("RzTrayIcon1Animation");
    QVERIFY(anim && anim->isActive());
    QCOMPARE(anim->interval(), 200);
    const QIcon before = w->ana.trayIcon()->icon();
    QVERIFY(QTest::qWaitFor([&] { return w->ana.trayIcon()->icon().cacheKey() != before.cacheKey(); }, 2000));
}

void TstMainWindow::trayDoubleClickRestores()
{
    QTimer::singleShot(50, &w->giris, [this] { w->giris.reject(); });
    w->ana.show();
    QVERIFY(QTest::qWaitFor([&] { return w->ana.firstShowDone() && !w->giris.isVisible(); }, 3000));
    w->ana.showMinimized();
    QVERIFY(QTest::qWaitFor([&] { return w->ana.isMinimized(); }, 2000));
    emit w->ana.trayIcon()->activated(QSystemTrayIcon::Trigger); // a single click does nothing
    QVERIFY(w->ana.isMinimized());
    emit w->ana.trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(QTest::qWaitFor([&] { return !w->ana.isMinimized() && w->ana.isVisible(); }, 2000));
}

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
