#include "MainToolBar.h"

#include "controls/SkinArt.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr int Height = 71;

} // namespace

MainToolBar::MainToolBar(QWidget *parent) : QToolBar(parent)
{
    setObjectName("toolBar");
    setMovable(false);
    setFloatable(false);
    setFixedHeight(Height);
    setIconSize(QSize(32, 32));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setContentsMargins(4, 0, 4, 0);
    setStyleSheet(QStringLiteral(
        "QToolButton { color: white; border: 1px solid transparent; border-radius: 4px; padding: 2px; }"
        "QToolButton:hover { border-color: rgba(255,255,255,140); background: rgba(255,255,255,40); }"
        "QToolButton:pressed { background: rgba(0,0,0,50); }"
        "QToolButton:focus { border: 1px dotted white; background: rgba(255,255,255,30); }"
        "QToolButton:disabled { color: rgba(255,255,255,110); }"
        "QToolBar::separator { background: rgba(255,255,255,90); width: 1px; margin: 10px 6px; }"));

    // Alt letters differ from the menu bar's (Пользователь, Приступить к работе, Помощь).
    using SkinArt::ToolIcon;
    newUserButton = addButton("newUserButton", QStringLiteral("&Новое имя"), SkinArt::toolIcon(ToolIcon::NewUser));
    selectUserButton = addButton("selectUserButton", QStringLiteral("Выбрать &имя"), SkinArt::toolIcon(ToolIcon::SelectUser));
    addSeparator();
    runButton = addButton("runButton", QStringLiteral("&Выполнить"), SkinArt::toolIcon(ToolIcon::Run));
    addSeparator();
    reportButton = addButton("reportButton", QStringLiteral("&Отчет"), SkinArt::toolIcon(ToolIcon::Report));
    reportButton->setEnabled(false);
    aboutButton = addButton("aboutButton", QStringLiteral("О про&грамме..."), SkinArt::toolIcon(ToolIcon::About));
    addSeparator();
    exitButton = addButton("exitButton", QStringLiteral("Вы&ход"), SkinArt::toolIcon(ToolIcon::Exit));

    setCaptionFamily(QStringLiteral("Arial"));
}

QToolButton *MainToolBar::addButton(const char *name, const QString &caption, const QPixmap &icon)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setIcon(QIcon(icon));
    button->setFixedSize(113, 56);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::TabFocus);
    addWidget(button);
    return button;
}

QSize MainToolBar::sizeHint() const
{
    return {QToolBar::sizeHint().width(), Height};
}

QSize MainToolBar::minimumSizeHint() const
{
    return {QToolBar::minimumSizeHint().width(), Height};
}

void MainToolBar::setCaptionFamily(const QString &family)
{
    QFont captionFont(family);
    captionFont.setPixelSize(15);
    for (QToolButton *button : findChildren<QToolButton *>())
        button->setFont(captionFont);
}

void MainToolBar::paintEvent(QPaintEvent *)
{
    // White captions need a deeper blue than the window's own background.
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(52, 112, 178));
    gradient.setColorAt(1, QColor(28, 74, 138));
    painter.fillRect(rect(), gradient);
    painter.setPen(QColor(18, 50, 98));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}
