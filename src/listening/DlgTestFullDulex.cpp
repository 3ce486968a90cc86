#include "DlgTestFullDulex.h"

#include "sound/FullDuplexCheck.h"
#include "sound/SoundDevice.h"
#include "sound/SystemAudio.h"
#include "controls/BtnImgD1KL.h"
#include "controls/SkinArt.h"
#include "controls/TColor.h"
#include "ui/DialogFrame.h"

#include <QPointer>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace {

QPointer<TDlgTestFullDulex> registeredDialog;

// The light grey panel behind the text.
class GreyPanel : public QWidget {
public:
    explicit GreyPanel(QWidget *parent) : QWidget(parent)
    {
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor(rgbFromTColor(13421772)));
        setPalette(colours);
    }
};

} // namespace

TDlgTestFullDulex::TDlgTestFullDulex(AudioBackend &audio, QWidget *parent) : QDialog(parent)
{
    setObjectName("DlgTestFullDulex");
    setupDialogFrame(*this, QSize(432, 213), QStringLiteral("Внимание"));

    MediaPlayer1 = new SoundDevice(audio, this);
    MediaPlayer1->setObjectName("MediaPlayer1");
    MediaPlayer1->FileName = QStringLiteral("Null.wav");
    MediaPlayer2 = new SoundDevice(audio, this);
    MediaPlayer2->setObjectName("MediaPlayer2");
    MediaPlayer2->FileName = QStringLiteral("NullRec.wav");

    Panel1 = new GreyPanel(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(0, 0, 432, 161);

    Memo1 = new QTextEdit(Panel1);
    Memo1->setObjectName("Memo1");
    Memo1->setGeometry(12, 16, 408, 129);
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setAccessibleName(QStringLiteral("Сообщение"));
    QPalette white = Memo1->palette();
    white.setColor(QPalette::Base, Qt::white);
    Memo1->setPalette(white);
    Memo1->setFont(arialFont(16));
    Memo1->setPlainText(warningText());
    QTextCursor all(Memo1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignCenter);
    all.mergeBlockFormat(centred);

    BtnOk = new TBtnImgD1KL(this);
    BtnOk->setObjectName("BtnOk");
    BtnOk->setGeometry(195, 169, 41, 36);
    BtnOk->setText(QStringLiteral("OK"));
    BtnOk->setGlyph(SkinArt::okGlyph());
    BtnOk->setGlyphDown(SkinArt::okGlyphDown());
    BtnOk->setDefault(true);
    BtnOk->setModalResult(QDialog::Accepted);
}

QString TDlgTestFullDulex::warningText()
{
    // The last, empty line is part of the text.
    return QStringList{
        QStringLiteral("На вашем компьютере данное упражнение не "),
        QStringLiteral("может быть выполнено. Звуковая карта не "),
        QStringLiteral("поддерживает режим FullDuplex (невозможно "),
        QStringLiteral("одновременно воспроизводить и записывать)."),
        QString(),
    }.join(u'\n');
}

void TDlgTestFullDulex::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

bool TDlgTestFullDulex::TestFullDuplex()
{
    return runFullDuplexCheck(*MediaPlayer1, *MediaPlayer2, [this] { exec(); });
}

void setFullDuplexDialog(TDlgTestFullDulex *dialog)
{
    registeredDialog = dialog;
}

bool TestFullDuplex()
{
    if (registeredDialog)
        return registeredDialog->TestFullDuplex();
    TDlgTestFullDulex dialog(systemAudioBackend());
    return dialog.TestFullDuplex();
}
