#include "products/quorvex_chorus/QuorvexChorus.h"

// Factory programs after "Default", in this (not alphabetical) order; values
// of parameters 0 to 7, toggles as integers. Slots 9 to 15 stay free.
void QuorvexChorus::AddFactoryPresets() {
    AddDefaultPresets(nullptr, 1);
    AddPresetValues("All Too Much", 1.0, 0.66, 1.0, 0.88, 0.51, 1, 0, 1);
    AddPresetValues("Bit O' Color", 0.54, 0.43, 1.0, 0.0, 1.0, 1, 0, 1);
    AddPresetValues("Double Track", 1.0, 0.01, 0.18, 0.46, 0.3, 1, 0, 1);
    AddPresetValues("Japanese", 1.0, 0.74, 0.77, 0.16, 0.82, 1, 1, 1);
    AddPresetValues("Mono Marvel", 0.67, 0.77, 0.77, 0.16, 0.9, 0, 1, 1);
    AddPresetValues("Periodic Peak", 1.0, 0.17, 0.52, 0.16, 0.12, 1, 0, 1);
    AddPresetValues("Flange Smoothie", 0.3, 0.43, 1.0, 0.08, 1.0, 1, 1, 1);
    AddPresetValues("The Full Lush", 1.0, 0.27, 0.77, 1.0, 0.19, 1, 0, 1);
}
