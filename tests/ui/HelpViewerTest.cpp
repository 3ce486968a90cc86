#include "controls/PictureButton.h"
#include "support/ModalAnswer.h"
#include "support/TempCourse.h"
#include "support/WaysOut.h"
#include "ui/AboutDialog.h"
#include "ui/HelpDesk.h"
#include "ui/HelpFile.h"
#include "ui/HelpViewer.h"

#include <QAccessible>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

const QByteArray SmallHelp = "<!DOCTYPE html><html><body><h1><a name=\"contents\">Содержание</a></h1>"
                             "<h2><a name=\"10\"></a><a name=\"Main\">Главное окно</a></h2><p>Текст.</p>"
                             "</body></html>";

// Every context number and help key the windows ask for is a topic of the sample course's
// help, and every picture it shows is in the course.
TEST(HelpFile, TheSampleCourseHelpHasATopicForEveryWindow)
{
    HelpFile help;
    ASSERT_TRUE(help.open(QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR "/LRX_HELP.HLP"))) << help.problem().toStdString();

    for (const int number : {0, 10, 20, 30, 40, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160, 170, 180})
        EXPECT_TRUE(help.hasTopic(HelpFile::topicOfNumber(number))) << number;
    for (const char *key : {"NewUser", "SelUser", "SelectReg", "Report", "LexicDemo", "Lexic", "QuestDemo", "QuestEnd",
                            "WorkText", "ListenTrans"})
        EXPECT_TRUE(help.hasTopic(QString::fromLatin1(key))) << key;

    const QRegularExpression picture(QStringLiteral("<img src=\"([^\"]+)\""));
    for (auto it = picture.globalMatch(help.html()); it.hasNext();) {
        const QString path = it.next().captured(1);
        EXPECT_TRUE(QFile::exists(QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR "/") + path)) << path.toStdString();
    }
    // Every link inside the help leads to a topic.
    const QRegularExpression link(QStringLiteral("<a href=\"#([^\"]+)\""));
    for (auto it = link.globalMatch(help.html()); it.hasNext();) {
        const QString topic = it.next().captured(1);
        EXPECT_TRUE(help.hasTopic(topic)) << topic.toStdString();
    }
}

// "LRX_HELP.HLP" is used when it is our HTML help; otherwise the ".htm" or ".html" beside it.
TEST(HelpFile, FindsTheHtmlHelpBesideAHelpFileOfAnotherKind)
{
    struct Case {
        const char *name;
        QList<QPair<QString, QByteArray>> files;
        QString found; // empty: no help
    };
    const Case cases[] = {
        {"HTML under the old name", {{"LRX_HELP.HLP", SmallHelp}}, "LRX_HELP.HLP"},
        {"old help and .htm", {{"LRX_HELP.HLP", QByteArray("?_\x03\0\0\0", 6)}, {"LRX_HELP.htm", SmallHelp}}, "LRX_HELP.htm"},
        {"only .html, other case", {{"lrx_help.html", SmallHelp}}, "lrx_help.html"},
        {"only an old help file", {{"LRX_HELP.HLP", QByteArray("?_\x03\0\0\0", 6)}}, ""},
        {"nothing", {}, ""},
    };
    for (const Case &c : cases) {
        TempCourse course;
        for (const auto &[name, bytes] : c.files)
            course.writeBytes(name, bytes);
        HelpFile help;
        const bool opened = help.open(QStringLiteral("LRX_HELP.HLP"));
        EXPECT_EQ(opened, !c.found.isEmpty()) << c.name;
        if (opened) {
            EXPECT_EQ(QFileInfo(help.path()).fileName(), c.found) << c.name;
            EXPECT_TRUE(help.hasTopic(QStringLiteral("Main"))) << c.name;
            EXPECT_FALSE(help.hasTopic(QStringLiteral("Mai"))) << c.name;
        } else {
            EXPECT_TRUE(help.problem().contains(QStringLiteral("LRX_HELP.HLP"))) << c.name;
        }
    }
}

// GIVEN a modal window asking for help WHEN the help file or the topic is missing THEN the
// viewer says so and the window goes on; once the file is there the topic shows.
TEST(HelpViewer, AMissingFileOrTopicIsReportedAndTheCallerGoesOn)
{
    TempCourse course;
    HelpViewer viewer(QStringLiteral("LRX_HELP.HLP"));
    setHelpDesk(&viewer);
    installHelpKey();

    QDialog caller;
    caller.setProperty("helpContext", 10);
    auto *ok = new PictureButton(&caller);
    ok->setModalResult(QDialog::Accepted);
    QString problemWhileModal;
    answerNextModal([&](QWidget *modal) {
        QTest::keyClick(modal, Qt::Key_F1);
        problemWhileModal = viewer.problem();
        EXPECT_TRUE(viewer.isVisible());
        EXPECT_EQ(viewer.windowModality(), Qt::ApplicationModal) << "usable over the modal window";
        viewer.close();
        ok->click();
    });
    EXPECT_EQ(caller.exec(), QDialog::Accepted);
    EXPECT_EQ(viewer.requestedTopic(), QStringLiteral("10"));
    EXPECT_TRUE(problemWhileModal.contains(QStringLiteral("не найден")));

    course.writeBytes("LRX_HELP.HLP", SmallHelp);
    helpByNumber(10);
    EXPECT_TRUE(viewer.problem().isEmpty());
    EXPECT_TRUE(viewer.browser->toPlainText().contains(QStringLiteral("Главное окно")));
    EXPECT_EQ(viewer.browser->source().fragment(), QStringLiteral("10"));

    helpByKey(QStringLiteral("NoSuchTopic"));
    EXPECT_TRUE(viewer.problem().contains(QStringLiteral("NoSuchTopic")));
    EXPECT_EQ(viewer.browser->source().fragment(), QStringLiteral("contents"));
    EXPECT_TRUE(viewer.backButton->isEnabled());

    viewer.close();
    setHelpDesk(nullptr);
}

// The viewer opens over the window that asked, its search empty; Ctrl+F goes to the search;
// Esc and the close box close it. It is a window to a screen reader, its text a document.
TEST(HelpViewer, OpensOverTheProgramAndIsLeftByEscOrTheCloseBox)
{
    TempCourse course;
    course.writeBytes("LRX_HELP.HLP", SmallHelp);
    HelpViewer viewer(QStringLiteral("LRX_HELP.HLP"));
    QWidget program;
    program.setGeometry(300, 200, 1000, 700);
    program.show();
    program.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program));

    for (const WayOut way : {WayOut::Esc, WayOut::CloseBox}) {
        viewer.searchField->setText(QStringLiteral("старый поиск"));
        viewer.showTopic(10);
        ASSERT_TRUE(viewer.isVisible());
        EXPECT_TRUE(viewer.searchField->text().isEmpty()) << nameOf(way);
        EXPECT_LE((viewer.frameGeometry().center() - program.frameGeometry().center()).manhattanLength(), 8)
            << nameOf(way);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));

        QTest::keyClick(viewer.browser, Qt::Key_F, Qt::ControlModifier);
        EXPECT_TRUE(viewer.searchField->hasFocus()) << nameOf(way);

        leaveBy(way, &viewer, nullptr);
        EXPECT_FALSE(viewer.isVisible()) << nameOf(way);
        program.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&program));
    }

    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&viewer);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->role() == QAccessible::Window || window->role() == QAccessible::Dialog) << window->role();
    QAccessibleInterface *text = QAccessible::queryAccessibleInterface(viewer.browser);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->role(), QAccessible::Document);
    ASSERT_NE(text->textInterface(), nullptr);
    EXPECT_TRUE(text->state().readOnly);
}

TEST(AboutDialog, ClosesWithTheOkOfEitherPage)
{
    AboutDialog about;
    EXPECT_EQ(about.size(), QSize(690, 535));
    ASSERT_EQ(about.pages->count(), 2);
    for (int page = 0; page < 2; ++page) {
        answerNextModal([&about, page](QWidget *modal) {
            ASSERT_EQ(modal, &about);
            about.pages->setCurrentIndex(page);
            (page == 0 ? about.programOkButton : about.developersOkButton)->click();
        });
        EXPECT_EQ(about.exec(), QDialog::Accepted) << page;
    }
}

} // namespace
