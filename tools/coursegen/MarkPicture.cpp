#include "MarkPicture.h"

#include "SceneKit.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// Small enough to sit between two paragraphs: the text control draws the picture on
// one line and the paragraph break after it leaves two more lines free.
constexpr int kMarkWidth = 150;
constexpr int kMarkHeight = 54;
constexpr int kDotsPerMeter = 3780; // 96 dpi, as the other pictures

void drawKeyIcon(QPainter &p, const QColor &ink)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(11, 27), 3, 3);
    drawKey(p, QPointF(18, 27), 30, QColor(0xff, 0xc1, 0x07));
}

void drawSignpostIcon(QPainter &p, const QColor &ink)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x54, 0x6e, 0x7a));
    p.drawRect(QRectF(22, 10, 4, 38));
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({QPointF(8, 12), QPointF(36, 12), QPointF(44, 19), QPointF(36, 26), QPointF(8, 26)}));
    p.setBrush(ink.lighter(140));
    p.drawPolygon(QPolygonF({QPointF(40, 30), QPointF(12, 30), QPointF(4, 37), QPointF(12, 44), QPointF(40, 44)}));
}

void drawNotepadIcon(QPainter &p, const QColor &ink)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf5, 0x9d));
    p.drawRect(QRectF(8, 8, 32, 40));
    p.setBrush(QColor(0xf9, 0xa8, 0x25));
    p.drawRect(QRectF(8, 8, 32, 7));
    p.setPen(QPen(ink, 1.5));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(12, 21 + i * 7), QPointF(i == 3 ? 26 : 36, 21 + i * 7));
    p.setPen(Qt::NoPen);
}

using IconPainter = void (*)(QPainter &, const QColor &);

IconPainter iconOf(const QString &name)
{
    if (name == QLatin1String("key"))
        return drawKeyIcon;
    if (name == QLatin1String("signpost"))
        return drawSignpostIcon;
    if (name == QLatin1String("notepad"))
        return drawNotepadIcon;
    return nullptr;
}

QImage drawVariant(IconPainter icon, const QString &title, const QString &family, const QColor &frame,
                   const QColor &fill, const QColor &ink)
{
    QImage image(kMarkWidth, kMarkHeight, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    // The text panel is white; so is everything around the card.
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.setPen(QPen(frame, 2));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1, 1, kMarkWidth - 2, kMarkHeight - 2), 8, 8);
    icon(p, ink);

    QFont font(family);
    font.setBold(true);
    int size = 17;
    for (; size > 9; --size) {
        font.setPixelSize(size);
        if (QFontMetricsF(font).horizontalAdvance(title) <= kMarkWidth - 58)
            break;
    }
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QRectF(50, 0, kMarkWidth - 56, kMarkHeight), Qt::AlignCenter, title);
    return image;
}

} // namespace

MarkPictures drawMarkPictures(const PictureSpec &picture, const QString &family)
{
    const IconPainter icon = iconOf(picture.scene);
    if (!icon)
        throw SourceError(picture.pos, QStringLiteral("no mark icon \"%1\"; the icons are: key, signpost, notepad")
                                           .arg(picture.scene));
    // Red and blue are the colours of the current line and of the marked fragment.
    const QColor navy(0x1d, 0x35, 0x57);
    return {
        drawVariant(icon, picture.title, family, QColor(0x90, 0xa4, 0xae), QColor(0xf5, 0xf8, 0xfa), navy),
        drawVariant(icon, picture.title, family, QColor(255, 0, 0), QColor(0xff, 0xeb, 0xee), QColor(255, 0, 0)),
        drawVariant(icon, picture.title, family, QColor(0, 0, 255), QColor(0xe3, 0xf2, 0xfd), QColor(0, 0, 255)),
    };
}
