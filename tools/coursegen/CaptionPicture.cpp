#include "CaptionPicture.h"

#include "Scenes.h"
#include "SourceError.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QSize>

namespace {

// The description pane of the main window shows pictures centred and unscaled;
// this size sits well inside it.
constexpr QSize kTitleSize(360, 270);
// The listening windows show the changing picture in a panel 260 wide for every 280
// high, so the story pictures have that shape.
constexpr QSize kStorySize(260, 280);
constexpr int kBandHeight = 70;
constexpr int kNoteHeight = 28;
// Fixed rather than taken from the screen, so that the files do not depend on the machine.
constexpr int kDotsPerMeter = 3780; // 96 dpi
constexpr int kJpegQuality = 92;

// The largest size up to `pixelSize` at which the text fits the width.
QFont fittedFont(const QString &family, int pixelSize, bool bold, const QString &text, qreal width)
{
    QFont font(family);
    font.setBold(bold);
    for (; pixelSize > 9; --pixelSize) {
        font.setPixelSize(pixelSize);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width)
            break;
    }
    return font;
}

void drawCaption(QPainter &p, const QRectF &band, const PictureSpec &picture, const QString &family)
{
    QLinearGradient shade(band.topLeft(), band.bottomLeft());
    shade.setColorAt(0, QColor(0x1d, 0x35, 0x57));
    shade.setColorAt(1, QColor(0x2a, 0x4a, 0x7b));
    p.fillRect(band, shade);
    p.fillRect(QRectF(band.left(), band.top(), band.width(), 3), QColor(0xf4, 0xa2, 0x61));

    const qreal textWidth = band.width() - 24;
    const bool hasSubtitle = !picture.subtitle.isEmpty();
    const QRectF titleBox = hasSubtitle ? QRectF(band.left(), band.top() + 5, band.width(), 34)
                                        : band.adjusted(0, 3, 0, 0);
    p.setPen(Qt::white);
    p.setFont(fittedFont(family, 24, true, picture.title, textWidth));
    p.drawText(titleBox, Qt::AlignCenter, picture.title);
    if (hasSubtitle) {
        p.setPen(QColor(0xff, 0xe6, 0xa7));
        p.setFont(fittedFont(family, 17, false, picture.subtitle, textWidth));
        p.drawText(QRectF(band.left(), band.top() + 37, band.width(), 26), Qt::AlignCenter, picture.subtitle);
    }
}

// A line of text across the top of the scene, on a light band that keeps it readable
// whatever the scene has there.
void drawNote(QPainter &p, const QRectF &scene, const QString &note, const QString &family)
{
    const QRectF band(scene.left(), scene.top(), scene.width(), kNoteHeight);
    p.fillRect(band, QColor(255, 255, 255, 215));
    p.setPen(QColor(0x1d, 0x35, 0x57));
    p.setFont(fittedFont(family, 16, true, note, band.width() - 16));
    p.drawText(band, Qt::AlignCenter, note);
}

} // namespace

QImage drawCaptionPicture(const PictureSpec &picture, const QString &family)
{
    const QSize size = picture.layout == PictureLayout::Story ? kStorySize : kTitleSize;
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(Qt::white);

    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QRectF scene(0, 0, size.width(), size.height() - kBandHeight);
    if (!paintScene(picture.scene, painter, scene, family)) {
        throw SourceError(picture.pos, QStringLiteral("no scene \"%1\"; the scenes are: %2")
                                           .arg(picture.scene, sceneNames().join(QStringLiteral(", "))));
    }
    if (!picture.note.isEmpty())
        drawNote(painter, scene, picture.note, family);
    drawCaption(painter, QRectF(0, size.height() - kBandHeight, size.width(), kBandHeight), picture, family);
    return image;
}

QByteArray encodePicture(const QImage &image, const PictureSpec &picture)
{
    const bool bmp = picture.path.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
    return encodeImage(image, bmp ? "bmp" : "jpeg", picture.pos);
}

QByteArray encodeImage(const QImage &image, const char *format, const SourcePos &pos)
{
    const bool bmp = qstrcmp(format, "bmp") == 0;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!bmp)
        writer.setQuality(kJpegQuality);
    if (!writer.write(image))
        throw SourceError(pos, QStringLiteral("cannot encode the picture: %1").arg(writer.errorString()));
    return bytes;
}
