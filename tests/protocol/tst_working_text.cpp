#include "working_text.h"

#include <QTest>

class TstWorkingText : public QObject {
    Q_OBJECT
private slots:
    void fieldOperations_data();
    void fieldOperations();
    void revisionMarksEveryChange();
};

// Each row runs a little program of operations over a text and checks what
// the operations returned and what is left.
void TstWorkingText::fieldOperations_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<QList<QByteArray>>("results");
    QTest::addColumn<QByteArray>("left");

    using L = QList<QByteArray>;
    QTest::newRow("skip") << QByteArray("pong\x01rest") << QStringList{"skip 5"} << L{}
                          << QByteArray("rest");
    QTest::newRow("skip past the end") << QByteArray("abc") << QStringList{"skip 9"} << L{}
                                       << QByteArray();
    QTest::newRow("next field") << QByteArray("a\x01" "b\x01" "c") << QStringList{"next", "next", "next"}
                                << L{"a", "b", ""} << QByteArray("c");
    QTest::newRow("empty field") << QByteArray("\x01\x01x") << QStringList{"next", "next"} << L{"", ""}
                                 << QByteArray("x");
    QTest::newRow("field without end is empty, nothing removed")
        << QByteArray("serial") << QStringList{"next"} << L{""} << QByteArray("serial");
    QTest::newRow("peek") << QByteArray("t\x01x") << QStringList{"peek", "peek"} << L{"t", "t"}
                          << QByteArray("t\x01x");
    QTest::newRow("rest and clear") << QByteArray("1$2$") << QStringList{"rest", "clear"} << L{"1$2$"}
                                    << QByteArray();
    QTest::newRow("hash sub-fields") << QByteArray("Röle10#Röle21#") << QStringList{"hash", "hash", "hash"}
                                     << L{"Röle10", "Röle21", ""} << QByteArray();
    QTest::newRow("byte") << QByteArray("01") << QStringList{"byte", "byte", "byte"} << L{"0", "1", ""}
                          << QByteArray();
    QTest::newRow("remove first occurrence with extra bytes")
        << QByteArray("1.8.0(5)sayacal\x01\xF4\xF4" "2") << QStringList{"removeSayacal"} << L{}
        << QByteArray("1.8.0(5)2");
    QTest::newRow("remove every occurrence with extra bytes")
        << QByteArray("A(1)sayacal\x01\x01\x01" "B(2)sayacal\x01\x01\x01" "C(3)sayacal\x01") << QStringList{"removeAllSayacal"}
        << L{} << QByteArray("A(1)B(2)C(3)");
    QTest::newRow("remove every occurrence, also those the removals join")
        << QByteArray("saysayacal123acal456x") << QStringList{"removeAllSayacal"} << L{} << QByteArray("x");
    QTest::newRow("remove every occurrence: none there")
        << QByteArray("sayaca") << QStringList{"removeAllSayacal"} << L{} << QByteArray("sayaca");
    QTest::newRow("replace all") << QByteArray("1$199$239$2$199$239$") << QStringList{"replace"} << L{}
                                 << QByteArray("1$3$2$3$");
}

void TstWorkingText::fieldOperations()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, ops);
    QFETCH(QList<QByteArray>, results);
    QFETCH(QByteArray, left);

    WorkingText t(text);
    QList<QByteArray> got;
    for (const QString &op : ops) {
        if (op.startsWith(QLatin1String("skip ")))
            t.skip(op.mid(5).toInt());
        else if (op == QLatin1String("next"))
            got << t.nextField();
        else if (op == QLatin1String("peek"))
            got << t.peekField();
        else if (op == QLatin1String("rest"))
            got << t.rest();
        else if (op == QLatin1String("clear"))
            t.clear();
        else if (op == QLatin1String("hash"))
            got << t.nextField('#');
        else if (op == QLatin1String("byte"))
            got << t.takeByte();
        else if (op == QLatin1String("removeSayacal"))
            t.removeFirst("sayacal", 3);
        else if (op == QLatin1String("removeAllSayacal"))
            t.removeAll("sayacal", 3);
        else if (op == QLatin1String("replace"))
            t.replaceAll("$199$239", "$3");
    }
    QCOMPARE(got, results);
    QCOMPARE(t.rest(), left);
}

void TstWorkingText::revisionMarksEveryChange()
{
    WorkingText t(QByteArray("abc\x01" "def"));
    quint64 r = t.revision();
    t.peekField();
    t.skip(0);
    QCOMPARE(t.revision(), r); // looking changes nothing
    t.nextField();
    QVERIFY(t.revision() > r);
    r = t.revision();
    const quint64 g = t.generation();
    t.skip(1);
    QVERIFY(t.revision() > r);
    QCOMPARE(t.generation(), g); // consuming from the front keeps the buffer
    t.replaceAll("f", "g");
    QVERIFY(t.generation() > g);
    QCOMPARE(t.rest(), QByteArray("eg"));
    r = t.revision();
    t.clear();
    t.clear();
    QCOMPARE(t.revision(), r + 1);
}

QTEST_GUILESS_MAIN(TstWorkingText)
#include "tst_working_text.moc"
