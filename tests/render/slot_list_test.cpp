// The slot list: sorted and indexed inserts, reads past the end, removal.
#include <gtest/gtest.h>

#include "kernel/prompt_service.h"
#include "render/slot_list.h"

namespace {

Slot Key(int measure, int position, int pitch = 0)
{
    Slot s;
    s.Measure() = measure;
    s.Position() = position;
    s.NaturalPitch() = pitch;
    return s;
}

TEST(SlotList, InsertSortedKeepsMeasureAndPositionOrderLaterEqualsAfter)
{
    CSlotList list;
    list.InsertSorted(Key(1, 12, 1));
    list.InsertSorted(Key(1, 0, 2));
    list.InsertSorted(Key(0, 48, 3));
    list.InsertSorted(Key(1, 0, 4));
    ASSERT_EQ(list.Count(), 4);
    const int pitches[] = {3, 2, 4, 1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list.GetValue(i, 2), pitches[i]) << i;
}

TEST(SlotList, ASortedInsertIntoAListPutOutOfOrderStillGoesBeforeTheFirstGreaterKey)
{
    CSlotList list;
    list.InsertSorted(Key(1, 0, 1));
    list.InsertSorted(Key(2, 0, 2));
    list.InsertAt(0, Key(5, 0, 3));
    list.InsertSorted(Key(3, 0, 4));
    list.InsertSorted(Key(2, 0, 5));
    ASSERT_EQ(list.Count(), 5);
    const int pitches[] = {5, 4, 3, 1, 2};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list.GetValue(i, 2), pitches[i]) << i;
}

TEST(SlotList, InsertAtAppendsAtCountAndIgnoresFurther)
{
    CSlotList list;
    list.InsertAt(1, Key(9, 9));
    EXPECT_EQ(list.Count(), 0);
    list.InsertAt(0, Key(1, 0));
    list.InsertAt(1, Key(3, 0));
    list.InsertAt(1, Key(2, 0));
    ASSERT_EQ(list.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.GetAt(i).Measure(), i + 1);
    list.RemoveAt(1);
    list.RemoveAt(5);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetValue(1, 0), 3);
    list.RemoveAll();
    EXPECT_EQ(list.Count(), 0);
}

TEST(SlotList, ReadsPastTheEndAreZeroAndABadValueNumberIsReported)
{
    GetRecordingPromptService().Clear();
    CSlotList list;
    Slot s = Key(4, 5, 6);
    s.Accidental() = -1;
    list.InsertSorted(s);
    Slot past = list.GetAt(1);
    EXPECT_EQ(past.Measure() | past.Position() | past.Accidental(), 0);
    EXPECT_EQ(list.GetAt(0).Accidental(), -1);
    EXPECT_EQ(list.GetValue(1, 0), 0);
    EXPECT_TRUE(GetRecordingPromptService().Messages().empty());
    EXPECT_EQ(list.GetValue(0, 4), 0);
    auto messages = GetRecordingPromptService().Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "元素选错了！");
    EXPECT_EQ(messages[0].style, (UINT)MB_ICONQUESTION);
}

TEST(SlotList, AReadAfterAChangeBeforeThePlaceLastReadSeesTheChange)
{
    // Each change is made in front of the slot read just before it, then the same index is read again.
    CSlotList list;
    for (int m : {2, 4, 6, 8})
        list.InsertSorted(Key(m, 0));
    EXPECT_EQ(list.GetValue(2, 0), 6);
    list.InsertSorted(Key(1, 0));
    EXPECT_EQ(list.GetValue(2, 0), 4);
    list.InsertAt(1, Key(3, 0));
    EXPECT_EQ(list.GetValue(2, 0), 2);
    EXPECT_EQ(list.GetValue(3, 0), 4);
    list.RemoveAt(0);
    EXPECT_EQ(list.GetValue(3, 0), 6);
    EXPECT_EQ(list.GetAt(5).Measure(), 0);
    list.RemoveAll();
    list.InsertSorted(Key(7, 0));
    EXPECT_EQ(list.GetValue(0, 0), 7);
}

}  // namespace
