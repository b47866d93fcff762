#include "products/quorvex_drive/QuorvexDrive.h"

// The editor layout; the plug-in runs without an editor until it is built.
void QuorvexDrive::BuildEditor() {}
