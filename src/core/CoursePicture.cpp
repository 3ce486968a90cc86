#include "CoursePicture.h"

#include "CourseError.h"
#include "CoursePath.h"
#include "FileSystem.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

QImage loadCoursePicture(const QString &name)
{
    const QString suffix = QFileInfo(QString(name).replace(u'\\', u'/')).suffix().toLower();
    QByteArray format;
    if (suffix == u"bmp")
        format = "BMP";
    else if (suffix == u"jpg" || suffix == u"jpeg")
        format = "JPEG";
    else
        throw CourseError(QStringLiteral("Неизвестный формат рисунка: .") + suffix, name);

    QByteArray bytes = readFileBytes(name);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull())
        throw CourseError(QStringLiteral("Рисунок поврежден"), name);
    return image;
}

QImage loadCoursePictureOrNothing(const QString &name)
{
    if (name.isEmpty())
        return {};
    try {
        return loadCoursePicture(name);
    } catch (const CourseError &) {
        return {};
    }
}

QString coursePictureDescription(const QString &name)
{
    return QFileInfo(toLocalSeparators(name)).fileName();
}
