#include "PictureList.h"

#include "CourseName.h"
#include "SourceText.h"

#include <QStringList>

namespace {

PictureLayout layoutOf(const QString &word, const SourcePos &pos)
{
    if (word == QLatin1String("title"))
        return PictureLayout::Title;
    if (word == QLatin1String("story"))
        return PictureLayout::Story;
    if (word == QLatin1String("mark"))
        return PictureLayout::Mark;
    throw SourceError(pos, QStringLiteral("layout \"%1\": use title, story or mark").arg(word));
}

} // namespace

std::vector<PictureSpec> readPictureList(const QString &path)
{
    std::vector<PictureSpec> pictures;
    const QStringList lines = splitLines(readUtf8File(path));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const SourcePos pos{path, int(i + 1)};
        if (lines.at(i).trimmed().isEmpty())
            continue;
        const QStringList columns = lines.at(i).split(QLatin1Char('\t'));
        if (columns.size() < 4 || columns.size() > 6) {
            throw SourceError(pos, QStringLiteral("%1 columns; a picture line has name, layout, scene, title, "
                                                  "an optional subtitle and note, TAB-separated")
                                       .arg(columns.size()));
        }
        PictureSpec picture;
        picture.pos = pos;
        picture.name = columns[0];
        picture.layout = layoutOf(columns[1], pos);
        picture.path = coursePathOf(picture.name, pos);
        const QString lower = picture.name.toLower();
        if (picture.layout == PictureLayout::Mark) {
            // The text control puts "r" and "g" in front of the whole name; inside a
            // folder that would name other folders.
            if (picture.name.contains(QLatin1Char('\\')) || !lower.endsWith(QLatin1String(".bmp")))
                throw SourceError(pos, QStringLiteral("mark \"%1\" must be a .bmp name without folders").arg(picture.name));
        } else if (!lower.endsWith(QLatin1String(".jpg")) && !lower.endsWith(QLatin1String(".jpeg"))
                   && !lower.endsWith(QLatin1String(".bmp"))) {
            throw SourceError(pos, QStringLiteral("picture \"%1\" must end in .jpg, .jpeg or .bmp")
                                       .arg(picture.name));
        }
        picture.scene = columns[2];
        picture.title = columns[3];
        picture.subtitle = columns.value(4);
        picture.note = columns.value(5);
        if (!picture.note.isEmpty() && picture.layout != PictureLayout::Title)
            throw SourceError(pos, QStringLiteral("only a title picture has a note"));
        pictures.push_back(picture);
    }
    return pictures;
}
