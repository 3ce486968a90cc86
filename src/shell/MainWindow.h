#pragma once

#include "course/CourseState.h"
#include "course/LessonTree.h"
#include "DescriptionPane.h"
#include "ExerciseKinds.h"
#include "MainToolBar.h"

#include "core/SaveQueue.h"
#include "users/LearnerLock.h"
#include "users/Progress.h"
#include "users/UserList.h"

#include <QMainWindow>
#include <QTimer>
#include <QTreeWidget>

#include <array>

class AboutDialog;
class IntroWindow;
class ReportWindow;
class ClassReportWindow;
class ExerciseEndDialog;
class PasswordDialog;
class ModeDialog;
class NewUserDialog;
class SelectUserDialog;

// The dialogs the main window's commands open; all live for the whole run.
struct MainWindowDialogs {
    SelectUserDialog *selectUsers = nullptr;
    NewUserDialog *newUser = nullptr;
    ModeDialog *changeMode = nullptr;
    PasswordDialog *password = nullptr;
    ReportWindow *report = nullptr;
    ClassReportWindow *classReport = nullptr;
    AboutDialog *about = nullptr;
};

// The program's main window: the lesson tree of the current user's mode on the left,
// the description of the selected node on the right, the commands in its menu and toolbar.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(CourseState &course, UserRegistry &users, ProgressState &progress, QWidget *parent = nullptr);

    // The window that shows progress while the tree is rebuilt.
    void setProgressWindow(ProgressSink *progress) { progressWindow_ = progress; }
    // The intro window shown first by the start-up sequence; none skips the intro.
    void setIntro(IntroWindow *intro) { intro_ = intro; }
    void setDialogs(const MainWindowDialogs &dialogs);
    // The exercise routines "Выполнить" runs and the end-of-exercise dialog.
    void setExercises(ExerciseKindTable exercises, ExerciseEndDialog *endDialog);
    // A problem met while reading the user list, reported once the window is shown.
    void setUserListProblem(const QString &text) { userListProblem_ = text; }
    // A course folder the program may not write: the notice is shown once the window is
    // shown, and the user list and progress are not saved (each save would only fail).
    void openReadOnly(const QString &notice) { readOnlyNotice_ = notice; }

    // The start-up sequence; runs once, when the window is first shown.
    void runStartup();
    // The shutdown sequence: the current learner's progress, then the user list. Runs once.
    void runShutdown();
    // The desktop session is about to end (a logout): the work is saved as at shutdown, but
    // the window stays open, so that when the logout is cancelled the later exit saves again.
    void saveForSessionEnd();
    // Ending from outside (a signal): the window closes and its shutdown reports problems
    // on standard error, since nobody may be there to answer a window.
    void endFromOutside();
    // True when a save of the shutdown failed.
    bool shutdownSaveFailed() const { return shutdownSaveFailed_; }
    // Returns once the saves made so far are on disk (their failures are told as usual).
    void finishSaves();

    // Makes user `index` current; -1 (or lower) is the anonymous user.
    void changeUser(int index);
    // The selected node changed.
    void showSelectedDescription();
    // Renews the current learner's lock (every minute while one is held) off the interface
    // thread; when another copy has taken it over meanwhile, leaveLostLearner() follows.
    void renewLearnerLock();

    // Commands of the menu and toolbar.
    void createUser();
    void selectUser();
    void changeMode();
    void showReport();
    // "Отчет по классу": every learner of the course folder, as the files hold them now.
    void showClassReport();
    void showHelp();
    void showAbout();
    // Runs the exercise of the selected node.
    void runSelectedExercise();
    void exitProgram();

    MainToolBar *toolBar;
    QTreeWidget *lessonTree;
    DescriptionPane *descriptionPane;
    QAction *newUserAction;
    QAction *selectUserAction;
    QAction *changeModeAction;
    QAction *exitAction;
    QAction *runAction;
    QAction *reportAction;
    QAction *classReportAction;
    QAction *helpAction;
    QAction *aboutAction;

    // True once the catalogues loaded and the first user switch built the tree.
    bool courseReady() const { return courseReady_; }

    static QString anonymousCaption(QChar mode);
    static QString userCaption(const UserRecord &user);

signals:
    // A save of the learners' work has ended (successfully or told as failed).
    void saved(const QString &file);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    QWidget *buildPanels();
    void connectCommands();
    void installCourseFont();
    void showCourseFailure(const QString &text, bool report = true);
    void rebuildTree(QChar mode, bool named);
    void scheduleColumnFit();
    void fitColumn();
    enum class Report { Window, StandardError };
    // Work is saved as it is made: these queue a save of the current learner's progress or
    // of the user list, which runs off the interface thread; a failure is told when it comes.
    void queueProgressSave();
    void queueUserListSave();
    bool saveWork(Report report);
    bool reportFailedSaves(Report report);
    // Recordings an earlier run left unfinished in the learner's folder (the course folder
    // for the anonymous learner) are recovered, and the learner is told of each once.
    // `progressFile` is the learner's (empty for the anonymous one).
    void recoverInterruptedRecordings(const UserRecord *user, const QString &progressFile, QChar mode);
    void reportProblem(const QString &text, Report report);
    // Another copy works for the current learner now: the anonymous learner becomes current
    // here, and the learner is told.
    void leaveLostLearner();
    // True when the run marked its entry done that was not done before.
    bool runExercise(const CatalogueEntry &entry, int entryNumber);
    void hidePanels();
    int showEndDialog(const QString &message, bool markEnabled);
    QPoint clientCentre() const;
    QRect clientArea() const;

    CourseState &course_;
    UserRegistry &users_;
    ProgressState &progress_;
    ProgressSink *progressWindow_ = nullptr;
    IntroWindow *intro_ = nullptr;
    MainWindowDialogs dialogs_;
    ExerciseKindTable exercises_;
    ExerciseEndDialog *endDialog_ = nullptr;
    SaveQueue saves_;
    // User-list saves queued so far, and the one whose base users_.Base now is (the next to
    // be queued, or an earlier one that failed).
    quint64 userListSaves_ = 0;
    quint64 baseOfSave_ = 1;
    // The learner this copy works for, kept from other copies on the same course folder.
    LearnerLock learnerLock_;
    QTimer learnerLockRenewal_;
    QString userListProblem_;
    QString readOnlyNotice_;
    QString treeProblem_;
    std::array<QIcon, 3> treeImages_;
    QStringList unreadProgressReported_;
    bool shownOnce_ = false;
    bool closed_ = false;
    bool endingFromOutside_ = false;
    bool shutdownSaveFailed_ = false;
    bool courseReady_ = false;
    bool columnFitPending_ = false;
};
