// A scripted host callback for adapter tests: answers texts, version and
// time info as a test sets them, and records every call.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "framework/vst/EntryPoint.h"
#include "tests/fixture_gain/FixtureGain.h"

struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
};

struct FakeHost {
    std::string vendor;
    std::string product;
    VstIntPtr vendorVersion = 0;
    bool answerTime = true;
    VstTimeInfo time{};
    VstIntPtr eventsAnswer = 1;
    std::vector<HostCall> calls;
    std::vector<VstMidiEvent> sentMidi;

    static FakeHost*& Current() {
        static FakeHost* host = nullptr;
        return host;
    }
    FakeHost() { Current() = this; }
    ~FakeHost() { Current() = nullptr; }

    static VstIntPtr VSTCALLBACK Callback(AEffect*, VstInt32 opcode, VstInt32 index,
                                          VstIntPtr value, void* ptr, float opt) {
        FakeHost* h = Current();
        if (!h) return 0;
        h->calls.push_back({opcode, index, value, opt});
        switch (opcode) {
            case audioMasterGetVendorString:
                std::strcpy(static_cast<char*>(ptr), h->vendor.c_str());
                return 1;
            case audioMasterGetProductString:
                std::strcpy(static_cast<char*>(ptr), h->product.c_str());
                return 1;
            case audioMasterGetVendorVersion:
                return h->vendorVersion;
            case audioMasterGetTime:
                return h->answerTime ? reinterpret_cast<VstIntPtr>(&h->time) : 0;
            case audioMasterProcessEvents: {
                auto* events = static_cast<VstEvents*>(ptr);
                for (int i = 0; i < events->numEvents; ++i)
                    h->sentMidi.push_back(*reinterpret_cast<VstMidiEvent*>(events->events[i]));
                return h->eventsAnswer;
            }
            default:
                return 0;
        }
    }

    int Count(VstInt32 opcode) const {
        int n = 0;
        for (const HostCall& c : calls) n += c.opcode == opcode;
        return n;
    }
};

inline VexilVST* CreateFixture(audioMasterCallback master = &FakeHost::Callback) {
    AEffect* effect = CreateVexilEffect(
        master, [](audioMasterCallback m) -> VexilVST* { return new FixtureGain(m); });
    return effect ? static_cast<VexilVST*>(effect->object) : nullptr;
}

// Owns one fixture instance and closes it through the dispatcher.
struct Instance {
    FakeHost host;
    AEffect* effect;
    FixtureGain* plug;
    Instance() {
        VexilVST* p = CreateFixture();
        effect = p->Effect();
        plug = static_cast<FixtureGain*>(p);
        Call(effOpen);
    }
    ~Instance() {
        if (effect) Call(effClose);
    }
    VstIntPtr Call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                   float opt = 0.0f) {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }
};
