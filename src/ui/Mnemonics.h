#pragma once

class QWidget;

// Gives the captions of a window's buttons and fields Alt shortcuts that do not clash:
// each caption gets a letter no other caption of the window has taken (the first letter
// of one of its words when it can), in the order the controls were made. A caption label
// under a picture button clicks it; a field's label moves the focus to the field. Letters
// already marked with '&' are kept. Picture buttons without a caption label and hidden
// controls are left alone. A letter acts at once, without Qt's animated click.
void assignMnemonics(QWidget &window);
