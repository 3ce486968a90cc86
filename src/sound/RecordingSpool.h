#pragma once

#include "SoundFormat.h"

#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct sf_private_tag;

// The safety copy of a recording: a hidden WAV file beside the learner's recording that
// grows while the sound is captured, its header kept up to date, so that a crash or a
// failed save leaves a playable recording behind. Its name says whose recording of which
// entry it is and which run of the program made it: ".Ann12.wav.4711.rec" beside
// "Ann12.wav". Disk writes happen on a thread of its own: an audio thread only hands
// samples over.
class RecordingSpool {
public:
    // Null when the file cannot be made (no recording name, a folder outside the course);
    // recording then goes on without a safety copy.
    static std::unique_ptr<RecordingSpool> create(const SoundFormat &format, const QString &recording);
    ~RecordingSpool(); // writes what is pending and closes the file (the file stays)

    RecordingSpool(const RecordingSpool &) = delete;
    RecordingSpool &operator=(const RecordingSpool &) = delete;

    // The safety copy's course name for a recording (a course name) and a process.
    static QString nameFor(const QString &recording, qint64 process);
    // The file name of the recording a safety copy's file name belongs to and the process
    // that wrote it; false for any other file.
    static bool parse(const QString &fileName, QString *recording, qint64 *process);

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
