#pragma once

#include <QColor>

// The window designs give colours as numbers of the form 0x00BBGGRR (red in the low byte).
constexpr QRgb rgbFromDesignColour(quint32 tcolor)
{
    return qRgb(int(tcolor & 0xFFu), int((tcolor >> 8) & 0xFFu), int((tcolor >> 16) & 0xFFu));
}
