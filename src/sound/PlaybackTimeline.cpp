#include "PlaybackTimeline.h"

#include <algorithm>

void PlaybackTimeline::begin(qint64 start, qint64 end, int percent)
{
    start_ = start;
    end_ = end;
    pieces_[0] = Piece{0, start, percent};
    count_ = 1;
}

qint64 PlaybackTimeline::length() const
{
    const Piece &last = pieces_[size_t(count_ - 1)];
    // Rounded up: the sound's last frame gets its whole turn.
    return last.output + ((end_ - last.sound) * 100 + last.speed - 1) / last.speed;
}

const PlaybackTimeline::Piece &PlaybackTimeline::pieceAt(qint64 output) const
{
    int i = count_ - 1;
    while (i > 0 && pieces_[size_t(i)].output > output)
        --i;
    return pieces_[size_t(i)];
}

qint64 PlaybackTimeline::soundAt(qint64 output) const
{
    const Piece &piece = pieceAt(output);
    const qint64 played = std::max<qint64>(output - piece.output, 0) * piece.speed / 100;
    return std::clamp<qint64>(piece.sound + played, start_, end_);
}

bool PlaybackTimeline::changeSpeed(qint64 output, int percent)
{
    Piece &last = pieces_[size_t(count_ - 1)];
    output = std::max(output, last.output);
    if (output == last.output) {
        last.speed = percent;
        return true;
    }
    if (count_ == int(pieces_.size()))
        return false;
    pieces_[size_t(count_)] = Piece{output, soundAt(output), percent};
    ++count_;
    return true;
}

void PlaybackTimeline::forgetBefore(qint64 heard)
{
    int first = 0;
    while (first + 1 < count_ && pieces_[size_t(first + 1)].output <= heard)
        ++first;
    if (first == 0)
        return;
    std::copy(pieces_.begin() + first, pieces_.begin() + count_, pieces_.begin());
    count_ -= first;
}
