#include <gtest/gtest.h>

#include "document/CLogicDocument.h"

namespace {

struct CountingDocument {
    CLogicDocument doc{"/home/user/Documents/Nivara"};
    int notified = 0;
    CountingDocument() {
        doc.SetViewNotifier([this] { ++notified; });
    }
};

}  // namespace

TEST(Condition, DefaultsOfANewDocument) {
    CLogicDocument doc("/docs/Nivara");
    const LOGIC_CONDITION& c = doc.Condition();
    EXPECT_EQ(c.Direction, DIRECTION_GENERATING);
    EXPECT_EQ(c.ModelType, 0);
    EXPECT_TRUE(c.DeviceDesc.empty());
    for (const DIRECTION_GROUP* g : {&c.SamplingGroup, &c.GeneratingGroup}) {
        EXPECT_EQ(g->MaxChannels, 32);
        EXPECT_EQ(g->ClockType, 1);
        EXPECT_EQ(g->Clock, 1u);
        EXPECT_EQ(g->ClockUnit, 2);
        EXPECT_EQ(g->StartTrigger, 1);
        EXPECT_EQ(g->StopTrigger, 4);
        EXPECT_EQ(g->StartPosition, 0u);
        EXPECT_EQ(g->StopPosition, 999u);
        EXPECT_EQ(g->RepeatCount, 1u);
    }
    EXPECT_EQ(c.StartPattern, 0x55u);
    EXPECT_EQ(c.PatternMask, 0xFFFFFFFFu);
    EXPECT_EQ(c.ReadOnly, 0);
    EXPECT_EQ(c.AutoSavePath, "/docs/Nivara");
    EXPECT_EQ(c.AutoSaveFileType, 0);
    EXPECT_EQ(c.AutoSaveFileName, "LogicData");
    EXPECT_EQ(c.AutoSave, 0);
    EXPECT_EQ(c.MonitorMode, 0);
    EXPECT_EQ(c.MonitorData, 0x55u);
    EXPECT_EQ(c.MonitorDataBitNumbers, 8);
    EXPECT_EQ(c.MonitorChannel, 0);
    EXPECT_EQ(c.SamplingBufferSize, 1000000u);
    EXPECT_EQ(doc.SamplingMemory().Length(), 1000000u);
    EXPECT_EQ(doc.GeneratingMemory().Length(), 1000u);
    EXPECT_EQ(doc.LastCount, 0u);
    EXPECT_EQ(doc.Saved, 1);
    EXPECT_EQ(doc.IsRunning, 0);
}

TEST(Condition, PerDirectionOperationsTouchOnlyTheirGroup) {
    CountingDocument t;
    t.doc.SetClockType(1, 2);
    t.doc.SetClock(1, 250, 4);
    t.doc.SetStartTrigger(1, 3);
    t.doc.SetStopTrigger(1, 2);
    t.doc.SetStartPosition(1, 7);
    t.doc.SetStopPosition(1, 70);
    EXPECT_EQ(t.notified, 6);
    const DIRECTION_GROUP& s = t.doc.Condition().SamplingGroup;
    EXPECT_EQ(s.ClockType, 2);
    EXPECT_EQ(s.Clock, 250u);
    EXPECT_EQ(s.ClockUnit, 4);
    EXPECT_EQ(t.doc.GetStartTrigger(1), 3);
    EXPECT_EQ(t.doc.GetStopTrigger(1), 2);
    EXPECT_EQ(t.doc.GetStartPosition(1), 7u);
    EXPECT_EQ(t.doc.GetStopPosition(1), 70u);
    EXPECT_EQ(t.doc.Condition().GeneratingGroup, DIRECTION_GROUP{});
}

TEST(Condition, OtherDirectionValuesSelectNothingButStillNotify) {
    CountingDocument t;
    const LOGIC_CONDITION before = t.doc.Condition();
    for (int direction : {0, 3, -1}) {
        EXPECT_EQ(t.doc.GetMaxChannels(direction), static_cast<int16_t>(0xFFFF));
        EXPECT_EQ(t.doc.GetClockType(direction), static_cast<int16_t>(0xFFFF));
        EXPECT_EQ(t.doc.GetStartTrigger(direction), static_cast<int16_t>(0xFFFF));
        EXPECT_EQ(t.doc.GetStopTrigger(direction), static_cast<int16_t>(0xFFFF));
        EXPECT_EQ(t.doc.GetStartPosition(direction), 0u);
        EXPECT_EQ(t.doc.GetStopPosition(direction), 0u);
        t.doc.SetClockType(direction, 3);
        t.doc.SetClock(direction, 9, 1);
        t.doc.SetStartPosition(direction, 5);
        EXPECT_TRUE(t.doc.SetSize(direction, 10, 2));
        EXPECT_EQ(t.doc.Memory(direction), nullptr);
    }
    EXPECT_EQ(t.doc.Condition(), before);
    EXPECT_EQ(t.notified, 12);
    EXPECT_EQ(t.doc.GeneratingMemory().Length(), 1000u);
}

TEST(Condition, SwitchingDirectionKeepsBothGroups) {
    CLogicDocument doc("");
    doc.SetClock(2, 5, 3);
    doc.SetClock(1, 9, 1);
    const LOGIC_CONDITION before = doc.Condition();
    doc.Condition().Direction = 1;
    doc.Condition().Direction = 2;
    EXPECT_EQ(doc.Condition(), before);
    EXPECT_EQ(doc.Condition().ActiveGroup(), &doc.Condition().GeneratingGroup);
    doc.Condition().Direction = 1;
    EXPECT_EQ(doc.Condition().ActiveGroup(), &doc.Condition().SamplingGroup);
}

TEST(Condition, SetDeviceDerivesModelTypeOnlyFromKnownTypes) {
    CLogicDocument doc("");
    doc.SetDevice("QDX-32C-PE", "DIO000");
    EXPECT_EQ(doc.Condition().ModelType, 1);
    doc.SetDevice("QDX-32X-PE", "DIO009");
    EXPECT_EQ(doc.Condition().ModelType, 1);
    EXPECT_EQ(doc.Condition().DeviceDesc, "QDX-32X-PE");
    EXPECT_EQ(doc.Condition().DeviceName, "DIO009");
    doc.SetDevice("QDX-32A(PCI)", "DIO001");
    EXPECT_EQ(doc.Condition().ModelType, 0);
    doc.SetDevice("qdx-32c-pe", "DIO002");
    EXPECT_EQ(doc.Condition().ModelType, 0);
}

TEST(Condition, SetSizeAndSetBufferSize) {
    CountingDocument t;
    ASSERT_TRUE(t.doc.SetSize(1, 2000, 3));
    EXPECT_EQ(t.doc.SamplingMemory().Length(), 2000u);
    EXPECT_EQ(t.doc.Condition().SamplingBufferSize, 2000u);
    EXPECT_EQ(t.doc.Condition().SamplingGroup.RepeatCount, 3u);

    ASSERT_TRUE(t.doc.SetSize(2, 64, 4));
    EXPECT_EQ(t.doc.GeneratingMemory().Length(), 64u);
    EXPECT_EQ(t.doc.Condition().GeneratingGroup.RepeatCount, 4u);
    EXPECT_EQ(t.doc.Condition().SamplingBufferSize, 2000u);

    // The current size leaves the memory alone but still notifies.
    t.doc.SamplingMemory().SetWord(1999, 0xABCD);
    const uint32_t* block = t.doc.SamplingMemory().Data();
    const int before = t.notified;
    ASSERT_TRUE(t.doc.SetBufferSize(2000));
    EXPECT_EQ(t.notified, before + 1);
    EXPECT_EQ(t.doc.SamplingMemory().Data(), block);
    EXPECT_EQ(t.doc.SamplingMemory().Word(1999), 0xABCDu);

    ASSERT_TRUE(t.doc.SetBufferSize(3000));
    EXPECT_EQ(t.doc.SamplingMemory().Length(), 3000u);
    EXPECT_EQ(t.doc.Condition().SamplingGroup.RepeatCount, 3u);

    // A size that cannot be held changes nothing.
    EXPECT_FALSE(t.doc.SetSize(2, 0, 9));
    EXPECT_EQ(t.doc.GeneratingMemory().Length(), 64u);
    EXPECT_EQ(t.doc.Condition().GeneratingGroup.RepeatCount, 4u);
    EXPECT_FALSE(t.doc.SetBufferSize(0));
    EXPECT_EQ(t.doc.Condition().SamplingBufferSize, 3000u);
}
