#pragma once

#include "CourseState.h"
#include "DescriptionPane.h"
#include "LessonTree.h"
#include "MainToolBar.h"

#include <QMainWindow>
#include <QTreeWidget>

#include <array>

class TFormBegin;

// The program's main window: the lesson tree of the current user's mode on the left,
// the description of the selected node on the right, the commands in its menu and toolbar.
class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(CourseState &course, QWidget *parent = nullptr);

    // The window that shows progress while the tree is rebuilt.
    void setProgressWindow(ProgressSink *progress) { progress_ = progress; }

    // The intro window shown first by the start-up sequence; none skips the intro.
    void setIntro(TFormBegin *intro) { intro_ = intro; }

    // The start-up sequence; runs once, when the window is first shown.
    void FormShow();

    // Makes user `index` current; -1 (or lower) is the anonymous user.
    void ChangeUser(int index);
    // The selected node changed.
    void TreeViewChange();

    // Commands of the menu and toolbar.
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

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildMenu();
    QWidget *buildPanels();
    void installCourseFont();
    void showCourseFailure(const QString &text);
    void refreshMarksAnonymous();

    CourseState &course_;
    ProgressSink *progress_ = nullptr;
    TFormBegin *intro_ = nullptr;
    std::array<QIcon, 3> treeImages_;
    bool shownOnce_ = false;
    bool courseReady_ = false;
    int curUser_ = -1;
};
