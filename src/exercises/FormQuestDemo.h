#pragma once

#include "ExerciseRoutines.h"
#include "QuestWindowParts.h"
#include "QuestionPresentation.h"

#include <QDialog>

class QLabel;
class QTextEdit;
class TBtnImgD1KL;
class TBtnImgTransD1KL;

// The questions on a lesson's text, one by one in file order, without answers, for the
// learner to read before listening. Made by RunQuestDemo for one run.
class TFormQuestDemo : public QDialog {
    Q_OBJECT
public:
    explicit TFormQuestDemo(QWidget *parent = nullptr);

    // The course files as the catalogue names them: File1, File2, File4, File3.
    void setFiles(const QString &questionFile, const QString &answerFile, const QString &segmentFile,
                  const QString &soundFile);
    // Reads the files; a failure is reported and the window goes on with what was read.
    void Load();
    // The first question on show.
    void startRun();

    const QuestionPresentation &presentation() const { return presentation_; }

    QWidget *PanelQuest;
    QTextEdit *MemoQuest;
    TBtnImgD1KL *BtnImgD1KL1;
    QLabel *LabelSelect;
    QLabel *LabelCount;
    TBtnImgTransD1KL *BtnImgTransD1KL1;
    TBtnImgTransD1KL *BtnImgTransD1KL2;

signals:
    // The help button asks for a topic by key; no help viewer is bound yet.
    void helpRequested(const QString &topicKey);

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
    void BtnImgTransD1KL2Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showQuestion();

    QuestionPresentation presentation_;
    QuestFiles files_;
};
