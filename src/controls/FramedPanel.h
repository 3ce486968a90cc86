#pragma once

#include <QWidget>

// A white panel framed by the skin's decorative pieces: the tree and description panes of
// the main window, the report list, the panels of the exercise windows.
class FramedPanel : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *event) override;
};
