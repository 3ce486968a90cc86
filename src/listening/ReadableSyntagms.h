#pragma once

#include "SyntagmReading.h"

class QWidget;

// A widget that paints a text of syntagms. Screen readers read it as a read-only, multi-line
// text: the whole text, with the current syntagm selected and the caret at its start, so
// they can read the story and follow the current line.
class ReadableSyntagms {
public:
    virtual ~ReadableSyntagms() = default;
    virtual SyntagmReading reading() const = 0;
    // Index of the current item of the reading; -1 for none.
    virtual int currentItem() const = 0;
};

// Lets screen readers find the text interface of every ReadableSyntagms widget. Safe to
// call more than once.
void installReadableSyntagmsAccessibility();

// Tells screen readers that the current syntagm of `widget` moved.
void announceCurrentSyntagm(QWidget *widget, const ReadableSyntagms &text);
