#include "host/PluginModule.h"

#include <filesystem>
#include <system_error>

#include "host/HostError.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vhost {

namespace {

// Paths arrive as UTF-8 on every platform.
std::filesystem::path FsPath(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

#ifdef _WIN32
std::wstring Widen(const std::string& text) {
    int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (n <= 0) {
        // Not UTF-8: take it as the system's 8-bit code page.
        n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
        std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
        wide.resize(wide.size() - 1);
        return wide;
    }
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string LastErrorText() {
    DWORD code = GetLastError();
    char buffer[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, n);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
}
#endif

}  // namespace

PluginModule::PluginModule(const std::string& path) : path_(path) {
    std::error_code ec;
    if (!std::filesystem::exists(FsPath(path), ec)) throw HostError("'" + path + "': no such file");
    if (std::filesystem::is_directory(FsPath(path), ec))
        throw HostError("'" + path + "': is a folder, not a plug-in library");
#ifdef _WIN32
    // Absolute, with the altered search path, so that libraries beside the
    // plug-in are found as a DAW finds them; and no error dialog boxes.
    std::filesystem::path absolute = std::filesystem::absolute(FsPath(path), ec);
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    handle_ = LoadLibraryExW(ec ? Widen(path).c_str() : absolute.wstring().c_str(), nullptr,
                             LOAD_WITH_ALTERED_SEARCH_PATH);
    SetErrorMode(oldMode);
    if (!handle_) throw HostError("'" + path + "': cannot load library: " + LastErrorText());
#else
    // A relative name without a slash would make dlopen search the library path.
    std::string name = path.find('/') == std::string::npos ? "./" + path : path;
    handle_ = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        throw HostError("'" + path + "': cannot load library: " + (why ? why : "unknown error"));
    }
#endif
}

PluginModule::~PluginModule() {
    if (!handle_) return;
#ifdef _WIN32
    FreeLibrary(static_cast<HMODULE>(handle_));
#elif defined(__SANITIZE_ADDRESS__)
    // Under the leak checker a library stays loaded: once unloaded, the
    // static pools of its own C++ runtime would read as leaks, and reports
    // could not name its functions.
#else
    dlclose(handle_);
#endif
}

void* PluginModule::FindSymbol(const char* name) const {
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
    return dlsym(handle_, name);
#endif
}

VstEntryPoint PluginModule::EntryPoint() const {
    void* symbol = FindSymbol("VSTPluginMain");
    if (!symbol) symbol = FindSymbol("main");
    return reinterpret_cast<VstEntryPoint>(symbol);
}

}  // namespace vhost
