#include "frm_trend.h"

#include "export_table.h"
#include "quantities.h"
#include "trend_chart_view.h"

#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QDateTimeEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <cmath>

using trend::Range;

namespace {
constexpr int kQuantityRole = Qt::UserRole;
constexpr int kSerialRole = Qt::UserRole + 1;
constexpr int kLegendColumns = 5;
} // namespace

FrmTrend::FrmTrend(const history::Location &location, QWidget *parent)
    : QWidget(parent, Qt::Window), m_location(location)
{
    setObjectName(QStringLiteral("FrmTrend"));
    setWindowTitle(tr("Eğilim Grafikleri"));
    resize(1120, 700);
    buildUi();
    m_live = new QTimer(this);
    m_live->setObjectName(QStringLiteral("TrendCanli"));
    m_live->setInterval(kLiveMs);
    connect(m_live, &QTimer::timeout, this, &FrmTrend::liveTick);
    m_requery = new QTimer(this);
    m_requery->setSingleShot(true);
    m_requery->setInterval(40);
    connect(m_requery, &QTimer::timeout, this, &FrmTrend::requery);
}

FrmTrend::~FrmTrend() = default;

void FrmTrend::buildUi()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(6);

    auto *bar = new QHBoxLayout;
    bar->setSpacing(8);
    bar->addWidget(new QLabel(tr("Aralık:"), this));
    m_range = new QComboBox(this);
    m_range->setObjectName(QStringLiteral("cmbTrendAralik"));
    m_range->addItems(trend::rangeTexts());
    m_range->setCurrentIndex(m_rangeIndex);
    connect(m_range, &QComboBox::activated, this, &FrmTrend::rangeChosen);
    bar->addWidget(m_range);
    m_rangeLabel = new QLabel(this);
    m_rangeLabel->setObjectName(QStringLiteral("lblTrendAralik"));
    bar->addWidget(m_rangeLabel, 1);
    m_whole = new QPushButton(tr("Tümünü Göster"), this);
    m_whole->setObjectName(QStringLiteral("btnTrendTumu"));
    m_whole->setEnabled(false);
    connect(m_whole, &QPushButton::clicked, this, &FrmTrend::resetZoom);
    bar->addWidget(m_whole);
    m_export = exports::exportButton(this, QStringLiteral("btnTrendDisaAktar"), tr("egilim.csv"),
                                     [this] { return trend::trendTable(m_shown); });
    bar->addWidget(m_export);
    outer->addLayout(bar);

    auto *split = new QSplitter(Qt::Horizontal, this);
    m_tree = new QTreeWidget(split);
    m_tree->setObjectName(QStringLiteral("TrendBuyuklukler"));
    m_tree->setHeaderLabel(tr("Cihazlar ve büyüklükler"));
    m_tree->setAccessibleName(tr("Cihazlar ve büyüklükler"));
    m_tree->setMinimumWidth(240);
    // A device's box checks all its quantities one by one: the chart is
    // made again once, after the last.
    m_selection = new QTimer(this);
    m_selection->setSingleShot(true);
    m_selection->setInterval(0);
    connect(m_selection, &QTimer::timeout, this, &FrmTrend::selectionChanged);
    connect(m_tree, &QTreeWidget::itemChanged, this, [this] {
        if (!m_fillingTree)
            m_selection->start();
    });

    auto *right = new QWidget(split);
    auto *col = new QVBoxLayout(right);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(4);
    m_chart = new QChart;
    m_chart->legend()->hide();
    m_chart->setLocalizeNumbers(true);
    m_chart->setMargins(QMargins(4, 4, 4, 4));
    m_x = new QDateTimeAxis(m_chart);
    m_x->setTickCount(7);
    m_chart->addAxis(m_x, Qt::AlignBottom);
    connect(m_x, &QDateTimeAxis::rangeChanged, this, &FrmTrend::axisMoved);
    m_view = new TrendChartView(m_chart, right);
    m_view->setObjectName(QStringLiteral("TrendGrafik"));
    m_view->setAccessibleName(tr("Eğilim grafiği"));
    m_view->setMinimumSize(480, 300);
    m_view->setDescriber([this](double x) { return describe(x); });
    connect(m_view, &TrendChartView::resetRequested, this, &FrmTrend::resetZoom);
    col->addWidget(m_view, 1);

    auto *legend = new QTableWidget(0, kLegendColumns, right);
    legend->setObjectName(QStringLiteral("TrendLejant"));
    legend->setHorizontalHeaderLabels({tr("Seri"), tr("En küçük"), tr("Ortalama"), tr("En büyük"), tr("Birim")});
    legend->verticalHeader()->hide();
    legend->setEditTriggers(QAbstractItemView::NoEditTriggers);
    legend->setSelectionMode(QAbstractItemView::NoSelection);
    legend->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < kLegendColumns; ++c)
        legend->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    legend->verticalHeader()->setDefaultSectionSize(legend->fontMetrics().height() + 6);
    // Six lines without a scroll bar.
    legend->setMaximumHeight(legend->horizontalHeader()->sizeHint().height() + 6 * (legend->fontMetrics().height() + 6) + 4);
    col->addWidget(legend);

    auto *hint = new QLabel(tr("Sol tuşla sürükleyin: yakınlaştırır · sağ ya da orta tuşla sürükleyin: kaydırır · "
                               "tekerlek: yakınlaştırır, uzaklaştırır · çift tıklama: tümü"),
                            right);
    hint->setWordWrap(true);
    QPalette p = hint->palette();
    p.setColor(QPalette::WindowText, QColor(0x50, 0x50, 0x50));
    hint->setPalette(p);
    col->addWidget(hint);
    split->addWidget(m_tree);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({330, 790});
    outer->addWidget(split, 1);

    m_database = new QLabel(this);
    m_database->setObjectName(QStringLiteral("lblTrendVeritabani"));
    m_database->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outer->addWidget(m_database);
}

void FrmTrend::setClock(std::function<qint64()> clock)
{
    m_clock = std::move(clock);
}

qint64 FrmTrend::now() const
{
    return m_clock ? m_clock() : QDateTime::currentMSecsSinceEpoch();
}

bool FrmTrend::ensureOpen()
{
    if (m_reader && m_reader->database().isOpen())
        return true;
    if (m_location.backend == history::Backend::SQLite && !QFileInfo::exists(m_location.file)) {
        m_openError = tr("henüz kayıt yok");
        return false;
    }
    auto reader = std::make_unique<history::HistoryReader>();
    QString error;
    if (!reader->open(m_location, &error)) {
        m_openError = error;
        return false;
    }
    m_reader = std::move(reader);
    m_openError.clear();
    return true;
}

void FrmTrend::reload()
{
    if (ensureOpen())
        fillTree();
    updateDatabaseText();
    applyRange();
}

void FrmTrend::updateDatabaseText()
{
    const QString where = m_location.display();
    if (m_reader && m_reader->database().isOpen())
        m_database->setText(tr("Veritabanı: %1 · %2").arg(where, QLocale().formattedDataSize(m_reader->databaseSize())));
    else
        m_database->setText(tr("Veritabanı: %1 · %2").arg(where, m_openError));
}

QString FrmTrend::databaseText() const
{
    return m_database->text();
}

void FrmTrend::fillTree()
{
    const QList<history::SeriesInfo> all = m_reader->seriesList();
    // Keep the tree (and what is checked) while the database holds the same
    // series.
    QStringList keys;
    for (const history::SeriesInfo &s : all)
        keys.append(s.serial + QLatin1Char('\x1f') + s.quantity);
    if (keys == m_tree->property("keys").toStringList())
        return;
    QSet<QString> checked;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *device = m_tree->topLevelItem(i);
        for (int j = 0; j < device->childCount(); ++j) {
            QTreeWidgetItem *q = device->child(j);
            if (q->checkState(0) == Qt::Checked)
                checked.insert(q->data(0, kSerialRole).toString() + QLatin1Char('\x1f') + q->data(0, kQuantityRole).toString());
        }
    }
    m_fillingTree = true;
    m_tree->clear();
    QTreeWidgetItem *device = nullptr;
    QLocale locale;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const history::SeriesInfo &s = all[i];
        if (!device || device->text(0) != s.serial) {
            device = new QTreeWidgetItem(m_tree, {s.serial});
            device->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
            device->setCheckState(0, Qt::Unchecked);
        }
        const history::QuantityInfo info = history::quantityInfo(s.quantity);
        auto *item = new QTreeWidgetItem(device, {info.unit.isEmpty() ? info.label
                                                                       : QStringLiteral("%1 (%2)").arg(info.label, info.unit)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setData(0, kQuantityRole, s.quantity);
        item->setData(0, kSerialRole, s.serial);
        item->setCheckState(0, checked.contains(keys[i]) ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(0, tr("%1 · ilk kayıt %2 · son kayıt %3")
                                .arg(s.quantity, locale.toString(QDateTime::fromMSecsSinceEpoch(s.first), QLocale::ShortFormat),
                                     locale.toString(QDateTime::fromMSecsSinceEpoch(s.last), QLocale::ShortFormat)));
    }
    m_tree->setProperty("keys", keys);
    m_tree->expandAll();
    m_fillingTree = false;
    rebuildSeries();
}

bool FrmTrend::setChecked(const QString &serial, const QString &quantity, bool on)
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *device = m_tree->topLevelItem(i);
        for (int j = 0; j < device->childCount(); ++j) {
            QTreeWidgetItem *q = device->child(j);
            if (q->data(0, kSerialRole).toString() == serial && q->data(0, kQuantityRole).toString() == quantity) {
                m_fillingTree = true;
                q->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
                m_fillingTree = false;
                selectionChanged();
                return true;
            }
        }
    }
    return false;
}

void FrmTrend::selectionChanged()
{
    m_selection->stop();
    rebuildSeries();
    requery();
}

void FrmTrend::rebuildSeries()
{
    for (const Line &l : std::as_const(m_lines))
        m_chart->removeSeries(l.series), delete l.series;
    for (QAbstractAxis *a : m_chart->axes(Qt::Vertical))
        m_chart->removeAxis(a), delete a;
    m_lines.clear();
    QHash<QString, QValueAxis *> axes; // one per unit
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *device = m_tree->topLevelItem(i);
        for (int j = 0; j < device->childCount(); ++j) {
            QTreeWidgetItem *q = device->child(j);
            if (q->checkState(0) != Qt::Checked)
                continue;
            Line l{q->data(0, kSerialRole).toString(), q->data(0, kQuantityRole).toString(), new QLineSeries, nullptr, {}};
            const QString unit = history::quantityInfo(l.quantity).unit;
            l.axis = axes.value(unit);
            if (!l.axis) {
                l.axis = new QValueAxis;
                l.axis->setTitleText(unit);
                m_chart->addAxis(l.axis, axes.size() % 2 ? Qt::AlignRight : Qt::AlignLeft);
                axes.insert(unit, l.axis);
            }
            m_chart->addSeries(l.series);
            l.series->setPen(trend::linePen(int(m_lines.size()))); // the theme's own colours repeat after five
            l.series->attachAxis(m_x);
            l.series->attachAxis(l.axis);
            m_lines.append(l);
        }
    }
}

void FrmTrend::rangeChosen(int index)
{
    if (index == int(Range::Custom)) {
        askCustomRange();
        return;
    }
    m_rangeIndex = index;
    applyRange();
}

void FrmTrend::askCustomRange()
{
    auto *d = new QDialog(this);
    d->setObjectName(QStringLiteral("dlgTrendOzel"));
    d->setWindowTitle(tr("Özel aralık"));
    d->setAttribute(Qt::WA_DeleteOnClose);
    auto *form = new QFormLayout(d);
    const auto picker = [d](const char *name, qint64 t) {
        auto *e = new QDateTimeEdit(QDateTime::fromMSecsSinceEpoch(t), d);
        e->setObjectName(QLatin1String(name));
        e->setDisplayFormat(QStringLiteral("dd.MM.yyyy HH:mm"));
        e->setCalendarPopup(true);
        return e;
    };
    const qint64 to = m_customTo > m_customFrom ? m_customTo : now();
    const qint64 from = m_customTo > m_customFrom ? m_customFrom : to - 24 * 3'600'000LL;
    QDateTimeEdit *first = picker("dtTrendBaslangic", from);
    QDateTimeEdit *last = picker("dtTrendBitis", to);
    form->addRow(tr("Başlangıç:"), first);
    form->addRow(tr("Bitiş:"), last);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Tamam"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Vazgeç"));
    form->addRow(buttons);
    const auto check = [=] { buttons->button(QDialogButtonBox::Ok)->setEnabled(first->dateTime() < last->dateTime()); };
    connect(first, &QDateTimeEdit::dateTimeChanged, d, check);
    connect(last, &QDateTimeEdit::dateTimeChanged, d, check);
    connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    connect(d, &QDialog::accepted, this, [=, this] {
        setCustomRange(first->dateTime().toMSecsSinceEpoch(), last->dateTime().toMSecsSinceEpoch());
    });
    connect(d, &QDialog::rejected, this, [this] { m_range->setCurrentIndex(m_rangeIndex); });
    d->open();
}

void FrmTrend::setCustomRange(qint64 from, qint64 to)
{
    if (to <= from)
        return;
    m_customFrom = from;
    m_customTo = to;
    m_rangeIndex = int(Range::Custom);
    m_range->setCurrentIndex(m_rangeIndex);
    applyRange();
}

void FrmTrend::applyRange()
{
    if (m_rangeIndex == int(Range::Custom)) {
        m_from = m_customFrom;
        m_to = m_customTo;
    } else {
        std::tie(m_from, m_to) = trend::presetSpan(Range(m_rangeIndex), now());
    }
    m_viewFrom = m_from;
    m_viewTo = m_to;
    requery();
}

bool FrmTrend::zoomed() const
{
    return m_viewFrom != m_from || m_viewTo != m_to;
}

void FrmTrend::zoomTo(qint64 from, qint64 to)
{
    if (to <= from)
        return;
    m_viewFrom = from;
    m_viewTo = to;
    requery();
}

void FrmTrend::resetZoom()
{
    m_viewFrom = m_from;
    m_viewTo = m_to;
    requery();
}

int FrmTrend::columns() const
{
    const int plot = int(m_chart->plotArea().width());
    return plot >= 50 ? plot : std::max(100, m_view->width() - 120);
}

void FrmTrend::axisMoved()
{
    if (m_settingAxes)
        return;
    const qint64 from = m_x->min().toMSecsSinceEpoch();
    const qint64 to = m_x->max().toMSecsSinceEpoch();
    if (to <= from)
        return;
    m_viewFrom = from;
    m_viewTo = to;
    scheduleRequery();
}

void FrmTrend::scheduleRequery()
{
    m_requery->start();
}

void FrmTrend::requery()
{
    m_requery->stop();
    m_shown.clear();
    const int width = columns();
    const bool open = m_reader && m_reader->database().isOpen();
    QHash<QValueAxis *, std::pair<double, double>> ranges;
    for (Line &l : m_lines) {
        const history::QuantityInfo info = history::quantityInfo(l.quantity);
        trend::ShownSeries s{l.serial, l.quantity, info.label, info.unit, {}};
        if (open) {
            s.columns = m_reader->decimated(l.serial, l.quantity, m_viewFrom, m_viewTo, width);
            ++m_queries;
        }
        l.points = history::polyline(s.columns);
        l.series->replace(l.points);
        l.series->setName(trend::seriesTitle(s));
        if (const auto st = trend::statsOf(s.columns)) {
            auto it = ranges.find(l.axis);
            if (it == ranges.end())
                ranges.insert(l.axis, {st->min, st->max});
            else
                *it = {std::min(it->first, st->min), std::max(it->second, st->max)};
        }
        m_shown.append(std::move(s));
    }
    for (auto it = ranges.begin(); it != ranges.end(); ++it) {
        double lo = it->first, hi = it->second;
        const double pad = hi > lo ? (hi - lo) * 0.06 : std::max(std::abs(lo) * 0.05, 0.5);
        it.key()->setRange(lo - pad, hi + pad);
        const double span = hi + pad - (lo - pad);
        const int decimals = std::clamp(2 - int(std::floor(std::log10(span))), 0, 4);
        it.key()->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
    }
    m_settingAxes = true;
    const qint64 span = m_viewTo - m_viewFrom;
    m_x->setFormat(span <= 15 * 60'000 ? QStringLiteral("HH:mm:ss")
                   : span <= 2 * 86'400'000LL ? QStringLiteral("dd.MM HH:mm")
                                               : QStringLiteral("dd.MM.yyyy"));
    m_x->setRange(QDateTime::fromMSecsSinceEpoch(m_viewFrom), QDateTime::fromMSecsSinceEpoch(m_viewTo));
    m_settingAxes = false;

    auto *legend = findChild<QTableWidget *>(QStringLiteral("TrendLejant"));
    legend->setRowCount(int(m_shown.size()));
    for (int i = 0; i < m_shown.size(); ++i) {
        const trend::ShownSeries &s = m_shown[i];
        const auto st = trend::statsOf(s.columns);
        auto *title = new QTableWidgetItem(s.serial + QLatin1Char(' ') + s.label);
        title->setData(Qt::DecorationRole, m_lines[i].series->color());
        legend->setItem(i, 0, title);
        const double values[] = {st ? st->min : NAN, st ? st->avg : NAN, st ? st->max : NAN};
        for (int c = 0; c < 3; ++c) {
            auto *v = new QTableWidgetItem(trend::valueText(values[c]));
            v->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            legend->setItem(i, c + 1, v);
        }
        legend->setItem(i, 4, new QTableWidgetItem(s.unit));
    }
    QLocale locale;
    m_rangeLabel->setText(tr("%1 – %2").arg(locale.toString(QDateTime::fromMSecsSinceEpoch(m_viewFrom), QLocale::ShortFormat),
                                            locale.toString(QDateTime::fromMSecsSinceEpoch(m_viewTo), QLocale::ShortFormat)));
    m_whole->setEnabled(zoomed());
    m_export->setEnabled(!m_shown.isEmpty());
}

QStringList FrmTrend::legendTexts() const
{
    QStringList out;
    for (const trend::ShownSeries &s : m_shown)
        out.append(trend::legendText(s));
    return out;
}

QString FrmTrend::describe(double x) const
{
    QStringList lines{QLocale().toString(QDateTime::fromMSecsSinceEpoch(qint64(x)), QStringLiteral("dd.MM.yyyy HH:mm:ss"))};
    for (qsizetype i = 0; i < m_lines.size() && i < m_shown.size(); ++i) {
        if (const auto p = trend::nearestPoint(m_lines[i].points, x))
            lines.append(tr("%1: %2").arg(trend::seriesTitle(m_shown[i]), trend::valueText(p->y())));
    }
    return lines.join(QLatin1Char('\n'));
}

void FrmTrend::liveTick()
{
    if (!isVisible())
        return;
    if (ensureOpen())
        fillTree();
    updateDatabaseText();
    if (m_rangeIndex != int(Range::Custom) && !zoomed())
        applyRange();
}

void FrmTrend::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (!m_live->isActive()) {
        reload();
        m_live->start();
    }
}

void FrmTrend::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    scheduleRequery();
}

namespace trend {

FrmTrend *showTrendWindow(QWidget *owner)
{
    auto *w = owner->findChild<FrmTrend *>(QStringLiteral("FrmTrend"), Qt::FindDirectChildrenOnly);
    if (!w) {
        QString error;
        const auto location =
            history::resolveLocation(history::historyArgument(QCoreApplication::arguments()), history::settingLocation(), &error);
        if (!location) {
            QMessageBox::critical(owner, FrmTrend::tr("Eğilim Grafikleri"), error);
            return nullptr;
        }
        w = new FrmTrend(*location, owner);
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

} // namespace trend
