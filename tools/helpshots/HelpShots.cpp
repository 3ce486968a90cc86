// Takes the pictures of the help from the program's own windows: run in a built course
// folder (the sample course), on a real display or under Xvfb, by make-help-shots.sh.
//   vestoria-helpshots OUTPUT_FOLDER

#include "core/ConfinedPath.h"
#include "core/FileSystem.h"
#include "exercises/MultipleChoiceWindow.h"
#include "exercises/QuestionPresentationWindow.h"
#include "exercises/RightAnswerDialog.h"
#include "exercises/TryAgainDialog.h"
#include "exercises/VocabularyDrillWindow.h"
#include "exercises/VocabularyPresentationWindow.h"
#include "reports/ReportWindow.h"
#include "shell/DispatchRules.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"
#include "sound/VirtualAudioBackend.h"
#include "ui/AboutDialog.h"
#include "ui/HelpViewer.h"
#include "users/ModeDialog.h"
#include "users/NewUserDialog.h"
#include "users/Progress.h"
#include "users/SelectUserDialog.h"
#include "users/UserList.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QMenuBar>
#include <QTreeWidget>

#include <cstdio>

namespace {

QString outputFolder;

// Lets queued work (the start-up, layouts, paints) run.
void settle()
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 150)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The window as it is drawn, without the frame of the window manager; the strongest PNG
// compression keeps the files small.
void shoot(QWidget &window, const char *name)
{
    window.show();
    settle();
    const QImage picture = window.grab().toImage().convertToFormat(QImage::Format_RGB888);
    const QString path = QDir(outputFolder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    if (!picture.save(path, "PNG", 0))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
    window.hide();
}

// The first entry of `kind` in the catalogue of mode D, with its files resolved.
ResolvedFiles filesOfKind(const CourseState &course, quint8 kind)
{
    const Catalogue *catalogue = course.catalogue(u'D');
    for (int k = 1; catalogue && k < catalogue->size(); ++k) {
        if ((*catalogue)[k].ExerciseKind == kind)
            return resolveEntryFiles(course, (*catalogue)[k]);
    }
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vestoria-helpshots OUTPUT_FOLDER (run in a course folder)\n");
        return 2;
    }
    outputFolder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outputFolder);

    StartupOptions options;
    options.showIntro = false;
    auto windows = createStartupWindows(options);
    MainWindow &main = *windows->mainWindow;
    main.show();
    settle();
    if (!main.courseReady()) {
        std::fprintf(stderr, "the course in this folder did not open\n");
        return 1;
    }
    // A named learner who has done the first exercises, for the tree marks and the report.
    UserRegistry &users = windows->users;
    addUser(users, QStringLiteral("Anna"), QString(), u'D', QString());
    addUser(users, QStringLiteral("Boris"), QString(), u'B', QString());
    // Her progress is on disk before she is chosen, as the tree takes its marks from there.
    resetProgress(windows->progress, u'D');
    for (int k = 2; k <= 4; ++k) {
        if (ProgressRecord *record = windows->progress.record(k))
            record->setDone(true);
    }
    const QString progressFile = userProgressFile(users.Users[0]);
    createFolders(courseFolderOf(progressFile));
    saveProgress(windows->progress, progressFile);
    main.changeUser(0);
    if (QTreeWidgetItem *item = main.lessonTree->topLevelItem(0); item && item->childCount() > 0)
        main.lessonTree->setCurrentItem(item->child(0));
    shoot(main, "main");

    NewUserDialog &newUser = *windows->newUserDialog;
    newUser.prepare();
    newUser.nameField->setText(QStringLiteral("Vera"));
    shoot(newUser, "newuser");

    SelectUserDialog &selectUser = *windows->selectUserDialog;
    shoot(selectUser, "selectuser");

    ModeDialog &mode = *windows->modeDialog;
    mode.showMode(u'D');
    shoot(mode, "mode");

    ReportWindow &report = *windows->reportWindow;
    report.fill(*windows->course.catalogue(u'D'), windows->progress);
    shoot(report, "report");

    VirtualAudioBackend audio;
    TryAgainDialog tryAgain;
    RightAnswerDialog rightAnswer(RightAnswerDialog::AnswerLanguage::English);
    RightAnswerDialog vocabularyRightAnswer(RightAnswerDialog::AnswerLanguage::Russian);
    const ExerciseContext context{audio, tryAgain, rightAnswer, vocabularyRightAnswer};

    const ResolvedFiles words = filesOfKind(windows->course, KindVocabularyPresentation);
    VocabularyPresentationWindow presentation(audio);
    presentation.setFiles({words.f1, words.f2, words.f4, words.f3});
    presentation.load();
    presentation.setInitialData();
    shoot(presentation, "lexicdemo");

    VocabularyDrillWindow drill(context);
    drill.setFiles({words.f1, words.f2, words.f4, words.f3});
    drill.load();
    drill.fillTranslations();
    shoot(drill, "lexic");

    const ResolvedFiles questions = filesOfKind(windows->course, KindQuestionPresentation);
    QuestionPresentationWindow questionPresentation;
    questionPresentation.setFiles(questions.f1, questions.f2, questions.f4, questions.f3);
    questionPresentation.load();
    questionPresentation.startRun();
    shoot(questionPresentation, "questdemo");

    const ResolvedFiles choices = filesOfKind(windows->course, KindMultipleChoice);
    MultipleChoiceWindow multipleChoice(context);
    multipleChoice.setFiles(choices.f1, choices.f2, choices.f4, choices.f3);
    multipleChoice.load();
    multipleChoice.startRun();
    shoot(multipleChoice, "questend");

    // For a look at the about box and the viewer; the help itself does not show them.
    if (qEnvironmentVariableIsSet("VESTORIA_SHOOT_EXTRA")) {
        AboutDialog about;
        shoot(about, "about");
        about.pages->setCurrentIndex(1);
        shoot(about, "about-developers");
        windows->helpViewer->showTopic(90);
        shoot(*windows->helpViewer, "viewer");
    }

    // Nothing of this run is kept: the main window is not closed, so nothing is saved.
    std::fflush(stdout);
    std::_Exit(0);
}
