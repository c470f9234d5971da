#pragma once
#include <QString>
#include <QStringList>

// The client's command line. Parsing is a plain function over the argument
// list (the program name first), so it runs without a process or a display.
struct AppOptions {
    enum class Action {
        Run,         // start the client
        ShowHelp,    // print `message` (the help text) and stop
        ShowVersion, // print `message` (the version line) and stop
        Fail,        // print `message` (what is wrong) on stderr and stop
    };
    Action action = Action::Run;
    QString message;

    QString host;      // --host: the server host the connect sequence uses; empty: not given
    int port = 0;      // --port: 1..65535; 0: not given
    QString user;      // --user: prefills the user name; empty: not given
    QString language;  // --lang: "tr" or "en"; empty: follow the system
    QString history;   // --history: a history file or URL; empty: not given
    bool minimized = false; // --minimized: start in the tray (minimised where there is none)
};

AppOptions parseAppOptions(const QStringList &arguments);

// Prints what a non-running action has to say (help and version on stdout,
// an error on stderr) and gives the program's exit code; -1 for Action::Run.
int reportAppOptions(const AppOptions &options);

// --help and --version answer before the windowing system is reached, so
// they work without a display. Returns the exit code, or -1 to go on.
int answerBeforeStart(int argc, char **argv);
