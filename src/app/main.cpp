#include "coursecheck/CourseCheck.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"
#include "shell/TerminationSignals.h"
#include "ui/MessageWindow.h"

#include <QApplication>

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
// and needs no display; it prints one "file:line: message" line per problem, in UTF-8, or
// one line saying that there is none, and ends with status 0 when there is none, 1 when
// there are some, 2 when it cannot run (then too with a line saying why).
// Empty when the option is not given: the program starts as usual.
std::optional<int> runCourseCheck(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check-course") != 0)
            continue;
        auto print = [](const QString &text) {
            const QByteArray line = text.toUtf8() + '\n';
            std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        };
        if (i + 1 >= argc) {
            print(QStringLiteral("vestoria: после --check-course нужна папка курса"));
            return 2;
        }
        // Course files are named relative to the course folder, as when the program runs in it.
        if (chdir(argv[i + 1]) != 0) {
            print(formatProblem({QString::fromLocal8Bit(argv[i + 1]), 0, courseFolderProblem(errno)}));
            return 2;
        }
        // A core application is enough for the picture decoders' plugins.
        QCoreApplication app(argc, argv);
        const std::vector<CourseProblem> problems = checkCourse();
        for (const CourseProblem &problem : problems)
            print(formatProblem(problem));
        if (problems.empty())
            print(cleanCourseLine());
        return problems.empty() ? 0 : 1;
    }
    return std::nullopt;
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

    VestoriaApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Вестория"));
    QApplication::setDesktopFileName(QStringLiteral("vestoria"));

    auto windows = createStartupWindows(options);
    MainWindow *main = windows->mainWindow.get();

    // Ending from outside runs the same shutdown as closing the main window. A modal
    // dialog still open is closed first, so that the main window can close.
    TerminationSignals termination;
    auto endRun = [main] {
        // Bounded: a window that refused to close must not keep the program from ending.
        for (int open = 0; open < 32; ++open) {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                break;
            modal->close();
        }
        main->close();
        QApplication::quit();
    };
    QObject::connect(&termination, &TerminationSignals::terminationRequested, main, endRun);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, main, [main] { main->runShutdown(); });

    main->show();
    return QApplication::exec();
}
