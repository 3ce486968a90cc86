#pragma once

#include <QDialog>

class QLabel;
class QTextEdit;
class PictureButton;

// The program's own message window: a caption, one of four icons, the text and one
// confirming button. Created once and reused for every message.
class MessageWindow : public QDialog {
    Q_OBJECT
public:
    explicit MessageWindow(QWidget *parent = nullptr);

    // Fills the window for one message and shows it modally; the result is discarded.
    void showMessage(const QString &text, const QString &caption, int iconFlag);
    // Fills the window without showing it.
    void prepare(const QString &text, const QString &caption, int iconFlag);
    // Asks a question with the question icon and the choices "Да" and "Нет"; "Нет" is the
    // default and what Esc and the close box answer. True for "Да".
    bool ask(const QString &text, const QString &caption);

    // Index into the icon list (0 stop, 1 question, 2 exclamation, 3 information) for a
    // message-box icon flag: its group (flag and 0xF0) shr 4, 1 to 4; any other group
    // shows information.
    static int iconIndexForFlag(int iconFlag);

    int shownIconIndex() const { return iconIndex_; }
    QString shownText() const;

    QLabel *iconLabel;
    QTextEdit *messageText;
    PictureButton *okButton;
    // Shown instead of okButton while a question is asked.
    PictureButton *yesButton;
    PictureButton *noButton;

private:
    void showChoices(bool question);

    int iconIndex_ = 3;
    QLabel *yesCaption_;
    QLabel *noCaption_;
};

// The message window start-up made; showMessageBox falls back to a window of its own
// for messages raised before start-up or in tests.
void setMessageWindow(MessageWindow *window);

// Shows `text` ("\r" breaks a line) under `caption` with the icon of a message-box flag:
// 16 stop, 32 question, 48 exclamation, 64 information. Returns when it is closed.
void showMessageBox(const QString &text, const QString &caption, int iconFlag);
// A failure the learner is told of: `text` under "Ошибка" with the stop icon.
void showErrorMessage(const QString &text);

// Asks `text` under `caption` in the same window (see MessageWindow::ask); true for "Да".
bool askMessageBox(const QString &text, const QString &caption);
