#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>

// The group "Режим работы пользователя": a radio button per mode, each followed by the
// mode's description. Used by the new-user and the mode dialogs.
class ModeChoice : public QGroupBox {
    Q_OBJECT
public:
    explicit ModeChoice(QWidget *parent = nullptr);

    QChar selected() const;
    void select(QChar mode);

    QRadioButton *modeAButton;
    QRadioButton *modeBButton;
    QRadioButton *modeCButton;
    QRadioButton *modeDButton;

private:
    QButtonGroup group_;
};
