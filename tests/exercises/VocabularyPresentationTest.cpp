#include "exercises/VocabularyPresentation.h"

#include <gtest/gtest.h>

namespace {

using Step = VocabularyPresentation::Step;

QList<VocabularyEntry> lesson(int count)
{
    QList<VocabularyEntry> entries;
    for (int i = 1; i <= count; ++i)
        entries.append({QStringLiteral("expression %1").arg(i), QStringLiteral("перевод %1").arg(i), 0, 0});
    return entries;
}

TEST(VocabularyPresentation, GoesThroughEveryExpressionOnceInFileOrder)
{
    // GIVEN a presentation of three expressions
    VocabularyPresentation presentation(lesson(3));
    presentation.start();

    // WHEN "Далее" is pressed until it ends
    QList<int> shown{presentation.current()};
    QList<int> remaining{presentation.remaining()};
    while (presentation.next() == Step::Shown) {
        shown << presentation.current();
        remaining << presentation.remaining();
    }

    // THEN each was shown in order with the count of those after it
    EXPECT_EQ(shown, (QList<int>{0, 1, 2}));
    EXPECT_EQ(remaining, (QList<int>{2, 1, 0}));
    EXPECT_EQ(presentation.count(), 3);
    EXPECT_EQ(presentation.currentEntry()->translation, QStringLiteral("перевод 3"));
}

TEST(VocabularyPresentation, NextOnTheLastExpressionFinishes)
{
    struct Case {
        int count;
        int nextsBeforeTheEnd;
    };
    for (const Case c : {Case{1, 0}, Case{2, 1}, Case{5, 4}}) {
        VocabularyPresentation presentation(lesson(c.count));
        presentation.start();
        for (int i = 0; i < c.nextsBeforeTheEnd; ++i)
            ASSERT_EQ(presentation.next(), Step::Shown) << c.count;
        EXPECT_EQ(presentation.remaining(), 0) << c.count;
        EXPECT_EQ(presentation.next(), Step::Finished) << c.count;
        // The last expression stays on show while the window closes.
        EXPECT_EQ(presentation.current(), c.count - 1) << c.count;
    }
}

TEST(VocabularyPresentation, EmptyLessonShowsNothingAndNextDoesNothing)
{
    VocabularyPresentation presentation(QList<VocabularyEntry>{});
    presentation.start();
    EXPECT_EQ(presentation.currentEntry(), nullptr);
    EXPECT_EQ(presentation.remaining(), 0);
    EXPECT_EQ(presentation.count(), 0);
    EXPECT_EQ(presentation.next(), Step::NoExpression);
}

} // namespace
