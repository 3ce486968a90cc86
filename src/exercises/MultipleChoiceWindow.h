#pragma once

#include "ExerciseRoutines.h"
#include "MultipleChoiceDrill.h"
#include "QuestionWindowParts.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QTextEdit;
class FlatPictureButton;
class PictureCheckBox;

// "Послетекстовые вопросы": one question at a time with up to four answers in shuffled
// order; the learner marks one and confirms. Made by runMultipleChoice for one run.
class MultipleChoiceWindow : public QDialog {
    Q_OBJECT
public:
    explicit MultipleChoiceWindow(const ExerciseContext &context, QWidget *parent = nullptr);

    // The course files as the catalogue names them: File1, File2, File4, File3.
    void setFiles(const QString &questionFile, const QString &answerFile, const QString &segmentFile,
                  const QString &soundFile);
    // Reads the files; a failure is reported and the window goes on with what was read.
    void load();
    // A new run: every question to ask, no errors, the first question on show.
    void startRun();

    const MultipleChoiceDrill &drill() const { return drill_; }

    QLabel *instructionLabel;
    QWidget *questionPanel;
    QTextEdit *questionText;
    // Answer slots 1..4 (index 0..3): the row, its marker and the answer text.
    std::array<QWidget *, 4> answerPanels{};
    std::array<PictureCheckBox *, 4> answerMarks{};
    std::array<QTextEdit *, 4> answerTexts{};
    QPushButton *confirmButton;
    FlatPictureButton *confirmPictureButton;
    FlatPictureButton *helpPictureButton;
    FlatPictureButton *exitPictureButton;
    QLabel *remainingCounter;
    QLabel *totalCounter;
    QLabel *errorCounter;

public slots:
    void confirmAnswer();
    void showHelp();
    // The markers' click, raised before the clicked marker toggles itself.
    void markAnswer(int slot);

    // Leaving by Esc is leaving by "Выход".
    void reject() override;

private:
    void showQuestion();
    void showCounters();

    ExerciseContext context_;
    MultipleChoiceDrill drill_;
    QuestionFiles files_;
};
