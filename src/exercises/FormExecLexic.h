#pragma once

#include "ExerciseRoutines.h"
#include "LexicDrill.h"
#include "VocabularyFiles.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class SoundDevice;
class TBtnImgD1KL;
class TBtnImgTransD1KL;

// The vocabulary drill: one English expression at a time, its Russian translation picked
// from the list of all the lesson's translations. Closes with mrOk when every expression
// was answered right, with mrCancel when the learner leaves.
class TFormExecLexic : public QDialog {
    Q_OBJECT
public:
    explicit TFormExecLexic(const ExerciseContext &context, QWidget *parent = nullptr);
    ~TFormExecLexic() override;

    // Keeps the file names; without a segment file or a sound file there is nothing to play.
    void setFiles(const VocabularyFiles &files);
    // Reads the files; the drill takes whatever was read, also when this throws.
    void Load();
    // The translations of all expressions, in file order.
    void fillTranslations();
    // Starts the run; FormShow calls it.
    void SetInitialData();

    const LexicDrill &drill() const { return drill_; }

    // The handlers of the design.
    void FormShow();
    void BitBtnNextClick();
    void BitBtnStepOverClick();
    void BitBtnPlayClick();
    void MediaPlayerPlayNotify();
    void BitBtn1Click();
    void ImageButton3Click();

    TBtnImgD1KL *BitBtnPlay;
    SoundDevice *MediaPlayerPlay;
    TBtnImgD1KL *BitBtnStepOver;
    QLineEdit *EditText;
    QListWidget *ListBoxTrans;
    TBtnImgD1KL *BitBtnNext;
    TBtnImgD1KL *BitBtn1;
    TBtnImgD1KL *BitBtn4;
    TBtnImgTransD1KL *BtnImgTransD1KL1;
    TBtnImgTransD1KL *BtnImgTransD1KL2;
    TBtnImgTransD1KL *BtnImgTransD1KL3;
    QLabel *LabelSelect;
    QLabel *LabelCount;
    QLabel *LabelError;

    // Leaving by Esc is leaving by "Выход".
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showCurrent();

    ExerciseContext context_;
    VocabularyFiles files_;
    LexicDrill drill_;
};
