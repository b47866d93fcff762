// Base of every editor control: its box, its binding to a plug-in
// parameter, its normalized value and the flags of the redraw cycle.
// Values and flags are written from the host and audio threads while the
// window thread draws, so they are relaxed atomics.
#pragma once

#include <atomic>

#include "framework/editor/IGraphicsTypes.h"

class VexilBase;
class IGraphics;

class IWidget {
  public:
    IWidget(VexilBase* plug, const IBox& box, int paramIdx, int blendKind, float blendWeight);
    IWidget(const IWidget&) = delete;
    IWidget& operator=(const IWidget&) = delete;

    virtual ~IWidget();                                                              // 0
    virtual void PointerDown(int x, int y, const IMouseKeys& keys);                  // 1
    virtual void PointerUp(int x, int y);                                            // 2
    virtual void PointerDrag(int x, int y, int dx, int dy, const IMouseKeys& keys);  // 3
    virtual void PointerDoubleClick(int x, int y, const IMouseKeys& keys);           // 4
    virtual void WheelTurn(int x, int y, const IMouseKeys& keys, int notches);       // 5
    virtual void SpareHook(int x, int y, const IMouseKeys& keys);                    // 6
    virtual void PointerHover(int x, int y, const IMouseKeys& keys);                 // 7
    virtual void PointerLeave();                                                     // 8
    virtual bool Render(IGraphics& graphics) = 0;                                    // 9
    virtual void ApplyHostValue(double v);                                           // 10
    virtual void SetHidden(bool hidden);                                             // 11
    virtual void SetDisabled(bool disabled);                                         // 12
    virtual bool Contains(int x, int y);                                             // 13
    virtual void MarkChanged(bool report);                                           // 14
    virtual void MarkDrawn();                                                        // 15
    virtual bool NeedsRedraw();                                                      // 16
    virtual void SpareHook2();                                                       // 17

    // Text entry result (the window's in-place entry); reports to the plug-in.
    void ApplyEnteredValue(double v);
    // Right-click text entry for the bound parameter.
    void OpenParamEntry();

    VexilBase* Plug() const { return plug_; }
    // The plug-in's editor, or null without a plug-in or editor.
    IGraphics* Graphics() const;
    const IBox& Box() const { return box_; }
    const IBox& HitBox() const { return hitBox_; }
    void SetHitBox(const IBox& box) { hitBox_ = box; }
    int ParamIdx() const { return paramIdx_; }
    double Value() const { return value_.load(std::memory_order_relaxed); }
    void SetValue(double v) { value_.store(v, std::memory_order_relaxed); }
    double DefaultValue() const { return default_.load(std::memory_order_relaxed); }
    void SetClamp(double low, double high);
    bool IsHidden() const { return hidden_.load(std::memory_order_relaxed); }
    bool IsDisabled() const { return disabled_.load(std::memory_order_relaxed); }
    bool IsDirty() const { return dirty_.load(std::memory_order_relaxed); }
    bool RedrawPending() const { return redrawPending_.load(std::memory_order_relaxed); }
    bool NoTextEntry() const { return noTextEntry_; }
    void SetNoTextEntry(bool b) { noTextEntry_ = b; }
    IBlendSpec Blend() const { return {blendKind_, blendWeight_.load(std::memory_order_relaxed)}; }

  protected:
    void SetRedrawPending(bool b) { redrawPending_.store(b, std::memory_order_relaxed); }
    void SetDirty(bool b) { dirty_.store(b, std::memory_order_relaxed); }

    VexilBase* plug_;
    IBox box_;
    IBox hitBox_;
    int paramIdx_;
    std::atomic<double> value_{0.0};
    std::atomic<double> default_{-1.0};
    std::atomic<double> clampLow_{0.0};
    std::atomic<double> clampHigh_{1.0};
    std::atomic<bool> dirty_{true};
    std::atomic<bool> hidden_{false};
    std::atomic<bool> disabled_{false};
    std::atomic<bool> redrawPending_{false};
    bool noTextEntry_ = false;
    int blendKind_;
    std::atomic<float> blendWeight_;
};
