#include "ScrollingText.h"

#include "ui/DialogFrame.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QColor Black(0, 0, 0);
const QColor Red(255, 0, 0);

} // namespace

QFont ScrollingText::lineFont()
{
    // The design asks for a font 20 px high, meaning the whole line: the largest pixel size
    // whose ascent and descent fit into 20 px. Qt fonts are Unicode, so the one font covers
    // both the Central European text and the Cyrillic translation.
    QFont font = arialFont(LineHeight);
    for (int size = LineHeight; size > 8; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= LineHeight)
            break;
    }
    return font;
}

ScrollingText::ScrollingText(const QStringList &syntagms, const QFont &font, QSize area)
    : font_(font), underlined_(font), image_(area.expandedTo(QSize(1, 1)), QImage::Format_RGB32)
{
    underlined_.setUnderline(true);
    const QFontMetrics metrics(font_);
    ascent_ = metrics.ascent();
    wrapped_ = WrappedText::wrap(syntagms, area.width() - 2 * Margin,
                                 [&metrics](const QString &piece) { return metrics.horizontalAdvance(piece); });
    image_.fill(Qt::white);
    rewind();
}

void ScrollingText::rewind()
{
    correction_ = 0;
    offset_ = 0;
    currentY_ = image_.height() / 2;
}

void ScrollingText::scroll(qint32 positionMs, qint32 lengthMs)
{
    if (currentY_ > image_.height() / 3)
        ++correction_;
    else
        --correction_;
    if (lengthMs <= 0)
        return; // an empty sound does not scroll (and is never divided by)
    const double lines = double(positionMs) / lengthMs * wrapped_.lineTotal() * LineHeight;
    offset_ = int(std::trunc(lines + correction_ / 4.0));
}

void ScrollingText::drawLine(QPainter &painter, int k, int y, int redFrom, int redTo) const
{
    const QString line = wrapped_.line(k);
    const int baseline = y + ascent_;
    redFrom = std::clamp(redFrom, 0, int(line.size()));
    redTo = std::clamp(redTo, redFrom, int(line.size()));
    int x = Margin;
    const QFontMetrics metrics(font_);
    const auto draw = [&](qsizetype from, qsizetype to, bool red) {
        if (to <= from)
            return;
        const QString piece = line.sliced(from, to - from);
        painter.setFont(red ? underlined_ : font_);
        painter.setPen(red ? Red : Black);
        painter.drawText(x, baseline, piece);
        x += metrics.horizontalAdvance(piece);
    };
    draw(0, redFrom, false);
    draw(redFrom, redTo, true);
    draw(redTo, line.size(), false);
}

void ScrollingText::paint(int current)
{
    image_.fill(Qt::white);
    QPainter painter(&image_);
    const SyntagmSpan span = wrapped_.span(current);
    if (!span.isEmpty())
        currentY_ = span.FirstLine * LineHeight - offset_;
    // Only the lines that reach into the image are drawn; the rest would be clipped anyway.
    const int first = std::max(1, offset_ / LineHeight - 1);
    const int last = std::min(wrapped_.lineTotal(), (offset_ + image_.height()) / LineHeight + 1);
    for (int k = first; k <= last; ++k) {
        const int y = k * LineHeight - offset_;
        int redFrom = 0;
        int redTo = 0;
        if (!span.isEmpty() && k >= span.FirstLine && k <= span.LastLine) {
            redFrom = k == span.FirstLine ? span.FirstColumn : 0;
            redTo = k == span.LastLine ? span.LastColumn : int(wrapped_.line(k).size());
        }
        drawLine(painter, k, y, redFrom, redTo);
    }
}
