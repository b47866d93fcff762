// Helpers shared by the Drel routines; not part of the library's interface.
#pragma once

#include "framework/editor/Drel.h"

// Copy needs a positive opacity; add and dodge draw with any non-zero one
// (a negative opacity subtracts in add mode). Other modes draw nothing.
inline bool DrelModeDraws(int mode, float opacity) {
    switch (mode & 0xFF) {
        case DrelModeCopy:
            return opacity > 0.0f;
        case DrelModeAdd:
        case DrelModeDodge:
            return opacity != 0.0f;
        default:
            return false;
    }
}

// Pixel address in stored coordinates, null outside the surface.
inline std::uint32_t* DrelStoredPixel(DrelSurface* s, int x, int y) {
    if (x < 0 || y < 0 || x >= s->Width() || y >= s->Height()) return nullptr;
    return s->Bits() + std::ptrdiff_t(y) * s->RowSpan() + x;
}
