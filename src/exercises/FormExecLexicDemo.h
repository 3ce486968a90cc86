#pragma once

#include "ExerciseRoutines.h"
#include "LexicPresentation.h"
#include "VocabularyFiles.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class SoundDevice;
class TBtnImgD1KL;
class TBtnImgTransD1KL;

// The vocabulary presentation: the lesson's expressions one after the other in file order,
// each with its translation. Closes with mrOk on "Далее" at the last expression, with
// mrCancel when the learner leaves.
class TFormExecLexicDemo : public QDialog {
    Q_OBJECT
public:
    explicit TFormExecLexicDemo(AudioBackend &audio, QWidget *parent = nullptr);
    ~TFormExecLexicDemo() override;

    // Keeps the file names; without a segment file or a sound file there is nothing to play.
    void setFiles(const VocabularyFiles &files);
    // Reads the files; the presentation takes whatever was read, also when this throws.
    void Load();
    // Shows the first expression.
    void SetInitialData();

    const LexicPresentation &presentation() const { return presentation_; }

    // The handlers of the design.
    void BitBtn1Click();
    void BitBtnPlayClick();
    void MediaPlayerPlayNotify();
    void BitBtn2Click();
    void ImageButton3Click();

    QLineEdit *EditText;
    TBtnImgD1KL *BitBtnPlay;
    QLineEdit *EditTranslate;
    TBtnImgD1KL *BtnImgD1KL1;
    QLabel *LabelSelect;
    QLabel *LabelCount;
    TBtnImgTransD1KL *BtnImgTransD1KL1;
    TBtnImgTransD1KL *BtnImgTransD1KL2;
    SoundDevice *MediaPlayerPlay;
    TBtnImgD1KL *BitBtn1;
    TBtnImgD1KL *BitBtn2;
    TBtnImgD1KL *BitBtnClose;

    // Leaving by Esc is leaving by "Выход".
    void reject() override;

private:
    void showCurrent();

    VocabularyFiles files_;
    LexicPresentation presentation_;
};
