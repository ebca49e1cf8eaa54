#include <gtest/gtest.h>

#include <cstring>

#include "softblit/core/array.h"
#include "softblit/core/buffer.h"
#include "softblit/core/status.h"

namespace {

int g_deleted = 0;
class C_Counted : public C_Object {
public:
    ~C_Counted() override { ++g_deleted; }
};

C_Object* Tag(uintptr_t n) { return reinterpret_cast<C_Object*>(n * 16); }

}  // namespace

TEST(Array, InsertRemoveAndSwap) {
    const uint32_t before = Sys_Status.memoryInUse;
    {
        C_Array array;
        array.Insert(Tag(1), 7);  // the first item's index is ignored
        array.Insert(Tag(2), 1);
        array.Insert(Tag(3), 0);
        array.Insert(Tag(4), 99);
        EXPECT_EQ(array.capacity, 4u);
        array.Insert(Tag(5), 2);
        EXPECT_EQ(array.capacity, 8u);
        const C_Object* expected[] = {Tag(3), Tag(1), Tag(5), Tag(2), Tag(4)};
        for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(array.GetAt(i), expected[i]) << i;
        EXPECT_EQ(array.GetAt(5), nullptr);
        EXPECT_FALSE(array.SwapWithPrevious(0));
        EXPECT_FALSE(array.SwapWithNext(4));
        EXPECT_TRUE(array.SwapWithNext(0));
        EXPECT_EQ(array.SetAt(Tag(9), 0), Tag(1));
        EXPECT_EQ(array.RemoveAt(0), Tag(9));
        while (array.GetCount() > 1) array.RemoveAt(0);
        EXPECT_EQ(array.RemoveAt(0), Tag(4));  // the last entry takes the entry array with it
        EXPECT_EQ(array.items, nullptr);
        EXPECT_EQ(array.capacity, 0u);
        EXPECT_EQ(array.RemoveAt(0), nullptr);
    }
    EXPECT_EQ(Sys_Status.memoryInUse, before);
}

TEST(Array, DeleteAllDeletesEveryItem) {
    C_Array array;
    array.Insert(new C_Counted, 0);
    array.Insert(nullptr, 1);
    array.Insert(new C_Counted, 2);
    g_deleted = 0;
    EXPECT_EQ(array.DeleteAll(), 3u);
    EXPECT_EQ(g_deleted, 2);
}

TEST(Buffer, GrowsKeepingOrLosingContents) {
    const uint32_t before = Sys_Status.memoryInUse;
    {
        C_Buffer buffer;
        ASSERT_TRUE(buffer.Allocate(4, false, true));
        const uint8_t bytes[4] = {1, 2, 3, 4};
        memcpy(buffer.data, bytes, 4);
        ASSERT_TRUE(buffer.Resize(10, true));
        const uint8_t grown[10] = {1, 2, 3, 4, 0, 0, 0, 0, 0, 0};
        EXPECT_EQ(memcmp(buffer.data, grown, 10), 0);
        ASSERT_TRUE(buffer.Resize(6, true));
        EXPECT_EQ(buffer.capacity, 10u);
        EXPECT_EQ(buffer.size, 6u);
        ASSERT_TRUE(buffer.Allocate(3, true, false));
        EXPECT_EQ(memcmp(buffer.data, bytes, 3), 0);
        EXPECT_EQ(Sys_Status.memoryInUse - before, 3u);
    }
    EXPECT_EQ(Sys_Status.memoryInUse, before);
}
