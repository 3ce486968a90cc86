#include "CommandLine.h"
#include "CourseStart.h"

#include "coursecheck/CourseCheck.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"
#include "shell/TerminationSignals.h"
#include "ui/MessageWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>

#include <cerrno>
#include <cstdio>

#include <unistd.h>
#include <exception>

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

// "--check-course DIR": the course author's check of the course in DIR. It opens no window
// and needs no display; it prints one "file:line: message" line per problem, in UTF-8, or
// one line saying that there is none, and ends with status 0 when there is none, 1 when
// there are some, 2 when it cannot run (then too with a line saying why).
int runCourseCheck(int argc, char **argv, const QString &folder)
{
    auto print = [](const QString &text) {
        const QByteArray line = text.toUtf8() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    };
    // Course files are named relative to the course folder, as when the program runs in it.
    if (chdir(QFile::encodeName(folder).constData()) != 0) {
        print(formatProblem({folder, 0, courseFolderProblem(errno)}));
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

void print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = CommandLine::parse(arguments);
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
        std::fprintf(stderr, "vestoria: cannot open the course folder %s\n", qPrintable(course.folder));
        return 2;
    }
    StartupOptions options;
    options.showIntro = commandLine.showIntro;

    VestoriaApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Вестория"));
    QApplication::setApplicationVersion(QStringLiteral(VESTORIA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.vestoria"));
    // The installed icon; the menu entry and the window list show the same picture.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.example.vestoria")));

    auto windows = createStartupWindows(options);
    MainWindow *main = windows->mainWindow.get();
    if (course.readOnly)
        main->openReadOnly(CourseChoice::readOnlyNotice(course.folder));

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
