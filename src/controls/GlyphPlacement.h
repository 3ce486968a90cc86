#pragma once

#include <QPoint>
#include <QSize>

// Where a bitmap button puts its picture relative to its (here always absent) caption.
enum class GlyphLayout { Left, Right, Top, Bottom };

// Top-left corner of a glyph in a button of size `client` that has no caption: centred
// across the layout's axis, and along it `margin` pixels from the layout's edge, or
// centred when `margin` is -1. Halves truncate toward zero, as bitmap buttons place it.
QPoint glyphPosition(QSize client, QSize glyph, GlyphLayout layout, int margin);
