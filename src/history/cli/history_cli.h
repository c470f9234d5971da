#pragma once
// tarnek-history: the history database read without the client's window.
//   tarnek-history [--history FILE|URL] [--lang tr|en] list [--csv FILE|-]
//   tarnek-history [--history FILE|URL] export --serial S [--quantity Q]…
//                  --from T --to T [--step raw|1m|1h|1d] --csv FILE|-
//   tarnek-history [--history FILE|URL] report --month YYYY-MM [--csv FILE|-]
// Exit status: 0 done, 1 a wrong command line, 2 the database, 3 the output.
#include <QStringList>

class QLocale;

namespace history::cli {

// The language of the texts and column names: "--lang", else the one chosen
// in the client's menu, else the system's; Turkish where the locale names no
// language (C, POSIX), so that scheduled reports keep their columns.
QString chooseLanguage(const QStringList &arguments, const QString &remembered, const QLocale &system);

int run(const QStringList &arguments);

} // namespace history::cli
