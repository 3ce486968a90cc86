#include "coursecheck/CourseCheck.h"
#include "shell/CourseLock.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"
#include "shell/TerminationSignals.h"
#include "ui/MessageWindow.h"

#include <QApplication>
#include <QEvent>

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>

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
            showMessageBox(QString::fromUtf8(error.what()), QStringLiteral("Ошибка"), 16);
        }
        return false;
    }
};

// "--course DIR" makes DIR the working directory before anything else happens, so that a
// desktop launcher can start the program on a course; the directory never changes later.
// Returns false when the option is malformed or the folder cannot be entered.
bool enterCourseFolder(int &argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--course") != 0)
            continue;
        if (i + 1 >= argc) {
            std::fprintf(stderr, "vestoria: --course needs a folder\n");
            return false;
        }
        if (chdir(argv[i + 1]) != 0) {
            std::fprintf(stderr, "vestoria: cannot open the course folder %s: %s\n", argv[i + 1], std::strerror(errno));
            return false;
        }
        for (int j = i; j + 2 <= argc; ++j)
            argv[j] = argv[j + 2];
        argc -= 2;
        return true;
    }
    return true;
}

// "--check-course DIR": the course author's check of the course in DIR. It opens no window
// and needs no display; it prints one "file:line: message" line per problem, in UTF-8, and
// ends with status 0 when there is none, 1 when there are some, 2 when it cannot run.
// Empty when the option is not given: the program starts as usual.
std::optional<int> runCourseCheck(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check-course") != 0)
            continue;
        if (i + 1 >= argc) {
            std::fprintf(stderr, "vestoria: --check-course needs a folder\n");
            return 2;
        }
        // Course files are named relative to the course folder, as when the program runs in it.
        if (chdir(argv[i + 1]) != 0) {
            std::fprintf(stderr, "vestoria: cannot open the course folder %s: %s\n", argv[i + 1], std::strerror(errno));
            return 2;
        }
        // A core application is enough for the picture decoders' plugins.
        QCoreApplication app(argc, argv);
        const std::vector<CourseProblem> problems = checkCourse();
        for (const CourseProblem &problem : problems) {
            const QByteArray line = formatProblem(problem).toUtf8() + '\n';
            std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        }
        return problems.empty() ? 0 : 1;
    }
    return std::nullopt;
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

bool takeFlag(int &argc, char **argv, const char *flag)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], flag) == 0) {
            for (int j = i; j + 1 <= argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (const std::optional<int> status = runCourseCheck(argc, argv))
        return *status;
    if (!enterCourseFolder(argc, argv))
        return 2;
    StartupOptions options;
    options.showIntro = !takeFlag(argc, argv, "--no-intro");
    const bool traceWindows = takeFlag(argc, argv, "--trace-windows");
    // The sound library would otherwise put its own SIGINT and SIGTERM handlers in place of
    // the program's when its audio part starts.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");

    VestoriaApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Вестория"));
    QApplication::setDesktopFileName(QStringLiteral("vestoria"));
    WindowTrace trace;
    if (traceWindows)
        app.installEventFilter(&trace);

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

    CourseLock lock;
    if (!lock.acquire()) {
        QString text = lock.problem();
        std::fprintf(stderr, "vestoria: %s\n", text.replace(u'\r', u' ').toUtf8().constData());
        if (!endRequested)
            showMessageBox(lock.problem(), QStringLiteral("Ошибка"), 16);
        return 1;
    }

    auto windows = createStartupWindows(options);
    main = windows->mainWindow.get();
    if (endRequested) {
        // Ended while a start-up message waited: what was read is saved, nothing else runs.
        main->endFromOutside();
        return main->shutdownSaveFailed() ? 1 : 0;
    }
    QObject::connect(&app, &QGuiApplication::commitDataRequest, main, [main] { main->saveForSessionEnd(); });

    main->show();
    const int status = QApplication::exec();
    return main->shutdownSaveFailed() ? 1 : status;
}
