#pragma once

#include "LessonSource.h"
#include "SpeechCache.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

// A picture a lesson's files name, to be checked against the pictures the course has.
struct NamedPicture {
    SourcePos pos;
    QString path; // relative path with '/'
};

struct LessonFiles {
    // The lesson's course files by their path in the data folder ('/').
    std::map<QString, QByteArray> files;
    std::vector<NamedPicture> storyPictures; // in the data folder
    std::vector<NamedPicture> markPictures;  // in the course folder itself
};

// Makes a lesson's course files in the data folder's "<lesson>/":
//   text.txt, textru.txt, text.apc, textseg.txt, textpic.txt, text.wav  (the text)
//   textslow.wav, textslowseg.txt, textslowpic.txt  (the text with a pause after each
//                                                    syntagm to say its translation in)
//   words.txt, trans.txt, wordseg.txt, words.wav                         (vocabulary)
//   quest.txt, answers.txt, questseg.txt, quest.wav                      (questions)
//   truefalse.txt, tfseg.txt, truefalse.wav                              (true/false)
// The sounds are joined from the speech cache's clips, which must be prepared; the
// timing and segment files are computed from them.
LessonFiles makeLessonFiles(const LessonSource &lesson, SpeechCache &speech);
