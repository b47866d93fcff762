// Maps the host's vendor and product texts to a host number.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "framework/core/VexilBase.h"
#include "framework/platform/Trace.h"

namespace {

void LowerCopy(char (&dst)[256], const char* src) {
    CopyText(dst, sizeof dst, src);
    for (char& c : dst) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

int VexilBase::IdentifyHost(const char* vendor, const char* product) const {
    char v[256];
    char p[256];
    LowerCopy(v, vendor);
    LowerCopy(p, product);
    struct Rule {
        const char* text;
        int id;
    };
    static constexpr Rule kBeforeLive[] = {{"reaper", 1},   {"cubase", 3},     {"nuendo", 4},
                                           {"cakewalk", 5}, {"samplitude", 8}, {"fruity", 7}};
    static constexpr Rule kAfterLive[] = {
        {"melodyne", 12}, {"vstmanlib", 13}, {"com.apple.audio.aulab", 14},
        {"forte", 15},    {"chainer", 16},   {"audition", 17}};
    for (const Rule& r : kBeforeLive)
        if (std::strstr(p, r.text)) return r.id;
    if (std::strstr(v, "ableton") && std::strstr(p, "live")) return 9;
    for (const Rule& r : kAfterLive)
        if (std::strstr(p, r.text)) return r.id;
    if (hostTableHasOrion_ && std::strstr(p, "orion")) return 18;
    return 0;
}

void VexilBase::SetHost(const char* vendor, const char* product, int version) {
    hostId_ = IdentifyHost(vendor, product);
    hostVersion_ = version;
    const int major = (version >> 16) & 0xFFFF;
    const int minor = (version >> 8) & 0xFF;
    const int bugfix = version & 0xFF;
    char versionText[48];
    if (bugfix != 0)
        std::snprintf(versionText, sizeof versionText, "v%d.%d.%d", major, minor, bugfix);
    else if (minor != 0)
        std::snprintf(versionText, sizeof versionText, "v%d.%d", major, minor);
    else
        std::snprintf(versionText, sizeof versionText, "v%d", major);
    VEXIL_TRACE("host_%sknown:%s:%s:%s", hostId_ == 0 ? "un" : "", vendor ? vendor : "",
                product ? product : "", versionText);
}
