#include "ExerciseHelpCheck.h"
#include "controls/PictureButton.h"
#include "exercises/ExerciseEndDialog.h"
#include "exercises/RightAnswerDialog.h"
#include "exercises/TryAgainDialog.h"
#include "listening/FullDuplexDialog.h"
#include "listening/ListenTranslateWindow.h"
#include "shell/MainWindow.h"
#include "sound/VirtualAudioBackend.h"
#include "support/ModalAnswer.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"
#include "ui/MessageWindow.h"

#include <QDir>
#include <QFile>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

// The main window on a lesson with one entry of every listening kind and a text-work entry
// below them, the program's own rows for the listening kinds, a virtual sound card that
// can play and record at once, and the fixed sounds of the full-duplex check.
class ListeningKindsTest : public ::testing::Test {
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
    std::unique_ptr<FullDuplexDialog> fullDuplex;
    std::unique_ptr<MainWindow> window;
    QStringList playbacks; // what the text-work entry was given to play back

    void SetUp() override
    {
        QStringList catalogue{QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t")};
        for (int kind : {4, 8, 11, 12, 13, 14, 15, 5})
            catalogue << QStringLiteral("Вид %1\t1\t1\t2\t\t%1\tl1\\t.txt\tl1\\r.txt\tl1\\t.wav\tl1\\s.txt\tl1\\p.txt")
                             .arg(kind);
        course.writeBytes("InitRegD.txt", cp1251(catalogue.join("\r\n") + "\r\n"));
        for (const char *name : {"InitRegA.txt", "InitRegB.txt", "InitRegC.txt"})
            course.writeLines(name, {QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t")});
        course.writeLines("____Data\\l1\\t.txt", {"#Title", "One."});
        course.writeLines("____Data\\l1\\r.txt", {QStringLiteral("#Заглавие"), QStringLiteral("Раз.")});
        course.writeLines("____Data\\l1\\s.txt", {"#", "0\t500"});
        course.writeLines("____Data\\l1\\p.txt", {"0\t500\tl1\\x.jpg"});
        writeRampWav(course.absolute("____Data/l1/t.wav"), 8000, 1, 8000);
        writeWav(course.absolute("TSBegin.wav"), 22050, 1, {});
        writeWav(course.absolute("Null.wav"), 22050, 1, std::vector<qint16>(22050, 0));
        writeWav(course.absolute("NullRec.wav"), 22050, 1, {});
        QFile::copy(QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR "/NFREESET.TTF"), course.absolute("NFREESET.TTF"));
        setMessageWindow(&messages);
        fullDuplex = std::make_unique<FullDuplexDialog>(audio);
        setFullDuplexDialog(fullDuplex.get());
        window = std::make_unique<MainWindow>(state, users, progress);
        window->setExercises(table(), &endDialog);
        window->runStartup();
    }
    void TearDown() override
    {
        setFullDuplexDialog(nullptr);
        setMessageWindow(nullptr);
    }

    // The program's rows, and a text-work row that notes the recording it gets.
    ExerciseKindTable table(const ExerciseKindTable::ListeningChecks &checks = ExerciseKindTable::ListeningChecks::system())
    {
        ExerciseKindTable kinds = ExerciseKindTable::windows(context);
        ExerciseKindTable::addListeningKinds(kinds, context, checks);
        ExerciseKind textWork{[this](const ExerciseRequest &request, ExerciseReport &) {
                                  playbacks << request.playbackRecording;
                                  return 0;
                              },
                              QStringLiteral("Вы прослушали текст урока.")};
        textWork.playsBackRecording = true;
        kinds.set(KindTextWork, textWork);
        return kinds;
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

    void run(int kind)
    {
        const auto found = window->lessonTree->findItems(QStringLiteral("Вид %1").arg(kind),
                                                         Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1);
        window->lessonTree->setCurrentItem(found.first());
        window->runSelectedExercise();
    }

    // Notes what the listening window was given and leaves it.
    static std::function<void(QWidget *)> leaveWindow(ListenTranslateSettings &given)
    {
        return [&given](QWidget *modal) {
            auto *form = qobject_cast<ListenTranslateWindow *>(modal);
            ASSERT_NE(form, nullptr) << modal->metaObject()->className();
            given = form->session().settings();
            form->leave();
        };
    }

    static std::function<void(QWidget *)> endDialogChoice(PictureButton *ExerciseEndDialog::*button,
                                                          QString *message = nullptr)
    {
        return [=](QWidget *modal) {
            auto *dialog = qobject_cast<ExerciseEndDialog *>(modal);
            ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
            if (message)
                *message = dialog->messageText->toPlainText();
            (dialog->*button)->click();
        };
    }
};

struct KindCase {
    int kind;
    bool records;
    bool text;
    bool translation;
    bool wait;
    int helpTopic;
    const char *message;
};

TEST_F(ListeningKindsTest, EachKindOpensTheWindowWithItsOwnSettings)
{
    const KindCase cases[] = {
        {4, true, true, false, false, 0, "Вы перевели текст."}, // mode D allows the text
        {8, false, true, false, false, 0, "Вы прослушали текст урока."},
        {11, false, false, false, false, 110, "Вы прослушали текст урока."},
        {12, true, false, false, true, 140, "Вы прослушали текст урока."},
        {13, true, false, false, false, 150, "Вы прослушали текст урока."},
        {14, true, false, true, false, 160, "Вы прослушали текст урока."},
        {15, true, true, false, false, 170, "Вы прослушали текст урока."},
    };
    for (const KindCase &c : cases) {
        ListenTranslateSettings given;
        QString message;
        ModalScript script({leaveWindow(given), endDialogChoice(&ExerciseEndDialog::leaveButton, &message)});
        run(c.kind);
        EXPECT_TRUE(script.finished()) << c.kind;
        EXPECT_EQ(given.recordingName, c.records ? QStringLiteral("AnonSnd.wav") : QString()) << c.kind;
        EXPECT_EQ(given.textAllowed, c.text) << c.kind;
        EXPECT_EQ(given.translationAllowed, c.translation) << c.kind;
        EXPECT_EQ(given.waitOffered, c.wait) << c.kind;
        EXPECT_EQ(given.helpTopic, c.helpTopic) << c.kind;
        EXPECT_EQ(given.courseSound, QStringLiteral("____Data\\l1\\t.wav")) << c.kind;
        EXPECT_EQ(given.timingFile, QStringLiteral("____Data\\l1\\s.txt")) << c.kind;
        EXPECT_EQ(given.pictureFolder, QStringLiteral("____Data\\")) << c.kind;
        EXPECT_EQ(message, QString::fromUtf8(c.message)) << c.kind;
    }
}

// The course builder checks the help against its own picture of each listening window;
// that picture must be what the dispatcher really opens.
TEST_F(ListeningKindsTest, TheCourseBuilderKnowsWhatEachWindowOffers)
{
    for (const int kind : {4, 8, 11, 12, 13, 14, 15}) {
        ListenTranslateSettings given;
        ModalScript script({leaveWindow(given), endDialogChoice(&ExerciseEndDialog::leaveButton)});
        run(kind);
        ASSERT_TRUE(script.finished()) << kind;
        CatalogueSource catalogue;
        catalogue.lines.resize(1);
        catalogue.lines[0].exerciseKind = kind;
        const ExerciseOffer offer = offerOf(catalogue, 0, u'D');
        EXPECT_EQ(offer.records, !given.recordingName.isEmpty()) << kind;
        EXPECT_EQ(offer.textShown, given.textAllowed) << kind;
        EXPECT_EQ(offer.translationShown, given.translationAllowed) << kind;
        EXPECT_EQ(offer.wait, given.waitOffered) << kind;
    }
}

TEST_F(ListeningKindsTest, TheSpaceARecordingNeedsIsTheSafetyCopyAndTheSaveOfSoundAndTail)
{
    // 1 s of course sound and 10 s of tail, at the template's 44,100 bytes a second, twice.
    EXPECT_EQ(ExerciseKindTable::recordingBytesNeeded("____Data\\l1\\t.wav"), 44100u * 11 * 2);
    EXPECT_EQ(ExerciseKindTable::recordingBytesNeeded("____Data\\l1\\none.wav"), 0u);
}

TEST_F(ListeningKindsTest, ARecordingKindWithTooLittleSpaceSaysSoAndStartsNothing)
{
    QStringList asked;
    window->setExercises(table({[] { return true; },
                                [&](const QString &path) {
                                    asked << path;
                                    return std::optional<quint64>(44100 * 11 * 2 - 1);
                                }}),
                         &endDialog);
    {
        ModalScript message({[](QWidget *modal) { qobject_cast<QDialog *>(modal)->accept(); }});
        run(13);
        EXPECT_TRUE(message.finished());
    }
    EXPECT_EQ(asked, QStringList{"AnonSnd.wav"}) << "the file system the recording goes to";
    QString shown;
    int icon = -1;
    ModalScript script({[&](QWidget *modal) {
        auto *message = qobject_cast<MessageWindow *>(modal);
        ASSERT_NE(message, nullptr) << modal->metaObject()->className();
        shown = message->shownText();
        icon = message->shownIconIndex();
        message->accept();
    }});
    run(4);
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(script.overrun()) << "no window and no end dialog";
    EXPECT_EQ(shown, QStringLiteral("Упражнение не может быть выполнено. На диске нет места."));
    EXPECT_EQ(messages.windowTitle(), QStringLiteral("Внимание"));
    EXPECT_EQ(icon, 2);
}

TEST_F(ListeningKindsTest, ACardWithoutFullDuplexStartsNoRecordingKind)
{
    audio.setFullDuplex(false);
    for (int kind : {4, 11, 12, 13, 14, 15}) {
        ModalScript script({[](QWidget *modal) {
            auto *dialog = qobject_cast<FullDuplexDialog *>(modal);
            ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
            dialog->okButton->click();
        }});
        run(kind);
        EXPECT_TRUE(script.finished()) << kind;
        EXPECT_FALSE(script.overrun()) << kind;
    }
    // Listening without recording needs no check.
    ListenTranslateSettings given;
    ModalScript script({leaveWindow(given), endDialogChoice(&ExerciseEndDialog::leaveButton)});
    run(8);
    EXPECT_TRUE(script.finished());
}

TEST_F(ListeningKindsTest, ANamedLearnersRecordingIsKeptAndTextWorkBelowPlaysItBack)
{
    becomeNamedLearner();
    // Kind 15, entry 8, is the recording exercise nearest above the text work.
    const QString expected = users.current()->Dir() + QStringLiteral("Ann8.wav");
    ListenTranslateSettings given;
    ModalScript script({leaveWindow(given), endDialogChoice(&ExerciseEndDialog::okButton),
                        endDialogChoice(&ExerciseEndDialog::okButton)});
    run(15);
    EXPECT_EQ(given.recordingName, expected);
    EXPECT_EQ(progress.record(8)->SoundFile(), expected);
    EXPECT_TRUE(progress.record(8)->Done());
    run(5);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(playbacks, QStringList{expected});
}

} // namespace
