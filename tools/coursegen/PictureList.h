#pragma once

#include "SourceError.h"

#include <QString>

#include <vector>

// One picture the generator draws: a scene with a caption under it.
struct PictureSpec {
    SourcePos pos;
    QString name; // course name in the data folder, "lesson1\title.jpg"
    QString path; // the same relative path with '/'
    QString scene;
    QString title;
    QString subtitle; // may be empty
};

// Reads the picture list: one picture a line, TAB-separated: name, scene, title and
// an optional subtitle. The name's extension chooses the format: .jpg or .jpeg for
// JPEG, .bmp for BMP, the two kinds the program shows.
std::vector<PictureSpec> readPictureList(const QString &path);
