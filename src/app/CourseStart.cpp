#include "CourseStart.h"

#include "CommandLine.h"

#include "ui/MessageWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

// The folder of the program's own file: the installed sample course is found from it.
// Read from the kernel because no application object exists yet.
QString programFolder()
{
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
}

// A window can be shown when a display server is named and Qt is not asked for a
// platform without one.
bool displayAvailable(const CommandLine &commandLine)
{
    QString platform = commandLine.platform;
    if (platform.isEmpty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.startsWith(QLatin1String("offscreen")) || platform.startsWith(QLatin1String("minimal")))
        return false;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

CourseChoice::Result chooseCourse(const CommandLine &commandLine)
{
    CourseChoice choice(CoursePlaces::forUser(programFolder()));
    return choice.choose(commandLine.courseFolder, QDir::currentPath());
}

void reportCourseProblem(int &argc, char **argv, const CommandLine &commandLine, const CourseChoice::Result &result)
{
    const QByteArray text = "vestoria: " + CourseChoice::russianText(result).toUtf8() + "\nvestoria: " +
                            CourseChoice::englishText(result).toUtf8() + '\n';
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    if (!displayAvailable(commandLine))
        return;
    QApplication app(argc, argv);
    showErrorMessage(CourseChoice::russianText(result));
}
