#include "ClassReportCommand.h"

#include "CommandLine.h"
#include "ProgramOutput.h"

#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "reports/ClassReport.h"
#include "users/UserList.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

#include <unistd.h>

namespace {

int fail(const QString &text)
{
    printProblem(text);
    return 2;
}

} // namespace

int runClassReport(int argc, char **argv, const CommandLine &commandLine)
{
    // The page is named from where the command was given, the course files from the course folder.
    const QString page = commandLine.htmlFile.isEmpty() ? QString() : QFileInfo(commandLine.htmlFile).absoluteFilePath();
    if (chdir(QFile::encodeName(commandLine.classReportFolder).constData()) != 0)
        return fail(QStringLiteral("%1: %2").arg(commandLine.classReportFolder, systemErrorText(errno)));
    QCoreApplication app(argc, argv);
    CourseState course;
    UserRegistry users;
    try {
        loadCatalogues(course);
    } catch (const CourseError &error) {
        return fail(error.userText());
    }
    try {
        loadUsers(users);
    } catch (const CourseError &error) {
        // A damaged tail: the whole learners before it are reported all the same.
        printProblem(error.userText());
        if (users.ListUnread)
            return 2;
    }
    const ClassReport report = buildClassReport(course, users.Users);
    const QByteArray csv = classReportCsv(report);
    std::fwrite(csv.constData(), 1, size_t(csv.size()), stdout);
    if (std::fflush(stdout) != 0)
        return 2;
    if (!page.isEmpty()) {
        // The teacher's own file, wherever it is: the course's confinement does not apply.
        QSaveFile file(page);
        if (!file.open(QIODevice::WriteOnly) || file.write(classReportHtml(report)) < 0 || !file.commit())
            return fail(QStringLiteral("%1: %2").arg(page, fileErrorText(file.error())));
    }
    return 0;
}
