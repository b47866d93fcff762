// Asks the host who it is, once, and adjusts the channels for the hosts
// that give the plug-in only two inputs.
#include <cstdint>

#include "framework/vst/VexilVST.h"

int VexilVST::QueryHost() {
    if (hostId_ != -1) return hostId_;
    char vendor[256] = {};
    char product[256] = {};
    CallHost(audioMasterGetVendorString, 0, 0, vendor);
    CallHost(audioMasterGetProductString, 0, 0, product);
    // Hosts write at most 64 characters; a host that wrote more still gets
    // terminated texts.
    vendor[255] = '\0';
    product[255] = '\0';
    int version = 0;
    if (vendor[0] != '\0' || product[0] != '\0') {
        const std::int64_t v = CallHost(audioMasterGetVendorVersion);
        const std::int64_t coded = (v / 10000) * 65536 + ((v % 10000) / 100) * 256 + v % 100;
        version = static_cast<int>(coded);
    }
    SetHost(vendor, product, version);
    return hostId_;
}

void VexilVST::HostAdjustment() {
    if (hostAdjustmentDone_) return;
    hostAdjustmentDone_ = true;
    const int h = QueryHost();
    const bool adjust =
        adjustmentStyle_ == HostAdjustmentStyle::MultiEffect ? (h == 17 || h == 18) : h == 17;
    if (!adjust) return;
    if (MaxInputs() > 2) ConnectInputs(2, MaxInputs() - 2, false);
    if (MaxOutputs() > 2) ConnectOutputs(2, MaxOutputs() - 2, true);
}
