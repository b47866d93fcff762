// The multi-effect's editor: layout and the display feeds. Until the editor
// exists the plug-in runs without one, and both feeds return at once.

#include "products/quorvex/Quorvex.h"

namespace quorvex {

void Quorvex::BuildEditor() {}

void Quorvex::UpdateEditorDisplays(double followerValue, double adsrValue, double lfo1Value,
                                   double lfo2Value) {
    if (Editor() == nullptr) return;
}

void Quorvex::ApplyMotorModes() {
    if (Editor() == nullptr) return;
}

}  // namespace quorvex
