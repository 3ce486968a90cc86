#include "Startup.h"

#include "IntroWindow.h"
#include "MainWindow.h"
#include "ui/AboutDialog.h"
#include "ui/HelpDesk.h"
#include "ui/HelpViewer.h"
#include "ui/MessageWindow.h"
#include "ui/TreeProgressWindow.h"

#include "core/CourseError.h"
#include "exercises/ExerciseEndDialog.h"
#include "exercises/RightAnswerDialog.h"
#include "exercises/TryAgainDialog.h"
#include "listening/FullDuplexDialog.h"
#include "reports/ClassReportWindow.h"
#include "reports/ReportWindow.h"
#include "sound/SystemAudio.h"
#include "users/ModeDialog.h"
#include "users/NewUserDialog.h"
#include "users/PasswordDialog.h"
#include "users/SelectUserDialog.h"

StartupWindows::StartupWindows() = default;

StartupWindows::~StartupWindows()
{
    setMessageWindow(nullptr);
    setHelpDesk(nullptr);
}

std::unique_ptr<StartupWindows> createStartupWindows(const StartupOptions &options)
{
    auto w = std::make_unique<StartupWindows>();
    w->mainWindow = std::make_unique<MainWindow>(w->course, w->users, w->progress);
    w->aboutDialog = std::make_unique<AboutDialog>();
    // The application's help file; F1 in any window asks the viewer for the window's topic.
    w->helpViewer = std::make_unique<HelpViewer>(QStringLiteral("LRX_HELP.HLP"));
    setHelpDesk(w->helpViewer.get());
    installHelpKey();

    // The user list is read as the select-user dialog comes to be; a problem with it is
    // reported once the main window shows, and start-up goes on.
    try {
        loadUsers(w->users);
    } catch (const CourseError &error) {
        w->mainWindow->setUserListProblem(error.userText());
    }
    w->newUserDialog = std::make_unique<NewUserDialog>(w->users);
    w->passwordDialog = std::make_unique<PasswordDialog>();
    w->selectUserDialog =
        std::make_unique<SelectUserDialog>(w->users, *w->newUserDialog, *w->passwordDialog);
    w->modeDialog = std::make_unique<ModeDialog>();

    w->tryAgainDialog = std::make_unique<TryAgainDialog>();
    w->rightAnswerDialog = std::make_unique<RightAnswerDialog>(RightAnswerDialog::AnswerLanguage::English);
    w->exerciseEndDialog = std::make_unique<ExerciseEndDialog>();
    w->messageWindow = std::make_unique<MessageWindow>();
    setMessageWindow(w->messageWindow.get());
    w->treeProgressWindow = std::make_unique<TreeProgressWindow>();
    w->mainWindow->setProgressWindow(w->treeProgressWindow.get());
    // The full-duplex check lives as long as the main window, which owns it.
    setFullDuplexDialog(new FullDuplexDialog(systemAudioBackend(), w->mainWindow.get()));
    if (options.showIntro) {
        // The intro music opens as the intro is made. When it cannot (no "music.wav", no sound
        // device) the error is shown and start-up goes on without the intro: the lessons'
        // texts and the learner's records stay usable, and each sound reports again.
        try {
            w->introWindow = std::make_unique<IntroWindow>(systemAudioBackend());
            w->mainWindow->setIntro(w->introWindow.get());
        } catch (const CourseError &error) {
            showErrorMessage(error.userText());
        }
    }
    w->reportWindow = std::make_unique<ReportWindow>(systemAudioBackend());
    w->classReportWindow = std::make_unique<ClassReportWindow>();
    w->vocabularyRightAnswerDialog = std::make_unique<RightAnswerDialog>(RightAnswerDialog::AnswerLanguage::Russian);

    w->exercises = std::make_unique<ExerciseContext>(
        ExerciseContext{systemAudioBackend(), *w->tryAgainDialog, *w->rightAnswerDialog, *w->vocabularyRightAnswerDialog});
    w->mainWindow->setExercises(ExerciseKindTable::windows(*w->exercises), w->exerciseEndDialog.get());

    MainWindowDialogs dialogs;
    dialogs.selectUsers = w->selectUserDialog.get();
    dialogs.newUser = w->newUserDialog.get();
    dialogs.changeMode = w->modeDialog.get();
    dialogs.password = w->passwordDialog.get();
    dialogs.report = w->reportWindow.get();
    dialogs.classReport = w->classReportWindow.get();
    dialogs.about = w->aboutDialog.get();
    w->mainWindow->setDialogs(dialogs);
    return w;
}
