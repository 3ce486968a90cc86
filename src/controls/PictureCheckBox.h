#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

// The picture check box: answer markers of the multiple-choice window and the switches of
// the text-work windows. A click raises activated BEFORE the box toggles (handlers read the
// state from before the click), and raises it even when the box's own Enabled flag is off,
// in which case the box does not toggle. The own flag is separate from QWidget's enabled
// state, which keeps the box clickable while it shows its disabled look.
class QShortcut;

class PictureCheckBox : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureCheckBox(QWidget *parent = nullptr);

    bool ownEnabled() const { return ownEnabled_; }
    void setOwnEnabled(bool enabled);

    // Pictures of the four states; the pixel (1, 1) of each gives its transparent colour.
    QPixmap imgOn() const { return imgOn_; }
    void setImgOn(const QPixmap &picture);
    QPixmap imgOnDis() const { return imgOnDis_; }
    void setImgOnDis(const QPixmap &picture);
    QPixmap imgOff() const { return imgOff_; }
    void setImgOff(const QPixmap &picture);
    QPixmap imgOffDis() const { return imgOffDis_; }
    void setImgOffDis(const QPixmap &picture);

    // The caption beside the picture, drawn as a caption: an '&' underlines the letter after
    // it (whose Alt key clicks the box) and is not drawn; "&&" draws one '&'. Without its
    // '&' it is also the accessible name.
    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    // A key of the box's own (F2) that clicks it from anywhere in its window. Kept apart
    // from the caption's Alt letter, which a new caption replaces.
    QKeySequence key() const;
    void setKey(const QKeySequence &key);

    // Kept for the designs; they take no part in painting.
    QColor onColor() const { return onColor_; }
    void setOnColor(const QColor &color);
    QColor offColor() const { return offColor_; }
    void setOffColor(const QColor &color);

    // The picture of the current state.
    QPixmap stateImage() const;

    QSize sizeHint() const override;

signals:
    void activated();

protected:
    void paintEvent(QPaintEvent *event) override;
    // Every click (mouse, Space, the accessible toggle action) comes through here.
    void nextCheckState() override;

private:
    void setPicture(QPixmap &stored, const QPixmap &picture);

    bool ownEnabled_ = true;
    QShortcut *key_ = nullptr;
    QPixmap imgOn_;
    QPixmap imgOnDis_;
    QPixmap imgOff_;
    QPixmap imgOffDis_;
    QColor onColor_{0, 255, 0};
    QColor offColor_{255, 0, 0};
};
