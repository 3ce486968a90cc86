#pragma once

#include "SoundFormat.h"

#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

struct sf_private_tag;

// The safety copy of a recording: a hidden WAV file beside the learner's recording that
// grows while the sound is captured, its header kept up to date, so that a crash or a
// failed save leaves a playable recording behind. Its name says whose recording of which
// entry it is and which run of the program made it, so that copies of the program on several
// computers sharing the course folder tell their own from one a dead run left: process,
// computer and the beginning of its boot id (".Ann12.wav.4711@pc7@3f2a9c01.rec" beside
// "Ann12.wav"). Disk writes happen on a thread of its own: an audio thread only hands
// samples over.
class RecordingSpool {
public:
    // Null when the file cannot be made (no recording name, a folder outside the course);
    // recording then goes on without a safety copy.
    static std::unique_ptr<RecordingSpool> create(const SoundFormat &format, const QString &recording);
    ~RecordingSpool(); // writes what is pending and closes the file (the file stays)

    RecordingSpool(const RecordingSpool &) = delete;
    RecordingSpool &operator=(const RecordingSpool &) = delete;

    // Who made a safety copy, as its name tells.
    struct Owner {
        QString recording; // the file name of the recording it belongs to
        qint64 process = 0;
        QString host;    // as hostInName() gives it; empty in names of earlier versions
        QByteArray boot; // the beginning of the computer's boot id; empty when not known
    };

    // This process's safety copy's course name for a recording (a course name).
    static QString nameFor(const QString &recording);
    // Nothing for a file that is no safety copy.
    static std::optional<Owner> parse(const QString &fileName);
    // A computer's name as safety copies' names carry it.
    static QString hostInName(const QString &host);

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
