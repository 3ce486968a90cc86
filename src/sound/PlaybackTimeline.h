#pragma once

#include <QtGlobal>

#include <array>

// Which frame of the sound each output frame of one playback plays. A playback plays the
// sound's frames [start, end) at a speed that may change while it runs: each change starts a
// new piece at the output frame where it takes effect, from the sound frame reached there, so
// the map stays continuous and never goes back, and frames heard before a change keep the
// speed they were played at.
class PlaybackTimeline {
public:
    void begin(qint64 start, qint64 end, int percent);

    qint64 end() const { return end_; }
    // The speed of the last piece, in percent.
    int speed() const { return pieces_[size_t(count_ - 1)].speed; }
    // How many output frames the whole playback lasts.
    qint64 length() const;
    // The sound frame that output frame `output` plays, held to [start, end].
    qint64 soundAt(qint64 output) const;

    // From output frame `output` on (not before the last change) the speed is `percent`.
    // False, and nothing changed, while the pieces still heard fill the room: the caller tries
    // again later, so the audio thread never allocates.
    bool changeSpeed(qint64 output, int percent);
    // Output frames before `heard` are not asked for any more: their pieces may go.
    void forgetBefore(qint64 heard);

private:
    struct Piece {
        qint64 output = 0; // its first output frame
        qint64 sound = 0;  // the sound frame that one plays
        int speed = 100;
    };
    const Piece &pieceAt(qint64 output) const;

    std::array<Piece, 8> pieces_{};
    int count_ = 1;
    qint64 start_ = 0;
    qint64 end_ = 0;
};
