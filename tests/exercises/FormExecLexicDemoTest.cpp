#include "LexicCourse.h"
#include "LexicRunAnswers.h"

#include "controls/BtnImgD1KL.h"
#include "controls/BtnImgTransD1KL.h"
#include "controls/ModalResult.h"
#include "exercises/FormExecLexicDemo.h"
#include "sound/SoundDevice.h"

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

Shown shownBy(const TFormExecLexicDemo &form)
{
    return {form.EditText->text(), form.EditTranslate->text(), form.LabelSelect->text()};
}

void clickPicture(TBtnImgTransD1KL &button)
{
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(16, 16));
}

// GIVEN a course folder with a lesson of three expressions, their sound and its stretches.
class FormExecLexicDemoTest : public ::testing::Test {
protected:
    TempCourse course;
    LexicRunContext run;

    FormExecLexicDemoTest()
    {
        course.writeLines(Expressions, {"a birthday", "a house", "to go shopping"});
        course.writeLines(Translations, {"день рождения", "дом", "ходить по магазинам"});
        course.writeLines(Segments, {"0\t900", "1000\t1500", "1600\t2000"});
        writeLexicSound(course, Sound, 2000);
    }

    int runDemo(const QString &segments = Segments)
    {
        return RunExecLexicDemo(run.context, QPoint(401, 301), Expressions, Translations, segments, Sound);
    }
};

TEST_F(FormExecLexicDemoTest, ShortRunShowsEveryExpressionInOrderAndEndsCompleted)
{
    LexicRunAnswers answers;
    QList<Shown> shown;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<TFormExecLexicDemo &>(window);
        // THEN the window opens centred on the point with the first expression
        EXPECT_EQ(form.pos(), QPoint(401 - 550 / 2, 301 - 246 / 2));
        EXPECT_EQ(form.size(), QSize(550, 246));
        EXPECT_EQ(form.property("helpContext").toInt(), 80);
        EXPECT_EQ(form.LabelCount->text(), "3");
        EXPECT_TRUE(form.BtnImgD1KL1->isDefault());
        shown << shownBy(form);

        // WHEN "Проиграть" is pressed, THEN the stretch of the first expression plays
        QTest::mouseClick(form.BitBtnPlay, Qt::LeftButton);
        EXPECT_FALSE(form.BitBtnPlay->isEnabled());
        run.card.advance(899);
        EXPECT_TRUE(form.MediaPlayerPlay->opened());
        run.card.advance(1);
        EXPECT_TRUE(form.BitBtnPlay->isEnabled());
        EXPECT_FALSE(form.MediaPlayerPlay->opened());
        EXPECT_EQ(qint64(lexicSoundHanded(run.card.outputs().back().samples).size()), 900 * LexicSoundRate / 1000);

        // WHEN "Далее" is pressed, by mouse and by Enter, THEN the next ones follow
        QTest::mouseClick(form.BtnImgD1KL1, Qt::LeftButton);
        shown << shownBy(form);
        QTest::keyClick(&form, Qt::Key_Return);
        shown << shownBy(form);

        // WHEN the second stretch plays from where its line says
        QTest::mouseClick(form.BitBtnPlay, Qt::LeftButton);
        run.card.advance(400);
        EXPECT_EQ(lexicSoundHanded(run.card.outputs().back().samples).front(), lexicSample(1600 * LexicSoundRate / 1000));
        EXPECT_TRUE(form.BitBtnPlay->isEnabled());

        // WHEN "Далее" is pressed on the last one, THEN the window closes
        QTest::mouseClick(form.BtnImgD1KL1, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
    };

    EXPECT_EQ(runDemo(), 0);

    EXPECT_EQ(shown, (QList<Shown>{{"a birthday", "день рождения", "2"},
                                   {"a house", "дом", "1"},
                                   {"to go shopping", "ходить по магазинам", "0"}}));
    EXPECT_TRUE(answers.messages.isEmpty());
}

TEST_F(FormExecLexicDemoTest, LeavingGivesOne)
{
    struct Case {
        const char *what;
        std::function<void(TFormExecLexicDemo &)> leave;
    };
    const Case cases[] = {
        {"Выход", [](TFormExecLexicDemo &form) { clickPicture(*form.BtnImgTransD1KL2); }},
        {"Esc", [](TFormExecLexicDemo &form) { QTest::keyClick(&form, Qt::Key_Escape); }},
        {"hidden Выход", [](TFormExecLexicDemo &form) { form.BitBtnClose->click(); }},
        {"Выход on the last expression",
         [](TFormExecLexicDemo &form) {
             form.BitBtn1->click();
             form.BitBtn1->click();
             clickPicture(*form.BtnImgTransD1KL2);
         }},
    };
    for (const Case &c : cases) {
        LexicRunAnswers answers;
        answers.drive = [&](QDialog &window) { c.leave(dynamic_cast<TFormExecLexicDemo &>(window)); };
        EXPECT_EQ(runDemo(), 1) << c.what;
    }
}

TEST_F(FormExecLexicDemoTest, SingleExpressionEndsAtTheFirstNext)
{
    course.writeLines(Expressions, {"a birthday"});
    course.writeLines(Translations, {"день рождения"});
    course.writeLines(Segments, {"0\t900"});
    LexicRunAnswers answers;
    QString remaining;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<TFormExecLexicDemo &>(window);
        remaining = form.LabelSelect->text();
        form.BitBtn1->click();
    };

    EXPECT_EQ(runDemo(), 0);
    EXPECT_EQ(remaining, "0");
}

TEST_F(FormExecLexicDemoTest, MissingFilesAreReportedAndTheEmptyWindowCanBeLeft)
{
    QFile::remove(course.absolute(Expressions));
    LexicRunAnswers answers;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<TFormExecLexicDemo &>(window);
        EXPECT_EQ(shownBy(form), (Shown{"", "", "0"}));
        EXPECT_EQ(form.LabelCount->text(), "0");
        EXPECT_FALSE(form.BtnImgD1KL1->isEnabled());
        form.BitBtn1Click();
        form.BitBtnPlayClick();
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(form.MediaPlayerPlay->opened());
        clickPicture(*form.BtnImgTransD1KL2);
    };

    EXPECT_EQ(runDemo(), 1);

    EXPECT_EQ(answers.messages,
              QStringList{QStringLiteral("Ошибка чтения файла|Ошибка чтения файла.\nПовреждены текстовые файлы ")});
}

TEST_F(FormExecLexicDemoTest, DamagedSegmentIsReportedAndTheRestStillShows)
{
    course.writeLines(Segments, {"0\t900", "broken"});
    LexicRunAnswers answers;
    QList<qint32> starts;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<TFormExecLexicDemo &>(window);
        for (const VocabularyEntry &entry : form.presentation().entries())
            starts << entry.start;
        EXPECT_EQ(form.LabelCount->text(), "3");
        form.BitBtn1->click();
        form.BitBtn1->click();
        form.BitBtn1->click();
    };

    EXPECT_EQ(runDemo(), 0);

    EXPECT_EQ(answers.messages.size(), 1);
    EXPECT_EQ(starts, (QList<qint32>{0, 0, 0}));
}

TEST_F(FormExecLexicDemoTest, PlayIsHiddenWithoutASegmentFile)
{
    LexicRunAnswers answers;
    bool playShown = true;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<TFormExecLexicDemo &>(window);
        playShown = form.BitBtnPlay->isVisible();
        clickPicture(*form.BtnImgTransD1KL2);
    };

    EXPECT_EQ(runDemo(QString()), 1);

    EXPECT_FALSE(playShown);
}

} // namespace
