#include "shot_kit.h"

#include "appearance.h"
#include "group_bar.h"
#include "image_list.h"
#include "sim_server.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextStream>
#include <QThread>
#include <QTimer>

namespace shot {

void prepareApplication(QApplication &app, bool turkish)
{
    if (turkish)
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QApplication::setApplicationName(QStringLiteral("TARNEK İNTERAKTİF"));
    QApplication::setWindowIcon(pictures::applicationIcon());
    applyAppearance(app);
}

bool waitFor(const std::function<bool()> &done, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

void settle(int ms)
{
    waitFor([] { return false; }, ms);
}

namespace {

void mouse(QWidget *widget, QEvent::Type type, const QPoint &at)
{
    const QPointF local(at);
    QMouseEvent event(type, local, widget->mapToGlobal(local), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

void click(QWidget *widget, const QPoint &at)
{
    mouse(widget, QEvent::MouseButtonPress, at);
    mouse(widget, QEvent::MouseButtonRelease, at);
}

void click(QWidget *widget)
{
    click(widget, widget->rect().center());
}

std::unique_ptr<sim::SimServer> startSimulator(int noticeMs)
{
    auto server = std::make_unique<sim::SimServer>();
    server->setAnswerDelay(0, 0);
    server->setMessageNoticeDelay(noticeMs);
    if (!server->listen(QHostAddress::LocalHost, 0)) {
        QTextStream(stderr) << "simulator: " << server->errorString() << Qt::endl;
        return nullptr;
    }
    return server;
}

Client::Client(const QString &outDir, const QStringList &only) : m_out(outDir), m_only(only)
{
    // The platform's reachability service may be missing where the tools run.
    m_w.giris.setInternetProbe([] { return true; });
    if (!m_out.isEmpty())
        QDir().mkpath(m_out);
}

bool Client::fail(const QString &why)
{
    ++m_failures;
    QTextStream(stderr) << "FAILED: " << why << Qt::endl;
    return false;
}

bool Client::login(const QString &host, quint16 port, const QString &user, const QString &password, int devices,
                   const std::function<void()> &whileShown)
{
    TFrmGiris &giris = m_w.giris;
    auto field = [&giris](const char *name) { return giris.findChild<QLineEdit *>(QLatin1String(name)); };
    // The login window is modal: its steps run from a timer inside its loop.
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &giris, [&] {
        if (!giris.isVisible())
            return;
        poll.stop();
        settle(100);
        if (host != QLatin1String("127.0.0.1"))
            field("Servername")->setText(host);
        field("Edit1")->setText(user);
        field("Edit4")->setText(password);
        field("edtport")->setText(QString::number(port));
        if (whileShown)
            whileShown();
        click(giris.findChild<QAbstractButton *>(QStringLiteral("suiButton1")));
    });
    poll.start();
    m_w.ana.show();
    if (!waitFor([&] { return m_w.ana.state().connected && !giris.isVisible(); }, 15000))
        return fail(QStringLiteral("no connection to %1:%2").arg(host).arg(port));
    const auto listed = [&] {
        const int n = int(m_w.ana.findChildren<GroupBarItem *>().size());
        return devices > 0 ? n >= devices : n > 0;
    };
    if (!waitFor(listed, 8000))
        return fail(QStringLiteral("no device list"));
    settle(300);
    return true;
}

GroupBarItem *Client::deviceItem(quint32 serial) const
{
    const QString tail = QStringLiteral(": %1").arg(serial);
    for (GroupBarItem *item : m_w.ana.findChildren<GroupBarItem *>())
        if (!item->isDiscarded() && item->caption().endsWith(tail))
            return item;
    return nullptr;
}

bool Client::selectDevice(quint32 serial, int reads)
{
    GroupBarItem *item = deviceItem(serial);
    if (!item)
        return fail(QStringLiteral("no item for %1").arg(serial));
    const int before = readCount();
    click(item);
    if (!awaitReads(before, reads))
        return fail(QStringLiteral("no answer from %1").arg(serial));
    settle(150);
    return true;
}

bool Client::showPage(int index, bool reveal)
{
    auto *tabs = get<QTabWidget>("suiPageControl1");
    if (!tabs)
        return false;
    if (reveal) {
        tabs->setTabVisible(index, true);
        tabs->widget(index)->setEnabled(true);
    }
    if (!tabs->isTabVisible(index))
        return fail(QStringLiteral("page %1 is hidden").arg(index));
    click(tabs->tabBar(), tabs->tabBar()->tabRect(index).center());
    settle(50);
    if (tabs->currentIndex() != index)
        return fail(QStringLiteral("page %1 did not open").arg(index));
    return true;
}

bool Client::press(const char *button, int reads, QWidget *in)
{
    const QString name = QLatin1String(button);
    auto *b = in ? in->findChild<QAbstractButton *>(name) : named().get<QAbstractButton>(name);
    if (!b)
        return fail(QStringLiteral("no button %1").arg(name));
    // A page may hold its buttons for a few seconds after a write.
    if (!b->isVisible() || !waitFor([b] { return b->isEnabled(); }, 5000))
        return fail(QStringLiteral("button %1 cannot be pressed").arg(name));
    const int before = readCount();
    // Check boxes and radio buttons take a click on their mark (at the left).
    const bool marked = qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b);
    click(b, marked ? QPoint(b->height() / 2, b->height() / 2) : b->rect().center());
    if (reads > 0 && !awaitReads(before, reads))
        return fail(QStringLiteral("no answer to %1").arg(name));
    settle(100);
    return true;
}

int Client::readCount() const
{
    return m_w.haberlesme.lineCount();
}

bool Client::awaitReads(int from, int reads, int ms)
{
    return waitFor([&] { return readCount() >= from + reads; }, ms);
}

bool Client::save(const QString &name, QWidget *widget)
{
    QWidget *w = widget ? widget : &m_w.ana;
    if (!m_only.isEmpty() && !m_only.contains(name))
        return true;
    settle(100);
    const QPixmap picture = w->grab();
    const QString path = m_out + QLatin1Char('/') + name;
    if (!picture.save(path))
        return fail(QStringLiteral("could not write %1").arg(path));
    QTextStream(stdout) << "saved " << name << ' ' << picture.width() << 'x' << picture.height() << Qt::endl;
    return true;
}

} // namespace shot
