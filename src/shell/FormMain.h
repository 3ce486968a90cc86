#pragma once

#include "course/CourseState.h"
#include "DescriptionPane.h"
#include "ExerciseLauncher.h"
#include "course/LessonTree.h"
#include "MainToolBar.h"

#include "users/Progress.h"
#include "users/UserList.h"

#include <QMainWindow>
#include <QTreeWidget>

#include <array>

class TFormBegin;
class TFormReport;
class TDlgLexRepit;
class TDlgPassWord;
class TOKBottomDlgChengeReg;
class TOKBottomDlgNewUser;
class TOKBottomDlgSelectUsers;

// The dialogs the main window's commands open; all live for the whole run.
struct MainWindowDialogs {
    TOKBottomDlgSelectUsers *selectUsers = nullptr;
    TOKBottomDlgNewUser *newUser = nullptr;
    TOKBottomDlgChengeReg *changeMode = nullptr;
    TDlgPassWord *password = nullptr;
    TFormReport *report = nullptr;
};

// The program's main window: the lesson tree of the current user's mode on the left,
// the description of the selected node on the right, the commands in its menu and toolbar.
class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    TFormMain(CourseState &course, UserRegistry &users, ProgressState &progress, QWidget *parent = nullptr);

    // The window that shows progress while the tree is rebuilt.
    void setProgressWindow(ProgressSink *progress) { progressWindow_ = progress; }
    // The intro window shown first by the start-up sequence; none skips the intro.
    void setIntro(TFormBegin *intro) { intro_ = intro; }
    void setDialogs(const MainWindowDialogs &dialogs) { dialogs_ = dialogs; }
    // The exercise routines "Выполнить" runs and the end-of-exercise dialog.
    void setExercises(ExerciseLauncher launcher, TDlgLexRepit *endDialog);
    // A problem met while reading the user list, reported once the window is shown.
    void setUserListProblem(const QString &text) { userListProblem_ = text; }

    // The start-up sequence; runs once, when the window is first shown.
    void FormShow();
    // The shutdown sequence: the current learner's progress, then the user list.
    void FormClose();

    // Makes user `index` current; -1 (or lower) is the anonymous user.
    void ChangeUser(int index);
    // The selected node changed.
    void TreeViewChange();
    // Recomputes every node's image from the catalogue and the current progress.
    void RefreshMarks();

    // Commands of the menu and toolbar.
    void NewUserClick();
    void SelectUserClick();
    void ChangeModeClick();
    void ReportClick();
    // Runs the exercise of the selected node.
    void ToolButton4Click();
    void ExitClick();

    MainToolBar *ToolBar;
    QTreeWidget *TreeView;
    DescriptionPane *Description;
    QAction *ActionNewUser;
    QAction *ActionSelectUser;
    QAction *ActionChangeMode;
    QAction *ActionExit;
    QAction *ActionRun;
    QAction *ActionReport;
    QAction *ActionHelp;
    QAction *ActionAbout;

    // True once the catalogues loaded and the first user switch built the tree.
    bool courseReady() const { return courseReady_; }

    static QString anonymousCaption(QChar mode);
    static QString userCaption(const TUserRec &user);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    QWidget *buildPanels();
    void connectCommands();
    void installCourseFont();
    void showCourseFailure(const QString &text, bool report = true);
    void rebuildTree(QChar mode);
    void saveCurrentProgress();
    void runExercise(const TCatalogueEntry &entry, int entryNumber);
    void hidePanels();
    int showEndDialog(const QString &message, bool markEnabled);
    QPoint clientCentre() const;

    CourseState &course_;
    UserRegistry &users_;
    ProgressState &progress_;
    ProgressSink *progressWindow_ = nullptr;
    TFormBegin *intro_ = nullptr;
    MainWindowDialogs dialogs_;
    ExerciseLauncher exercises_;
    TDlgLexRepit *endDialog_ = nullptr;
    QString userListProblem_;
    QString treeProblem_;
    std::array<QIcon, 3> treeImages_;
    bool shownOnce_ = false;
    bool closed_ = false;
    bool courseReady_ = false;
};
