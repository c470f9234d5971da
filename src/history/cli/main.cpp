#include "history_cli.h"
#include "history_location.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The client's name: its data folder and settings are the ones read.
    QCoreApplication::setApplicationName(QString::fromUtf8(history::kClientApplicationName));
    return history::cli::run(QCoreApplication::arguments());
}
