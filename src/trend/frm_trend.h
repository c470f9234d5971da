#pragma once
// "Eğilim Grafikleri": the recorded history of chosen devices and
// quantities drawn over time. The tree lists what the database holds; the
// range box picks the last hour, day, week, month or a range of the user's
// own; the chart draws each chosen series reduced to its pixel columns
// (lowest and highest value per column), so a month of one-second data
// draws as fast as an hour, and asks again at the finer grain whenever the
// user zooms or moves. While a "Son …" range is shown unzoomed the window
// asks the database again every few seconds, so the lines grow as the
// recorder writes.
#include "history_location.h"
#include "history_reader.h"
#include "trend_logic.h"

#include <QWidget>

#include <functional>
#include <memory>

class QChart;
class QComboBox;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QValueAxis;
class TrendChartView;

class FrmTrend : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString databaseText READ databaseText)
public:
    static constexpr int kLiveMs = 5000;

    explicit FrmTrend(const history::Location &location, QWidget *parent = nullptr);
    ~FrmTrend() override;

    // The clock of the "Son …" ranges (UTC ms); the system clock by default.
    void setClock(std::function<qint64()> clock);
    // Reads the database again: what it holds, its size and the series shown.
    void reload();
    // Chooses a series (checks it in the tree).
    bool setChecked(const QString &serial, const QString &quantity, bool on = true);
    // The range of "Özel...", as its dialog sets it.
    void setCustomRange(qint64 from, qint64 to);
    // Shows [from, to) of the current range, as a zoom does.
    void zoomTo(qint64 from, qint64 to);
    void resetZoom();
    // What the live timer does every kLiveMs while the window is shown: the
    // tree and the size again, and the lines grown to now.
    void liveTick();

    const QList<trend::ShownSeries> &shown() const { return m_shown; }
    // The time span drawn now and the one the range box chose.
    std::pair<qint64, qint64> shownSpan() const { return {m_viewFrom, m_viewTo}; }
    std::pair<qint64, qint64> rangeSpan() const { return {m_from, m_to}; }
    bool zoomed() const;
    QStringList legendTexts() const;
    QString databaseText() const;
    // Queries made so far (one per series and drawing).
    int queryCount() const { return m_queries; }
    TrendChartView *chartView() const { return m_view; }
    // The text the crosshair shows at time x.
    QString describe(double x) const;

protected:
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void buildUi();
    bool ensureOpen();
    void fillTree();
    void rangeChosen(int index);
    void askCustomRange();
    void applyRange();
    void selectionChanged();
    void rebuildSeries();
    void requery();
    void scheduleRequery();
    void axisMoved();
    void updateDatabaseText();
    int columns() const;
    qint64 now() const;

    history::Location m_location;
    std::unique_ptr<history::HistoryReader> m_reader;
    std::function<qint64()> m_clock;
    QString m_openError;

    QTreeWidget *m_tree = nullptr;
    QComboBox *m_range = nullptr;
    QLabel *m_database = nullptr;
    QLabel *m_rangeLabel = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_whole = nullptr;
    QChart *m_chart = nullptr;
    TrendChartView *m_view = nullptr;
    QDateTimeAxis *m_x = nullptr;
    QTimer *m_live = nullptr;
    QTimer *m_requery = nullptr;
    QTimer *m_selection = nullptr;

    struct Line {
        QString serial;
        QString quantity;
        QLineSeries *series = nullptr;
        QValueAxis *axis = nullptr;
        QList<QPointF> points;
    };
    QList<Line> m_lines;
    QList<trend::ShownSeries> m_shown;
    int m_rangeIndex = 1;
    qint64 m_from = 0, m_to = 0;         // the range box's span
    qint64 m_viewFrom = 0, m_viewTo = 0; // what is drawn
    qint64 m_customFrom = 0, m_customTo = 0;
    int m_queries = 0;
    bool m_settingAxes = false;
    bool m_fillingTree = false;
};

namespace trend {
// Shows the owner's trend window, made at the first call with the history
// chosen as the client chooses it (command line, setting, default file).
FrmTrend *showTrendWindow(QWidget *owner);
} // namespace trend
