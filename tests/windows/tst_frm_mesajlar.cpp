// Messages window: layout, colours, window flags, the heading entries of the
// list, and the close / new-messages buttons.
#include "appearance.h"
#include "frm_mesajlar.h"

#include <QApplication>
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

namespace {
// Ink of a rendered row: pixels clearly darker than the list background.
struct Ink {
    int left = -1;
    int count = 0;
};

Ink inkOf(const QImage &img, const QRect &row)
{
    Ink ink;
    const QRect r = row.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 140) {
                ++ink.count;
                if (ink.left < 0 || x < ink.left)
                    ink.left = x;
            }
    return ink;
}
} // namespace

class TstFrmMesajlar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        applyAppearance(*qobject_cast<QApplication *>(QCoreApplication::instance()));
    }

    void windowAndLayout()
    {
        TFrmMesajlar w;
        QCOMPARE(w.objectName(), QStringLiteral("TFrmMesajlar"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Mesajlar"));
        QVERIFY(w.isWindow());
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!w.isVisible()); // created hidden
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.size(), QSize(674, 563));

        auto *list = w.findChild<QListWidget *>(QStringLiteral("RzListBox1"));
        auto *text = w.findChild<QTextEdit *>(QStringLiteral("RichEdit1"));
        auto *panel = w.findChild<QFrame *>(QStringLiteral("Panel1"));
        auto *close = w.findChild<QPushButton *>(QStringLiteral("BitBtn1"));
        auto *check = w.findChild<QPushButton *>(QStringLiteral("BitBtn2"));
        QVERIFY(list && text && panel && close && check);
        QCOMPARE(w.list(), list);
        QCOMPARE(w.textArea(), text);
        QCOMPARE(close->text(), QStringLiteral("Kapat"));
        QCOMPARE(check->text(), QStringLiteral("Yeni Mesajları Kontrol Et"));

        QCOMPARE(list->geometry(), QRect(0, 0, 674, 161));
        QCOMPARE(panel->geometry(), QRect(0, 563 - 33, 674, 33));
        QCOMPARE(text->geometry(), QRect(0, 161, 674, 563 - 161 - 33));
        QVERIFY(text->isReadOnly());
        // "Yeni Mesajları Kontrol Et" at the left, "Kapat" at the right, both
        // whole and inside the bar.
        QVERIFY(panel->rect().contains(check->geometry()) && panel->rect().contains(close->geometry()));
        QVERIFY(check->geometry().left() < 20);
        QVERIFY(close->geometry().right() > 674 - 20);
        QVERIFY(check->geometry().right() < close->geometry().left());
        QVERIFY(check->width() >= check->minimumSizeHint().width());

        // Resizing keeps the list and the bar at their heights.
        w.resize(800, 700);
        QTRY_COMPARE(text->height(), 700 - 161 - 33);
        QCOMPARE(list->height(), 161);
        QCOMPARE(panel->height(), 33);
    }

    void colours()
    {
        TFrmMesajlar w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTextEdit *text = w.textArea();
        QCOMPARE(text->palette().color(QPalette::Base), QColor(0xFF, 0xF2, 0xD2));
        QCOMPARE(text->palette().color(QPalette::Text), QColor(0x80, 0x40, 0x00));
        text->setPlainText(QStringLiteral("██████"));
        QImage img = text->viewport()->grab().toImage();
        QCOMPARE(QColor(img.pixel(img.width() - 5, img.height() - 5)), QColor(0xFF, 0xF2, 0xD2));
        // The block glyphs are solid: their middle is the text colour.
        bool textColour = false;
        for (int x = 0; x < qMin(img.width(), 120) && !textColour; ++x)
            for (int y = 0; y < qMin(img.height(), 30) && !textColour; ++y)
                textColour = QColor(img.pixel(x, y)) == QColor(0x80, 0x40, 0x00);
        QVERIFY(textColour);

        auto *panel = w.findChild<QFrame *>(QStringLiteral("Panel1"));
        const QImage bar = panel->grab().toImage();
        QCOMPARE(QColor(bar.pixel(bar.width() / 2, bar.height() / 2)), QColor(Qt::black));
    }

    void headingOption_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("bold");
        QTest::newRow("heading") << QStringLiteral("//Başlık") << QStringLiteral("Başlık") << true;
        QTest::newRow("plain") << QStringLiteral("Başlık") << QStringLiteral("Başlık") << false;
        QTest::newRow("prefix only") << QStringLiteral("//") << QString() << true;
        QTest::newRow("single slash") << QStringLiteral("/Başlık") << QStringLiteral("/Başlık") << false;
        QTest::newRow("triple slash") << QStringLiteral("///a") << QStringLiteral("/a") << true;
        QTest::newRow("inner prefix") << QStringLiteral("a//b") << QStringLiteral("a//b") << false;
        QTest::newRow("leading blank") << QStringLiteral(" //a") << QStringLiteral(" //a") << false;
        QTest::newRow("empty") << QString() << QString() << false;
    }

    void headingOption()
    {
        QFETCH(QString, entry);
        QFETCH(QString, shown);
        QFETCH(bool, bold);
        TFrmMesajlar w;
        w.list()->addItem(entry);
        auto *delegate = qobject_cast<MessageHeadingDelegate *>(w.list()->itemDelegate());
        QVERIFY(delegate);
        QStyleOptionViewItem base;
        base.initFrom(w.list());
        const QModelIndex idx = w.list()->model()->index(0, 0);
        const QStyleOptionViewItem opt = delegate->shownOption(base, idx);
        QCOMPARE(opt.text, shown);
        QCOMPARE(opt.font.bold(), bold);
        QCOMPARE(w.list()->item(0)->text(), entry); // the entry keeps its prefix
    }

    // Drawn, a heading shows its title where a plain entry with the same
    // title starts (no "//" in front) and with heavier strokes.
    void headingRendering()
    {
        TFrmMesajlar w;
        QListWidget *list = w.list();
        list->addItems({QStringLiteral("//Başlık"), QStringLiteral("Başlık"), QStringLiteral("//İkinci Mesaj")});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage img = list->viewport()->grab().toImage();
        // Only the text part of each row, in device pixels: not the rules,
        // frames and focus marks around it.
        const auto textPart = [&](int row) {
            const QRect r = list->visualItemRect(list->item(row)).adjusted(0, 3, 0, -3);
            const qreal dpr = img.devicePixelRatio();
            return QRect(QPoint(int(r.left() * dpr), int(r.top() * dpr)), QSize(int(150 * dpr), int(r.height() * dpr)));
        };
        const Ink heading = inkOf(img, textPart(0));
        const Ink plain = inkOf(img, textPart(1));
        QVERIFY(heading.count > 0 && plain.count > 0);
        // A drawn prefix would push the title right by the width of "//".
        QFont bold = list->font();
        bold.setBold(true);
        const qreal prefix = QFontMetricsF(bold).horizontalAdvance(QStringLiteral("//")) * img.devicePixelRatio();
        QVERIFY(prefix > 4);
        QVERIFY2(qAbs(heading.left - plain.left) < prefix / 2,
                 qPrintable(QStringLiteral("%1 vs %2").arg(heading.left).arg(plain.left)));
        QVERIFY(heading.count > plain.count);
        QVERIFY(list->visualItemRect(list->item(2)).bottom() < list->viewport()->height());
    }

    void buttonsAndRequests()
    {
        TFrmMesajlar w;
        QSignalSpy requests(&w, &TFrmMesajlar::newMessagesRequested);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(requests.size(), 1); // each showing asks once
        QTest::mouseClick(w.checkButton(), Qt::LeftButton);
        QCOMPARE(requests.size(), 2);
        w.list()->addItem(QStringLiteral("//Kalır"));
        QTest::mouseClick(w.closeButton(), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(requests.size(), 2);
        w.show();
        QCOMPARE(requests.size(), 3);
        w.show(); // already shown: no new request
        QCOMPARE(requests.size(), 3);
        QCOMPARE(w.list()->count(), 1); // closing keeps the entries
    }
};

QTEST_MAIN(TstFrmMesajlar)
#include "tst_frm_mesajlar.moc"
