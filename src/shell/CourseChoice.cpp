#include "CourseChoice.h"

#include "course/CourseState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <unistd.h>

namespace {

const QString ProgramFolder = QStringLiteral("vestoria");
const QString LastCourseKey = QStringLiteral("lastCourse");

bool folderWritable(const QString &folder)
{
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

bool isCourse(const QString &folder)
{
    return QFileInfo(folder).isDir() && CourseChoice::missingCatalogues(folder).isEmpty();
}

// Copies a folder tree; the copies are the learner's own, so each file is made writable
// for its owner whatever the installed file's mode. Returns what failed, empty on success.
QString copyTree(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return QStringLiteral("%1: cannot create the folder").arg(to);
    const QFileInfoList entries =
        QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString target = to + u'/' + entry.fileName();
        if (entry.isDir()) {
            if (QString failure = copyTree(entry.filePath(), target); !failure.isEmpty())
                return failure;
            continue;
        }
        QFile source(entry.filePath());
        if (!source.copy(target))
            return QStringLiteral("%1: %2").arg(entry.filePath(), source.errorString());
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return {};
}

} // namespace

CoursePlaces CoursePlaces::forUser(const QString &programFolder)
{
    CoursePlaces places;
    places.settingsFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
                          ProgramFolder + u'/' + ProgramFolder + QStringLiteral(".conf");
    places.dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' + ProgramFolder;
    // Installed: <prefix>/bin/vestoria beside <prefix>/share/vestoria/course, wherever the
    // prefix is (a package unpacked elsewhere works too). In a build tree the built sample
    // lies beside the program.
    const QDir program(programFolder);
    places.installedSamples = {
        QDir::cleanPath(program.absoluteFilePath(QStringLiteral(VESTORIA_SHARE_FROM_BIN "/course"))),
        QDir::cleanPath(program.absoluteFilePath(QStringLiteral("course"))),
    };
    return places;
}

QString CoursePlaces::sampleCopy() const
{
    return dataFolder + QStringLiteral("/sample-course");
}

CourseChoice::CourseChoice(CoursePlaces places)
    : places_(std::move(places))
    , writable_(folderWritable)
{
}

QStringList CourseChoice::missingCatalogues(const QString &folder)
{
    const QStringList present = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QStringList missing;
    for (QChar letter : {u'A', u'B', u'C', u'D'}) {
        const QString name = catalogueFileName(letter);
        if (!present.contains(name, Qt::CaseInsensitive))
            missing << name;
    }
    return missing;
}

CourseChoice::Result CourseChoice::choose(const QString &givenFolder, const QString &workingDirectory)
{
    if (!givenFolder.isEmpty()) {
        Result result;
        result.folder = QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(givenFolder));
        if (!QFileInfo(result.folder).isDir()) {
            result.problem = Problem::GivenMissing;
            return result;
        }
        if (const QStringList missing = missingCatalogues(result.folder); !missing.isEmpty()) {
            result.problem = Problem::GivenNotACourse;
            result.detail = missing.join(QStringLiteral(", "));
            return result;
        }
        remember(result.folder);
        return opened(result.folder, Source::Given);
    }
    if (isCourse(workingDirectory)) {
        const QString folder = QDir::cleanPath(QDir(workingDirectory).absolutePath());
        remember(folder);
        return opened(folder, Source::WorkingDirectory);
    }
    const QString remembered = rememberedCourse();
    if (!remembered.isEmpty()) {
        if (isCourse(remembered))
            return opened(remembered, Source::Remembered);
        forget();
    }
    return openSampleCopy();
}

CourseChoice::Result CourseChoice::opened(const QString &folder, Source source) const
{
    Result result;
    result.folder = folder;
    result.source = source;
    result.readOnly = !writable_(folder);
    return result;
}

CourseChoice::Result CourseChoice::openSampleCopy()
{
    const QString copy = places_.sampleCopy();
    // Copied once: from then on the copy is the learner's, with their users and progress,
    // and a newer installed sample does not replace it.
    if (QFileInfo(copy).isDir())
        return opened(copy, Source::SampleCopy);

    QString sample;
    for (const QString &candidate : places_.installedSamples) {
        if (isCourse(candidate)) {
            sample = candidate;
            break;
        }
    }
    Result result;
    if (sample.isEmpty()) {
        result.problem = Problem::NoCourse;
        return result;
    }
    // The copy is made beside its place and renamed into it, so that an interrupted first
    // start leaves no half course that later starts would take for the learner's copy.
    const QString partial = copy + QStringLiteral(".part");
    QDir(partial).removeRecursively();
    QString failure = copyTree(sample, partial);
    if (failure.isEmpty() && !QDir().rename(partial, copy) && !QFileInfo(copy).isDir())
        failure = QStringLiteral("%1: cannot rename it to %2").arg(partial, copy);
    QDir(partial).removeRecursively();
    if (!failure.isEmpty()) {
        result.problem = Problem::SampleCopyFailed;
        result.folder = copy;
        result.detail = failure;
        return result;
    }
    return opened(copy, Source::SampleCopy);
}

QString CourseChoice::rememberedCourse() const
{
    return QSettings(places_.settingsFile, QSettings::IniFormat).value(LastCourseKey).toString();
}

void CourseChoice::remember(const QString &folder) const
{
    QSettings settings(places_.settingsFile, QSettings::IniFormat);
    settings.setValue(LastCourseKey, folder);
    settings.sync();
}

void CourseChoice::forget() const
{
    QSettings settings(places_.settingsFile, QSettings::IniFormat);
    settings.remove(LastCourseKey);
    settings.sync();
}

QString CourseChoice::russianText(const Result &result)
{
    switch (result.problem) {
    case Problem::None:
        break;
    case Problem::GivenMissing:
        return QStringLiteral("Папка курса «%1» не найдена.").arg(result.folder);
    case Problem::GivenNotACourse:
        return QStringLiteral("В папке «%1» нет курса: не хватает файлов %2.").arg(result.folder, result.detail);
    case Problem::NoCourse:
        return QStringLiteral("Курс не найден: учебный курс не установлен. Укажите папку курса: vestoria --course ПАПКА");
    case Problem::SampleCopyFailed:
        return QStringLiteral("Не удалось скопировать учебный курс в «%1»: %2").arg(result.folder, result.detail);
    }
    return {};
}

QString CourseChoice::englishText(const Result &result)
{
    switch (result.problem) {
    case Problem::None:
        break;
    case Problem::GivenMissing:
        return QStringLiteral("The course folder %1 does not exist.").arg(result.folder);
    case Problem::GivenNotACourse:
        return QStringLiteral("%1 is not a course folder: %2 missing.").arg(result.folder, result.detail);
    case Problem::NoCourse:
        return QStringLiteral("No course found: the sample course is not installed. Name a course folder: vestoria --course DIR");
    case Problem::SampleCopyFailed:
        return QStringLiteral("Cannot copy the sample course to %1: %2").arg(result.folder, result.detail);
    }
    return {};
}

QString CourseChoice::readOnlyNotice(const QString &folder)
{
    return QStringLiteral("Папка курса «%1» открыта только для чтения: список учащихся, их успехи и записи "
                          "не будут сохранены.")
        .arg(folder);
}
