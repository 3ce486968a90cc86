#pragma once

class QWidget;

// Makes a key act at once. Qt "animates" the click a shortcut gives a button: the button looks
// pressed and its action runs 100 ms after the key, so a learner who starts a sound with a key
// would hear it that much later than one who clicks. `target` is a button with a shortcut of
// its own, or a label whose mnemonic works its buddy; the button's action now runs on the key,
// and the button shows its pressed look for the usual moment afterwards.
void clickOnShortcutAtOnce(QWidget &target);
