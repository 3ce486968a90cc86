#include "HelpViewer.h"

#include "DialogFrame.h"

#include "controls/ReadOnlyTextAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <mutex>

namespace {

// Serves the help text itself, decoded as the file declares it; pictures and anything
// else come from the files beside it.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(const HelpFile &file, QWidget *parent) : QTextBrowser(parent), file_(file) {}

    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type == QTextDocument::HtmlResource && file_.isOpen() &&
            name.adjusted(QUrl::RemoveFragment) == QUrl::fromLocalFile(file_.path()))
            return file_.html();
        return QTextBrowser::loadResource(type, name);
    }

private:
    const HelpFile &file_;
};

// A screen reader meets the viewer as a window, and the help text in it as a read-only
// document it can read and move through.
class HelpTextAccessible : public ReadOnlyTextAccessible {
public:
    explicit HelpTextAccessible(QTextBrowser *browser) : ReadOnlyTextAccessible(browser, QAccessible::Document) {}

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        const QTextCursor cursor = browser()->textCursor();
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && cursor.hasSelection()) {
            *startOffset = cursor.selectionStart();
            *endOffset = cursor.selectionEnd();
        }
    }
    int selectionCount() const override { return browser()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { setCursorPosition(cursorPosition()); }
    void setSelection(int, int startOffset, int endOffset) override
    {
        QTextCursor cursor = browser()->textCursor();
        cursor.setPosition(startOffset);
        cursor.setPosition(endOffset, QTextCursor::KeepAnchor);
        browser()->setTextCursor(cursor);
    }
    int cursorPosition() const override { return browser()->textCursor().position(); }
    void setCursorPosition(int position) override
    {
        QTextCursor cursor = browser()->textCursor();
        cursor.setPosition(position);
        browser()->setTextCursor(cursor);
    }
    using ReadOnlyTextAccessible::text;
    QString text(int startOffset, int endOffset) const override
    {
        return browser()->document()->toPlainText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return browser()->document()->characterCount() - 1; }
    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(browser()->document());
        cursor.setPosition(offset);
        const QRect rect = browser()->cursorRect(cursor);
        return {browser()->viewport()->mapToGlobal(rect.topLeft()), rect.size()};
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return browser()->cursorForPosition(browser()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        setSelection(0, startIndex, endIndex);
        browser()->ensureCursorVisible();
    }

private:
    QTextBrowser *browser() const { return static_cast<QTextBrowser *>(widget()); }
};

QAccessibleInterface *createHelpAccessible(const QString &, QObject *object)
{
    if (auto *browser = dynamic_cast<HelpBrowser *>(object))
        return new HelpTextAccessible(browser);
    if (auto *viewer = qobject_cast<HelpViewer *>(object))
        return new QAccessibleWidget(viewer, QAccessible::Window);
    return nullptr;
}

QPushButton *addToolButton(QWidget *parent, QHBoxLayout *row, const QString &text, const char *name)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

HelpViewer::HelpViewer(const QString &helpFile, QWidget *parent)
    : QWidget(parent, Qt::Window), helpFile_(helpFile)
{
    static std::once_flag accessible;
    std::call_once(accessible, [] { QAccessible::installFactory(createHelpAccessible); });
    setObjectName("helpViewer");
    setWindowTitle(QStringLiteral("Помощь"));
    setFont(arialFont(14));
    // Wide enough for the pictures of the windows, which are shown at their own size.
    resize(840, 640);

    auto *row = new QHBoxLayout;
    backButton = addToolButton(this, row, QStringLiteral("&Назад"), "backButton");
    forwardButton = addToolButton(this, row, QStringLiteral("&Вперед"), "forwardButton");
    contentsButton = addToolButton(this, row, QStringLiteral("&Содержание"), "contentsButton");
    row->addSpacing(12);
    auto *searchLabel = new QLabel(QStringLiteral("&Поиск:"), this);
    row->addWidget(searchLabel);
    searchField = new QLineEdit(this);
    searchField->setObjectName("searchField");
    searchField->setAccessibleName(QStringLiteral("Поиск"));
    searchLabel->setBuddy(searchField);
    row->addWidget(searchField, 1);
    searchButton = addToolButton(this, row, QStringLiteral("На&йти"), "searchButton");

    problemLabel = new QLabel(this);
    problemLabel->setObjectName("problemLabel");
    problemLabel->setStyleSheet(QStringLiteral("color: rgb(170, 0, 0); font-weight: bold;"));
    problemLabel->setWordWrap(true);
    problemLabel->hide();

    browser = new HelpBrowser(file_, this);
    browser->setObjectName("helpText");
    browser->setAccessibleName(QStringLiteral("Текст справки"));
    browser->setOpenExternalLinks(false);
    browser->setOpenLinks(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(row);
    layout->addWidget(problemLabel);
    layout->addWidget(browser, 1);

    backButton->setEnabled(false);
    forwardButton->setEnabled(false);
    connect(backButton, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(forwardButton, &QPushButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, backButton, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardButton, &QPushButton::setEnabled);
    connect(contentsButton, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(searchButton, &QPushButton::clicked, this, &HelpViewer::findText);
    connect(searchField, &QLineEdit::returnPressed, this, &HelpViewer::findText);
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        searchField->setFocus(Qt::ShortcutFocusReason);
        searchField->selectAll();
    });
}

void HelpViewer::showTopic(int contextNumber)
{
    openTopic(HelpFile::topicOfNumber(contextNumber));
}

void HelpViewer::showTopic(const QString &key)
{
    openTopic(key);
}

void HelpViewer::showContents()
{
    openTopic(HelpFile::contentsTopic());
}

// The file is looked for again at every request, so a help file put in place while the
// program runs is found.
void HelpViewer::openTopic(const QString &topic)
{
    requestedTopic_ = topic;
    if (!file_.open(helpFile_)) {
        browser->clear();
        stale_ = true;
        report(file_.problem());
        bringUp();
        return;
    }
    QUrl url = QUrl::fromLocalFile(file_.path());
    if (file_.hasTopic(topic)) {
        report(QString());
        url.setFragment(topic);
    } else {
        report(QStringLiteral("В справке нет раздела \"%1\". Показано содержание.").arg(topic));
        url.setFragment(HelpFile::contentsTopic());
    }
    browser->setSource(url, QTextDocument::HtmlResource);
    // After a problem the browser still thinks it shows the file: make it read it again.
    if (stale_) {
        browser->reload();
        stale_ = false;
    }
    bringUp();
}

void HelpViewer::report(const QString &problem)
{
    problem_ = problem;
    problemLabel->setText(problem);
    problemLabel->setVisible(!problem.isEmpty());
}

// Help is asked for from inside modal windows too: the viewer then is modal itself, or the
// modal window would keep the learner from reading it.
void HelpViewer::bringUp()
{
    QWidget *modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (isVisible() && windowModality() != wanted)
        hide();
    setWindowModality(wanted);
    if (!isVisible()) {
        // Opened afresh: over the window that asked, with nothing left from an old search.
        searchField->clear();
        QWidget *asking = modal && modal != this ? modal : QApplication::activeWindow();
        if (asking && asking != this)
            move(asking->frameGeometry().center() - rect().center());
        else
            centreOnScreen(*this);
    }
    show();
    raise();
    activateWindow();
    browser->setFocus();
}

void HelpViewer::findText()
{
    const QString text = searchField->text();
    if (text.isEmpty())
        return;
    if (browser->find(text))
        return;
    // Not found after the cursor: once more from the top.
    QTextCursor start = browser->textCursor();
    start.movePosition(QTextCursor::Start);
    browser->setTextCursor(start);
    if (!browser->find(text))
        report(QStringLiteral("Текст \"%1\" не найден.").arg(text));
}

void HelpViewer::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
