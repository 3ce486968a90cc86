#pragma once

#include "NewUserChecks.h"
#include "UserList.h"

#include <QDialog>
#include <QLineEdit>

class ModeChoice;
class QLabel;
class PictureButton;

// "Новое имя": name, password twice and mode of a new learner. Confirming runs the checks
// and, when they pass, creates the learner's folder; the caller then adds the learner.
class NewUserDialog : public QDialog {
    Q_OBJECT
public:
    NewUserDialog(const UserRegistry &registry, QWidget *parent = nullptr);

    // Empties the fields, sets the report path to the working folder's Report and selects mode A.
    void prepare();

    NewUserInput input() const;
    QChar mode() const;

    QLineEdit *nameField;
    QLineEdit *passwordField;
    QLineEdit *passwordRepeatField;
    QLineEdit *fileNameField; // derived from the name, never shown
    // "Имя пишется латинскими буквами" under the name, shown once a typed letter was refused.
    QLabel *nameHint;
    ModeChoice *modeChoice;
    PictureButton *okButton;
    PictureButton *cancelButton;
    PictureButton *helpButton;

private:
    void deriveFileName();
    void showNameHint();
    void acceptIfValid();

    const UserRegistry &registry_;
};

// The new-user command: prepares and shows the dialog; on confirmation adds the learner
// and writes a fresh progress file for the chosen mode (the current learner's progress in
// memory is left alone). Returns true when a learner was added; a progress file that
// cannot be written is reported, the learner stays added.
bool runNewUser(NewUserDialog &dialog, UserRegistry &registry);
