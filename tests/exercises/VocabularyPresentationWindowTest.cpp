#include "VocabularyCourse.h"
#include "VocabularyRunAnswers.h"

#include "controls/FlatPictureButton.h"
#include "controls/ModalResult.h"
#include "controls/PictureButton.h"
#include "exercises/VocabularyPresentationWindow.h"
#include "sound/SoundDevice.h"
#include "support/WaysOut.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString Expressions = QStringLiteral("____Data\\demo.txt");
const QString Translations = QStringLiteral("____Data\\demotr.txt");
const QString Segments = QStringLiteral("____Data\\demo.seg");
const QString Sound = QStringLiteral("____Data\\demo.wav");

struct Shown {
    QString expression;
    QString translation;
    QString remaining;
    bool operator==(const Shown &) const = default;
};

Shown shownBy(const VocabularyPresentationWindow &form)
{
    return {form.expressionField->text(), form.translationField->text(), form.remainingCounter->text()};
}

void clickPicture(FlatPictureButton &button)
{
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(16, 16));
}

// GIVEN a course folder with a lesson of three expressions, their sound and its stretches.
class VocabularyPresentationWindowTest : public ::testing::Test {
protected:
    TempCourse course;
    VocabularyRunContext run;

    VocabularyPresentationWindowTest()
    {
        course.writeLines(Expressions, {"a birthday", "a house", "to go shopping"});
        course.writeLines(Translations, {"день рождения", "дом", "ходить по магазинам"});
        course.writeLines(Segments, {"0\t900", "1000\t1500", "1600\t2000"});
        writeVocabularySound(course, Sound, 2000);
    }

    int runDemo(const QString &segments = Segments)
    {
        return runVocabularyPresentation(run.context, QPoint(401, 301), Expressions, Translations, segments, Sound);
    }
};

TEST_F(VocabularyPresentationWindowTest, ShortRunShowsEveryExpressionInOrderAndEndsCompleted)
{
    VocabularyRunAnswers answers;
    QList<Shown> shown;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<VocabularyPresentationWindow &>(window);
        // THEN the window opens centred on the point with the first expression
        EXPECT_EQ(form.pos(), QPoint(401 - 550 / 2, 301 - 246 / 2));
        EXPECT_EQ(form.size(), QSize(550, 246));
        EXPECT_EQ(form.property("helpContext").toInt(), 80);
        EXPECT_EQ(form.totalCounter->text(), "3");
        EXPECT_TRUE(form.nextPictureButton->isDefault());
        shown << shownBy(form);

        // WHEN "Проиграть" is pressed, THEN the stretch of the first expression plays
        QTest::mouseClick(form.playButton, Qt::LeftButton);
        EXPECT_FALSE(form.playButton->isEnabled());
        run.card.advance(899);
        EXPECT_TRUE(form.player->opened());
        run.card.advance(1);
        EXPECT_TRUE(form.playButton->isEnabled());
        EXPECT_FALSE(form.player->opened());
        EXPECT_EQ(qint64(lexicSoundHanded(run.card.outputs().back().samples).size()), 900 * VocabularySoundRate / 1000);

        // WHEN "Далее" is pressed, by mouse and by Enter, THEN the next ones follow
        QTest::mouseClick(form.nextPictureButton, Qt::LeftButton);
        shown << shownBy(form);
        QTest::keyClick(&form, Qt::Key_Return);
        shown << shownBy(form);

        // WHEN the second stretch plays from where its line says
        QTest::mouseClick(form.playButton, Qt::LeftButton);
        run.card.advance(400);
        EXPECT_EQ(lexicSoundHanded(run.card.outputs().back().samples).front(), lexicSample(1600 * VocabularySoundRate / 1000));
        EXPECT_TRUE(form.playButton->isEnabled());

        // WHEN "Далее" is pressed on the last one, THEN the window closes
        QTest::mouseClick(form.nextPictureButton, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
    };

    EXPECT_EQ(runDemo(), 0);

    EXPECT_EQ(shown, (QList<Shown>{{"a birthday", "день рождения", "2"},
                                   {"a house", "дом", "1"},
                                   {"to go shopping", "ходить по магазинам", "0"}}));
    EXPECT_TRUE(answers.messages.isEmpty());
}

// The sound server dies during a stretch: once its device has been silent a second,
// "Проиграть" is back and the learner is told.
TEST_F(VocabularyPresentationWindowTest, ALostSoundDeviceIsToldAndPlayComesBack)
{
    VocabularyRunAnswers answers;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<VocabularyPresentationWindow &>(window);
        QTest::mouseClick(form.playButton, Qt::LeftButton);
        run.card.advance(100);
        run.card.stopServer();
        run.card.advance(1000);
        EXPECT_TRUE(form.playButton->isEnabled());
        EXPECT_FALSE(form.player->opened());
        clickPicture(*form.exitPictureButton);
    };
    EXPECT_EQ(runDemo(), 1);
    EXPECT_EQ(answers.messages, QStringList{QStringLiteral("Ошибка|Нет устройства воспроизведения звука")});
}

TEST_F(VocabularyPresentationWindowTest, LeavingGivesOne)
{
    struct Case {
        const char *what;
        std::function<void(VocabularyPresentationWindow &)> leave;
    };
    const Case cases[] = {
        {"Выход", [](VocabularyPresentationWindow &form) { clickPicture(*form.exitPictureButton); }},
        {"Esc", [](VocabularyPresentationWindow &form) { QTest::keyClick(&form, Qt::Key_Escape); }},
        {"hidden Выход", [](VocabularyPresentationWindow &form) { form.closeButton->click(); }},
        {"close box", [](VocabularyPresentationWindow &form) { leaveBy(WayOut::CloseBox, &form, nullptr); }},
        {"Выход on the last expression",
         [](VocabularyPresentationWindow &form) {
             form.nextButton->click();
             form.nextButton->click();
             clickPicture(*form.exitPictureButton);
         }},
    };
    for (const Case &c : cases) {
        VocabularyRunAnswers answers;
        answers.drive = [&](QDialog &window) { c.leave(dynamic_cast<VocabularyPresentationWindow &>(window)); };
        EXPECT_EQ(runDemo(), 1) << c.what;
    }
}

TEST_F(VocabularyPresentationWindowTest, SingleExpressionEndsAtTheFirstNext)
{
    course.writeLines(Expressions, {"a birthday"});
    course.writeLines(Translations, {"день рождения"});
    course.writeLines(Segments, {"0\t900"});
    VocabularyRunAnswers answers;
    QString remaining;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<VocabularyPresentationWindow &>(window);
        remaining = form.remainingCounter->text();
        form.nextButton->click();
    };

    EXPECT_EQ(runDemo(), 0);
    EXPECT_EQ(remaining, "0");
}

TEST_F(VocabularyPresentationWindowTest, MissingFilesAreReportedAndTheEmptyWindowCanBeLeft)
{
    QFile::remove(course.absolute(Expressions));
    VocabularyRunAnswers answers;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<VocabularyPresentationWindow &>(window);
        EXPECT_EQ(shownBy(form), (Shown{"", "", "0"}));
        EXPECT_EQ(form.totalCounter->text(), "0");
        EXPECT_FALSE(form.nextPictureButton->isEnabled());
        form.showNextExpression();
        form.playExpression();
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(form.player->opened());
        clickPicture(*form.exitPictureButton);
    };

    EXPECT_EQ(runDemo(), 1);

    ASSERT_EQ(answers.messages.size(), 1);
    EXPECT_TRUE(answers.messages[0].startsWith(
        QStringLiteral("Ошибка чтения файла|Ошибка чтения файла.\nПовреждены текстовые файлы ____Data/demo.txt\n")))
        << answers.messages[0].toStdString();
}

TEST_F(VocabularyPresentationWindowTest, DamagedSegmentIsReportedAndTheRestStillShows)
{
    course.writeLines(Segments, {"0\t900", "broken"});
    VocabularyRunAnswers answers;
    QList<qint32> starts;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<VocabularyPresentationWindow &>(window);
        for (const VocabularyEntry &entry : form.presentation().entries())
            starts << entry.start;
        EXPECT_EQ(form.totalCounter->text(), "3");
        form.nextButton->click();
        form.nextButton->click();
        form.nextButton->click();
    };

    EXPECT_EQ(runDemo(), 0);

    EXPECT_EQ(answers.messages.size(), 1);
    EXPECT_EQ(starts, (QList<qint32>{0, 0, 0}));
}

TEST_F(VocabularyPresentationWindowTest, PlayIsHiddenWithoutASegmentFile)
{
    VocabularyRunAnswers answers;
    bool playShown = true;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<VocabularyPresentationWindow &>(window);
        playShown = form.playButton->isVisible();
        clickPicture(*form.exitPictureButton);
    };

    EXPECT_EQ(runDemo(QString()), 1);

    EXPECT_FALSE(playShown);
}

} // namespace
