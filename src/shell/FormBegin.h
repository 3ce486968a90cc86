#pragma once

#include <QDialog>
#include <QTimer>

// The intro: a borderless picture of 782 x 594 in the middle of the desktop, shown
// modally for 4.5 s when the program starts.
class TFormBegin : public QDialog {
    Q_OBJECT
public:
    explicit TFormBegin(QWidget *parent = nullptr);

    QTimer *Timer1;

    static constexpr int ShowMs = 4500;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Timer1Timer();

    QImage picture_;
};
