#pragma once

#include <QDialog>

class PictureButton;
class QTextEdit;

// An answer dialog the vocabulary and question windows share; made once at start-up.
// "Ошибка": the right answer after a second wrong one. The question windows show English
// answers, the vocabulary drill Russian ones; the answer's language is the text's locale.
class RightAnswerDialog : public QDialog {
    Q_OBJECT
public:
    enum class AnswerLanguage { English, Russian };
    explicit RightAnswerDialog(AnswerLanguage language, QWidget *parent = nullptr);
    // Shows `text` as the only line of rightAnswerText, modally.
    void showRightAnswer(const QString &text);
    QTextEdit *rightAnswerText;
    PictureButton *okButton;

protected:
    void showEvent(QShowEvent *event) override;
};
