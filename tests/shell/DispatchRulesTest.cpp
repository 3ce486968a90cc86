#include "controls/ModalResult.h"
#include "shell/DispatchRules.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {

TEST(DispatchRules, TheThirtyPercentRuleUsesRealArithmetic)
{
    struct Case {
        int questions, errors;
        bool markAllowed;
        qint32 score;
    };
    const Case cases[] = {
        {10, 3, true, 30},  // 30 % is not more than 30 %
        {10, 4, false, 40},
        {3, 1, false, 33},  // 1 > 0.9
        {7, 2, true, 28},   // 200 / 7 = 28.57..., truncated
        {7, 0, true, 0},
        {4, 4, false, 100},
        {0, 0, true, 0},    // no questions: completed, no error
    };
    for (const Case &c : cases) {
        const MultipleChoiceVerdict verdict = judgeMultipleChoice(c.questions, c.errors);
        EXPECT_EQ(verdict.markAllowed, c.markAllowed) << c.questions << '/' << c.errors;
        EXPECT_EQ(verdict.score, c.score) << c.questions << '/' << c.errors;
    }
    EXPECT_EQ(judgeMultipleChoice(10, 3).message,
              QStringLiteral("Ошибок: 3. Рекомендуется отметить упражнение как выполненное"));
    EXPECT_EQ(judgeMultipleChoice(10, 4).message,
              QStringLiteral("Ошибок: 4. Вы не в достаточной мере поняли содержание текста. "
                             "Попробуйте прослушать текст еще раз."));
}

TEST(DispatchRules, EmptyNamesOfTheFirstSecondAndFifthFilesBecomeTheDataFolder)
{
    TempCourse course;
    course.writeBytes("local.wav", "x");
    CourseState state;
    CatalogueEntry entry;
    entry.setFile1(QStringLiteral("l1\\words.txt"));
    entry.setFile3(QStringLiteral("local.wav"));
    const ResolvedFiles files = resolveEntryFiles(state, entry);
    EXPECT_EQ(files.f1, QStringLiteral("____Data\\l1\\words.txt"));
    EXPECT_EQ(files.f2, QStringLiteral("____Data\\"));
    EXPECT_EQ(files.f3, QStringLiteral("local.wav")) << "a file of that name exists here";
    EXPECT_EQ(files.f4, QString()) << "empty File4 stays empty";
    EXPECT_EQ(files.f5, QStringLiteral("____Data\\"));
}

TEST(DispatchRules, RecordingNames)
{
    UserRegistry users;
    EXPECT_EQ(recordingName(users, 7), QStringLiteral("AnonSnd.wav"));
    addUser(users, QStringLiteral("Ann"), QString(), u'A', QStringLiteral("/c\\Report\\Ann\\Ann.rep"));
    users.CurUser = 0;
    EXPECT_EQ(recordingName(users, 12), QStringLiteral("/c\\Report\\Ann\\Ann12.wav"));
}

// A scripted run: the window's results and the dialog's choices, in order.
struct Script {
    QList<int> windowResults;
    QList<int> dialogChoices;
    int windowRuns = 0;
    int dialogs = 0;

    bool run()
    {
        return runWithEndDialog([&] { return windowResults.value(windowRuns++, 2); },
                                [] { return EndDialogSetup{QStringLiteral("m"), true}; },
                                [&](const EndDialogSetup &) { return dialogChoices.value(dialogs++, mrCancel); });
    }
};

TEST(DispatchRules, RetryRunsTheSameWindowAgain)
{
    Script marked{{0, 0}, {mrRetry, mrOk}};
    EXPECT_TRUE(marked.run());
    EXPECT_EQ(marked.windowRuns, 2);
    EXPECT_EQ(marked.dialogs, 2);

    Script cancelledRepeat{{0, 2}, {mrRetry}};
    EXPECT_FALSE(cancelledRepeat.run()) << "leaving the repeated window ends without a dialog";
    EXPECT_EQ(cancelledRepeat.dialogs, 1);

    Script leftAtOnce{{1}, {}};
    EXPECT_FALSE(leftAtOnce.run());
    EXPECT_EQ(leftAtOnce.dialogs, 0);

    Script justLeave{{0}, {mrCancel}};
    EXPECT_FALSE(justLeave.run());
    EXPECT_EQ(justLeave.windowRuns, 1);
}

} // namespace
