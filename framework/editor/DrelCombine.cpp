// The per-pixel combine rules. Each rule runs on all four channels, alpha
// included; every division truncates toward zero and every result is
// clamped to 0..255.
#include <cmath>

#include "framework/editor/Drel.h"

namespace {
inline int Clamp255(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}
inline int Chan(std::uint32_t p, int shift) {
    return int((p >> shift) & 255u);
}

inline int CopyRule(int d, int s, int w) {
    return (d * (256 - w) + s * w) / 256;
}
inline int CopyAlphaRule(int d, int s, int w) {
    return (d * (255 - w) + s * w) / 256;
}
inline int AddRule(int d, int s, int w) {
    return d + s * w / 256;
}
inline int DodgeRule(int d, int s, int w) {
    int k = 255 - s * w / 256;
    return k > 1 ? (d * 256) / k : d * 256;
}
}  // namespace

int DrelWeight(float opacity) {
    // Truncation toward zero; out-of-range opacities are held to a range the
    // integer rules cannot overflow in.
    double w = double(opacity) * 256.0;
    if (!(w == w)) return 0;
    if (w > 65536.0) w = 65536.0;
    if (w < -65536.0) w = -65536.0;
    return int(w);
}

std::uint32_t DrelCombine(std::uint32_t d, std::uint32_t s, int w, int mode) {
    const int kind = mode & 0xFF;
    const bool useAlpha = (mode & DrelUseSourceAlpha) != 0;
    const int sA = Chan(s, 24);
    int (*rule)(int, int, int) = nullptr;
    int weight = w;
    switch (kind) {
        case DrelModeCopy:
            if (useAlpha) {
                if (sA == 0) return d;
                weight = sA * w / 256;
                rule = CopyAlphaRule;
            } else {
                rule = CopyRule;
            }
            break;
        case DrelModeAdd:
            if (useAlpha) {
                if (sA == 0) return d;
                weight = sA * w / 256;
            }
            rule = AddRule;
            break;
        case DrelModeDodge:
            // No shortcut for a transparent source here: the rule itself leaves
            // the destination unchanged when the weight is 0.
            if (useAlpha) weight = sA * w / 256;
            rule = DodgeRule;
            break;
        default:
            return d;
    }
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
        out |= std::uint32_t(Clamp255(rule(Chan(d, shift), Chan(s, shift), weight))) << shift;
    return out;
}
