#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/editor/IGraphicsOffscreen.h"
#include "tests/vst/FakeHost.h"

namespace {

std::atomic<int> g_editorsAlive{0};

struct CountedEditor : IGraphicsOffscreen {
    CountedEditor(VexilBase* plug) : IGraphicsOffscreen(plug, 274, 350, 18) { ++g_editorsAlive; }
    ~CountedEditor() override { --g_editorsAlive; }
};

}  // namespace

TEST(Lifecycle, AttachedEditorSetsFlagAndRectAndDiesWithThePlugIn) {
    FakeHost host;
    VexilVST* plug = CreateFixture();
    AEffect* e = plug->Effect();
    plug->AttachEditor(new CountedEditor(plug));
    EXPECT_EQ(g_editorsAlive, 1);
    EXPECT_EQ(e->flags & effFlagsHasEditor, effFlagsHasEditor);
    ERect* rect = nullptr;
    EXPECT_EQ(e->dispatcher(e, effEditGetRect, 0, 0, &rect, 0), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 274);
    EXPECT_EQ(rect->bottom, 350);
    EXPECT_EQ(e->dispatcher(e, effEditGetRect, 0, 0, nullptr, 0), 0);
    int parent = 0;
    // The offscreen editor has no window to open: failure is 0.
    EXPECT_EQ(e->dispatcher(e, effEditOpen, 0, 0, &parent, 0), 0);
    EXPECT_EQ(e->dispatcher(e, effEditClose, 0, 0, nullptr, 0), 1);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0);
    EXPECT_EQ(g_editorsAlive, 0);
}

TEST(Lifecycle, CloseWhileAnotherThreadWaitsOnTheLockIsOrderly) {
    // effClose takes the lock, so a call in progress on another thread ends
    // before the plug-in goes away.
    FakeHost host;
    VexilVST* plug = CreateFixture();
    AEffect* e = plug->Effect();
    std::atomic<bool> inside{false};
    std::thread audio([&] {
        vexil::ScopedLock hold(plug->PluginLock());
        inside = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    });
    while (!inside) std::this_thread::yield();
    e->dispatcher(e, effClose, 0, 0, nullptr, 0);
    audio.join();
}

// Audio thread, user-interface thread and a third host thread calling in at
// once. Run under ThreadSanitizer to prove the absence of data races.
TEST(Lifecycle, ThreeThreadsCallingInAtOnce) {
    FakeHost host;
    VexilVST* plug = CreateFixture();
    AEffect* e = plug->Effect();
    e->dispatcher(e, effOpen, 0, 0, nullptr, 0);
    e->dispatcher(e, effSetBlockSize, 0, 64, nullptr, 0);
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        std::vector<float> buf(6 * 128, 0.1f);
        float* ins[4] = {&buf[0], &buf[128], &buf[256], &buf[384]};
        float* outs[2] = {&buf[512], &buf[640]};
        std::vector<double> dbuf(6 * 128, 0.1);
        double* dins[4] = {&dbuf[0], &dbuf[128], &dbuf[256], &dbuf[384]};
        double* douts[2] = {&dbuf[512], &dbuf[640]};
        while (!stop) {
            e->processReplacing(e, ins, outs, 100);
            e->process(e, ins, outs, 64);
            e->processDoubleReplacing(e, dins, douts, 128);
        }
    });
    std::thread ui([&] {
        char text[64];
        for (int i = 0; !stop; ++i) {
            plug->SetParameterFromGUI(i % FixtureGain::kNumParams, (i % 10) / 10.0);
            e->dispatcher(e, effGetParamDisplay, i % FixtureGain::kNumParams, 0, text, 0);
            void* chunk = nullptr;
            const VstIntPtr size = e->dispatcher(e, effGetChunk, 1, 0, &chunk, 0);
            e->dispatcher(e, effSetChunk, 1, size, chunk, 0);
        }
    });
    std::thread other([&] {
        char name[256];
        for (int i = 0; !stop; ++i) {
            e->setParameter(e, i % FixtureGain::kNumParams, 0.3f);
            (void)e->getParameter(e, i % FixtureGain::kNumParams);
            e->dispatcher(e, effSetProgram, 0, i % FixtureGain::kNumPresets, nullptr, 0);
            e->dispatcher(e, effGetProgramName, 0, 0, name, 0);
            e->dispatcher(e, effSetBlockSize, 0, 32 + (i % 3) * 32, nullptr, 0);
            void* bank = nullptr;
            const VstIntPtr size = e->dispatcher(e, effGetChunk, 0, 0, &bank, 0);
            e->dispatcher(e, effSetChunk, 0, size, bank, 0);
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    stop = true;
    audio.join();
    ui.join();
    other.join();
    e->dispatcher(e, effClose, 0, 0, nullptr, 0);
}
