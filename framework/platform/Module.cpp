#include "framework/platform/Module.h"

#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vexil {

#if defined(_WIN32)

namespace {
HINSTANCE g_instance = nullptr;
}

void* ModuleHandle() {
    return g_instance;
}

const char* ModulePath() {
    static char path[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(g_instance, path, MAX_PATH);
    path[n < MAX_PATH ? n : MAX_PATH] = '\0';
    return path;
}

}  // namespace vexil

// Every load notification stores the instance handle; the editor takes its
// module handle from here for its window class and resources.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    vexil::g_instance = instance;
    return TRUE;
}

#else

namespace {
// Any symbol of this library locates the library itself.
void LocalAnchor() {}

const Dl_info& ModuleInfo() {
    static const Dl_info info = [] {
        Dl_info i{};
        if (!dladdr(reinterpret_cast<void*>(&LocalAnchor), &i)) std::memset(&i, 0, sizeof i);
        return i;
    }();
    return info;
}
}  // namespace

void* ModuleHandle() {
    return ModuleInfo().dli_fbase;
}

const char* ModulePath() {
    const char* p = ModuleInfo().dli_fname;
    return p ? p : "";
}

}  // namespace vexil

#endif
