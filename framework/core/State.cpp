// Parameter, program and bank chunks. Chunks come from hosts and are
// untrusted: every read is bounds-checked in 64-bit arithmetic.
#include <bit>
#include <cstdint>
#include <cstring>

#include "framework/core/VexilBase.h"
#include "framework/platform/Trace.h"

static_assert(std::endian::native == std::endian::little,
              "chunks store little-endian numbers by copying memory");

namespace {

bool Fits(std::int64_t position, std::int64_t bytes, std::size_t size) {
    return position >= 0 && position + bytes <= static_cast<std::int64_t>(size);
}

}  // namespace

bool VexilBase::SerializeParams(GrowBuffer& chunk) {
    vexil::ScopedLock hold(lock_);
    for (int i = 0, n = NParams(); i < n; ++i) {
        const double v = Param(i)->Value();
        if (!chunk.Append(&v, sizeof v)) return false;
    }
    return true;
}

int VexilBase::UnserializeParams(const GrowBuffer& chunk, int position) {
    vexil::ScopedLock hold(lock_);
    VEXIL_TRACE("%d:%d", static_cast<int>(chunk.Size()), position);
    for (int i = 0, n = NParams(); i < n && position >= 0; ++i) {
        double v = 0.0;
        if (Fits(position, 8, chunk.Size())) {
            std::memcpy(&v, chunk.Data() + position, sizeof v);
            position += 8;
        } else {
            position = -1;
        }
        IParameter* param = Param(i);
        // A value that is not a number is refused and the old value stays;
        // the editor is told what the parameter actually holds.
        param->SetClamped(v);
        ApplyToEditor(i, param->Value(), false);
    }
    NotifyAllParamsChanged();
    return position;
}

bool VexilBase::SerializeBank(GrowBuffer& chunk) {
    vexil::ScopedLock hold(lock_);
    for (int i = 0, n = NPresets(); i < n; ++i) {
        const PresetRecord* slot = presets_.Get(i);
        const std::int32_t length =
            static_cast<std::int32_t>(strnlen(slot->name, sizeof slot->name - 1));
        const unsigned char flag = slot->initialized ? 1 : 0;
        if (!chunk.Append(&length, sizeof length) || !chunk.Append(slot->name, length) ||
            !chunk.Append(&flag, 1))
            return false;
        if (slot->initialized && !chunk.Append(slot->values.Data(), slot->values.Size()))
            return false;
    }
    return true;
}

int VexilBase::UnserializeBank(const GrowBuffer& chunk, int position) {
    vexil::ScopedLock hold(lock_);
    VEXIL_TRACE("%d:%d", static_cast<int>(chunk.Size()), position);
    const std::size_t size = chunk.Size();
    for (int i = 0, n = NPresets(); i < n && position >= 0; ++i) {
        PresetRecord* slot = presets_.Get(i);
        std::int64_t next = -1;
        slot->name[0] = '\0';
        if (Fits(position, 4, size)) {
            std::int32_t length = 0;
            std::memcpy(&length, chunk.Data() + position, sizeof length);
            // A negative length would walk backwards through the chunk: the
            // entry is broken and reading stops.
            if (length >= 0) next = std::int64_t{position} + 4 + length;
            if (length > 0 && next <= static_cast<std::int64_t>(size)) {
                // Names longer than the field are cut to 255 bytes.
                std::size_t take = static_cast<std::size_t>(length);
                if (take > sizeof slot->name - 1) take = sizeof slot->name - 1;
                std::memcpy(slot->name, chunk.Data() + position + 4, take);
                slot->name[take] = '\0';
                // A NUL inside the name ends it, as the text it was stored from.
            }
        }
        if (next >= 0 && Fits(next, 1, size)) {
            slot->initialized = chunk.Data()[next] != 0;
            position = static_cast<int>(next + 1);
        } else {
            position = -1;
        }
        if (slot->initialized) {
            position = UnserializeParams(chunk, position);
            if (position > 0) {
                slot->values.Clear();
                SerializeParams(slot->values);
            }
        }
    }
    RecallPreset(currentPreset_);
    return position;
}
