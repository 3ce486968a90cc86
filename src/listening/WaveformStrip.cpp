#include "WaveformStrip.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

#include <vector>

namespace {

constexpr int Inset = 1; // inside the strip's frame
constexpr int QuietPeak = 1024; // about −30 dBFS
const QColor Background(250, 250, 250);
const QColor Frame(160, 160, 160);
const QColor CourseInk(52, 102, 160);
const QColor LearnerInk(40, 130, 70);
const QColor MarkInk(220, 0, 0);

} // namespace

WaveformStrip::WaveformStrip(QWidget *parent) : QWidget(parent)
{
    setObjectName("waveformStrip");
    setAccessibleName(QStringLiteral("Звук фрагмента"));
    setAccessibleDescription(QStringLiteral("Форма звука текущей фразы: диктор, ниже ваш перевод"));
    // A picture only: nothing here takes the keyboard.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect WaveformStrip::rowRect(int row) const
{
    const QRect inside = rect().adjusted(Inset, Inset, -Inset, -Inset);
    if (!learnerRowShown())
        return inside;
    const int half = inside.height() / 2;
    return row == 0 ? QRect(inside.left(), inside.top(), inside.width(), half)
                    : QRect(inside.left(), inside.top() + half, inside.width(), inside.height() - half);
}

void WaveformStrip::showLines(std::shared_ptr<const SoundData> course, Segment courseLine,
                              std::shared_ptr<const SoundData> learner, Segment learnerLine)
{
    const int width = std::max(this->width() - 2 * Inset, 0);
    const bool courseChanged = course_.show(std::move(course), courseLine, width);
    const bool learnerChanged = learner_.show(std::move(learner), learnerLine, width);
    if (courseChanged || learnerChanged) {
        drawWaveforms();
        update();
    }
}

void WaveformStrip::showMark(bool learnerRow, std::optional<qint32> positionMs)
{
    const int row = learnerRow && learnerRowShown() ? 1 : 0;
    const LineWaveform &waveform = row == 1 ? learner_ : course_;
    const int column = positionMs ? waveform.columnAt(*positionMs) : -1;
    if (column == markColumn_ && row == markRow_)
        return;
    markRow_ = row;
    markColumn_ = column;
    update();
}

void WaveformStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    showLines(course_.sound(), course_.line(), learner_.sound(), learner_.line());
    if (picture_.size() != size())
        drawWaveforms();
}

void WaveformStrip::drawWaveforms()
{
    picture_ = QPixmap(size());
    picture_.fill(Background);
    QPainter painter(&picture_);
    painter.setPen(Frame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const auto drawRow = [&](const LineWaveform &waveform, int row, const QColor &ink) {
        const QRect area = rowRect(row);
        const double middle = area.top() + area.height() / 2.0;
        // The line's loudest sample fills the row, as quiet recordings would otherwise show as
        // a flat line; near-silence is not blown up into a full row of noise.
        int peak = QuietPeak;
        for (const LineWaveform::Column &column : waveform.columns())
            peak = std::max({peak, std::abs(int(column.low)), std::abs(int(column.high))});
        const double scale = (area.height() / 2.0 - 1) / peak;
        std::vector<QLineF> lines;
        lines.reserve(waveform.columns().size());
        int x = area.left();
        for (const LineWaveform::Column &column : waveform.columns()) {
            // Even a silent column shows as a dot on the middle line.
            lines.emplace_back(x + 0.5, middle - column.high * scale - 0.5, x + 0.5, middle - column.low * scale + 0.5);
            ++x;
        }
        painter.setPen(ink);
        painter.drawLines(lines.data(), int(lines.size()));
    };
    drawRow(course_, 0, CourseInk);
    if (learnerRowShown()) {
        painter.setPen(Frame);
        painter.drawLine(rowRect(1).topLeft(), rowRect(1).topRight());
        drawRow(learner_, 1, LearnerInk);
    }
}

void WaveformStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
    if (markColumn_ < 0)
        return;
    const QRect area = rowRect(markRow_);
    painter.fillRect(QRect(area.left() + markColumn_ - 1, area.top(), 2, area.height()), MarkInk);
}
