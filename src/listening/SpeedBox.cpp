#include "SpeedBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

SpeedBox::SpeedBox(QWidget *parent) : QWidget(parent)
{
    setObjectName("speedBox");
    caption = new QLabel(QStringLiteral("Скорость"), this);
    caption->setObjectName("speedCaption");
    spinBox = new QSpinBox(this);
    spinBox->setObjectName("speedSpinBox");
    spinBox->setAccessibleName(QStringLiteral("Скорость"));
    spinBox->setToolTip(QStringLiteral("Скорость звучания, %"));
    spinBox->setRange(50, 100);
    spinBox->setSingleStep(5);
    spinBox->setSuffix(QStringLiteral(" %"));
    spinBox->setValue(100);
    // Typed values fall on the steps too, so what is shown is what is played.
    spinBox->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    spinBox->setKeyboardTracking(false);
    caption->setBuddy(spinBox);
    setFocusProxy(spinBox);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(caption);
    layout->addWidget(spinBox);

    connect(spinBox, &QSpinBox::valueChanged, this, [this](int value) {
        const int stepped = (value + 2) / 5 * 5;
        if (stepped != value) {
            spinBox->setValue(stepped);
            return;
        }
        emit percentChanged(value);
    });
}

int SpeedBox::percent() const
{
    return spinBox->value();
}
