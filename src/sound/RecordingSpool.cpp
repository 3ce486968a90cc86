#include "RecordingSpool.h"

#include "core/ConfinedPath.h"
#include "core/CourseError.h"
#include "core/LocalProcess.h"

#include <QFile>
#include <QRegularExpression>

#include <sndfile.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString Suffix = QStringLiteral(".rec");

// The boot id's first eight digits tell one start of the computer from another well enough.
constexpr int BootDigits = 8;

} // namespace

QString RecordingSpool::hostInName(const QString &host)
{
    // A computer's name may hold any character; a file name only safe ones, and never "@".
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    const QString safe = host.left(64).replace(unsafe, QStringLiteral("_"));
    return safe.isEmpty() ? QStringLiteral("_") : safe;
}

QString RecordingSpool::nameFor(const QString &recording)
{
    const QString folder = courseFolderOf(recording);
    return folder + u'.' + recording.mid(folder.size()) + u'.' + QString::number(::getpid()) + u'@' +
           hostInName(LocalProcess::hostName()) + u'@' + QString::fromLatin1(LocalProcess::bootId().left(BootDigits)) +
           Suffix;
}

std::optional<RecordingSpool::Owner> RecordingSpool::parse(const QString &fileName)
{
    // Earlier versions named the process alone (".Ann12.wav.4711.rec").
    static const QRegularExpression pattern(
        QStringLiteral("^\\.(.+)\\.(\\d{1,10})(?:@([A-Za-z0-9._-]{1,64})@([0-9A-Za-z-]{0,8}))?\\.rec$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    return Owner{match.captured(1), match.captured(2).toLongLong(), match.captured(3), match.captured(4).toLatin1()};
}

std::unique_ptr<RecordingSpool> RecordingSpool::create(const SoundFormat &format, const QString &recording)
{
    if (recording.isEmpty())
        return nullptr;
    QString path;
    try {
        path = confinedPath(nameFor(recording));
    } catch (const CourseError &) {
        return nullptr;
    }
    // Made anew, never opened through whatever has the name (a link would be written through).
    const QByteArray encoded = QFile::encodeName(path);
    ::unlink(encoded.constData());
    const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;

    SF_INFO info{};
    info.samplerate = format.rate;
    info.channels = format.channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    if (!file) {
        ::close(fd);
        ::unlink(encoded.constData());
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
