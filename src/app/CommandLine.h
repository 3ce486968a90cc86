#pragma once

#include <QString>
#include <QStringList>

// The program's command line. It is read before any application object exists, so that
// --help, --version and mistakes are answered without a display.
class CommandLine {
public:
    enum class Action {
        Run,         // open the main window
        CheckCourse, // check checkFolder and print the problems
        MakeTiming,   // the timing file of timingText for timingSound, to timingOut or stdout
        ImportTiming, // the timing file of timingText from the timings in timingImport
        ShowHelp,
        ShowVersion,
        Fail,        // a mistake: errorText and the usage go to stderr, exit status 2
    };

    static CommandLine parse(const QStringList &arguments);

    Action action = Action::Run;
    QString courseFolder; // --course, empty when not given
    QString checkFolder;  // --check-course
    QString timingText;   // --make-timing TEXT SOUND, --import-timing FILE TEXT
    QString timingSound;
    QString timingImport;
    QString timingOut;    // --out, empty for standard output
    bool showIntro = true;
    bool traceWindows = false; // --trace-windows
    QString platform;     // Qt's -platform, empty when not given
    QString errorText;

    // The options, each in Russian and in English.
    static QString helpText();
    static QString versionText();
};
