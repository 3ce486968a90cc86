// Feeds arbitrary bytes, as the file "fuzz.wav", through the sound device's Open: any input
// must end in an open error or in a sound that plays within its length and encodes again in
// its own format, never a crash, a hang or a read out of range.
#include "core/CourseError.h"
#include "sound/SoundDevice.h"
#include "sound/SoundResult.h"
#include "sound/VirtualAudioBackend.h"
#include "sound/WavFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

// Where the input is written; absolute, as libFuzzer's own paths are relative to the working
// directory, which stays as it is.
QString inputPath;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Notifications travel through the event queue.
    static QCoreApplication application(*argc, *argv);
    static QTemporaryDir folder;
    inputPath = folder.filePath(QStringLiteral("fuzz.wav"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    {
        QFile file(inputPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            __builtin_trap();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    VirtualAudioBackend card;
    SoundDevice device(card);
    device.FileName = inputPath;
    try {
        device.Open();
    } catch (const CourseError &) {
        if (device.opened())
            __builtin_trap();
        return 0;
    }
    const qint32 length = device.Length();
    device.PlayFrom = length / 2;
    device.Play();
    card.advance(20);
    if (device.Position() < length / 2 || device.Position() > length)
        __builtin_trap();
    device.Stop();
    device.Close();

    // What a save would write (Save itself syncs to disk, too slow to fuzz). It reads back
    // whole; ADPCM pads its last block with silence.
    try {
        const SoundData sound = decodeWav(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
        const qint64 saved = decodeWav(encodeWav(sound)).frames();
        if (saved < sound.frames() || saved > sound.frames() + 8192)
            __builtin_trap();
    } catch (const SoundFailure &) {
    }
    return 0;
}
