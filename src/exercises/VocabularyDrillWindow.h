#pragma once

#include "ExerciseRoutines.h"
#include "VocabularyDrill.h"
#include "VocabularyFiles.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class SoundDevice;
class PictureButton;
class FlatPictureButton;

// The vocabulary drill: one English expression at a time, its Russian translation picked
// from the list of all the lesson's translations. Closes with mrOk when every expression
// was answered right, with mrCancel when the learner leaves.
class VocabularyDrillWindow : public QDialog {
    Q_OBJECT
public:
    explicit VocabularyDrillWindow(const ExerciseContext &context, QWidget *parent = nullptr);
    ~VocabularyDrillWindow() override;

    // Keeps the file names; without a segment file or a sound file there is nothing to play.
    void setFiles(const VocabularyFiles &files);
    // Reads the files; the drill takes whatever was read, also when this throws.
    void load();
    // The translations of all expressions, in file order.
    void fillTranslations();
    // Starts the run; runStartup calls it.
    void setInitialData();

    const VocabularyDrill &drill() const { return drill_; }

    // The handlers of the design.
    void runStartup();
    void checkAnswer();
    void skipExpression();
    void playExpression();
    void followSound();
    void showHelp();

    PictureButton *playButton;
    SoundDevice *player;
    PictureButton *skipButton;
    QLineEdit *expressionField;
    QListWidget *translationList;
    PictureButton *nextButton;
    PictureButton *helpButton;
    PictureButton *exitButton;
    FlatPictureButton *confirmButton;
    FlatPictureButton *helpPictureButton;
    FlatPictureButton *exitPictureButton;
    QLabel *remainingCounter;
    QLabel *totalCounter;
    QLabel *errorCounter;

    // Leaving by Esc is leaving by "Выход".
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showCurrent();

    ExerciseContext context_;
    VocabularyFiles files_;
    VocabularyDrill drill_;
};
