#include "CourseBuilder.h"

#include "CaptionPicture.h"
#include "CatalogueSource.h"
#include "CourseName.h"
#include "ExerciseHelpCheck.h"
#include "LessonFiles.h"
#include "LessonSource.h"
#include "MarkPicture.h"
#include "OutputFolder.h"
#include "PictureList.h"
#include "SourceError.h"
#include "SourceText.h"
#include "SpeechCache.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>
#include <map>
#include <vector>

namespace {

const QString kDataFolder = QStringLiteral("____Data");
const QString kModes = QStringLiteral("ABCD");

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SourceError({path}, QStringLiteral("cannot read: ") + file.errorString());
    return file.readAll();
}

// Rich text as the program reads it: ASCII, with the \ansicpg1251 text's Cyrillic
// spelt as \'hh escapes of its cp1251 bytes. The sources are written in plain UTF-8
// Cyrillic, which is readable; the escapes are made here.
QByteArray courseRichText(const QString &sourcePath)
{
    const QStringList lines = splitLines(readUtf8File(sourcePath));
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const SourcePos pos{sourcePath, int(i + 1)};
        for (const QChar c : lines.at(i)) {
            if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
                throw SourceError(pos, QStringLiteral("control character in rich text"));
            if (c.unicode() <= 0x7e) {
                bytes += char(c.unicode());
                continue;
            }
            const QByteArray code = encodeCp1251(QString(c), pos);
            bytes += "\\'" + code.toHex();
        }
        bytes += "\r\n";
    }
    return bytes;
}

// What a data source becomes in the course. Texts the program reads line by line go to
// cp1251 with CR LF; rich text gets its escapes; anything else (ready-made pictures) is
// copied unchanged.
QByteArray courseBytesOf(const QString &sourcePath)
{
    const QString suffix = QFileInfo(sourcePath).suffix().toLower();
    if (suffix == QLatin1String("txt") || suffix == QLatin1String("apc"))
        return toCourseText(splitLines(readUtf8File(sourcePath)), sourcePath);
    if (suffix == QLatin1String("rtf"))
        return courseRichText(sourcePath);
    return readBytes(sourcePath);
}

// The data sources, in a fixed order so that a run reports the same first fault every
// time. Hidden files and editors' backups ("words.txt~") are not course files.
QStringList dataSources(const QString &dataDir)
{
    QStringList paths;
    QDirIterator it(dataDir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir(dataDir).relativeFilePath(it.next());
        if (!path.endsWith(QLatin1Char('~')))
            paths << path;
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

// Everything the course folder receives, by relative path ('/'), made in memory first
// so that a fault in any source stops the build before anything is written.
using CourseFiles = std::map<QString, QByteArray>;

QString dataPath(const QString &relativePath)
{
    return kDataFolder + QLatin1Char('/') + relativePath;
}

// Checks that every file a catalogue names is in the course: the description files,
// which the program shows the moment a node is selected, and the exercises' files.
void checkCatalogueFiles(const CatalogueSource &catalogue, const CourseFiles &files)
{
    for (const CatalogueLine &line : catalogue.lines) {
        const SourcePos pos{catalogue.sourceFile, line.number};
        if (line.infoKind == 0 || line.infoKind == 1) {
            if (line.infoFile.isEmpty())
                throw SourceError(pos, QStringLiteral("InfoKind %1 needs an InfoFile").arg(line.infoKind));
            if (!files.contains(dataPath(line.infoPath)))
                throw SourceError(pos, QStringLiteral("InfoFile \"%1\" is not in the course").arg(line.infoFile));
        }
        if (line.infoKind == 1) {
            // The program picks the picture decoder by the extension.
            const QString suffix = QFileInfo(line.infoPath).suffix().toLower();
            if (suffix != QLatin1String("bmp") && suffix != QLatin1String("jpg") && suffix != QLatin1String("jpeg"))
                throw SourceError(pos, QStringLiteral("InfoKind 1 needs a .bmp or .jpg picture, not \"%1\"")
                                           .arg(line.infoFile));
        }
        for (size_t i = 0; i < line.files.size(); ++i) {
            if (!line.filePaths[i].isEmpty() && !files.contains(dataPath(line.filePaths[i])))
                throw SourceError(pos, QStringLiteral("File%1 \"%2\" is not in the course").arg(i + 1).arg(line.files[i]));
        }
    }
}

// Makes the font the pictures' type face; the family name it registers under.
QString loadPictureFont(const QByteArray &font, const QString &fontFile)
{
    const int id = QFontDatabase::addApplicationFontFromData(font);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty())
        throw SourceError({fontFile}, QStringLiteral("not a font file"));
    return families.first();
}

void addFile(CourseFiles &files, const QString &path, const QByteArray &bytes, const SourcePos &pos)
{
    if (files.contains(path))
        throw SourceError(pos, QStringLiteral("\"%1\" is made twice (data/, lessons/ or the picture list)").arg(path));
    files[path] = bytes;
}

void addPicture(CourseFiles &files, const PictureSpec &picture, const QString &family)
{
    if (picture.layout != PictureLayout::Mark) {
        addFile(files, dataPath(picture.path), encodePicture(drawCaptionPicture(picture, family), picture), picture.pos);
        return;
    }
    // The text control loads a mark from the working folder under its name, and its
    // variants under the name with "r" and "g" in front.
    const MarkPictures marks = drawMarkPictures(picture, family);
    addFile(files, picture.path, encodeImage(marks.normal, "bmp", picture.pos), picture.pos);
    addFile(files, QLatin1Char('r') + picture.path, encodeImage(marks.current, "bmp", picture.pos), picture.pos);
    addFile(files, QLatin1Char('g') + picture.path, encodeImage(marks.marked, "bmp", picture.pos), picture.pos);
}

QStringList lessonFolders(const QDir &source)
{
    const QDir lessons(source.filePath(QStringLiteral("lessons")));
    QStringList folders;
    for (const QString &name : lessons.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        folders << lessons.filePath(name);
    return folders;
}

} // namespace

CourseSummary buildCourse(const CourseBuildOptions &options)
{
    CourseSummary summary;
    const QDir source(QFileInfo(options.sourceDir).absoluteFilePath());
    CourseFiles files;

    std::vector<CatalogueSource> catalogues;
    for (const QChar mode : kModes) {
        const QString name = QStringLiteral("InitReg%1").arg(mode);
        catalogues.push_back(readCatalogueSource(source.filePath(QStringLiteral("catalogues/%1.tsv").arg(name))));
        files[name + QStringLiteral(".txt")] = catalogues.back().courseText;
        summary.catalogueEntries += int(catalogues.back().lines.size());
    }

    const QDir dataDir(source.filePath(QStringLiteral("data")));
    for (const QString &relativePath : dataSources(dataDir.path())) {
        if (!isPortableFileName(relativePath))
            throw SourceError({dataDir.filePath(relativePath)}, QStringLiteral("data file names must be printable ASCII"));
        addFile(files, dataPath(relativePath), courseBytesOf(dataDir.filePath(relativePath)),
                {dataDir.filePath(relativePath)});
        ++summary.dataFiles;
    }

    QString family = QGuiApplication::font().family();
    if (!options.fontFile.isEmpty()) {
        const QByteArray font = readBytes(options.fontFile);
        family = loadPictureFont(font, options.fontFile);
        addFile(files, QStringLiteral("NFREESET.TTF"), font, {options.fontFile});
    }
    if (!options.fixedFilesDir.isEmpty()) {
        const QDir fixed(options.fixedFilesDir);
        for (const QString &name : fixed.entryList(QDir::Files, QDir::Name))
            addFile(files, name, readBytes(fixed.filePath(name)), {fixed.filePath(name)});
    }

    // The help: "LRX_HELP.HLP" and its pictures, copied as they are into the course folder.
    const QDir helpDir(source.filePath(QStringLiteral("help")));
    if (helpDir.exists()) {
        for (const QString &relativePath : dataSources(helpDir.path())) {
            if (!isPortableFileName(relativePath))
                throw SourceError({helpDir.filePath(relativePath)}, QStringLiteral("help file names must be printable ASCII"));
            addFile(files, relativePath, readBytes(helpDir.filePath(relativePath)), {helpDir.filePath(relativePath)});
        }
    }

    // The help and the exercises' descriptions must tell what each exercise really is.
    std::vector<ModeCatalogue> modes;
    for (qsizetype i = 0; i < kModes.size(); ++i)
        modes.push_back({kModes.at(i), &catalogues[size_t(i)]});
    checkCourseHelp(source.path(), modes);

    for (const PictureSpec &picture : readPictureList(source.filePath(QStringLiteral("pictures.tsv")))) {
        addPicture(files, picture, family);
        ++summary.pictures;
    }

    // The lessons: read them all first, so that their clips are spoken in one go.
    std::vector<LessonSource> lessons;
    std::vector<SpeechRequest> spoken;
    for (const QString &folder : lessonFolders(source)) {
        lessons.push_back(readLessonSource(folder));
        const std::vector<SpeechRequest> texts = lessons.back().spokenTexts();
        spoken.insert(spoken.end(), texts.begin(), texts.end());
    }
    SpeechCache speech(options.speechCacheDir);
    speech.prepare(spoken);
    for (const LessonSource &lesson : lessons) {
        const LessonFiles lessonFiles = makeLessonFiles(lesson, speech);
        for (const auto &[path, bytes] : lessonFiles.files)
            addFile(files, dataPath(path), bytes, {source.filePath(QStringLiteral("lessons/") + path)});
        for (const NamedPicture &picture : lessonFiles.storyPictures) {
            if (!files.contains(dataPath(picture.path)))
                throw SourceError(picture.pos, QStringLiteral("picture \"%1\" is not in the picture list").arg(picture.path));
        }
        for (const NamedPicture &picture : lessonFiles.markPictures) {
            if (!files.contains(picture.path))
                throw SourceError(picture.pos, QStringLiteral("mark \"%1\" is not in the picture list").arg(picture.path));
        }
        ++summary.lessons;
    }
    summary.clipsMade = speech.madeCount();

    for (const CatalogueSource &catalogue : catalogues)
        checkCatalogueFiles(catalogue, files);

    OutputFolder out(options.outputDir);
    for (const auto &[path, bytes] : files)
        out.write(path, bytes);
    // The program keeps one folder per learner in here.
    out.makeFolder(QStringLiteral("Report"));
    out.finish();
    summary.changedFiles = out.changedCount();
    summary.removedFiles = out.removedCount();
    return summary;
}
