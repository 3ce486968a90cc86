#include "FramedPanel.h"

#include "SkinArt.h"

#include <QPainter>

void FramedPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    SkinArt::paintFramedPanel(painter, rect(), Qt::white);
}
