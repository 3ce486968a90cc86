#pragma once

#include "CheckContext.h"

#include <QString>

// The course files of a listening text (kinds 4, 5, 8, 11 to 15), resolved.
struct ListeningFiles {
    QString text;
    QString translation;
    QString sound;
    QString timing;
    QString pictures;
    QString pictureFolder; // put before every picture of the picture list
};

// The text and its translation line for line with their "#" lines in the same places,
// line 1 the heading; a timing line for every text line that parses, is "#" exactly on
// the text's "#" lines, runs forward and ends within the sound; a picture list whose
// lines parse and whose pictures load; comment lines that name a line of the text; and
// the "#@" pictures of the text with their "r" and "g" variants.
void checkListeningFiles(CheckContext &context, const NamedAt &at, const ListeningFiles &files);
