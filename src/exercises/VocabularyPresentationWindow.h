#pragma once

#include "ExerciseRoutines.h"
#include "VocabularyFiles.h"
#include "VocabularyPresentation.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class SoundDevice;
class PictureButton;
class FlatPictureButton;

// The vocabulary presentation: the lesson's expressions one after the other in file order,
// each with its translation. Closes with mrOk on "Далее" at the last expression, with
// mrCancel when the learner leaves.
class VocabularyPresentationWindow : public QDialog {
    Q_OBJECT
public:
    explicit VocabularyPresentationWindow(AudioBackend &audio, QWidget *parent = nullptr);
    ~VocabularyPresentationWindow() override;

    // Keeps the file names; without a segment file or a sound file there is nothing to play.
    void setFiles(const VocabularyFiles &files);
    // Reads the files; the presentation takes whatever was read, also when this throws.
    void load();
    // Shows the first expression.
    void setInitialData();

    const VocabularyPresentation &presentation() const { return presentation_; }

    // The handlers of the design.
    void showNextExpression();
    void playExpression();
    void followSound();
    void showHelp();

    QLineEdit *expressionField;
    PictureButton *playButton;
    QLineEdit *translationField;
    PictureButton *nextPictureButton;
    QLabel *remainingCounter;
    QLabel *totalCounter;
    FlatPictureButton *helpPictureButton;
    FlatPictureButton *exitPictureButton;
    SoundDevice *player;
    PictureButton *nextButton;
    PictureButton *helpButton;
    PictureButton *closeButton;

    // Leaving by Esc is leaving by "Выход".
    void reject() override;

private:
    void showCurrent();

    VocabularyFiles files_;
    VocabularyPresentation presentation_;
};
