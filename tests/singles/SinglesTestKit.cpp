#include "tests/singles/SinglesTestKit.h"

#include <cstring>

namespace singles_test {

ScriptedHost& Host() {
    static ScriptedHost host;
    return host;
}

VstIntPtr VSTCALLBACK ScriptedAudioMaster(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr,
                                          float) {
    ScriptedHost& h = Host();
    switch (opcode) {
        case audioMasterGetVendorString:
            if (ptr) std::strcpy(static_cast<char*>(ptr), h.vendor.c_str());
            return 1;
        case audioMasterGetProductString:
            ++h.productQueries;
            if (ptr) std::strcpy(static_cast<char*>(ptr), h.product.c_str());
            return 1;
        case audioMasterGetVendorVersion:
            return h.vendorVersion;
        default:
            return 0;
    }
}

}  // namespace singles_test
