// The communication log keeps the newest lines within its bounds and shows a
// huge read by its beginning and its size.
#include "communication_log_model.h"
#include "frm_haberlesme.h"

#include <QListView>
#include <QTest>

class TstCommunicationLog : public QObject {
    Q_OBJECT
private slots:
    void keepsTheNewestLines_data();
    void keepsTheNewestLines();
    void keepsWithinTheCharacterBudget();
    void charactersAtTheBudget_data();
    void charactersAtTheBudget();
    void shortensAHugeRead_data();
    void shortensAHugeRead();
    void notesAreMarked();
};

void TstCommunicationLog::keepsTheNewestLines_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("kept");
    const int max = CommunicationLogModel::kMaxLines;
    const int batch = CommunicationLogModel::kDropBatch;
    QTest::newRow("exactly the bound") << max << max;
    QTest::newRow("one more drops the oldest batch") << max + 1 << max - batch + 1;
    QTest::newRow("full again") << max + batch << max;
    QTest::newRow("and one more") << max + batch + 1 << max - batch + 1;
    QTest::newRow("a long run") << max + 2500 << max - batch + 500;
}

void TstCommunicationLog::keepsTheNewestLines()
{
    QFETCH(int, total);
    QFETCH(int, kept);
    CommunicationLogModel m;
    for (int i = 0; i < total; ++i)
        m.append(QString::number(i));
    QCOMPARE(m.rowCount(), kept);
    QCOMPARE(m.line(m.rowCount() - 1), QString::number(total - 1));
    // The lines kept are consecutive: nothing in the middle went missing.
    const int first = m.line(0).toInt();
    QCOMPARE(first + m.rowCount(), total);
    QCOMPARE(m.droppedLines(), qint64(first));
}

void TstCommunicationLog::keepsWithinTheCharacterBudget()
{
    CommunicationLogModel m;
    const QString big(1024 * 1024, QLatin1Char('x'));
    for (int i = 0; i < 40; ++i)
        m.append(big + QString::number(i));
    QVERIFY(m.charCount() <= CommunicationLogModel::kMaxChars);
    QVERIFY(m.line(m.rowCount() - 1).endsWith(QLatin1String("39")));
    qsizetype sum = 0;
    for (int i = 0; i < m.rowCount(); ++i)
        sum += m.line(i).size();
    QCOMPARE(m.charCount(), sum);
}

void TstCommunicationLog::charactersAtTheBudget_data()
{
    QTest::addColumn<qsizetype>("last"); // characters of the third line
    QTest::addColumn<int>("kept");
    QTest::newRow("fills the budget") << qsizetype(10) << 3;
    QTest::newRow("one character over it") << qsizetype(11) << 1;
}

// Two lines, then one that fills the budget exactly or passes it by one.
void TstCommunicationLog::charactersAtTheBudget()
{
    QFETCH(qsizetype, last);
    QFETCH(int, kept);
    CommunicationLogModel m;
    m.append(QString(CommunicationLogModel::kMaxChars - 30, QLatin1Char('a')));
    m.append(QString(20, QLatin1Char('b')));
    m.append(QString(last, QLatin1Char('c')));
    QCOMPARE(m.rowCount(), kept);
    QVERIFY(m.charCount() <= CommunicationLogModel::kMaxChars);
    QCOMPARE(m.line(kept - 1), QString(last, QLatin1Char('c')));
    QCOMPARE(m.droppedLines(), qint64(3 - kept));
}

void TstCommunicationLog::shortensAHugeRead_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("shortened");
    QTest::newRow("short") << 40 << false;
    QTest::newRow("at the limit") << int(TFrmhaberlesme::kShownBytes) << false;
    QTest::newRow("one more") << int(TFrmhaberlesme::kShownBytes) + 1 << true;
    QTest::newRow("10 MiB") << 10 * 1024 * 1024 << true;
}

void TstCommunicationLog::shortensAHugeRead()
{
    QFETCH(int, size);
    QFETCH(bool, shortened);
    TFrmhaberlesme log;
    log.addRead(QByteArray(size, 'a'));
    QCOMPARE(log.lineCount(), 1);
    const QString line = log.line(0);
    const QString shown = line.section(QStringLiteral(":   "), 1);
    if (shortened) {
        QVERIFY(shown.startsWith(QString(TFrmhaberlesme::kShownBytes, QLatin1Char('a')) + QStringLiteral(" … ")));
        QVERIFY2(shown.endsWith(QStringLiteral("(toplam %1 bayt)").arg(size)), qPrintable(shown.right(40)));
    } else {
        QCOMPARE(shown, QString(size, QLatin1Char('a')));
    }
}

void TstCommunicationLog::notesAreMarked()
{
    TFrmhaberlesme log;
    log.addRead("pong\x01");
    log.addNote(QStringLiteral("10001. cihaz alınmadı"));
    QCOMPARE(log.lineCount(), 2);
    QVERIFY(log.line(0).endsWith(QStringLiteral(":   pong<01>")));
    QVERIFY(log.line(1).endsWith(QStringLiteral(":   ## 10001. cihaz alınmadı")));
    QCOMPARE(log.findChild<QListView *>(QStringLiteral("ListBox1"))->model()->rowCount(), 2);
}

QTEST_MAIN(TstCommunicationLog)
#include "tst_communication_log.moc"
