#include "VocabularyCourse.h"
#include "VocabularyRunAnswers.h"

#include "controls/FlatPictureButton.h"
#include "controls/ModalResult.h"
#include "controls/PictureButton.h"
#include "core/CourseError.h"
#include "exercises/VocabularyDrillWindow.h"
#include "sound/SoundDevice.h"
#include "support/WaysOut.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace {

const QString Expressions = QStringLiteral("____Data\\words.txt");
const QString Translations = QStringLiteral("____Data\\trans.txt");
const QString Segments = QStringLiteral("____Data\\words.seg");
const QString Sound = QStringLiteral("____Data\\words.wav");

QStringList items(const QListWidget &list)
{
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts;
}

void clickRow(QListWidget &list, int row)
{
    list.doItemsLayout();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

// A widget's double click is its first press and release, then the double-click event.
void doubleClickRow(QListWidget &list, int row)
{
    clickRow(list, row);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

void clickPicture(FlatPictureButton &button)
{
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(16, 16));
}

// GIVEN a course folder with a lesson of two expressions, their sound and its stretches.
class VocabularyDrillWindowTest : public ::testing::Test {
protected:
    TempCourse course;
    VocabularyRunContext run;
    const std::map<QString, QString> right{{"a birthday", "день рождения"}, {"a house", "дом"}};

    VocabularyDrillWindowTest()
    {
        course.writeLines(Expressions, {"a birthday", "a house"});
        course.writeLines(Translations, {"день рождения", "дом"});
        course.writeLines(Segments, {"1200\t2500", "2600\t3000"});
        writeVocabularySound(course, Sound, 4000);
    }

    int runDrill(const QString &segments = Segments, const QString &sound = Sound)
    {
        return runVocabularyDrill(run.context, QPoint(500, 400), Expressions, Translations, segments, sound);
    }

    // A window made as runVocabularyDrill makes it, shown without a modal loop.
    std::unique_ptr<VocabularyDrillWindow> openDrill(const QString &segments = Segments, const QString &sound = Sound)
    {
        auto form = std::make_unique<VocabularyDrillWindow>(run.context);
        form->setFiles({Expressions, Translations, segments, sound});
        form->load();
        form->fillTranslations();
        form->show();
        return form;
    }
};

TEST_F(VocabularyDrillWindowTest, ShortRunWithSoundAndBothWrongAnswerDialogsEndsCompleted)
{
    VocabularyRunAnswers answers;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<VocabularyDrillWindow &>(window);
        // THEN the window opens centred on the point, with the lesson's counters and list
        EXPECT_EQ(form.pos(), QPoint(500 - 680 / 2, 400 - 471 / 2));
        EXPECT_EQ(form.size(), QSize(680, 471));
        EXPECT_EQ(form.property("helpContext").toInt(), 90);
        EXPECT_EQ(form.remainingCounter->text(), "2");
        EXPECT_EQ(form.totalCounter->text(), "2");
        EXPECT_EQ(form.errorCounter->text(), "0");
        EXPECT_EQ(items(*form.translationList), (QStringList{"день рождения", "дом"}));
        EXPECT_EQ(form.translationList->currentRow(), 0);
        const QString expression = form.expressionField->text();
        ASSERT_EQ(right.count(expression), 1u) << expression.toStdString();

        // WHEN "Play" is pressed, THEN the stretch of the expression on show plays and the
        // device closes at its end
        const VocabularyEntry shown = *form.drill().currentEntry();
        QTest::mouseClick(form.playButton, Qt::LeftButton);
        EXPECT_FALSE(form.playButton->isEnabled());
        EXPECT_TRUE(form.player->opened());
        run.card.advance(shown.end - shown.start);
        EXPECT_TRUE(form.playButton->isEnabled());
        EXPECT_FALSE(form.player->opened());
        const std::vector<qint16> played = lexicSoundHanded(run.card.outputs().back().samples);
        ASSERT_EQ(qint64(played.size()), qint64(shown.end - shown.start) * VocabularySoundRate / 1000);
        EXPECT_EQ(played.front(), lexicSample(qint64(shown.start) * VocabularySoundRate / 1000));

        // WHEN the other translation is confirmed, THEN "try again" and the expression stays
        const int wrongRow = items(*form.translationList).indexOf(right.at(expression)) == 0 ? 1 : 0;
        clickRow(*form.translationList, wrongRow);
        clickPicture(*form.confirmButton);
        EXPECT_EQ(answers.errorDoShown, 1);
        EXPECT_EQ(form.expressionField->text(), expression);
        EXPECT_EQ(form.translationList->currentRow(), wrongRow);

        // WHEN it is confirmed again, by Enter, THEN the right translation is shown in Russian
        // and one error counts
        QTest::keyClick(form.translationList, Qt::Key_Return);
        EXPECT_EQ(answers.lexicErrorShown, QStringList{right.at(expression)});
        EXPECT_TRUE(answers.doubleErrorShown.isEmpty());
        EXPECT_EQ(form.errorCounter->text(), "1");
        EXPECT_EQ(form.remainingCounter->text(), "2");
        EXPECT_EQ(form.translationList->currentRow(), 0);

        // WHEN every expression then shown is answered right
        QStringList remaining;
        for (int guard = 0; form.isVisible() && guard < 10; ++guard) {
            clickRow(*form.translationList, items(*form.translationList).indexOf(right.at(form.expressionField->text())));
            QTest::keyClick(form.translationList, Qt::Key_Enter);
            remaining << form.remainingCounter->text();
        }
        // THEN the last one closed the window at once, before its counter changed
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(remaining, (QStringList{"1", "1"}));
        EXPECT_EQ(answers.errorDoShown, 1);
    };

    // WHEN the dispatcher runs the drill
    const int result = runDrill();

    // THEN it reports the exercise gone through
    EXPECT_EQ(result, 0);
}

TEST_F(VocabularyDrillWindowTest, LeavingGivesTwo)
{
    struct Case {
        const char *what;
        std::function<void(VocabularyDrillWindow &)> leave;
    };
    const Case cases[] = {
        {"Выход", [](VocabularyDrillWindow &form) { clickPicture(*form.exitPictureButton); }},
        {"Esc", [](VocabularyDrillWindow &form) { QTest::keyClick(form.translationList, Qt::Key_Escape); }},
        {"hidden Выход", [](VocabularyDrillWindow &form) { form.exitButton->click(); }},
        {"close box", [](VocabularyDrillWindow &form) { leaveBy(WayOut::CloseBox, &form, nullptr); }},
    };
    for (const Case &c : cases) {
        VocabularyRunAnswers answers;
        answers.drive = [&](QDialog &window) { c.leave(dynamic_cast<VocabularyDrillWindow &>(window)); };
        EXPECT_EQ(runDrill(), 2) << c.what;
    }
}

TEST_F(VocabularyDrillWindowTest, MissingFilesAreReportedAndTheEmptyWindowCanBeLeft)
{
    // GIVEN a lesson whose files are gone
    QFile::remove(course.absolute(Expressions));
    QFile::remove(course.absolute(Translations));
    VocabularyRunAnswers answers;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<VocabularyDrillWindow &>(window);
        // THEN the window is empty, confirming does nothing, and the learner can leave
        EXPECT_TRUE(form.expressionField->text().isEmpty());
        EXPECT_EQ(form.translationList->count(), 0);
        EXPECT_EQ(form.remainingCounter->text(), "0");
        EXPECT_EQ(form.totalCounter->text(), "0");
        EXPECT_EQ(form.errorCounter->text(), "0");
        EXPECT_FALSE(form.confirmButton->isEnabled());
        form.checkAnswer();
        form.playExpression();
        form.skipExpression();
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(form.player->opened());
        clickPicture(*form.exitPictureButton);
    };

    EXPECT_EQ(runDrill(), 2);

    // The message names the file, in this system's form.
    ASSERT_EQ(answers.messages.size(), 1);
    EXPECT_TRUE(answers.messages[0].startsWith(
        QStringLiteral("Ошибка чтения файла|Ошибка чтения файла.\nПоврежден файл ____Data/words.txt\n")))
        << answers.messages[0].toStdString();
}

TEST_F(VocabularyDrillWindowTest, SurplusTranslationsAreReportedAndLeftOutOfTheList)
{
    course.writeLines(Translations, {"день рождения", "дом", "лишний перевод"});
    VocabularyRunAnswers answers;
    QStringList listed;
    answers.drive = [&](QDialog &window) {
        auto &form = dynamic_cast<VocabularyDrillWindow &>(window);
        listed = items(*form.translationList);
        clickPicture(*form.exitPictureButton);
    };

    EXPECT_EQ(runDrill(), 2);

    EXPECT_EQ(answers.messages.size(), 1);
    EXPECT_EQ(listed, (QStringList{"день рождения", "дом"}));
}

TEST_F(VocabularyDrillWindowTest, PlayIsHiddenWithoutSegmentsOrSound)
{
    struct Case {
        QString segments;
        QString sound;
        bool shown;
    };
    for (const Case &c : {Case{Segments, Sound, true}, Case{"", Sound, false}, Case{Segments, "", false},
                          Case{"", "", false}}) {
        VocabularyDrillWindow form(run.context);
        form.setFiles({Expressions, Translations, c.segments, c.sound});
        EXPECT_EQ(!form.playButton->isHidden(), c.shown) << c.segments.toStdString() << c.sound.toStdString();
    }
}

TEST_F(VocabularyDrillWindowTest, StretchOutsideTheSoundEndsAtOnce)
{
    // GIVEN segments beyond the end of the 4 s sound
    course.writeLines(Segments, {"5000\t6000", "3000\t9000"});
    const auto form = openDrill();

    // WHEN "Play" is pressed
    QTest::mouseClick(form->playButton, Qt::LeftButton);

    // THEN nothing plays and the button is back at once
    EXPECT_TRUE(form->playButton->isEnabled());
    EXPECT_FALSE(form->player->opened());
}

TEST_F(VocabularyDrillWindowTest, MissingSoundRaisesItsMessageAndKeepsPlayUsable)
{
    QFile::remove(course.absolute(Sound));
    const auto form = openDrill();

    EXPECT_THROW(form->playExpression(), CourseError);

    EXPECT_TRUE(form->playButton->isEnabled());
    EXPECT_FALSE(form->player->opened());
}

TEST_F(VocabularyDrillWindowTest, LeavingWhilePlayingClosesTheDevice)
{
    auto form = openDrill();
    QTest::mouseClick(form->playButton, Qt::LeftButton);
    run.card.advance(100);
    ASSERT_EQ(run.card.openOutputs(), 1);

    clickPicture(*form->exitPictureButton);
    EXPECT_EQ(form->result(), mrCancel);
    form.reset();

    EXPECT_EQ(run.card.openOutputs(), 0);
}

TEST_F(VocabularyDrillWindowTest, DoubleClickOnATranslationConfirmsIt)
{
    const auto form = openDrill();
    const int row = items(*form->translationList).indexOf(right.at(form->expressionField->text()));

    doubleClickRow(*form->translationList, row);

    EXPECT_EQ(form->remainingCounter->text(), "1");
    EXPECT_EQ(form->drill().remaining(), 1);
}

TEST_F(VocabularyDrillWindowTest, StepOverDrawsAgainWithoutCounting)
{
    course.writeLines(Expressions, {"one", "two", "three", "four", "five"});
    course.writeLines(Translations, {"1", "2", "3", "4", "5"});
    const auto form = openDrill("", "");
    QStringList seen;
    for (int i = 0; i < 30; ++i) {
        form->skipButton->click();
        seen << form->expressionField->text();
        EXPECT_EQ(form->translationList->currentRow(), 0);
    }
    seen.removeDuplicates();
    EXPECT_GT(seen.size(), 1);
    EXPECT_EQ(form->remainingCounter->text(), "5");
    EXPECT_EQ(form->errorCounter->text(), "0");
}

} // namespace
