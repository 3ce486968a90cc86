#include "controls/ModalResult.h"
#include "shell/DispatchRules.h"
#include "support/TempCourse.h"

#include <QDir>

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

TEST(DispatchRules, RecordingsLieBesideTheLearnersProgressFileInsideTheCourse)
{
    TempCourse course;
    UserRegistry users;
    EXPECT_EQ(recordingName(users, 7), QStringLiteral("AnonSnd.wav"));
    addUser(users, QStringLiteral("Ann"), QString(), u'A', QStringLiteral("Report\\Ann\\Ann.rep"));
    addUser(users, QStringLiteral("Bob"), QString(), u'A', QStringLiteral("/elsewhere\\Report\\Bob\\Bob.rep"));
    users.CurUser = 0;
    EXPECT_EQ(recordingName(users, 12), QStringLiteral("Report\\Ann\\Ann12.wav"));
    users.CurUser = 1;
    EXPECT_EQ(recordingName(users, 3), QStringLiteral("Report\\Bob\\Bob3.wav")) << "a path outside the course is not used";
}

// A crafted user list: Dir absolute or climbing out, a name that climbs out. The recording
// (and the cue file beside it) still lies in the learner's folder of this course.
TEST(DispatchRules, ACraftedRecordNeverSendsTheRecordingOutOfTheCourse)
{
    TempCourse course;
    const QString here = QDir::currentPath();
    UserRegistry users;
    addUser(users, QStringLiteral("Ann"), QString(), u'A', here + QStringLiteral("\\Report\\Ann\\Ann.rep"));
    users.Users[0].setDir(QStringLiteral("/tmp/x/"));
    addUser(users, QStringLiteral("Bob"), QString(), u'A', here + QStringLiteral("\\Report\\Bob\\Bob.rep"));
    users.Users[1].setDir(QStringLiteral("..\\outside\\"));
    addUser(users, QStringLiteral("..\\..\\Cy"), QString(), u'A', here + QStringLiteral("\\Report\\Cy\\Cy.rep"));
    const QString expected[] = {here + QStringLiteral("\\Report\\Ann\\Ann5.wav"),
                                here + QStringLiteral("\\Report\\Bob\\Bob5.wav"), QStringLiteral("AnonSnd.wav")};
    for (int i = 0; i < 3; ++i) {
        users.CurUser = i;
        EXPECT_EQ(recordingName(users, 5), expected[i]) << i;
    }
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

TEST(DispatchRules, TextWorkPlaysTheRecordingOfTheNearestRecordingExerciseOfItsLessonPart)
{
    // entry:          0  1 heading  2 rec  3 text  4 heading  5 text  6 rec  7 listen  8 text
    const quint8 kinds[] = {0, 0, 13, 5, 0, 5, 12, 8, 5};
    Catalogue catalogue;
    for (quint8 kind : kinds) {
        CatalogueEntry entry;
        entry.ExerciseKind = kind;
        catalogue.append(entry);
    }
    ProgressState progress;
    progress.EntryCount = int(catalogue.size()) - 1;
    progress.Progress.resize(catalogue.size());
    progress.record(2)->setSoundFile(QStringLiteral("Ann2.wav"));

    EXPECT_EQ(recordingToPlayBack(catalogue, &progress, 3), QStringLiteral("Ann2.wav"));
    EXPECT_EQ(recordingToPlayBack(catalogue, &progress, 5), QString()) << "directly below a heading";
    EXPECT_EQ(recordingToPlayBack(catalogue, &progress, 8), QString()) << "the nearest recording was never done";
    EXPECT_EQ(recordingToPlayBack(catalogue, nullptr, 3), QString()) << "the anonymous learner";
    EXPECT_EQ(recordingToPlayBack(catalogue, &progress, 99), QString()) << "past the catalogue";
}

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
