#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// Spoken clips of the course's English texts, made by the speech synthesiser (festival
// with the US English "slt" HTS voice) and kept in a cache folder between builds: a
// clip is made once for each text and pace and reused until the text, the voice or the
// way clips are made changes. Clips are mono 16-bit PCM at kRate, trimmed of the silence
// the synthesiser leaves around speech, so that the timing of a joined sound follows
// the voice, and brought to one loudness (RMS of the speech), so that the learner does
// not turn the volume up and down between clips.
struct SpeechClip {
    QString path;
    qint64 frames = 0;
};

// How fast a clip is spoken: the voice's own pace, or a little slower for expressions
// the learner repeats one by one.
enum class SpeechPace { Natural, Slow };

struct SpeechRequest {
    QString text;
    SpeechPace pace = SpeechPace::Natural;
};

class SpeechCache {
public:
    static constexpr int kRate = 22050;

    explicit SpeechCache(const QString &folder);

    // Makes the clips not in the cache yet, several at a time.
    void prepare(const std::vector<SpeechRequest> &requests);
    // The clip of a prepared text.
    SpeechClip clip(const QString &text, SpeechPace pace) const;
    // A file of `frames` frames of silence in the clips' format.
    SpeechClip silence(qint64 frames);

    QString folder() const { return folder_; }
    QString sox() const { return sox_; }
    int madeCount() const { return made_; }

private:
    QString clipPath(const SpeechRequest &request) const;
    void synthesise(const std::vector<SpeechRequest> &requests);
    void shape(const QString &raw, const SpeechRequest &request, const QString &target) const;

    QString folder_;
    QString sox_;
    mutable QHash<QString, SpeechClip> known_;
    int made_ = 0;
};

// Reads the frame count of a clip or joined sound the build made; fails when the file is
// not the PCM WAV it should be.
qint64 framesOfSound(const QString &path);
