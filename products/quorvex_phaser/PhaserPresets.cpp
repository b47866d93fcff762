#include "products/quorvex_phaser/QuorvexPhaser.h"

// Factory programs after "Default"; values of parameters 0 to 9 in index
// order, toggles as integers. Slots 12 to 15 stay free for the user.
void QuorvexPhaser::AddFactoryPresets() {
    AddDefaultPresets(nullptr, 1);
    AddPresetValues("BiFocal", 0.5, 0.12, 0.69, 3400.0, 8035.0, 1088.0, 0.84, 1, 1, 1);
    AddPresetValues("Big Black Rack", 0.68, 0.05, 1.0, 260.0, 370.0, 16000.0, 0.63, 1, 1, 1);
    AddPresetValues("Ear Candy", 1.0, 0.05, 1.0, 120.0, 6500.0, 10.0, 0.89, 1, 1, 1);
    AddPresetValues("Just a Tickle", 0.35, 0.86, 0.19, 17500.0, 14500.0, 900.0, 0.64, 1, 1, 1);
    AddPresetValues("Knock It Back", 1.0, 0.36, 0.77, 10.0, 10.0, 10.0, 0.41, 0, 1, 1);
    AddPresetValues("Little Green", 0.67, 0.04, 0.88, 360.0, 50.0, 810.0, 0.69, 0, 1, 1);
    AddPresetValues("Nasal Shimmer", 0.36, 0.94, 0.19, 1560.0, 6650.0, 280.0, 0.83, 1, 1, 1);
    AddPresetValues("Play in C", 1.0, 0.0, 0.0, 255.0, 1211.0, 385.0, 0.9, 1, 1, 1);
    AddPresetValues("Silver Box", 0.5, 0.08, 1.0, 4200.0, 13700.0, 880.0, 0.62, 1, 1, 1);
    AddPresetValues("Slow Whistle", 0.36, 0.01, 1.0, 14400.0, 6740.0, 8050.0, 0.96, 1, 1, 1);
    AddPresetValues("Time and Relative Dimensions", 0.5, 0.38, 0.35, 10.0, 2070.0, 10.0, 0.75, 1, 1,
                    1);
}
