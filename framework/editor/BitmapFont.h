// A small built-in 5 x 7 bitmap font, so an editor can draw text without a
// display or a system font (offscreen pictures, tests, the Linux window).
#pragma once

#include <cstdint>

#include "framework/editor/IGraphicsTypes.h"

// Whole-number magnification for a requested pixel height (at least 1).
int BitmapFontScale(int pixelHeight);
// Width in pixels of the longest line of text at the scale.
int BitmapTextWidth(const char* text, int scale);
// Draws text into the box, top-aligned, left, centred or right per line
// (align 0, 1, 2), not clipped to the box. Bytes outside printable ASCII
// draw as '?', one per UTF-8 character. False without a drawing surface.
bool DrawBitmapText(DrelSurface* surface, const char* text, const IBox& box, int align, int scale,
                    std::uint32_t colour);
