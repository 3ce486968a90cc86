#pragma once

#include <QString>

#include <stdexcept>

// Result codes of the sound device's commands, as `DeviceError` holds them; 0 is success.
namespace SoundResult {
inline constexpr qint32 Ok = 0;
inline constexpr qint32 FileNotFound = 1;
inline constexpr qint32 NotWave = 2;
inline constexpr qint32 UnsupportedFormat = 3;
inline constexpr qint32 TooLarge = 4;
inline constexpr qint32 ReadFailed = 5;
inline constexpr qint32 NoOutputDevice = 6;
inline constexpr qint32 NoInputDevice = 7;
inline constexpr qint32 OutOfRange = 8;
inline constexpr qint32 WriteFailed = 9;
inline constexpr qint32 DeviceNotOpen = 10;
// A recording that ended because its microphone went away; what it captured stays.
inline constexpr qint32 RecordingInterrupted = 11;
} // namespace SoundResult

// The text for a result code, "Unknown error code" when there is none.
QString soundResultText(qint32 code);

// A failure inside the sound layer: its result code and, when the library that failed said
// more, its own words.
class SoundFailure : public std::runtime_error {
public:
    SoundFailure(qint32 code, const QString &detail = {});

    qint32 code() const { return code_; }
    QString detail() const { return detail_; }

private:
    qint32 code_;
    QString detail_;
};
