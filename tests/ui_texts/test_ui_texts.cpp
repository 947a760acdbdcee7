#include <QAbstractButton>
#include <QFile>
#include <QFontInfo>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRawFont>
#include <QSet>
#include <QTableWidget>
#include <QTextLayout>
#include <QToolBar>
#include <QtTest>
#include <memory>

#include "analysis/ui/CBookmarkDlg.h"
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
#include "resources/CommandIds.h"
#include "resources/StringEntry.h"
#include "resources/ui/CInterfaceFont.h"
#include "shell/CMenuTable.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMemoryOptionDlg.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "signals/ui/CChannelTreePropDlg.h"
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
        out << action;
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
                                       "Name", "Channel", "Id", "Abs Pos", "Memo"};
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

QSet<QString> JapaneseTableTexts() {
    QSet<QString> texts;
    for (std::size_t i = 0; i < nivara::strings::JapaneseCount; ++i) {
        QString text = QString::fromUtf8(nivara::strings::Japanese[i].Text);
        texts << text << QString(text).remove('\r');
    }
    return texts;
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

    // Every dialog of the program shows only table texts, in Japanese.
    void CheckDialog(QWidget& dialog, const QSet<QString>& table) {
        const QStringList texts = TextsOf(dialog);
        QVERIFY2(texts.size() > 2, qPrintable(dialog.windowTitle()));
        for (const QString& text : texts) {
            if (MayStayAscii(text)) continue;
            QVERIFY2(HasNonAscii(text), qPrintable(dialog.windowTitle() + ": English left: " + text));
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

    void dialogsShowOnlyJapaneseTableTexts() {
        CStringTable::SetLanguage(LANGUAGE_JAPANESE);
        const QSet<QString> table = JapaneseTableTexts();
        CScriptedMessages messages;
        CScaleDlg scale(1.0, messages);
        CheckDialog(scale, table);
        CJumpDlg jump(messages);
        CheckDialog(jump, table);
        CSwapDlg swap({{0, "0: 信号0"}, {1, "1: 信号1"}});
        CheckDialog(swap, table);
        CClockPatternDlg clock(0, messages);
        CheckDialog(clock, table);
        CContinuousPatternDlg continuous(0, messages);
        CheckDialog(continuous, table);
        COffsetDlg offset(0, messages);
        CheckDialog(offset, table);
        CChannelTreePropDlg properties(CChannelTable::MakeDefault(LoadText(IDS_SIGNAL_NAME_BASE)), &messages);
        CheckDialog(properties, table);
        QWidget parent;
        CSearchDlg search(&parent);
        CheckDialog(search, table);
        CBookmarkDlg bookmarks(&parent);
        CheckDialog(bookmarks, table);
        CLogicDocument document("/tmp");
        CMemoryOptionDlg memory(document, messages);
        CheckDialog(memory, table);
    }

    void japaneseTextRendersWithAJapaneseFont() {
        const QStringList families = CInterfaceFont::JapaneseFamilies();
        QVERIFY2(!families.isEmpty(), "no installed font holds Japanese");
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
    CNivaraApp app(argc, argv);
    TestTexts test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_texts.moc"
