#include "DlgMessage.h"

#include "controls/BtnImgD1KL.h"
#include "controls/SkinArt.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QTextEdit>

namespace {

QPointer<TDlgxMessage> registeredWindow;

// The grey panel framed by its decorative pieces.
class MessagePanel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        SkinArt::paintMessagePanel(painter, rect());
    }
};

} // namespace

TDlgxMessage::TDlgxMessage(QWidget *parent) : QDialog(parent)
{
    setObjectName("DlgxMessage");
    setFixedSize(379, 211);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, SkinArt::dialogBackground());
    setPalette(background);

    auto *panel = new MessagePanel(this);
    panel->setGeometry(0, 0, 380, 141);

    IconImage = new QLabel(panel);
    IconImage->setObjectName("ImageIcon");
    IconImage->setGeometry(36, 49, 32, 32);

    TextBox = new QTextEdit(panel);
    TextBox->setObjectName("MemoText");
    TextBox->setGeometry(116, 40, 240, 71);
    TextBox->setReadOnly(true);
    TextBox->setFrameShape(QFrame::NoFrame);
    TextBox->setAlignment(Qt::AlignCenter);
    TextBox->setAccessibleName(QStringLiteral("Сообщение"));
    QFont textFont(QStringLiteral("Arial"));
    textFont.setPixelSize(15);
    TextBox->setFont(textFont);

    BtnOk = new TBtnImgD1KL(this);
    BtnOk->setObjectName("BtnOk");
    BtnOk->setGeometry(166, 166, 41, 36);
    BtnOk->setText(QStringLiteral("OK"));
    BtnOk->setGlyph(SkinArt::okGlyph());
    BtnOk->setGlyphDown(SkinArt::okGlyphDown());
    BtnOk->setDefault(true);
    BtnOk->setModalResult(QDialog::Accepted);
}

int TDlgxMessage::iconIndexForFlag(int iconFlag)
{
    const int group = (iconFlag & 0xF0) >> 4;
    return (group >= 1 && group <= 4) ? group - 1 : 3;
}

void TDlgxMessage::prepare(const QString &text, const QString &caption, int iconFlag)
{
    iconIndex_ = iconIndexForFlag(iconFlag);
    IconImage->setPixmap(SkinArt::messageIcon(iconIndex_));
    static const char *const iconNames[] = {"Стоп", "Вопрос", "Внимание", "Информация"};
    IconImage->setAccessibleName(QString::fromUtf8(iconNames[iconIndex_]));

    TextBox->clear();
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    TextBox->setPlainText(lines);
    QTextCursor all(TextBox->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignCenter);
    all.mergeBlockFormat(centred);

    setWindowTitle(caption);
}

QString TDlgxMessage::shownText() const
{
    return TextBox->toPlainText();
}

void TDlgxMessage::showMessage(const QString &text, const QString &caption, int iconFlag)
{
    prepare(text, caption, iconFlag);
    exec();
}

void setMessageWindow(TDlgxMessage *window)
{
    registeredWindow = window;
}

void ShowMessageBox(const QString &text, const QString &caption, int iconFlag)
{
    if (registeredWindow) {
        registeredWindow->showMessage(text, caption, iconFlag);
        return;
    }
    TDlgxMessage window;
    window.showMessage(text, caption, iconFlag);
}
