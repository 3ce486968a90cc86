#pragma once

#include <QDialog>

class QLabel;
class QTextEdit;
class TBtnImgD1KL;

// The answer dialogs the vocabulary and question windows share; made once at start-up.

// "Внимание": a first wrong answer ("Вы ошиблись." / "Попробуйте еще раз.").
class TDlgErrorDo : public QDialog {
    Q_OBJECT
public:
    explicit TDlgErrorDo(QWidget *parent = nullptr);
    TBtnImgD1KL *BtnImgD1KL1;

protected:
    void showEvent(QShowEvent *event) override;
};

// "Ошибка": the right answer after a second wrong one, English answers.
class TDlgDoubleError : public QDialog {
    Q_OBJECT
public:
    explicit TDlgDoubleError(QWidget *parent = nullptr);
    // Shows `text` as the only line of MemoTrueQuest, modally.
    void ShowMdText(const QString &text);
    QTextEdit *MemoTrueQuest;
    TBtnImgD1KL *BtnImgD1KL1;

protected:
    void showEvent(QShowEvent *event) override;
};

// The same for the vocabulary drill's Russian answers.
class TDlgLexicError : public TDlgDoubleError {
    Q_OBJECT
public:
    explicit TDlgLexicError(QWidget *parent = nullptr);
};

// "Результаты": the end-of-exercise dialog the dispatcher fills. exec() returns mrOk (mark
// as done), mrRetry (repeat) or mrCancel (just leave), see controls/ModalResult.h.
class TDlgLexRepit : public QDialog {
    Q_OBJECT
public:
    explicit TDlgLexRepit(QWidget *parent = nullptr);
    // Clears MemoComent and adds `message` as its only line; enables or disables the mark
    // choice (BitBtnOk and its label Label2 together).
    void prepare(const QString &message, bool markEnabled);

    QTextEdit *MemoComent;
    TBtnImgD1KL *BitBtnOk;
    QLabel *Label2;
    TBtnImgD1KL *BitBtn3;
    TBtnImgD1KL *BitBtn2;

    void BitBtnOkClick();
    // Esc and the close box just leave: Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
};
