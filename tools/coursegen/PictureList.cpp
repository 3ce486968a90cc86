#include "PictureList.h"

#include "CourseName.h"
#include "SourceText.h"

#include <QStringList>

std::vector<PictureSpec> readPictureList(const QString &path)
{
    std::vector<PictureSpec> pictures;
    const QStringList lines = splitLines(readUtf8File(path));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const SourcePos pos{path, int(i + 1)};
        if (lines.at(i).trimmed().isEmpty())
            continue;
        const QStringList columns = lines.at(i).split(QLatin1Char('\t'));
        if (columns.size() < 3 || columns.size() > 4) {
            throw SourceError(pos, QStringLiteral("%1 columns; a picture line has name, scene, title "
                                                  "and an optional subtitle, TAB-separated")
                                       .arg(columns.size()));
        }
        PictureSpec picture;
        picture.pos = pos;
        picture.name = columns[0];
        picture.path = coursePathOf(picture.name, pos);
        const QString lower = picture.name.toLower();
        if (!lower.endsWith(QLatin1String(".jpg")) && !lower.endsWith(QLatin1String(".jpeg"))
            && !lower.endsWith(QLatin1String(".bmp"))) {
            throw SourceError(pos, QStringLiteral("picture \"%1\" must end in .jpg, .jpeg or .bmp")
                                       .arg(picture.name));
        }
        picture.scene = columns[1];
        picture.title = columns[2];
        picture.subtitle = columns.value(3);
        pictures.push_back(picture);
    }
    return pictures;
}
