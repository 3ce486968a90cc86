#include "Startup.h"

#include "DlgMessage.h"
#include "FormBegin.h"
#include "FormMain.h"
#include "FormProgress.h"

StartupWindows::StartupWindows() = default;

StartupWindows::~StartupWindows()
{
    setMessageWindow(nullptr);
}

std::unique_ptr<StartupWindows> createStartupWindows(const StartupOptions &options)
{
    auto windows = std::make_unique<StartupWindows>();
    windows->FormMain = std::make_unique<TFormMain>(windows->course);
    windows->DlgxMessage = std::make_unique<TDlgxMessage>();
    setMessageWindow(windows->DlgxMessage.get());
    windows->FormProgress = std::make_unique<TFormProgress>();
    windows->FormMain->setProgressWindow(windows->FormProgress.get());
    if (options.showIntro) {
        windows->FormBegin = std::make_unique<TFormBegin>();
        windows->FormMain->setIntro(windows->FormBegin.get());
    }
    return windows;
}
