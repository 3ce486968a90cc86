#pragma once

#include "SoundFormat.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// A whole sound in memory, as the device plays and records it.
struct SoundData {
    SoundFormat format;
    std::vector<qint16> samples;

    qint64 frames() const { return format.channels > 0 ? qint64(samples.size()) / format.channels : 0; }
};

// The largest sound file read: 16-bit samples up to MaxSoundSamples, plus room for headers.
inline constexpr qint64 MaxSoundFileBytes = MaxSoundSamples * 2 + 1024 * 1024;

// Decodes a whole WAV file held in memory: PCM of any sample size, float, IMA and MS ADPCM,
// mono or stereo, any rate from 1000 to 192000 Hz. A file cut short gives the frames it
// holds. Throws SoundFailure for anything else.
SoundData decodeWav(const QByteArray &bytes);

// Reads and decodes the sound file of a course name (backslashes, any letter case).
// Throws SoundFailure; only regular files are read, so a pipe or a device cannot hang it.
SoundData readWavFile(const QString &name);

// What the header of a sound file tells, without decoding the sound.
struct SoundFileSummary {
    SoundFormat format;
    qint64 frames = 0;
    double seconds() const { return format.rate > 0 ? double(frames) / format.rate : 0; }
};
// Empty when the file is missing, not a regular file, or no sound this program reads.
std::optional<SoundFileSummary> readWavSummary(const QString &name);

// The WAV file of a sound, in the sound's own file format, or 16-bit PCM when that format
// cannot be written. Throws SoundFailure.
QByteArray encodeWav(const SoundData &sound);
