#pragma once

#include "listening/ListenTranslateSession.h"
#include "listening/TextWorkFiles.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"

// GIVEN a listening text of six lines (a title, two syntagms, a separator, two syntagms),
// its translation, timing, picture list and comments, a five-second course sound, and a
// learner's six-second recording with its cue file.
inline TextWorkSources writeTextWork(const TempCourse &course)
{
    course.writeLines("text.txt", {"#Title", "One.", "Two.", "#", "Three.", "Four."});
    course.writeLines("trans.txt", {"#Заглавие", "Раз.", "Два.", "#", "Три.", "Четыре."});
    course.writeLines("time.txt", {"#", "500\t1000", "1000\t2000", "#", "2000\t3000", "3000\t4000"});
    course.writeLines("pictures.txt", {"0\t1000\tp1.jpg", "#", "1000\t4000\tp3.jpg"});
    course.writeLines("text.apc", {"002First note.x", "002Second.x", "005Third.x"});
    course.writeLines("user5.txt", {"#", "1000\t2000", "2000\t3000", "#", "3000\t4000", "4000\t5000"});
    writeRampWav(course.absolute("text.wav"), 8000, 1, 5 * 8000);
    writeRampWav(course.absolute("user5.wav"), 8000, 1, 6 * 8000);
    return {"text.wav", "", "text.txt", "trans.txt", "time.txt", "pictures.txt", "pics\\"};
}

// The text of writeTextWork as the listening window is given it, recorded into `recording`
// (empty: no recording).
inline ListenTranslateSettings listenTranslateSettings(const QString &recording)
{
    ListenTranslateSettings settings;
    settings.courseSound = QStringLiteral("text.wav");
    settings.recordingName = recording;
    settings.textFile = QStringLiteral("text.txt");
    settings.translationFile = QStringLiteral("trans.txt");
    settings.timingFile = QStringLiteral("time.txt");
    settings.pictureListFile = QStringLiteral("pictures.txt");
    return settings;
}
