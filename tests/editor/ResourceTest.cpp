// Images built into the binary by quorvex_add_resources are found by id.
#include <gtest/gtest.h>

#include <memory>

#include "FakePlug.h"
#include "framework/editor/Drel.h"
#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IGraphicsOffscreen.h"

namespace {
TEST(Resources, PngResourcesDecodeById) {
    std::unique_ptr<DrelSurface> rgba(DrelLoadPngResource(nullptr, 101, nullptr));
    ASSERT_NE(rgba, nullptr);
    ASSERT_EQ(rgba->Width(), 3);
    ASSERT_EQ(rgba->Height(), 2);
    EXPECT_EQ(rgba->Row(0)[0], 0xFF0A141Eu);
    EXPECT_EQ(rgba->Row(0)[1], 0x8028323Cu);
    EXPECT_EQ(rgba->Row(1)[2], 0x0C090A0Bu);
    EXPECT_EQ(DrelLoadPngResource(nullptr, 999, nullptr), nullptr);
}

TEST(Resources, EditorsLoadStripsFromTheModule) {
    FakePlug plug;
    auto* g = new IGraphicsOffscreen(&plug, 4, 4, 18);
    const IImageStrip strip = g->LoadStrip(102, "strip", 2);  // red frame over blue frame
    ASSERT_NE(strip.surface, nullptr);
    EXPECT_EQ(strip.height, 4);
    auto* frame = new IFrameWidget(&plug, 0, 0, -1, strip, BlendReplace);
    g->AddWidget(frame);
    plug.AttachEditor(g);
    frame->SetValue(1.0);
    g->RenderAll();
    EXPECT_EQ(g->ReadPixel(1, 1), (IArgb{255, 0, 0, 255}));
    frame->SetValue(0.0);
    g->RenderAll();
    EXPECT_EQ(g->ReadPixel(1, 1), (IArgb{255, 255, 0, 0}));
}
}  // namespace
