#include "framework/editor/IGraphicsDrel.h"

#include <algorithm>
#include <cmath>

#include "framework/editor/BitmapFont.h"
#include "framework/editor/ImageCache.h"

namespace {
// Float coordinates far outside any surface are held back before the
// integer conversion, which would otherwise be undefined.
int ToPixel(double v) {
    if (!(v == v)) return -1;
    return int(std::clamp(v, -1.0e9, 1.0e9));
}
}  // namespace

IGraphicsDrel::IGraphicsDrel(VexilBase* plug, int width, int height, int fps)
    : IGraphics(plug, width, height, fps) {}

IGraphicsDrel::~IGraphicsDrel() {
    delete drawing_;
    delete scratch_;
}

void IGraphicsDrel::PrepareSurfaces() {
    // Attaching twice must not leak the first pair.
    delete drawing_;
    delete scratch_;
    drawing_ = DrelNewDrawingSurface(width_, height_);
    scratch_ = new DrelMemorySurface();
}

int IGraphicsDrel::BlendMode(const IBlendSpec* blend) {
    switch (blend ? blend->kind : BlendNormal) {
        case BlendReplace:
            return DrelModeCopy;
        case BlendAdd:
            return DrelModeAdd | DrelUseSourceAlpha;
        case BlendDodge:
            return DrelModeDodge | DrelUseSourceAlpha;
        default:
            return DrelModeCopy | DrelUseSourceAlpha;
    }
}

float IGraphicsDrel::BlendOpacity(const IBlendSpec* blend) {
    return blend ? blend->weight : 1.0f;
}

bool IGraphicsDrel::BlitStrip(const IImageStrip& strip, const IBox& box, int srcX, int srcY,
                              const IBlendSpec* blend) {
    const IBox visible = box.Intersection(paintBox_);
    if (visible.Empty()) return true;
    DrelBlitRegion(drawing_, strip.surface, visible.left, visible.top,
                   srcX + visible.left - box.left, srcY + visible.top - box.top, visible.W(),
                   visible.H(), BlendOpacity(blend), BlendMode(blend));
    return true;
}

bool IGraphicsDrel::BlitRotated(const IImageStrip& strip, int centreX, int centreY, double angle,
                                int yOffset, const IBlendSpec* blend) {
    const int w = strip.width, h = strip.height;
    DrelRotatedBlit(drawing_, strip.surface, centreX - w / 2, centreY - h / 2, w, h, 0.0f, 0.0f,
                    float(w), float(h), angle, false, BlendOpacity(blend),
                    BlendMode(blend) | DrelFilter, 0.0f, float(yOffset));
    return true;
}

bool IGraphicsDrel::BlitRotatedMask(const IImageStrip& base, const IImageStrip& mask,
                                    const IImageStrip& top, int x, int y, double angle,
                                    const IBlendSpec* blend) {
    if (!scratch_ || !base.surface) return true;
    // The base, the mask turned about its centre, then the top layer, composed
    // in the scratch surface and drawn as one image.
    DrelCopySurface(scratch_, base.surface);
    const double radians = angle * 3.14159265358979323846 / 180.0;
    if (mask.surface)
        DrelRotatedBlit(scratch_, mask.surface, (base.width - mask.width) / 2,
                        (base.height - mask.height) / 2, mask.width, mask.height, 0.0f, 0.0f,
                        float(mask.width), float(mask.height), radians, false, 1.0f,
                        DrelModeCopy | DrelUseSourceAlpha | DrelFilter);
    if (top.surface)
        DrelBlit(scratch_, top.surface, (base.width - top.width) / 2,
                 (base.height - top.height) / 2, nullptr, 1.0f, DrelModeCopy | DrelUseSourceAlpha);
    const IImageStrip composed = {scratch_, scratch_->Width(), scratch_->Height(), 1};
    return BlitStrip(composed, {x, y, x + composed.width, y + composed.height}, 0, 0, blend);
}

bool IGraphicsDrel::PlotPoint(const IArgb& colour, float x, float y, const IBlendSpec* blend,
                              bool) {
    DrelPutPixel(drawing_, ToPixel(double(x) + 0.5), ToPixel(double(y) + 0.5), colour.Packed(),
                 BlendOpacity(blend), BlendMode(blend));
    return true;
}

bool IGraphicsDrel::PutPixel(const IArgb& colour, int x, int y) {
    if (!drawing_ || !drawing_->Bits()) return true;
    if (x < 0 || y < 0 || x >= drawing_->Width() || y >= drawing_->Height()) return true;
    drawing_->Row(y)[x] = colour.Packed();
    return true;
}

bool IGraphicsDrel::StrokeLine(const IArgb& colour, float x1, float y1, float x2, float y2,
                               const IBlendSpec* blend, bool antialias) {
    // Inside a redraw pass only the paint box was redrawn beneath the line;
    // drawing it elsewhere would blend it over itself (an additive needle
    // brightens with every partial redraw). Outside a pass it draws whole.
    if (paintBox_.Empty()) {
        DrelLine(drawing_, x1, y1, x2, y2, colour.Packed(), BlendOpacity(blend), BlendMode(blend),
                 antialias);
    } else {
        DrelLineInBox(drawing_, x1, y1, x2, y2, colour.Packed(), BlendOpacity(blend),
                      BlendMode(blend), antialias,
                      {paintBox_.left, paintBox_.top, paintBox_.right, paintBox_.bottom});
    }
    return true;
}

bool IGraphicsDrel::StrokeArc(const IArgb& colour, float cx, float cy, float r, float fromAngle,
                              float toAngle, const IBlendSpec* blend, bool antialias) {
    DrelArc(drawing_, cx, cy, r, fromAngle, toAngle, colour.Packed(), BlendOpacity(blend),
            BlendMode(blend), antialias);
    return true;
}

bool IGraphicsDrel::StrokeCircle(const IArgb& colour, float cx, float cy, float r,
                                 const IBlendSpec* blend, bool antialias) {
    DrelCircle(drawing_, cx, cy, r, colour.Packed(), BlendOpacity(blend), BlendMode(blend),
               antialias);
    return true;
}

bool IGraphicsDrel::FillBox(const IArgb& colour, const IBox& box, const IBlendSpec* blend) {
    DrelFillBox(drawing_, box.left, box.top, box.W(), box.H(), colour.Packed(), BlendOpacity(blend),
                BlendMode(blend));
    return true;
}

bool IGraphicsDrel::WriteText(const IFontSpec& font, const char* text, const IBox& box) {
    if (!text) return true;
    // As with a system font selected once into the drawing context, the
    // first call's size stays for the editor's life; the colour follows
    // every call.
    if (textScale_ == 0) textScale_ = BitmapFontScale(font.size);
    return DrawBitmapText(drawing_, text, box, font.align, textScale_, font.colour.Packed());
}

IArgb IGraphicsDrel::ReadPixel(int x, int y) {
    return IArgb::FromPacked(DrelGetPixel(drawing_, x, y));
}

void* IGraphicsDrel::SurfaceBits() {
    return drawing_ ? drawing_->Bits() : nullptr;
}

void IGraphicsDrel::ResizeEditor(int w, int h) {
    IGraphics::ResizeEditor(w, h);
    if (drawing_) drawing_->Resize(w, h);
}

IImageStrip IGraphicsDrel::LoadStrip(int resourceId, const char* name, int frames) {
    return image_cache::LoadStrip(resourceId, frames,
                                  [&] { return DecodePngResource(resourceId, name); });
}

IImageStrip IGraphicsDrel::ScaleStrip(const IImageStrip& strip, int w, int h) {
    return image_cache::ScaleStrip(strip, w, h);
}

IImageStrip IGraphicsDrel::CropStrip(const IImageStrip& strip, const IBox& box) {
    return image_cache::CropStrip(strip, box);
}

bool IGraphicsDrel::VerticalLine(const IArgb& colour, int x, int y1, int y2) {
    if (!drawing_ || !drawing_->Bits() || drawing_->Width() <= 0 || drawing_->Height() <= 0)
        return true;
    const int maxY = drawing_->Height() - 1;
    x = std::clamp(x, 0, drawing_->Width() - 1);
    y1 = std::clamp(y1, 0, maxY);
    y2 = std::clamp(y2, 0, maxY);
    const std::uint32_t word = colour.Packed();
    for (int y = y1; y <= y2; ++y) drawing_->Row(y)[x] = word;
    return true;
}

bool IGraphicsDrel::HorizontalLine(const IArgb& colour, int y, int x1, int x2) {
    if (!drawing_ || !drawing_->Bits() || drawing_->Width() <= 0 || drawing_->Height() <= 0)
        return true;
    const int maxX = drawing_->Width() - 1;
    y = std::clamp(y, 0, drawing_->Height() - 1);
    x1 = std::clamp(x1, 0, maxX);
    x2 = std::clamp(x2, 0, maxX);
    std::uint32_t* row = drawing_->Row(y);
    const std::uint32_t word = colour.Packed();
    for (int x = x1; x <= x2; ++x) row[x] = word;
    return true;
}

void IGraphicsDrel::RegisterSurface(const IImageStrip& strip) {
    image_cache::Register(strip.surface);
}

void IGraphicsDrel::ReleaseSurface(const IImageStrip& strip) {
    image_cache::Release(strip.surface);
}

DrelSurface* IGraphicsDrel::DecodePngResource(int resourceId, const char*) {
    if (resourceId < 0 || resourceId > 0xFFFF) return nullptr;
    return DrelLoadPngResource(module_, std::uint16_t(resourceId), nullptr);
}

bool IsRegisteredSurface(const DrelSurface* surface) {
    return image_cache::IsRegistered(surface);
}
