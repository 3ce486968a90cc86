#pragma once

#include <functional>

class SoundDevice;

// Whether the sound card can play and record at once: `player` (bound to "Null.wav") plays
// while `recorder` (bound to "NullRec.wav") records, and both must be seen running together.
// `showWarning` shows the warning dialog modally; it is called once when the card cannot,
// never when it can. Both devices are left closed, and nothing is saved. An open failure
// raises, as every open does.
bool runFullDuplexCheck(SoundDevice &player, SoundDevice &recorder, const std::function<void()> &showWarning);
