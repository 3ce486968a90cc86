#pragma once

#include "core/SegmentFile.h"

#include <QList>
#include <QString>
#include <QStringList>

// One line of a picture list: the picture shown while the sound is between the two times.
struct PictureSpan {
    qint32 FromMs = 0;
    qint32 ToMs = 0;
    QString PictureFile;
};

// One line of a comment file: a comment on line Number of the text.
struct SyntagmComment {
    qint32 Number = 0;
    QString Text;
};

// The names of a text-work exercise, as the dispatcher hands them over.
struct TextWorkSources {
    QString courseSound;
    QString learnerRecording; // empty when the learner has none
    QString textFile;
    QString translationFile;
    QString timingFile;
    QString pictureListFile;
    QString pictureFolder; // put before every PictureFile
};

// The course files of a listening text, read into the tables the text-work window follows.
// Line i of every file belongs to syntagm i, counted from 1; entry 0 of a table stays empty.
class TextWorkFiles {
public:
    QStringList text;
    QStringList translation;
    // One entry per text line and entry 0 (a shorter timing file leaves zeros); never longer.
    QList<Segment> courseTiming{Segment{}};
    QList<Segment> learnerTiming{Segment{}};
    bool hasCue = false;
    QList<PictureSpan> pictures{PictureSpan{}};
    QList<SyntagmComment> comments;

    int lineCount() const { return int(text.size()); }

    // The picture for a syntagm ending at `endMs`: the entry of `pictures` whose span holds
    // it (after its start, up to its end), the first such one; 0 when none does or the
    // syntagm has no time (a separator).
    int pictureAt(qint32 endMs) const;
    // The picture shown before the story has reached any: the first entry's file, empty when
    // there is none.
    QString firstPictureFile() const;

    // Reads text, translation, timing, the learner's cue file (when a recording is given and
    // its cue file exists), picture list and comments, in that order. The first failure
    // (missing file, bad number, more timing or cue lines than text lines) ends the reading;
    // what was read so far stays. Returns false then. An empty picture list name, or one that
    // names a folder (the data folder, for an entry without pictures), means no pictures.
    bool load(const TextWorkSources &sources);
    // What ended the reading: the file (as this system writes it) and what is wrong with it;
    // empty after a complete load.
    QString loadProblem;

    // "…5.wav" has its cue file "…5.txt"; a text "…t.txt" its comments in "…t.apc".
    static QString cueFileName(const QString &recording);
    static QString commentFileName(const QString &textFile);

    // A comment line: the number in its first three characters, the text from the fourth
    // character on without the line's last character.
    static SyntagmComment parseComment(QByteArrayView line);

private:
    void readTiming(const QString &name, QList<Segment> &table);
    void readPictureList(const QString &name);
    void readComments(const QString &name);
};
