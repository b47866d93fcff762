// A knob that, in motor mode, shows the modulated position of its setting
// (fed by the plug-in while audio runs) instead of the set value.
#pragma once

#include <atomic>

#include "framework/editor/IKnobStripWidget.h"

namespace quorvex {

class IMotorKnobWidget : public IKnobStripWidget {
  public:
    IMotorKnobWidget(VexilBase* plug, int x, int y, int paramIdx, const IImageStrip& strip,
                     int direction, double gearing);

    bool Render(IGraphics& graphics) override;

    // Both are called by the plug-in (audio or host thread, under its lock)
    // while the window thread may be drawing.
    void SetMotorMode(bool on);
    void SetMotorPosition(double x);

    bool MotorMode() const { return motorMode_.load(std::memory_order_relaxed); }
    double MotorPosition() const { return motorPosition_.load(std::memory_order_relaxed); }
    // 1-based frame drawn now.
    int ShownFrame() const;

  private:
    void RequestRedraw();

    std::atomic<bool> motorMode_{false};
    std::atomic<double> motorPosition_{0.0};
};

}  // namespace quorvex
