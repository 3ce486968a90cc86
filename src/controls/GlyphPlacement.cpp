#include "GlyphPlacement.h"

QPoint glyphPosition(QSize client, QSize glyph, GlyphLayout layout, int margin)
{
    const bool horizontal = layout == GlyphLayout::Left || layout == GlyphLayout::Right;
    QPoint position;
    if (horizontal)
        position.setY((client.height() - glyph.height() + 1) / 2);
    else
        position.setX((client.width() - glyph.width() + 1) / 2);

    // Without a caption there is no spacing to add, so centring along the axis is the
    // same rounding as across it.
    if (margin == -1) {
        margin = horizontal ? (client.width() - glyph.width() + 1) / 2
                            : (client.height() - glyph.height() + 1) / 2;
    }

    switch (layout) {
    case GlyphLayout::Left:
        position.setX(margin);
        break;
    case GlyphLayout::Right:
        position.setX(client.width() - margin - glyph.width());
        break;
    case GlyphLayout::Top:
        position.setY(margin);
        break;
    case GlyphLayout::Bottom:
        position.setY(client.height() - margin - glyph.height());
        break;
    }
    return position;
}
