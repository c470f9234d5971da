#include "frm_haberlesme.h"

#include "communication_log_model.h"
#include "page_tables.h"
#include "wire.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QListView>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <QVBoxLayout>

TFrmhaberlesme::TFrmhaberlesme(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TFrmhaberlesme"));
    setWindowTitle(tr("Frmhaberlesme"));
    resize(696, 480);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_model = new CommunicationLogModel(this);
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    m_list->setModel(m_model);
    m_list->setUniformItemSizes(true); // long reads must not be measured line by line
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_list);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 4);
    buttons->addStretch(1);
    buttons->addWidget(exports::exportButton(this, QStringLiteral("btnHaberlesmeDisaAktar"),
                                             tr("haberlesme.csv"),
                                             [this] { return exports::logTable(*m_model); }));
    layout->addLayout(buttons);
}

// The locale's long time format, without the time zone that Qt adds to it.
static QString longTimeFormat()
{
    QString f = QLocale().timeFormat(QLocale::LongFormat);
    f.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b\\s*")));
    return f.trimmed();
}

void TFrmhaberlesme::addRead(const QByteArray &bytes)
{
    if (bytes.size() <= kShownBytes) {
        append(wire::renderForLog(bytes));
        return;
    }
    append(wire::renderForLog(bytes.first(kShownBytes))
           + tr(" … (toplam %1 bayt)").arg(bytes.size()));
}

void TFrmhaberlesme::addNote(const QString &text)
{
    append(QStringLiteral("## ") + text);
}

void TFrmhaberlesme::append(const QString &text)
{
    static const QString format = longTimeFormat();
    m_model->append(QLocale().toString(QTime::currentTime(), format) + QStringLiteral(":   ") + text);
}

int TFrmhaberlesme::lineCount() const
{
    return m_model->rowCount();
}

QString TFrmhaberlesme::line(int i) const
{
    return m_model->line(i);
}

void TFrmhaberlesme::closeEvent(QCloseEvent *e)
{
    hide(); // closing only hides the log
    e->ignore();
}
