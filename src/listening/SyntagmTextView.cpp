#include "SyntagmTextView.h"

#include "core/CoursePicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Nearest integer, halves to the even neighbour (the default rounding mode).
int roundEven(double value)
{
    return int(std::nearbyint(value));
}

} // namespace

// A face in one style, unkerned so that widths add up: a line measures as the sum of its
// words, and a run is drawn where the runs before it end. Advances of the common characters
// are kept, since wrapping measures every word of the text.
struct SyntagmTextView::StyledFont {
    QFont font;
    QFontMetricsF metrics;
    std::vector<double> advances = std::vector<double>(0x500, -1);

    explicit StyledFont(const QFont &f, QPaintDevice *device) : font(f), metrics(f, device) {}

    double width(QStringView text)
    {
        double sum = 0;
        for (const QChar c : text) {
            const char16_t code = c.unicode();
            if (code >= advances.size()) {
                sum += metrics.horizontalAdvance(c);
                continue;
            }
            double &advance = advances[code];
            if (advance < 0)
                advance = metrics.horizontalAdvance(c);
            sum += advance;
        }
        return sum;
    }
};

SyntagmTextView::SyntagmTextView(QWidget *parent) : QWidget(parent)
{
    installReadableSyntagmsAccessibility();
    setFont(QFont(QStringLiteral("Arial"), 10));
    currentSyntagmStyle_ = {SyntagmStyle::Underline, qRgb(255, 0, 0)};
    markedRangeStyle_ = {0, qRgb(0, 0, 255)};
    resize(150, 200);
    scrollTimer_.setInterval(50);
    connect(&scrollTimer_, &QTimer::timeout, this, &SyntagmTextView::scrollStep);
}

SyntagmTextView::~SyntagmTextView() = default;

QStringList &SyntagmTextView::editText()
{
    relayout_ = true;
    return text_;
}

void SyntagmTextView::setText(const QStringList &items)
{
    text_ = items;
    relayout_ = true;
}

void SyntagmTextView::setTextColor(const QColor &colour)
{
    textColor_ = colour;
    relayout_ = true;
    paintText();
}

void SyntagmTextView::setPosition(int value)
{
    if (value < 0 || value >= text_.size() || value == position_)
        return;
    position_ = value;
    relayout_ = true;
    paintText();
}

double SyntagmTextView::spacingFactor(LineSpacing spacing)
{
    switch (spacing) {
    case LineSpacing::is0_75:
        return 0.75;
    case LineSpacing::is1_00:
        break;
    case LineSpacing::is1_25:
        return 1.25;
    case LineSpacing::is1_50:
        return 1.5;
    case LineSpacing::is1_75:
        return 1.75;
    case LineSpacing::is2_00:
        return 2.0;
    }
    return 1.0;
}

void SyntagmTextView::setHeightIntervString(LineSpacing spacing)
{
    spacing_ = spacing;
    paintText();
}

void SyntagmTextView::setPosScreen(int percent)
{
    posScreen_ = std::clamp(percent, 0, 100);
    paintText();
}

void SyntagmTextView::setCurrentSyntagmStyle(SyntagmStyle style)
{
    currentSyntagmStyle_ = style;
    relayout_ = true;
    paintText();
}

void SyntagmTextView::setMarkedRangeStyle(SyntagmStyle style)
{
    markedRangeStyle_ = style;
    relayout_ = true;
    paintText();
}

void SyntagmTextView::setMarkedRangeShown(bool shown)
{
    markedRangeShown_ = shown;
    relayout_ = true;
    paintText();
}

void SyntagmTextView::setNBegin(int value)
{
    if (value >= 0 && value < text_.size()) {
        if (nEnd_ < value) {
            nBegin_ = nEnd_ == 0 ? value : nEnd_;
            nEnd_ = value;
        } else {
            nBegin_ = value;
        }
    }
    relayout_ = true;
    paintText();
}

void SyntagmTextView::setNEnd(int value)
{
    if (value >= 0 && value < text_.size()) {
        if (value < nBegin_) {
            nEnd_ = nBegin_;
            nBegin_ = value;
        } else {
            nEnd_ = value;
        }
    }
    relayout_ = true;
    paintText();
}

void SyntagmTextView::setMarkedRange(int first, int last)
{
    const int count = int(text_.size());
    if (first >= 0 && first < count && last >= 0 && last < count) {
        nBegin_ = std::min(first, last);
        nEnd_ = std::max(first, last);
    }
    relayout_ = true;
    paintText();
}

void SyntagmTextView::setAutoScroll(bool on)
{
    if (on)
        scrollTimer_.start();
    else
        scrollTimer_.stop();
}

void SyntagmTextView::setDirFileAdd(const QString &folder)
{
    dirFileAdd_ = folder;
    picturesOutdated_ = true;
    relayout_ = true;
}

void SyntagmTextView::setMargins(const QMargins &margins)
{
    margins_ = margins;
    paintText();
}

int SyntagmTextView::fontHeight() const
{
    const QFont &f = font();
    if (f.pixelSize() > 0)
        return -f.pixelSize();
    return -roundEven(f.pointSizeF() * logicalDpiY() / 72.0);
}

double SyntagmTextView::lineStep() const
{
    return -fontHeight() * spacingFactor(spacing_);
}

QString SyntagmTextView::currentSyntagmText() const
{
    if (position_ < 0 || position_ >= text_.size())
        return {};
    const QString &item = text_[position_];
    if (item.startsWith(QLatin1String("#@")))
        return {};
    if (item.startsWith(u'#'))
        return item.mid(1).trimmed();
    return item.trimmed();
}

SyntagmTextView::StyledFont &SyntagmTextView::styled(quint8 flags)
{
    auto &slot = styledFonts_[flags & 15];
    if (!slot) {
        QFont font = SyntagmStyle{quint8(flags & 15), 0}.applied(this->font());
        font.setKerning(false);
        slot = std::make_unique<StyledFont>(font, this);
    }
    return *slot;
}

void SyntagmTextView::clampIndexes()
{
    // Text may have shrunk under indexes that were valid when they were set.
    const int last = int(text_.size()) - 1;
    if (last < 0)
        return;
    position_ = std::min(position_, last);
    nBegin_ = std::min(nBegin_, last);
    nEnd_ = std::min(nEnd_, last);
}

void SyntagmTextView::loadPictures()
{
    const QString prefix = dirFileAdd_.isEmpty() ? QString() : dirFileAdd_ + u'\\';
    QList<Picture> loaded;
    loaded.reserve(layout_.pictureNames().size());
    for (const QString &name : layout_.pictureNames()) {
        const QString path = prefix + name;
        // A picture the previous layout already held is kept: a resize or a change of font
        // wraps the text again, and reading every picture again each time would stall it.
        const auto kept = std::find_if(pictures_.begin(), pictures_.end(),
                                       [&](const Picture &picture) { return picture.path == path; });
        if (kept != pictures_.end()) {
            loaded.append(*kept);
            continue;
        }
        loaded.append({path, loadCoursePictureOrNothing(path), loadCoursePictureOrNothing(prefix + u'r' + name),
                       loadCoursePictureOrNothing(prefix + u'g' + name)});
    }
    pictures_ = std::move(loaded);
}

void SyntagmTextView::layoutText()
{
    relayout_ = false;
    clampIndexes();
    const int width = this->width() - margins_.left() - margins_.right();
    if (!wrapped_ || width != wrappedWidth_ || font() != wrappedFont_ || text_ != wrappedItems_) {
        StyledFont &measured = styled(SyntagmStyle::of(font(), textColor_).flags);
        layout_.wrap(text_, width, [&](QStringView piece) { return measured.width(piece); });
        wrappedItems_ = text_;
        wrappedWidth_ = width;
        wrappedFont_ = font();
        wrapped_ = true;
        picturesOutdated_ = true;
    }
    // The picture names come with the wrap; most relayouts (a new current syntagm) keep both.
    if (picturesOutdated_) {
        loadPictures();
        picturesOutdated_ = false;
    }
    layout_.applyStyles(SyntagmStyle::of(font(), textColor_), markedRangeShown_, nBegin_, nEnd_, markedRangeStyle_,
                        position_, currentSyntagmStyle_);
    announceCurrentSyntagm();
}

int SyntagmTextView::currentItem() const
{
    return position_ >= 0 && position_ < text_.size() ? position_ : -1;
}

void SyntagmTextView::announceCurrentSyntagm()
{
    if (currentItem() == announcedPosition_)
        return;
    announcedPosition_ = currentItem();
    ::announceCurrentSyntagm(this, *this);
}

const QImage &SyntagmTextView::pictureFor(const SyntagmLayout::Line &line) const
{
    static const QImage none;
    if (line.picture < 0 || line.picture >= pictures_.size())
        return none;
    const Picture &picture = pictures_[line.picture];
    const SyntagmStyle first = line.styles.isEmpty() ? SyntagmStyle{} : line.styles.first();
    // A variant that did not load gives way to the normal picture.
    if (first == currentSyntagmStyle_ && !picture.current.isNull())
        return picture.current;
    if (first == markedRangeStyle_ && !picture.marked.isNull())
        return picture.marked;
    return picture.normal;
}

void SyntagmTextView::drawLine(QPainter &painter, const SyntagmLayout::Line &line, int left, int y)
{
    const qsizetype length = line.text.size();
    const double ascent = styled(0).metrics.ascent();
    double x = left;
    for (qsizetype start = 0; start < length;) {
        const SyntagmStyle style = line.styles.value(start);
        qsizetype end = start + 1;
        while (end < length && line.styles.value(end) == style)
            ++end;
        const QString run = line.text.sliced(start, end - start);
        StyledFont &runFont = styled(style.flags);
        painter.setFont(runFont.font);
        painter.setPen(QColor::fromRgb(style.colour));
        painter.drawText(QPointF(x, y + ascent), run);
        x += runFont.width(run);
        start = end;
    }
}

void SyntagmTextView::renderFrame()
{
    if (frame_.size() != size())
        frame_ = QImage(size(), QImage::Format_RGB32);
    frame_.fill(Qt::white);
    const double step = lineStep();
    if (relayout_)
        layoutText();
    const QRect textRect = rect().marginsRemoved(margins_);
    const int textTop = margins_.top();
    const int textBottom = height() - margins_.bottom();
    if (text_.isEmpty() || frame_.isNull())
        return;

    const int offset = roundEven(scroll_);
    const int currentLine = position_ < layout_.itemCount() ? layout_.spans()[position_].firstLine : 0;
    currentY_ = roundEven(currentLine * step) + textTop + offset;
    if (!isVisible())
        return;

    QPainter painter(&frame_);
    const QList<SyntagmLayout::Line> &lines = layout_.lines();
    for (int i = 0; i < lines.size(); ++i) {
        const int y = roundEven(i * step) + textTop + offset;
        const SyntagmLayout::Line &line = lines[i];
        if (line.picture >= 0) {
            const QImage &picture = pictureFor(line);
            if (!picture.isNull())
                painter.drawImage(width() / 2 - picture.width() / 2, y, picture);
        } else if (y >= textTop && y <= textBottom && !line.text.isEmpty()) {
            drawLine(painter, line, textRect.left(), y);
        }
    }
}

void SyntagmTextView::paintText()
{
    renderFrame();
    if (isVisible())
        update();
}

void SyntagmTextView::scrollStep()
{
    if (text_.isEmpty())
        return; // nothing to bring to rest
    const double step = lineStep();
    int rest = 0;
    if (sinDown_ && position_ >= 0 && position_ < text_.size() && position_ < layout_.itemCount()) {
        const QString &item = text_[position_];
        const int picture = layout_.pictureOfItem(position_);
        if (item.size() < 2) {
            rest = roundEven(step);
        } else if (picture >= 0) {
            rest = picture < pictures_.size() ? pictures_[picture].current.height() : 0;
        } else {
            const SyntagmLayout::Span &span = layout_.spans()[position_];
            rest = roundEven(step * (span.lastLine - span.firstLine));
        }
    }
    // The syntagm rests with its first line at target - rest, so that with SinDown its
    // last line lies at the target height.
    const int target = height() * posScreen_ / 100;
    const int y = currentY_;
    const int distance = y - (target - rest);
    // The step grows exponentially with the distance: long jumps go fast, the last pixels
    // one at a time.
    const double slowness = std::max(kSpeed_, 1);
    if (distance > 0)
        scroll_ -= std::min(std::exp(double(distance) * height() / slowness), double(distance));
    else if (distance < 0)
        scroll_ += std::min(std::exp(double(-distance) * height() / slowness), double(-distance));
    if (y != target - rest || relayout_)
        paintText();
}

void SyntagmTextView::paintEvent(QPaintEvent *)
{
    if (relayout_ || frame_.size() != size())
        renderFrame();
    QPainter painter(this);
    painter.drawImage(0, 0, frame_);
}

void SyntagmTextView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout_ = true;
    emit resized();
}

void SyntagmTextView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    renderFrame();
}

void SyntagmTextView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        for (auto &slot : styledFonts_)
            slot.reset();
        relayout_ = true;
        paintText();
    }
    QWidget::changeEvent(event);
}
