#pragma once

#include <QImage>
#include <QString>

// Loads a BMP or JPEG picture of the course, the format chosen by the name's extension
// (".bmp", ".jpg", ".jpeg", any case). Throws CourseError naming the file when it is
// missing, of another kind, or damaged.
QImage loadCoursePicture(const QString &name);
