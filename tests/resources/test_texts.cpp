#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "resources/StringEntry.h"
#include "resources/StringIds.h"
#include "shell/CMenuTable.h"

namespace {

std::string En(int id) { return CStringTable::Text(id, LANGUAGE_ENGLISH); }
std::string Ja(int id) { return CStringTable::Text(id, LANGUAGE_JAPANESE); }

// The named ids of the generated header, name by id.
std::map<int, std::string> NamedIds() {
    std::ifstream header(NIVARA_STRING_IDS_HEADER);
    const std::regex line(R"(^constexpr int ([A-Z][A-Z0-9_]*) = ([0-9]+);$)");
    std::map<int, std::string> ids;
    for (std::string text; std::getline(header, text);) {
        std::smatch match;
        if (std::regex_match(text, match, line)) {
            ids[std::stoi(match[2])] = match[1];
        }
    }
    return ids;
}

std::set<int> IdsOf(const nivara::strings::StringEntry* table, std::size_t count) {
    std::set<int> ids;
    for (std::size_t i = 0; i < count; ++i) ids.insert(table[i].Id);
    return ids;
}

void CollectTextIds(const std::vector<MENU_ENTRY>& entries, std::vector<int>& out) {
    for (const MENU_ENTRY& entry : entries) {
        if (entry.Type != MENU_ENTRY::Separator) out.push_back(entry.TextId);
        CollectTextIds(entry.Children, out);
    }
}

std::vector<int> MenuTextIds() {
    std::vector<int> ids;
    for (int menu : {CMenuTable::NoDocumentMenu, CMenuTable::DocumentMenu}) {
        CollectTextIds(CMenuTable::Menu(menu), ids);
    }
    return ids;
}

std::string AfterTab(const std::string& text) {
    const auto tab = text.find('\t');
    return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

std::string Tooltip(const std::string& prompt) {
    const auto newline = prompt.find('\n');
    return newline == std::string::npos ? std::string() : prompt.substr(newline + 1);
}

bool HasNonAscii(const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0x80) return true;
    }
    return false;
}

// The printf conversions and numbered inserts of a format text, in order.
std::vector<std::string> Conversions(const std::string& text) {
    static const std::regex conversion(R"(%(%|[0-9]+|[-+ #0]*[0-9]*(\.[0-9]+)?(l|ll|h)?[diuxXsfc]))");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), conversion); it != std::sregex_iterator(); ++it) {
        found.push_back(it->str());
    }
    return found;
}

struct GIVEN_TEXT {
    int Id;
    const char* English;
    const char* Japanese;
};

// The texts whose Japanese wording is fixed, byte for byte.
const GIVEN_TEXT GivenTexts[] = {
    {32852, "Start the device operation according to the settings.\nStart Device Operation",
     "設定に基づいてデバイスの動作を開始します。\nデバイス動作開始"},
    {32853, "Stop the device operation.\nStop Device Operation",
     "デバイスの動作を停止します。\nデバイス動作停止"},
    {32870, "Invert the bit which you click. \nInvert Bit",
     "クリックした場所のビットを反転します。\nビット反転"},
    {32872, "Move rise position or fall position of a bit. \nShift Bit",
     "ビットの立ち上がり/立下りの位置を移動させます。\nビットシフト"},
    {32911, "Generate a continuous data pattern using the created basic pattern.\nContinuous Data Pattern",
     "作成した基本パターンを使用して連続パターンを生成します。\n連続パターン生成"},
    {32954, "Compare the selected channels or ranges and highlight the different parts.\nCompare",
     "選択したチャネル、範囲を比較し異なる部分を強調表示します。\n比較"},
    {32812, "Display the graph by time. This is valid only when internal clock is used.",
     "グラフを時間単位で表示します。内部クロックを使用しているときのみ有効です。"},
    {32987, "Create a bus for the signals.",
     "信号のバス化を行います。"},
    {41000, "Operation status",
     "動作状態"},
    {41001, "Run",
     "動作中"},
    {41002, "Wait for start trigger",
     "開始トリガ待ち"},
    {41003, "Stop",
     "停止中"},
    {41010, "Transfer mode",
     "転送モード"},
    {41011, "Sampling",
     "サンプリング"},
    {41012, "Generating",
     "ジェネレーティング"},
    {41020, "Current position",
     "現在位置"},
    {41021, "[Clock]",
     "[Clock]"},
    {41030, "Repeat times",
     "繰り返し回数"},
    {41031, "[Times]",
     "[回]"},
    {41040, "Error",
     "エラー"},
    {41041, "-",
     "-"},
    {41042, "Transfer error",
     "転送エラー"},
    {41043, "External start trigger and stop trigger input at the same time error",
     "外部スタート・ストップ同時入力エラー"},
    {41044, "External clock error",
     "外部クロックエラー"},
    {41045, "Transfer error",
     "転送エラー"},
    {41046, "Buffer overflow error",
     "バッファオーバーフローエラー"},
    {41050, "File write error",
     "ファイル書き込みエラー"},
    {41051, "%s\n\nSampling has stopped.",
     "%s\n\nサンプリングが停止しました。"},
    {41052, "Failed to create the folder and sampling cannot start.",
     "フォルダの作成に失敗しましたので、サンプリングが開始できません。"},
    {49000, "Signal",
     "信号"},
    {49001, "Bus signal",
     "バス信号"},
    {62001, "Buffer Overflow occured. Logging had been stopped.\nPlease increase the sampling clock.",
     "バッファオーバーフローが発生しました、ロギングを停止します。\nサンプリングクロックを長くしてください。"},
    {64510, "Error occurs",
     "エラーが発生しました"},
    {64511, "Set a value smaller than the current buffer size. \r\nThe excess data will disappear. Do you want to continue?",
     "現在のバッファサイズ未満の値が設定されました。\r\n縮小分のデータは消失します。続行しますか？"},
    {64512, "Insert",
     "挿入"},
    {64513, "Overwrite",
     "上書き"},
    {64514, "Edit disabled",
     "編集禁止"},
    {64515, "Falied to open file.\r\nPlease confirm that the contents of the file are correct. ",
     "ファイルのオープンに失敗しました。\r\nファイルの内容に間違いがないか確認してください。"},
    {64516, "Failed to save file.",
     "ファイルの保存に失敗しました。"},
    {64517, "Failed to swap the channel data.",
     "チャネルデータの入れ替えに失敗しました。"},
    {64520, "An invalid device name was read, so current device continues to use.",
     "無効なデバイス名が読み込まれたため、現在のデバイスの使用を続行します。"},
    {64610, "The setting is enabled after restarting of the application",
     "アプリケーションを再起動すると設定が反映されます。"},
    {64611, "Confirm",
     "確認"},
    {64612, "Data is modified, save to the file?",
     "データは変更されています。保存しますか？"},
    {64700, "Horizontal axis (CH%d), '%s' is not found in the forward search",
     "横軸（CH%d）で前方に”%s”が見つかりません"},
    {64701, "Vertical axis (CH%d-CH%d), '%s' is not found in the forward search",
     "縦軸（CH%d～CH%d）で前方に”%s”が見つかりません"},
    {64702, "Horizontal axis (CH%d), '%s' is not found in the backward search",
     "横軸（CH%d）で後方に”%s”が見つかりません"},
    {64703, "Vertical axis (CH%d-CH%d), '%s' is not found in the backward search",
     "縦軸（CH%d～CH%d）で後方に”%s”が見つかりません"},
    {64600, "Logical Operation",
     "論理演算"},
    {64601, "Pulse Count",
     "パルスカウント"},
    {64602, "Frequency",
     "周波数計算"},
    {64603, "Search",
     "検索"},
    {64604, "Data pattern",
     "データパターン"},

    {64620, "<Sampling Infomation>",
     "<サンプリング情報>"},
    {64621, "<Generating Infomation>",
     "<ジェネレーティング情報>"},
    {64622, "File name",
     "ファイル名"},
    {64623, "Total channels",
     "総チャネル数"},
    {64624, "Device name",
     "デバイス名"},
    {64625, "<Cursor Information>",
     "<カーソル情報>"},
    {64626, "Cursor A time",
     "カーソルA時間"},
    {64627, "Cursor B time",
     "カーソルB時間"},
    {64628, "Cursor A-B time",
     "カーソルA-B時間"},
    {64629, "Cursor B-A time",
     "カーソルB-A時間"},
    {64630, "<Channel Information>",
     "<チャネル情報>"},
    {64631, "Cursor A value",
     "カーソルA値"},
    {64632, "Cursor B value",
     "カーソルB値"},
};

// Japanese texts that are rightly the same as the English ones: names, units,
// file patterns and button texts that Japanese keeps as they are.
bool MayEqualEnglish(int id, const std::string& text) {
    static const std::set<std::string> kept = {
        "OK", "Nivara", "-", "[Clock]", "Sec", "mSec", "uSec", "nSec", "*.csv", "*.vpb",
        "* 1,000,000 [DWORD]", "% (1 - 10000)", "Ver2.20",
    };
    return id == IDS_DOCUMENT_STRINGS || kept.count(text) != 0;
}

}  // namespace

TEST(InterfaceTexts, EveryNamedIdHasATextInBothLanguages) {
    const std::map<int, std::string> named = NamedIds();
    ASSERT_GT(named.size(), 150u) << "the generated header was not read: " << NIVARA_STRING_IDS_HEADER;
    EXPECT_EQ(named.at(IDS_SAVE_QUERY), "IDS_SAVE_QUERY");
    for (const auto& [id, name] : named) {
        EXPECT_FALSE(En(id).empty()) << name << " (" << id << ") has no English text";
        EXPECT_FALSE(Ja(id).empty()) << name << " (" << id << ") has no Japanese text";
    }
}

TEST(InterfaceTexts, BothLanguagesHoldTheSameIds) {
    const std::set<int> english = IdsOf(nivara::strings::English, nivara::strings::EnglishCount);
    const std::set<int> japanese = IdsOf(nivara::strings::Japanese, nivara::strings::JapaneseCount);
    for (int id : english) EXPECT_TRUE(japanese.count(id)) << id << " is missing in Japanese";
    for (int id : japanese) EXPECT_TRUE(english.count(id)) << id << " is missing in English";
    for (std::size_t i = 0; i < nivara::strings::JapaneseCount; ++i) {
        EXPECT_NE(std::string(nivara::strings::Japanese[i].Text), "")
            << nivara::strings::Japanese[i].Id << " is empty in Japanese";
    }
}

TEST(InterfaceTexts, MenusHaveTextsInBothLanguagesWithTheSameKeys) {
    const std::vector<int> ids = MenuTextIds();
    ASSERT_GT(ids.size(), 90u);
    for (int id : ids) {
        ASSERT_FALSE(En(id).empty()) << id;
        ASSERT_FALSE(Ja(id).empty()) << id;
        EXPECT_TRUE(HasNonAscii(Ja(id))) << id << " is English in the Japanese menu: " << Ja(id);
        EXPECT_EQ(AfterTab(Ja(id)), AfterTab(En(id))) << id << " shows other keys in Japanese";
    }
    // Popups 119 and 311 take their texts from the same table.
    for (int id : {CMenuTable::TextIdOf(cmd::EditCut), CMenuTable::TextIdOf(cmd::EditCopy),
                   CMenuTable::TextIdOf(cmd::EditPaste), IDS_MENU_BUS, IDS_MENU_NON_BUS,
                   IDS_MENU_TREE_PROPERTIES}) {
        EXPECT_TRUE(HasNonAscii(Ja(id))) << id;
    }
}

TEST(InterfaceTexts, EveryAcceleratorKeyIsShownInItsMenuText) {
    std::map<int, std::vector<std::string>> keys;
    for (const ACCELERATOR_ENTRY& entry : CMenuTable::Accelerators()) keys[entry.Command].push_back(entry.Keys);
    for (const auto& [command, sequences] : keys) {
        if (command == cmd::NextPane || command == cmd::PreviousPane) continue;  // no menu item
        const std::string shown = AfterTab(En(CMenuTable::TextIdOf(command)));
        EXPECT_FALSE(shown.empty()) << command << " has keys but its menu text shows none";
    }
    EXPECT_EQ(AfterTab(Ja(CMenuTable::TextIdOf(cmd::JumpToClock))), "Ctrl+J");
    EXPECT_EQ(AfterTab(Ja(CMenuTable::TextIdOf(cmd::BookmarkPrevious))), "Shift+F2");
}

TEST(InterfaceTexts, CommandPromptsInBothLanguagesWithTheirTooltips) {
    const int prompts[] = {32776, 32779, 32787, 32788, 32790, 32805, 32806, 32807, 32809, 32810, 32811, 32812,
                           32813, 32814, 32833, 32834, 32835, 32836, 32838, 32839, 32840, 32841, 32842, 32843,
                           32845, 32846, 32847, 32848, 32849, 32852, 32853, 32855, 32856, 32857, 32858, 32859,
                           32869, 32870, 32872, 32909, 32911, 32912, 32944, 32945, 32946, 32949, 32950, 32951,
                           32952, 32953, 32954, 32961, 32962, 32963, 32964, 32966, 32969, 32970, 32983, 32984,
                           32987, 32988};
    for (int id : prompts) {
        const std::string english = En(id);
        const std::string japanese = Ja(id);
        ASSERT_FALSE(english.empty()) << id;
        ASSERT_FALSE(japanese.empty()) << id;
        const bool englishTip = english.find('\n') != std::string::npos;
        const bool japaneseTip = japanese.find('\n') != std::string::npos;
        EXPECT_EQ(englishTip, japaneseTip) << id << " has a tooltip in one language only";
        EXPECT_TRUE(HasNonAscii(japanese.substr(0, japanese.find('\n')))) << id << ": " << japanese;
    }
}

TEST(InterfaceTexts, GivenTextsAreExact) {
    for (const GIVEN_TEXT& given : GivenTexts) {
        EXPECT_EQ(En(given.Id), given.English) << given.Id;
        EXPECT_EQ(Ja(given.Id), given.Japanese) << given.Id;
    }
    // Japanese texts that say more than the English ones.
    EXPECT_NE(Ja(IDS_GRID_MASK_DESC).find("無効:Bit=0,有効:Bit=1"), std::string::npos);
    EXPECT_EQ(Ja(IDS_GRID_STOP_NUMBER), "サンプリングデータ数");
    EXPECT_EQ(En(IDS_GRID_STOP_NUMBER), "Specified number of items");
    EXPECT_EQ(Tooltip(Ja(cmd::SearchNext)), "前方検索");
    EXPECT_EQ(Tooltip(Ja(cmd::SearchPrevious)), "後方検索");
}

TEST(InterfaceTexts, JapaneseIsNeverTheEnglishTextLeftOver) {
    for (std::size_t i = 0; i < nivara::strings::EnglishCount; ++i) {
        const int id = nivara::strings::English[i].Id;
        const std::string japanese = Ja(id);
        if (japanese == nivara::strings::English[i].Text) {
            EXPECT_TRUE(MayEqualEnglish(id, japanese)) << id << " is not translated: " << japanese;
        }
    }
}

TEST(InterfaceTexts, FormatsTakeTheSameArgumentsInBothLanguages) {
    for (std::size_t i = 0; i < nivara::strings::EnglishCount; ++i) {
        const int id = nivara::strings::English[i].Id;
        EXPECT_EQ(Conversions(Ja(id)), Conversions(nivara::strings::English[i].Text))
            << id << ": " << Ja(id);
    }
}

TEST(InterfaceTexts, JapaneseMessagesAsTheUserReadsThem) {
    CStringTable::SetLanguage(LANGUAGE_JAPANESE);
    EXPECT_EQ(FormatText(IDS_SAMPLING_STOPPED, std::string("ディスクがいっぱいです。")),
              "ディスクがいっぱいです。\n\nサンプリングが停止しました。");
    EXPECT_EQ(FormatText(IDS_SEARCH_VERTICAL_BACKWARD_MISS, 2, 5, std::string("1010")),
              "縦軸（CH2～CH5）で後方に”1010”が見つかりません");
    EXPECT_EQ(LoadText(IDS_SIGNAL_NAME_BASE) + "31", "信号31");
    EXPECT_EQ(LoadText(IDS_BUS_NAME_BASE) + "0", "バス信号0");
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    EXPECT_EQ(FormatText(IDS_SEARCH_HORIZONTAL_FORWARD_MISS, 3, std::string("FF")),
              "Horizontal axis (CH3), 'FF' is not found in the forward search");
}
