#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Spoken clips of the course's English texts, made by the speech synthesiser (festival
// with the US English "slt" HTS voice) and kept in a cache folder between builds: a
// clip is made once for each text and reused until the text, the voice or the way
// clips are made changes. Clips are mono 16-bit PCM at kRate, trimmed of the silence
// the synthesiser leaves around speech, so that the timing of a joined sound follows
// the voice.
struct SpeechClip {
    QString path;
    qint64 frames = 0;
};

class SpeechCache {
public:
    static constexpr int kRate = 22050;

    explicit SpeechCache(const QString &folder);

    // Makes the clips of the texts not in the cache yet, several at a time.
    void prepare(const QStringList &texts);
    // The clip of a prepared text.
    SpeechClip clip(const QString &text) const;
    // A file of `frames` frames of silence in the clips' format.
    SpeechClip silence(qint64 frames);

    QString folder() const { return folder_; }
    QString sox() const { return sox_; }
    int madeCount() const { return made_; }

private:
    QString clipPath(const QString &text) const;
    void synthesise(const QStringList &texts);

    QString folder_;
    QString sox_;
    mutable QHash<QString, SpeechClip> known_;
    int made_ = 0;
};

// Reads the frame count of a clip or joined sound the build made; fails when the file is
// not the PCM WAV it should be.
qint64 framesOfSound(const QString &path);
