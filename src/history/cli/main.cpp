#include "history_cli.h"
#include "history_location.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The client's names: its data folder and settings are the ones read.
    QCoreApplication::setOrganizationName(QString::fromUtf8(history::kClientOrganizationName));
    QCoreApplication::setApplicationName(QString::fromUtf8(history::kClientApplicationName));
    return history::cli::run(QCoreApplication::arguments());
}
