#include "RecordingSpool.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <sndfile.h>

std::unique_ptr<RecordingSpool> RecordingSpool::create(const SoundFormat &format)
{
    // QTemporaryFile only picks a fresh name; libsndfile then writes the file.
    QTemporaryFile name(QDir::current().filePath(NamePrefix + QStringLiteral("XXXXXX") + NameSuffix));
    name.setAutoRemove(false);
    if (!name.open())
        return nullptr;
    const QString path = name.fileName();
    name.close();

    SF_INFO info{};
    info.samplerate = format.rate;
    info.channels = format.channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file) {
        QFile::remove(path);
        return nullptr;
    }
    // The header then tells the length after every write, so a crash loses nothing written.
    sf_command(file, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    return std::unique_ptr<RecordingSpool>(new RecordingSpool(file, path, format.channels));
}

RecordingSpool::RecordingSpool(sf_private_tag *file, QString path, int channels)
    : file_(file), path_(std::move(path)), channels_(channels), writer_([this] { run(); })
{
}

RecordingSpool::~RecordingSpool()
{
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    wake_.notify_all();
    writer_.join();
    sf_close(file_);
}

void RecordingSpool::append(const qint16 *samples, qint64 frames)
{
    if (frames <= 0)
        return;
    {
        std::lock_guard lock(mutex_);
        pending_.insert(pending_.end(), samples, samples + frames * channels_);
        appended_ += quint64(frames);
    }
    wake_.notify_one();
}

void RecordingSpool::flush()
{
    std::unique_lock lock(mutex_);
    const quint64 target = appended_;
    written_.wait(lock, [&] { return done_ >= target; });
}

void RecordingSpool::run()
{
    std::vector<qint16> batch;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return closing_ || !pending_.empty(); });
        if (pending_.empty() && closing_)
            return;
        batch.swap(pending_);
        lock.unlock();
        const sf_count_t frames = sf_count_t(batch.size()) / channels_;
        // A full disk loses the safety copy's tail, never the recording in memory.
        sf_writef_short(file_, batch.data(), frames);
        batch.clear();
        lock.lock();
        done_ += quint64(frames);
        written_.notify_all();
    }
}
