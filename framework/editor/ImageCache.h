// The module-wide image caches and the live-surface registry, shared by
// every editor of every plug-in instance in the process.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/editor/IGraphicsTypes.h"

namespace image_cache {

// Registry of live surfaces. It has its own lock, taken inside the cache
// locks and never around them, so loads through different caches on
// different threads cannot corrupt it.
void Register(DrelSurface* surface);
// Deletes the surface when it is registered; false otherwise.
bool Release(DrelSurface* surface);
bool IsRegistered(const DrelSurface* surface);
// Serial number the registry gave the surface (0 when not registered);
// derived images are keyed by it, so a new surface that happens to reuse
// a released one's address is never mistaken for it.
std::uint64_t SerialOf(const DrelSurface* surface);

// Strip for a resource id: the cached record while its surface is live,
// else decoded with `decode` (under the strip-cache lock) and registered.
IImageStrip LoadStrip(int resourceId, int frames, const std::function<DrelSurface*()>& decode);
IImageStrip ScaleStrip(const IImageStrip& strip, int w, int h);
IImageStrip CropStrip(const IImageStrip& strip, const IBox& box);

}  // namespace image_cache
