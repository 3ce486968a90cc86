// The decorative frames of panels.

#include "controls/SkinArt.h"

#include "SkinPaint.h"

namespace SkinArt {

using namespace SkinPaint;

namespace {

constexpr int MessagePanelWidth = 380;
constexpr int MessagePanelHeight = 141;
constexpr int LeftEdgeWidth = 18;
constexpr int LeftWidth = 91;
constexpr int RightEdgeWidth = 19;
constexpr int CentreSliceWidth = 8;

// The whole message panel; the four pieces are cut from it.
QImage messagePanel()
{
    QImage canvas = blankCanvas(MessagePanelWidth, MessagePanelHeight);
    QPainter painter(&canvas);
    paintFramedPanel(painter, canvas.rect(), QColor(232, 239, 246));
    prepare(painter);
    // A tile behind the icon, which the window puts at (36, 49).
    painter.setPen(QPen(QColor(156, 195, 230), 1.0));
    painter.setBrush(topToBottom(QRectF(26.5, 39.5, 52.0, 52.0), BluePale, QColor(194, 221, 243)));
    painter.drawRoundedRect(QRectF(26.5, 39.5, 52.0, 52.0), 9.0, 9.0);
    painter.end();
    return canvas;
}

} // namespace

void paintFramedPanel(QPainter &painter, const QRect &rect, const QColor &background)
{
    painter.save();
    prepare(painter);
    const QRectF outer = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(Ink, 1.0));
    painter.setBrush(topToBottom(outer, BlueMid, Blue));
    painter.drawRoundedRect(outer, 6.0, 6.0);

    const QRectF inner = QRectF(rect).adjusted(4.0, 4.0, -4.0, -4.0);
    painter.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
    painter.setBrush(background);
    painter.drawRoundedRect(inner, 3.0, 3.0);

    // Small rivets in the corners of the frame band.
    painter.setPen(Qt::NoPen);
    painter.setBrush(AmberLight);
    const qreal r = 1.1;
    for (const QPointF &corner : {outer.topLeft() + QPointF(2.5, 2.5),
                                  outer.topRight() + QPointF(-2.5, 2.5),
                                  outer.bottomLeft() + QPointF(2.5, -2.5),
                                  outer.bottomRight() + QPointF(-2.5, -2.5)})
        painter.drawEllipse(corner, r, r);
    painter.restore();
}

MessagePanelPieces messagePanelPieces()
{
    const QImage panel = messagePanel();
    auto piece = [&panel](int x, int width) {
        return QPixmap::fromImage(panel.copy(x, 0, width, MessagePanelHeight));
    };
    return {piece(LeftEdgeWidth, LeftWidth), piece(0, LeftEdgeWidth),
            piece(MessagePanelWidth - RightEdgeWidth, RightEdgeWidth),
            piece(MessagePanelWidth / 2, CentreSliceWidth)};
}

void paintMessagePanel(QPainter &painter, const QRect &rect)
{
    const MessagePanelPieces pieces = messagePanelPieces();
    const int h = rect.height();
    const int leftEnd = rect.left() + LeftEdgeWidth + LeftWidth;
    const int rightStart = rect.right() + 1 - RightEdgeWidth;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(rect.left(), rect.top(), LeftEdgeWidth, h), pieces.leftEdge);
    painter.drawPixmap(QRect(rect.left() + LeftEdgeWidth, rect.top(), LeftWidth, h), pieces.left);
    if (rightStart > leftEnd)
        painter.drawPixmap(QRect(leftEnd, rect.top(), rightStart - leftEnd, h), pieces.centre);
    painter.drawPixmap(QRect(rightStart, rect.top(), RightEdgeWidth, h), pieces.rightEdge);
    painter.restore();
}

} // namespace SkinArt
