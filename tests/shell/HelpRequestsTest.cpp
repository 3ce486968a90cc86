#include "controls/FlatPictureButton.h"
#include "controls/PictureButton.h"
#include "exercises/MultipleChoiceWindow.h"
#include "exercises/QuestionPresentationWindow.h"
#include "exercises/RightAnswerDialog.h"
#include "exercises/TryAgainDialog.h"
#include "exercises/VocabularyDrillWindow.h"
#include "exercises/VocabularyPresentationWindow.h"
#include "reports/ReportWindow.h"
#include "shell/MainWindow.h"
#include "sound/VirtualAudioBackend.h"
#include "support/RecordingHelpDesk.h"
#include "ui/HelpDesk.h"
#include "users/ModeDialog.h"
#include "users/NewUserDialog.h"
#include "users/PasswordDialog.h"
#include "users/SelectUserDialog.h"

#include <QAction>
#include <QTest>
#include <QVariant>

#include <gtest/gtest.h>

#include <functional>

namespace {

// F1 in each window asks for the window's help context, and its help button for its key.
TEST(HelpRequests, F1AsksForTheWindowsNumberAndTheHelpButtonForItsKey)
{
    RecordingHelpDesk desk;
    installHelpKey();

    CourseState course;
    UserRegistry users;
    ProgressState progress;
    VirtualAudioBackend audio;
    TryAgainDialog tryAgain;
    RightAnswerDialog rightAnswer{RightAnswerDialog::AnswerLanguage::English};
    RightAnswerDialog vocabularyRightAnswer{RightAnswerDialog::AnswerLanguage::Russian};
    const ExerciseContext context{audio, tryAgain, rightAnswer, vocabularyRightAnswer};

    MainWindow mainWindow(course, users, progress);
    NewUserDialog newUser(users);
    PasswordDialog password;
    SelectUserDialog selectUser(users, newUser, password);
    ModeDialog mode;
    ReportWindow report(audio);
    VocabularyPresentationWindow presentation(audio);
    VocabularyDrillWindow drill(context);
    QuestionPresentationWindow questions;
    MultipleChoiceWindow multipleChoice(context);

    struct Case {
        const char *window;
        QWidget *widget;
        int context;
        std::function<void()> pressHelp; // none: the window has no help button
        QVariant asked;
    };
    const Case cases[] = {
        {"main", &mainWindow, 10, [&] { mainWindow.helpAction->trigger(); }, 10},
        {"new user", &newUser, 20, [&] { newUser.helpButton->click(); }, "NewUser"},
        {"select user", &selectUser, 30, [&] { selectUser.helpButton->click(); }, "SelUser"},
        {"mode", &mode, 40, [&] { mode.helpButton->click(); }, "SelectReg"},
        {"report", &report, 70, [&] { report.helpButton->click(); }, "Report"},
        {"vocabulary presentation", &presentation, 80, [&] { presentation.helpPictureButton->click(); }, "LexicDemo"},
        {"vocabulary drill", &drill, 90, [&] { drill.helpPictureButton->click(); }, "Lexic"},
        {"question presentation", &questions, 100, [&] { questions.helpPictureButton->click(); }, "QuestDemo"},
        {"multiple choice", &multipleChoice, 120, [&] { multipleChoice.helpPictureButton->click(); }, "QuestEnd"},
        {"password", &password, 0, nullptr, {}},
    };
    for (const Case &c : cases) {
        // F1 reaches the control that has the focus first; any child stands in for it.
        QWidget *control = c.widget->findChild<QWidget *>();
        desk.requests.clear();
        QTest::keyClick(control ? control : c.widget, Qt::Key_F1);
        EXPECT_EQ(desk.requests, QVariantList{c.context}) << c.window;

        if (!c.pressHelp)
            continue;
        desk.requests.clear();
        c.pressHelp();
        EXPECT_EQ(desk.requests, QVariantList{c.asked}) << c.window;
    }
}

} // namespace
