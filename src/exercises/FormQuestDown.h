#pragma once

#include "ExerciseRoutines.h"
#include "MultipleChoiceDrill.h"
#include "QuestWindowParts.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QTextEdit;
class TBtnImgTransD1KL;
class TChBxImgTransD1KL;

// "Послетекстовые вопросы": one question at a time with up to four answers in shuffled
// order; the learner marks one and confirms. Made by RunQuestDown for one run.
class TFormQuestDown : public QDialog {
    Q_OBJECT
public:
    explicit TFormQuestDown(const ExerciseContext &context, QWidget *parent = nullptr);

    // The course files as the catalogue names them: File1, File2, File4, File3.
    void setFiles(const QString &questionFile, const QString &answerFile, const QString &segmentFile,
                  const QString &soundFile);
    // Reads the files; a failure is reported and the window goes on with what was read.
    void Load();
    // A new run: every question to ask, no errors, the first question on show.
    void startRun();

    const MultipleChoiceDrill &drill() const { return drill_; }

    QLabel *Label1;
    QWidget *PanelQuest;
    QTextEdit *MemoQuest;
    // Answer slots 1..4 (index 0..3): the row, its marker and the answer text.
    std::array<QWidget *, 4> PanelQ{};
    std::array<TChBxImgTransD1KL *, 4> RadioButton{};
    std::array<QTextEdit *, 4> Memo{};
    QPushButton *BitBtn1;
    TBtnImgTransD1KL *BtnImgTransD1KL1;
    TBtnImgTransD1KL *BtnImgTransD1KL2;
    TBtnImgTransD1KL *BtnImgTransD1KL3;
    QLabel *LabelSelect;
    QLabel *LabelCount;
    QLabel *LabelError;

signals:
    // The help button asks for a topic by key; no help viewer is bound yet.
    void helpRequested(const QString &topicKey);

public slots:
    void BitBtn1Click();
    void BitBtn3Click();
    void BtnImgTransD1KL3Click();
    // The markers' click, raised before the clicked marker toggles itself.
    void RadioButtonClick(int slot);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showQuestion();
    void showCounters();

    ExerciseContext context_;
    MultipleChoiceDrill drill_;
    QuestFiles files_;
};
