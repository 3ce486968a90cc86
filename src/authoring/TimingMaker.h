#pragma once

#include "LessonText.h"

#include "sound/WavFile.h"

#include <QByteArray>
#include <QString>

// The timing file of a text for a recording of it, found in the recording itself.
// Throws CourseError naming the sound when it holds no speech.
QByteArray makeTimingFile(const LessonText &text, const SoundData &sound, const QString &soundName);

// The same from the files: throws CourseError naming the text or the sound when it
// cannot be read.
QByteArray makeTimingFile(const QString &textName, const QString &soundName);
