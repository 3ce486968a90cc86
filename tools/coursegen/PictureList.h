#pragma once

#include "SourceError.h"

#include <QString>

#include <vector>

// What a picture is for, which decides its size and where it goes.
enum class PictureLayout {
    Title, // description pane: 360 x 270, in the data folder
    Story, // the changing picture of a listening text: 260 x 280, in the data folder
    Mark,  // a "#@" picture of a text: 150 x 54 BMP in the course folder itself, with its
           // "r" (current line) and "g" (marked fragment) variants beside it
};

// One picture the generator draws.
struct PictureSpec {
    SourcePos pos;
    PictureLayout layout = PictureLayout::Title;
    QString name; // course name: "lesson1\title.jpg" in the data folder; "hotelkey.bmp" for a mark
    QString path; // the same relative path with '/'
    QString scene;
    QString title;
    QString subtitle; // may be empty
    QString note;     // a line over the top of a title picture; may be empty
};

// Reads the picture list: one picture a line, TAB-separated: name, layout ("title",
// "story" or "mark"), scene, title, an optional subtitle and, for a title picture, an
// optional note. The name's extension
// chooses the format: .jpg or .jpeg for JPEG, .bmp for BMP, the two kinds the program
// shows; marks are BMP, as the text control loads them.
std::vector<PictureSpec> readPictureList(const QString &path);
