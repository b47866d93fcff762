// The drawing side of the editor on Drel surfaces: the window-sized drawing
// surface, blend mapping, paint-box clipping, and images loaded through the
// module-wide caches shared by every plug-in instance in the process.
#pragma once

#include <cstdint>

#include "framework/editor/Drel.h"
#include "framework/editor/IGraphics.h"

class IGraphicsDrel : public IGraphics {
  public:
    IGraphicsDrel(VexilBase* plug, int width, int height, int fps);
    ~IGraphicsDrel() override;

    void PrepareSurfaces() override;
    bool BlitStrip(const IImageStrip& strip, const IBox& box, int srcX, int srcY,
                   const IBlendSpec* blend = nullptr) override;
    bool BlitRotated(const IImageStrip& strip, int centreX, int centreY, double angle,
                     int yOffset = 0, const IBlendSpec* blend = nullptr) override;
    bool BlitRotatedMask(const IImageStrip& base, const IImageStrip& mask, const IImageStrip& top,
                         int x, int y, double angle, const IBlendSpec* blend = nullptr) override;
    bool PlotPoint(const IArgb& colour, float x, float y, const IBlendSpec* blend = nullptr,
                   bool antialias = false) override;
    bool PutPixel(const IArgb& colour, int x, int y) override;
    bool StrokeLine(const IArgb& colour, float x1, float y1, float x2, float y2,
                    const IBlendSpec* blend = nullptr, bool antialias = false) override;
    bool StrokeArc(const IArgb& colour, float cx, float cy, float r, float fromAngle, float toAngle,
                   const IBlendSpec* blend = nullptr, bool antialias = false) override;
    bool StrokeCircle(const IArgb& colour, float cx, float cy, float r,
                      const IBlendSpec* blend = nullptr, bool antialias = false) override;
    bool FillBox(const IArgb& colour, const IBox& box, const IBlendSpec* blend = nullptr) override;
    // Platform-free text with the built-in bitmap font; the Windows window
    // replaces it with the system's text routines.
    bool WriteText(const IFontSpec& font, const char* text, const IBox& box) override;
    IArgb ReadPixel(int x, int y) override;
    void* SurfaceBits() override;
    void ResizeEditor(int w, int h) override;
    IImageStrip LoadStrip(int resourceId, const char* name, int frames) override;
    IImageStrip ScaleStrip(const IImageStrip& strip, int w, int h) override;
    IImageStrip CropStrip(const IImageStrip& strip, const IBox& box) override;
    bool VerticalLine(const IArgb& colour, int x, int y1, int y2) override;
    bool HorizontalLine(const IArgb& colour, int y, int x1, int x2) override;
    void RegisterSurface(const IImageStrip& strip) override;
    void ReleaseSurface(const IImageStrip& strip) override;
    // Decodes the "PNG" resource of the module set with SetModule (null = the
    // module this code is linked into).
    DrelSurface* DecodePngResource(int resourceId, const char* name) override;

    void SetModule(void* module) { module_ = module; }
    void* Module() const { return module_; }
    DrelSurface* DrawingSurface() const { return drawing_; }

    // Drel mode word and opacity for a blend record (null = normal, 1.0).
    static int BlendMode(const IBlendSpec* blend);
    static float BlendOpacity(const IBlendSpec* blend);

  protected:
    DrelSurface* drawing_ = nullptr;
    DrelSurface* scratch_ = nullptr;
    void* module_ = nullptr;
    int textScale_ = 0;  // bitmap-font scale fixed by the first WriteText
};

// True while the surface is in the module-wide live-surface registry.
bool IsRegisteredSurface(const DrelSurface* surface);
