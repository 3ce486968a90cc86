#include "AboutDialog.h"

#include "DialogFrame.h"
#include "ProjectSite.h"

#include "controls/FramedPanel.h"
#include "controls/PictureButton.h"
#include "controls/SkinArt.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextEdit>

namespace {

// What the program is, said plainly: who made it and on what terms.
const char *const Description =
    "<p><b>Вестория</b> — программа для занятий разговорным английским языком "
    "для тех, кто говорит по-русски.</p>"
    "<p>Уроки курса построены вокруг записанного текста: сначала слова и выражения урока, "
    "потом вопросы к тексту, прослушивание текста с переводом и без него, перевод вслух "
    "с записью своего голоса и, наконец, проверка понимания. Программа помнит, какие "
    "упражнения выполнил каждый ученик, и показывает это в отчете.</p>"
    "<p>Четыре режима работы позволяют выбрать путь по курсу: от самого полного (D) "
    "до упражнений в устном переводе (A).</p>"
    "<p>С программой поставляется учебный пример курса из трех уроков; речь в нем "
    "синтезирована компьютером.</p>"
    "<p>Вестория — свободная программа: ее можно распространять и изменять на условиях "
    "GNU General Public License версии 3 или (по вашему выбору) любой более поздней "
    "версии. Программа распространяется без каких-либо гарантий.</p>";

const char *const MakerLine = "Свободная программа, созданная участниками проекта «Вестория».";

// Left column: roles and headings; right column: what goes with each, line for line.
const char *const Roles[] = {
    "Программа:", "Версия:", "", "Программисты:", "", "Курс:", "", "Речь:", "", "Шрифт:", "", "Условия:", "", "", "Сайт:",
};
const char *const Entries[] = {
    "Вестория",
    "0.1",
    "",
    "участники проекта «Вестория»",
    "",
    "пример из трех уроков, написан участниками проекта",
    "",
    "синтезирована программой Festival",
    "",
    "GNU FreeFont (FreeSans)",
    "",
    "свободная программа, лицензия GNU GPL версии 3",
    "или (по вашему выбору) более поздней",
    "",
    "пока нет",
};

PictureButton *addOkButton(QWidget *page, QDialog *dialog, const char *name)
{
    auto *button = new PictureButton(page);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QStringLiteral("OK"));
    button->setToolTip(QStringLiteral("OK"));
    button->setGlyph(SkinArt::okGlyph());
    button->setGlyphDown(SkinArt::okGlyphDown());
    button->setGeometry(315, 432, 40, 40);
    QObject::connect(button, &QAbstractButton::clicked, dialog, &QDialog::accept);
    return button;
}

QStringList columnLines(const char *const *lines, int count)
{
    QStringList text;
    for (int i = 0; i < count; ++i)
        text << QString::fromUtf8(lines[i]);
    return text;
}

QLabel *addColumn(QWidget *parent, const QStringList &text, Qt::Alignment alignment)
{
    auto *column = new QLabel(text.join(u'\n'), parent);
    // The course's own type face; the main window maps the name to the installed font.
    QFont font(QStringLiteral("UkrainianFreeSet"));
    font.setPixelSize(15);
    column->setFont(font);
    column->setAlignment(alignment | Qt::AlignTop);
    column->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return column;
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName("aboutDialog");
    setupDialogFrame(*this, QSize(690, 535), QStringLiteral("О программе"));

    pages = new QTabWidget(this);
    pages->setObjectName("pages");
    pages->setGeometry(8, 8, 674, 519);

    // Page "О программе": the picture, the description in its frame, OK.
    auto *programPage = new QWidget;
    programPage->setObjectName("programPage");
    pictureLabel = new QLabel(programPage);
    pictureLabel->setObjectName("pictureLabel");
    pictureLabel->setGeometry(14, 14, 300, 228);
    pictureLabel->setAccessibleName(QStringLiteral("Заставка программы"));

    auto *descriptionPanel = new FramedPanel(programPage);
    descriptionPanel->setGeometry(326, 14, 328, 404);
    descriptionText = new QTextEdit(descriptionPanel);
    descriptionText->setObjectName("descriptionText");
    descriptionText->setGeometry(12, 12, 304, 380);
    descriptionText->setReadOnly(true);
    descriptionText->setFrameShape(QFrame::NoFrame);
    descriptionText->setFont(arialFont(14));
    descriptionText->setHtml(QString::fromUtf8(Description));
    descriptionText->setAccessibleName(QStringLiteral("О программе"));

    auto *makerLabel = new QLabel(QString::fromUtf8(MakerLine), programPage);
    makerLabel->setObjectName("makerLabel");
    makerLabel->setGeometry(14, 256, 300, 60);
    makerLabel->setWordWrap(true);
    makerLabel->setFont(arialFont(15, true));

    programOkButton = addOkButton(programPage, this, "programOkButton");
    pages->addTab(programPage, QStringLiteral("О &программе"));

    // Page "О Разработчиках": two columns in a framed, scrollable panel, OK.
    auto *developersPage = new QWidget;
    developersPage->setObjectName("developersPage");
    auto *frame = new FramedPanel(developersPage);
    frame->setGeometry(14, 14, 640, 404);
    auto *scroll = new QScrollArea(frame);
    scroll->setObjectName("developersScroll");
    scroll->setGeometry(12, 12, 616, 380);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto *columns = new QWidget;
    columns->setAutoFillBackground(true);
    QPalette white = columns->palette();
    white.setColor(QPalette::Window, Qt::white);
    columns->setPalette(white);
    auto *columnsLayout = new QHBoxLayout(columns);
    columnsLayout->setContentsMargins(12, 12, 12, 12);
    columnsLayout->setSpacing(16);
    constexpr int Lines = int(std::size(Roles));
    static_assert(Lines == int(std::size(Entries)));
    rolesColumn = addColumn(columns, columnLines(Roles, Lines), Qt::AlignRight);
    rolesColumn->setObjectName("rolesColumn");
    QStringList entries = columnLines(Entries, Lines);
    if (ProjectSite[0] != '\0')
        entries.last() = QString::fromLatin1(ProjectSite);
    entriesColumn = addColumn(columns, entries, Qt::AlignLeft);
    entriesColumn->setObjectName("entriesColumn");
    entriesColumn->setWordWrap(false);
    columnsLayout->addWidget(rolesColumn, 2);
    columnsLayout->addWidget(entriesColumn, 5);
    scroll->setWidget(columns);

    developersOkButton = addOkButton(developersPage, this, "developersOkButton");
    pages->addTab(developersPage, QStringLiteral("О &Разработчиках"));

    // Enter presses the OK of the page on show.
    programOkButton->setDefault(true);
    connect(pages, &QTabWidget::currentChanged, this,
            [this](int page) { (page == 0 ? programOkButton : developersOkButton)->setDefault(true); });
}

void AboutDialog::showEvent(QShowEvent *event)
{
    // The picture is drawn in code: only when the box is first shown, not at start-up.
    if (pictureLabel->pixmap().isNull())
        pictureLabel->setPixmap(QPixmap::fromImage(
            SkinArt::introPicture().scaled(pictureLabel->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    QDialog::showEvent(event);
    centreOnScreen(*this);
}
