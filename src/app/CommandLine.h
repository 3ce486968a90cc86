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
        ClassReport, // the class's progress in classReportFolder, as CSV (and HTML to htmlFile)
        ShowHelp,
        ShowVersion,
        Fail,        // a mistake: errorText and the usage go to stderr, exit status 2
    };

    static CommandLine parse(const QStringList &arguments);

    Action action = Action::Run;
    QString courseFolder; // --course, empty when not given
    QString checkFolder;  // --check-course
    QString classReportFolder; // --class-report
    QString htmlFile;          // --html, with --class-report
    bool showIntro = true;
    bool traceWindows = false; // --trace-windows
    QString platform;     // Qt's -platform, empty when not given
    QString errorText;

    // The options, each in Russian and in English.
    static QString helpText();
    static QString versionText();
};
