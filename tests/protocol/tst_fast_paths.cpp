// The quick ways the client takes through a read must give what the plain
// ones give: the walk that passes over text no keyword starts at, the code
// page table, the number conversion without the locale's parser.
#include "dispatcher.h"
#include "numbers.h"
#include "silent_abort.h"
#include "wire.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include <cmath>
#include <functional>
#include <optional>

class TstFastPaths : public QObject {
    Q_OBJECT
private slots:
    void walkAsThePlainWalk_data();
    void walkAsThePlainWalk();
    void codePageAsTheConverter();
    void decimalNumbers_data();
    void decimalNumbers();
};

namespace {

using Op = std::function<void(WorkingText &)>;

// Handlers that consume as the client's do; "enerjial" ends the read when
// its payload holds a letter, as a payload the decoder cannot read does.
const QList<QPair<QByteArray, Op>> &handlerTable()
{
    static const QList<QPair<QByteArray, Op>> table = {
        {"pong", [](WorkingText &t) { t.skip(5); }},
        {"yenimesaj", [](WorkingText &t) { t.skip(10); }},
        {"mesajvar", [](WorkingText &t) { t.skip(9); t.nextField(); t.nextField(); t.skip(1); }},
        {"Hattayok", [](WorkingText &t) { t.skip(9); t.nextField(); t.skip(1); }},
        {"sayacal", [](WorkingText &t) { t.skip(10); t.removeAll("sayacal", 3); }},
        {"enerjial",
         [](WorkingText &t) {
             t.skip(11);
             t.replaceAll("$199$239", "$3");
             for (const char c : t.view())
                 if (c >= 'a' && c <= 'z')
                     throw SilentAbort();
             t.clear();
         }},
        {"cihazlar", [](WorkingText &t) { t.skip(9); for (int i = 0; i < 4; ++i) t.nextField(); t.skip(1); }},
    };
    return table;
}

struct Trace {
    QList<QByteArray> matches; // keyword and the text it met, each match
    qint64 passes = 0;
    QByteArray lastRemainder;
    bool aborted = false;
};

// The walk as written down: every pass runs every test on a copy of the text.
Trace plainWalk(const QByteArray &read, QByteArray lastRemainder)
{
    Trace tr;
    QByteArray text = read;
    try {
        do {
            ++tr.passes;
            for (const QByteArray &k : Dispatcher::keywords()) {
                if (!text.startsWith(k))
                    continue;
                tr.matches << k + '|' + text;
                for (const auto &h : handlerTable()) {
                    if (h.first == k) {
                        WorkingText t(text);
                        h.second(t);
                        text = t.rest();
                    }
                }
            }
            if (text != lastRemainder)
                lastRemainder = text;
            else
                text.remove(0, 1);
        } while (text.size() > 1);
    } catch (const SilentAbort &) {
        tr.aborted = true;
    }
    tr.lastRemainder = lastRemainder;
    return tr;
}

Trace clientWalk(const QByteArray &read, QByteArray lastRemainder)
{
    Trace tr;
    Dispatcher d;
    for (const QByteArray &k : Dispatcher::keywords())
        d.setHandler(k, [&tr, k](WorkingText &t) {
            tr.matches << k + '|' + t.rest();
            for (const auto &h : handlerTable())
                if (h.first == k)
                    h.second(t);
        });
    try {
        d.walk(read, lastRemainder);
    } catch (const SilentAbort &) {
        tr.aborted = true;
    }
    tr.passes = tr.aborted ? -1 : d.lastPassCount();
    tr.lastRemainder = lastRemainder;
    return tr;
}

// A read made of keywords, their beginnings, fields and junk.
QByteArray randomRead(QRandomGenerator &gen)
{
    static const QList<QByteArray> pieces = {
        "pong", "yenimesaj", "mesajvar", "Hattayok", "haklar", "sayacal", "enerjial", "input", "degerler",
        "cihazlar", "cihazenerji", "Sycdegerleri", "pon", "sayaca", "enerji", "cihaz", "H", "s", "e", "c",
        "\x01", "\x01\x01\x01", "\xF4", "$", "199$239$", "12$", "x", "xyz", "depo", "\xFD\xE7",
    };
    QByteArray b;
    const int n = int(gen.bounded(30));
    for (int i = 0; i < n; ++i)
        b += pieces[gen.bounded(pieces.size())];
    return b;
}

} // namespace

void TstFastPaths::walkAsThePlainWalk_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u})
        QTest::addRow("seed %u", seed) << seed;
}

void TstFastPaths::walkAsThePlainWalk()
{
    QFETCH(quint32, seed);
    QRandomGenerator gen(seed);
    QByteArray memoryPlain, memoryClient;
    for (int i = 0; i < 400; ++i) {
        const QByteArray read = randomRead(gen);
        const Trace plain = plainWalk(read, memoryPlain);
        const Trace client = clientWalk(read, memoryClient);
        QCOMPARE(client.matches, plain.matches);
        QCOMPARE(client.aborted, plain.aborted);
        if (!plain.aborted)
            QCOMPARE(client.passes, plain.passes);
        QCOMPARE(client.lastRemainder, plain.lastRemainder);
        memoryPlain = plain.lastRemainder;
        memoryClient = client.lastRemainder;
    }
}

void TstFastPaths::codePageAsTheConverter()
{
    QByteArray all(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    QStringDecoder dec("windows-1254");
    const QString decoded = dec.decode(all);
    QCOMPARE(wire::decode(all), decoded);
    QStringEncoder enc("windows-1254");
    QCOMPARE(wire::encode(decoded), QByteArray(enc.encode(decoded)));
    // Characters outside the code page are written as the converter writes
    // them, also inside text that is otherwise within it.
    for (const QString &text : {QStringLiteral("Sayaç şİğüö €"), QStringLiteral("Ω ölçüm"), QStringLiteral("a\U0001F600b"),
                                QString()}) {
        QStringEncoder e("windows-1254");
        QCOMPARE(wire::encode(text), QByteArray(e.encode(text)));
    }
}

void TstFastPaths::decimalNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("number");
    QTest::addColumn<double>("value");

    const QChar dot(u'.'), comma(u',');
    QTest::newRow("plain") << "1100" << dot << true << 1100.0;
    QTest::newRow("comma separator") << "12,5" << comma << true << 12.5;
    QTest::newRow("dot with a comma locale") << "12.5" << comma << false << 0.0;
    QTest::newRow("leading plus") << "+5" << dot << true << 5.0;
    QTest::newRow("plus then minus") << "+-5" << dot << false << 0.0;
    QTest::newRow("separator last") << "5." << dot << true << 5.0;
    QTest::newRow("separator first") << ".5" << dot << true << 0.5;
    QTest::newRow("negative zero") << "-0" << dot << true << -0.0;
    QTest::newRow("exponent") << "-1.5e-3" << dot << true << -0.0015;
    QTest::newRow("exponent with sign") << "1E+5" << dot << true << 100000.0;
    QTest::newRow("blanks around") << "  7 " << dot << true << 7.0;
    QTest::newRow("largest double") << "1.7976931348623157e308" << dot << true << 1.7976931348623157e308;
    QTest::newRow("beyond the largest") << "1.8e308" << dot << false << 0.0;
    QTest::newRow("below the smallest") << "1e-999" << dot << false << 0.0;
    QTest::newRow("subnormal") << "1e-320" << dot << true << 1e-320;
    QTest::newRow("digits only in the exponent") << "e5" << dot << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << dot << false << 0.0;
    QTest::newRow("letters") << "12a" << dot << false << 0.0;
    QTest::newRow("empty") << "" << dot << false << 0.0;
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("١٢") << dot << false << 0.0;
}

void TstFastPaths::decimalNumbers()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(bool, number);
    QFETCH(double, value);
    const std::optional<double> v = numbers::parseDecimal(text, separator);
    QCOMPARE(v.has_value(), number);
    if (number) {
        QCOMPARE(*v, value);
        QCOMPARE(std::signbit(*v), std::signbit(value));
    }
}

QTEST_GUILESS_MAIN(TstFastPaths)
#include "tst_fast_paths.moc"
