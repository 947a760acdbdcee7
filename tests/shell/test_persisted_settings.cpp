#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CMemorySettingsStore.h"
#include "document/CLogicDocument.h"
#include "files/PulseFile.h"
#include "resources/CStringTable.h"
#include "shell/CPersistedSettings.h"
#include "shell/CRecentFileList.h"

namespace {
const std::vector<std::string> Names = {"DIO000", "DIO001", "DIO002"};
const std::vector<std::string> Types = {"QDX-32A-PE", "QDX-32A(PCI)", "QDX-32C-PE"};

class SettingsTest : public ::testing::Test {
protected:
    CMemorySettingsStore m_store;
    CPersistedSettings m_settings{"/tmp"};
    CLogicDocument m_document{"/tmp"};
};
}  // namespace

TEST_F(SettingsTest, FirstExitWritesTheDocumentsDefaults) {
    m_document.SetDevice("QDX-32A-PE", "DIO000");
    CPersistedSettings::SavePersistedSettings(m_store, m_document, true);
    EXPECT_EQ(m_store.Value("Common Settings", "DeviceName"), "DIO000 QDX-32A-PE");
    EXPECT_EQ(m_store.Value("Common Settings", "Direction"), "2");
    EXPECT_EQ(m_store.Value("Generating Settings", "Buffer Size"), "1000");
    EXPECT_EQ(m_store.Value("Generating Settings", "Stop Position"), "999");
    EXPECT_EQ(m_store.Value("Generating Settings", "Clock Unit"), "2");
    EXPECT_EQ(m_store.Value("Sampling Settings", "Buffer Size"), "1000000");
    EXPECT_EQ(m_store.Value("Bookmark Settings", "Auto Close"), "1");
    // Only the direction in use is written.
    EXPECT_EQ(m_store.Has("Sampling Settings", "Clock Type"), false);
    EXPECT_EQ(m_store.Has("Sampling Settings", "Data Monitor Mode"), false);
}

TEST_F(SettingsTest, PersistedDeviceFoundGivesItsGeneratingSetToTheFirstDocument) {
    m_store.WriteText("Common Settings", "DeviceName", "DIO002 SOMETHING-ELSE");
    m_store.WriteNumber("Common Settings", "Direction", 2);
    m_store.WriteNumber("Generating Settings", "Clock Value", 40);
    m_store.WriteNumber("Generating Settings", "Clock Unit", 4);
    m_store.WriteNumber("Generating Settings", "Stop Trigger", 1);
    m_store.WriteNumber("Generating Settings", "Start Position", 10);
    m_store.WriteNumber("Generating Settings", "Stop Position", 4000);
    m_store.WriteNumber("Generating Settings", "Repeat Count", 3);
    m_store.WriteNumber("Generating Settings", "Buffer Size", 5000);
    m_store.WriteNumber("Sampling Settings", "Buffer Size", 2000);
    m_store.WriteNumber("Bookmark Settings", "Auto Close", 0);
    m_settings.LoadPersistedSettings(m_store, Names, Types);
    ASSERT_TRUE(m_settings.HasDevice());
    EXPECT_EQ(m_settings.DeviceType(), "QDX-32C-PE");  // from the device list, not the stored text
    EXPECT_FALSE(m_settings.AutoClose());

    const DIRECTION_GROUP samplingBefore = m_document.Condition().SamplingGroup;
    ASSERT_TRUE(m_settings.ApplyTo(m_document));
    const LOGIC_CONDITION& c = m_document.Condition();
    EXPECT_EQ(c.DeviceName, "DIO002");
    EXPECT_EQ(c.ModelType, MODEL_TYPE_C);
    EXPECT_EQ(c.Direction, DIRECTION_GENERATING);
    EXPECT_EQ(c.GeneratingGroup.Clock, 40U);
    EXPECT_EQ(c.GeneratingGroup.ClockUnit, 4);
    EXPECT_EQ(c.GeneratingGroup.StopTrigger, 1);
    EXPECT_EQ(c.GeneratingGroup.StartPosition, 10U);
    EXPECT_EQ(c.GeneratingGroup.StopPosition, 4000U);
    EXPECT_EQ(c.GeneratingGroup.RepeatCount, 3U);
    EXPECT_EQ(m_document.GeneratingMemory().Length(), 5000U);
    // The sampling set keeps its defaults but for the buffer size and its memory.
    EXPECT_EQ(c.SamplingGroup, samplingBefore);
    EXPECT_EQ(c.SamplingBufferSize, 2000U);
    EXPECT_EQ(m_document.SamplingMemory().Length(), 2000U);
}

TEST_F(SettingsTest, DeviceNotInstalledOrWithoutABlankOrUnboundIsNoPersistedDevice) {
    for (const char* stored : {"DIO009 QDX-32A-PE", "DIO001", ""}) {
        m_store.WriteText("Common Settings", "DeviceName", stored);
        m_settings.LoadPersistedSettings(m_store, Names, Types);
        EXPECT_FALSE(m_settings.HasDevice()) << stored;
    }
    m_store.WriteText("Common Settings", "DeviceName", "DIO001 QDX-32A(PCI)");
    m_settings.LoadPersistedSettings(m_store, {}, {});  // the library is not bound: no list
    EXPECT_FALSE(m_settings.HasDevice());
    const LOGIC_CONDITION before = m_document.Condition();
    ASSERT_TRUE(m_settings.ApplyTo(m_document));
    EXPECT_EQ(m_document.Condition(), before);
}

TEST_F(SettingsTest, SamplingDirectionTakesTheSamplingSetMonitorAndAutoSave) {
    const std::string folder = ::testing::TempDir();
    m_store.WriteText("Common Settings", "DeviceName", "DIO000 QDX-32A-PE");
    m_store.WriteNumber("Common Settings", "Direction", 1);
    m_store.WriteNumber("Sampling Settings", "Buffer Size", 3000);
    m_store.WriteNumber("Sampling Settings", "Start Trigger", 4);
    m_store.WriteNumber("Sampling Settings", "Start Pattern", 0x1234);
    m_store.WriteNumber("Sampling Settings", "Start Pattern Mask", 0xFF);
    m_store.WriteNumber("Sampling Settings", "Stop Position", 2500);
    m_store.WriteNumber("Sampling Settings", "Data Monitor Mode", 2);
    m_store.WriteNumber("Sampling Settings", "Data Monitor Data Bits", 12);
    m_store.WriteNumber("Sampling Settings", "Auto Save Setting", 1);
    m_store.WriteText("Sampling Settings", "Auto Save Path", folder);
    m_store.WriteText("Sampling Settings", "Auto Save File Name", "Run");
    m_settings.LoadPersistedSettings(m_store, Names, Types);
    ASSERT_TRUE(m_settings.ApplyTo(m_document));
    const LOGIC_CONDITION& c = m_document.Condition();
    EXPECT_EQ(c.Direction, DIRECTION_SAMPLING);
    EXPECT_EQ(c.SamplingBufferSize, 3000U);
    EXPECT_EQ(m_document.SamplingMemory().Length(), 3000U);
    EXPECT_EQ(c.SamplingGroup.StartTrigger, 4);
    EXPECT_EQ(c.SamplingGroup.StopPosition, 2500U);
    EXPECT_EQ(c.StartPattern, 0x1234U);
    EXPECT_EQ(c.PatternMask, 0xFFU);
    EXPECT_EQ(c.MonitorMode, 2);
    EXPECT_EQ(c.MonitorDataBitNumbers, 12);
    EXPECT_EQ(c.AutoSave, 1);
    EXPECT_EQ(c.AutoSavePath, folder);
    EXPECT_EQ(c.AutoSaveFileName, "Run");

    // A folder that has gone, and texts a block file could not hold, fall back.
    m_store.WriteText("Sampling Settings", "Auto Save Path", "/no/such/folder/anywhere");
    m_store.WriteText("Sampling Settings", "Auto Save File Name", "a,b");
    m_settings.LoadPersistedSettings(m_store, Names, Types);
    ASSERT_TRUE(m_settings.ApplyTo(m_document));
    EXPECT_EQ(m_document.Condition().AutoSavePath, "/tmp");
    EXPECT_EQ(m_document.Condition().AutoSaveFileName, "LogicData");
}

TEST_F(SettingsTest, StoredValuesOutsideTheirFieldsTakeTheDefaults) {
    m_store.WriteText("Common Settings", "DeviceName", "DIO000 QDX-32A-PE");
    for (const char* size : {"0", "4000000000", "many"}) {
        m_store.WriteNumber("Common Settings", "Direction", 7);  // neither direction: generating
        m_store.WriteText("Generating Settings", "Buffer Size", size);
        m_store.WriteNumber("Generating Settings", "Clock Type", 9);
        m_store.WriteNumber("Generating Settings", "Clock Unit", 0);
        m_store.WriteNumber("Generating Settings", "Start Trigger", -3);
        m_store.WriteNumber("Generating Settings", "Stop Position", 50000);
        m_store.WriteNumber("Generating Settings", "Start Position", 60000);
        m_store.WriteNumber("Generating Settings", "Repeat Count", 0);
        m_store.WriteText("Sampling Settings", "Buffer Size", size);
        m_settings.LoadPersistedSettings(m_store, Names, Types);
        CLogicDocument document("/tmp");
        ASSERT_TRUE(m_settings.ApplyTo(document)) << size;
        const LOGIC_CONDITION& c = document.Condition();
        EXPECT_EQ(c.Direction, DIRECTION_GENERATING) << size;
        EXPECT_EQ(document.GeneratingMemory().Length(), 1000U) << size;
        EXPECT_EQ(c.SamplingBufferSize, 1000U) << size;
        EXPECT_EQ(c.GeneratingGroup.ClockType, 1) << size;
        EXPECT_EQ(c.GeneratingGroup.ClockUnit, 2) << size;
        EXPECT_EQ(c.GeneratingGroup.StartTrigger, 1) << size;
        EXPECT_EQ(c.GeneratingGroup.StopPosition, 999U) << size;  // held inside the 1,000 words
        EXPECT_EQ(c.GeneratingGroup.StartPosition, 998U) << size;
        EXPECT_EQ(c.GeneratingGroup.RepeatCount, 1U) << size;
    }
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// The address space this process uses now, in bytes.
rlim_t AddressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    unsigned long long pages = 0;
    statm >> pages;
    return static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

TEST_F(SettingsTest, AMemoryThatCannotTakeTheStoredSizeKeepsThePositionsInside) {
    m_store.WriteNumber("Common Settings", "Direction", 2);
    m_store.WriteText("Common Settings", "DeviceName", "DIO000 QDX-32A-PE");
    m_store.WriteNumber("Generating Settings", "Buffer Size", 100000000);
    m_store.WriteNumber("Generating Settings", "Start Position", 50000000);
    m_store.WriteNumber("Generating Settings", "Stop Position", 99999999);
    m_settings.LoadPersistedSettings(m_store, Names, Types);
    // 400 MB of words cannot be had under this limit.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_AS, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = AddressSpaceInUse() + (rlim_t{64} << 20);
    ASSERT_EQ(::setrlimit(RLIMIT_AS, &small), 0);
    const bool applied = m_settings.ApplyTo(m_document);
    ASSERT_EQ(::setrlimit(RLIMIT_AS, &saved), 0);
    EXPECT_FALSE(applied);
    const DIRECTION_GROUP& group = m_document.Condition().GeneratingGroup;
    EXPECT_EQ(m_document.GeneratingMemory().Length(), 1000U);
    EXPECT_EQ(group.StopPosition, 999U);
    EXPECT_LE(group.StartPosition, group.StopPosition);
}
#endif

TEST_F(SettingsTest, LanguageComesFromTheStoredIdOrTheSystem) {
    m_settings.LoadStartup(m_store);
    EXPECT_EQ(m_settings.StartLanguage(LANGUAGE_JAPANESE), LANGUAGE_JAPANESE);
    EXPECT_EQ(m_settings.StartLanguage(1036), LANGUAGE_ENGLISH);
    EXPECT_EQ(m_settings.PreviewPages(), 0);
    EXPECT_EQ(m_settings.ApplicationLook(), 216);
    CPersistedSettings::SaveLanguage(m_store, LANGUAGE_ENGLISH);
    m_settings.LoadStartup(m_store);
    EXPECT_EQ(m_settings.StartLanguage(LANGUAGE_JAPANESE), LANGUAGE_ENGLISH);
    m_store.WriteText("Workspace", "MFCToolBar-5939882", "x");
    m_store.WriteText("Workspace", "MFCToolBar-593980", "y");
    CPersistedSettings::ForgetToolbarLayout(m_store);
    EXPECT_EQ(m_store.Has("Workspace", "MFCToolBar-5939882"), false);
    EXPECT_EQ(m_store.Has("Workspace", "MFCToolBar-593980"), false);
}

TEST_F(SettingsTest, TheVisualStyleIsWrittenBackAsItWasRead) {
    m_settings.LoadStartup(m_store);
    m_settings.SaveApplicationLook(m_store);
    EXPECT_EQ(m_store.ReadNumber("Workspace", "ApplicationLook"), std::optional<int64_t>(216));
    m_store.WriteNumber("Workspace", "ApplicationLook", 212);
    CPersistedSettings later("/tmp");
    later.LoadStartup(m_store);
    m_store.WriteNumber("Workspace", "ApplicationLook", 0);
    later.SaveApplicationLook(m_store);
    EXPECT_EQ(m_store.ReadNumber("Workspace", "ApplicationLook"), std::optional<int64_t>(212));
}

TEST(RecentFileList, KeepsEightNewestFirstAndWritesThemBack) {
    CRecentFileList list("Recent File List");
    for (int i = 1; i <= 9; ++i) list.Add("/data/run" + std::to_string(i) + ".vpb");
    list.Add("/data/run5.vpb");
    ASSERT_EQ(list.Entries().size(), 8U);
    EXPECT_EQ(list.Entries()[0], "/data/run5.vpb");
    EXPECT_EQ(list.Entries()[1], "/data/run9.vpb");
    EXPECT_EQ(list.Entries()[7], "/data/run2.vpb");  // run1 fell off
    EXPECT_EQ(list.MenuText(0), "&1 /data/run5.vpb");
    EXPECT_TRUE(list.MenuText(8).empty());

    CMemorySettingsStore store;
    list.Write(store);
    EXPECT_EQ(store.Value("Recent File List", "File1"), "/data/run5.vpb");
    EXPECT_TRUE(list.RemoveAt(0));
    EXPECT_FALSE(list.RemoveAt(7));
    list.Write(store);
    EXPECT_EQ(store.Has("Recent File List", "File8"), false);
    CRecentFileList read("Recent File List");
    read.Read(store);
    EXPECT_EQ(read.Entries(), list.Entries());
}

TEST(RecentFileList, ShortensLongPathsAndTellsTextFilesByTheirEnding) {
    const std::string shortened = CRecentFileList::Shorten("/home/bench/projects/patterns/2026/december/run.csv");
    EXPECT_EQ(shortened, "/home/bench/.../run.csv");
    EXPECT_LE(shortened.size(), 30U);
    EXPECT_EQ(CRecentFileList::Shorten("/short/name.vpb"), "/short/name.vpb");
    const std::string longName(40, 'x');
    EXPECT_EQ(CRecentFileList::Shorten("/a/" + longName), std::string(30, 'x'));
    // A recent entry opens as Open opens it: only a lower-case "csv" ending
    // is a pulse text file.
    EXPECT_TRUE(IsPulseTextPath("/d/run.csv"));
    EXPECT_FALSE(IsPulseTextPath("/d/RUN.CSV"));
    EXPECT_FALSE(IsPulseTextPath("/d/run.vpb"));
}

TEST(RecentFileList, AnAmpersandOfThePathShowsInTheMenuText) {
    CRecentFileList list("Recent File List");
    list.Add("/d/a&b.csv");
    list.Add("/home/bench/projects/R&D/2026/december/run.csv");
    EXPECT_EQ(list.MenuText(0), "&1 /home/bench/.../run.csv");
    EXPECT_EQ(list.MenuText(1), "&2 /d/a&&b.csv");
}
