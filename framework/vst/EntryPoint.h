// The exported entry point of a plug-in library. Each product's entry
// source holds one line:  VEXIL_DEFINE_ENTRY_POINT(ProductClass)
// which defines VSTPluginMain (and main, the older name of the same function).
#pragma once

#include "framework/vst/VexilVST.h"

using VexilProductFactory = VexilVST* (*)(audioMasterCallback audioMaster);

// Creates the product under the process-wide construction lock, gives it a
// default program when it has none, and returns its effect record, or null
// when creation failed.
AEffect* CreateVexilEffect(audioMasterCallback audioMaster, VexilProductFactory create);

#if defined(_WIN32)
// The .def file exports VSTPluginMain and maps main to it.
#define VEXIL_ENTRY_EXPORT
#define VEXIL_DEFINE_MAIN_ALIAS
#else
#define VEXIL_ENTRY_EXPORT __attribute__((visibility("default")))
#define VEXIL_DEFINE_MAIN_ALIAS                                                                    \
    extern "C" VEXIL_ENTRY_EXPORT __attribute__((alias("VSTPluginMain"))) AEffect* VexilMainAlias( \
        audioMasterCallback audioMaster) __asm__("main");
#endif

#define VEXIL_DEFINE_ENTRY_POINT(ProductClass)                             \
    static VexilVST* VexilCreateProduct(audioMasterCallback audioMaster) { \
        return new ProductClass(audioMaster);                              \
    }                                                                      \
    extern "C" VEXIL_ENTRY_EXPORT AEffect* VSTCALLBACK VSTPluginMain(      \
        audioMasterCallback audioMaster) {                                 \
        return CreateVexilEffect(audioMaster, &VexilCreateProduct);        \
    }                                                                      \
    VEXIL_DEFINE_MAIN_ALIAS
