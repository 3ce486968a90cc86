#include "DescriptionPane.h"

#include "core/CourseError.h"
#include "core/CoursePicture.h"
#include "core/FileSystem.h"
#include "core/RtfReader.h"
#include "ui/DialogFrame.h"
#include "ui/ProjectSite.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QUrl>
#include <QVBoxLayout>

DescriptionPane::DescriptionPane(QWidget *parent)
    : QWidget(parent), pictureLabel(new QLabel(this)), descriptionText(new RichTextView(this)), webLinkLabel(new QLabel(this))
{
    setObjectName("DescriptionPane");
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    setPalette(white);

    pictureLabel->setObjectName("pictureLabel");
    pictureLabel->setAlignment(Qt::AlignCenter);
    pictureLabel->setAccessibleName(QStringLiteral("Рисунок"));
    pictureLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    pictureLabel->hide();

    descriptionText->setObjectName("descriptionText");
    descriptionText->setFrameShape(QFrame::NoFrame);
    descriptionText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    descriptionText->setAccessibleName(QStringLiteral("Описание"));
    descriptionText->setFont(arialFont(12));

    webLinkLabel->setObjectName("webLinkLabel");
    webLinkLabel->setTextFormat(Qt::RichText);
    webLinkLabel->setCursor(Qt::PointingHandCursor);
    // Tab reaches the link and Enter opens it, as a click does (eventFilter).
    webLinkLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    webLinkLabel->setFocusPolicy(Qt::StrongFocus);
    webLinkLabel->installEventFilter(this);
    webLinkLabel->setAccessibleName(QStringLiteral("Сайт курса"));
    webLinkLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Opened through our own call rather than the label's, so that a handler set on
    // QDesktopServices (tests) sees it too.
    connect(webLinkLabel, &QLabel::linkActivated, this, [](const QString &link) { QDesktopServices::openUrl(QUrl(link)); });
    setWebSite(QString::fromLatin1(ProjectSite));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->addWidget(pictureLabel, 1);
    layout->addWidget(descriptionText, 1);
    layout->addWidget(webLinkLabel, 0);
}

void DescriptionPane::setWebSite(const QString &address)
{
    webSite_ = address;
    webLinkLabel->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(address, QUrl(address).host()));
    webLinkLabel->setHidden(address.isEmpty());
}

bool DescriptionPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == webLinkLabel && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit webLinkLabel->linkActivated(webSite_);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DescriptionPane::showDescription(const CatalogueEntry &entry, const QString &dataFolder)
{
    const QString file = dataFolder + entry.InfoFile();
    switch (entry.InfoKind) {
    case 0:
        pictureLabel->hide();
        descriptionText->show();
        // Emptied first: a file that cannot be read leaves the view empty, and the old
        // text is freed before the new one is read.
        descriptionText->setText(RichText());
        descriptionText->setText(readRichOrPlainText(readFileBytes(file)));
        break;
    case 1:
        descriptionText->hide();
        pictureLabel->show();
        showPicture(QImage());
        showPicture(loadCoursePicture(file));
        break;
    default:
        break;
    }
}

void DescriptionPane::showNotice(const QString &text)
{
    pictureLabel->hide();
    descriptionText->show();
    descriptionText->setText(RichText::fromPlainText(text));
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
        pictureLabel->clear();
        return;
    }
    const QSize room = pictureLabel->size();
    QImage shown = picture_;
    const bool laidOut = room.width() > 1 && room.height() > 1;
    if (laidOut && (picture_.width() > room.width() || picture_.height() > room.height()))
        shown = picture_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pictureLabel->setPixmap(QPixmap::fromImage(shown));
}
