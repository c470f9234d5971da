#pragma once
// A table as the user sees it on a page or in a window, and its way to a
// CSV file (csv_writer.h: UTF-8 with BOM, ";" and the decimal comma under a
// Turkish locale). Each export first turns what is shown into a Table (pure
// functions, page_tables.h), then asks where to write it.
#include "csv_writer.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QAction;
class QFileDialog;
class QIODevice;
class QPushButton;
class QWidget;

namespace exports {

// A field: a number where the text is one, so that it goes out with the
// file's decimal sign; the text otherwise.
struct Cell {
    QString text;
    std::optional<double> number;

    Cell() = default;
    Cell(QString t) : text(std::move(t)) {}
    Cell(const char *t) : text(QString::fromUtf8(t)) {}
    Cell(double v) : number(v) {}
    bool operator==(const Cell &) const = default;
};

using Row = QList<Cell>;

struct Table {
    QStringList header;
    QList<Row> rows;
};

// A displayed number ("001,50", "-12.3", "230"): digits with at most one
// decimal sign, either one; nothing for anything else ("DURUM", "", "1.2.3").
std::optional<double> shownNumber(QStringView text);
// The text as a cell: its number when it is one.
Cell shown(const QString &text);

// The table as CSV; false when the device refused bytes.
bool writeCsv(const Table &table, QIODevice &out, csv::Format format = csv::Format::forLocale());

// The "Dışa Aktar..." button of a page or a window, wired: a click asks for
// a file (suggestedName in the documents folder) and writes the table made
// at that moment.
QPushButton *exportButton(QWidget *parent, const QString &name, const QString &suggestedName,
                          std::function<Table()> make);

// The same as an action of the page's context menu, for a page whose
// layout has no room left for a button.
QAction *exportAction(QWidget *page, const QString &name, const QString &suggestedName, std::function<Table()> make);

// The save dialog: CSV files, the suggested name in the user's documents
// folder. Not yet shown.
QFileDialog *saveDialog(QWidget *parent, const QString &suggestedName);
// Asks for a file and writes the table made when the user has chosen one
// (so that it holds what is shown at that moment). A failure is reported
// with the standard error box; false when nothing was written.
bool saveTable(QWidget *parent, const QString &suggestedName, const std::function<Table()> &make);
// The same for any writer of CSV bytes.
bool saveCsv(QWidget *parent, const QString &suggestedName, const std::function<bool(QIODevice &)> &write);

} // namespace exports
