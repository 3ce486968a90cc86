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

// Where a seek lands, or -1 for a way of seeking libsndfile never asks for or an offset that
// cannot be a place in a file (a damaged header can ask for any).
sf_count_t seekTarget(sf_count_t pos, sf_count_t size, sf_count_t offset, int whence)
{
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = pos;
    else if (whence == SEEK_END)
        base = size;
    else if (whence != SEEK_SET)
        return -1;
    if ((offset > 0 && base > std::numeric_limits<sf_count_t>::max() - offset) || base + offset < 0)
        return -1;
    return base + offset;
}

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
    const sf_count_t target = seekTarget(file.pos, file.size, offset, whence);
    // A write may go past the end; a read may not.
    if (target < 0 || (file.readData && target > file.size))
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

// libsndfile reads a file on disk through these, straight into the sound: one copy, as it
// reads files itself. Reads stop at the size the file had when it was looked at, so a file
// growing meanwhile cannot push the read past the limit, and a file cut short meanwhile only
// ends the data early.
struct DiskFile {
    QFile *file = nullptr;
    sf_count_t size = 0;
    sf_count_t pos = 0;
};

DiskFile &diskOf(void *user)
{
    return *static_cast<DiskFile *>(user);
}

sf_count_t diskLength(void *user)
{
    return diskOf(user).size;
}

sf_count_t diskSeek(sf_count_t offset, int whence, void *user)
{
    DiskFile &disk = diskOf(user);
    const sf_count_t target = seekTarget(disk.pos, disk.size, offset, whence);
    if (target < 0 || target > disk.size || !disk.file->seek(target))
        return -1;
    disk.pos = target;
    return disk.pos;
}

sf_count_t diskRead(void *buffer, sf_count_t count, void *user)
{
    DiskFile &disk = diskOf(user);
    if (count <= 0 || disk.pos >= disk.size)
        return 0;
    const qint64 got = disk.file->read(static_cast<char *>(buffer), std::min(count, disk.size - disk.pos));
    if (got <= 0)
        return 0;
    disk.pos += got;
    return got;
}

sf_count_t diskWrite(const void *, sf_count_t, void *)
{
    return 0;
}

sf_count_t diskTell(void *user)
{
    return diskOf(user).pos;
}

// Decodes the WAV of `bytes` bytes that `io` reads.
SoundData decode(SF_VIRTUAL_IO &io, void *user, qint64 bytes)
{
    SF_INFO info{};
    SndfileHandle file(sf_open_virtual(&io, SFM_READ, &info, user));
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
    const size_t channels = size_t(info.channels);
    // The header's frame count (which libsndfile bounds by the file's size) sizes the sound,
    // so that a whole file is read in one go into its place; it is not trusted beyond that:
    // reading goes on until the data ends.
    constexpr sf_count_t minimumFrames = 16384;
    const qint64 maxFrames = MaxSoundSamples / info.channels;
    // No WAV encoding holds more than 5 samples a byte (GSM 6.10 comes nearest).
    sf_count_t capacity = std::clamp<sf_count_t>(info.frames, 0, std::min(maxFrames, 5 * bytes / info.channels)) + 1;
    capacity = std::max(capacity, minimumFrames);
    std::vector<float> floats;
    size_t used = 0;
    for (;;) {
        if (used + channels > sound.samples.size())
            sound.samples.resize(size_t(std::min<qint64>(qint64(capacity), maxFrames + 1)) * channels);
        const sf_count_t room = sf_count_t((sound.samples.size() - used) / channels);
        sf_count_t got = 0;
        if (floating) {
            // Float samples of [-1, 1] map onto the 16-bit range as libsndfile maps 16-bit
            // samples onto floats, so that a save writes back what was read.
            floats.resize(size_t(room) * channels);
            got = std::max<sf_count_t>(sf_readf_float(file.get(), floats.data(), room), 0);
            for (size_t i = 0; i < size_t(got) * channels; ++i)
                sound.samples[used + i] = sampleOfFloat(floats[i]);
        } else {
            got = std::max<sf_count_t>(sf_readf_short(file.get(), sound.samples.data() + used, room), 0);
        }
        used += size_t(got) * channels;
        if (qint64(used) > MaxSoundSamples)
            throw SoundFailure(SoundResult::TooLarge);
        if (got <= 0)
            break;
        if (used + channels > sound.samples.size())
            capacity *= 2;
    }
    sound.samples.resize(used);
    return sound;
}

} // namespace

SoundData decodeWav(const QByteArray &bytes)
{
    MemoryFile memory;
    memory.readData = bytes.constData();
    memory.size = bytes.size();
    SF_VIRTUAL_IO io = memoryIo();
    return decode(io, &memory, bytes.size());
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
    // Unbuffered: libsndfile reads in large pieces of its own.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw SoundFailure(SoundResult::ReadFailed, file.errorString());
    DiskFile disk{&file, info.size(), 0};
    SF_VIRTUAL_IO io{diskLength, diskSeek, diskRead, diskWrite, diskTell};
    SoundData sound = decode(io, &disk, info.size());
    if (file.error() != QFileDevice::NoError)
        throw SoundFailure(SoundResult::ReadFailed, file.errorString());
    return sound;
}

std::optional<SoundFileSummary> readWavSummary(const QString &name)
{
    const QFileInfo info(localPath(name));
    if (name.isEmpty() || !info.isFile())
        return std::nullopt;
    SF_INFO format{};
    SNDFILE *file = sf_open(QFile::encodeName(info.filePath()).constData(), SFM_READ, &format);
    if (!file)
        return std::nullopt;
    sf_close(file);
    return SoundFileSummary{{format.samplerate, format.channels, format.format}, format.frames};
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
