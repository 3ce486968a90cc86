#pragma once

#include "CourseState.h"

#include <memory>

class TFormMain;
class TDlgxMessage;
class TFormProgress;
class TFormBegin;

// The windows that live from start-up to shutdown, made in their fixed order, and the
// course state they share.
struct StartupWindows {
    CourseState course;
    std::unique_ptr<TFormMain> FormMain;
    std::unique_ptr<TDlgxMessage> DlgxMessage;
    std::unique_ptr<TFormProgress> FormProgress;
    std::unique_ptr<TFormBegin> FormBegin;

    StartupWindows();
    ~StartupWindows();
};

struct StartupOptions {
    bool showIntro = true;
};

// Makes the start-up windows; the main window is not shown yet.
std::unique_ptr<StartupWindows> createStartupWindows(const StartupOptions &options);
