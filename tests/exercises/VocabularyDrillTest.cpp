#include "exercises/VocabularyDrill.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Verdict = VocabularyDrill::Verdict;

QList<VocabularyEntry> lesson(const QStringList &translations)
{
    QList<VocabularyEntry> entries;
    for (const QString &translation : translations)
        entries.append({QStringLiteral("expr ") + translation, translation, 0, 0});
    return entries;
}

QString rightOf(const VocabularyDrill &drill)
{
    return drill.currentEntry()->translation;
}

QString wrongFor(const VocabularyDrill &drill)
{
    return rightOf(drill) + QStringLiteral(" (не то)");
}

TEST(VocabularyDrill, StartShowsAnExpressionWithAllCountersAtTheirStart)
{
    VocabularyDrill drill(lesson({"один", "два", "три"}), 1);
    drill.start();
    ASSERT_NE(drill.currentEntry(), nullptr);
    EXPECT_EQ(drill.count(), 3);
    EXPECT_EQ(drill.remaining(), 3);
    EXPECT_EQ(drill.errors(), 0);
    EXPECT_FALSE(drill.wrongOnce());
}

TEST(VocabularyDrill, WrongOnceRules)
{
    struct Case {
        const char *what;
        QList<bool> answersRight; // the answers given to the first expression
        QList<Verdict> verdicts;
        int errors;
        bool firstDone;
    };
    const Case cases[] = {
        {"right at once", {true}, {Verdict::Right}, 0, true},
        {"wrong, then right", {false, true}, {Verdict::TryAgain, Verdict::Right}, 0, true},
        {"wrong twice", {false, false}, {Verdict::TryAgain, Verdict::ShowRight}, 1, false},
    };
    for (const Case &c : cases) {
        // GIVEN a drill of three expressions
        VocabularyDrill drill(lesson({"один", "два", "три"}), 7);
        drill.start();
        const int first = drill.current();

        // WHEN the expression on show gets these answers
        QList<Verdict> verdicts;
        QString shownRight;
        for (bool right : c.answersRight) {
            const VocabularyDrill::Answer answer = drill.answer(right ? rightOf(drill) : wrongFor(drill));
            verdicts << answer.verdict;
            shownRight = answer.rightTranslation;
        }

        // THEN
        EXPECT_EQ(verdicts, c.verdicts) << c.what;
        EXPECT_EQ(drill.errors(), c.errors) << c.what;
        EXPECT_EQ(drill.isDone(first), c.firstDone) << c.what;
        EXPECT_EQ(drill.remaining(), c.firstDone ? 2 : 3) << c.what;
        EXPECT_FALSE(drill.wrongOnce()) << c.what;
        if (c.verdicts.last() == Verdict::ShowRight) {
            EXPECT_EQ(shownRight, drill.entries()[first].translation) << c.what;
        }
    }
}

TEST(VocabularyDrill, FirstWrongAnswerKeepsTheExpressionAndRemembersIt)
{
    VocabularyDrill drill(lesson({"один", "два", "три"}), 3);
    drill.start();
    const int first = drill.current();

    EXPECT_EQ(drill.answer(wrongFor(drill)).verdict, Verdict::TryAgain);

    EXPECT_EQ(drill.current(), first);
    EXPECT_TRUE(drill.wrongOnce());
    EXPECT_EQ(drill.errors(), 0);
}

TEST(VocabularyDrill, ExpressionFailedTwiceComesBackUntilAnsweredRight)
{
    // GIVEN a drill of two expressions whose first one is failed twice
    VocabularyDrill drill(lesson({"один", "два"}), 11);
    drill.start();
    const int failed = drill.current();
    drill.answer(wrongFor(drill));
    drill.answer(wrongFor(drill));

    // WHEN every expression then shown is answered right
    QList<int> shown;
    Verdict last = Verdict::NoExpression;
    while (drill.current() >= 0) {
        shown << drill.current();
        last = drill.answer(rightOf(drill)).verdict;
    }

    // THEN the failed one came back, the run finished with one error
    EXPECT_TRUE(shown.contains(failed));
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(last, Verdict::Finished);
    EXPECT_EQ(drill.errors(), 1);
    EXPECT_EQ(drill.remaining(), 0);
}

TEST(VocabularyDrill, SameTranslationTwiceIsRightForBothExpressions)
{
    // GIVEN two expressions translated alike: the list holds the text twice
    VocabularyDrill drill(lesson({"дом", "дом"}), 5);
    drill.start();

    // WHEN the text is given twice
    EXPECT_EQ(drill.answer(QStringLiteral("дом")).verdict, Verdict::Right);
    EXPECT_EQ(drill.answer(QStringLiteral("дом")).verdict, Verdict::Finished);

    // THEN both count, with no error
    EXPECT_EQ(drill.errors(), 0);
}

TEST(VocabularyDrill, ComparisonIsExactAndCaseSensitive)
{
    const QStringList nearMisses{"Дом", "дом ", " дом", "до"};
    for (const QString &nearMiss : nearMisses) {
        VocabularyDrill drill(lesson({"дом"}), 1);
        drill.start();
        EXPECT_EQ(drill.answer(nearMiss).verdict, Verdict::TryAgain) << nearMiss.toStdString();
    }
}

TEST(VocabularyDrill, LastRightAnswerFinishesTheRun)
{
    VocabularyDrill drill(lesson({"один"}), 1);
    drill.start();

    const VocabularyDrill::Answer answer = drill.answer(QStringLiteral("один"));

    EXPECT_EQ(answer.verdict, Verdict::Finished);
    EXPECT_EQ(drill.currentEntry(), nullptr);
    EXPECT_EQ(drill.remaining(), 0);
}

TEST(VocabularyDrill, DrawsOnlyExpressionsNotYetDoneAndReachesEachOfThem)
{
    for (quint32 seed = 0; seed < 20; ++seed) {
        // GIVEN a drill of four expressions whose first drawn one was answered right
        VocabularyDrill drill(lesson({"один", "два", "три", "четыре"}), seed);
        drill.start();
        const int done = drill.current();
        drill.answer(rightOf(drill));

        // WHEN it draws again and again
        std::set<int> drawn;
        for (int i = 0; i < 40; ++i) {
            drawn.insert(drill.current());
            drill.skip();
        }

        // THEN exactly the three others come up
        std::set<int> others{0, 1, 2, 3};
        others.erase(done);
        EXPECT_EQ(drawn, others) << seed;
    }
}

TEST(VocabularyDrill, SkipCountsNothingAndForgetsAFirstWrongAnswer)
{
    VocabularyDrill drill(lesson({"один", "два", "три"}), 9);
    drill.start();
    drill.answer(wrongFor(drill));

    drill.skip();

    EXPECT_FALSE(drill.wrongOnce());
    EXPECT_EQ(drill.errors(), 0);
    EXPECT_EQ(drill.remaining(), 3);
    // A wrong answer now is again a first one.
    EXPECT_EQ(drill.answer(wrongFor(drill)).verdict, Verdict::TryAgain);
}

TEST(VocabularyDrill, EmptyLessonHasNothingToDrawAndIgnoresAnswers)
{
    VocabularyDrill drill({}, 1);
    drill.start();
    drill.skip();

    EXPECT_EQ(drill.currentEntry(), nullptr);
    EXPECT_EQ(drill.answer(QString()).verdict, Verdict::NoExpression);
    EXPECT_EQ(drill.count(), 0);
    EXPECT_EQ(drill.remaining(), 0);
    EXPECT_EQ(drill.errors(), 0);
}

TEST(VocabularyDrill, EmptyTranslationsAreAnsweredByEmptyItems)
{
    // A translation file shorter than the expressions leaves empty translations in the list.
    VocabularyDrill drill(lesson({"", ""}), 1);
    drill.start();
    EXPECT_EQ(drill.answer(QString()).verdict, Verdict::Right);
    EXPECT_EQ(drill.answer(QString()).verdict, Verdict::Finished);
}

TEST(VocabularyDrill, StartAgainBeginsAFreshRun)
{
    VocabularyDrill drill(lesson({"один", "два"}), 2);
    drill.start();
    drill.answer(rightOf(drill));
    drill.answer(wrongFor(drill));
    drill.answer(wrongFor(drill));

    drill.start();

    EXPECT_EQ(drill.remaining(), 2);
    EXPECT_EQ(drill.errors(), 0);
    EXPECT_FALSE(drill.wrongOnce());
}

} // namespace
