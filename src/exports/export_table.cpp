#include "export_table.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>

namespace exports {

namespace {
struct ExportText {
    Q_DECLARE_TR_FUNCTIONS(ExportText)
};
} // namespace

std::optional<double> shownNumber(QStringView text)
{
    text = text.trimmed();
    QByteArray plain;
    plain.reserve(text.size());
    bool digits = false, point = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            digits = true;
            plain += char(c.unicode());
        } else if ((c == u'.' || c == u',') && !point) {
            point = true;
            plain += '.';
        } else if ((c == u'-' || c == u'+') && i == 0) {
            plain += char(c.unicode());
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    bool ok = false;
    const double v = plain.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

Cell shown(const QString &text)
{
    Cell c(text);
    c.number = shownNumber(text);
    return c;
}

bool writeCsv(const Table &table, QIODevice &out, csv::Format format)
{
    csv::Writer w(out, format);
    if (!table.header.isEmpty())
        w.row(table.header);
    for (const Row &row : table.rows) {
        for (const Cell &c : row) {
            if (c.number)
                w.number(*c.number);
            else
                w.text(c.text);
        }
        w.endRow();
    }
    return w.flush();
}

QPushButton *exportButton(QWidget *parent, const QString &name, const QString &suggestedName,
                          std::function<Table()> make)
{
    auto *b = new QPushButton(ExportText::tr("Dışa Aktar..."), parent);
    b->setObjectName(name);
    b->setToolTip(ExportText::tr("Gösterilen değerleri CSV dosyasına yazar"));
    QObject::connect(b, &QPushButton::clicked, b, [b, suggestedName, make = std::move(make)] {
        saveTable(b->window(), suggestedName, make);
    });
    return b;
}

QAction *exportAction(QWidget *page, const QString &name, const QString &suggestedName, std::function<Table()> make)
{
    auto *a = new QAction(ExportText::tr("Dışa Aktar..."), page);
    a->setObjectName(name);
    page->addAction(a);
    page->setContextMenuPolicy(Qt::ActionsContextMenu);
    QObject::connect(a, &QAction::triggered, page, [page, suggestedName, make = std::move(make)] {
        saveTable(page->window(), suggestedName, make);
    });
    return a;
}

QFileDialog *saveDialog(QWidget *parent, const QString &suggestedName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    auto *d = new QFileDialog(parent, ExportText::tr("Dışa Aktar"), folder);
    d->setObjectName(QStringLiteral("dlgDisaAktar"));
    d->setAcceptMode(QFileDialog::AcceptSave);
    d->setFileMode(QFileDialog::AnyFile);
    d->setNameFilters({ExportText::tr("CSV dosyaları (*.csv)"), ExportText::tr("Tüm dosyalar (*)")});
    d->setDefaultSuffix(QStringLiteral("csv"));
    d->selectFile(suggestedName);
    return d;
}

bool saveCsv(QWidget *parent, const QString &suggestedName, const std::function<bool(QIODevice &)> &write)
{
    QFileDialog *d = saveDialog(parent, suggestedName);
    d->setAttribute(Qt::WA_DeleteOnClose, false);
    const bool chosen = d->exec() == QDialog::Accepted && !d->selectedFiles().isEmpty();
    const QString file = chosen ? d->selectedFiles().constFirst() : QString();
    delete d;
    if (file.isEmpty())
        return false;
    QSaveFile out(file);
    bool ok = out.open(QIODevice::WriteOnly);
    ok = ok && write(out);
    ok = ok && out.commit();
    if (!ok) {
        out.cancelWriting();
        QMessageBox::critical(parent, ExportText::tr("Dışa Aktar"),
                              ExportText::tr("%1 dosyasına yazılamadı: %2").arg(QDir::toNativeSeparators(file),
                                                                              out.errorString()));
    }
    return ok;
}

bool saveTable(QWidget *parent, const QString &suggestedName, const std::function<Table()> &make)
{
    return saveCsv(parent, suggestedName, [&](QIODevice &out) { return writeCsv(make(), out); });
}

} // namespace exports
