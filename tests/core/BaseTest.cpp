#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "tests/core/TestPlug.h"

TEST(Base, FreshPlugInDefaults) {
    TestPlug plug(3);
    EXPECT_EQ(plug.SampleRate(), 44100.0);
    EXPECT_EQ(plug.BlockSize(), 0);
    EXPECT_EQ(plug.CurrentPreset(), 0);
    EXPECT_EQ(plug.HostId(), -1);
    EXPECT_EQ(plug.QueryHost(), -1);
    EXPECT_EQ(plug.Editor(), nullptr);
    EXPECT_EQ(plug.Param(3), nullptr);
    EXPECT_EQ(plug.Param(-1), nullptr);
}

TEST(Base, VersionNumber) {
    const struct {
        int version, decimal;
    } cases[] = {{0x10002, 10002}, {(2 << 16) | (10 << 8) | 5, 21005}, {0, 0}};
    for (const auto& c : cases) {
        TestPlug plug(0, "1-1", 0, c.version);
        EXPECT_EQ(plug.VersionNumber(true), c.decimal);
        EXPECT_EQ(plug.VersionNumber(false), c.version);
    }
}

TEST(Base, EditorChangeReachesHostBeforeTheValueIsStored) {
    TestPlug plug(2);
    plug.Param(1)->SetupContinuous("x", 0, 0, 10, 1);
    plug.SetParameterFromGUI(1, 0.5);
    ASSERT_EQ(plug.events.size(), 2u);
    EXPECT_EQ(plug.events[0], "automate 1 0.000000");
    EXPECT_EQ(plug.events[1], "changed 1 5.000000");
    plug.SetParameterFromGUI(2, 0.5);  // no such parameter: ignored
    plug.SetParameterFromGUI(-1, 0.5);
    EXPECT_EQ(plug.events.size(), 2u);
}

TEST(Base, NamesAreCutToTheirFields) {
    const std::string longName(300, 'e');
    TestPlug plug(0, "1-1", 0, 0, longName.c_str());
    EXPECT_EQ(std::string(plug.EffectName()), longName.substr(0, 127));
    EXPECT_EQ(std::string(plug.ProductName()), longName.substr(0, 127));
    EXPECT_EQ(std::string(plug.VendorName()), longName.substr(0, 127));
}

TEST(Base, SampleRateRefusesNonsense) {
    TestPlug plug(0);
    for (double bad : {0.0, -48000.0, std::nan(""), double(INFINITY)}) plug.StoreSampleRate(bad);
    EXPECT_EQ(plug.SampleRate(), 44100.0);
    plug.StoreSampleRate(96000.0);
    EXPECT_EQ(plug.SampleRate(), 96000.0);
}

TEST(Base, TheLockIsRecursiveAndExcludesOtherThreads) {
    TestPlug plug(1);
    vexil::RecursiveLock& lock = plug.PluginLock();
    lock.Lock();
    plug.ResetState();  // hooks may take it again on the same thread
    { vexil::ScopedLock inner(lock); }
    std::atomic<bool> entered{false};
    std::thread other([&] {
        vexil::ScopedLock hold(lock);
        entered = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(entered);
    lock.Unlock();
    other.join();
    EXPECT_TRUE(entered);
}
