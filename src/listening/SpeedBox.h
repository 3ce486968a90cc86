#pragma once

#include <QWidget>

class QLabel;
class QSpinBox;

// "Скорость": the speed at which the course sound is played, 50 % to 100 % in steps of 5 %,
// a spin box behind its caption (the caption's Alt letter and Tab reach it; arrows and
// Page Up/Down change it).
class SpeedBox : public QWidget {
    Q_OBJECT
public:
    explicit SpeedBox(QWidget *parent = nullptr);

    int percent() const;

    QLabel *caption;
    QSpinBox *spinBox;

signals:
    void percentChanged(int percent);
};
