#pragma once

#include <QImage>
#include <QString>

// Loads a BMP or JPEG picture of the course, the format chosen by the name's extension
// (".bmp", ".jpg", ".jpeg", any case). Throws CourseError naming the file when it is
// missing, of another kind, or damaged.
QImage loadCoursePicture(const QString &name);

// As loadCoursePicture, but a picture that cannot be shown, or no name, gives a null image:
// the window leaves the picture's place empty and goes on.
QImage loadCoursePictureOrNothing(const QString &name);

// What a screen reader is told about a course picture, as nothing better is known: its file
// name ("evening.jpg"); empty for no name.
QString coursePictureDescription(const QString &name);
