#pragma once

#include "course/CourseState.h"

#include "exercises/ExerciseRoutines.h"

#include "users/Progress.h"
#include "users/UserList.h"

#include <memory>

class TDlgDoubleError;
class TDlgErrorDo;
class TDlgLexicError;
class TDlgLexRepit;
class TDlgPassWord;
class TDlgxMessage;
class TFormBegin;
class TFormMain;
class TFormProgress;
class TFormReport;
class TOKBottomDlgChengeReg;
class TOKBottomDlgNewUser;
class TOKBottomDlgSelectUsers;

// The state of the run and the windows that live from start-up to shutdown, made in
// their fixed order.
struct StartupWindows {
    CourseState course;
    UserRegistry users;
    ProgressState progress;

    std::unique_ptr<TFormMain> FormMain;
    std::unique_ptr<TOKBottomDlgSelectUsers> OKBottomDlgSelectUsers;
    std::unique_ptr<TOKBottomDlgNewUser> OKBottomDlgNewUser;
    std::unique_ptr<TOKBottomDlgChengeReg> OKBottomDlgChengeReg;
    std::unique_ptr<TDlgPassWord> DlgPassWord;
    std::unique_ptr<TDlgErrorDo> DlgErrorDo;
    std::unique_ptr<TDlgDoubleError> DlgDoubleError;
    std::unique_ptr<TDlgLexRepit> DlgLexRepit;
    std::unique_ptr<TDlgxMessage> DlgxMessage;
    std::unique_ptr<TFormProgress> FormProgress;
    std::unique_ptr<TFormBegin> FormBegin;
    std::unique_ptr<TFormReport> FormReport;
    std::unique_ptr<TDlgLexicError> DlgLexicError;
    std::unique_ptr<ExerciseContext> exercises;

    StartupWindows();
    ~StartupWindows();
};

struct StartupOptions {
    bool showIntro = true;
};

// Makes the start-up windows and reads the user list; the main window is not shown yet.
std::unique_ptr<StartupWindows> createStartupWindows(const StartupOptions &options);
