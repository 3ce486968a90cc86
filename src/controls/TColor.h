#pragma once

#include <QColor>

// The window designs give colours as Delphi TColor numbers, 0x00BBGGRR.
constexpr QRgb rgbFromTColor(quint32 tcolor)
{
    return qRgb(int(tcolor & 0xFFu), int((tcolor >> 8) & 0xFFu), int((tcolor >> 16) & 0xFFu));
}
