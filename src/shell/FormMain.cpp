#include "FormMain.h"

#include "DlgMessage.h"
#include "FormBegin.h"

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
constexpr int IconStop = 16;

QFont arial(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// A panel framed by the skin's decorative pieces.
class FramedPanel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        SkinArt::paintFramedPanel(painter, rect(), Qt::white);
    }
};

} // namespace

TFormMain::TFormMain(CourseState &course, QWidget *parent)
    : QMainWindow(parent, Qt::Window), course_(course)
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

    connect(ToolBar->ToolButtonExit, &QToolButton::clicked, this, &TFormMain::ExitClick);
    connect(ActionExit, &QAction::triggered, this, &TFormMain::ExitClick);
    connect(TreeView, &QTreeWidget::currentItemChanged, this, &TFormMain::TreeViewChange);

    // Client area 775 x 540 below the menu bar; never smaller than 750 x 560 outside.
    setMinimumSize(750, 560);
    resize(775, 540 + menuBar()->sizeHint().height());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - frameGeometry().center());
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

    course_.TreeReady = false;
    installCourseFont();
    // The anonymous user works in the mode of the default user record.
    course_.AnonMode = u'D';

    try {
        LoadCatalogues(course_);
    } catch (const CourseError &error) {
        showCourseFailure(error.userText());
        return;
    }
    course_.DataFolder = QStringLiteral("____Data\\");

    curUser_ = -1;
    try {
        ChangeUser(-1);
    } catch (const CourseError &error) {
        showCourseFailure(error.userText());
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
void TFormMain::showCourseFailure(const QString &text)
{
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

void TFormMain::ChangeUser(int index)
{
    course_.TreeReady = false;
    Q_UNUSED(index);
    curUser_ = -1;
    ToolBar->ToolButtonReport->setEnabled(false);
    setWindowTitle(anonymousCaption(course_.AnonMode));
    {
        setUpdatesEnabled(false);
        const auto resume = qScopeGuard([this] { setUpdatesEnabled(true); });
        FillLessonTree(*TreeView, course_, course_.AnonMode, progress_);
    }
    ToolBar->ToolButton4->setEnabled(false);
    course_.ShownCatalogue = course_.AnonMode;
    refreshMarksAnonymous();
    TreeView->viewport()->update();

    course_.TreeReady = true;
    TreeViewChange();
}

void TFormMain::refreshMarksAnonymous()
{
    // The anonymous learner never has a done mark.
    RefreshMarks(*TreeView, course_, course_.ShownCatalogue, treeImages_, [](int) { return false; });
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

void TFormMain::ExitClick()
{
    close();
}
