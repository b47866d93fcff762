#include "framework/editor/Drel.h"
#include "framework/platform/Resources.h"

// The platform seam answers for this library's own resources, which is the
// only module the editors load from; the handle is kept for the interface.
DrelSurface* DrelLoadPngResource(void* /*module*/, std::uint16_t resourceId, DrelSurface* dest) {
    const vexil::ResourceBytes found = vexil::FindResourceBytes(resourceId, "PNG");
    if (!found.data || found.size < 8) return nullptr;
    return DrelDecodePng(found.data, found.size, dest);
}
