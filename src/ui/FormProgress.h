#pragma once

#include "core/ProgressSink.h"

#include <QElapsedTimer>
#include <QWidget>

class TPrgssBarKL;

// The small borderless window shown while the lesson tree is rebuilt.
class TFormProgress : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    explicit TFormProgress(QWidget *parent = nullptr);

    void begin(int maximum) override;
    void advance(int position) override;
    void end() override;

    TPrgssBarKL *ProgressBarTree;

private:
    QElapsedTimer sinceRepaint_;
};
