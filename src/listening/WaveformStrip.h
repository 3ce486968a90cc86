#pragma once

#include "LineWaveform.h"

#include <QPixmap>
#include <QWidget>

#include <optional>

// The strip under the text-work slider: the waveform of the current line of the course sound
// and, below it, of the learner's same line when there is one, with a mark where the sound
// now heard is. The waveforms are drawn once per line into a picture; a tick that only moves
// the mark repaints when the mark moves to another column.
class WaveformStrip : public QWidget {
    Q_OBJECT
public:
    explicit WaveformStrip(QWidget *parent = nullptr);

    // The rows' lines; a learner's row without a sound or a line is left out.
    void showLines(std::shared_ptr<const SoundData> course, Segment courseLine,
                   std::shared_ptr<const SoundData> learner, Segment learnerLine);
    // The mark at `positionMs` on the learner's row or the course's; none without a position.
    void showMark(bool learnerRow, std::optional<qint32> positionMs);

    bool learnerRowShown() const { return !learner_.columns().empty(); }
    // The mark's row (0 the course's, 1 the learner's) and column; -1 without a mark.
    int markRow() const { return markColumn_ < 0 ? -1 : markRow_; }
    int markColumn() const { return markColumn_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QRect rowRect(int row) const;
    void drawWaveforms();

    LineWaveform course_;
    LineWaveform learner_;
    QPixmap picture_;
    int markRow_ = 0;
    int markColumn_ = -1;
};
