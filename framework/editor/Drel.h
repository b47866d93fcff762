// The Drel compositing routines: pixel combining in exact integer
// arithmetic, clipped region blits, lines, fills and PNG decoding.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/editor/DrelSurface.h"

enum DrelMode : int {
    DrelModeCopy = 0,
    DrelModeAdd = 1,
    DrelModeDodge = 2,
    DrelFilter = 0x100,
    DrelUseSourceAlpha = 0x10000,
};

// Channel-copy mode for the region blit: destination channel `to` receives
// source channel `from` (0 = B, 1 = G, 2 = R, 3 = A).
constexpr int DrelChannelCopy(int to, int from) {
    return 0xF0 | (to & 3) << 2 | (from & 3);
}

struct DrelBox {
    int left, top, right, bottom;
};

// Combines one pixel word with a source word: the rule of the mode's low
// byte, weight w = trunc(opacity * 256). Exposed for the tests and the
// per-pixel routines; the caller has already applied the opacity gate.
std::uint32_t DrelCombine(std::uint32_t d, std::uint32_t s, int w, int mode);
int DrelWeight(float opacity);

void DrelBlit(DrelSurface* dest, DrelSurface* src, int dstX, int dstY, const DrelBox* srcBox,
              float opacity, int mode);
void DrelBlitRegion(DrelSurface* dest, DrelSurface* src, int dstX, int dstY, int srcX, int srcY,
                    int srcW, int srcH, float opacity, int mode);
void DrelCopySurface(DrelSurface* dest, DrelSurface* src);
void DrelLine(DrelSurface* s, float x1, float y1, float x2, float y2, std::uint32_t colour,
              float opacity, int mode, bool antialias);
// The same line, walked over the whole surface exactly as above, with only
// its pixels inside `box` (top-down picture coordinates) written; a partial
// redraw then leaves the same pixels as a full one.
void DrelLineInBox(DrelSurface* s, float x1, float y1, float x2, float y2, std::uint32_t colour,
                   float opacity, int mode, bool antialias, const DrelBox& box);

void DrelScaledBlit(DrelSurface* dest, DrelSurface* src, int dx, int dy, int dw, int dh, float sx,
                    float sy, float sw, float sh, float opacity, int mode);
void DrelRotatedBlit(DrelSurface* dest, DrelSurface* src, int dx, int dy, int dw, int dh, float sx,
                     float sy, float sw, float sh, double angle, bool clipToSource, float opacity,
                     int mode, float centreOffsetX = 0, float centreOffsetY = 0);
void DrelFillBox(DrelSurface* s, int x, int y, int w, int h, std::uint32_t colour, float opacity,
                 int mode);
void DrelMaskFill(DrelSurface* s, int x, int y, int w, int h, std::uint32_t andWord,
                  std::uint32_t orWord);
void DrelPutPixel(DrelSurface* s, int x, int y, std::uint32_t colour, float opacity, int mode);
std::uint32_t DrelGetPixel(DrelSurface* s, int x, int y);
void DrelArc(DrelSurface* s, float cx, float cy, float r, float fromAngle, float toAngle,
             std::uint32_t colour, float opacity, int mode, bool antialias);
void DrelCircle(DrelSurface* s, float cx, float cy, float r, std::uint32_t colour, float opacity,
                int mode, bool antialias);

// Decodes PNG bytes into `dest` (resized to the image) or, when dest is
// null, into a new DrelMemorySurface. Returns null for anything that is not
// a whole, valid PNG; hostile input fails cleanly.
DrelSurface* DrelDecodePng(const std::uint8_t* bytes, std::size_t size, DrelSurface* dest);
// The resource of type "PNG" with the given id in the given module (null =
// this plug-in's own module), decoded as above.
DrelSurface* DrelLoadPngResource(void* module, std::uint16_t resourceId, DrelSurface* dest);
