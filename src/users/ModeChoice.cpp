#include "ModeChoice.h"

#include "Modes.h"

#include "ui/DialogFrame.h"

#include <QGridLayout>
#include <QLabel>

ModeChoice::ModeChoice(QWidget *parent) : QGroupBox(QStringLiteral("Режим работы пользователя"), parent)
{
    setFont(arialFont(15, true));
    auto *layout = new QGridLayout(this);
    layout->setColumnStretch(1, 1);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(6);
    layout->setContentsMargins(8, 6, 8, 6);
    QRadioButton **buttons[] = {&modeAButton, &modeBButton, &modeCButton, &modeDButton};
    for (int i = 0; i < 4; ++i) {
        const QChar letter(ModeLetters[size_t(i)]);
        // The mode's own (Latin) letter is its Alt key, for all four alike.
        auto *radio = new QRadioButton(QStringLiteral("Режим &") + letter, this);
        radio->setObjectName(QStringLiteral("mode") + letter + QStringLiteral("Button"));
        radio->setFont(arialFont(15, true));
        auto *description = new QLabel(modeDescription(letter), this);
        description->setWordWrap(true);
        description->setFont(arialFont(13));
        description->setBuddy(radio);
        radio->setAccessibleDescription(description->text());
        layout->addWidget(radio, i, 0, Qt::AlignTop);
        layout->addWidget(description, i, 1);
        group_.addButton(radio, i);
        *buttons[i] = radio;
    }
    modeAButton->setChecked(true);
}

QChar ModeChoice::selected() const
{
    const int id = group_.checkedId();
    return id < 0 ? QChar(u'A') : QChar(ModeLetters[size_t(id)]);
}

void ModeChoice::select(QChar mode)
{
    for (int i = 0; i < 4; ++i) {
        if (ModeLetters[size_t(i)] == mode.unicode())
            group_.button(i)->setChecked(true);
    }
}
