#include "CourseBuilder.h"

#include "CaptionPicture.h"
#include "CatalogueSource.h"
#include "CourseName.h"
#include "OutputFolder.h"
#include "PictureList.h"
#include "SourceError.h"
#include "SourceText.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSet>

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

// What a data source becomes in the course. Texts the program reads line by line go to
// cp1251 with CR LF. Rich text declares its own code page and spells its Cyrillic as
// \'hh escapes, so it must be ASCII and only its line ends change. Anything else
// (sounds, ready-made pictures) is copied unchanged.
QByteArray courseBytesOf(const QString &sourcePath)
{
    const QString suffix = QFileInfo(sourcePath).suffix().toLower();
    if (suffix == QLatin1String("txt") || suffix == QLatin1String("apc"))
        return toCourseText(splitLines(readUtf8File(sourcePath)), sourcePath);
    if (suffix == QLatin1String("rtf")) {
        const QStringList lines = splitLines(readUtf8File(sourcePath));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            for (const QChar c : lines.at(i)) {
                if (c.unicode() > 0x7e || (c.unicode() < 0x20 && c != QLatin1Char('\t')))
                    throw SourceError({sourcePath, int(i + 1)},
                                      QStringLiteral("rich text must be 7-bit ASCII; write Cyrillic as \\'hh (cp1251) escapes"));
            }
        }
        return toCourseText(lines, sourcePath);
    }
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

// Checks the description files, which the program shows the moment a node is selected;
// collects the exercises' course files that are not written yet.
void checkCatalogueFiles(const CatalogueSource &catalogue, const CourseFiles &files, QSet<QString> &missing)
{
    for (const CatalogueLine &line : catalogue.lines) {
        const SourcePos pos{catalogue.sourceFile, line.number};
        if (line.infoKind == 0 || line.infoKind == 1) {
            if (line.infoFile.isEmpty())
                throw SourceError(pos, QStringLiteral("InfoKind %1 needs an InfoFile").arg(line.infoKind));
            if (!files.contains(dataPath(line.infoPath)))
                throw SourceError(pos, QStringLiteral("InfoFile \"%1\" is neither in data/ nor in the picture list")
                                           .arg(line.infoFile));
        }
        if (line.infoKind == 1) {
            // The program picks the picture decoder by the extension.
            const QString suffix = QFileInfo(line.infoPath).suffix().toLower();
            if (suffix != QLatin1String("bmp") && suffix != QLatin1String("jpg") && suffix != QLatin1String("jpeg"))
                throw SourceError(pos, QStringLiteral("InfoKind 1 needs a .bmp or .jpg picture, not \"%1\"")
                                           .arg(line.infoFile));
        }
        for (const QString &path : line.filePaths) {
            if (!path.isEmpty() && !files.contains(dataPath(path)))
                missing.insert(path);
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

} // namespace

CourseSummary buildCourse(const QString &sourceDir, const QString &outputDir, const QString &fontFile)
{
    CourseSummary summary;
    const QDir source(QFileInfo(sourceDir).absoluteFilePath());
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
        files[dataPath(relativePath)] = courseBytesOf(dataDir.filePath(relativePath));
        ++summary.dataFiles;
    }

    QString family = QGuiApplication::font().family();
    if (!fontFile.isEmpty()) {
        const QByteArray font = readBytes(fontFile);
        family = loadPictureFont(font, fontFile);
        files[QStringLiteral("NFREESET.TTF")] = font;
    }

    for (const PictureSpec &picture : readPictureList(source.filePath(QStringLiteral("pictures.tsv")))) {
        const QString path = dataPath(picture.path);
        if (files.contains(path))
            throw SourceError(picture.pos, QStringLiteral("\"%1\" is also a file in data/ or listed twice").arg(picture.name));
        files[path] = encodePicture(drawCaptionPicture(picture, family), picture);
        ++summary.pictures;
    }

    QSet<QString> missing;
    for (const CatalogueSource &catalogue : catalogues)
        checkCatalogueFiles(catalogue, files, missing);
    summary.missingCourseFiles = int(missing.size());

    OutputFolder out(outputDir);
    for (const auto &[path, bytes] : files)
        out.write(path, bytes);
    // The program keeps one folder per learner in here.
    out.makeFolder(QStringLiteral("Report"));
    out.finish();
    summary.changedFiles = out.changedCount();
    summary.removedFiles = out.removedCount();
    return summary;
}
