#pragma once
// The fixture of the server fault tests: the five client windows, shown, a
// test server on 127.0.0.1, the lateness probe, and the answers and junk the
// tests send. Every test ends by checking the probe and the stores' bounds.
#include "fault_kit.h"

#include "communication_log_model.h"
#include "group_bar.h"
#include "pending.h"
#include "register_store.h"
#include "wire.h"

#include <QLabel>

#include <cstring>
#include <memory>

namespace faultkit {

inline const QByteArray kPong("pong\x01", 5);
inline const QByteArray kAnswer("enerjial\x01\x01\x01");
inline const QString kDisconnected = QStringLiteral("demo kullanıcısının ana bilgisayarla bağlantısı kesildi");

inline QByteArray device(const char *group, const char *model, const char *name, const char *serial)
{
    return wire::buildRequest("cihazlar", {group, model, name, serial});
}

// The value of register k of a test answer: never a byte 199, so that no
// data byte pair is rewritten on the way.
inline int valueOf(int k, int firstValue)
{
    return (firstValue + k) % 30000;
}

// A register answer: station 1, function 3, the byte count, the data bytes.
inline QByteArray registerAnswer(int registers, int byteCount, int firstValue = 0)
{
    QByteArray p = kAnswer + "1$3$" + QByteArray::number(byteCount) + '$';
    for (int i = 0; i < registers; ++i) {
        const int v = valueOf(i, firstValue);
        p += QByteArray::number(v >> 8) + '$' + QByteArray::number(v & 0xFF) + '$';
    }
    return p + "12$34$";
}

inline QByteArray junk(const QByteArray &kind, qsizetype size)
{
    QByteArray b;
    b.reserve(size);
    if (kind == "random") {
        // Eight bytes at a time, so that making it does not hold the loop.
        b.resize(size);
        quint64 x = 0x9E3779B97F4A7C15ull;
        for (qsizetype i = 0; i < size; i += 8) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            std::memcpy(b.data() + i, &x, size_t(qMin<qsizetype>(8, size - i)));
        }
        return b;
    }
    while (b.size() < size)
        b += kind;
    b.truncate(size);
    return b;
}

} // namespace faultkit

class FaultFixture {
protected:
    void setUp();
    void tearDown();
    void logIn();
    QString message() const { return m_w->ana.findChild<QLabel *>(QStringLiteral("LblMesaj"))->text(); }
    bool waitForMessage(const QString &text, int ms = 10000)
    {
        return QTest::qWaitFor([&] { return message() == text; }, ms);
    }
    GroupBarItem *itemOf(const QString &serial) const;
    void click(const QString &serial);

    std::unique_ptr<TestCentralServer> m_server;
    std::unique_ptr<ClientWindows> m_w;
    LatenessProbe m_probe;
    qint64 m_bytesRead = 0;
};

inline void FaultFixture::setUp()
{
    programState() = ProgramState{};
    m_server = std::make_unique<TestCentralServer>();
    QVERIFY(m_server->listen());
    m_w = std::make_unique<ClientWindows>();
    // Shown, so that what the messages change is also painted. The login
    // window that the first show opens is closed through its title bar; the
    // tests connect through it while it is hidden, as a device click does.
    m_w->ana.show();
    QTimer::singleShot(0, &m_w->giris, [this] { m_w->giris.reject(); });
    QVERIFY(QTest::qWaitFor([&] { return m_w->ana.firstShowDone() && !m_w->giris.isVisible(); }, 5000));
    m_bytesRead = 0;
    QObject::connect(&m_w->ana.connection(), &ServerConnection::bytesRead, &m_w->ana,
                     [this](const QByteArray &b) { m_bytesRead += b.size(); });
    m_probe.start();
}

inline void FaultFixture::tearDown()
{
    m_probe.stop();
    qInfo("worst lateness of the 100 ms timer: %lld ms over %d ticks", m_probe.worst(), m_probe.ticks());
    QVERIFY2(m_probe.worst() <= 250, qPrintable(QStringLiteral("%1 ms late").arg(m_probe.worst())));
    // Whatever happened, the stores stay within their bounds.
    QVERIFY(m_w->ana.state().deviceSerials.size() <= ConnectionState::kMaxDevices + 1);
    QVERIFY(m_w->ana.state().messageTexts.size() <= ConnectionState::kMaxMessages);
    QVERIFY(m_w->haberlesme.lineCount() <= CommunicationLogModel::kMaxLines);
    m_w.reset();
    m_server.reset();
}

inline void FaultFixture::logIn()
{
    pressConnect(*m_w, m_server->port());
    QVERIFY(QTest::qWaitFor([&] { return m_w->ana.state().connected; }, 5000));
    QVERIFY(m_server->waitForRequest("kulsifre\x01"
                                     "demo\x01"
                                     "1234\x02\xF4\xF4\xF4"));
}

inline GroupBarItem *FaultFixture::itemOf(const QString &serial) const
{
    for (GroupBarGroup *g : m_w->ana.context().deviceBar->groups())
        for (GroupBarItem *it : g->items())
            if (it->caption().endsWith(QStringLiteral(" No: ") + serial))
                return it;
    return nullptr;
}

inline void FaultFixture::click(const QString &serial)
{
    GroupBarItem *it = itemOf(serial);
    QVERIFY2(it, qPrintable(serial));
    QTest::mouseClick(it, Qt::LeftButton, {}, QPoint(30, it->height() / 2));
}
