// The messages window wired into the client: the new-messages request on
// every showing and on "Yeni Mesajları Kontrol Et", the ways to open it, and
// the picked message's text.
#include "client_fixture.h"
#include "message_commands.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

class TstMessagesWindow : public QObject {
    Q_OBJECT
private slots:
    void requestOnShowAndCheck();
    void opensFromMenuAndLink();
    void pickedMessage_data();
    void pickedMessage();
    void keyboardMoveShowsText();
};

namespace {
const QByteArray kRequest("yenimesajiste\x01" "demo\x01\xF4\xF4\xF4");

void receive(ClientFixture &f, int count)
{
    QByteArray all;
    for (int i = 0; i < count; ++i)
        all += ClientFixture::message(QStringLiteral("Başlık %1").arg(i), QStringLiteral("Metin %1").arg(i));
    QVERIFY(f.read(all));
}
} // namespace

void TstMessagesWindow::requestOnShowAndCheck()
{
    ClientFixture f;
    TFrmMesajlar &m = f.w->mesajlar;
    QCOMPARE(commands::newMessagesRequest(f.ctx()), kRequest);
    m.show();
    QCOMPARE(f.sent, QList<QByteArray>{kRequest});
    m.show(); // already shown: no second request
    QCOMPARE(f.sent.size(), 1);
    m.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
    QCOMPARE(f.sent, (QList<QByteArray>{kRequest, kRequest}));
    m.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
    QVERIFY(m.isHidden());
    m.show();
    QCOMPARE(f.sent.size(), 3);
    // The user name is sent as the login wrote it, in code page 1254.
    f.conn().deviceSerials[0] = wire::encode(QStringLiteral("işletme"));
    QCOMPARE(commands::newMessagesRequest(f.ctx()), QByteArray("yenimesajiste\x01i\xFEletme\x01\xF4\xF4\xF4"));
}

void TstMessagesWindow::opensFromMenuAndLink()
{
    ClientFixture f;
    TFrmMesajlar &m = f.w->mesajlar;
    f.get<QAction>("Oku1")->trigger();
    QVERIFY(m.isVisible());
    QCOMPARE(f.sent, QList<QByteArray>{kRequest});
    m.hide();
    QVERIFY(f.read(QByteArray("yenimesaj\x01\xF4")));
    auto *link = f.get<QWidget>("RzURLLabel1");
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, link->height() / 2));
    QVERIFY(m.isVisible());
    QCOMPARE(f.sent.size(), 2);
}

void TstMessagesWindow::pickedMessage_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("picks");
    QTest::addColumn<QString>("shown");
    QTest::newRow("second of three") << 3 << QList<int>{1} << "Metin 1";
    QTest::newRow("third, then the first") << 3 << QList<int>{2, 0} << "Metin 0";
    QTest::newRow("no entry empties the text") << 3 << QList<int>{1, -1} << "";
    QTest::newRow("the 300th message") << 300 << QList<int>{299} << "Metin 299";
    QTest::newRow("before any pick: the first message") << 2 << QList<int>{} << "Metin 0";
}

void TstMessagesWindow::pickedMessage()
{
    QFETCH(int, count);
    QFETCH(QList<int>, picks);
    QFETCH(QString, shown);
    ClientFixture f;
    receive(f, count);
    QListWidget *list = f.ctx().messageList;
    QCOMPARE(list->count(), count);
    for (int row : picks)
        list->setCurrentRow(row);
    QCOMPARE(f.ctx().messageText->toPlainText(), shown);
}

void TstMessagesWindow::keyboardMoveShowsText()
{
    ClientFixture f;
    receive(f, 3);
    TFrmMesajlar &m = f.w->mesajlar;
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    QListWidget *list = f.ctx().messageList;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    QCOMPARE(f.ctx().messageText->toPlainText(), QStringLiteral("Metin 2"));
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(f.ctx().messageText->toPlainText(), QStringLiteral("Metin 1"));
}

QTEST_MAIN(TstMessagesWindow)
#include "tst_messages_window.moc"
