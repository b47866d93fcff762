#include <gtest/gtest.h>

#include "framework/core/GrowBuffer.h"
#include "framework/core/ItemList.h"

TEST(GrowBuffer, GrowsByRequestPlusOneGranule) {
    GrowBuffer b;
    ASSERT_TRUE(b.Resize(100));
    EXPECT_EQ(b.Size(), 100u);
    EXPECT_EQ(b.Capacity(), 100u + GrowBuffer::kGranularity);
    ASSERT_TRUE(b.Resize(50));  // within capacity: no reallocation
    EXPECT_EQ(b.Capacity(), 100u + GrowBuffer::kGranularity);
}

TEST(GrowBuffer, ShrinksOnlyWhenAskedAndFarBelowCapacity) {
    struct Case {
        std::size_t request;
        bool allowShrink;
        bool shrinks;
    };
    const std::size_t big = 10 * GrowBuffer::kGranularity;
    const Case cases[] = {
        {0, false, false},
        // The capacity is eleven granules: seven granules is exactly four below.
        {7 * GrowBuffer::kGranularity, true, false},
        {7 * GrowBuffer::kGranularity - 1, true, true},
        {0, true, true},
    };
    for (const Case& c : cases) {
        GrowBuffer b;
        ASSERT_TRUE(b.Resize(big));
        const std::size_t before = b.Capacity();
        ASSERT_TRUE(b.Resize(c.request, c.allowShrink));
        EXPECT_EQ(b.Size(), c.request);
        EXPECT_EQ(b.Capacity() < before, c.shrinks) << c.request << " " << c.allowShrink;
    }
}

TEST(GrowBuffer, AppendKeepsContentsAndRefusesOverflow) {
    GrowBuffer b;
    for (int i = 0; i < 3000; ++i) ASSERT_TRUE(b.Append(&i, sizeof i));
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(b.As<int>()[i], i);
    const std::size_t size = b.Size();
    EXPECT_FALSE(b.Append(&size, static_cast<std::size_t>(-1)));
    EXPECT_EQ(b.Size(), size);
    EXPECT_FALSE(b.Resize(static_cast<std::size_t>(-1)));
    EXPECT_EQ(b.Size(), size);
}

TEST(ItemList, IndexOutsideYieldsNothing) {
    ItemList<int> list;
    EXPECT_EQ(list.Get(0), nullptr);
    list.Add(new int(7));
    list.Add(new int(8));
    EXPECT_EQ(*list.Get(1), 8);
    for (int bad : {-1, 2, 1 << 30}) EXPECT_EQ(list.Get(bad), nullptr);
    list.DeleteAll();
    EXPECT_EQ(list.Count(), 0);
}
