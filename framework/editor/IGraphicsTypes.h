// Value types shared by the editor, its widgets and the product editors.
#pragma once

#include <cstdint>

class DrelSurface;

// Integer rectangle; right and bottom are exclusive, all zero means empty.
struct IBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int W() const { return right - left; }
    int H() const { return bottom - top; }
    bool Empty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // Touching on the right or bottom edge counts as intersecting: widgets
    // sharing an edge with the painted box are redrawn rather than missed.
    bool Intersects(const IBox& o) const {
        return !Empty() && !o.Empty() && right >= o.left && left < o.right && bottom >= o.top &&
               top < o.bottom;
    }
    IBox Intersection(const IBox& o) const;
    IBox Union(const IBox& o) const;
    bool operator==(const IBox&) const = default;
};

// Colour with alpha, each 0..255.
struct IArgb {
    int a = 255;
    int r = 0;
    int g = 0;
    int b = 0;

    std::uint32_t Packed() const {
        return (std::uint32_t(a & 255) << 24) | (std::uint32_t(r & 255) << 16) |
               (std::uint32_t(g & 255) << 8) | std::uint32_t(b & 255);
    }
    static IArgb FromPacked(std::uint32_t w) {
        return {int(w >> 24), int((w >> 16) & 255), int((w >> 8) & 255), int(w & 255)};
    }
    bool operator==(const IArgb&) const = default;
};

enum IBlendKind { BlendNormal = 0, BlendReplace = 1, BlendAdd = 2, BlendDodge = 3 };

struct IBlendSpec {
    int kind = BlendNormal;
    float weight = 1.0f;  // opacity
};

struct IMouseKeys {
    bool left = false;
    bool right = false;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// One image holding `frames` equal frames stacked vertically. The surface
// belongs to the module-wide registry, never to the record.
struct IImageStrip {
    DrelSurface* surface = nullptr;
    int width = 0;
    int height = 0;
    int frames = 1;
};

enum IFontStyle { FontNormal = 0, FontBold = 1, FontItalic = 2 };
enum IFontAlign { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };

struct IFontSpec {
    char face[32] = "Arial";
    int size = 12;  // pixel height
    IArgb colour = {255, 0, 0, 0};
    int style = FontNormal;
    int align = AlignLeft;
    int angle = 0;  // degrees
};
