#pragma once

#include <QLabel>

// A changing number shown over its caption ("Осталось", "Всего", "Ошибок"). Screen
// readers get the caption and the number together, and the number as the value, so
// what they say follows every change.
class CounterLabel : public QLabel {
    Q_OBJECT
public:
    CounterLabel(const QString &caption, QWidget *parent = nullptr);

    // "Осталось: 12", or the caption alone while no number is shown.
    QString spokenText() const;

private:
    QString caption_;
};
