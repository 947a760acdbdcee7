#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QToolBar>
#include <QtTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <functional>
#include <memory>
#include <vector>

#include "analysis/ui/CBookmarkDlg.h"
#include "analysis/ui/CDataPatternDetailDlg.h"
#include "analysis/ui/CSearchDlg.h"
#include "document/CLogicDocument.h"
#include "graph/ui/CDrawRect.h"
#include "graph/ui/CJumpDlg.h"
#include "graph/ui/CScaleDlg.h"
#include "patterns/ui/CClockPatternDlg.h"
#include "patterns/ui/CContinuousPatternDlg.h"
#include "patterns/ui/COffsetDlg.h"
#include "patterns/ui/CSwapDlg.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"
#include "resources/CommandIds.h"
#include "resources/StringEntry.h"
#include "resources/ui/CInterfaceFont.h"
#include "shell/CMenuTable.h"
#include "shell/ui/CPropertiesWnd.h"
#include "device/ui/CStatusView.h"
#include "shell/ui/CAboutDlg.h"
#include "shell/ui/CChildFrame.h"
#include "graph/ui/CNivaraView.h"
#include "signals/ui/CChannelTreeView.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMemoryOptionDlg.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "signals/ui/CChannelTreePropDlg.h"
#include "signals/ui/CWorkSpaceView.h"
#include "support/CScriptedMessages.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

bool HasNonAscii(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() >= 0x80) return true;
    }
    return false;
}

// Every action of a menu and of its submenus.
void CollectActions(const QList<QAction*>& actions, QList<QAction*>& out) {
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        // A recent-file entry ("&1 path") shows a file name, in no language.
        if (!QRegularExpression(QStringLiteral("^&[0-9] ")).match(action->text()).hasMatch()) out << action;
        if (action->menu() != nullptr) CollectActions(action->menu()->actions(), out);
    }
}

QList<QAction*> MenuBarActions(QMenuBar* bar) {
    QList<QAction*> actions;
    CollectActions(bar->actions(), actions);
    return actions;
}

// Texts that Japanese keeps as they are: fixed column captions, units and
// button texts without words.
bool MayStayAscii(const QString& text) {
    static const QSet<QString> kept = {"", "OK", "0", "1", "% (1 - 10000)", "* 1,000,000 [DWORD]",
                                       "Name", "Channel", "Id", "Abs Pos", "Memo",
                                       "Nivara", "Ver2.20"};
    return kept.contains(text);
}

// Every text a dialog shows: its title, labels, buttons, group titles and column captions.
QStringList TextsOf(QWidget& dialog) {
    QStringList texts{dialog.windowTitle()};
    for (QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) texts << button->text();
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) texts << group->title();
    for (QTableWidget* table : dialog.findChildren<QTableWidget*>()) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (QTableWidgetItem* item = table->horizontalHeaderItem(column)) texts << item->text();
        }
    }
    return texts;
}

QSet<QString> TableTexts(int language) {
    const bool japanese = language == LANGUAGE_JAPANESE;
    const nivara::strings::StringEntry* table = japanese ? nivara::strings::Japanese : nivara::strings::English;
    const std::size_t count = japanese ? nivara::strings::JapaneseCount : nivara::strings::EnglishCount;
    QSet<QString> texts;
    for (std::size_t i = 0; i < count; ++i) {
        QString text = QString::fromUtf8(table[i].Text);
        texts << text << QString(text).remove('\r');
    }
    return texts;
}

// Every dialog of the program, built in the current language, one at a time.
void ForEachDialog(const std::function<void(QWidget&)>& check) {
    CScriptedMessages messages;
    QWidget parent;
    std::vector<std::unique_ptr<QWidget>> dialogs;
    dialogs.push_back(std::make_unique<CScaleDlg>(1.0, messages));
    dialogs.push_back(std::make_unique<CJumpDlg>(messages));
    dialogs.push_back(std::make_unique<CSwapDlg>(std::vector<SWAP_ENTRY>{{0, "0: Signal0"}, {1, "1: Signal1"}}));
    dialogs.push_back(std::make_unique<CClockPatternDlg>(0, messages));
    dialogs.push_back(std::make_unique<CContinuousPatternDlg>(0, messages));
    dialogs.push_back(std::make_unique<COffsetDlg>(0, messages));
    dialogs.push_back(std::make_unique<CChannelTreePropDlg>(
        CChannelTable::MakeDefault(LoadText(IDS_SIGNAL_NAME_BASE)), &messages));
    dialogs.push_back(std::make_unique<CSearchDlg>(&parent));
    dialogs.push_back(std::make_unique<CBookmarkDlg>(&parent));
    CLogicDocument document("/tmp");
    dialogs.push_back(std::make_unique<CMemoryOptionDlg>(document, messages));
    dialogs.push_back(std::make_unique<CAboutDlg>());
    for (auto& dialog : dialogs) check(*dialog);
    dialogs.clear();
}

// The glyphs the font draws the text with; a glyph index 0 is an empty box.
QString MissingGlyphs(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QString missing;
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (quint32 index : run.glyphIndexes()) {
            ++glyphs;
            if (index == 0) missing += QStringLiteral(" [box in %1]").arg(run.rawFont().familyName());
        }
    }
    if (glyphs < text.size()) missing += QStringLiteral(" [only %1 glyphs]").arg(glyphs);
    return missing;
}

}  // namespace

class TestTexts : public QObject {
    Q_OBJECT
private:
    CMainFrame* m_frame = nullptr;
    CScriptedMessages m_messages;

    void Start(const QByteArray& language) {
        qputenv("LC_ALL", language);
        App()->SetUserMessages(&m_messages);
        QVERIFY(App()->InitInstance(QString()));
        m_frame = App()->MainFrame();
    }

    // A dialog shows only table texts of the language; Japanese leaves no English.
    void CheckDialog(QWidget& dialog, const QSet<QString>& table, bool japanese) {
        const QStringList texts = TextsOf(dialog);
        QVERIFY2(texts.size() > 2, qPrintable(dialog.windowTitle()));
        for (const QString& text : texts) {
            if (MayStayAscii(text)) continue;
            QVERIFY2(!japanese || HasNonAscii(text), qPrintable(dialog.windowTitle() + ": English left: " + text));
            bool fromTable = table.contains(text);
            if (!fromTable && text.contains('\n')) {  // one label may show two texts, a line each
                fromTable = true;
                for (const QString& line : text.split('\n')) fromTable = fromTable && table.contains(line);
            }
            QVERIFY2(fromTable, qPrintable(dialog.windowTitle() + ": not from the table: " + text));
        }
    }

private slots:
    void cleanup() {
        if (m_frame != nullptr && m_frame->Doc() != nullptr) m_frame->Doc()->Document().Saved = 1;
        App()->ExitInstance();
        m_frame = nullptr;
        QCoreApplication::processEvents();
        CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    }

    void japaneseMainWindowShowsJapaneseMenusAndTooltips() {
        Start("ja_JP.UTF-8");
        QCOMPARE(CStringTable::Language(), LANGUAGE_JAPANESE);
        const QList<QAction*> actions = MenuBarActions(m_frame->menuBar());
        QVERIFY(actions.size() > 90);
        for (QAction* action : actions) {
            QVERIFY2(HasNonAscii(action->text()), qPrintable("English in the Japanese menu: " + action->text()));
        }
        QCOMPARE(m_frame->Action(cmd::LogicAnd)->text(),
                 QString::fromStdString(CStringTable::Text(CMenuTable::TextIdOf(cmd::LogicAnd), LANGUAGE_JAPANESE)));
        for (QAction* action : m_frame->ToolBar()->actions()) {
            if (action->isSeparator()) continue;
            QVERIFY2(HasNonAscii(action->toolTip()), qPrintable("English tooltip: " + action->toolTip()));
        }
        QCOMPARE(m_frame->Action(cmd::SearchNext)->toolTip(), QString("前方検索"));
        QCOMPARE(m_frame->Action(cmd::Compare)->statusTip(), QString("選択したチャネル、範囲を比較し異なる部分を強調表示します。"));
        // Without a document the short menu 128 speaks Japanese too.
        m_frame->Doc()->Document().Saved = 1;
        m_frame->ActiveChildFrame()->close();
        QCoreApplication::processEvents();
        QVERIFY(!m_frame->ShowsDocumentMenu());
        const QList<QAction*> shortMenu = MenuBarActions(m_frame->menuBar());
        QVERIFY(shortMenu.size() >= 10);
        for (QAction* action : shortMenu) QVERIFY2(HasNonAscii(action->text()), qPrintable(action->text()));
    }

    void toolkitButtonsFollowTheLanguage() {
        Start("ja_JP.UTF-8");
        {
            QMessageBox box(QMessageBox::Question, "Nivara", "?", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QCOMPARE(box.button(QMessageBox::Yes)->text(), QString("はい(&Y)"));
            QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString("キャンセル"));
        }
        cleanup();
        Start("C.UTF-8");
        QMessageBox box(QMessageBox::Question, "Nivara", "?", QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QString("&Yes"));
    }

    void dialogsShowOnlyTableTextsInBothLanguages() {
        for (int language : {LANGUAGE_ENGLISH, LANGUAGE_JAPANESE}) {
            CStringTable::SetLanguage(language);
            const QSet<QString> table = TableTexts(language);
            int dialogs = 0;
            ForEachDialog([&](QWidget& dialog) {
                ++dialogs;
                CheckDialog(dialog, table, language == LANGUAGE_JAPANESE);
            });
            QCOMPARE(dialogs, 11);
            // The data pattern details window shows only its caption.
            const CDataPatternDetailDlg details(DATA_PATTERN{}, 1.0f);
            QVERIFY(table.contains(details.windowTitle()));
            QCOMPARE(HasNonAscii(details.windowTitle()), language == LANGUAGE_JAPANESE);
            if (QTest::currentTestFailed()) return;
        }
    }

    void japaneseWindowPanesSpeakJapanese() {
        Start("ja_JP.UTF-8");
        CChildFrame* child = m_frame->ActiveChildFrame();
        QVERIFY(child != nullptr);
        QCOMPARE(m_frame->Properties()->windowTitle(), QString("プロパティ"));
        QCOMPARE(m_frame->ToolBar()->windowTitle(), QString("標準"));
        QCOMPARE(child->Status()->Label(0), QString("動作状態"));
        for (int row = 0; row < CStatusView::Rows; ++row) {
            QVERIFY2(HasNonAscii(child->Status()->Label(row)), qPrintable(child->Status()->Label(row)));
        }
        QCOMPARE(child->Tree()->topLevelItem(31)->text(0), QString("31: 信号31"));
        // The workspace strip names the five result pages in Japanese.
        QVERIFY(child->WorkSpace() != nullptr);
        auto* pages = child->WorkSpace()->findChild<QComboBox*>();
        QVERIFY(pages != nullptr);
        QStringList pageNames;
        for (int i = 0; i < pages->count(); ++i) pageNames << pages->itemText(i);
        QCOMPARE(pageNames, QStringList({"論理演算", "パルスカウント", "周波数計算", "検索", "データパターン"}));
        QCOMPARE(pages->currentIndex(), 0);
        auto* grid = m_frame->Properties()->findChild<QTreeWidget*>();
        QVERIFY(grid != nullptr);
        int names = 0;
        for (QTreeWidgetItemIterator it(grid); *it != nullptr; ++it, ++names) {
            const QString name = (*it)->text(0);
            QVERIFY2(HasNonAscii(name), qPrintable("English in the condition pane: " + name));
        }
        QVERIFY(names > 5);
    }

    void japanesePopupsOfTheGraphAndTheTree() {
        Start("ja_JP.UTF-8");
        CChildFrame* child = m_frame->ActiveChildFrame();
        m_frame->resize(1280, 900);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame));
        CNivaraView* view = child->View();
        QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, QPoint(view->width() / 2, view->height() / 3));
        QMenu* graphMenu = view->findChild<QMenu*>(QStringLiteral("Menu119"));
        QVERIFY(graphMenu != nullptr);
        QStringList graphTexts;
        for (QAction* action : graphMenu->actions()) graphTexts << action->text();
        QCOMPARE(graphTexts, QStringList({"切り取り(&T)\tCtrl+X", "コピー(&C)\tCtrl+C", "貼り付け(&P)\tCtrl+V"}));
        graphMenu->hide();
        QTreeWidget* tree = child->Tree();
        const QPoint row = tree->visualItemRect(tree->topLevelItem(0)).center();
        QTest::mousePress(tree->viewport(), Qt::RightButton, {}, row);
        QTest::mouseRelease(tree->viewport(), Qt::RightButton, {}, row);
        QMenu* treeMenu = child->Tree()->Popup();
        QVERIFY(treeMenu != nullptr);
        QStringList treeTexts;
        for (QAction* action : treeMenu->actions()) treeTexts << action->text();
        QCOMPARE(treeTexts, QStringList({"バス化", "バス解除", "プロパティ..."}));
        treeMenu->hide();
    }

    void japaneseTextRendersWithAJapaneseFont() {
        const QStringList families = CInterfaceFont::JapaneseFamilies();
        QVERIFY2(!families.isEmpty(), "no installed font holds Japanese");
        // Proportional faces come first: the graph's texts are set in a proportional face.
        QFont first(families.first());
        first.setPixelSize(20);
        const QFontMetrics firstMetrics(first);
        if (families.contains("IPAPGothic")) {
            QVERIFY2(firstMetrics.horizontalAdvance('i') != firstMetrics.horizontalAdvance('W'),
                     qPrintable(families.join(", ")));
        }
        const QString samples[] = {QString("信号31"), QString("バス信号0"), QString("ファイル(&F)"),
                                   QString("サンプリングが停止しました。"), QString("縦軸（CH2～CH5）で後方に”1010”")};
        // The graph's faces are not installed here: the same pixel size in a Japanese sans font.
        for (const auto& [face, pixels, weight] : {std::tuple{QString("ＭＳ Ｐゴシック"), 12, 700},
                                                   std::tuple{QString("Tahoma"), 10, 100}}) {
            const QFont font = CDrawRect::MakeFont(face, pixels, weight);
            const QFontInfo info(font);
            QCOMPARE(info.pixelSize(), pixels);
            if (!QFontDatabase::hasFamily(face)) {
                QVERIFY2(families.contains(info.family()), qPrintable(face + " became " + info.family()));
            }
            for (const QString& text : samples) {
                const QString missing = MissingGlyphs(font, text);
                QVERIFY2(missing.isEmpty(), qPrintable(text + missing));
            }
        }
        // The widgets' font of the Japanese window.
        Start("ja_JP.UTF-8");
        const QFont menuFont = m_frame->menuBar()->font();
        for (const QString& text : samples) {
            const QString missing = MissingGlyphs(menuFont, text);
            QVERIFY2(missing.isEmpty(), qPrintable(text + missing));
        }
        QVERIFY(QRawFont::fromFont(CInterfaceFont::WithJapaneseFallback(menuFont), QFontDatabase::Japanese)
                    .supportsCharacter(QChar(0x4FE1)));  // 信
    }

    void setUpInstallsAJapaneseFont() {
        QFile script(QStringLiteral(NIVARA_SOURCE_DIR "/scripts/deps.sh"));
        QVERIFY(script.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(script.readAll());
        QVERIFY(text.contains("fonts-ipafont-gothic") || text.contains("fonts-noto-cjk"));
    }
};

int main(int argc, char** argv) {
    // A settings folder of its own: a language another test stored must not choose ours.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    CNivaraApp app(argc, argv);
    TestTexts test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_texts.moc"
