#pragma once

#include "ExerciseRoutines.h"
#include "QuestionWindowParts.h"
#include "TrueFalseDrill.h"

#include <QDialog>

class AudioBackend;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTextEdit;
class SoundDevice;
class TrueFalseResultsWindow;

// True or false: statements in random order, each answered "Да" or "Нет"; the statement on
// show can be heard. Made by runTrueFalse for one run.
class TrueFalseWindow : public QDialog {
    Q_OBJECT
public:
    explicit TrueFalseWindow(AudioBackend &audio, QWidget *parent = nullptr);

    // The course files as the catalogue names them: File1, File2, File4, File3.
    void setFiles(const QString &statementFile, const QString &secondFile, const QString &segmentFile,
                  const QString &soundFile);
    // Reads the files; a failure is reported and the window goes on with what was read.
    void load();
    // A new run: every statement to answer, no errors, the first statement on show.
    void startRun();
    // Draws another statement and shows it.
    void selectNext();

    const TrueFalseDrill &drill() const { return drill_; }

    QLabel *instructionLabel;
    QTextEdit *questionText;
    QGroupBox *answerGroup;
    QRadioButton *yesButton;
    QRadioButton *noButton;
    QPushButton *confirmButton;
    QPushButton *nextButton;
    QPushButton *playButton;
    QGroupBox *informationBox;
    QLabel *remainingCounter;
    QLabel *totalCounter;
    QLabel *errorCounter;
    QPushButton *ignoreButton;
    QPushButton *closeButton;
    SoundDevice *player;

public slots:
    void confirmAnswer();
    void showAnotherStatement();
    void playExpression();
    void followSound();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showStatement();

    TrueFalseDrill drill_;
    QuestionFiles files_;
};

// runTrueFalse with the results window to fill and show after a completed run.
int runTrueFalse(const ExerciseContext &context, QPoint centre, const QString &statementFile,
                 const QString &questionFile, const QString &segmentFile, const QString &soundFile,
                 TrueFalseResultsWindow &results);
