#pragma once

#include "ReadableSyntagms.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

// The paint area of a listening panel: shows an off-screen image drawn elsewhere, copied to
// the screen in one step. Screen readers get the panel's name and read its whole text, the
// syntagm the image highlights selected.
class ListeningPaintArea : public QWidget, public ReadableSyntagms {
    Q_OBJECT
public:
    ListeningPaintArea(const QString &name, QWidget *parent = nullptr);

    void setImage(const QImage *image) { image_ = image; }
    // The syntagms the image shows, and the index of the highlighted one.
    void setSyntagms(const QStringList &syntagms);
    void setCurrentItem(int index);

    SyntagmReading reading() const override { return reading_; }
    int currentItem() const override { return current_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QImage *image_ = nullptr;
    SyntagmReading reading_;
    int current_ = -1;
};
