#include "PictureProgressBar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include <algorithm>
#include <mutex>

namespace {

class PictureProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit PictureProgressBarAccessible(PictureProgressBar *bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(bar()->clampedPosition());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return bar()->clampedPosition(); }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return std::max(bar()->min(), bar()->max()); }
    QVariant minimumValue() const override { return bar()->min(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    PictureProgressBar *bar() const { return static_cast<PictureProgressBar *>(widget()); }
};

QAccessibleInterface *createPictureProgressBarAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(PictureProgressBar::staticMetaObject.className())) {
        if (auto *bar = qobject_cast<PictureProgressBar *>(object))
            return new PictureProgressBarAccessible(bar);
    }
    return nullptr;
}

} // namespace

PictureProgressBar::PictureProgressBar(QWidget *parent) : QWidget(parent)
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(createPictureProgressBarAccessible); });
    resize(150, 25);
}

int PictureProgressBar::clampedPosition() const
{
    return std::clamp(position_, min_, std::max(min_, max_));
}

void PictureProgressBar::valueChanged()
{
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, clampedPosition());
        QAccessible::updateAccessibility(&event);
    }
    update();
}

void PictureProgressBar::setMin(int min)
{
    if (min == min_)
        return;
    min_ = min;
    valueChanged();
}

void PictureProgressBar::setMax(int max)
{
    if (max == max_)
        return;
    max_ = max;
    valueChanged();
}

void PictureProgressBar::setPosition(int position)
{
    if (position == position_)
        return;
    position_ = position;
    valueChanged();
}

void PictureProgressBar::setColor(const QColor &color)
{
    color_ = color;
    update();
}

void PictureProgressBar::setPicture(QPixmap &stored, const QPixmap &picture)
{
    stored = picture;
    update();
}

void PictureProgressBar::setImgBeginLine(const QPixmap &picture) { setPicture(imgBeginLine_, picture); }
void PictureProgressBar::setImgMidleLine(const QPixmap &picture) { setPicture(imgMidleLine_, picture); }
void PictureProgressBar::setImgEndLine(const QPixmap &picture) { setPicture(imgEndLine_, picture); }
void PictureProgressBar::setImgBeginScroll(const QPixmap &picture) { setPicture(imgBeginScroll_, picture); }
void PictureProgressBar::setImgMidleScroll(const QPixmap &picture) { setPicture(imgMidleScroll_, picture); }
void PictureProgressBar::setImgEndScroll(const QPixmap &picture) { setPicture(imgEndScroll_, picture); }

bool PictureProgressBar::hasAllPictures() const
{
    return !imgBeginLine_.isNull() && !imgMidleLine_.isNull() && !imgEndLine_.isNull()
        && !imgBeginScroll_.isNull() && !imgMidleScroll_.isNull() && !imgEndScroll_.isNull();
}

ProgressBarLayout PictureProgressBar::pieceLayout() const
{
    if (!hasAllPictures())
        return {};
    const ProgressPieceWidths widths{imgBeginLine_.width(),   imgMidleLine_.width(),
                                     imgEndLine_.width(),     imgBeginScroll_.width(),
                                     imgMidleScroll_.width(), imgEndScroll_.width()};
    return layOutProgressBar(width(), widths, min_, max_, position_);
}

QColor PictureProgressBar::parentBackground() const
{
    const QWidget *owner = parentWidget() ? parentWidget() : this;
    return owner->palette().color(owner->backgroundRole());
}

void PictureProgressBar::paintEvent(QPaintEvent *)
{
    if (!hasAllPictures() || width() <= 0 || height() <= 0)
        return;

    // Drawn off screen first, on the parent's colour, so the bar never flickers.
    const qreal ratio = devicePixelRatioF();
    QPixmap buffer(size() * ratio);
    buffer.setDevicePixelRatio(ratio);
    buffer.fill(parentBackground());
    {
        QPainter painter(&buffer);
        auto draw = [&](int x, const QPixmap &picture) {
            painter.drawPixmap(x, centredTop(height(), picture.height()), picture);
        };
        const ProgressBarLayout layout = pieceLayout();
        for (const int x : layout.trackTiles)
            draw(x, imgMidleLine_);
        draw(0, imgBeginLine_);
        draw(layout.trackEnd, imgEndLine_);
        for (const int x : layout.fillTiles)
            draw(x, imgMidleScroll_);
        draw(0, imgBeginScroll_);
        draw(layout.fillEnd, imgEndScroll_);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}
