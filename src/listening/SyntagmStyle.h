#pragma once

#include <QColor>
#include <QFont>
#include <QRgb>

// What a character of the syntagm text is drawn with besides the control's face and size:
// the four style flags and a colour. The selection "fonts" of the control are only this.
struct SyntagmStyle {
    enum Flag : quint8 { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    quint8 flags = 0;
    QRgb colour = qRgb(0, 0, 0);

    friend bool operator==(const SyntagmStyle &, const SyntagmStyle &) = default;

    static SyntagmStyle of(const QFont &font, const QColor &colour)
    {
        SyntagmStyle style;
        style.flags = quint8((font.bold() ? Bold : 0) | (font.italic() ? Italic : 0) |
                             (font.underline() ? Underline : 0) | (font.strikeOut() ? StrikeOut : 0));
        style.colour = colour.rgb();
        return style;
    }

    // `base` (face and size) with these style flags.
    QFont applied(QFont base) const
    {
        base.setBold(flags & Bold);
        base.setItalic(flags & Italic);
        base.setUnderline(flags & Underline);
        base.setStrikeOut(flags & StrikeOut);
        return base;
    }
};
