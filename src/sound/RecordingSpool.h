#pragma once

#include "SoundFormat.h"

#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct sf_private_tag;

// The safety copy of a recording: a WAV file "vestoria-rec-XXXXXX.tmp" in the working
// directory that grows while the sound is captured, its header kept up to date, so that a
// crash or a failed save leaves a playable recording behind. The listening window copies
// such a leftover into an empty recording file. Disk writes happen on a thread of its own: an
// audio thread only hands samples over.
class RecordingSpool {
public:
    // A safety copy's name is this prefix, six characters that make it unique, and this suffix.
    static inline const QString NamePrefix = QStringLiteral("vestoria-rec-");
    static inline const QString NameSuffix = QStringLiteral(".tmp");

    // Null when the file cannot be made; recording then goes on without a safety copy.
    static std::unique_ptr<RecordingSpool> create(const SoundFormat &format);
    ~RecordingSpool(); // writes what is pending and closes the file (the file stays)

    RecordingSpool(const RecordingSpool &) = delete;
    RecordingSpool &operator=(const RecordingSpool &) = delete;

    QString path() const { return path_; }
    // Any thread; never waits for the disk.
    void append(const qint16 *samples, qint64 frames);
    // Returns once everything appended so far is in the file.
    void flush();

private:
    RecordingSpool(sf_private_tag *file, QString path, int channels);
    void run();

    sf_private_tag *file_;
    QString path_;
    int channels_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable written_;
    std::vector<qint16> pending_;
    quint64 appended_ = 0;
    quint64 done_ = 0;
    bool closing_ = false;
    std::thread writer_;
};
