#include "WavFile.h"

#include "core/CoursePath.h"
#include "SoundResult.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

namespace {

// libsndfile reads and writes through these callbacks, so that a file is read from disk
// once, whole and bounded, and a save can replace its target in one step.
struct MemoryFile {
    const char *readData = nullptr;
    QByteArray *writeData = nullptr;
    sf_count_t size = 0;
    sf_count_t pos = 0;
};

MemoryFile &memoryOf(void *user)
{
    return *static_cast<MemoryFile *>(user);
}

sf_count_t memoryLength(void *user)
{
    return memoryOf(user).size;
}

sf_count_t memorySeek(sf_count_t offset, int whence, void *user)
{
    MemoryFile &file = memoryOf(user);
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = file.pos;
    else if (whence == SEEK_END)
        base = file.size;
    else if (whence != SEEK_SET)
        return -1;
    // A damaged header can ask for any offset: refuse what cannot be a place in the file.
    if ((offset > 0 && base > std::numeric_limits<sf_count_t>::max() - offset) || base + offset < 0)
        return -1;
    const sf_count_t target = base + offset;
    if (file.readData && target > file.size)
        return -1;
    file.pos = target;
    return file.pos;
}

sf_count_t memoryRead(void *buffer, sf_count_t count, void *user)
{
    MemoryFile &file = memoryOf(user);
    if (!file.readData || count <= 0 || file.pos >= file.size)
        return 0;
    const sf_count_t n = std::min(count, file.size - file.pos);
    std::memcpy(buffer, file.readData + file.pos, size_t(n));
    file.pos += n;
    return n;
}

sf_count_t memoryWrite(const void *buffer, sf_count_t count, void *user)
{
    MemoryFile &file = memoryOf(user);
    if (!file.writeData || count <= 0)
        return 0;
    if (file.pos + count > MaxSoundFileBytes * 2)
        return 0;
    if (file.pos + count > file.writeData->size())
        file.writeData->resize(qsizetype(file.pos + count));
    std::memcpy(file.writeData->data() + file.pos, buffer, size_t(count));
    file.pos += count;
    file.size = std::max(file.size, file.pos);
    return count;
}

sf_count_t memoryTell(void *user)
{
    return memoryOf(user).pos;
}

SF_VIRTUAL_IO memoryIo()
{
    return SF_VIRTUAL_IO{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
}

struct SndfileCloser {
    void operator()(SNDFILE *file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

bool isWaveContainer(int format)
{
    const int type = format & SF_FORMAT_TYPEMASK;
    return type == SF_FORMAT_WAV || type == SF_FORMAT_WAVEX;
}

qint16 sampleOfFloat(float value)
{
    if (std::isnan(value))
        return 0;
    return qint16(std::lrint(std::clamp(value * 32768.0f, -32768.0f, 32767.0f)));
}

} // namespace

SoundData decodeWav(const QByteArray &bytes)
{
    MemoryFile memory;
    memory.readData = bytes.constData();
    memory.size = bytes.size();
    SF_VIRTUAL_IO io = memoryIo();
    SF_INFO info{};
    SndfileHandle file(sf_open_virtual(&io, SFM_READ, &info, &memory));
    if (!file)
        throw SoundFailure(SoundResult::NotWave, QString::fromUtf8(sf_strerror(nullptr)));
    if (!isWaveContainer(info.format))
        throw SoundFailure(SoundResult::NotWave);
    if (info.channels < 1 || info.channels > 2 || info.samplerate < 1000 || info.samplerate > 192000)
        throw SoundFailure(SoundResult::UnsupportedFormat,
                           QStringLiteral("%1 Hz, %2 channels").arg(info.samplerate).arg(info.channels));
    SoundData sound;
    sound.format = {info.samplerate, info.channels, info.format};
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    const bool floating = subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE;
    // The header's frame count is not trusted: read until the data ends.
    constexpr sf_count_t chunkFrames = 16384;
    std::vector<float> floats;
    for (;;) {
        const size_t used = sound.samples.size();
        const size_t chunkSamples = size_t(chunkFrames * info.channels);
        sound.samples.resize(used + chunkSamples);
        sf_count_t got = 0;
        if (floating) {
            // Float samples of [-1, 1] map onto the 16-bit range as libsndfile maps 16-bit
            // samples onto floats, so that a save writes back what was read.
            floats.resize(chunkSamples);
            got = sf_readf_float(file.get(), floats.data(), chunkFrames);
            for (size_t i = 0; i < size_t(std::max<sf_count_t>(got, 0) * info.channels); ++i)
                sound.samples[used + i] = sampleOfFloat(floats[i]);
        } else {
            got = sf_readf_short(file.get(), sound.samples.data() + used, chunkFrames);
        }
        sound.samples.resize(used + size_t(std::max<sf_count_t>(got, 0) * info.channels));
        if (got <= 0)
            break;
        if (qint64(sound.samples.size()) > MaxSoundSamples)
            throw SoundFailure(SoundResult::TooLarge);
    }
    sound.samples.shrink_to_fit();
    return sound;
}

SoundData readWavFile(const QString &name)
{
    const QFileInfo info(localPath(name));
    if (name.isEmpty() || !info.exists())
        throw SoundFailure(SoundResult::FileNotFound);
    if (!info.isFile())
        throw SoundFailure(SoundResult::NotWave);
    if (info.size() > MaxSoundFileBytes)
        throw SoundFailure(SoundResult::TooLarge);
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        throw SoundFailure(SoundResult::ReadFailed, file.errorString());
    // The size the file had when it was looked at: a file growing meanwhile cannot push the
    // read past the limit.
    const QByteArray bytes = file.read(info.size());
    if (file.error() != QFileDevice::NoError)
        throw SoundFailure(SoundResult::ReadFailed, file.errorString());
    return decodeWav(bytes);
}

QByteArray encodeWav(const SoundData &sound)
{
    SF_INFO info{};
    info.samplerate = sound.format.rate;
    info.channels = sound.format.channels;
    info.format = sound.format.fileFormat;
    if (!isWaveContainer(info.format) || !sf_format_check(&info))
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    if (!sf_format_check(&info))
        throw SoundFailure(SoundResult::UnsupportedFormat);

    QByteArray bytes;
    MemoryFile memory;
    memory.writeData = &bytes;
    SF_VIRTUAL_IO io = memoryIo();
    SndfileHandle file(sf_open_virtual(&io, SFM_WRITE, &info, &memory));
    if (!file)
        throw SoundFailure(SoundResult::WriteFailed, QString::fromUtf8(sf_strerror(nullptr)));
    // Float files hold [-1, 1]: 16-bit samples are scaled as they were when read.
    sf_command(file.get(), SFC_SET_SCALE_INT_FLOAT_WRITE, nullptr, SF_TRUE);
    const sf_count_t frames = sound.frames();
    if (frames > 0 && sf_writef_short(file.get(), sound.samples.data(), frames) != frames)
        throw SoundFailure(SoundResult::WriteFailed, QString::fromUtf8(sf_strerror(file.get())));
    // Closing writes the final header sizes.
    if (sf_close(file.release()) != 0)
        throw SoundFailure(SoundResult::WriteFailed);
    bytes.truncate(qsizetype(memory.size));
    return bytes;
}
