#include "ClassReportCommand.h"
#include "CommandLine.h"
#include "CourseStart.h"
#include "ProgramOutput.h"
#include "ScriptedInput.h"
#include "TimingCommands.h"

#include "coursecheck/CourseCheck.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"
#include "shell/TerminationSignals.h"
#include "ui/MessageWindow.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QIcon>

#include <SDL2/SDL.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <exception>
#include <memory>

#include <unistd.h>

namespace {

// The top-level handler: an error no window caught is shown, and the program goes on.
class VestoriaApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &error) {
            showErrorMessage(QString::fromUtf8(error.what()));
        }
        return false;
    }
};

// "--check-course DIR": the course author's check of the course in DIR. It opens no window
// and needs no display; it prints one "file:line: message" line per problem, in UTF-8, or
// one line saying that there is none, and ends with status 0 when there is none (or only
// warnings), 1 when there are some, 2 when it cannot run (then too with a line saying why).
int runCourseCheck(int argc, char **argv, const QString &folder)
{
    // Course files are named relative to the course folder, as when the program runs in it.
    if (chdir(QFile::encodeName(folder).constData()) != 0) {
        print(stdout, formatProblem({folder, 0, courseFolderProblem(errno)}) + u'\n');
        return 2;
    }
    // A core application is enough for the picture decoders' plugins.
    QCoreApplication app(argc, argv);
    const std::vector<CourseProblem> problems = checkCourse();
    for (const CourseProblem &problem : problems)
        print(stdout, formatProblem(problem) + u'\n');
    if (problems.empty())
        print(stdout, cleanCourseLine() + u'\n');
    const bool failed = std::any_of(problems.begin(), problems.end(), [](const CourseProblem &p) { return !p.warning; });
    return failed ? 1 : 0;
}

// "--trace-windows": prints "shown <name>" on standard output as each window appears, so
// that a script driving the program knows which window waits (a message, the intro).
class WindowTrace : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()) {
            std::printf("shown %s\n", watched->objectName().toUtf8().constData());
            std::fflush(stdout);
        }
        return false;
    }
};

// Closes the modal windows that are open, innermost first. Bounded: a window that refused
// to close must not keep the program from ending.
void closeModalWindows()
{
    for (int open = 0; open < 32; ++open) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        modal->close();
    }
}

} // namespace

int main(int argc, char **argv)
{
    // A session that ends (or a terminal that closes) while the program starts still ends it
    // through its shutdown, never by the signal's default, which would lose the work.
    TerminationSignals::catchEarly();
    // A file-size limit then makes the write that passes it fail, told like a full disk,
    // instead of killing the program in the middle of a save.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = CommandLine::parse(arguments);
    if (commandLine.action != CommandLine::Action::Run)
        TerminationSignals::release(); // nothing to save: a signal ends these runs at once
    switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
        print(stdout, CommandLine::helpText());
        return 0;
    case CommandLine::Action::ShowVersion:
        print(stdout, CommandLine::versionText());
        return 0;
    case CommandLine::Action::Fail:
        print(stderr, QStringLiteral("vestoria: %1\n\n%2").arg(commandLine.errorText, CommandLine::helpText()));
        return 2;
    case CommandLine::Action::CheckCourse:
        return runCourseCheck(argc, argv, commandLine.checkFolder);
    case CommandLine::Action::MakeTiming:
    case CommandLine::Action::ImportTiming:
        return runTimingCommand(commandLine);
    case CommandLine::Action::ClassReport:
        return runClassReport(argc, argv, commandLine);
    case CommandLine::Action::Run:
        break;
    }

    // The course folder becomes the working directory before anything else happens; the
    // directory never changes later.
    const CourseChoice::Result course = chooseCourse(commandLine);
    if (course.problem != CourseChoice::Problem::None) {
        reportCourseProblem(argc, argv, commandLine, course);
        return 2;
    }
    if (!QDir::setCurrent(course.folder)) {
        printProblem(QStringLiteral("cannot open the course folder ") + course.folder);
        return 2;
    }
    StartupOptions options;
    options.showIntro = commandLine.showIntro;
    // The sound library would otherwise put its own SIGINT and SIGTERM handlers in place of
    // the program's when its audio part starts.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");

    VestoriaApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Вестория"));
    QApplication::setApplicationVersion(QStringLiteral(VESTORIA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.vestoria"));
    // The installed icon; the menu entry and the window list show the same picture.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.example.vestoria")));
    WindowTrace trace;
    std::unique_ptr<ScriptedInput> script;
    if (commandLine.traceWindows) {
        app.installEventFilter(&trace);
        script = std::make_unique<ScriptedInput>();
    }

    // Ending from outside runs the same shutdown as closing the main window, from the very
    // start to the end: a modal window still open (a start-up message, the intro, a dialog)
    // is closed first, so that the main window can close.
    TerminationSignals termination;
    bool endRequested = false;
    MainWindow *main = nullptr;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&] {
        endRequested = true;
        closeModalWindows();
        if (main) {
            main->endFromOutside();
            QApplication::quit();
        }
    });

    auto windows = createStartupWindows(options);
    main = windows->mainWindow.get();
    if (course.readOnly)
        main->openReadOnly(CourseChoice::readOnlyNotice(course.folder));
    if (endRequested) {
        // Ended while a start-up message waited: what was read is saved, nothing else runs.
        main->endFromOutside();
        return main->shutdownSaveFailed() ? 1 : 0;
    }
    QObject::connect(&app, &QGuiApplication::commitDataRequest, main, [main] { main->saveForSessionEnd(); });
    if (commandLine.traceWindows) {
        // "saved <file>" as each save of the learners' work ends, for scripts that wait for it.
        QObject::connect(main, &MainWindow::saved, [](const QString &file) {
            std::printf("saved %s\n", file.toUtf8().constData());
            std::fflush(stdout);
        });
    }

    main->show();
    const int status = QApplication::exec();
    return main->shutdownSaveFailed() ? 1 : status;
}
