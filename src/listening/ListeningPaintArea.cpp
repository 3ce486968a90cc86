#include "ListeningPaintArea.h"

#include <QPainter>

ListeningPaintArea::ListeningPaintArea(const QString &name, QWidget *parent) : QWidget(parent)
{
    installReadableSyntagmsAccessibility();
    setAccessibleName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ListeningPaintArea::setSyntagms(const QStringList &syntagms)
{
    reading_ = SyntagmReading(syntagms);
    current_ = -1;
}

void ListeningPaintArea::setCurrentItem(int index)
{
    if (index == current_)
        return;
    current_ = index;
    announceCurrentSyntagm(this, *this);
}

void ListeningPaintArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (image_)
        painter.drawImage(0, 0, *image_);
    // Whatever the image does not cover stays the panel's white.
    const QRect covered = image_ ? image_->rect() : QRect();
    if (!covered.contains(rect())) {
        painter.setClipRegion(QRegion(rect()).subtracted(covered));
        painter.fillRect(rect(), Qt::white);
    }
}
