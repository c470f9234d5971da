#pragma once
// The whole client for the fuzz targets that walk reads on the real main
// window: one offscreen application and the five windows, made once. Before
// every input the client is put back as a new one has it: the stores, the
// device registry and bar, the message list, the communication log, the connection and
// program state (pending request, no-progress memory), the live display's
// memory and every component's shown state. So every input meets a fresh
// client and a saved crash reproduces on its own. Services that would block
// or reach out (send, the login, dialogs, pauses) do nothing.
//
// fingerprint() describes everything a client shows and keeps; the suite
// (tst_fuzz_client) and every target on its first inputs check that a reset
// client has the fingerprint of a new one.
#include "shape_lamp.h"
#include "client_windows.h"
#include "communication_log_model.h"
#include "device_registry.h"
#include "group_bar.h"
#include "image_area.h"
#include "readout_memo.h"
#include "refresh_cycle.h"
#include "request_scheduler.h"
#include "silent_abort.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

// The client's upkeep (the reset, the bounds, the fingerprint) is no part of
// what is fuzzed: its branches are no coverage for the fuzzer, and leaving
// them uninstrumented keeps every input cheap.
#if defined(__clang__)
#define FUZZCLIENT_UPKEEP __attribute__((no_sanitize("coverage")))
#else
#define FUZZCLIENT_UPKEEP
#endif

namespace fuzzclient {

// The application every target shares (offscreen, made on first use unless
// the program has one).
inline void application()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "fuzz_client";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(app);
}

class Client {
public:
    Client()
    {
        application();
        programState() = ProgramState{};
        m_windows = std::make_unique<ClientWindows>();
        ClientContext &c = ctx();
        c.send = [](const QByteArray &) {};
        c.reconnect = [] {};
        c.showError = [](const QString &) {};
        c.confirm = [](const QString &) { return false; };
        c.pause = [](int, const std::function<void()> &then) {
            if (then)
                then();
        };
        m_windows->ana.state().connected = true;
        m_refresh = std::make_unique<RefreshCycle>(c);
        record();
    }

    ClientWindows &w() { return *m_windows; }
    ClientContext &ctx() { return m_windows->ana.context(); }
    const ClientContext &ctx() const { return m_windows->ana.context(); }

    // Everything an input may have changed, back as a new client has it.
    FUZZCLIENT_UPKEEP void reset()
    {
        ClientWindows &w = *m_windows;
        w.ana.state() = m_conn;
        programState() = m_prog;
        w.vd1kal.store().initialise();
        if (ctx().registry->count() > 0)
            ctx().registry->clear();
        GroupBar *bar = ctx().deviceBar;
        if (bar->groupCount() > 0)
            bar->clear();
        if (ctx().messageList->count() > 0)
            ctx().messageList->clear();
        if (w.haberlesme.model()->rowCount() > 0)
            w.haberlesme.model()->clear();
        // The meter memo's index is made when the first piece comes.
        for (QPlainTextEdit *memo : m_memos)
            delete memo->findChild<ReadoutMemo *>(QString(), Qt::FindDirectChildrenOnly);
        for (Kept &k : m_kept) {
            if (k.property.read(k.object) != k.value)
                k.property.write(k.object, k.value);
        }
        for (ShapeLamp *lamp : w.ana.findChildren<ShapeLamp *>())
            lamp->stopFlicker();
        for (Shown &s : m_shown) {
            if (s.widget->isHidden() != s.hidden)
                s.widget->setHidden(s.hidden);
            if (s.widget->testAttribute(Qt::WA_ForceDisabled) != s.disabled)
                s.widget->setEnabled(!s.disabled);
            // A style sheet makes its widget's palette; setting one over it
            // would undo the sheet.
            const QPalette &palette = s.widget->palette();
            if (s.widget->styleSheet().isEmpty() && !palette.isCopyOf(s.palette) && palette != s.palette)
                s.widget->setPalette(s.palette);
        }
        for (Tabs &t : m_tabs) {
            for (int i = 0; i < t.visible.size(); ++i) {
                if (t.tabs->isTabVisible(i) != t.visible[i])
                    t.tabs->setTabVisible(i, t.visible[i]);
                if (t.tabs->isTabEnabled(i) != t.enabled[i])
                    t.tabs->setTabEnabled(i, t.enabled[i]);
            }
            if (t.tabs->currentIndex() != t.current)
                t.tabs->setCurrentIndex(t.current);
        }
        for (Picture &p : m_pictures) {
            if (p.area->canvas().constBits() != p.image.constBits())
                p.area->canvas() = p.image;
        }
        if (w.giris.progress() != m_progress)
            w.giris.setProgress(m_progress);
        if (w.giris.statusText() != m_status)
            w.giris.setStatusText(m_status);
        // The live display remembers the texts it worked out.
        m_refresh->forget();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // One read walked as the client walks it; a silent abort ends that read.
    void walk(const QByteArray &read)
    {
        try {
            m_windows->ana.dispatcher().walk(read, programState().lastRemainder);
        } catch (const SilentAbort &) {
        }
    }

    // A tick of the live display over what the input left, then the
    // deferred deletions (items taken out of the device bar).
    void settle()
    {
        m_refresh->Timer1Timer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The stores' bounds, whatever came: abort when one is passed.
    FUZZCLIENT_UPKEEP void checkBounds()
    {
        const ConnectionState &c = m_windows->ana.state();
        const GroupBar *bar = ctx().deviceBar;
        int items = 0;
        for (const GroupBarGroup *g : bar->groups())
            items += g->itemCount();
        const CommunicationLogModel *log = m_windows->haberlesme.model();
        const RegisterStore &store = m_windows->vd1kal.store();
        const bool within = c.deviceCount >= 1 && c.deviceCount <= ConnectionState::kMaxDevices + 1
            && c.deviceSerials.size() <= ConnectionState::kMaxDevices + 1
            && c.messageCount >= 0 && c.messageCount <= ConnectionState::kMaxMessages
            && c.messageTitles.size() <= ConnectionState::kMaxMessages
            && c.messageTexts.size() <= ConnectionState::kMaxMessages
            && c.messageBytes <= ConnectionState::kMaxMessageBytes
            && ctx().messageList->count() <= c.messageCount
            && items <= ConnectionState::kMaxBarItems && bar->groupCount() <= ConnectionState::kMaxGroups
            && ctx().registry->count() <= fleet::DeviceRegistry::kMaxDevices
            && log->rowCount() <= CommunicationLogModel::kMaxLines && log->charCount() <= CommunicationLogModel::kMaxChars
            && store.targetRow >= 0 && store.targetRow <= RegisterStore::kRows && store.startRegister >= 0;
        if (!within) {
            std::fprintf(stderr, "fuzz_client: a store passed its bound\n");
            abort();
        }
    }

    // A line of the communication log without its time.
    static QString shownRead(const QString &line)
    {
        const qsizetype at = line.indexOf(QStringLiteral(":   "));
        return at < 0 ? line : line.mid(at + 4);
    }

    // Every object under the five windows with every property, the bar, the
    // lists, the log, the pages' tabs, the pictures, the stores and the
    // state, one line each.
    FUZZCLIENT_UPKEEP QStringList fingerprint() const
    {
        QStringList out;
        const ClientWindows &w = *m_windows;
        for (const QObject *root : windowRoots())
            describe(root, QStringLiteral("/"), out);
        const ConnectionState &c = m_windows->ana.state();
        out << QStringLiteral("conn %1 %2 %3 %4 %5 [%6] [%7] [%8]")
                   .arg(c.deviceCount)
                   .arg(c.messageCount)
                   .arg(c.messageBytes)
                   .arg(int(c.connected))
                   .arg(int(c.deviceSlotsFullNoted))
                   .arg(QString::fromLatin1(c.pendingRequest.toHex()),
                        QString::fromLatin1(c.deviceSerials.join('|').toHex()),
                        QString::fromLatin1((c.messageTitles.join('|') + '#' + c.messageTexts.join('|')).toHex()));
        const ProgramState &p = programState();
        QByteArray samples;
        for (double v : p.harmonicSamplesA)
            samples += QByteArray::number(v) + ' ';
        for (double v : p.harmonicSamplesB)
            samples += QByteArray::number(v) + ' ';
        out << QStringLiteral("prog %1 %2 %3 [%4] %5")
                   .arg(p.activeSerial)
                   .arg(p.deviceKind)
                   .arg(p.decimalSeparator)
                   .arg(QString::fromLatin1(p.lastRemainder.toHex()), QString::fromLatin1(samples));
        const RegisterStore &store = m_windows->vd1kal.store();
        QCryptographicHash cells(QCryptographicHash::Sha1);
        for (int row = 1; row <= RegisterStore::kRows; ++row) {
            for (int reg = 0; reg < RegisterStore::kRowWidth; ++reg) {
                const double v = store.read(row, reg);
                const int raw[] = {store.readRaw(row, 4 * reg), store.readRaw(row, 4 * reg + 1),
                                   store.readRaw(row, 4 * reg + 2), store.readRaw(row, 4 * reg + 3)};
                cells.addData(QByteArrayView(reinterpret_cast<const char *>(&v), sizeof v));
                cells.addData(QByteArrayView(reinterpret_cast<const char *>(raw), sizeof raw));
            }
        }
        out << QStringLiteral("store %1 %2 %3")
                   .arg(store.targetRow)
                   .arg(store.startRegister)
                   .arg(QString::fromLatin1(cells.result().toHex()));
        const fleet::DeviceRegistry &registry = *ctx().registry;
        for (const fleet::DeviceEntry &e : registry.entries())
            out << QStringLiteral("device %1").arg(QString::fromLatin1((e.serial + '|' + e.group + '|' + e.name + '|'
                                                                         + e.model + '|' + char('0' + int(e.online)))
                                                                            .toHex()));
        const fleet::RequestScheduler &scheduler = *ctx().scheduler;
        out << QStringLiteral("scheduler %1 %2 %3")
                   .arg(scheduler.queued())
                   .arg(int(scheduler.inFlight()))
                   .arg(int(scheduler.isConnected()));
        for (const GroupBarGroup *g : ctx().deviceBar->groups()) {
            QStringList items;
            for (const GroupBarItem *it : g->items())
                items << it->caption();
            out << QStringLiteral("group %1: %2").arg(g->caption(), items.join(QStringLiteral(" | ")));
        }
        for (int i = 0; i < ctx().messageList->count(); ++i)
            out << QStringLiteral("message %1").arg(ctx().messageList->item(i)->text());
        const CommunicationLogModel *log = w.haberlesme.model();
        out << QStringLiteral("log %1 lines %2 characters %3 dropped")
                   .arg(log->rowCount())
                   .arg(log->charCount())
                   .arg(log->droppedLines());
        for (int i = 0; i < log->rowCount(); ++i)
            out << QStringLiteral("log ") + shownRead(log->line(i));
        return out;
    }

private:
    // One property of one component as a new client has it.
    struct Kept {
        QObject *object;
        QMetaProperty property;
        QVariant value;
    };
    struct Shown {
        QWidget *widget;
        bool hidden;
        bool disabled;
        QPalette palette;
    };
    struct Tabs {
        QTabWidget *tabs;
        QList<bool> visible, enabled;
        int current;
    };
    struct Picture {
        ImageArea *area;
        QImage image;
    };

    QList<const QObject *> windowRoots() const
    {
        const ClientWindows &w = *m_windows;
        return {&w.ana, &w.giris, &w.haberlesme, &w.vd1kal, &w.mesajlar};
    }

    // What a component shows: the properties of the project's own classes
    // (they expose what they show) and those of Qt's that hold what is shown.
    FUZZCLIENT_UPKEEP static bool shownProperty(const QObject *o, const QMetaProperty &p)
    {
        if (!p.isWritable() || !p.isReadable())
            return false;
        const char *owner = p.enclosingMetaObject()->className();
        if (owner[0] != 'Q')
            return true;
        const QByteArray name = p.name();
        if (qobject_cast<const QLabel *>(o))
            return name == "text";
        if (qobject_cast<const QLineEdit *>(o))
            return name == "text" || name == "readOnly";
        if (qobject_cast<const QAbstractButton *>(o))
            return name == "text" || name == "checked";
        if (qobject_cast<const QPlainTextEdit *>(o))
            return name == "plainText";
        if (qobject_cast<const QTextEdit *>(o))
            return name == "html";
        if (qobject_cast<const QWidget *>(o))
            return name == "value" || name == "dateTime" || name == "styleSheet" || name == "toolTip"
                || name == "accessibleName" || name == "windowTitle";
        return false;
    }

    FUZZCLIENT_UPKEEP void record()
    {
        m_conn = m_windows->ana.state();
        m_prog = programState();
        m_progress = m_windows->giris.progress();
        m_status = m_windows->giris.statusText();
        for (const QObject *root : windowRoots()) {
            QList<QObject *> all = root->findChildren<QObject *>();
            all.prepend(const_cast<QObject *>(root));
            for (QObject *o : all) {
                if (auto *memo = qobject_cast<QPlainTextEdit *>(o))
                    m_memos.push_back(memo);
                if (auto *tabs = qobject_cast<QTabWidget *>(o)) {
                    Tabs t{tabs, {}, {}, tabs->currentIndex()};
                    for (int i = 0; i < tabs->count(); ++i) {
                        t.visible << tabs->isTabVisible(i);
                        t.enabled << tabs->isTabEnabled(i);
                    }
                    m_tabs.push_back(t);
                }
                if (auto *area = qobject_cast<ImageArea *>(o))
                    m_pictures.push_back({area, area->canvas()});
                auto *widget = qobject_cast<QWidget *>(o);
                if (widget && !o->objectName().isEmpty() && !qobject_cast<QMenu *>(widget->parentWidget()))
                    m_shown.push_back({widget, widget->isHidden(), widget->testAttribute(Qt::WA_ForceDisabled),
                                       widget->palette()});
                const QMetaObject *mo = o->metaObject();
                for (int i = 0; i < mo->propertyCount(); ++i) {
                    const QMetaProperty p = mo->property(i);
                    if (shownProperty(o, p))
                        m_kept.push_back({o, p, p.read(o)});
                }
            }
        }
    }

    // Properties that differ between two new clients of one process, or
    // with the moment a layout was last made (a text document's size, what
    // a menu's widget actions cover).
    static bool volatileProperty(const QObject *o, const QByteArray &name)
    {
        return name == "remainingTime" || name == "remainingTimeAsDuration"
            || (name == "size" && qobject_cast<const QTextDocument *>(o))
            || ((name == "childrenRect" || name == "childrenRegion") && qobject_cast<const QMenu *>(o));
    }

    FUZZCLIENT_UPKEEP static QString valueText(const QVariant &v)
    {
        // An object a property points to differs from client to client: its
        // own properties are described where it sits in the tree.
        if (v.metaType().flags() & (QMetaType::PointerToQObject | QMetaType::IsPointer))
            return QStringLiteral("<%1>").arg(QString::fromLatin1(v.typeName()));
        switch (v.typeId()) {
        case QMetaType::QPalette: {
            const QPalette p = v.value<QPalette>();
            QStringList colours;
            for (int g = 0; g < QPalette::NColorGroups; ++g)
                for (int r = 0; r < QPalette::NColorRoles; ++r)
                    colours << p.color(QPalette::ColorGroup(g), QPalette::ColorRole(r)).name(QColor::HexArgb);
            return colours.join(u',');
        }
        case QMetaType::QFont:
            return v.value<QFont>().toString();
        case QMetaType::QIcon:
        case QMetaType::QPixmap:
        case QMetaType::QCursor:
            return QStringLiteral("<%1>").arg(QString::fromLatin1(v.typeName()));
        default:
            break;
        }
        if (v.canConvert<QString>())
            return v.toString();
        QString text;
        QDebug(&text) << v;
        return text;
    }

    FUZZCLIENT_UPKEEP static void describe(const QObject *o, const QString &parent, QStringList &out)
    {
        const QString path = parent + QString::fromLatin1(o->metaObject()->className()) + u'#' + o->objectName();
        const QMetaObject *mo = o->metaObject();
        for (int i = 0; i < mo->propertyCount(); ++i) {
            const QMetaProperty p = mo->property(i);
            if (p.isReadable() && !volatileProperty(o, p.name()))
                out << path + u'.' + QString::fromLatin1(p.name()) + u'=' + valueText(p.read(o));
        }
        if (const auto *tabs = qobject_cast<const QTabWidget *>(o))
            for (int i = 0; i < tabs->count(); ++i)
                out << path + QStringLiteral(".tab%1=%2,%3").arg(i).arg(tabs->isTabVisible(i)).arg(tabs->isTabEnabled(i));
        if (const auto *area = qobject_cast<const ImageArea *>(o)) {
            const QImage &image = area->image();
            out << path + QStringLiteral(".image=")
                    + QString::fromLatin1(QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char *>(
                                                                                      image.constBits()),
                                                                                  image.sizeInBytes()),
                                                                   QCryptographicHash::Sha1)
                                              .toHex());
        }
        // A menu shows and hides the widgets of its widget actions as it
        // takes and releases them: that is the menu's upkeep, not the client's.
        if (const auto *w = qobject_cast<const QWidget *>(o); w && !qobject_cast<const QMenu *>(w->parentWidget()))
            out << path + QStringLiteral(".shown=%1,%2").arg(w->isHidden()).arg(w->testAttribute(Qt::WA_ForceDisabled));
        int n = 0;
        for (const QObject *child : o->children())
            describe(child, path + QStringLiteral("[%1]/").arg(n++), out);
    }

    std::unique_ptr<ClientWindows> m_windows;
    std::unique_ptr<RefreshCycle> m_refresh;
    ConnectionState m_conn;
    ProgramState m_prog;
    quint16 m_progress = 0;
    QString m_status;
    std::vector<Kept> m_kept;
    std::vector<Shown> m_shown;
    std::vector<Tabs> m_tabs;
    std::vector<Picture> m_pictures;
    std::vector<QPlainTextEdit *> m_memos;
};

// The lines of one fingerprint missing from the other, both ways ("-" a new
// client's, "+" the reset one's), at most `limit` of them.
inline QStringList differences(const QStringList &fresh, const QStringList &reset, int limit = 20)
{
    QStringList out;
    for (qsizetype i = 0; i < qMax(fresh.size(), reset.size()) && out.size() < limit; ++i) {
        const QString a = fresh.value(i), b = reset.value(i);
        if (a != b)
            out << QStringLiteral("- ") + a << QStringLiteral("+ ") + b;
    }
    return out;
}

// The process's one client. The first inputs of a run also check that the
// reset client is what a new client is (a fault of the reset, not of the
// client, ends the run with what differs).
inline Client &client()
{
    static Client c;
    return c;
}

inline Client &freshClient()
{
    static int checks = 0;
    static const QStringList fresh = [] {
        Client other;
        return other.fingerprint();
    }();
    Client &c = client();
    c.reset();
    if (checks < 3 || qEnvironmentVariableIsSet("FUZZ_CHECK_RESET")) {
        ++checks;
        const QStringList diff = differences(fresh, c.fingerprint());
        if (!diff.isEmpty()) {
            std::fprintf(stderr, "fuzz_client: a reset client differs from a new one:\n%s\n",
                         qPrintable(diff.join(u'\n')));
            abort();
        }
    }
    return c;
}

} // namespace fuzzclient
