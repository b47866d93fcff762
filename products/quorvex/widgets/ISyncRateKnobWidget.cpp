#include "products/quorvex/widgets/ISyncRateKnobWidget.h"

#include <algorithm>
#include <cmath>

#include "framework/core/IParameter.h"
#include "framework/core/VexilBase.h"

namespace quorvex {

namespace {
// The multi-effect's LFO rate parameters and their tempo-sync toggles.
constexpr int kLfo1RateParam = 2;
constexpr int kLfo2RateParam = 3;
constexpr int kLfo1SyncParam = 4;
constexpr int kLfo2SyncParam = 5;
}  // namespace

ISyncRateKnobWidget::ISyncRateKnobWidget(VexilBase* plug, int x, int y, int paramIdx,
                                         const IImageStrip& strip)
    : IKnobStripWidget(plug, x, y, paramIdx, strip, Vertical, 6.0) {
    SetValue(Quantise(Value()));
    dragPosition_ = Value();
}

double ISyncRateKnobWidget::Quantise(double x) const {
    int syncParam = -1;
    if (paramIdx_ == kLfo1RateParam) syncParam = kLfo1SyncParam;
    if (paramIdx_ == kLfo2RateParam) syncParam = kLfo2SyncParam;
    const IParameter* sync = plug_ && syncParam >= 0 ? plug_->Param(syncParam) : nullptr;
    if (!sync || !(sync->Value() >= 0.5)) return x;
    // The same division the engine uses for the synced rate.
    const int k = std::clamp(int(7.0 * std::sqrt(std::max(x, 0.0))), 0, 7);
    return k / 7.0;
}

void ISyncRateKnobWidget::PointerDrag(int, int, int, int dy, const IMouseKeys&) {
    const int span = box_.top - box_.bottom;
    if (span == 0 || gearing_ == 0) return;
    dragPosition_ = std::clamp(dragPosition_ + double(dy) / span / gearing_, 0.0, 1.0);
    SetValue(Quantise(dragPosition_));
    MarkChanged(true);
}

void ISyncRateKnobWidget::ApplyHostValue(double v) {
    // Host and preset values are shown as they are, unquantised.
    dragPosition_ = v;
    IKnobStripWidget::ApplyHostValue(v);
}

}  // namespace quorvex
