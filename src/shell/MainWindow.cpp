#include "MainWindow.h"

#include "DispatchRules.h"
#include "IntroWindow.h"
#include "ui/AboutDialog.h"
#include "ui/DialogFrame.h"
#include "ui/HelpDesk.h"
#include "ui/MessageWindow.h"

#include "controls/ModalResult.h"
#include "exercises/ExerciseEndDialog.h"
#include "exercises/RightAnswerDialog.h"
#include "exercises/TryAgainDialog.h"
#include "listening/RecordingLeftovers.h"
#include "sound/WavFile.h"
#include "reports/ClassReportWindow.h"
#include "reports/ReportWindow.h"
#include "users/ModeDialog.h"
#include "users/NewUserDialog.h"
#include "users/PasswordDialog.h"
#include "users/SelectUserDialog.h"
#include "users/SharedUserList.h"

#include "controls/FramedPanel.h"
#include "controls/SkinArt.h"
#include "core/CourseError.h"
#include "core/ConfinedPath.h"
#include "core/CoursePath.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {

std::optional<double> recordingSeconds(const QString &recording)
{
    const std::optional<SoundFileSummary> sound = readWavSummary(recording);
    return sound ? std::optional<double>(sound->seconds()) : std::nullopt;
}

const QString ReadErrorCaption = QStringLiteral("Ошибка чтения файла");
constexpr int IconStop = 16;
constexpr int IconExclamation = 48;

} // namespace

MainWindow::MainWindow(CourseState &course, UserRegistry &users, ProgressState &progress, QWidget *parent)
    : QMainWindow(parent, Qt::Window), course_(course), users_(users), progress_(progress)
{
    setObjectName("mainWindow");
    setWindowTitle(QStringLiteral("Вестория"));
    setFont(arialFont(15));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, SkinArt::windowBackground());
    setPalette(background);
    setProperty("helpContext", 10);
    for (int i = 0; i < 3; ++i)
        treeImages_[size_t(i)] = QIcon(SkinArt::treeImage(i));

    toolBar = new MainToolBar(this);
    addToolBar(Qt::TopToolBarArea, toolBar);
    buildMenu();
    setCentralWidget(buildPanels());
    connectCommands();

    // Client area 775 x 540 below the menu bar; never smaller than 750 x 560 outside.
    setMinimumSize(750, 560);
    resize(775, 540 + menuBar()->sizeHint().height());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - frameGeometry().center());
}

void MainWindow::connectCommands()
{
    connect(toolBar->newUserButton, &QToolButton::clicked, this, &MainWindow::createUser);
    connect(newUserAction, &QAction::triggered, this, &MainWindow::createUser);
    connect(toolBar->selectUserButton, &QToolButton::clicked, this, &MainWindow::selectUser);
    connect(selectUserAction, &QAction::triggered, this, &MainWindow::selectUser);
    connect(changeModeAction, &QAction::triggered, this, &MainWindow::changeMode);
    connect(toolBar->reportButton, &QToolButton::clicked, this, &MainWindow::showReport);
    connect(reportAction, &QAction::triggered, this, &MainWindow::showReport);
    connect(classReportAction, &QAction::triggered, this, &MainWindow::showClassReport);
    connect(toolBar->exitButton, &QToolButton::clicked, this, &MainWindow::exitProgram);
    connect(exitAction, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(toolBar->runButton, &QToolButton::clicked, this, &MainWindow::runSelectedExercise);
    connect(runAction, &QAction::triggered, this, &MainWindow::runSelectedExercise);
    connect(lessonTree, &QTreeWidget::itemDoubleClicked, this, &MainWindow::runSelectedExercise);
    // Enter on a lesson runs it as a double click does. Taken from the tree's own key
    // events rather than a shortcut, which also needs the window manager's "active window".
    lessonTree->installEventFilter(this);
    connect(helpAction, &QAction::triggered, this, &MainWindow::showHelp);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(toolBar->aboutButton, &QToolButton::clicked, this, &MainWindow::showAbout);
    connect(lessonTree, &QTreeWidget::currentItemChanged, this, &MainWindow::showSelectedDescription);
    connect(lessonTree, &QTreeWidget::itemExpanded, this, &MainWindow::scheduleColumnFit);
    connect(lessonTree, &QTreeWidget::itemCollapsed, this, &MainWindow::scheduleColumnFit);
    connect(&saves_, &SaveQueue::failed, this,
            [this](const QString &text) { reportProblem(text, endingFromOutside_ ? Report::StandardError : Report::Window); });
    connect(&saves_, &SaveQueue::saved, this, &MainWindow::saved);
    learnerLockRenewal_.setInterval(LearnerLock::RenewMs);
    connect(&learnerLockRenewal_, &QTimer::timeout, this, &MainWindow::renewLearnerLock);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lessonTree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            runSelectedExercise();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::setDialogs(const MainWindowDialogs &dialogs)
{
    dialogs_ = dialogs;
    if (dialogs_.selectUsers)
        connect(dialogs_.selectUsers, &SelectUserDialog::listChanged, this, &MainWindow::queueUserListSave);
    if (dialogs_.report)
        connect(dialogs_.report, &ReportWindow::progressChanged, this, &MainWindow::queueProgressSave);
}

void MainWindow::setExercises(ExerciseKindTable exercises, ExerciseEndDialog *endDialog)
{
    exercises_ = std::move(exercises);
    endDialog_ = endDialog;
}

void MainWindow::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName("mainMenu");
    bar->setFont(arialFont(15));
    auto menu = [&](const QString &title) {
        QMenu *m = bar->addMenu(title);
        m->setFont(arialFont(15));
        return m;
    };
    // Alt letters: the menus' differ from each other and from the toolbar's (MainToolBar); a
    // command on both has the same letter in its menu as on its button.
    QMenu *user = menu(QStringLiteral("&Пользователь"));
    newUserAction = user->addAction(QStringLiteral("&Новое имя..."));
    selectUserAction = user->addAction(QStringLiteral("Выбрать &имя..."));
    changeModeAction = user->addAction(QStringLiteral("Изменить &режим..."));
    user->addSeparator();
    exitAction = user->addAction(QStringLiteral("Вы&ход"));
    exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    exitAction->setShortcutContext(Qt::WindowShortcut);
    QMenu *work = menu(QStringLiteral("Приступить к &работе"));
    runAction = work->addAction(QStringLiteral("&Выполнить..."));
    reportAction = work->addAction(QStringLiteral("&Отчет..."));
    classReportAction = work->addAction(QStringLiteral("Отчет по &классу..."));
    QMenu *help = menu(QStringLiteral("Помо&щь"));
    helpAction = help->addAction(QStringLiteral("&Помощь..."));
    help->addSeparator();
    aboutAction = help->addAction(QStringLiteral("О про&грамме..."));
}

QWidget *MainWindow::buildPanels()
{
    auto *panel = new QWidget(this);
    panel->setObjectName("mainPanel");
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);

    auto *treeFrame = new FramedPanel(panel);
    auto *treeLayout = new QHBoxLayout(treeFrame);
    treeLayout->setContentsMargins(8, 8, 8, 8);
    lessonTree = new QTreeWidget(treeFrame);
    lessonTree->setObjectName("lessonTree");
    lessonTree->setHeaderHidden(true);
    lessonTree->setIndentation(20);
    lessonTree->setFont(arialFont(15));
    lessonTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lessonTree->setFrameShape(QFrame::NoFrame);
    lessonTree->setIconSize(QSize(16, 16));
    lessonTree->setUniformRowHeights(true);
    lessonTree->setAccessibleName(QStringLiteral("Уроки"));
    // Sized to its captions after each rebuild and when branches open or close, not by
    // the header on every change: that measures a thousand rows for every changed node.
    lessonTree->header()->setSectionResizeMode(QHeaderView::Interactive);
    lessonTree->header()->setStretchLastSection(false);
    treeLayout->addWidget(lessonTree);

    auto *paneFrame = new FramedPanel(panel);
    auto *paneLayout = new QHBoxLayout(paneFrame);
    paneLayout->setContentsMargins(8, 8, 8, 8);
    descriptionPane = new DescriptionPane(paneFrame);
    paneLayout->addWidget(descriptionPane);

    layout->addWidget(treeFrame, 5);
    layout->addWidget(paneFrame, 6);
    return panel;
}

QString MainWindow::anonymousCaption(QChar mode)
{
    return QStringLiteral("     Ostrand  Анонимный пользователь - Режим ") + mode + u'.';
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    // Queued so that the main window is on screen under the intro.
    QTimer::singleShot(0, this, &MainWindow::runStartup);
}

void MainWindow::runStartup()
{
    // The program may be ended from outside while the intro or a message waits; start-up
    // then stops there.
    if (intro_)
        intro_->exec();
    if (closed_)
        return;
    if (!userListProblem_.isEmpty())
        showErrorMessage(userListProblem_);
    if (closed_)
        return;
    if (!readOnlyNotice_.isEmpty())
        showMessageBox(readOnlyNotice_, QStringLiteral("Внимание"), IconExclamation);

    course_.TreeReady = false;
    users_.CurrentUserValid = true;
    // The window is drawn before the long work, not left blank (or with the intro's
    // remains) until the tree stands.
    repaint();
    installCourseFont();
    if (closed_)
        return;
    course_.AnonMode = AnonymousUser().Reg();

    try {
        loadCatalogues(course_);
    } catch (const CourseError &error) {
        showCourseFailure(error.userText());
        return;
    }
    course_.DataFolder = QStringLiteral("____Data\\");

    users_.CurUser = -1;
    changeUser(-1);
    if (!course_.TreeReady) {
        showCourseFailure(treeProblem_, false);
        return;
    }
    courseReady_ = true;
    lessonTree->setFocus();
}

void MainWindow::installCourseFont()
{
    // Found in any letter case, as every course file is.
    const int id = QFontDatabase::addApplicationFont(localPath(QStringLiteral("NFREESET.TTF")));
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        showMessageBox(QStringLiteral("Ошибка."), QStringLiteral("КАЛИНОР"), IconStop);
        return;
    }
    toolBar->setCaptionFamily(families.first());
    // Windows that ask for the course's type face by its name get the installed font.
    QFont::insertSubstitution(QStringLiteral("UkrainianFreeSet"), families.first());
}

// A course that cannot be loaded leaves the window open with an empty tree and the
// reason in the description pane, so the learner sees why no lesson can run.
void MainWindow::showCourseFailure(const QString &text, bool report)
{
    if (report)
        showMessageBox(text, ReadErrorCaption, IconStop);
    course_.TreeReady = false;
    lessonTree->clear();
    lessonTree->setEnabled(false);
    toolBar->runButton->setEnabled(false);
    runAction->setEnabled(false);
    descriptionPane->showNotice(QStringLiteral("Курс не может быть открыт.\n\n") + text);
}

QString MainWindow::userCaption(const UserRecord &user)
{
    return QStringLiteral("Tessamer ") + user.Name() + QStringLiteral(" - Режим ") + user.Reg() + u'.';
}

void MainWindow::reportProblem(const QString &text, Report report)
{
    if (report == Report::Window) {
        showErrorMessage(text);
        return;
    }
    QString line = text;
    line.replace(u'\r', QStringLiteral("\n    "));
    std::fprintf(stderr, "vestoria: %s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

void MainWindow::queueProgressSave()
{
    const UserRecord *user = users_.current();
    if (!user || !readOnlyNotice_.isEmpty() || progress_.FileUnread)
        return;
    const QString file = userProgressFile(*user);
    // The records are shared with the copy, not copied: a later change makes its own.
    saves_.queue(file, [progress = progress_, file] { saveProgress(progress, file); });
    // The damaged file is copied aside by this save, and only once.
    progress_.KeepDamagedCopy = false;
}

void MainWindow::queueUserListSave()
{
    if (!readOnlyNotice_.isEmpty() || users_.ListUnread)
        return;
    const quint64 save = ++userListSaves_;
    saves_.queue(
        UsersFileName, [base = users_.Base, users = users_.Users] { writeUserChanges(base, users); },
        [this, save, base = users_.Base] {
            // The base goes back to that of the earliest save that failed: what it and every
            // save after it were to write is this copy's own change again, for a refresh to
            // keep and the next save to apply (again, where a later one got through).
            if (save < baseOfSave_) {
                users_.Base = base;
                baseOfSave_ = save;
            }
        });
    // This change is on its way to the file: the next save applies only what follows it.
    users_.Base = users_.Users;
    baseOfSave_ = save + 1;
}

bool MainWindow::reportFailedSaves(Report report)
{
    const QStringList failures = saves_.wait();
    for (const QString &text : failures)
        reportProblem(text, report);
    return failures.isEmpty();
}

void MainWindow::finishSaves()
{
    reportFailedSaves(Report::Window);
}

// A Link outside the catalogue leaves the tree empty and not ready; the caller decides
// what the window shows then. The marks are given to the nodes as they are made.
void MainWindow::rebuildTree(QChar mode, bool named)
{
    // What a closed dialog uncovered is drawn again before the drawing is suspended.
    repaint();
    setUpdatesEnabled(false);
    auto resume = qScopeGuard([this] { setUpdatesEnabled(true); });
    TreeMarks marks{treeImages_, {}};
    // The anonymous learner never has a done mark.
    if (named) {
        marks.done = [this](int k) {
            const ProgressRecord *record = progress_.record(k);
            return record && record->Done();
        };
    }
    try {
        fillLessonTree(*lessonTree, course_, mode, progressWindow_, marks);
        treeProblem_.clear();
    } catch (const CourseError &error) {
        if (progressWindow_)
            progressWindow_->end();
        treeProblem_ = error.userText();
        // The window is drawn again before the message goes over it.
        resume.dismiss();
        setUpdatesEnabled(true);
        showMessageBox(treeProblem_, ReadErrorCaption, IconStop);
    }
    // The lessons under the course's root are in view from the start. Only nodes with
    // children are opened: a leaf stored as expanded is reported "expanded" to screen readers.
    for (int i = 0; i < lessonTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = lessonTree->topLevelItem(i);
        if (top->childCount() > 0)
            top->setExpanded(true);
    }
    fitColumn();
}

void MainWindow::scheduleColumnFit()
{
    // Opening a whole branch ("*") opens node after node; one fit follows them all.
    if (columnFitPending_)
        return;
    columnFitPending_ = true;
    QTimer::singleShot(0, this, &MainWindow::fitColumn);
}

void MainWindow::fitColumn()
{
    columnFitPending_ = false;
    lessonTree->resizeColumnToContents(0);
}

void MainWindow::changeUser(int index)
{
    // A learner another copy works for is refused before anything changes here. A
    // read-only course keeps nothing, so it needs no lock.
    const bool named = index >= 0 && index <= users_.LastUser();
    // Found once for the lock, the marks and the recordings: finding it may copy a file.
    const QString progressFile = named ? userProgressFile(users_.Users[index]) : QString();
    const QString lockedFile = readOnlyNotice_.isEmpty() ? progressFile : QString();
    if (learnerLock_.prepare(lockedFile) == LearnerLock::Choice::HeldElsewhere) {
        showMessageBox(LearnerLock::heldElsewhereText(users_.Users[index].Name()), QStringLiteral("Внимание"),
                       IconExclamation);
        return;
    }
    course_.TreeReady = false;
    // The previous learner's marks are on disk before his lock is given up.
    queueProgressSave();
    finishSaves();
    learnerLock_.commit();
    // Kept running across changes of learner, so that choosing again never puts a renewal off.
    if (learnerLock_.heldFile().isEmpty())
        learnerLockRenewal_.stop();
    else if (!learnerLockRenewal_.isActive())
        learnerLockRenewal_.start();
    QChar mode;
    if (named) {
        users_.CurUser = index;
        users_.CurrentUserValid = true;
        toolBar->reportButton->setEnabled(true);
        const UserRecord &user = users_.Users[index];
        setWindowTitle(userCaption(user));
        mode = user.Reg();
        // Read before the tree is built, so that each node is made with its mark.
        try {
            loadProgress(progress_, course_, progressFile, mode);
        } catch (const CourseError &error) {
            // A file that cannot be read is told about once; it is left alone from then on.
            const QString text = error.userText();
            if (!progress_.FileUnread || !unreadProgressReported_.contains(text)) {
                showErrorMessage(text);
                if (progress_.FileUnread)
                    unreadProgressReported_.append(text);
            }
        }
        rebuildTree(mode, true);
    } else {
        users_.CurUser = -1;
        toolBar->reportButton->setEnabled(false);
        mode = course_.AnonMode;
        setWindowTitle(anonymousCaption(mode));
        rebuildTree(mode, false);
    }
    toolBar->runButton->setEnabled(false);
    course_.ShownCatalogue = mode;

    // Nothing of the previous mode's description stays on show when the new tree has no node.
    if (!treeProblem_.isEmpty() || lessonTree->topLevelItemCount() == 0)
        descriptionPane->showNotice(treeProblem_);
    if (!treeProblem_.isEmpty())
        return;
    course_.TreeReady = true;
    showSelectedDescription();
    recoverInterruptedRecordings(users_.current(), progressFile, mode);
}

void MainWindow::renewLearnerLock()
{
    learnerLock_.renewOn(saves_, [this] { leaveLostLearner(); });
}

void MainWindow::leaveLostLearner()
{
    const UserRecord *user = users_.current();
    if (!user)
        return;
    // Another copy works for the learner now: nothing more of his is written from here.
    const QString name = user->Name();
    users_.CurUser = -1;
    changeUser(-1);
    showMessageBox(LearnerLock::heldElsewhereText(name) +
                       QStringLiteral("\rЭта копия долго не могла обновить свою блокировку ученика и перешла к "
                                      "анонимному пользователю; все сделанное до этого сохранено."),
                   QStringLiteral("Внимание"), IconExclamation);
}

void MainWindow::recoverInterruptedRecordings(const UserRecord *user, const QString &progressFile, QChar mode)
{
    if (!readOnlyNotice_.isEmpty() || (user && progressFile.isEmpty()))
        return;
    const QString folder = user ? courseFolderOf(progressFile) : QString();
    const Catalogue *catalogue = course_.catalogue(mode);
    for (const RecordingLeftovers::Interrupted &found : RecordingLeftovers::recoverInterrupted(folder)) {
        // The exercise is named by its title when the recording is the learner's own of an entry.
        const int entry = user ? recordingEntry(user->Name(), found.recording) : 0;
        const QString exercise =
            catalogue && entry > 0 && entry < catalogue->size() ? (*catalogue)[entry].Title() : found.recording;
        QString text = QStringLiteral("Запись упражнения «%1» была прервана; сохранено %2 с.")
                           .arg(exercise, QString::number(qRound(found.seconds)));
        // Kept short, for the message window's small text: the report offers the second file.
        if (!found.keptAs.isEmpty())
            text += QStringLiteral("\rПрежняя запись новее; эта сохранена отдельно (см. отчет).");
        showMessageBox(text, QStringLiteral("Внимание"), 64);
    }
}

void MainWindow::showSelectedDescription()
{
    if (!course_.TreeReady)
        return;
    const CatalogueEntry *entry = course_.entryOfNode(nodeIndex(lessonTree->currentItem()));
    if (!entry)
        return;
    toolBar->runButton->setEnabled(entry->ExerciseKind != KindHeading);
    try {
        descriptionPane->showDescription(*entry, course_.DataFolder);
    } catch (const CourseError &error) {
        showMessageBox(error.userText(), ReadErrorCaption, IconStop);
    }
}

void MainWindow::createUser()
{
    if (!dialogs_.newUser)
        return;
    // The new name is checked against the learners other copies made meanwhile too.
    finishSaves();
    refreshUsers(users_);
    if (runNewUser(*dialogs_.newUser, users_))
        queueUserListSave();
    if (!users_.CurrentUserValid)
        changeUser(users_.LastUser());
}

void MainWindow::selectUser()
{
    if (!dialogs_.selectUsers || !dialogs_.password)
        return;
    // A learner deleted in the dialog loses his folder at once: no save of his may still be on its way.
    finishSaves();
    // Learners other copies made or deleted meanwhile are shown.
    refreshUsers(users_);
    for (;;) {
        if (dialogs_.selectUsers->exec() != QDialog::Accepted) {
            if (!users_.CurrentUserValid)
                changeUser(-1);
            return;
        }
        if (users_.Users.isEmpty()) {
            showErrorMessage(QStringLiteral("Нет ни одного имени"));
            continue;
        }
        const int chosen = dialogs_.selectUsers->selectedIndex();
        if (dialogs_.password->exec() != QDialog::Accepted)
            return;
        if (chosen >= 0 && chosen <= users_.LastUser() &&
            dialogs_.password->password() == users_.Users[chosen].Password()) {
            changeUser(chosen);
            return;
        }
        showErrorMessage(QStringLiteral("Неправильный пароль"));
    }
}

void MainWindow::changeMode()
{
    if (!dialogs_.changeMode)
        return;
    const UserRecord *current = users_.current();
    dialogs_.changeMode->showMode(current ? current->Reg() : course_.AnonMode);
    if (dialogs_.changeMode->exec() != QDialog::Accepted)
        return;
    const QChar mode = dialogs_.changeMode->selectedMode();
    // The dialog opens on the learner's own mode, so Enter alone would erase the marks:
    // starting the same mode again is asked once more, with "Нет" as the answer to Enter.
    if (current && mode == current->Reg() &&
        !askMessageBox(QStringLiteral("Начать режим заново? Отметки о выполненных упражнениях будут удалены."),
                       QStringLiteral("Изменить режим"))) {
        return;
    }
    if (UserRecord *user = users_.current()) {
        user->setReg(mode);
        queueUserListSave();
        try {
            resetProgress(progress_, mode);
        } catch (const CourseError &error) {
            showErrorMessage(error.userText());
        }
    } else {
        course_.AnonMode = mode;
    }
    // Saves the fresh progress first (not on a read-only course), then reads it back.
    changeUser(users_.CurUser);
}

void MainWindow::showReport()
{
    const UserRecord *user = users_.current();
    const Catalogue *catalogue = user ? course_.catalogue(user->Reg()) : nullptr;
    if (!catalogue || !dialogs_.report)
        return;
    dialogs_.report->fill(*catalogue, progress_, [this](int entry) { return recordingName(users_, entry); });
    dialogs_.report->exec();
}

void MainWindow::showClassReport()
{
    if (!dialogs_.classReport || !courseReady_)
        return;
    // This copy's own marks are on disk first; other copies' learners are taken in.
    finishSaves();
    refreshUsers(users_);
    dialogs_.classReport->fill(buildClassReport(course_, users_.Users));
    dialogs_.classReport->exec();
}

void MainWindow::showHelp()
{
    helpByNumber(10);
}

void MainWindow::showAbout()
{
    if (dialogs_.about)
        dialogs_.about->exec();
}

// The client area is what lies below the menu bar.
QPoint MainWindow::clientCentre() const
{
    const QRect area = clientArea();
    return {area.x() + area.width() / 2, area.y() + area.height() / 2};
}

QRect MainWindow::clientArea() const
{
    const int menuHeight = menuBar()->isVisible() ? menuBar()->height() : 0;
    return {mapToGlobal(QPoint(0, menuHeight)), QSize(width(), height() - menuHeight)};
}

int MainWindow::showEndDialog(const QString &message, bool markEnabled)
{
    if (!endDialog_)
        return mrCancel;
    endDialog_->prepare(message, markEnabled);
    return endDialog_->exec();
}

void MainWindow::runSelectedExercise()
{
    if (!course_.TreeReady)
        return;
    QTreeWidgetItem *item = lessonTree->currentItem();
    const int node = nodeIndex(item);
    const CatalogueEntry *selected = course_.entryOfNode(node);
    if (!selected)
        return;
    const CatalogueEntry entry = *selected;

    // The panel and toolbar come back whatever happens inside the exercise.
    const auto restore = qScopeGuard([this] {
        centralWidget()->show();
        toolBar->show();
        lessonTree->setFocus();
    });
    try {
        // Only the run's own entry can have changed: its node alone gets a new mark.
        if (runExercise(entry, node + 1))
            setNodeMark(*item, treeImages_, markImage(entry, true));
    } catch (const std::exception &error) {
        const auto *courseError = dynamic_cast<const CourseError *>(&error);
        showErrorMessage(courseError ? courseError->userText() : QString::fromUtf8(error.what()));
    }
}

// The exercise window takes the learner's attention: the tree, the description and the
// toolbar are hidden until the run ends (runSelectedExercise shows them again).
void MainWindow::hidePanels()
{
    centralWidget()->hide();
    toolBar->hide();
}

bool MainWindow::runExercise(const CatalogueEntry &entry, int entryNumber)
{
    const ExerciseKind *kind = exercises_.find(entry.ExerciseKind);
    if (!kind || !kind->run)
        return false;
    const bool named = users_.current() != nullptr;
    ExerciseRequest request{clientCentre(), clientArea(), resolveEntryFiles(course_, entry), course_.DataFolder,
                            course_.ShownCatalogue, QString(), QString()};
    // Finding the learner's folder may look at the disk: only the kinds that record ask.
    if (kind->keepsRecording)
        request.recordingName = recordingName(users_, entryNumber);
    if (kind->playsBackRecording) {
        if (const Catalogue *catalogue = course_.catalogue(course_.ShownCatalogue))
            request.playbackRecording = recordingToPlayBack(*catalogue, named ? &progress_ : nullptr, entryNumber);
    }
    if (kind->check && !kind->check(request))
        return false;
    ExerciseReport report;

    hidePanels();
    if (!kind->endDialog) {
        kind->run(request, report);
        return false;
    }
    const auto setupAfterRun = [&] {
        if (kind->playsBackRecording && !request.playbackRecording.isEmpty())
            return EndDialogSetup{kind->playbackEndMessage, named};
        if (!kind->judged)
            return EndDialogSetup{kind->endMessage, named};
        const MultipleChoiceVerdict verdict = judgeMultipleChoice(report.counts.questions, report.counts.errors);
        return EndDialogSetup{verdict.message, named && verdict.markAllowed};
    };
    // A recording left early still replaces the learner's earlier one, as designed; the end
    // dialog says so when the earlier one was longer, so that nobody thinks it is still there.
    std::optional<double> before;
    const auto runWindow = [&] {
        if (kind->keepsRecording)
            before = recordingSeconds(request.recordingName);
        return kind->run(request, report);
    };
    const auto afterRun = [&] {
        EndDialogSetup setup = setupAfterRun();
        const std::optional<double> now = kind->keepsRecording ? recordingSeconds(request.recordingName) : std::nullopt;
        if (before && now && qRound(*now) < qRound(*before))
            setup.message += QStringLiteral("\rПрежняя запись (%1 с) заменена записью %2 с")
                                 .arg(qRound(*before))
                                 .arg(qRound(*now));
        return setup;
    };
    const bool markedDone = runWithEndDialog(runWindow, afterRun,
                                             [this](const EndDialogSetup &setup) {
                                                 return showEndDialog(setup.message, setup.markEnabled);
                                             });
    ProgressRecord *record = named ? progress_.record(entryNumber) : nullptr;
    if (!markedDone || !record)
        return false;
    const bool wasDone = record->Done();
    record->setDone(true);
    if (kind->judged)
        record->setScore(judgeMultipleChoice(report.counts.questions, report.counts.errors).score);
    if (kind->keepsRecording)
        record->setSoundFile(request.recordingName);
    queueProgressSave();
    return !wasDone;
}

void MainWindow::exitProgram()
{
    close();
}

bool MainWindow::saveWork(Report report)
{
    // A read-only course keeps nothing; the learner was told so at the start.
    if (!readOnlyNotice_.isEmpty())
        return true;
    queueProgressSave();
    queueUserListSave();
    return reportFailedSaves(report);
}

void MainWindow::runShutdown()
{
    if (closed_)
        return;
    closed_ = true;
    shutdownSaveFailed_ = !saveWork(endingFromOutside_ ? Report::StandardError : Report::Window);
    learnerLock_.release();
    learnerLockRenewal_.stop();
}

void MainWindow::saveForSessionEnd()
{
    if (!closed_)
        saveWork(Report::StandardError);
}

void MainWindow::endFromOutside()
{
    endingFromOutside_ = true;
    close();
    // A window never shown gets no close event; its shutdown runs all the same.
    runShutdown();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    runShutdown();
    QMainWindow::closeEvent(event);
}
