#include "reports/ClassReportWindow.h"
#include "reports/ReportWindow.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"
#include "support/AccessibilityContract.h"
#include "support/ModalAnswer.h"
#include "support/TempCourse.h"
#include "support/WaysOut.h"
#include "ui/AboutDialog.h"
#include "ui/MessageWindow.h"
#include "users/ModeChoice.h"
#include "users/ModeDialog.h"
#include "users/NewUserDialog.h"
#include "users/PasswordDialog.h"
#include "users/SelectUserDialog.h"

#include "controls/PictureButton.h"
#include "controls/SkinArt.h"
#include "core/LocalProcess.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

namespace {

using Step = std::function<void(QWidget *)>;

Step chooseUser(int row)
{
    return [row](QWidget *modal) {
        auto *dialog = qobject_cast<SelectUserDialog *>(modal);
        ASSERT_NE(dialog, nullptr) << modal->objectName().toStdString();
        dialog->userList->setCurrentRow(row);
        dialog->okButton->click();
    };
}

Step deleteUser(int row)
{
    return [row](QWidget *modal) {
        auto *dialog = qobject_cast<SelectUserDialog *>(modal);
        ASSERT_NE(dialog, nullptr) << modal->objectName().toStdString();
        dialog->userList->setCurrentRow(row);
        dialog->deleteButton->click();
    };
}

Step typePassword(const QString &text)
{
    return [text](QWidget *modal) {
        auto *dialog = qobject_cast<PasswordDialog *>(modal);
        ASSERT_NE(dialog, nullptr) << modal->objectName().toStdString();
        dialog->passwordField->setText(text);
        dialog->okButton->click();
    };
}

Step expectMessage(const QString &text, QStringList *seen = nullptr)
{
    return [text, seen](QWidget *modal) {
        auto *window = qobject_cast<MessageWindow *>(modal);
        ASSERT_NE(window, nullptr) << modal->objectName().toStdString();
        EXPECT_EQ(window->shownText(), text);
        if (seen)
            seen->append(window->shownText());
        window->okButton->click();
    };
}

Step cancelDialog()
{
    return [](QWidget *modal) { qobject_cast<QDialog *>(modal)->reject(); };
}

// A course of four catalogues (A: 3 entries, D: 4 entries) and a Report folder.
class MainWindowUsersTest : public ::testing::Test {
protected:
    TempCourse course;
    std::unique_ptr<StartupWindows> app;

    void SetUp() override
    {
        const QString root = QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t");
        const QString exercise = QStringLiteral("Упражнение %1\t1\t1\t2\t\t2\t\t\t\t\t");
        course.writeLines("InitRegA.txt", {root, exercise.arg(2), exercise.arg(3)});
        course.writeLines("InitRegB.txt", {root, exercise.arg(2)});
        course.writeLines("InitRegC.txt", {root});
        course.writeLines("InitRegD.txt", {root, exercise.arg(2), exercise.arg(3), exercise.arg(4)});
        QFile::copy(QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR "/NFREESET.TTF"), course.absolute("NFREESET.TTF"));
        QDir().mkdir("Report");
    }

    // A learner with a progress file in mode D whose entry 3 is done.
    void addLearner(const QString &name, const QString &password, QChar mode = u'D')
    {
        UserRecord user;
        user.setName(name);
        user.setPassword(password);
        user.setReg(mode);
        const QString file = newUserFileName(QDir::currentPath(), name);
        user.setFileName(file);
        user.setDir(file.left(file.lastIndexOf(u'\\') + 1));
        QByteArray users = course.readBytes("Users.eng") + user.bytes();
        course.writeBytes("Users.eng", users);
        QByteArray progress(5 * 264, '\0');
        progress[8] = 27;
        progress.replace(9, 27, "Zelmarinta Vestorianika 1.0");
        progress[3 * 264] = 1;
        course.writeBytes(QStringLiteral("Report/%1/%1.rep").arg(name), progress);
    }

    MainWindow &start()
    {
        app = createStartupWindows({/*showIntro=*/false});
        app->mainWindow->runStartup();
        return *app->mainWindow;
    }

    int doneMarks() const
    {
        int done = 0;
        const QImage doneImage = SkinArt::treeImage(2).toImage();
        for (QTreeWidgetItemIterator it(app->mainWindow->lessonTree); *it; ++it)
            done += (*it)->icon(0).pixmap(16, 16).toImage() == doneImage;
        return done;
    }
};

TEST_F(MainWindowUsersTest, AnEmptyListIsReportedAndTheSelectionStartsOver)
{
    MainWindow &window = start();
    ModalScript script({chooseUser(-1), expectMessage(QStringLiteral("Нет ни одного имени")), cancelDialog()});
    window.selectUser();
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(script.overrun());
    EXPECT_EQ(app->users.CurUser, -1);
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("Анонимный пользователь")));
}

TEST_F(MainWindowUsersTest, AWrongPasswordStartsOverAndTheRightOneSwitchesUser)
{
    addLearner("Ann", "a1");
    addLearner("Bob", "");
    MainWindow &window = start();
    {
        ModalScript script({chooseUser(0), typePassword("A1"), expectMessage(QStringLiteral("Неправильный пароль")),
                            chooseUser(0), typePassword("a1")});
        window.selectUser();
        EXPECT_TRUE(script.finished());
    }
    EXPECT_EQ(app->users.CurUser, 0);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tessamer Ann - Режим D."));
    EXPECT_TRUE(window.toolBar->reportButton->isEnabled());
    EXPECT_EQ(doneMarks(), 1);
    EXPECT_EQ(window.lessonTree->currentItem(), window.lessonTree->topLevelItem(0));

    // An empty password matches an empty entry.
    ModalScript again({chooseUser(1), typePassword("")});
    window.selectUser();
    EXPECT_EQ(app->users.CurUser, 1);
    EXPECT_TRUE(again.finished());
}

// Bob works in another copy (a running process holds his lock): he can be neither chosen
// nor deleted here, and Ann, whose lock this copy holds until it ends, stays current.
TEST_F(MainWindowUsersTest, ALearnerOfAnotherCopyIsRefusedAndTheCurrentOneKept)
{
    addLearner("Ann", "");
    addLearner("Bob", "");
    course.writeBytes("Report/Bob/Bob.rep.lock", LocalProcess::hostName().toUtf8() + "\n1\n\n");
    MainWindow &window = start();
    const QString refused = QStringLiteral("Ученик Bob сейчас работает в другой копии программы.");
    ModalScript script({chooseUser(0), typePassword(""), chooseUser(1), typePassword(""), expectMessage(refused),
                        deleteUser(1), typePassword(""), expectMessage(refused), cancelDialog()});
    window.selectUser();
    EXPECT_TRUE(QFile::exists("Report/Ann/Ann.rep.lock"));
    window.selectUser();
    window.selectUser();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(app->users.CurUser, 0);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tessamer Ann - Режим D."));
    EXPECT_EQ(app->users.Users.size(), 2);
    window.runShutdown();
    EXPECT_FALSE(QFile::exists("Report/Ann/Ann.rep.lock"));
    EXPECT_TRUE(QFile::exists("Report/Bob/Bob.rep.lock"));
}

// Another copy took Ann over while this one could not renew her lock. The renewal waits for
// her folder off the interface thread (her lock file is a pipe that answers only when the
// other copy writes it), and the window's event loop turns meanwhile; when the answer comes,
// this copy goes over to the anonymous learner, says so, and writes nothing more of hers.
TEST_F(MainWindowUsersTest, ALearnerTakenOverByAnotherCopyIsLeft)
{
    addLearner("Ann", "");
    MainWindow &window = start();
    {
        ModalScript script({chooseUser(0), typePassword("")});
        window.selectUser();
    }
    ASSERT_TRUE(QFile::remove("Report/Ann/Ann.rep.lock"));
    ASSERT_EQ(::mkfifo("Report/Ann/Ann.rep.lock", 0644), 0);
    const QByteArray progress = course.readBytes("Report/Ann/Ann.rep");
    QStringList seen;
    ModalScript script({[&](QWidget *modal) {
        auto *message = qobject_cast<MessageWindow *>(modal);
        ASSERT_NE(message, nullptr);
        seen << message->shownText();
        message->okButton->click();
    }});

    // The other copy answers once the interface thread has turned its event loop, or after
    // ten seconds when it never does.
    std::atomic<bool> turned = false;
    bool turnedFirst = false;
    std::thread otherCopy([&] {
        for (int waited = 0; waited < 10000 && !turned; waited += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        turnedFirst = turned;
        const QByteArray other = LocalProcess::hostName().toUtf8() + "\n1\n\n";
        const int fd = ::open("Report/Ann/Ann.rep.lock", O_WRONLY);
        EXPECT_EQ(::write(fd, other.constData(), size_t(other.size())), other.size());
        ::close(fd);
    });
    QTimer::singleShot(0, [&] { turned = true; });
    window.renewLearnerLock();
    QElapsedTimer waited;
    waited.start();
    while (!script.finished() && waited.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    otherCopy.join();
    EXPECT_TRUE(turnedFirst) << "the interface thread waited for the lock's folder";
    EXPECT_TRUE(script.finished());
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].startsWith(QStringLiteral("Ученик Ann сейчас работает в другой копии программы.")));
    EXPECT_EQ(app->users.CurUser, -1);
    window.runShutdown();
    EXPECT_EQ(course.readBytes("Report/Ann/Ann.rep"), progress);
}

// "Отчет по классу" from the menu: a table per mode with every learner as the files hold
// them, "Сохранить как…" in both forms, and each way out (Esc, "Закрыть", the close box).
TEST_F(MainWindowUsersTest, TheClassReportShowsEveryLearnerAndSavesBothForms)
{
    addLearner("Ann", "");
    MainWindow &window = start();
    addLearner("Bob", ""); // made by another copy after this one started
    const QString saved = QDir::current().filePath("class");
    const Step look = [&](QWidget *modal) {
        auto *report = qobject_cast<ClassReportWindow *>(modal);
        ASSERT_NE(report, nullptr) << modal->objectName().toStdString();
        ASSERT_EQ(report->modeTabs->count(), 1);
        EXPECT_EQ(report->modeTabs->tabText(0), QStringLiteral("Режим D"));
        auto *table = qobject_cast<QTableWidget *>(report->modeTabs->widget(0));
        ASSERT_EQ(table->rowCount(), 2);
        EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("Ann"));
        EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("Bob"));
        EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("1"));
        EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("+")) << "entry 3, the second exercise, is done";
        for (const char *ending : {".csv", ".html"}) {
            report->chooseFile = [&](QWidget *) { return saved + QString::fromLatin1(ending); };
            report->saveButton->click();
        }
        QTest::keyClick(report, Qt::Key_Escape);
    };
    const Step closeByButton = [](QWidget *modal) { qobject_cast<ClassReportWindow *>(modal)->closeButton->click(); };
    const Step closeByBox = [](QWidget *modal) { modal->close(); };
    ModalScript script({look, closeByButton, closeByBox});
    for (int i = 0; i < 3; ++i)
        window.classReportAction->trigger();
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(script.overrun());
    EXPECT_TRUE(course.readBytes("class.csv").startsWith("Ученик,Режим,Выполнено,"));
    EXPECT_TRUE(course.readBytes("class.html").contains("<td>Bob</td><td>1</td>"));
}

TEST_F(MainWindowUsersTest, CancellingThePasswordEndsTheFlow)
{
    addLearner("Ann", "a1");
    MainWindow &window = start();
    ModalScript script({chooseUser(0), cancelDialog()});
    window.selectUser();
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(script.overrun());
    EXPECT_EQ(app->users.CurUser, -1);
}

TEST_F(MainWindowUsersTest, DeletingTheCurrentUserThenCancellingFallsBackToAnonymous)
{
    addLearner("Ann", "a1");
    addLearner("Bob", "b2");
    MainWindow &window = start();
    window.changeUser(0);
    ASSERT_EQ(window.windowTitle(), QStringLiteral("Tessamer Ann - Режим D."));

    ModalScript script({deleteUser(0), typePassword("a1"), cancelDialog()});
    window.selectUser();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(app->users.CurUser, -1);
    ASSERT_EQ(app->users.LastUser(), 0);
    EXPECT_EQ(app->users.Users[0].Name(), QStringLiteral("Bob"));
    EXPECT_FALSE(QDir(course.absolute("Report/Ann")).exists());
    window.finishSaves();
    EXPECT_EQ(course.readBytes("Users.eng"), app->users.Users[0].bytes()) << "the deletion is saved at once";
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("Анонимный пользователь")));
    EXPECT_EQ(app->selectUserDialog->userList->currentRow(), 0) << "a neighbouring line stays selected";
}

TEST_F(MainWindowUsersTest, DeletingWithAWrongPasswordOrFromAnEmptyList)
{
    addLearner("Ann", "a1");
    MainWindow &window = start();
    QStringList seen;
    ModalScript script({deleteUser(0), typePassword("no"), expectMessage(QStringLiteral("Неправильный пароль"), &seen),
                        deleteUser(0), typePassword("a1"), deleteUser(0), typePassword("anything"),
                        expectMessage(QStringLiteral("Удалять больше нечего"), &seen), cancelDialog()});
    window.selectUser();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(seen.size(), 2);
    EXPECT_EQ(app->users.LastUser(), -1);
}

TEST_F(MainWindowUsersTest, ANewUserBecomesCurrentWithAFreshProgressFile)
{
    // As the installed sample course comes: without a Report folder, which the first
    // learner makes.
    ASSERT_TRUE(QDir("Report").removeRecursively());
    MainWindow &window = start();
    ModalScript script({[](QWidget *modal) {
        auto *dialog = qobject_cast<NewUserDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->nameField->setText("Zoe Li");
        dialog->passwordField->setText("pw");
        dialog->passwordRepeatField->setText("pw");
        dialog->modeChoice->modeDButton->setChecked(true);
        dialog->okButton->click();
    }});
    window.createUser();
    EXPECT_TRUE(script.finished());
    ASSERT_EQ(app->users.CurUser, 0);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tessamer Zoe Li - Режим D."));
    EXPECT_EQ(app->users.Users[0].FileName(), QDir::currentPath() + QStringLiteral("\\Report\\Zoe Li\\Zoe Li.rep"));
    EXPECT_EQ(course.readBytes("Report/Zoe Li/Zoe Li.rep").size(), 5 * 264);
    window.finishSaves();
    EXPECT_EQ(course.readBytes("Users.eng"), app->users.Users[0].bytes()) << "the new learner is saved at once";
    EXPECT_EQ(doneMarks(), 0);
}

TEST_F(MainWindowUsersTest, TheNameFieldSaysWhyItDropsCyrillicLetters)
{
    MainWindow &window = start();
    bool hintBefore = true;
    bool hintAfter = false;
    QString typed;
    ModalScript script({[&](QWidget *modal) {
        auto *dialog = qobject_cast<NewUserDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        hintBefore = dialog->nameHint->isVisible();
        // Typed as a keyboard gives letters (QTest knows no Cyrillic keys).
        for (const QChar letter : QStringLiteral("Anя")) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(letter));
            QApplication::sendEvent(dialog->nameField, &press);
        }
        typed = dialog->nameField->text();
        hintAfter = dialog->nameHint->isVisible();
        dialog->reject();
    }});
    window.createUser();
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(hintBefore);
    EXPECT_EQ(typed, QStringLiteral("An"));
    EXPECT_TRUE(hintAfter);
    EXPECT_EQ(app->newUserDialog->nameHint->text(), QStringLiteral("Имя пишется латинскими буквами"));
}

TEST_F(MainWindowUsersTest, AFailingCheckKeepsTheNewUserDialogOpen)
{
    addLearner("Ann", "a1");
    MainWindow &window = start();
    auto fillAndConfirm = [](const QString &name) {
        return [name](QWidget *modal) {
            auto *dialog = qobject_cast<NewUserDialog *>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->nameField->setText(name);
            dialog->okButton->click();
        };
    };
    ModalScript script({fillAndConfirm("Ann"), expectMessage(QStringLiteral("Такое имя уже есть.")), cancelDialog()});
    window.createUser();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(app->users.LastUser(), 0);
    EXPECT_EQ(app->users.CurUser, -1);
}

// The disk fills up (files of this process may not grow past `bytes`) until this ends.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        const rlimit limit{bytes, previous_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
};

// A learner created while the user list cannot be written is told about, stays in the list
// when other copies' changes are taken in, and is written by the next save.
TEST_F(MainWindowUsersTest, ALearnerWhoseSaveFailedIsKeptAndSavedNextTime)
{
    addLearner("Ann", "a1");
    addLearner("Bob", "b1");
    addLearner("Cid", "c1");
    MainWindow &window = start();
    QString told;
    {
        // Room for the new learner's progress file (1320 bytes), not for a list of four (2240).
        FullDisk disk(2000);
        ModalScript script({[](QWidget *modal) {
                                auto *dialog = qobject_cast<NewUserDialog *>(modal);
                                ASSERT_NE(dialog, nullptr);
                                dialog->nameField->setText("Dan");
                                dialog->modeChoice->modeDButton->setChecked(true);
                                dialog->okButton->click();
                            },
                            [&](QWidget *modal) {
                                if (auto *message = qobject_cast<MessageWindow *>(modal))
                                    told = message->shownText();
                                modal->close();
                            }});
        window.createUser();
        EXPECT_TRUE(script.finished());
    }
    EXPECT_TRUE(told.contains(QStringLiteral("Users.eng"))) << told.toStdString();
    ASSERT_EQ(course.readBytes("Users.eng").size(), 3 * 560);

    ModalScript script({cancelDialog()});
    window.selectUser(); // takes in the list on disk before it shows it
    EXPECT_TRUE(script.finished());
    ASSERT_EQ(app->users.Users.size(), 4);
    EXPECT_EQ(app->users.Users[3].Name(), QStringLiteral("Dan"));
    EXPECT_EQ(app->users.current(), &app->users.Users[3]);

    window.close();
    const QByteArray saved = course.readBytes("Users.eng");
    ASSERT_EQ(saved.size(), 4 * 560);
    EXPECT_EQ(saved.mid(3 * 560), app->users.Users[3].bytes());
}

TEST_F(MainWindowUsersTest, ChangingANamedUsersModeErasesAndResizesTheProgress)
{
    addLearner("Ann", "a1");
    MainWindow &window = start();
    window.changeUser(0);
    ASSERT_EQ(doneMarks(), 1);

    ModalScript script({[](QWidget *modal) {
        auto *dialog = qobject_cast<ModeDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->modeChoice->modeAButton->setChecked(true);
        dialog->okButton->click();
    }});
    window.changeMode();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(app->users.Users[0].Reg(), QChar(u'A'));
    window.finishSaves();
    EXPECT_EQ(course.readBytes("Users.eng"), app->users.Users[0].bytes()) << "the new mode is saved at once";
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tessamer Ann - Режим A."));
    const QByteArray file = course.readBytes("Report/Ann/Ann.rep");
    EXPECT_EQ(file.size(), 4 * 264);
    EXPECT_EQ(file.mid(264), QByteArray(3 * 264, '\0'));
    EXPECT_EQ(doneMarks(), 0);
    EXPECT_EQ(app->progress.EntryCount, 3);

    // The choice is kept for the next showing, whatever the current mode.
    EXPECT_EQ(app->modeDialog->selectedMode(), QChar(u'A'));
}

TEST_F(MainWindowUsersTest, ConfirmingTheCurrentModeAsksBeforeErasingTheMarks)
{
    addLearner("Ann", "a1");
    MainWindow &window = start();
    window.changeUser(0);
    const QByteArray before = course.readBytes("Report/Ann/Ann.rep");
    const auto confirmShownMode = [](QWidget *modal) {
        auto *dialog = qobject_cast<ModeDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->selectedMode(), QChar(u'D')) << "the dialog opens on the learner's mode";
        pressIn(dialog, Qt::Key_Return);
    };
    const auto answerQuestion = [](Qt::Key key) {
        return [key](QWidget *modal) {
            auto *question = qobject_cast<MessageWindow *>(modal);
            ASSERT_NE(question, nullptr);
            EXPECT_EQ(question->shownText(),
                      QStringLiteral("Начать режим заново? Отметки о выполненных упражнениях будут удалены."));
            EXPECT_TRUE(question->noButton->isDefault());
            pressIn(question, key);
        };
    };

    // Enter, then Enter again: the question's default keeps the marks.
    {
        ModalScript script({confirmShownMode, answerQuestion(Qt::Key_Return)});
        window.changeMode();
        EXPECT_TRUE(script.finished());
    }
    EXPECT_EQ(doneMarks(), 1);
    EXPECT_EQ(course.readBytes("Report/Ann/Ann.rep"), before);

    // Answering "Да" (Alt+Д) starts the mode again.
    {
        ModalScript script({confirmShownMode, [](QWidget *modal) {
                                auto *question = qobject_cast<MessageWindow *>(modal);
                                ASSERT_NE(question, nullptr);
                                QTest::mouseClick(question->yesButton, Qt::LeftButton);
                            }});
        window.changeMode();
        EXPECT_TRUE(script.finished());
    }
    EXPECT_EQ(doneMarks(), 0);
    EXPECT_EQ(course.readBytes("Report/Ann/Ann.rep").mid(264), QByteArray(4 * 264, '\0'));
}

// Each dialog of the user commands, left by Esc, its cancel (or close) button or the close
// box, leaves the learner, the marks, the files and the caption as they were.
TEST_F(MainWindowUsersTest, EveryWayOutOfTheUserDialogsChangesNothing)
{
    addLearner("Ann", "a1");
    MainWindow &window = start();
    window.changeUser(0);
    const QByteArray progressBefore = course.readBytes("Report/Ann/Ann.rep");
    const QByteArray userBefore = app->users.Users[0].bytes();
    const QString captionBefore = window.windowTitle();
    const QStringList reportFolders = QDir("Report").entryList(QDir::Dirs | QDir::NoDotAndDotDot);

    // Each dialog also keeps the accessibility contract as it is shown.
    QStringList problems;
    const auto leave = [&problems](WayOut way, const char *buttonName) {
        return [&problems, way, buttonName](QWidget *modal) {
            for (const QString &problem : accessibilityProblems(modal))
                problems << modal->objectName() + QStringLiteral(": ") + problem;
            leaveBy(way, modal, modal->findChild<QAbstractButton *>(buttonName));
        };
    };
    struct Dialog {
        const char *what;
        std::function<void()> open;
        QList<Step> before; // steps that lead to the dialog
        const char *button;
    };
    const QList<Dialog> dialogs = {
        {"mode", [&] { window.changeMode(); }, {}, "cancelButton"},
        {"select user", [&] { window.selectUser(); }, {}, "cancelButton"},
        {"password", [&] { window.selectUser(); }, {chooseUser(0)}, "cancelButton"},
        {"new user", [&] { window.createUser(); }, {}, "cancelButton"},
        {"report", [&] { window.showReport(); }, {}, "closeButton"},
        {"about", [&] { window.showAbout(); }, {}, "programOkButton"},
    };
    for (const Dialog &dialog : dialogs) {
        for (const WayOut way : AllWaysOut) {
            QList<Step> steps = dialog.before;
            steps << leave(way, dialog.button);
            ModalScript script(steps);
            dialog.open();
            const std::string what = std::string(dialog.what) + ", " + nameOf(way);
            EXPECT_TRUE(script.finished()) << what;
            EXPECT_FALSE(script.overrun()) << what << ": the dialog stayed open or another opened";
            EXPECT_EQ(app->users.CurUser, 0) << what;
            EXPECT_EQ(app->users.Users.size(), 1) << what;
            EXPECT_EQ(app->users.Users[0].bytes(), userBefore) << what;
            EXPECT_EQ(course.readBytes("Report/Ann/Ann.rep"), progressBefore) << what;
            EXPECT_EQ(QDir("Report").entryList(QDir::Dirs | QDir::NoDotAndDotDot), reportFolders) << what;
            EXPECT_EQ(window.windowTitle(), captionBefore) << what;
            EXPECT_EQ(doneMarks(), 1) << what;
        }
    }
    problems.removeDuplicates();
    EXPECT_EQ(problems, QStringList());
    EXPECT_EQ(accessibilityProblems(&window), QStringList());
}

// A screen reader hears what the tree's images show: a lesson or an exercise, and whether
// the exercise is done; a row without children is not reported open.
TEST_F(MainWindowUsersTest, TreeRowsTellAScreenReaderTheirKindAndDoneState)
{
    addLearner("Ann", "a1");
    MainWindow &window = start();
    window.changeUser(0);
    QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(window.lessonTree);
    ASSERT_NE(tree, nullptr);
    QStringList rows;
    for (int i = 0; i < tree->childCount(); ++i) {
        QAccessibleInterface *row = tree->child(i);
        if (!row || row->role() != QAccessible::TreeItem)
            continue;
        rows << row->text(QAccessible::Name) + " | " + row->text(QAccessible::Description);
        if (!row->state().expandable) {
            EXPECT_FALSE(row->state().expanded) << row->text(QAccessible::Name).toStdString();
        }
    }
    EXPECT_EQ(rows, (QStringList{"Курс | урок", "Упражнение 2 | упражнение, не выполнено",
                                 "Упражнение 3 | упражнение, выполнено", "Упражнение 4 | упражнение, не выполнено"}));
}

TEST_F(MainWindowUsersTest, ChangingTheAnonymousModeTouchesNoFile)
{
    MainWindow &window = start();
    ModalScript script({[](QWidget *modal) {
        auto *dialog = qobject_cast<ModeDialog *>(modal);
        dialog->modeChoice->modeBButton->setChecked(true);
        dialog->okButton->click();
    }});
    window.changeMode();
    EXPECT_EQ(app->course.AnonMode, QChar(u'B'));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("     Ostrand  Анонимный пользователь - Режим B."));
    int nodes = 0;
    for (QTreeWidgetItemIterator it(window.lessonTree); *it; ++it)
        ++nodes;
    EXPECT_EQ(nodes, 2);
    EXPECT_TRUE(QDir(course.absolute("Report")).isEmpty());
}

TEST_F(MainWindowUsersTest, ShutdownSavesTheLearnersProgressThenTheUserList)
{
    addLearner("Ann", "a1");
    const QByteArray usersBefore = course.readBytes("Users.eng");
    MainWindow &window = start();
    window.changeUser(0);
    app->progress.record(2)->setDone(true);
    window.close();
    EXPECT_EQ(course.readBytes("Report/Ann/Ann.rep")[2 * 264], 1);
    EXPECT_EQ(course.readBytes("Users.eng"), usersBefore);
}

// A logout the desktop then cancels: the work is saved at the request, and the real exit
// later saves what changed since.
TEST_F(MainWindowUsersTest, ASessionEndSavesAndTheLaterExitSavesAgain)
{
    addLearner("Ann", "a1");
    MainWindow &window = start();
    window.changeUser(0);
    app->progress.record(2)->setDone(true);
    window.saveForSessionEnd();
    EXPECT_EQ(course.readBytes("Report/Ann/Ann.rep")[2 * 264], 1);
    app->progress.record(4)->setDone(true);
    window.close();
    EXPECT_EQ(course.readBytes("Report/Ann/Ann.rep")[4 * 264], 1);
}

TEST_F(MainWindowUsersTest, AUserFolderThatCannotBeMadeIsNamedAsTheCause)
{
    QDir("Report").removeRecursively();
    course.writeBytes("Report", "a file where the folder should be");
    MainWindow &window = start();
    ModalScript script({[](QWidget *modal) {
                            auto *dialog = qobject_cast<NewUserDialog *>(modal);
                            ASSERT_NE(dialog, nullptr);
                            dialog->nameField->setText("Zoe");
                            dialog->okButton->click();
                        },
                        expectMessage(QStringLiteral("Не удалось создать папку «%1»: на этом месте есть файл с таким же "
                                                     "именем")
                                          .arg(QDir::current().absoluteFilePath("Report"))),
                        cancelDialog()}); // then: no progress file to read
    window.createUser();
    EXPECT_TRUE(script.finished());
}

TEST_F(MainWindowUsersTest, ShutdownAsAnonymousRewritesOnlyTheUserList)
{
    MainWindow &window = start();
    window.close();
    EXPECT_TRUE(QFile::exists(course.absolute("Users.eng")));
    EXPECT_TRUE(course.readBytes("Users.eng").isEmpty());
    EXPECT_TRUE(QDir(course.absolute("Report")).isEmpty());
}

TEST_F(MainWindowUsersTest, AReadOnlyCourseSaysSoAndSavesNothing)
{
    addLearner("Ann", "a1");
    const QByteArray usersBefore = course.readBytes("Users.eng");
    const QByteArray progressBefore = course.readBytes("Report/Ann/Ann.rep");
    const QString notice = QStringLiteral("только для чтения");
    app = createStartupWindows({/*showIntro=*/false});
    app->mainWindow->openReadOnly(notice);
    ModalScript script({expectMessage(notice)});
    app->mainWindow->runStartup();
    app->mainWindow->changeUser(0);
    app->progress.record(2)->setDone(true);
    app->mainWindow->changeUser(-1);
    app->mainWindow->close();
    EXPECT_EQ(course.readBytes("Report/Ann/Ann.rep"), progressBefore);
    EXPECT_EQ(course.readBytes("Users.eng"), usersBefore);
}

TEST_F(MainWindowUsersTest, TheReportShowsTheLearnersProgressInBold)
{
    addLearner("Ann", "a1");
    MainWindow &window = start();
    window.showReport(); // anonymous: nothing opens
    window.changeUser(0);
    ModalScript script({[](QWidget *modal) {
        auto *report = qobject_cast<ReportWindow *>(modal);
        ASSERT_NE(report, nullptr);
        ASSERT_EQ(report->reportList->count(), 4);
        EXPECT_EQ(report->reportList->item(2)->text(), QStringLiteral("       Упражнение 3 - Выполнено"));
        EXPECT_TRUE(report->reportList->item(2)->data(Qt::UserRole).toBool());
        EXPECT_FALSE(report->reportList->item(1)->data(Qt::UserRole).toBool());
        report->reportList->setCurrentRow(2);
        report->showSelectedLine();
        EXPECT_FALSE(report->deleteSoundButton->isEnabled()) << "a vocabulary drill keeps no recording";
        report->closeButton->click();
    }});
    window.showReport();
    EXPECT_TRUE(script.finished());
}

TEST_F(MainWindowUsersTest, ARecordingDeletedInTheReportTakesItsMarkOffTheDiskAtOnce)
{
    const QString root = QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t");
    course.writeLines("InitRegD.txt", {root, QStringLiteral("Слова\t1\t1\t2\t\t2\t\t\t\t\t"),
                                       QStringLiteral("Перевод\t1\t1\t2\t\t4\t\t\t\t\t"),
                                       QStringLiteral("Слова 2\t1\t1\t2\t\t2\t\t\t\t\t")});
    addLearner("Ann", "a1");
    QByteArray progress = course.readBytes("Report/Ann/Ann.rep");
    const QByteArray sound = "Report\\Ann\\Ann3.wav";
    progress[3 * 264 + 8] = char(sound.size());
    progress.replace(3 * 264 + 9, sound.size(), sound);
    course.writeBytes("Report/Ann/Ann.rep", progress);
    course.writeBytes("Report/Ann/Ann3.wav", "RIFF");
    MainWindow &window = start();
    window.changeUser(0);
    ModalScript script({[](QWidget *modal) {
        auto *report = qobject_cast<ReportWindow *>(modal);
        ASSERT_NE(report, nullptr);
        report->reportList->setCurrentRow(2);
        report->showSelectedLine();
        report->deleteSoundButton->click();
        report->closeButton->click();
    }});
    window.showReport();
    EXPECT_TRUE(script.finished());
    window.finishSaves();
    EXPECT_FALSE(QFile::exists(course.absolute("Report/Ann/Ann3.wav")));
    const QByteArray saved = course.readBytes("Report/Ann/Ann.rep");
    EXPECT_EQ(saved[3 * 264], '\0') << "not done";
    EXPECT_EQ(saved[3 * 264 + 8], '\0') << "no recording";
}

} // namespace
