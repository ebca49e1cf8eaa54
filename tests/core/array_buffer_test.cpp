#include <gtest/gtest.h>

#include <cstring>

#include "softblit/core/array.h"
#include "softblit/core/buffer.h"
#include "softblit/core/status.h"

namespace {

class C_Counted : public C_Object {
public:
    static int released, resets, destroyed;
    ~C_Counted() override { ++destroyed; }
    void Release() override { ++released; }
    void Reset() override { ++resets; }
};
int C_Counted::released = 0;
int C_Counted::resets = 0;
int C_Counted::destroyed = 0;

C_Object* Tag(uintptr_t n) { return reinterpret_cast<C_Object*>(n * 16); }

}  // namespace

TEST(Array, InsertPlacesItemsAndDoublesCapacity) {
    uint32_t before = Sys_Status.memoryInUse;
    C_Array array;
    EXPECT_EQ(array.GetClassType(), 5u);
    ASSERT_TRUE(array.Insert(Tag(1), 7));  // index of the first item is ignored
    EXPECT_EQ(array.GetAt(0), Tag(1));
    EXPECT_EQ(array.capacity, 1u);
    array.Insert(Tag(2), 1);
    array.Insert(Tag(3), 0);
    EXPECT_EQ(array.GetAt(0), Tag(3));
    EXPECT_EQ(array.GetAt(1), Tag(1));
    EXPECT_EQ(array.GetAt(2), Tag(2));
    array.Insert(Tag(4), 99);
    EXPECT_EQ(array.GetAt(3), Tag(4));
    EXPECT_EQ(array.capacity, 4u);
    array.Insert(Tag(5), 4);
    EXPECT_EQ(array.capacity, 8u);
    EXPECT_EQ(array.GetCount(), 5u);
    EXPECT_EQ(array.GetAt(5), nullptr);
    EXPECT_EQ(Sys_Status.memoryInUse - before, 8 * sizeof(C_Object*));
    array.Release();
    array.Reset();
    EXPECT_EQ(Sys_Status.memoryInUse, before);
}

TEST(Array, RemoveSetAndSwap) {
    uint32_t before = Sys_Status.memoryInUse;
    C_Array array;
    EXPECT_EQ(array.RemoveAt(0), nullptr);
    EXPECT_EQ(array.SetAt(Tag(1), 0), nullptr);
    EXPECT_FALSE(array.SwapWithNext(0));
    for (uintptr_t i = 1; i <= 3; ++i) array.Insert(Tag(i), 99);
    EXPECT_EQ(array.SetAt(Tag(9), 1), Tag(2));
    EXPECT_FALSE(array.SwapWithPrevious(0));
    EXPECT_FALSE(array.SwapWithNext(2));
    EXPECT_FALSE(array.SwapWithPrevious(3));
    EXPECT_TRUE(array.SwapWithNext(0));
    EXPECT_TRUE(array.SwapWithPrevious(2));
    // [9, 3, 1]
    EXPECT_EQ(array.GetAt(0), Tag(9));
    EXPECT_EQ(array.GetAt(1), Tag(3));
    EXPECT_EQ(array.GetAt(2), Tag(1));
    EXPECT_EQ(array.RemoveAt(0), Tag(9));
    EXPECT_EQ(array.RemoveAt(5), nullptr);
    EXPECT_EQ(array.RemoveAt(1), Tag(1));
    EXPECT_EQ(array.capacity, 4u);
    EXPECT_EQ(array.RemoveAt(0), Tag(3));  // the last entry takes the entry array with it
    EXPECT_EQ(array.items, nullptr);
    EXPECT_EQ(array.capacity, 0u);
    EXPECT_EQ(array.count, 0u);
    EXPECT_EQ(Sys_Status.memoryInUse, before);
}

TEST(Array, DeleteAllReleasesResetsAndDeletesEveryItem) {
    C_Array array;
    array.Insert(new C_Counted, 0);
    array.Insert(nullptr, 1);
    array.Insert(new C_Counted, 2);
    C_Counted::released = C_Counted::resets = C_Counted::destroyed = 0;
    EXPECT_EQ(array.DeleteAll(), 3u);
    EXPECT_EQ(C_Counted::released, 2);
    EXPECT_EQ(C_Counted::resets, 2);
    EXPECT_EQ(C_Counted::destroyed, 2);
    EXPECT_EQ(array.count, 3u);  // the owner resets the array afterwards
}

TEST(Buffer, AllocateAndResizeKeepOrLoseContents) {
    uint32_t before = Sys_Status.memoryInUse;
    {
        C_Buffer buffer;
        EXPECT_EQ(buffer.GetClassType(), 4u);
        ASSERT_TRUE(buffer.Allocate(4, false, true));
        EXPECT_EQ(buffer.data[0] | buffer.data[3], 0);
        const uint8_t bytes[4] = {1, 2, 3, 4};
        memcpy(buffer.data, bytes, 4);
        ASSERT_TRUE(buffer.Resize(10, true));
        const uint8_t grown[10] = {1, 2, 3, 4, 0, 0, 0, 0, 0, 0};
        EXPECT_EQ(memcmp(buffer.data, grown, 10), 0);
        ASSERT_TRUE(buffer.Resize(6, true));
        EXPECT_EQ(buffer.capacity, 10u);
        EXPECT_EQ(buffer.size, 6u);
        EXPECT_EQ(Sys_Status.memoryInUse - before, 10u);

        ASSERT_TRUE(buffer.Allocate(3, true, false));
        EXPECT_EQ(memcmp(buffer.data, bytes, 3), 0);
        EXPECT_EQ(buffer.capacity, 3u);
        ASSERT_TRUE(buffer.Resize(2, false));
        EXPECT_EQ(buffer.data[1], 2);  // no growth, nothing lost
        ASSERT_TRUE(buffer.Resize(20, false));
        EXPECT_EQ(buffer.capacity, 20u);
        EXPECT_EQ(Sys_Status.memoryInUse - before, 20u);
    }
    EXPECT_EQ(Sys_Status.memoryInUse, before);
}
