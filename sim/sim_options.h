#pragma once
// The command line of central_sim, parsed into plain values so that tests
// can check it without starting a process.
#include "faults.h"
#include "site.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace sim {

struct RunOptions {
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 17818;
    QString sitePath;        // empty: the built-in demo site
    int generate = 0;        // > 0: a generated site of this many devices instead
    bool quiet = false;
    bool printSite = false;  // print the site as a site file and stop
    bool checkOnly = false;  // check the site file and stop

    std::optional<std::pair<int, int>> answerDelay; // least, most ms
    std::optional<int> noticeAfterMs;

    // Faults given on the command line; each replaces the site file's.
    std::optional<KeywordFilter> split;
    std::optional<KeywordFilter> join;
    std::optional<int> dropAfter;
    std::optional<FaultPlan> late; // only late and lateMs are used
    std::optional<QSet<quint32>> offline;
};

struct ParsedOptions {
    std::optional<RunOptions> options; // empty on an error or for --help
    QString error;
    QString helpText;                  // set for --help
};

// arguments as QCoreApplication::arguments() gives them (program name first).
ParsedOptions parseRunOptions(const QStringList &arguments);

// The options over the site's own timing and faults; the answer delay falls
// back to kDefaultAnswerDelayMinMs..kDefaultAnswerDelayMaxMs when neither
// gives one. Fails (with error) when a fault names a device the site lacks.
bool applyRunOptions(const RunOptions &options, Site &site, QString *error);

} // namespace sim
