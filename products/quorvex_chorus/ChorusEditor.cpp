#include "products/quorvex_chorus/QuorvexChorus.h"

// The editor layout; the plug-in runs without an editor until it is built.
void QuorvexChorus::BuildEditor() {}
