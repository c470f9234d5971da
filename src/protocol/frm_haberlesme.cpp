#include "frm_haberlesme.h"

#include "wire.h"

#include <QCloseEvent>
#include <QListView>
#include <QLocale>
#include <QRegularExpression>
#include <QStringListModel>
#include <QTime>
#include <QVBoxLayout>

TFrmhaberlesme::TFrmhaberlesme(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TFrmhaberlesme"));
    setWindowTitle(QStringLiteral("Frmhaberlesme"));
    resize(696, 480);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_model = new QStringListModel(this);
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    m_list->setModel(m_model);
    m_list->setUniformItemSizes(true); // long reads must not be measured line by line
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_list);
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
    static const QString format = longTimeFormat();
    const QString line = QLocale().toString(QTime::currentTime(), format)
                         + QStringLiteral(":   ") + wire::renderForLog(bytes);
    const int row = m_model->rowCount();
    m_model->insertRows(row, 1);
    m_model->setData(m_model->index(row), line);
}

void TFrmhaberlesme::addNote(const QString &text)
{
    static const QString format = longTimeFormat();
    const QString line = QLocale().toString(QTime::currentTime(), format) + QStringLiteral(":   ## ") + text;
    const int row = m_model->rowCount();
    m_model->insertRows(row, 1);
    m_model->setData(m_model->index(row), line);
}

int TFrmhaberlesme::lineCount() const
{
    return m_model->rowCount();
}

QString TFrmhaberlesme::line(int i) const
{
    return m_model->data(m_model->index(i)).toString();
}

void TFrmhaberlesme::closeEvent(QCloseEvent *e)
{
    hide(); // closing only hides the log
    e->ignore();
}
