#include "SyntagmLayout.h"

#include <algorithm>

SyntagmLayout::Line &SyntagmLayout::lineAt(int index)
{
    if (index >= lines_.size())
        lines_.resize(index + 1);
    return lines_[index];
}

void SyntagmLayout::wrap(const QStringList &items, int width, const Measure &measure)
{
    lines_.clear();
    spans_.clear();
    itemPictures_.clear();
    pictureNames_.clear();
    if (items.isEmpty())
        return;
    spans_.resize(items.size());
    itemPictures_.fill(-1, items.size());
    int current = 1;
    lineAt(current);
    double currentWidth = 0; // of the current line
    const double spaceWidth = measure(u" ");

    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString &item = items[i];
        Span &span = spans_[i];
        if (item.startsWith(u'#')) {
            // A line of its own: after the current line, which the item ends.
            const int own = current + 1;
            Line &line = lineAt(own);
            if (item.startsWith(QLatin1String("#@"))) {
                line.picture = int(pictureNames_.size());
                itemPictures_[i] = line.picture;
                line.text = u'@' + QString::number(line.picture);
                pictureNames_.append(item.mid(2));
            } else {
                line.text = item.mid(1);
            }
            span = {own, 1, own, int(line.text.size())};
            current = own + 1;
            lineAt(current);
            currentWidth = 0;
            continue;
        }

        span.firstLine = current;
        span.firstColumn = int(lines_[current].text.size());
        qsizetype from = 0;
        while (from < item.size()) {
            const qsizetype space = item.indexOf(u' ', from);
            const qsizetype end = space < 0 ? item.size() : space + 1;
            const QStringView word = QStringView(item).sliced(from, end - from);
            from = end;
            const double wordWidth = measure(word);
            if (currentWidth + wordWidth > width) {
                ++current;
                lineAt(current).text = word.toString();
                currentWidth = wordWidth;
            } else {
                lines_[current].text += word;
                currentWidth += wordWidth;
            }
        }
        lines_[current].text += u' ';
        currentWidth += spaceWidth;
        span.lastLine = current;
        span.lastColumn = int(lines_[current].text.size());
    }
}

int SyntagmLayout::pictureOfItem(int item) const
{
    return item >= 0 && item < itemPictures_.size() ? itemPictures_[item] : -1;
}

void SyntagmLayout::applySpan(const Span &span, SyntagmStyle style)
{
    for (int l = span.firstLine; l <= span.lastLine && l < lines_.size(); ++l) {
        QList<SyntagmStyle> &styles = lines_[l].styles;
        const int length = int(styles.size());
        int first = l == span.firstLine ? span.firstColumn : 1;
        int last = l == span.lastLine ? span.lastColumn : length;
        first = std::max(first, 1);
        last = std::min(last, length);
        for (int c = first; c <= last; ++c)
            styles[c - 1] = style;
    }
}

void SyntagmLayout::applyStyles(SyntagmStyle base, bool showRange, int first, int last, SyntagmStyle range,
                                int current, SyntagmStyle currentStyle)
{
    for (Line &line : lines_)
        line.styles.fill(base, line.text.size());
    const int count = itemCount();
    if (showRange) {
        for (int k = std::max(first, 0); k <= last && k < count; ++k)
            applySpan(spans_[k], range);
    }
    if (current >= 0 && current < count)
        applySpan(spans_[current], currentStyle);
}
