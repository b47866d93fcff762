// A plug-in library loaded into the process, and its VST 2 entry point.
#pragma once

#include <string>

#include "framework/vst/VstAbi.h"

namespace vhost {

using VstEntryPoint = AEffect*(VSTCALLBACK*)(audioMasterCallback host);

class PluginModule {
  public:
    // Loads the library; throws HostError for a missing or unloadable file.
    explicit PluginModule(const std::string& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // VSTPluginMain, or the older name main; null when the library has neither.
    VstEntryPoint EntryPoint() const;
    const std::string& Path() const { return path_; }

  private:
    void* FindSymbol(const char* name) const;

    std::string path_;
    void* handle_ = nullptr;
};

}  // namespace vhost
