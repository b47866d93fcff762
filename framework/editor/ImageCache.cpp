#include "framework/editor/ImageCache.h"

#include <cassert>
#include <mutex>
#include <vector>

#include "framework/editor/Drel.h"

namespace image_cache {
namespace {

struct Registry {
    std::mutex lock;
    struct Entry {
        DrelSurface* surface;
        std::uint64_t serial;
    };
    std::vector<Entry> entries;
    std::uint64_t nextSerial = 1;
    // Unloading the module frees every image.
    ~Registry() {
        for (Entry& e : entries) delete e.surface;
    }
};

struct StripCache {
    std::mutex lock;
    std::vector<int> ids;
    std::vector<IImageStrip> records;  // parallel to ids
};

struct DerivedKey {
    const DrelSurface* source;
    std::uint64_t serial;
    int a, b, c, d;
    bool operator==(const DerivedKey&) const = default;
};

struct DerivedCache {
    std::mutex lock;
    std::vector<DerivedKey> keys;
    std::vector<IImageStrip> records;  // parallel to keys
};

// Function-local statics: created on first use, from any thread, and
// destroyed at unload after every cache that refers to them.
Registry& TheRegistry() {
    static Registry r;
    return r;
}
StripCache& TheStrips() {
    static StripCache c;
    return c;
}
DerivedCache& TheScaled() {
    static DerivedCache c;
    return c;
}
DerivedCache& TheCropped() {
    static DerivedCache c;
    return c;
}

IImageStrip Derive(DerivedCache& cache, const DerivedKey& key,
                   IImageStrip (*make)(const IImageStrip&, const DerivedKey&),
                   const IImageStrip& strip) {
    TheRegistry();  // constructed before the cache so it outlives it
    std::lock_guard<std::mutex> hold(cache.lock);
    std::size_t i = 0;
    while (i < cache.keys.size() && !(cache.keys[i] == key)) ++i;
    if (i < cache.keys.size() && IsRegistered(cache.records[i].surface)) return cache.records[i];
    IImageStrip made = make(strip, key);
    Register(made.surface);
    if (i < cache.keys.size()) {
        cache.records[i] = made;
    } else {
        cache.keys.push_back(key);
        cache.records.push_back(made);
    }
    return made;
}

IImageStrip MakeScaled(const IImageStrip& strip, const DerivedKey& key) {
    auto* out = new DrelMemorySurface(key.a, key.b);
    DrelScaledBlit(out, strip.surface, 0, 0, key.a, key.b, 0.0f, 0.0f, float(strip.width),
                   float(strip.height), 1.0f, DrelFilter);
    return {out, key.a, key.b, strip.frames};
}

IImageStrip MakeCropped(const IImageStrip& strip, const DerivedKey& key) {
    const int w = key.c > key.a ? key.c - key.a : 0, h = key.d > key.b ? key.d - key.b : 0;
    auto* out = new DrelMemorySurface(w, h);
    DrelBlitRegion(out, strip.surface, 0, 0, key.a, key.b, w, h, 1.0f, DrelModeCopy);
    return {out, w, h, strip.frames};
}

}  // namespace

void Register(DrelSurface* surface) {
    if (!surface) return;
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> hold(r.lock);
    r.entries.push_back({surface, r.nextSerial++});
}

bool Release(DrelSurface* surface) {
    if (!surface) return false;
    Registry& r = TheRegistry();
    DrelSurface* doomed = nullptr;
    {
        std::lock_guard<std::mutex> hold(r.lock);
        for (auto it = r.entries.begin(); it != r.entries.end(); ++it) {
            if (it->surface == surface) {
                doomed = it->surface;
                r.entries.erase(it);  // keeps the order of the rest
                break;
            }
        }
    }
    delete doomed;
    return doomed != nullptr;
}

bool IsRegistered(const DrelSurface* surface) {
    return SerialOf(surface) != 0;
}

std::uint64_t SerialOf(const DrelSurface* surface) {
    if (!surface) return 0;
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> hold(r.lock);
    for (const auto& e : r.entries)
        if (e.surface == surface) return e.serial;
    return 0;
}

IImageStrip LoadStrip(int resourceId, int frames, const std::function<DrelSurface*()>& decode) {
    TheRegistry();
    StripCache& c = TheStrips();
    std::lock_guard<std::mutex> hold(c.lock);
    std::size_t i = 0;
    while (i < c.ids.size() && c.ids[i] != resourceId) ++i;
    if (i == c.ids.size()) {
        c.ids.push_back(resourceId);
        c.records.push_back({});
    } else if (IsRegistered(c.records[i].surface)) {
        return c.records[i];  // the frame count of the first load wins
    }
    DrelSurface* surface = decode();
    // Every image an editor asks for is part of the module.
    assert(surface && "imgResourceFound");
    IImageStrip record = {surface, surface ? surface->Width() : 0, surface ? surface->Height() : 0,
                          frames};
    Register(surface);
    c.records[i] = record;
    return record;
}

IImageStrip ScaleStrip(const IImageStrip& strip, int w, int h) {
    const DerivedKey key = {strip.surface, SerialOf(strip.surface), w, h, 0, 0};
    return Derive(TheScaled(), key, MakeScaled, strip);
}

IImageStrip CropStrip(const IImageStrip& strip, const IBox& box) {
    const DerivedKey key = {strip.surface, SerialOf(strip.surface), box.left, box.top, box.right,
                            box.bottom};
    return Derive(TheCropped(), key, MakeCropped, strip);
}

}  // namespace image_cache
