#pragma once

#include <QAbstractButton>
#include <QPixmap>

// The picture button of the exercise windows' bottom row: separate pictures for the
// normal, hover, pressed, released and disabled states, drawn transparently (the top-right
// pixel of each picture gives its transparent colour); the control takes the size of the
// picture on show. The caption (setText) names it for screen readers; the windows put
// a label under it.
class FlatPictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit FlatPictureButton(QWidget *parent = nullptr);

    // Normal picture; setting it also makes it the current picture and sizes the control.
    QPixmap bitmap() const { return bitmap_; }
    void setBitmap(const QPixmap &picture);
    QPixmap bitmapOver() const { return bitmapOver_; }
    void setBitmapOver(const QPixmap &picture);
    QPixmap bitmapDown() const { return bitmapDown_; }
    void setBitmapDown(const QPixmap &picture);
    QPixmap bitmapUp() const { return bitmapUp_; }
    void setBitmapUp(const QPixmap &picture);
    QPixmap bitmapDisabled() const { return bitmapDisabled_; }
    void setBitmapDisabled(const QPixmap &picture);

    // The picture of the state the pointer events left the button in.
    QPixmap currentPicture() const { return current_; }
    // The picture a paint draws now: the disabled picture, the released picture drawn
    // after a release, or the current picture.
    QPixmap pictureOnShow() const;
    // What the last paint drew.
    QPixmap shownPicture() const { return shown_; }

    QSize sizeHint() const override;

signals:
    void activated();
    void mouseDown();
    void mouseUp();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void makeCurrent(const QPixmap &picture);
    void fitToPictureOnShow();
    bool isUnderPointer(QPoint position) const;

    QPixmap bitmap_;
    QPixmap bitmapOver_;
    QPixmap bitmapDown_;
    QPixmap bitmapUp_;
    QPixmap bitmapDisabled_;
    QPixmap current_;
    // Drawn after a release in place of the current picture, which stays as it was.
    QPixmap released_;
    QPixmap shown_;
};
