#include "shell/MainWindow.h"
#include "support/ModalAnswer.h"
#include "support/TempCourse.h"
#include "ui/MessageWindow.h"
#include "ui/ProjectSite.h"
#include "ui/TreeProgressWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

struct Message {
    QString caption;
    QString text;
};

// Records every message the program shows and closes it.
class MessageLog {
public:
    MessageLog()
        : answerer_([this](QWidget *modal) {
              auto *window = qobject_cast<MessageWindow *>(modal);
              messages.append({modal->windowTitle(), window ? window->shownText() : QString()});
              QTest::keyClick(modal, Qt::Key_Return);
          })
    {
        setMessageWindow(&window_);
    }
    ~MessageLog() { setMessageWindow(nullptr); }

    QList<Message> messages;

private:
    MessageWindow window_;
    ModalAnswerer answerer_;
};

// A course with one lesson: a heading with a picture, a text description, an RTF one,
// a heading with InfoKind 2 and an exercise whose description file is missing.
void writeSmallCourse(const TempCourse &course)
{
    const QString root = QStringLiteral("Курс\t0\t0\t1\tcourse.bmp\t0\t\t\t\t\t");
    course.writeLines("InitRegD.txt",
                      {root, QStringLiteral("Урок 1\t1\t1\t0\tl1\\about.txt\t0\t\t\t\t\t"),
                       QStringLiteral("Словарь\t1\t2\t0\tl1\\words.rtf\t2\tl1\\w.txt\t\t\t\t"),
                       QStringLiteral("Без описания\t1\t2\t2\t\t9\t\t\t\t\t"),
                       QStringLiteral("Пропавший файл\t1\t2\t0\tl1\\none.txt\t6\t\t\t\t\t"),
                       QStringLiteral("Рисунок\t1\t2\t1\tl1\\pic.jpg\t7\t\t\t\t\t")});
    for (const char *name : {"InitRegA.txt", "InitRegB.txt", "InitRegC.txt"})
        course.writeLines(name, {root});
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    course.writeImage("____Data/course.bmp", picture, "BMP");
    picture.fill(Qt::red);
    course.writeImage("____Data/l1/pic.jpg", picture, "JPEG");
    course.writeLines("____Data\\l1\\about.txt", {QStringLiteral("О уроке"), QStringLiteral("Вторая строка")});
    QFile::copy(QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR "/NFREESET.TTF"), course.absolute("NFREESET.TTF"));
    course.writeBytes("____Data\\l1\\words.rtf",
                      "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 \\b \\'d1\\'eb\\'ee\\'e2\\'e0\\b0\\par}");
}

class MainWindowTest : public ::testing::Test {
protected:
    TempCourse course;
    CourseState state;
    UserRegistry users;
    ProgressState progress;
    TreeProgressWindow progressWindow;
    MainWindow window{state, users, progress};
    MessageLog log;

    void SetUp() override { window.setProgressWindow(&progressWindow); }

    void startOn(const QString &nodeTitle = {})
    {
        window.runStartup();
        if (!nodeTitle.isEmpty()) {
            const auto found = window.lessonTree->findItems(nodeTitle, Qt::MatchExactly | Qt::MatchRecursive);
            ASSERT_EQ(found.size(), 1) << nodeTitle.toStdString();
            window.lessonTree->setCurrentItem(found.first());
        }
    }
    bool textShown() const { return !window.descriptionPane->descriptionText->isHidden(); }
    bool pictureShown() const { return !window.descriptionPane->pictureLabel->isHidden(); }
    QString shownText() const { return window.descriptionPane->descriptionText->toPlainText(); }
};

TEST_F(MainWindowTest, StartsAnonymousInModeDWithTheFirstNodeSelected)
{
    writeSmallCourse(course);
    startOn();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("     Ostrand  Анонимный пользователь - Режим D."));
    EXPECT_TRUE(window.courseReady());
    EXPECT_EQ(state.ShownCatalogue, QChar(u'D'));
    EXPECT_TRUE(state.TreeReady);
    ASSERT_NE(window.lessonTree->currentItem(), nullptr);
    EXPECT_EQ(window.lessonTree->currentItem()->text(0), QStringLiteral("Курс"));
    EXPECT_TRUE(pictureShown()) << "entry 1 has a picture description";
    EXPECT_FALSE(textShown());
    EXPECT_FALSE(window.toolBar->runButton->isEnabled()) << "a heading cannot be run";
    EXPECT_FALSE(window.toolBar->reportButton->isEnabled());
    EXPECT_TRUE(log.messages.isEmpty()) << log.messages.value(0).text.toStdString();
}

TEST_F(MainWindowTest, SelectingANodeShowsItsTextOrPictureOrKeepsThePane)
{
    writeSmallCourse(course);
    startOn(QStringLiteral("Урок 1"));
    EXPECT_TRUE(textShown());
    EXPECT_FALSE(pictureShown());
    EXPECT_EQ(shownText(), QStringLiteral("О уроке\nВторая строка\n"));

    startOn(QStringLiteral("Словарь"));
    EXPECT_EQ(shownText(), QStringLiteral("Слова\n")) << "rich text is read as RTF";
    EXPECT_TRUE(window.toolBar->runButton->isEnabled());

    startOn(QStringLiteral("Без описания"));
    EXPECT_EQ(shownText(), QStringLiteral("Слова\n")) << "InfoKind 2 keeps what was shown";
    EXPECT_TRUE(window.toolBar->runButton->isEnabled()) << "kind 9 enables the button";

    startOn(QStringLiteral("Рисунок"));
    EXPECT_TRUE(pictureShown());
    EXPECT_FALSE(window.descriptionPane->pictureLabel->pixmap().isNull());
    EXPECT_TRUE(log.messages.isEmpty());
}

TEST_F(MainWindowTest, AMissingDescriptionIsReportedAndThePaneIsLeftEmpty)
{
    writeSmallCourse(course);
    startOn(QStringLiteral("Пропавший файл"));
    ASSERT_EQ(log.messages.size(), 1);
    EXPECT_EQ(log.messages[0].caption, QStringLiteral("Ошибка чтения файла"));
    EXPECT_TRUE(log.messages[0].text.contains(QStringLiteral("____Data/l1/none.txt")));
    EXPECT_TRUE(textShown());
    EXPECT_TRUE(shownText().isEmpty());
}

TEST_F(MainWindowTest, ADamagedPictureIsReported)
{
    writeSmallCourse(course);
    course.writeBytes("____Data/l1/pic.jpg", "\xff\xd8 not really a jpeg");
    startOn(QStringLiteral("Рисунок"));
    ASSERT_EQ(log.messages.size(), 1);
    EXPECT_TRUE(log.messages[0].text.contains(QStringLiteral("pic.jpg")));
    EXPECT_TRUE(pictureShown());
    EXPECT_TRUE(window.descriptionPane->pictureLabel->pixmap().isNull());
}

TEST_F(MainWindowTest, ABrokenCatalogueIsReportedAndNoLessonCanRun)
{
    writeSmallCourse(course);
    course.writeLines("InitRegB.txt", {QStringLiteral("Курс\t0\t0\t0\t\tx\t\t\t\t\t")});
    startOn();
    ASSERT_GE(log.messages.size(), 1);
    const Message &message = log.messages.last();
    EXPECT_EQ(message.caption, QStringLiteral("Ошибка чтения файла"));
    EXPECT_TRUE(message.text.contains(QStringLiteral("InitRegB.txt")));
    EXPECT_TRUE(message.text.contains(QStringLiteral("строка 1")));
    EXPECT_FALSE(window.courseReady());
    EXPECT_EQ(window.lessonTree->topLevelItemCount(), 0);
    EXPECT_FALSE(window.toolBar->runButton->isEnabled());
    EXPECT_FALSE(window.runAction->isEnabled());
    EXPECT_TRUE(shownText().contains(QStringLiteral("InitRegB.txt")));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Вестория"));
}

TEST_F(MainWindowTest, ALinkOutOfRangeIsReportedWithItsLine)
{
    writeSmallCourse(course);
    course.writeLines("InitRegD.txt", {QStringLiteral("Курс\t0\t0\t3\t\t0\t\t\t\t\t"),
                                       QStringLiteral("Урок\t1\t5\t3\t\t0\t\t\t\t\t")});
    startOn();
    ASSERT_FALSE(log.messages.isEmpty());
    EXPECT_TRUE(log.messages.last().text.contains(QStringLiteral("InitRegD.txt, строка 2")));
    EXPECT_FALSE(window.courseReady());
}

TEST_F(MainWindowTest, AMissingCourseFontIsReportedAndStartUpGoesOn)
{
    writeSmallCourse(course);
    startOn();
    ASSERT_EQ(log.messages.size(), 0);
    EXPECT_TRUE(window.courseReady());

    course.writeBytes("NFREESET.TTF", "not a font");
    MainWindow second(state, users, progress);
    second.runStartup();
    ASSERT_EQ(log.messages.size(), 1);
    EXPECT_EQ(log.messages[0].caption, QStringLiteral("КАЛИНОР"));
    EXPECT_EQ(log.messages[0].text, QStringLiteral("Ошибка."));
    EXPECT_TRUE(second.courseReady());
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

TEST_F(MainWindowTest, TheLinkLabelShowsOnlyAnExistingWebSiteAndOpensIt)
{
    QLabel *link = window.descriptionPane->webLinkLabel;
    EXPECT_EQ(link->isHidden(), QString::fromLatin1(ProjectSite).isEmpty());

    const QString site = QStringLiteral("https://example.org/");
    window.descriptionPane->setWebSite(site);
    EXPECT_FALSE(link->isHidden());
    EXPECT_EQ(link->text(), QStringLiteral("<a href=\"https://example.org/\">example.org</a>"));
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    emit link->linkActivated(site);
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(site)});

    window.descriptionPane->setWebSite(QString());
    EXPECT_TRUE(link->isHidden());
}

TEST_F(MainWindowTest, TabReachesTheLinkAndEnterOpensIt)
{
    writeSmallCourse(course);
    window.show();
    startOn();
    const QString site = QStringLiteral("https://example.org/");
    window.descriptionPane->setWebSite(site);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.lessonTree->setFocus();
    for (int i = 0; i < 20 && !window.descriptionPane->webLinkLabel->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(window.descriptionPane->webLinkLabel->hasFocus());

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    QTest::keyClick(window.descriptionPane->webLinkLabel, Qt::Key_Return);
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(site)});
}

// A command on the menu and on the toolbar has the same Alt letter; Ctrl+Q quits.
TEST_F(MainWindowTest, MenuAndToolbarAgreeAndCtrlQQuits)
{
    const std::pair<QToolButton *, QAction *> commands[] = {
        {window.toolBar->newUserButton, window.newUserAction},
        {window.toolBar->selectUserButton, window.selectUserAction},
        {window.toolBar->runButton, window.runAction},
        {window.toolBar->reportButton, window.reportAction},
        {window.toolBar->aboutButton, window.aboutAction},
        {window.toolBar->exitButton, window.exitAction},
    };
    for (const auto &[button, action] : commands) {
        EXPECT_EQ(QKeySequence::mnemonic(button->text()), QKeySequence::mnemonic(action->text()))
            << action->text().toStdString();
    }

    writeSmallCourse(course);
    window.show();
    startOn();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.lessonTree, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
}

TEST(MainWindowSample, TheSampleCourseOpensWithItsTreeAndDescription)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR)));
    MessageLog log;
    CourseState state;
    UserRegistry users;
    ProgressState progress;
    MainWindow window(state, users, progress);
    window.show();
    window.runStartup();
    QDir::setCurrent(previous);

    EXPECT_TRUE(log.messages.isEmpty()) << log.messages.value(0).text.toStdString();
    EXPECT_TRUE(window.courseReady());
    EXPECT_EQ(window.size(), QSize(775, 540 + window.menuBar()->height()));
    int nodes = 0;
    for (QTreeWidgetItemIterator it(window.lessonTree); *it; ++it)
        ++nodes;
    EXPECT_EQ(nodes, state.count(u'D'));
    EXPECT_GE(state.count(u'D'), 5);
    for (QChar mode : {u'A', u'B', u'C'})
        EXPECT_GE(state.count(mode), 3) << mode.toLatin1();
    const CatalogueEntry *first = state.entryOfNode(0);
    ASSERT_NE(first, nullptr);
    if (first->InfoKind == 1)
        EXPECT_FALSE(window.descriptionPane->pictureLabel->pixmap().isNull());
    else
        EXPECT_FALSE(window.descriptionPane->descriptionText->toPlainText().isEmpty());
}

} // namespace

#include "MainWindowTest.moc"
