// Host identification of the single effects: their table ends at
// "audition", and they ask the host at the first vendor-specific call.
#include <gtest/gtest.h>

#include "tests/singles/SinglesTestKit.h"

using namespace singles_test;

namespace {

template <class Plug>
void CheckIdentification() {
    const struct {
        const char* vendor;
        const char* product;
        int id;
    } cases[] = {
        {"Somebody", "Orion Platinum", 0},  // recognised by the multi-effect only
        {"Adobe", "Audition", 17},         {"", "REAPER", 1},
        {"Ableton", "Live 9", 9},          {"Other", "Live 9", 0},
        {"", "cubase reaper", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.product);
        Host().vendor = c.vendor;
        Host().product = c.product;
        Host().vendorVersion = 302;
        Host().productQueries = 0;
        Opened<Plug> o;
        // Opening does not ask the host who it is.
        EXPECT_EQ(o.plug->HostId(), -1);
        EXPECT_EQ(Host().productQueries, 0);
        char text[64];
        o.Dispatch(effVendorSpecific, effGetParamDisplay, 0, text, 0.5f);
        o.Dispatch(effVendorSpecific, 0, 0, nullptr, 0.0f);
        EXPECT_EQ(o.plug->HostId(), c.id);
        EXPECT_EQ(o.plug->HostVersion(), 770);
        EXPECT_EQ(Host().productQueries, 1);  // asked once per instance
        // Two inputs and two outputs: the adjustment leaves every channel connected.
        EXPECT_EQ(o.plug->ConnectedInputs(), 2);
        EXPECT_EQ(o.plug->ConnectedOutputs(), 2);
    }
    Host() = ScriptedHost{};
}

}  // namespace

TEST(SinglesHostIdentity, TableEndsAtAuditionAndRunsAtVendorSpecificCalls) {
    CheckIdentification<QuorvexPhaser>();
    CheckIdentification<QuorvexChorus>();
    CheckIdentification<QuorvexDrive>();
}

TEST(SinglesHostIdentity, EachProductUsesTheSingleEffectRules) {
    Opened<QuorvexPhaser> ph;
    Opened<QuorvexChorus> ch;
    Opened<QuorvexDrive> dr;
    for (VexilVST* plug : {static_cast<VexilVST*>(ph.plug), static_cast<VexilVST*>(ch.plug),
                           static_cast<VexilVST*>(dr.plug)}) {
        EXPECT_EQ(plug->AdjustmentStyle(), HostAdjustmentStyle::SingleEffect);
        EXPECT_EQ(plug->IdentifyHost("", "orion"), 0);
        EXPECT_EQ(plug->IdentifyHost("", "Adobe Audition CS6"), 17);
    }
}
