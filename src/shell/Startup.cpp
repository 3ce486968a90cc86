#include "Startup.h"

#include "ui/DlgMessage.h"
#include "FormBegin.h"
#include "FormMain.h"
#include "ui/FormProgress.h"

#include "core/CourseError.h"
#include "exercises/SharedDialogs.h"
#include "listening/DlgTestFullDulex.h"
#include "sound/SystemAudio.h"
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

    w->DlgErrorDo = std::make_unique<TDlgErrorDo>();
    w->DlgDoubleError = std::make_unique<TDlgDoubleError>();
    w->DlgLexRepit = std::make_unique<TDlgLexRepit>();
    w->DlgxMessage = std::make_unique<TDlgxMessage>();
    setMessageWindow(w->DlgxMessage.get());
    w->FormProgress = std::make_unique<TFormProgress>();
    w->FormMain->setProgressWindow(w->FormProgress.get());
    // The full-duplex check lives as long as the main window, which owns it.
    setFullDuplexDialog(new TDlgTestFullDulex(systemAudioBackend(), w->FormMain.get()));
    if (options.showIntro) {
        // The intro music opens as the intro is made. When it cannot (no "music.wav", no sound
        // device) the error is shown and start-up goes on without the intro: the lessons'
        // texts and the learner's records stay usable, and each sound reports again.
        try {
            w->FormBegin = std::make_unique<TFormBegin>(systemAudioBackend());
            w->FormMain->setIntro(w->FormBegin.get());
        } catch (const CourseError &error) {
            ShowMessageBox(error.userText(), QStringLiteral("Ошибка"), 16);
        }
    }
    w->FormReport = std::make_unique<TFormReport>();
    w->DlgLexicError = std::make_unique<TDlgLexicError>();

    w->exercises = std::make_unique<ExerciseContext>(
        ExerciseContext{systemAudioBackend(), *w->DlgErrorDo, *w->DlgDoubleError, *w->DlgLexicError});
    w->FormMain->setExercises(ExerciseLauncher::windows(*w->exercises), w->DlgLexRepit.get());

    MainWindowDialogs dialogs;
    dialogs.selectUsers = w->OKBottomDlgSelectUsers.get();
    dialogs.newUser = w->OKBottomDlgNewUser.get();
    dialogs.changeMode = w->OKBottomDlgChengeReg.get();
    dialogs.password = w->DlgPassWord.get();
    dialogs.report = w->FormReport.get();
    w->FormMain->setDialogs(dialogs);
    return w;
}
