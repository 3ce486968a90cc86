#include "FullDuplexDialog.h"

#include "controls/DesignColour.h"
#include "controls/PictureButton.h"
#include "controls/SkinArt.h"
#include "sound/FullDuplexCheck.h"
#include "sound/SoundDevice.h"
#include "sound/SystemAudio.h"
#include "ui/DialogFrame.h"

#include <QPointer>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace {

QPointer<FullDuplexDialog> registeredDialog;

// The light grey panel behind the text.
class GreyPanel : public QWidget {
public:
    explicit GreyPanel(QWidget *parent) : QWidget(parent)
    {
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor(rgbFromDesignColour(13421772)));
        setPalette(colours);
    }
};

} // namespace

FullDuplexDialog::FullDuplexDialog(AudioBackend &audio, QWidget *parent) : QDialog(parent)
{
    setObjectName("fullDuplexDialog");
    setupDialogFrame(*this, QSize(432, 213), QStringLiteral("Внимание"));

    playbackDevice = new SoundDevice(audio, this);
    playbackDevice->setObjectName("playbackDevice");
    playbackDevice->FileName = QStringLiteral("Null.wav");
    recordingDevice = new SoundDevice(audio, this);
    recordingDevice->setObjectName("recordingDevice");
    recordingDevice->FileName = QStringLiteral("NullRec.wav");

    textPanel = new GreyPanel(this);
    textPanel->setObjectName("textPanel");
    textPanel->setGeometry(0, 0, 432, 161);

    warningView = new QTextEdit(textPanel);
    warningView->setObjectName("warningView");
    warningView->setGeometry(12, 16, 408, 129);
    warningView->setReadOnly(true);
    warningView->setFrameShape(QFrame::NoFrame);
    warningView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    warningView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    warningView->setAccessibleName(QStringLiteral("Сообщение"));
    QPalette white = warningView->palette();
    white.setColor(QPalette::Base, Qt::white);
    warningView->setPalette(white);
    warningView->setFont(arialFont(16));
    warningView->setPlainText(warningText());
    QTextCursor all(warningView->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignCenter);
    all.mergeBlockFormat(centred);

    okButton = new PictureButton(this);
    okButton->setObjectName("okButton");
    okButton->setGeometry(195, 169, 41, 36);
    okButton->setText(QStringLiteral("OK"));
    okButton->setGlyph(SkinArt::okGlyph());
    okButton->setGlyphDown(SkinArt::okGlyphDown());
    okButton->setDefault(true);
    okButton->setModalResult(QDialog::Accepted);
}

QString FullDuplexDialog::warningText()
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

void FullDuplexDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

bool FullDuplexDialog::testFullDuplex()
{
    return runFullDuplexCheck(*playbackDevice, *recordingDevice, [this] { exec(); });
}

void setFullDuplexDialog(FullDuplexDialog *dialog)
{
    registeredDialog = dialog;
}

bool testFullDuplex()
{
    if (registeredDialog)
        return registeredDialog->testFullDuplex();
    FullDuplexDialog dialog(systemAudioBackend());
    return dialog.testFullDuplex();
}
