#pragma once

#include "ExerciseRoutines.h"
#include "QuestionPresentation.h"
#include "QuestionWindowParts.h"

#include <QDialog>

class QLabel;
class QTextEdit;
class PictureButton;
class FlatPictureButton;

// The questions on a lesson's text, one by one in file order, without answers, for the
// learner to read before listening. Made by runQuestionPresentation for one run.
class QuestionPresentationWindow : public QDialog {
    Q_OBJECT
public:
    explicit QuestionPresentationWindow(QWidget *parent = nullptr);

    // The course files as the catalogue names them: File1, File2, File4, File3.
    void setFiles(const QString &questionFile, const QString &answerFile, const QString &segmentFile,
                  const QString &soundFile);
    // Reads the files; a failure is reported and the window goes on with what was read.
    void load();
    // The first question on show.
    void startRun();

    const QuestionPresentation &presentation() const { return presentation_; }

    QWidget *questionPanel;
    QTextEdit *questionText;
    PictureButton *nextButton;
    QLabel *remainingCounter;
    QLabel *totalCounter;
    FlatPictureButton *helpPictureButton;
    FlatPictureButton *exitPictureButton;

public slots:
    void showNextQuestion();
    void showHelp();

    // Leaving by Esc is leaving by "Выход".
    void reject() override;

private:
    void showQuestion();

    QuestionPresentation presentation_;
    QuestionFiles files_;
};
