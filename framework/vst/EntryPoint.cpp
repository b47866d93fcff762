#include "framework/vst/EntryPoint.h"

#include <new>

#include "framework/platform/Module.h"
#include "framework/platform/RecursiveLock.h"
#include "framework/platform/Trace.h"

AEffect* CreateVexilEffect(audioMasterCallback audioMaster, VexilProductFactory create) {
    // Naming the module here also keeps the library's load notification
    // (which stores the module handle) in every plug-in.
    VEXIL_TRACE("%p:%s", vexil::ModuleHandle(), vexil::ModulePath());
    if (!create) return nullptr;
    vexil::ScopedLock hold(vexil::ConstructionLock());
    VexilVST* plug = nullptr;
    try {
        plug = create(audioMaster);
    } catch (...) {
        // No exception may reach the host: a failed creation is a null effect.
        return nullptr;
    }
    if (!plug) return nullptr;
    plug->EnsureDefaultPreset();
    AEffect* effect = plug->Effect();
    if (effect->numPrograms < plug->NPresets()) effect->numPrograms = plug->NPresets();
    if (effect->numPrograms < 1) effect->numPrograms = 1;
    return effect;
}
