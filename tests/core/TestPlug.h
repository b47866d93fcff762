// A plug-in base with recording host services, for tests of the core alone.
#pragma once

#include <string>
#include <vector>

#include "framework/core/VexilBase.h"

class TestPlug : public VexilBase {
  public:
    explicit TestPlug(int nParams, const char* io = "1-1 2-2", int nPresets = 4,
                      int version = 0x10002, const char* name = "Test")
        : VexilBase(nParams, io, nPresets, name, name, name, version, 0x51767854, 0x4E6F7276, 0,
                    false, false, false) {}

    void ResetState() override { events.push_back("reset"); }
    void ParamChanged(int paramIdx) override {
        events.push_back("changed " + std::to_string(paramIdx) + " " +
                         std::to_string(Param(paramIdx)->Value()));
    }
    void HostEditBegin(int) override {}
    void HostAutomate(int paramIdx, double normalized) override {
        events.push_back("automate " + std::to_string(paramIdx) + " " +
                         std::to_string(Param(paramIdx)->Value()));
        (void)normalized;
    }
    void HostEditEnd(int) override {}
    std::int64_t HostSamplePosition() override { return 0; }
    double HostTempo() override { return 0.0; }
    void HostTimeSignature(int& n, int& d) override { n = d = 0; }
    void EditorResized(int, int) override {}
    bool SendMidiMessage(const MidiMessage&) override { return true; }
    bool SendMidiMessages(const GrowBuffer&) override { return true; }

    std::vector<std::string> events;
};

// Little-endian chunk building for hostile-input tests.
struct ChunkWriter {
    std::string bytes;
    ChunkWriter& I32(std::int32_t v) { return Raw(&v, 4); }
    ChunkWriter& F64(double v) { return Raw(&v, 8); }
    ChunkWriter& Byte(unsigned char v) { return Raw(&v, 1); }
    ChunkWriter& Text(const std::string& s) { return Raw(s.data(), s.size()); }
    ChunkWriter& Raw(const void* p, std::size_t n) {
        bytes.append(static_cast<const char*>(p), n);
        return *this;
    }
    GrowBuffer Buffer() const {
        GrowBuffer b;
        b.Append(bytes.data(), bytes.size());
        return b;
    }
};
