#pragma once

#include "core/ProgressSink.h"

#include <QElapsedTimer>
#include <QWidget>

class PictureProgressBar;

// The small borderless window shown while the lesson tree is rebuilt.
class TreeProgressWindow : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    explicit TreeProgressWindow(QWidget *parent = nullptr);

    void begin(int maximum) override;
    void advance(int position) override;
    void end() override;

    PictureProgressBar *progressBar;

private:
    QElapsedTimer sinceRepaint_;
};
