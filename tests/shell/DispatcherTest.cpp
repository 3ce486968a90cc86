#include "controls/ModalResult.h"
#include "controls/PictureButton.h"
#include "controls/SkinArt.h"
#include "exercises/ExerciseEndDialog.h"
#include "exercises/RightAnswerDialog.h"
#include "exercises/TryAgainDialog.h"
#include "exercises/VocabularyPresentationWindow.h"
#include "shell/MainWindow.h"
#include "sound/VirtualAudioBackend.h"
#include "core/CoursePath.h"
#include "support/ModalAnswer.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"
#include "ui/MessageWindow.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Call {
    QString f1, f2, f4, f3;
};

// The main window on a small course whose lesson has one exercise of each kind the
// dispatcher runs here, with fake exercise windows that record their calls.
class DispatcherTest : public ::testing::Test {
protected:
    TempCourse course;
    CourseState state;
    UserRegistry users;
    ProgressState progress;
    MessageWindow messages;
    ExerciseEndDialog endDialog;
    VirtualAudioBackend audio;
    TryAgainDialog tryAgain;
    RightAnswerDialog rightAnswer{RightAnswerDialog::AnswerLanguage::English};
    RightAnswerDialog vocabularyRightAnswer{RightAnswerDialog::AnswerLanguage::Russian};
    const ExerciseContext context{audio, tryAgain, rightAnswer, vocabularyRightAnswer};
    std::unique_ptr<MainWindow> window;
    QList<Call> calls;
    QList<int> results;      // what the fake windows return, in order (0 when none is left)
    MultipleChoiceCounts counts{7, 2};
    bool throwInWindow = false;

    void SetUp() override
    {
        const QString exercise = QStringLiteral("%1\t1\t1\t2\t\t%2\tl1\\a.txt\tl1\\b.txt\t%3\t%4\t");
        course.writeLines("InitRegD.txt",
                          {QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t"),
                           exercise.arg("Словарь").arg(2).arg("l1\\w.wav", "l1\\seg.txt"),
                           exercise.arg("Вопросы").arg(6).arg("", ""), exercise.arg("Верно").arg(7).arg("", ""),
                           exercise.arg("Пусто").arg(9).arg("", ""), exercise.arg("Ничего").arg(200).arg("", ""),
                           exercise.arg("Запись").arg(12).arg("", ""), exercise.arg("Текст").arg(5).arg("", "")});
        for (const char *name : {"InitRegA.txt", "InitRegB.txt", "InitRegC.txt"})
            course.writeLines(name, {QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t")});
        QFile::copy(QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR "/NFREESET.TTF"), course.absolute("NFREESET.TTF"));
        setMessageWindow(&messages);
        window = std::make_unique<MainWindow>(state, users, progress);
        window->setExercises(fakeExercises(), &endDialog);
        window->runStartup();
    }
    void TearDown() override { setMessageWindow(nullptr); }

    // The program's table of kinds, every window replaced by a fake.
    ExerciseKindTable fakeExercises()
    {
        ExerciseKindTable table = ExerciseKindTable::windows(context);
        table.setEveryRoutine([this](const ExerciseRequest &request, ExerciseReport &report) {
            EXPECT_TRUE(window->centralWidget()->isHidden()) << "the panel is hidden while the exercise runs";
            EXPECT_TRUE(window->toolBar->isHidden());
            const ResolvedFiles &f = request.files;
            calls.append({f.f1, f.f2, f.f4, f.f3});
            report.counts = counts;
            if (throwInWindow)
                throw std::runtime_error("broken window");
            return results.isEmpty() ? 0 : results.takeFirst();
        });
        return table;
    }

    void becomeNamedLearner()
    {
        QDir().mkdir("Report");
        addUser(users, QStringLiteral("Ann"), QString(), u'D', QStringLiteral("Report\\Ann.rep"));
        ProgressState fresh;
        resetProgress(fresh, u'D');
        saveProgress(fresh, QStringLiteral("Report\\Ann.rep"));
        window->changeUser(0);
    }

    void run(const QString &title)
    {
        const auto found = window->lessonTree->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1);
        window->lessonTree->setCurrentItem(found.first());
        window->runSelectedExercise();
    }

    static std::function<void(QWidget *)> choose(PictureButton *ExerciseEndDialog::*button, QString *message = nullptr,
                                                 bool *markEnabled = nullptr)
    {
        return [=](QWidget *modal) {
            auto *dialog = qobject_cast<ExerciseEndDialog *>(modal);
            ASSERT_NE(dialog, nullptr) << modal->objectName().toStdString();
            if (message)
                *message = dialog->messageText->toPlainText();
            if (markEnabled)
                *markEnabled = dialog->okButton->isEnabled();
            (dialog->*button)->click();
        };
    }
};

TEST_F(DispatcherTest, AMarkedDrillIsDoneForANamedLearner)
{
    becomeNamedLearner();
    QString message;
    bool markEnabled = false;
    ModalScript script({choose(&ExerciseEndDialog::okButton, &message, &markEnabled)});
    run(QStringLiteral("Словарь"));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(message, QStringLiteral("Вы успешно выполнили упражнение."));
    EXPECT_TRUE(markEnabled);
    EXPECT_TRUE(progress.record(2)->Done());
    // The mark is on disk at once, not only at the next switch or exit.
    window->finishSaves();
    QList<ProgressRecord> saved;
    ASSERT_TRUE(progressFromBytes(course.readBytes("Report/Ann.rep"), progress.EntryCount, saved));
    EXPECT_TRUE(saved[2].Done());
    EXPECT_FALSE(window->centralWidget()->isHidden());
    EXPECT_FALSE(window->toolBar->isHidden());
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].f1, QStringLiteral("____Data\\l1\\a.txt"));
    EXPECT_EQ(calls[0].f2, QStringLiteral("____Data\\l1\\b.txt"));
    EXPECT_EQ(calls[0].f4, QStringLiteral("____Data\\l1\\seg.txt"));
    EXPECT_EQ(calls[0].f3, QStringLiteral("____Data\\l1\\w.wav"));
}

TEST_F(DispatcherTest, TheAnonymousLearnerCannotMarkAndNothingIsWritten)
{
    bool markEnabled = true;
    ModalScript script({choose(&ExerciseEndDialog::leaveButton, nullptr, &markEnabled)});
    run(QStringLiteral("Словарь"));
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(markEnabled);
}

TEST_F(DispatcherTest, MultipleChoiceStoresTheErrorPercentage)
{
    becomeNamedLearner();
    QString message;
    ModalScript script({choose(&ExerciseEndDialog::okButton, &message)});
    run(QStringLiteral("Вопросы"));
    EXPECT_EQ(message, QStringLiteral("Ошибок: 2. Рекомендуется отметить упражнение как выполненное"));
    EXPECT_TRUE(progress.record(3)->Done());
    EXPECT_EQ(progress.record(3)->Score(), 28);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].f3, QString()) << "an empty sound name stays empty";
    EXPECT_EQ(calls[0].f4, QString()) << "an empty segment name stays empty";
}

TEST_F(DispatcherTest, TooManyErrorsBlockTheMarkForEveryone)
{
    becomeNamedLearner();
    counts = {3, 1};
    bool markEnabled = true;
    ModalScript script({choose(&ExerciseEndDialog::leaveButton, nullptr, &markEnabled)});
    run(QStringLiteral("Вопросы"));
    EXPECT_FALSE(markEnabled);
    EXPECT_FALSE(progress.record(3)->Done());
}

TEST_F(DispatcherTest, RetryRunsTheSameWindowAndLeavingTheRepeatEndsWithoutADialog)
{
    becomeNamedLearner();
    results = {0, 2};
    ModalScript script({choose(&ExerciseEndDialog::repeatButton)});
    run(QStringLiteral("Словарь"));
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(script.overrun());
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[1].f1, calls[0].f1);
    EXPECT_FALSE(progress.record(2)->Done());
}

TEST_F(DispatcherTest, TrueFalseOpensNoDialogAndChangesNoMark)
{
    becomeNamedLearner();
    ModalScript script({});
    run(QStringLiteral("Верно"));
    EXPECT_EQ(calls.size(), 1);
    EXPECT_FALSE(script.overrun());
    EXPECT_FALSE(progress.record(4)->Done());
}

TEST_F(DispatcherTest, EnterOnALessonRunsItAsADoubleClickDoes)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QCoreApplication::processEvents(); // the start-up the first showing queues
    const auto found = window->lessonTree->findItems(QStringLiteral("Словарь"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    window->lessonTree->setCurrentItem(found.first());
    window->lessonTree->setFocus();
    ModalScript script({choose(&ExerciseEndDialog::leaveButton)});

    QTest::keyClick(window->lessonTree, Qt::Key_Return);

    EXPECT_TRUE(script.finished());
    EXPECT_EQ(calls.size(), 1);
}

TEST_F(DispatcherTest, KindsWithoutAWindowRunNothing)
{
    ModalScript script({});
    for (const char *title : {"Курс", "Пусто", "Ничего"})
        run(QString::fromUtf8(title));
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_FALSE(script.overrun());
}

TEST_F(DispatcherTest, ARecordingIsKeptOnOkAndTextWorkBelowItPlaysItBack)
{
    becomeNamedLearner();
    ExerciseKindTable table = fakeExercises();
    QStringList recordings, playbacks;
    bool startAllowed = false;
    int checks = 0;
    const auto routine = [&](const ExerciseRequest &request, ExerciseReport &) {
        recordings << request.recordingName;
        playbacks << request.playbackRecording;
        return 0;
    };
    ExerciseKind recording{routine, QStringLiteral("Вы прослушали текст урока.")};
    recording.keepsRecording = true;
    recording.check = [&](const ExerciseRequest &) {
        ++checks;
        return startAllowed;
    };
    table.set(KindTranslateWithWait, recording);
    ExerciseKind textWork{routine, QStringLiteral("Вы прослушали текст урока.")};
    textWork.playsBackRecording = true;
    textWork.playbackEndMessage = QStringLiteral("Вы анализировали свой перевод");
    table.set(KindTextWork, textWork);
    window->setExercises(table, &endDialog);

    // A failed check starts nothing.
    {
        ModalScript none({});
        run(QStringLiteral("Запись"));
        EXPECT_FALSE(none.overrun());
    }
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(recordings.isEmpty());

    // Text work before anything was recorded has nothing to play back.
    QString message;
    {
        ModalScript script({choose(&ExerciseEndDialog::okButton, &message)});
        run(QStringLiteral("Текст"));
    }
    ASSERT_EQ(playbacks.size(), 1);
    EXPECT_EQ(playbacks[0], QString());
    EXPECT_EQ(message, QStringLiteral("Вы прослушали текст урока."));

    startAllowed = true;
    {
        ModalScript script({choose(&ExerciseEndDialog::okButton)});
        run(QStringLiteral("Запись"));
    }
    ASSERT_EQ(recordings.size(), 2);
    EXPECT_TRUE(recordings[1].endsWith(QStringLiteral("Ann7.wav"))) << recordings[1].toStdString();
    EXPECT_EQ(progress.record(7)->SoundFile(), recordings[1]);

    {
        ModalScript script({choose(&ExerciseEndDialog::okButton, &message)});
        run(QStringLiteral("Текст"));
    }
    EXPECT_EQ(playbacks.value(2), recordings[1]);
    EXPECT_EQ(message, QStringLiteral("Вы анализировали свой перевод"));
}

// A recording left early replaces the earlier one as designed; the end dialog says so when
// the earlier one was longer, and only then.
TEST_F(DispatcherTest, TheEndDialogTellsWhenAShorterRecordingReplacedALongerOne)
{
    becomeNamedLearner();
    ExerciseKindTable table = fakeExercises();
    int seconds = 0;
    ExerciseKind recording{[&](const ExerciseRequest &request, ExerciseReport &) {
                               writeWav(localPath(request.recordingName), 1000, 1, std::vector<qint16>(seconds * 1000, 1));
                               return 0;
                           },
                           QStringLiteral("Вы прослушали текст урока.")};
    recording.keepsRecording = true;
    table.set(KindTranslateWithWait, recording);
    window->setExercises(table, &endDialog);
    const struct {
        int seconds;
        const char *message;
    } runs[] = {{79, "Вы прослушали текст урока."},
                {47, "Вы прослушали текст урока.\nПрежняя запись (79 с) заменена записью 47 с"},
                {50, "Вы прослушали текст урока."}};
    for (const auto &r : runs) {
        seconds = r.seconds;
        QString message;
        ModalScript script({choose(&ExerciseEndDialog::leaveButton, &message)});
        run(QStringLiteral("Запись"));
        EXPECT_EQ(message, QString::fromUtf8(r.message)) << r.seconds;
    }
}

TEST_F(DispatcherTest, AnErrorInsideAWindowIsReportedAndThePanelComesBack)
{
    throwInWindow = true;
    QString shown;
    ModalScript script({[&](QWidget *modal) {
        shown = qobject_cast<MessageWindow *>(modal)->shownText();
        qobject_cast<QDialog *>(modal)->accept();
    }});
    run(QStringLiteral("Словарь"));
    EXPECT_EQ(shown, QStringLiteral("broken window"));
    EXPECT_FALSE(window->centralWidget()->isHidden());
    EXPECT_FALSE(window->toolBar->isHidden());
}

// A run's return touches no node but its own, and that one only when its mark changes.
TEST_F(DispatcherTest, OnlyTheRunsOwnNodeChangesItsMark)
{
    becomeNamedLearner();
    QList<QModelIndex> changed;
    QObject::connect(window->lessonTree->model(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex &from, const QModelIndex &to) {
                         EXPECT_EQ(from, to);
                         changed.append(from);
                     });
    const auto markOf = [&](const QModelIndex &index) {
        return window->lessonTree->itemFromIndex(index)->icon(0).pixmap(16, 16).toImage();
    };

    {
        ModalScript marked({choose(&ExerciseEndDialog::okButton)});
        run(QStringLiteral("Словарь"));
    }
    // Its image and what a screen reader hears of it change: one node, whichever role.
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.count(changed[0]), changed.size());
    EXPECT_EQ(window->lessonTree->itemFromIndex(changed[0])->text(0), QStringLiteral("Словарь"));
    EXPECT_EQ(markOf(changed[0]), SkinArt::treeImage(2).toImage());

    changed.clear();
    {
        ModalScript again({choose(&ExerciseEndDialog::okButton)});
        run(QStringLiteral("Словарь"));
        EXPECT_TRUE(again.finished());
    }
    run(QStringLiteral("Курс"));
    EXPECT_TRUE(changed.isEmpty()) << "a done entry marked again, and a heading, change no node";
}

// The real presentation window, run by the dispatcher for a named learner: the learner goes
// through it and marks it done, and the mark reaches the progress and the tree.
TEST_F(DispatcherTest, ARealPresentationRunMarksTheEntryDone)
{
    becomeNamedLearner();
    course.writeLines("____Data\\l1\\a.txt", {QStringLiteral("good morning")});
    course.writeLines("____Data\\l1\\b.txt", {QStringLiteral("доброе утро")});
    course.writeLines("InitRegD.txt", {QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t"),
                                       QStringLiteral("Слова\t1\t1\t2\t\t1\tl1\\a.txt\tl1\\b.txt\t\t\t")});
    loadCatalogues(state);
    window->changeUser(0);

    window->setExercises(ExerciseKindTable::windows(context), &endDialog);

    QString shownExpression;
    ModalScript script({[&](QWidget *modal) {
                            auto *form = qobject_cast<VocabularyPresentationWindow *>(modal);
                            ASSERT_NE(form, nullptr) << modal->objectName().toStdString();
                            shownExpression = form->findChild<QLineEdit *>()->text();
                            form->nextButton->click(); // "Далее" past the only expression ends the run
                        },
                        choose(&ExerciseEndDialog::okButton)});
    run(QStringLiteral("Слова"));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(shownExpression, QStringLiteral("good morning"));
    EXPECT_TRUE(progress.record(2)->Done());
    const QImage doneImage = SkinArt::treeImage(2).toImage();
    EXPECT_EQ(window->lessonTree->topLevelItem(0)->child(0)->icon(0).pixmap(16, 16).toImage(), doneImage);
}

} // namespace
