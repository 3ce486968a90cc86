#include "FormMain.h"

#include "ui/DlgMessage.h"
#include "DispatchRules.h"
#include "FormBegin.h"

#include "controls/ModalResult.h"
#include "exercises/SharedDialogs.h"
#include "reports/FormReport.h"
#include "users/DlgChengeReg.h"
#include "users/DlgNewUser.h"
#include "users/DlgPassWord.h"
#include "users/DlgSelectUsers.h"

#include "controls/FramedPanel.h"
#include "controls/SkinArt.h"
#include "core/CourseError.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

namespace {

const QString ReadErrorCaption = QStringLiteral("Ошибка чтения файла");
const QString ErrorCaption = QStringLiteral("Ошибка");
constexpr int IconStop = 16;

QFont arial(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}


} // namespace

TFormMain::TFormMain(CourseState &course, UserRegistry &users, ProgressState &progress, QWidget *parent)
    : QMainWindow(parent, Qt::Window), course_(course), users_(users), progress_(progress)
{
    setObjectName("FormMain");
    setWindowTitle(QStringLiteral("Вестория"));
    setFont(arial(15));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, SkinArt::windowBackground());
    setPalette(background);
    setProperty("helpContext", 10);
    for (int i = 0; i < 3; ++i)
        treeImages_[size_t(i)] = QIcon(SkinArt::treeImage(i));

    ToolBar = new MainToolBar(this);
    addToolBar(Qt::TopToolBarArea, ToolBar);
    buildMenu();
    setCentralWidget(buildPanels());
    connectCommands();

    // Client area 775 x 540 below the menu bar; never smaller than 750 x 560 outside.
    setMinimumSize(750, 560);
    resize(775, 540 + menuBar()->sizeHint().height());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - frameGeometry().center());
}

void TFormMain::connectCommands()
{
    connect(ToolBar->ToolButtonNewUser, &QToolButton::clicked, this, &TFormMain::NewUserClick);
    connect(ActionNewUser, &QAction::triggered, this, &TFormMain::NewUserClick);
    connect(ToolBar->ToolButton3, &QToolButton::clicked, this, &TFormMain::SelectUserClick);
    connect(ActionSelectUser, &QAction::triggered, this, &TFormMain::SelectUserClick);
    connect(ActionChangeMode, &QAction::triggered, this, &TFormMain::ChangeModeClick);
    connect(ToolBar->ToolButtonReport, &QToolButton::clicked, this, &TFormMain::ReportClick);
    connect(ActionReport, &QAction::triggered, this, &TFormMain::ReportClick);
    connect(ToolBar->ToolButtonExit, &QToolButton::clicked, this, &TFormMain::ExitClick);
    connect(ActionExit, &QAction::triggered, this, &TFormMain::ExitClick);
    connect(ToolBar->ToolButton4, &QToolButton::clicked, this, &TFormMain::ToolButton4Click);
    connect(ActionRun, &QAction::triggered, this, &TFormMain::ToolButton4Click);
    connect(TreeView, &QTreeWidget::itemDoubleClicked, this, &TFormMain::ToolButton4Click);
    connect(TreeView, &QTreeWidget::currentItemChanged, this, &TFormMain::TreeViewChange);
}

void TFormMain::setExercises(ExerciseLauncher launcher, TDlgLexRepit *endDialog)
{
    exercises_ = std::move(launcher);
    endDialog_ = endDialog;
}

void TFormMain::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName("MainMenu1");
    bar->setFont(arial(15));
    auto menu = [&](const QString &title) {
        QMenu *m = bar->addMenu(title);
        m->setFont(arial(15));
        return m;
    };
    QMenu *user = menu(QStringLiteral("Пользователь"));
    ActionNewUser = user->addAction(QStringLiteral("Новое имя..."));
    ActionSelectUser = user->addAction(QStringLiteral("Выбрать имя..."));
    ActionChangeMode = user->addAction(QStringLiteral("Изменить режим..."));
    user->addSeparator();
    ActionExit = user->addAction(QStringLiteral("Выход"));
    QMenu *work = menu(QStringLiteral("Приступить к работе"));
    ActionRun = work->addAction(QStringLiteral("Выполнить..."));
    ActionReport = work->addAction(QStringLiteral("Отчет..."));
    QMenu *help = menu(QStringLiteral("Помощь"));
    ActionHelp = help->addAction(QStringLiteral("Помощь..."));
    help->addSeparator();
    ActionAbout = help->addAction(QStringLiteral("О программе..."));
}

QWidget *TFormMain::buildPanels()
{
    auto *panel = new QWidget(this);
    panel->setObjectName("PanelMain");
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);

    auto *treeFrame = new FramedPanel(panel);
    auto *treeLayout = new QHBoxLayout(treeFrame);
    treeLayout->setContentsMargins(8, 8, 8, 8);
    TreeView = new QTreeWidget(treeFrame);
    TreeView->setObjectName("TreeView");
    TreeView->setHeaderHidden(true);
    TreeView->setIndentation(20);
    TreeView->setFont(arial(15));
    TreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView->setFrameShape(QFrame::NoFrame);
    TreeView->setIconSize(QSize(16, 16));
    TreeView->setUniformRowHeights(true);
    TreeView->setAccessibleName(QStringLiteral("Уроки"));
    TreeView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TreeView->header()->setStretchLastSection(false);
    treeLayout->addWidget(TreeView);

    auto *paneFrame = new FramedPanel(panel);
    auto *paneLayout = new QHBoxLayout(paneFrame);
    paneLayout->setContentsMargins(8, 8, 8, 8);
    Description = new DescriptionPane(paneFrame);
    paneLayout->addWidget(Description);

    layout->addWidget(treeFrame, 5);
    layout->addWidget(paneFrame, 6);
    return panel;
}

QString TFormMain::anonymousCaption(QChar mode)
{
    return QStringLiteral("     Ostrand  Анонимный пользователь - Режим ") + mode + u'.';
}

void TFormMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    // Queued so that the main window is on screen under the intro.
    QTimer::singleShot(0, this, &TFormMain::FormShow);
}

void TFormMain::FormShow()
{
    if (intro_)
        intro_->exec();
    if (!userListProblem_.isEmpty())
        ShowMessageBox(userListProblem_, ErrorCaption, IconStop);

    course_.TreeReady = false;
    users_.CurrentUserValid = true;
    installCourseFont();
    course_.AnonMode = AnonymousUser().Reg();

    try {
        LoadCatalogues(course_);
    } catch (const CourseError &error) {
        showCourseFailure(error.userText());
        return;
    }
    course_.DataFolder = QStringLiteral("____Data\\");

    users_.CurUser = -1;
    ChangeUser(-1);
    if (!course_.TreeReady) {
        showCourseFailure(treeProblem_, false);
        return;
    }
    courseReady_ = true;
    TreeView->setFocus();
}

void TFormMain::installCourseFont()
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral("NFREESET.TTF"));
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        ShowMessageBox(QStringLiteral("Ошибка."), QStringLiteral("КАЛИНОР"), IconStop);
        return;
    }
    ToolBar->setCaptionFamily(families.first());
}

// A course that cannot be loaded leaves the window open with an empty tree and the
// reason in the description pane, so the learner sees why no lesson can run.
void TFormMain::showCourseFailure(const QString &text, bool report)
{
    if (report)
        ShowMessageBox(text, ReadErrorCaption, IconStop);
    course_.TreeReady = false;
    TreeView->clear();
    TreeView->setEnabled(false);
    ToolBar->ToolButton4->setEnabled(false);
    ActionRun->setEnabled(false);
    QString notice = text;
    notice.replace(u'\r', u'\n');
    Description->showNotice(QStringLiteral("Курс не может быть открыт.\n\n") + notice);
}

QString TFormMain::userCaption(const TUserRec &user)
{
    return QStringLiteral("Tessamer ") + user.Name() + QStringLiteral(" - Режим ") + user.Reg() + u'.';
}

void TFormMain::saveCurrentProgress()
{
    const TUserRec *user = users_.current();
    if (!user)
        return;
    try {
        SaveProgress(progress_, userProgressFile(*user));
    } catch (const CourseError &error) {
        ShowMessageBox(error.userText(), ErrorCaption, IconStop);
    }
}

// A Link outside the catalogue leaves the tree empty and not ready; the caller decides
// what the window shows then.
void TFormMain::rebuildTree(QChar mode)
{
    setUpdatesEnabled(false);
    const auto resume = qScopeGuard([this] { setUpdatesEnabled(true); });
    try {
        FillLessonTree(*TreeView, course_, mode, progressWindow_);
        treeProblem_.clear();
    } catch (const CourseError &error) {
        if (progressWindow_)
            progressWindow_->end();
        treeProblem_ = error.userText();
        ShowMessageBox(treeProblem_, ReadErrorCaption, IconStop);
    }
    // The lessons under the course's root are in view from the start.
    TreeView->expandToDepth(0);
}

void TFormMain::ChangeUser(int index)
{
    course_.TreeReady = false;
    saveCurrentProgress();
    QChar mode;
    if (index >= 0 && index <= users_.LastUser()) {
        users_.CurUser = index;
        users_.CurrentUserValid = true;
        ToolBar->ToolButtonReport->setEnabled(true);
        const TUserRec &user = users_.Users[index];
        setWindowTitle(userCaption(user));
        mode = user.Reg();
        rebuildTree(mode);
        try {
            LoadProgress(progress_, course_, userProgressFile(user), mode);
        } catch (const CourseError &error) {
            ShowMessageBox(error.userText(), ErrorCaption, IconStop);
        }
    } else {
        users_.CurUser = -1;
        ToolBar->ToolButtonReport->setEnabled(false);
        mode = course_.AnonMode;
        setWindowTitle(anonymousCaption(mode));
        rebuildTree(mode);
    }
    ToolBar->ToolButton4->setEnabled(false);
    course_.ShownCatalogue = mode;
    RefreshMarks();
    TreeView->viewport()->update();

    if (!treeProblem_.isEmpty())
        return;
    course_.TreeReady = true;
    TreeViewChange();
}

void TFormMain::RefreshMarks()
{
    // The anonymous learner never has a done mark.
    const bool named = users_.current() != nullptr;
    ::RefreshMarks(*TreeView, course_, course_.ShownCatalogue, treeImages_, [&](int k) {
        const TProgressRec *record = progress_.record(k);
        return named && record && record->Done();
    });
}

void TFormMain::TreeViewChange()
{
    if (!course_.TreeReady)
        return;
    const TCatalogueEntry *entry = course_.entryOfNode(nodeIndex(TreeView->currentItem()));
    if (!entry)
        return;
    ToolBar->ToolButton4->setEnabled(entry->ExerciseKind != KindHeading);
    try {
        Description->showDescription(*entry, course_.DataFolder);
    } catch (const CourseError &error) {
        ShowMessageBox(error.userText(), ReadErrorCaption, IconStop);
    }
}

void TFormMain::NewUserClick()
{
    if (!dialogs_.newUser)
        return;
    RunNewUser(*dialogs_.newUser, users_);
    if (!users_.CurrentUserValid)
        ChangeUser(users_.LastUser());
}

void TFormMain::SelectUserClick()
{
    if (!dialogs_.selectUsers || !dialogs_.password)
        return;
    for (;;) {
        if (dialogs_.selectUsers->exec() != QDialog::Accepted) {
            if (!users_.CurrentUserValid)
                ChangeUser(-1);
            return;
        }
        if (users_.Users.isEmpty()) {
            ShowMessageBox(QStringLiteral("Нет ни одного имени"), ErrorCaption, IconStop);
            continue;
        }
        const int chosen = dialogs_.selectUsers->selectedIndex();
        if (dialogs_.password->exec() != QDialog::Accepted)
            return;
        if (chosen >= 0 && chosen <= users_.LastUser() &&
            dialogs_.password->password() == users_.Users[chosen].Password()) {
            ChangeUser(chosen);
            return;
        }
        ShowMessageBox(QStringLiteral("Неправильный пароль"), ErrorCaption, IconStop);
    }
}

void TFormMain::ChangeModeClick()
{
    if (!dialogs_.changeMode || dialogs_.changeMode->exec() != QDialog::Accepted)
        return;
    const QChar mode = dialogs_.changeMode->selectedMode();
    if (TUserRec *user = users_.current()) {
        user->setReg(mode);
        try {
            ResetProgress(progress_, mode);
            SaveProgress(progress_, userProgressFile(*user));
        } catch (const CourseError &error) {
            ShowMessageBox(error.userText(), ErrorCaption, IconStop);
        }
    } else {
        course_.AnonMode = mode;
    }
    ChangeUser(users_.CurUser);
}

void TFormMain::ReportClick()
{
    const TUserRec *user = users_.current();
    const Catalogue *catalogue = user ? course_.catalogue(user->Reg()) : nullptr;
    if (!catalogue || !dialogs_.report)
        return;
    dialogs_.report->fill(*catalogue, progress_);
    dialogs_.report->exec();
}

QPoint TFormMain::clientCentre() const
{
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    return {origin.x() + width() / 2, origin.y() + height() / 2};
}

int TFormMain::showEndDialog(const QString &message, bool markEnabled)
{
    if (!endDialog_)
        return mrCancel;
    endDialog_->prepare(message, markEnabled);
    return endDialog_->exec();
}

void TFormMain::ToolButton4Click()
{
    if (!course_.TreeReady)
        return;
    const int node = nodeIndex(TreeView->currentItem());
    const TCatalogueEntry *selected = course_.entryOfNode(node);
    if (!selected)
        return;
    const TCatalogueEntry entry = *selected;

    // The panel and toolbar come back whatever happens inside the exercise.
    const auto restore = qScopeGuard([this] {
        centralWidget()->show();
        ToolBar->show();
        RefreshMarks();
        TreeView->viewport()->update();
        TreeView->setFocus();
    });
    try {
        runExercise(entry, node + 1);
    } catch (const std::exception &error) {
        const auto *courseError = dynamic_cast<const CourseError *>(&error);
        ShowMessageBox(courseError ? courseError->userText() : QString::fromUtf8(error.what()), ErrorCaption, IconStop);
    }
}

// The exercise window takes the learner's attention: the tree, the description and the
// toolbar are hidden until the run ends (ToolButton4Click shows them again).
void TFormMain::hidePanels()
{
    centralWidget()->hide();
    ToolBar->hide();
}

void TFormMain::runExercise(const TCatalogueEntry &entry, int entryNumber)
{
    const ResolvedFiles files = resolveEntryFiles(course_, entry);
    const QPoint centre = clientCentre();
    const bool named = users_.current() != nullptr;

    ExerciseLauncher::Routine routine;
    switch (entry.ExerciseKind) {
    case KindLexicDemo:
        routine = exercises_.lexicDemo;
        break;
    case KindLexic:
        routine = exercises_.lexic;
        break;
    case KindQuestDemo:
        routine = exercises_.questDemo;
        break;
    case KindQuestTrFl:
        // True/false keeps nothing: no dialog, no mark.
        if (exercises_.questTrFl) {
            hidePanels();
            exercises_.questTrFl(centre, files.f1, files.f2, files.f4, files.f3);
        }
        return;
    case KindQuestDown:
        break;
    default:
        // Headings, kinds 9, 10 and above 15 run nothing; the listening kinds are run by
        // the listening windows.
        return;
    }

    QuestDownCounts counts;
    std::function<int()> runWindow;
    std::function<EndDialogSetup()> afterRun;
    if (entry.ExerciseKind == KindQuestDown) {
        if (!exercises_.questDown)
            return;
        runWindow = [&] { return exercises_.questDown(centre, files.f1, files.f2, files.f4, files.f3, counts); };
        afterRun = [&] {
            const QuestDownVerdict verdict = judgeQuestDown(counts.questions, counts.errors);
            return EndDialogSetup{verdict.message, named && verdict.markAllowed};
        };
    } else {
        if (!routine)
            return;
        runWindow = [&] { return routine(centre, files.f1, files.f2, files.f4, files.f3); };
        afterRun = [&] { return EndDialogSetup{endMessage(entry.ExerciseKind), named}; };
    }

    hidePanels();
    const bool markedDone = runWithEndDialog(runWindow, afterRun, [this](const EndDialogSetup &setup) {
        return showEndDialog(setup.message, setup.markEnabled);
    });
    TProgressRec *record = named ? progress_.record(entryNumber) : nullptr;
    if (!markedDone || !record)
        return;
    record->setDone(true);
    if (entry.ExerciseKind == KindQuestDown)
        record->setScore(judgeQuestDown(counts.questions, counts.errors).score);
}

void TFormMain::ExitClick()
{
    close();
}

void TFormMain::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    saveCurrentProgress();
    try {
        SaveUsers(users_);
    } catch (const CourseError &error) {
        ShowMessageBox(error.userText(), ErrorCaption, IconStop);
    }
}

void TFormMain::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}
