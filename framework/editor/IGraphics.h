// The editor of one plug-in instance: owns the widgets, binds them to the
// plug-in's parameters, runs the redraw cycle and dispatches mouse events.
// The drawing side is IGraphicsDrel; the windows derive from that.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "framework/editor/IGraphicsTypes.h"

class VexilBase;
class IParameter;
class IWidget;
class DrelSurface;

class IGraphics {
  public:
    IGraphics(VexilBase* plug, int width, int height, int fps);
    IGraphics(const IGraphics&) = delete;
    IGraphics& operator=(const IGraphics&) = delete;

    // Virtual operations, in their fixed slot order.
    virtual void PrepareSurfaces() = 0;             // 0
    virtual bool PresentArea(const IBox& box) = 0;  // 1
    virtual bool BlitStrip(const IImageStrip& strip, const IBox& box, int srcX, int srcY,
                           const IBlendSpec* blend = nullptr) = 0;  // 2
    virtual bool BlitRotated(const IImageStrip& strip, int centreX, int centreY, double angle,
                             int yOffset = 0, const IBlendSpec* blend = nullptr) = 0;  // 3
    virtual bool BlitRotatedMask(const IImageStrip& base, const IImageStrip& mask,
                                 const IImageStrip& top, int x, int y, double angle,
                                 const IBlendSpec* blend = nullptr) = 0;  // 4
    virtual bool PlotPoint(const IArgb& colour, float x, float y, const IBlendSpec* blend = nullptr,
                           bool antialias = false) = 0;            // 5
    virtual bool PutPixel(const IArgb& colour, int x, int y) = 0;  // 6
    virtual bool StrokeLine(const IArgb& colour, float x1, float y1, float x2, float y2,
                            const IBlendSpec* blend = nullptr, bool antialias = false) = 0;  // 7
    virtual bool StrokeArc(const IArgb& colour, float cx, float cy, float r, float fromAngle,
                           float toAngle, const IBlendSpec* blend = nullptr,
                           bool antialias = false) = 0;  // 8
    virtual bool StrokeCircle(const IArgb& colour, float cx, float cy, float r,
                              const IBlendSpec* blend = nullptr, bool antialias = false) = 0;  // 9
    virtual bool FillBox(const IArgb& colour, const IBox& box,
                         const IBlendSpec* blend = nullptr) = 0;                           // 10
    virtual bool WriteText(const IFontSpec& font, const char* text, const IBox& box) = 0;  // 11
    virtual IArgb ReadPixel(int x, int y) = 0;                                             // 12
    virtual void* SurfaceBits() = 0;                                                       // 13
    virtual void ResizeEditor(int w, int h);                                               // 14
    virtual bool IsWindowOpen();                                                           // 15
    virtual void PromptParamEntry(IWidget* widget, IParameter* param) = 0;                 // 16
    virtual void HostDirectory(std::string& out) = 0;                                      // 17
    virtual void ModuleDirectory(std::string& out) = 0;                                    // 18
    virtual void AskForFile(std::string& out, int action, const char* directory,
                            const char* extensions) = 0;               // 19
    virtual bool AskForColour(IArgb& colour, const char* prompt) = 0;  // 20
    virtual bool OpenTarget(const char* target, const char* caption, const char* question,
                            const char* failureText) = 0;  // 21
    virtual int SpareHook(int a, int b);                   // 22
    // Returns the native window (HWND on Windows, the X11 Window id cast to a
    // pointer on Linux), or null on failure.
    virtual void* OpenEditorWindow(void* parent) = 0;                                 // 23
    virtual void CloseEditorWindow() = 0;                                             // 24
    virtual void* EditorWindow() = 0;                                                 // 25
    virtual ~IGraphics();                                                             // 26
    virtual IImageStrip LoadStrip(int resourceId, const char* name, int frames) = 0;  // 27
    virtual IImageStrip ScaleStrip(const IImageStrip& strip, int w, int h) = 0;       // 28
    virtual IImageStrip CropStrip(const IImageStrip& strip, const IBox& box) = 0;     // 29
    virtual void SetBackground(int resourceId, const char* name);                     // 30
    virtual bool VerticalLine(const IArgb& colour, int x, int y1, int y2) = 0;        // 31
    virtual bool HorizontalLine(const IArgb& colour, int y, int x1, int x2) = 0;      // 32
    virtual void RegisterSurface(const IImageStrip& strip) = 0;                       // 33
    virtual void ReleaseSurface(const IImageStrip& strip) = 0;                        // 34
    virtual DrelSurface* DecodePngResource(int resourceId, const char* name) = 0;     // 35

    // Widget list; the list owns the widgets.
    int AddWidget(IWidget* widget);
    IWidget* WidgetByIndex(int index) const;
    int WidgetCount() const { return int(widgets_.size()); }

    // Binding to the plug-in. ApplyParamFromPlug runs on the host's thread
    // under the plug-in lock; ApplyWidgetFromPlug may run on the audio thread.
    void ApplyParamFromPlug(int paramIdx, double value, bool normalized);
    void ApplyWidgetFromPlug(int widgetIdx, double normalized);
    void SetParamLimits(int paramIdx, double low, double high, bool normalized);

    // Redraw cycle, driven by the window's timer and paint handling.
    void MarkAllChanged();
    bool CollectDirtyArea(IBox& box);
    bool RenderArea(const IBox& box);

    int WidgetAt(int x, int y) const;

    void DrawStripFrame(const IImageStrip& strip, const IBox& box, int frame,
                        const IBlendSpec* blend = nullptr);
    void StrokeRadial(const IArgb& colour, float cx, float cy, float angle, float inner,
                      float outer, const IBlendSpec* blend = nullptr, bool antialias = false);

    // Mouse entry points, called by the window in editor pixels.
    void HandlePointerDown(int x, int y, const IMouseKeys& keys);
    void HandlePointerUp(int x, int y);
    void HandlePointerDrag(int x, int y, const IMouseKeys& keys);
    bool HandleDoubleClick(int x, int y, const IMouseKeys& keys);
    void HandleWheel(int x, int y, const IMouseKeys& keys, int notches);
    bool HandlePointerHover(int x, int y, const IMouseKeys& keys);
    void HandlePointerLeave();

    VexilBase* Plug() const { return plug_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int FramesPerSecond() const { return fps_; }
    const IBox& PaintBox() const { return paintBox_; }
    int CaptureIndex() const { return capture_; }

  protected:
    void DeleteWidgets();

    std::vector<IWidget*> widgets_;
    VexilBase* plug_;
    IBox paintBox_;
    int width_;
    int height_;
    int fps_;
    int capture_ = -1;
    int hover_ = -1;
    int lastX_ = 0;
    int lastY_ = 0;
};
