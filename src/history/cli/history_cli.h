#pragma once
// tarnek-history: the history database read without the client's window.
//   tarnek-history [--history FILE|URL] list [--csv FILE|-]
//   tarnek-history [--history FILE|URL] export --serial S [--quantity Q]…
//                  --from T --to T [--step raw|1m|1h|1d] --csv FILE|-
//   tarnek-history [--history FILE|URL] report --month YYYY-MM [--csv FILE|-]
// Exit status: 0 done, 1 a wrong command line, 2 the database, 3 the output.
#include <QStringList>

namespace history::cli {

int run(const QStringList &arguments);

} // namespace history::cli
