#pragma once

#include <QImage>
#include <QWidget>

// The paint area of a listening panel: shows an off-screen image drawn elsewhere, copied to
// the screen in one step. Screen readers get the panel's name and, as its description, the
// syntagm the image highlights.
class ListeningPaintArea : public QWidget {
    Q_OBJECT
public:
    ListeningPaintArea(const QString &name, QWidget *parent = nullptr);

    void setImage(const QImage *image) { image_ = image; }
    void setCurrentText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QImage *image_ = nullptr;
};
