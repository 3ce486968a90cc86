#pragma once

#include "PictureList.h"

#include <QImage>

// The three pictures of a "#@" text item: the text control shows the normal one, the
// "r" one while its line is the current line and the "g" one while it lies in the
// marked fragment. They take the colours of those highlights (red and blue), so the
// picture reads as part of the highlighted text.
struct MarkPictures {
    QImage normal;
    QImage current; // saved as "r" + name
    QImage marked;  // saved as "g" + name
};

// Draws the icon named by `picture.scene` (key, signpost, notepad) beside the title.
MarkPictures drawMarkPictures(const PictureSpec &picture, const QString &family);
