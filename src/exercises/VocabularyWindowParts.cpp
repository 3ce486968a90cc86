#include "VocabularyWindowParts.h"

#include "controls/FlatPictureButton.h"
#include "controls/PictureButton.h"
#include "ui/DialogFrame.h"

#include <QDialog>
#include <QPainter>

namespace VocabularyWindow {

namespace {

constexpr int CaptionWidth = 110;

QLabel *addCaptionUnder(QWidget *parent, const QWidget &control, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setFont(arialFont(13));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(control.x() + control.width() / 2 - CaptionWidth / 2, control.y() + control.height() + 2,
                       CaptionWidth, 18);
    label->setBuddy(const_cast<QWidget *>(&control));
    return label;
}

} // namespace

QLineEdit *addTextField(QWidget *parent, const QRect &geometry, const QString &accessibleName)
{
    auto *field = new QLineEdit(parent);
    field->setGeometry(geometry);
    field->setReadOnly(true);
    field->setFont(arialFont(18, true));
    field->setAccessibleName(accessibleName);
    return field;
}

PictureButton *addPushButton(QWidget *parent, QPoint topLeft, const QString &caption, SkinArt::ButtonSymbol symbol)
{
    auto *button = new PictureButton(parent);
    button->setGeometry(QRect(topLeft, QSize(41, 36)));
    button->setText(caption);
    button->setToolTip(caption);
    SkinArt::applyPushButtonGlyphs(*button, symbol);
    addCaptionUnder(parent, *button, caption);
    return button;
}



PictureButton *addHiddenButton(QWidget *parent, const QString &caption)
{
    auto *button = new PictureButton(parent);
    button->setText(caption);
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    return button;
}

void hideWithCaption(QWidget &control)
{
    control.hide();
    if (QWidget *parent = control.parentWidget()) {
        for (QLabel *label : parent->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
            if (label->buddy() == &control)
                label->hide();
    }
}

} // namespace VocabularyWindow
