#include <thread>

#include "RunTestSupport.h"
#include "device/CRunSetup.h"

namespace {

std::string Id(const CDeviceRun& run) { return std::to_string(run.DeviceId()); }

}  // namespace

TEST_F(CRunTest, SamplingSequenceOfARingBoardAndItsStopNumber) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(1000, 1, 1000);
    m_document->Condition().SamplingGroup.RepeatCount = 3;
    m_document->Condition().SamplingGroup.ClockUnit = 2;  // 1 ms: the run is still going when checked
    m_run->StartRun();
    ASSERT_TRUE(m_run->RunActive());
    const std::string id = Id(*m_run);
    const std::string log = m_sim.Log();
    const std::string expected = "DioResetDevice(" + id + ")\n" +                      //
                                 "DioDmSetDirection(" + id + ", 1)\n" +                //
                                 "DioDmSetStandAlone(" + id + ")\n" +                  //
                                 "DioDmSetStartTrigger(" + id + ", 1, 1)\n" +          //
                                 "DioDmSetClockTrigger(" + id + ", 1, 1)\n" +          //
                                 "DioDmSetInternalClock(" + id + ", 1, 1, 2)\n" +      //
                                 "DioDmSetStopTrigger(" + id + ", 1, 4)\n" +           //
                                 "DioDmSetStopNumber(" + id + ", 1, 3000)\n" +         //
                                 "DioDmSetStopEvent(" + id + ", 1, 0x4e49)\n" +        //
                                 "DioDmSetCountEvent(" + id + ", 1, 1000, 0x4e49)\n" +  //
                                 "DioDmFifoReset(" + id + ", 4)\n";
    ASSERT_EQ(log.substr(0, expected.size()), expected);
    const auto buffers = m_sim.Calls("DioDmSetBuffer");
    ASSERT_EQ(buffers.size(), 1u);
    EXPECT_NE(buffers[0].find(", 1048576, 1)"), std::string::npos) << buffers[0];
    EXPECT_EQ(m_sim.Calls("DioDmTransferStart").size(), 1u);
    EXPECT_TRUE(m_graph.EditDisabled);
    EXPECT_FALSE(m_graph.Drawing);
    EXPECT_FALSE(m_window.PropertiesEnabled);
    EXPECT_EQ(m_document->Condition().ReadOnly, 1);

    m_run->StopRun();
    EXPECT_FALSE(m_run->RunActive());
    EXPECT_EQ(m_document->IsRunning.load(), 0);
    EXPECT_EQ(m_document->Condition().ReadOnly, 0);
    EXPECT_FALSE(m_graph.EditDisabled);
    EXPECT_TRUE(m_window.PropertiesEnabled);
    EXPECT_EQ(m_sim.Calls("DioDmTransferStop").back(), "DioDmTransferStop(" + id + ", 1)");
    EXPECT_TRUE(m_messages.Texts().empty());
}

TEST_F(CRunTest, DirectBufferBoardSamplesIntoTheMemoryAndOptionalCallsStayOut) {
    Open("DIO002", "QDX-32C-PE");
    Sampling(1000, 1, 5000);
    m_document->Condition().SamplingGroup.ClockType = 2;    // external: no internal clock call
    m_document->Condition().SamplingGroup.StopTrigger = 1;  // software: no stop number
    m_run->StartRun();
    ASSERT_TRUE(m_run->RunActive());
    EXPECT_TRUE(m_sim.Calls("DioDmSetInternalClock").empty());
    EXPECT_TRUE(m_sim.Calls("DioDmSetStartPattern").empty());
    EXPECT_TRUE(m_sim.Calls("DioDmSetStopNumber").empty());
    const auto buffers = m_sim.Calls("DioDmSetBuffer");
    ASSERT_EQ(buffers.size(), 1u);
    EXPECT_EQ(buffers[0], "DioDmSetBuffer(" + Id(*m_run) + ", 1, " + Hex(m_document->SamplingMemory().Data()) +
                              ", 5000, 1)");
    m_run->StopRun();

    m_sim.ClearCallLog();
    m_document->Condition().SamplingGroup.StartTrigger = 4;
    m_run->StartRun();
    EXPECT_EQ(m_sim.Calls("DioDmSetStartPattern"),
              std::vector<std::string>{"DioDmSetStartPattern(" + Id(*m_run) + ", 85, 4294967295)"});
    m_run->StopRun();
}

TEST_F(CRunTest, GeneratingBufferStartsAtTheStartPosition) {
    Open("DIO000", "QDX-32A-PE");
    LOGIC_CONDITION& condition = m_document->Condition();
    condition.Direction = DIRECTION_GENERATING;
    condition.GeneratingGroup.StartPosition = 10;
    condition.GeneratingGroup.StopPosition = 509;
    condition.GeneratingGroup.RepeatCount = 2;
    condition.GeneratingGroup.StopTrigger = 4;
    condition.GeneratingGroup.ClockUnit = 2;
    m_run->StartRun();
    ASSERT_TRUE(m_run->RunActive());
    const std::string id = Id(*m_run);
    EXPECT_EQ(m_sim.Calls("DioDmSetStopNumber"),
              std::vector<std::string>{"DioDmSetStopNumber(" + id + ", 2, 1000)"});
    EXPECT_EQ(m_sim.Calls("DioDmSetBuffer"),
              std::vector<std::string>{"DioDmSetBuffer(" + id + ", 2, " +
                                       Hex(m_document->GeneratingMemory().Data() + 10) + ", 500, 1)"});
    EXPECT_EQ(m_sim.Calls("DioDmSetCountEvent"),
              std::vector<std::string>{"DioDmSetCountEvent(" + id + ", 2, 16777215, 0x0)"});
    EXPECT_FALSE(m_run->ThreadsAlive());
    m_run->StopRun();
    EXPECT_EQ(m_sim.Calls("DioDmTransferStop").back(), "DioDmTransferStop(" + id + ", 2)");
}

TEST_F(CRunTest, GeneratingRangeNeverReachesPastTheMemory) {
    Open("DIO000", "QDX-32A-PE");
    LOGIC_CONDITION& condition = m_document->Condition();
    condition.Direction = DIRECTION_GENERATING;
    condition.GeneratingGroup.StartPosition = 990;
    condition.GeneratingGroup.StopPosition = 1500;  // the memory has 1000 words
    condition.GeneratingGroup.ClockUnit = 2;
    m_run->StartRun();
    ASSERT_TRUE(m_run->RunActive());
    EXPECT_NE(m_sim.Calls("DioDmSetBuffer").at(0).find(", 10, 1)"), std::string::npos);
    m_run->StopRun();

    m_sim.ClearCallLog();
    condition.GeneratingGroup.StartPosition = 2000;
    condition.GeneratingGroup.StopPosition = 2100;
    m_run->StartRun();
    EXPECT_FALSE(m_run->RunActive());
    EXPECT_TRUE(m_sim.Calls("DioDmSetBuffer").empty());
    EXPECT_TRUE(m_sim.Calls("DioDmTransferStart").empty());
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    EXPECT_NE(m_messages.Texts()[0].find("Funcition : DioDmSetBuffer"), std::string::npos);
}

TEST_F(CRunTest, RingLadderSettlesOnTheFirstSizeTheBoardAccepts) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(1000, 1, 1000);
    m_document->Condition().SamplingGroup.ClockUnit = 2;
    m_sim.SetMaxBufferLength(500000);
    m_run->StartRun();
    ASSERT_TRUE(m_run->RunActive());
    const auto buffers = m_sim.Calls("DioDmSetBuffer");
    ASSERT_EQ(buffers.size(), 18u);
    for (std::size_t k = 0; k < buffers.size(); ++k) {
        EXPECT_NE(buffers[k].find(", " + std::to_string((32 - k) * 32768) + ", 1)"), std::string::npos)
            << buffers[k];
    }
    EXPECT_NE(buffers.back().find(", 491520, 1)"), std::string::npos);
    m_run->StopRun();
}

TEST_F(CRunTest, EveryRingSizeRefusedFailsTheStartNamingDioDmSetBuffer) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(1000, 1000, 1000);
    m_sim.SetMaxBufferLength(1000);
    m_run->StartRun();
    EXPECT_FALSE(m_run->RunActive());
    ASSERT_EQ(m_sim.Calls("DioDmSetBuffer").size(), 30u);
    EXPECT_NE(m_sim.Calls("DioDmSetBuffer").back().find(", 98304, 1)"), std::string::npos);
    EXPECT_TRUE(m_sim.Calls("DioDmTransferStart").empty());
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    EXPECT_EQ(m_messages.Texts()[0].rfind("Error occurs\r\nFuncition : DioDmSetBuffer\r\nErrorCode : 21008 \r\n", 0),
              0u)
        << m_messages.Texts()[0];
}

TEST_F(CRunTest, FailingClockTriggerGivesTheDocumentItsReadOnlyBack) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(1000, 1, 1000);
    for (int32_t readOnly : {0, 1}) {
        m_messages.Shown.clear();
        m_document->Condition().ReadOnly = readOnly;
        m_graph.EditDisabled = readOnly != 0;
        ASSERT_EQ(m_sim.FailFunction("DioDmSetClockTrigger", 21004, 1), 0);
        m_run->StartRun();
        EXPECT_FALSE(m_run->RunActive());
        EXPECT_EQ(m_document->IsRunning.load(), 0);
        EXPECT_EQ(m_document->Condition().ReadOnly, readOnly);
        EXPECT_EQ(m_graph.EditDisabled, readOnly != 0);
        EXPECT_TRUE(m_window.PropertiesEnabled);
        EXPECT_TRUE(m_sim.Calls("DioDmSetBuffer").empty());
        ASSERT_EQ(m_messages.Texts().size(), 1u);
        EXPECT_EQ(m_messages.Icons()[0], MessageIcon::Error);
        EXPECT_EQ(m_messages.Texts()[0].rfind("Error occurs\r\nFuncition : DioDmSetClockTrigger\r\nErrorCode : 21004 \r\n",
                                            0),
                  0u)
            << m_messages.Texts()[0];
        EXPECT_TRUE(m_run->CanStart());
    }
}

TEST_F(CRunTest, OpenFailureIsShownWithTheDriverText) {
    EXPECT_NE(m_run->OpenDevice("NOSUCH"), 0);
    EXPECT_FALSE(m_run->DeviceOpen());
    EXPECT_FALSE(m_window.TimerOn);
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    char text[256] = {};
    m_binding->RunCalls().DioGetErrorString(21002, text);
    EXPECT_EQ(m_messages.Texts()[0], std::string("Error occurs\r\nFuncition : DioInit\r\nErrorCode : 21002 \r\n") + text);
    EXPECT_FALSE(m_run->CanStart());
    m_run->StartRun();
    EXPECT_FALSE(m_run->RunActive());
}

TEST_F(CRunTest, OnlyOneWindowOfADocumentRunsAtATime) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(1000, 1, 1000);
    m_document->Condition().SamplingGroup.ClockUnit = 2;
    CRunMessageLoop otherLoop(0x4E4A);
    CFakeGraph otherGraph;
    CFakeWindow otherWindow(otherLoop);
    CWindowRecords otherRecords("Signal");
    CDeviceRun other(m_binding->RunCalls(),
                     CDeviceRun::LINKS{*m_document, otherRecords, otherGraph, otherWindow, otherLoop, m_messages});
    ASSERT_EQ(other.OpenDevice("DIO001"), 0);
    m_run->StartRun();
    ASSERT_TRUE(m_run->RunActive());
    EXPECT_FALSE(other.CanStart());
    other.StartRun();
    EXPECT_FALSE(other.RunActive());
    // The idle window's timer tick leaves the running document's pane disabled.
    otherWindow.PropertiesEnabled = false;
    other.OnStatusTimer();
    EXPECT_FALSE(otherWindow.PropertiesEnabled);
    m_run->StopRun();
    EXPECT_TRUE(other.CanStart());
}

TEST_F(CRunTest, StartCommandCreatesTheFolderOrRefusesToSample) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(1000, 1, 1000);
    m_document->Condition().SamplingGroup.ClockUnit = 2;
    const std::filesystem::path folder = m_folder / "a" / "b";
    m_document->Condition().AutoSavePath = folder.string();
    m_run->StartCommand();
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(m_window.GridRefreshes, 1);
    EXPECT_TRUE(m_run->RunActive());
    m_run->StopRun();

    std::filesystem::create_directories(m_folder);
    const std::filesystem::path blocker = m_folder / "file";
    { FILE* f = std::fopen(blocker.c_str(), "w"); ASSERT_NE(f, nullptr); std::fclose(f); }
    m_document->Condition().AutoSavePath = (blocker / "sub").string();
    m_document->Condition().AutoSave = 1;
    m_run->StartCommand();
    EXPECT_FALSE(m_run->RunActive());
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    EXPECT_EQ(m_messages.Texts()[0], "Failed to create the folder and sampling cannot start.");
    EXPECT_EQ(m_messages.Icons()[0], MessageIcon::Error);
    m_document->Condition().AutoSave = 0;
    m_run->StartCommand();
    EXPECT_TRUE(m_run->RunActive());
    m_run->StopRun();
}
