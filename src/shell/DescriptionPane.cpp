#include "DescriptionPane.h"

#include "core/CourseError.h"
#include "core/CoursePicture.h"
#include "core/FileSystem.h"
#include "core/RtfReader.h"

#include <QDesktopServices>
#include <QUrl>
#include <QVBoxLayout>

QString DescriptionPane::webSite()
{
    return QStringLiteral("https://vestoria.example.org/");
}

DescriptionPane::DescriptionPane(QWidget *parent)
    : QWidget(parent), ImageAbout(new QLabel(this)), RichEditAboutLern(new QTextEdit(this)), Label1(new QLabel(this))
{
    setObjectName("DescriptionPane");
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    setPalette(white);

    ImageAbout->setObjectName("ImageAbout");
    ImageAbout->setAlignment(Qt::AlignCenter);
    ImageAbout->setAccessibleName(QStringLiteral("Рисунок"));
    ImageAbout->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    ImageAbout->hide();

    RichEditAboutLern->setObjectName("RichEditAboutLern");
    RichEditAboutLern->setReadOnly(true);
    RichEditAboutLern->setFrameShape(QFrame::NoFrame);
    RichEditAboutLern->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditAboutLern->setAccessibleName(QStringLiteral("Описание"));
    QFont textFont(QStringLiteral("Arial"));
    textFont.setPixelSize(12);
    RichEditAboutLern->setFont(textFont);
    RichEditAboutLern->document()->setDefaultFont(textFont);

    Label1->setObjectName("Label1");
    Label1->setText(QStringLiteral("<a href=\"%1\">vestoria.example.org</a>").arg(webSite()));
    Label1->setTextFormat(Qt::RichText);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->setAccessibleName(QStringLiteral("Сайт курса"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Opened through our own call rather than the label's, so that a handler set on
    // QDesktopServices (tests) sees it too.
    connect(Label1, &QLabel::linkActivated, this, [](const QString &link) { QDesktopServices::openUrl(QUrl(link)); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->addWidget(ImageAbout, 1);
    layout->addWidget(RichEditAboutLern, 1);
    layout->addWidget(Label1, 0);
}

void DescriptionPane::showDescription(const TCatalogueEntry &entry, const QString &dataFolder)
{
    const QString file = dataFolder + entry.InfoFile;
    switch (entry.InfoKind) {
    case 0:
        ImageAbout->hide();
        RichEditAboutLern->show();
        RichEditAboutLern->clear();
        readRichOrPlainText(readFileBytes(file), *RichEditAboutLern->document());
        RichEditAboutLern->moveCursor(QTextCursor::Start);
        break;
    case 1:
        RichEditAboutLern->hide();
        ImageAbout->show();
        showPicture(QImage());
        showPicture(loadCoursePicture(file));
        break;
    default:
        break;
    }
}

void DescriptionPane::showNotice(const QString &text)
{
    ImageAbout->hide();
    RichEditAboutLern->show();
    RichEditAboutLern->setPlainText(text);
}

void DescriptionPane::showPicture(const QImage &picture)
{
    picture_ = picture;
    fitPicture();
}

void DescriptionPane::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitPicture();
}

// Centred at its own size; a picture larger than the pane is scaled down to fit.
void DescriptionPane::fitPicture()
{
    if (picture_.isNull()) {
        ImageAbout->clear();
        return;
    }
    const QSize room = ImageAbout->size();
    QImage shown = picture_;
    const bool laidOut = room.width() > 1 && room.height() > 1;
    if (laidOut && (picture_.width() > room.width() || picture_.height() > room.height()))
        shown = picture_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ImageAbout->setPixmap(QPixmap::fromImage(shown));
}
