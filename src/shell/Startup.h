#pragma once

#include "course/CourseState.h"

#include "exercises/ExerciseRoutines.h"

#include "users/Progress.h"
#include "users/UserList.h"

#include <memory>

class RightAnswerDialog;
class TryAgainDialog;
class RightAnswerDialog;
class ExerciseEndDialog;
class PasswordDialog;
class MessageWindow;
class AboutDialog;
class HelpViewer;
class IntroWindow;
class MainWindow;
class TreeProgressWindow;
class ReportWindow;
class ClassReportWindow;
class ModeDialog;
class NewUserDialog;
class SelectUserDialog;

// The state of the run and the windows that live from start-up to shutdown, made in
// their fixed order.
struct StartupWindows {
    CourseState course;
    UserRegistry users;
    ProgressState progress;

    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<AboutDialog> aboutDialog;
    std::unique_ptr<HelpViewer> helpViewer;
    std::unique_ptr<SelectUserDialog> selectUserDialog;
    std::unique_ptr<NewUserDialog> newUserDialog;
    std::unique_ptr<ModeDialog> modeDialog;
    std::unique_ptr<PasswordDialog> passwordDialog;
    std::unique_ptr<TryAgainDialog> tryAgainDialog;
    std::unique_ptr<RightAnswerDialog> rightAnswerDialog;
    std::unique_ptr<ExerciseEndDialog> exerciseEndDialog;
    std::unique_ptr<MessageWindow> messageWindow;
    std::unique_ptr<TreeProgressWindow> treeProgressWindow;
    std::unique_ptr<IntroWindow> introWindow;
    std::unique_ptr<ReportWindow> reportWindow;
    std::unique_ptr<ClassReportWindow> classReportWindow;
    std::unique_ptr<RightAnswerDialog> vocabularyRightAnswerDialog;
    std::unique_ptr<ExerciseContext> exercises;

    StartupWindows();
    ~StartupWindows();
};

struct StartupOptions {
    bool showIntro = true;
};

// Makes the start-up windows and reads the user list; the main window is not shown yet.
std::unique_ptr<StartupWindows> createStartupWindows(const StartupOptions &options);
