#include "framework/platform/Resources.h"

#include <cstring>

#include "framework/platform/Module.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#if !defined(_WIN32)
// Provided by the plug-in library; weak so that libraries and tests without
// resources still link (the addresses are then null).
extern "C" {
extern const QuorvexResourceEntry quorvex_resource_table[] __attribute__((weak));
extern const int quorvex_resource_count __attribute__((weak));
}
#endif

namespace vexil {

#if defined(_WIN32)

ResourceBytes FindResourceBytes(int id, const char* type) {
    if (!type) return {};
    HMODULE module = static_cast<HMODULE>(ModuleHandle());
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return {};
    const void* data = LockResource(loaded);
    DWORD size = SizeofResource(module, found);
    if (!data || size == 0) return {};
    return {static_cast<const unsigned char*>(data), static_cast<std::size_t>(size)};
}

#else

ResourceBytes FindResourceBytes(int id, const char* type) {
    if (!type || !&quorvex_resource_count || !quorvex_resource_table) return {};
    for (int i = 0; i < quorvex_resource_count; ++i) {
        const QuorvexResourceEntry& e = quorvex_resource_table[i];
        if (e.id == id && e.type && std::strcmp(e.type, type) == 0 && e.data)
            return {e.data, e.size};
    }
    return {};
}

#endif

}  // namespace vexil
