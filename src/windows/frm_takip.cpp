#include "frm_takip.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const char *const kFilters[] = {
    QT_TRANSLATE_NOOP("TFrmTakip", "Tümü"),
    QT_TRANSLATE_NOOP("TFrmTakip", "KRİTİK ve üstü"),
    QT_TRANSLATE_NOOP("TFrmTakip", "ALARM ve üstü"),
    QT_TRANSLATE_NOOP("TFrmTakip", "CEZA"),
};

QTableView *tableView(QWidget *parent, const char *name, QAbstractItemModel *model)
{
    auto *t = new QTableView(parent);
    t->setObjectName(QLatin1String(name));
    t->setModel(model);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setAlternatingRowColors(true);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setWordWrap(false);
    return t;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

TFrmTakip::TFrmTakip(fleet::CompensationWatch &watch, fleet::AlarmLog &alarms, QWidget *parent)
    : QWidget(parent, Qt::Window), m_watch(watch), m_alarms(alarms), m_model(new WatchTableModel(watch, this)),
      m_view(new WatchSortFilterModel(m_model, this)), m_alarmModel(new AlarmTableModel(alarms, this))
{
    setObjectName(QStringLiteral("FrmTakip"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto *column = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *filterLabel = new QLabel(tr("Göster:"), this);
    m_filter = new QComboBox(this);
    m_filter->setObjectName(QStringLiteral("cmbTakipFiltre"));
    for (const char *f : kFilters)
        m_filter->addItem(tr(f));
    filterLabel->setBuddy(m_filter);
    auto *sweep = button(this, "btnTakipTara", tr("Şimdi Tara"));
    auto *intervalLabel = new QLabel(tr("Tarama aralığı:"), this);
    m_interval = new QSpinBox(this);
    m_interval->setObjectName(QStringLiteral("spnTakipAralik"));
    m_interval->setRange(fleet::CompensationWatch::kMinIntervalMinutes, fleet::CompensationWatch::kMaxIntervalMinutes);
    m_interval->setSuffix(tr(" dk"));
    m_interval->setValue(watch.intervalMinutes());
    intervalLabel->setBuddy(m_interval);
    m_progress = new QLabel(this);
    m_progress->setObjectName(QStringLiteral("lblTakipDurum"));
    auto *exportButton = button(this, "btnTakipDisaAktar", tr("Dışa Aktar..."));
    top->addWidget(filterLabel);
    top->addWidget(m_filter);
    top->addWidget(sweep);
    top->addSpacing(12);
    top->addWidget(intervalLabel);
    top->addWidget(m_interval);
    top->addSpacing(12);
    top->addWidget(m_progress, 1);
    top->addWidget(exportButton);
    column->addLayout(top);

    auto *split = new QSplitter(Qt::Vertical, this);
    m_table = tableView(split, "TakipTablosu", m_view);
    m_table->setSortingEnabled(false);
    m_table->horizontalHeader()->setSortIndicatorShown(false);
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_view->sort(0, Qt::DescendingOrder);
    split->addWidget(m_table);

    auto *alarmBox = new QGroupBox(tr("Alarmlar"), split);
    alarmBox->setObjectName(QStringLiteral("grpAlarmlar"));
    auto *alarmColumn = new QVBoxLayout(alarmBox);
    m_alarmTable = tableView(alarmBox, "AlarmKayitlari", m_alarmModel);
    alarmColumn->addWidget(m_alarmTable);
    auto *alarmRow = new QHBoxLayout;
    m_onCritical = new QCheckBox(tr("KRİTİK seviyede de uyar"), alarmBox);
    m_onCritical->setObjectName(QStringLiteral("chkKritikAlarm"));
    m_onCritical->setChecked(alarms.alarmOnCritical());
    auto *ack = button(alarmBox, "btnAlarmOnayla", tr("Onayla"));
    ack->setToolTip(tr("Seçili alarmları onaylar; seçim yoksa hepsini."));
    alarmRow->addWidget(m_onCritical);
    alarmRow->addStretch(1);
    alarmRow->addWidget(ack);
    alarmColumn->addLayout(alarmRow);
    split->addWidget(alarmBox);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    column->addWidget(split, 1);

    const int w = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int widths[WatchTableModel::ColumnCount] = {16, 24, 9, 12, 12, 11, 11, 17, 14};
    for (int c = 0; c < WatchTableModel::ColumnCount; ++c)
        m_table->setColumnWidth(c, widths[c] * w);
    const int alarmWidths[AlarmTableModel::ColumnCount] = {20, 32, 11, 10, 9, 24};
    for (int c = 0; c < AlarmTableModel::ColumnCount; ++c)
        m_alarmTable->setColumnWidth(c, alarmWidths[c] * w);

    connect(m_filter, &QComboBox::currentIndexChanged, this,
            [this](int i) { m_view->setFilter(WatchSortFilterModel::Filter(qBound(0, i, 3))); });
    connect(sweep, &QPushButton::clicked, &watch, &fleet::CompensationWatch::sweepNow);
    connect(m_interval, &QSpinBox::valueChanged, this, [this](int minutes) {
        m_watch.setIntervalMinutes(minutes);
        emit intervalChanged(minutes);
    });
    connect(exportButton, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Dışa Aktar"), tr("kompanzasyon-takibi.csv"),
                                                          tr("CSV dosyaları (*.csv)"));
        if (!path.isEmpty())
            exportCsv(path);
    });
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        // The user's column: ascending first, then the other way round.
        QHeaderView *h = m_table->horizontalHeader();
        const bool again = !m_view->worstFirst() && m_view->sortColumn() == section;
        const Qt::SortOrder order = again && m_view->sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                                       : Qt::AscendingOrder;
        m_view->setWorstFirst(false);
        m_view->sort(section, order);
        h->setSortIndicatorShown(true);
        h->setSortIndicator(section, order);
    });
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        const QModelIndex source = m_view->mapToSource(index);
        if (source.isValid() && source.row() < m_watch.registry().count())
            emit deviceActivated(m_watch.registry().at(source.row()).serial);
    });
    connect(ack, &QPushButton::clicked, this, &TFrmTakip::acknowledge);
    connect(m_onCritical, &QCheckBox::toggled, this, [this](bool on) {
        m_alarms.setAlarmOnCritical(on);
        emit alarmOnCriticalChanged(on);
    });
    connect(&watch, &fleet::CompensationWatch::progress, this, &TFrmTakip::updateProgress);
    connect(&watch, &fleet::CompensationWatch::sweepFinished, this, &TFrmTakip::updateProgress);
    connect(&alarms, &fleet::AlarmLog::unacknowledgedChanged, this, &TFrmTakip::updateTitle);
    updateProgress();
    updateTitle();
    resize(1000, 620);
}

void TFrmTakip::setFilter(WatchSortFilterModel::Filter f)
{
    m_filter->setCurrentIndex(int(f));
}

QString TFrmTakip::titleFor(int unacknowledged)
{
    const QString title = tr("Kompanzasyon Takibi");
    return unacknowledged > 0 ? tr("%1 - %2 onaylanmamış alarm").arg(title).arg(unacknowledged) : title;
}

void TFrmTakip::updateTitle()
{
    setWindowTitle(titleFor(m_alarms.unacknowledged()));
}

void TFrmTakip::updateProgress()
{
    QString text = tr("Taranan: %1 / %2 cihaz").arg(m_watch.sweepDone()).arg(m_watch.sweepTotal());
    if (!m_watch.isSweeping() && m_watch.sweepsDone() > 0)
        text += tr(" (tarama bitti)");
    m_progress->setText(text);
}

void TFrmTakip::acknowledge()
{
    const QDateTime now = m_watch.now();
    const QModelIndexList rows = m_alarmTable->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        m_alarms.acknowledgeAll(now);
        return;
    }
    for (const QModelIndex &row : rows)
        m_alarms.acknowledge(m_alarmModel->recordOf(row.row()), now);
}

bool TFrmTakip::exportCsv(const QString &path)
{
    QSaveFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly) && writeWatchCsv(*m_view, file) && file.commit();
    if (!ok)
        QMessageBox::critical(this, QApplication::applicationName(),
                              tr("%1 dosyası yazılamadı: %2").arg(path, file.errorString()));
    return ok;
}
