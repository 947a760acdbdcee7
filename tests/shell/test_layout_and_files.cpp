#include <gtest/gtest.h>

#include <optional>

#include "resources/CStringTable.h"
#include "shell/CChildFrameLayout.h"
#include "shell/CCloseQuery.h"
#include "shell/CMenuTable.h"
#include "shell/CPulseFileCommands.h"
#include "resources/CommandIds.h"
#include "shell/IPulseFileAccess.h"
#include "resources/StringIds.h"
#include "support/CScriptedChooser.h"
#include "support/CScriptedMessages.h"

namespace {

class FakeAccess : public IPulseFileAccess {
public:
    bool ReadPulseFile(const std::string& path) override { return Record(path); }
    bool WritePulseFile(const std::string& path) override { return Record(path); }
    FileResult ReadValueChangeDump(const std::string& path, std::vector<std::string>& warnings) override {
        ++DumpCalls;
        warnings = DumpWarnings;
        return Record(path) ? FileResult::Success() : FileResult::ReadRefused(path + ":3: bad");
    }
    FileResult WriteValueChangeDump(const std::string& path) override {
        ++DumpCalls;
        return Record(path) ? FileResult::Success() : FileResult::SaveFailed("disk full");
    }
    bool Succeeds = true;
    int DumpCalls = 0;
    std::vector<std::string> DumpWarnings;
    std::string LastPath;
    int Calls = 0;

private:
    bool Record(const std::string& path) {
        LastPath = path;
        ++Calls;
        return Succeeds;
    }
};

}  // namespace

TEST(ChildFrameLayout, ScaleFactorRoundsDownToTenths) {
    EXPECT_EQ(CChildFrameLayout::ScaleTenths(96), 10);
    EXPECT_EQ(CChildFrameLayout::ScaleTenths(120), 12);
    EXPECT_EQ(CChildFrameLayout::ScaleTenths(144), 15);
    EXPECT_EQ(CChildFrameLayout::ScaleTenths(105), 10);
    EXPECT_FLOAT_EQ(CChildFrameLayout::ScaleFactor(120), 1.2f);
}

TEST(ChildFrameLayout, LeftColumnRowsFollowTheScale) {
    EXPECT_EQ(CChildFrameLayout::LeftColumnRows(10, 600), (LEFT_COLUMN_ROWS{24, 426, 20, 130}));
    // s = 1.5: c = 10, d = 40.
    EXPECT_EQ(CChildFrameLayout::LeftColumnRows(15, 600), (LEFT_COLUMN_ROWS{34, 600 - 234, 30, 170}));
    // s = 1.2: c = 4, d = 16.
    EXPECT_EQ(CChildFrameLayout::LeftColumnRows(12, 500), (LEFT_COLUMN_ROWS{28, 500 - 174 - 8 - 16, 24, 146}));
}

TEST(ChildFrameLayout, ShortFrameGivesTheSignalRowNothing) {
    EXPECT_EQ(CChildFrameLayout::LeftColumnRows(10, 150), (LEFT_COLUMN_ROWS{24, 0, 20, 130}));
    EXPECT_EQ(CChildFrameLayout::LeftColumnRows(10, 174).Signals, 0);
    EXPECT_EQ(CChildFrameLayout::LeftColumnRows(10, 175).Signals, 1);
}

TEST(PulseFileCommands, OpenUsesFilterAndReaderByExtension) {
    CScriptedChooser chooser;
    CScriptedMessages messages;
    FakeAccess access;
    CPulseFileCommands commands(chooser, messages);
    std::string path;
    EXPECT_EQ(commands.ChooseOpen(path), CPulseFileCommands::Outcome::Cancelled);
    EXPECT_EQ(chooser.LastFilter,
              "VARDEK Pulse Binary Data (*.vpb) |*.vpb|VARDEK Pulse Text Data (*.csv) |*.csv|VCD files (*.vcd) |*.vcd||");
    EXPECT_EQ(chooser.LastExtension, "csv");
    chooser.Answer = "/x/DATA.CSV";
    ASSERT_EQ(commands.ChooseOpen(path), CPulseFileCommands::Outcome::Done);
    std::atomic<int32_t> saved{0};
    EXPECT_EQ(commands.Read(access, path, saved), CPulseFileCommands::Outcome::Done);
    EXPECT_EQ(access.LastPath, "/x/DATA.CSV");
    EXPECT_EQ(saved.load(), 1);
    EXPECT_TRUE(messages.Shown.empty());
}

TEST(PulseFileCommands, FailedReadOrWriteKeepsTheSavedFlag) {
    CScriptedChooser chooser;
    CScriptedMessages messages;
    FakeAccess access;
    access.Succeeds = false;
    CPulseFileCommands commands(chooser, messages);
    std::atomic<int32_t> saved{0};
    EXPECT_EQ(commands.Read(access, "/x/a.csv", saved), CPulseFileCommands::Outcome::Failed);
    EXPECT_EQ(saved.load(), 0);
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].first, LoadText(IDS_OPEN_FAILED));
    EXPECT_EQ(messages.Shown[0].second, MessageIcon::Error);

    std::string path = "/x/a.vpb";
    EXPECT_EQ(commands.Save(access, path, saved), CPulseFileCommands::Outcome::Failed);
    EXPECT_EQ(saved.load(), 0);
    EXPECT_EQ(messages.Shown.back().first, LoadText(IDS_SAVE_FAILED));
    EXPECT_EQ(path, "/x/a.vpb");

    chooser.Answer = "/x/b.csv";
    EXPECT_EQ(commands.SaveAs(access, path, saved), CPulseFileCommands::Outcome::Failed);
    EXPECT_EQ(path, "/x/a.vpb");
    EXPECT_EQ(saved.load(), 0);
}

TEST(PulseFileCommands, SaveWithoutPathAsksForOne) {
    CScriptedChooser chooser;
    CScriptedMessages messages;
    FakeAccess access;
    CPulseFileCommands commands(chooser, messages);
    std::atomic<int32_t> saved{0};
    std::string path;
    EXPECT_EQ(commands.Save(access, path, saved), CPulseFileCommands::Outcome::Cancelled);
    EXPECT_EQ(chooser.SaveDialogs, 1);
    EXPECT_EQ(chooser.LastExtension, "*.csv");
    EXPECT_EQ(saved.load(), 0);
    chooser.Answer = "/x/c.csv";
    EXPECT_EQ(commands.Save(access, path, saved), CPulseFileCommands::Outcome::Done);
    EXPECT_EQ(path, "/x/c.csv");
    EXPECT_EQ(access.LastPath, "/x/c.csv");
    EXPECT_EQ(saved.load(), 1);
    // With a path, Save writes without a dialog; Save As offers the path.
    EXPECT_EQ(commands.Save(access, path, saved), CPulseFileCommands::Outcome::Done);
    EXPECT_EQ(chooser.SaveDialogs, 2);
    EXPECT_EQ(access.Calls, 2);
    chooser.Answer.reset();
    EXPECT_EQ(commands.SaveAs(access, path, saved), CPulseFileCommands::Outcome::Cancelled);
    EXPECT_EQ(chooser.LastInitial, "/x/c.csv");
}

TEST(PulseFileCommands, DumpsAreReadAsNewDataAndWrittenAsACopy) {
    CScriptedChooser chooser;
    CScriptedMessages messages;
    FakeAccess access;
    CPulseFileCommands commands(chooser, messages);
    std::atomic<int32_t> saved{0};
    // Open: the dump reader, and the document stays unsaved.
    EXPECT_EQ(commands.Read(access, "/x/run.vcd", saved), CPulseFileCommands::Outcome::Done);
    EXPECT_EQ(access.DumpCalls, 1);
    EXPECT_EQ(saved.load(), 0);
    EXPECT_TRUE(messages.Shown.empty());
    access.DumpWarnings = {"/x/run.vcd: 4 x or z values were read as 0"};
    EXPECT_EQ(commands.Read(access, "/x/run.vcd", saved), CPulseFileCommands::Outcome::Done);
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].first,
              LoadText(IDS_VCD_READ_WARNINGS) + "\r\n/x/run.vcd: 4 x or z values were read as 0");
    EXPECT_EQ(messages.Shown[0].second, MessageIcon::Warning);
    // The extension test is exact: RUN.VCD is a pulse binary file.
    EXPECT_EQ(commands.Read(access, "/x/RUN.VCD", saved), CPulseFileCommands::Outcome::Done);
    EXPECT_EQ(access.DumpCalls, 2);
    EXPECT_EQ(saved.load(), 1);

    // Save As .vcd writes a copy: path and saved flag stay as they were.
    saved = 0;
    std::string path = "/x/a.vpb";
    chooser.Answer = "/x/copy.vcd";
    EXPECT_EQ(commands.SaveAs(access, path, saved), CPulseFileCommands::Outcome::Copied);
    EXPECT_EQ(access.LastPath, "/x/copy.vcd");
    EXPECT_EQ(access.DumpCalls, 3);
    EXPECT_EQ(path, "/x/a.vpb");
    EXPECT_EQ(saved.load(), 0);

    // Refusals show the message with the reader's reason below it.
    access.Succeeds = false;
    EXPECT_EQ(commands.Read(access, "/x/bad.vcd", saved), CPulseFileCommands::Outcome::Failed);
    EXPECT_EQ(messages.Shown.back().first, LoadText(IDS_OPEN_FAILED) + "\r\n/x/bad.vcd:3: bad");
    EXPECT_EQ(messages.Shown.back().second, MessageIcon::Error);
    EXPECT_EQ(commands.SaveAs(access, path, saved), CPulseFileCommands::Outcome::Failed);
    EXPECT_EQ(messages.Shown.back().first, LoadText(IDS_SAVE_FAILED) + "\r\ndisk full");
    EXPECT_EQ(path, "/x/a.vpb");
}

TEST(CloseQuery, ExtraWindowsAndSavedDataCloseWithoutAsking) {
    CScriptedMessages messages;
    int saveAsCalls = 0;
    auto saveAs = [&] { ++saveAsCalls; return true; };
    EXPECT_TRUE(CCloseQuery::AllowClose(2, false, messages, saveAs));
    EXPECT_TRUE(CCloseQuery::AllowClose(1, true, messages, saveAs));
    EXPECT_TRUE(messages.Shown.empty());
    EXPECT_EQ(saveAsCalls, 0);
}

TEST(CloseQuery, ThreeAnswersAndTheSaveAsResult) {
    CScriptedMessages messages;
    bool written = true;
    int saveAsCalls = 0;
    auto saveAs = [&] { ++saveAsCalls; return written; };
    messages.Answers = {MessageAnswer::Cancel, MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Yes};
    EXPECT_FALSE(CCloseQuery::AllowClose(1, false, messages, saveAs));
    EXPECT_EQ(messages.Shown.back().first, "Data is modified, save to the file?");
    EXPECT_EQ(messages.Shown.back().second, MessageIcon::Question);
    EXPECT_TRUE(CCloseQuery::AllowClose(1, false, messages, saveAs));
    EXPECT_EQ(saveAsCalls, 0);
    EXPECT_TRUE(CCloseQuery::AllowClose(1, false, messages, saveAs));
    EXPECT_EQ(saveAsCalls, 1);
    // A cancelled or failed Save As keeps the window and its data.
    written = false;
    EXPECT_FALSE(CCloseQuery::AllowClose(1, false, messages, saveAs));
    EXPECT_EQ(saveAsCalls, 2);
}

TEST(ShellStrings, MenuTextsAndPromptsInBothLanguages) {
    const std::vector<int> commands = CMenuTable::CommandsOf(CMenuTable::Menu(CMenuTable::DocumentMenu));
    for (int command : commands) {
        EXPECT_FALSE(CStringTable::Text(CMenuTable::TextIdOf(command), LANGUAGE_ENGLISH).empty()) << command;
        EXPECT_FALSE(CStringTable::Text(CMenuTable::TextIdOf(command), LANGUAGE_JAPANESE).empty()) << command;
    }
    EXPECT_EQ(CStringTable::Text(CMenuTable::TextIdOf(cmd::FileNew), LANGUAGE_ENGLISH), "New(&N)\tCtrl+N");
    EXPECT_EQ(CStringTable::Text(CMenuTable::TextIdOf(cmd::JumpPageForward), LANGUAGE_ENGLISH),
              "Jump One Page Forward\tPageUp");
    EXPECT_EQ(CStringTable::Text(32852, LANGUAGE_JAPANESE),
              "設定に基づいてデバイスの動作を開始します。\nデバイス動作開始");
    EXPECT_EQ(CStringTable::Text(32870, LANGUAGE_ENGLISH), "Invert the bit which you click. \nInvert Bit");
    EXPECT_EQ(CStringTable::Text(64612, LANGUAGE_JAPANESE), "データは変更されています。保存しますか？");
    EXPECT_EQ(CStringTable::Text(130, LANGUAGE_ENGLISH),
              "\nNivara\nNivara\nVARDEK Pulse Binary Data (*.vpb)\n.vpb\nNivara.Document\nNivara.Document");
    const int prompts[] = {32776, 32779, 32787, 32788, 32790, 32805, 32806, 32807, 32809, 32810, 32811,
                           32812, 32813, 32814, 32833, 32834, 32835, 32836, 32838, 32839, 32840, 32841,
                           32842, 32843, 32845, 32846, 32847, 32848, 32849, 32852, 32853, 32855, 32856,
                           32857, 32858, 32859, 32869, 32870, 32872, 32909, 32911, 32912, 32944, 32945,
                           32946, 32949, 32950, 32951, 32952, 32953, 32954, 32961, 32962, 32963, 32964,
                           32966, 32969, 32970, 32983, 32984, 32987, 32988};
    for (int id : prompts) {
        EXPECT_FALSE(CStringTable::Text(id, LANGUAGE_ENGLISH).empty()) << id;
        EXPECT_FALSE(CStringTable::Text(id, LANGUAGE_JAPANESE).empty()) << id;
    }
}
