#include "KeyColour.h"

namespace {

// Pixels this transparent count as background when the shape of a picture is taken,
// as a monochrome copy of an anti-aliased edge would drop them.
constexpr int ShapeAlphaThreshold = 128;

QImage asArgb(const QImage &picture)
{
    return picture.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

std::optional<QRgb> keyColourAt(const QImage &picture, QPoint at)
{
    if (!picture.valid(at))
        return std::nullopt;
    return asArgb(picture).pixel(at);
}

QImage withKeyTransparent(const QImage &picture, QRgb key)
{
    QImage result = asArgb(picture);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return result;
}

QImage transparentByPixel(const QPixmap &picture, QPoint keyPixel)
{
    const QImage image = picture.toImage();
    const std::optional<QRgb> key = keyColourAt(image, keyPixel);
    if (!key)
        return image;
    return withKeyTransparent(image, *key);
}

QImage greyedShape(const QImage &picture, const QColor &highlight, const QColor &shadow)
{
    const QImage source = asArgb(picture);
    QImage result(source.size(), QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    const QRgb white = qRgb(255, 255, 255);
    auto inShape = [&](int x, int y) {
        const QRgb pixel = source.pixel(x, y);
        return qAlpha(pixel) >= ShapeAlphaThreshold && (pixel | 0xFF000000u) != white;
    };
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (!inShape(x, y))
                continue;
            if (x + 1 < source.width() && y + 1 < source.height())
                result.setPixel(x + 1, y + 1, highlight.rgb());
        }
    }
    // The shadow goes on top, so the highlight shows only along the lower-right edges.
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (inShape(x, y))
                result.setPixel(x, y, shadow.rgb());
        }
    }
    return result;
}
