#include "products/quorvex_phaser/QuorvexPhaser.h"

// The editor layout. Built once the product widgets are available; until then
// the plug-in runs without an editor (no effFlagsHasEditor).
void QuorvexPhaser::BuildEditor() {}
