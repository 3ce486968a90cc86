#pragma once

#include "ExerciseRoutines.h"
#include "QuestWindowParts.h"
#include "TrueFalseDrill.h"

#include <QDialog>

class AudioBackend;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTextEdit;
class SoundDevice;
class TFormQuestEnd;

// True or false: statements in random order, each answered "Да" or "Нет"; the statement on
// show can be heard. Made by RunQuestTrFl for one run.
class TFormQuestTrFl : public QDialog {
    Q_OBJECT
public:
    explicit TFormQuestTrFl(AudioBackend &audio, QWidget *parent = nullptr);

    // The course files as the catalogue names them: File1, File2, File4, File3.
    void setFiles(const QString &statementFile, const QString &secondFile, const QString &segmentFile,
                  const QString &soundFile);
    // Reads the files; a failure is reported and the window goes on with what was read.
    void Load();
    // A new run: every statement to answer, no errors, the first statement on show.
    void startRun();
    // Draws another statement and shows it.
    void SelectNext();

    const TrueFalseDrill &drill() const { return drill_; }

    QLabel *Label8;
    QTextEdit *MemoQuest;
    QGroupBox *RadioGroup1;
    QRadioButton *RadioButtonYes;
    QRadioButton *RadioButtonNo;
    QPushButton *BitBtn1;
    QPushButton *BitBtnNext;
    QPushButton *BitBtnPlay;
    QGroupBox *Label1;
    QLabel *LabelSelect;
    QLabel *LabelCount;
    QLabel *LabelError;
    QPushButton *BitBtn3;
    QPushButton *BitBtn4;
    SoundDevice *MediaPlayerPlay;

public slots:
    void BitBtn1Click();
    void BitBtnNextClick();
    void BitBtnPlayClick();
    void MediaPlayerPlayNotify();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showStatement();

    TrueFalseDrill drill_;
    QuestFiles files_;
};

// RunQuestTrFl with the results window to fill and show after a completed run.
int RunQuestTrFl(const ExerciseContext &context, QPoint centre, const QString &statementFile,
                 const QString &questionFile, const QString &segmentFile, const QString &soundFile,
                 TFormQuestEnd &results);
