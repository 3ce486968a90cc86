#include "OutputFolder.h"

#include "SourceError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>

namespace {

const QString kManifest = QStringLiteral(".coursegen-files");

} // namespace

OutputFolder::OutputFolder(const QString &root)
    : root_(QDir::cleanPath(QDir(root).absolutePath()))
{
    if (!QDir().mkpath(root_))
        throw SourceError({root_}, QStringLiteral("cannot make the course folder"));
}

QString OutputFolder::absolute(const QString &relativePath) const
{
    return root_ + QLatin1Char('/') + relativePath;
}

bool OutputFolder::writeIfChanged(const QString &relativePath, const QByteArray &bytes)
{
    const QString path = absolute(relativePath);
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.size() == bytes.size() && existing.readAll() == bytes)
        return false;
    existing.close();

    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw SourceError({path}, QStringLiteral("cannot make the folder"));
    // Written aside and renamed, so that an interrupted build leaves no half file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw SourceError({path}, QStringLiteral("cannot write: ") + file.errorString());
    return true;
}

void OutputFolder::write(const QString &relativePath, const QByteArray &bytes)
{
    if (written_.contains(relativePath))
        throw SourceError({absolute(relativePath)}, QStringLiteral("made twice by this build"));
    if (writeIfChanged(relativePath, bytes))
        ++changed_;
    written_.insert(relativePath);
}

void OutputFolder::makeFolder(const QString &relativePath)
{
    if (!QDir().mkpath(absolute(relativePath)))
        throw SourceError({absolute(relativePath)}, QStringLiteral("cannot make the folder"));
}

void OutputFolder::finish()
{
    QFile manifest(absolute(kManifest));
    if (manifest.open(QIODevice::ReadOnly)) {
        const QStringList previous = QString::fromUtf8(manifest.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        manifest.close();
        const QDir rootDir(root_);
        for (const QString &relativePath : previous) {
            // Only plain relative paths: the manifest must never reach outside the folder.
            if (written_.contains(relativePath) || QDir::isAbsolutePath(relativePath)
                || relativePath.split(QLatin1Char('/')).contains(QStringLiteral("..")))
                continue;
            if (QFile::remove(absolute(relativePath)))
                ++removed_;
            // Folders the removal emptied go too; rmdir leaves any that still hold something.
            QString folder = QFileInfo(relativePath).path();
            while (folder != QLatin1String(".") && rootDir.rmdir(folder))
                folder = QFileInfo(folder).path();
        }
    }

    QStringList paths(written_.begin(), written_.end());
    std::sort(paths.begin(), paths.end());
    writeIfChanged(kManifest, (paths.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}
