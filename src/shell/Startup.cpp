#include "Startup.h"

#include "DlgMessage.h"
#include "FormBegin.h"
#include "FormMain.h"
#include "FormProgress.h"

#include "core/CourseError.h"
#include "reports/FormReport.h"
#include "users/DlgChengeReg.h"
#include "users/DlgNewUser.h"
#include "users/DlgPassWord.h"
#include "users/DlgSelectUsers.h"

StartupWindows::StartupWindows() = default;

StartupWindows::~StartupWindows()
{
    setMessageWindow(nullptr);
}

std::unique_ptr<StartupWindows> createStartupWindows(const StartupOptions &options)
{
    auto w = std::make_unique<StartupWindows>();
    w->FormMain = std::make_unique<TFormMain>(w->course, w->users, w->progress);

    // The user list is read as the select-user dialog comes to be; a problem with it is
    // reported once the main window shows, and start-up goes on.
    try {
        LoadUsers(w->users);
    } catch (const CourseError &error) {
        w->FormMain->setUserListProblem(error.userText());
    }
    w->OKBottomDlgNewUser = std::make_unique<TOKBottomDlgNewUser>(w->users);
    w->DlgPassWord = std::make_unique<TDlgPassWord>();
    w->OKBottomDlgSelectUsers =
        std::make_unique<TOKBottomDlgSelectUsers>(w->users, *w->OKBottomDlgNewUser, *w->DlgPassWord);
    w->OKBottomDlgChengeReg = std::make_unique<TOKBottomDlgChengeReg>();

    w->DlgxMessage = std::make_unique<TDlgxMessage>();
    setMessageWindow(w->DlgxMessage.get());
    w->FormProgress = std::make_unique<TFormProgress>();
    w->FormMain->setProgressWindow(w->FormProgress.get());
    if (options.showIntro) {
        w->FormBegin = std::make_unique<TFormBegin>();
        w->FormMain->setIntro(w->FormBegin.get());
    }
    w->FormReport = std::make_unique<TFormReport>();

    MainWindowDialogs dialogs;
    dialogs.selectUsers = w->OKBottomDlgSelectUsers.get();
    dialogs.newUser = w->OKBottomDlgNewUser.get();
    dialogs.changeMode = w->OKBottomDlgChengeReg.get();
    dialogs.password = w->DlgPassWord.get();
    dialogs.report = w->FormReport.get();
    w->FormMain->setDialogs(dialogs);
    return w;
}
