#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "analysis/ui/CBookmarkDlg.h"
#include "device/CDeviceRun.h"
#include "shell/ui/CPropertiesWnd.h"
#include "document/CLogicDocument.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "shell/CRecentFileList.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "shell/ui/CQtUserMessages.h"
#include "support/CFreshSettingsFolder.h"
#include "support/CScriptedChooser.h"
#include "support/CScriptedMessages.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

// Messages that also note whether the main window was on the screen when
// each one appeared.
class CWatchedMessages : public CScriptedMessages {
public:
    void ShowMessage(const std::string& text, MessageIcon icon) override {
        MainWindowShown.push_back(App()->MainFrame() != nullptr && App()->MainFrame()->isVisible());
        CScriptedMessages::ShowMessage(text, icon);
    }
    std::vector<bool> MainWindowShown;
};

QMenu* MenuHolding(QMenuBar* bar, QAction* action) {
    std::vector<QMenu*> menus;
    for (QAction* top : bar->actions()) {
        if (top->menu() != nullptr) menus.push_back(top->menu());
    }
    for (std::size_t i = 0; i < menus.size(); ++i) {
        if (menus[i]->actions().contains(action)) return menus[i];
        for (QAction* inner : menus[i]->actions()) {
            if (inner->menu() != nullptr) menus.push_back(inner->menu());
        }
    }
    return nullptr;
}

// The File menu's submenu with that title, opened once as the user opens it.
QMenu* RecentMenu(QMenuBar* bar, const QString& title) {
    QMenu* file = bar->actions().first()->menu();
    for (QAction* action : file->actions()) {
        if (action->menu() != nullptr && action->menu()->title() == title) {
            action->menu()->popup(QPoint(0, 0));
            action->menu()->hide();
            return action->menu();
        }
    }
    return nullptr;
}

QStringList Texts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) texts << action->text();
    return texts;
}

QVariant Stored(const char* key) {
    QSettings settings(QStringLiteral("VARDEK"), QStringLiteral("Nivara"));
    return settings.value(QString::fromLatin1(key));
}

void Store(const std::vector<std::pair<const char*, QVariant>>& values) {
    QSettings settings(QStringLiteral("VARDEK"), QStringLiteral("Nivara"));
    for (const auto& [key, value] : values) settings.setValue(QString::fromLatin1(key), value);
    settings.sync();
}

}  // namespace

class TestSettingsBase : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<CFreshSettingsFolder> m_folder;
    CWatchedMessages m_messages;
    CScriptedChooser m_chooser;
    CMainFrame* m_frame = nullptr;

    CChildFrame* Active() const { return m_frame->ActiveChildFrame(); }
    CLogicDocument& Document() const { return Active()->Doc().Document(); }

    void Start(const QString& file = QString(), const QByteArray& language = "C.UTF-8") {
        qputenv("LC_ALL", language);
        m_messages = CWatchedMessages();
        m_chooser = CScriptedChooser();
        App()->SetUserMessages(&m_messages);
        QVERIFY(App()->InitInstance(file));
        m_frame = App()->MainFrame();
        m_frame->SetFileChooser(&m_chooser);
    }

    // Closes the main window as the user does: the settings are written.
    void Exit() {
        if (CNivaraDoc* doc = m_frame->Doc()) doc->Document().Saved = 1;
        QVERIFY(m_frame->close());
        App()->ExitInstance();
        m_frame = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    bool Choose(int command) {
        QAction* action = m_frame->Action(command);
        QMenu* menu = MenuHolding(m_frame->menuBar(), action);
        if (menu == nullptr) return false;
        menu->popup(QPoint(0, 0));
        menu->hide();
        if (!action->isEnabled()) return false;
        action->trigger();
        return true;
    }

    void Leave() {
        if (m_frame != nullptr) {
            if (CNivaraDoc* doc = m_frame->Doc()) doc->Document().Saved = 1;
            App()->ExitInstance();
            m_frame = nullptr;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CStringTable::SetLanguage(LANGUAGE_ENGLISH);
        qputenv("LC_ALL", "C.UTF-8");
    }
};

class TestSettings : public TestSettingsBase {
    Q_OBJECT
private slots:
    void init() { m_folder = std::make_unique<CFreshSettingsFolder>(); }
    void cleanup() { Leave(); }

    void theFirstExitWritesTheDefaults() {
        Start();
        QVERIFY(!QFile::exists(m_folder->FilePath()));
        Store({{"Workspace/MFCToolBar-5939882/Buttons", 3}, {"Workspace/MFCToolBar-593980/Buttons", 4}});
        Exit();
        QCOMPARE(Stored("Common Settings/DeviceName").toString(), QStringLiteral("DIO000 QDX-32A-PE"));
        QCOMPARE(Stored("Common Settings/Direction").toInt(), 2);
        const std::vector<std::pair<const char*, int>> generating = {
            {"Clock Type", 1}, {"Clock Value", 1}, {"Clock Unit", 2}, {"Start Trigger", 1}, {"Stop Trigger", 4},
            {"Start Position", 0}, {"Stop Position", 999}, {"Repeat Count", 1}, {"Buffer Size", 1000}};
        for (const auto& [entry, value] : generating) {
            QCOMPARE(Stored(("Generating Settings/" + std::string(entry)).c_str()).toInt(), value);
        }
        QCOMPARE(Stored("Sampling Settings/Buffer Size").toLongLong(),
                 qlonglong(LOGIC_CONDITION().SamplingBufferSize));
        QVERIFY(!Stored("Sampling Settings/Clock Type").isValid());  // only the direction in use
        QCOMPARE(Stored("Bookmark Settings/Auto Close").toInt(), 1);
        QCOMPARE(Stored("Workspace/ApplicationLook").toInt(), 216);
        QVERIFY(!Stored("Workspace/MFCToolBar-5939882/Buttons").isValid());
        QVERIFY(!Stored("Workspace/MFCToolBar-593980/Buttons").isValid());
        QVERIFY(!Stored("Language/LCID").isValid());
        QVERIFY(m_messages.Shown.empty());
    }

    void aPersistedDeviceIsFoundWithDirection2AndASamplingBufferSize() {
        Store({{"Common Settings/DeviceName", "DIO002 QDX-32A-PE"}, {"Common Settings/Direction", 2},
               {"Generating Settings/Clock Value", 7}, {"Generating Settings/Clock Unit", 1},
               {"Generating Settings/Stop Trigger", 3}, {"Generating Settings/Stop Position", 3999},
               {"Generating Settings/Repeat Count", 3}, {"Generating Settings/Buffer Size", 5000},
               {"Sampling Settings/Buffer Size", 2000}, {"Sampling Settings/Clock Value", 9}});
        Start();
        const LOGIC_CONDITION& c = Document().Condition();
        QCOMPARE(c.DeviceName, std::string("DIO002"));
        QCOMPARE(c.DeviceDesc, std::string("QDX-32C-PE"));  // the type comes from the board list
        QCOMPARE(c.ModelType, int16_t(1));
        QVERIFY(Active()->DeviceOpen());
        QCOMPARE(m_frame->Properties()->DeviceList()->currentIndex(), 2);
        QCOMPARE(c.Direction, int16_t(2));
        QCOMPARE(c.GeneratingGroup.Clock, 7U);
        QCOMPARE(c.GeneratingGroup.ClockUnit, int16_t(1));
        QCOMPARE(c.GeneratingGroup.StopTrigger, int16_t(3));
        QCOMPARE(c.GeneratingGroup.StopPosition, 3999U);
        QCOMPARE(c.GeneratingGroup.RepeatCount, 3U);
        QCOMPARE(Document().GeneratingMemory().Length(), 5000U);
        // The sampling set keeps its defaults, except the buffer size.
        QCOMPARE(c.SamplingGroup.Clock, LOGIC_CONDITION().SamplingGroup.Clock);
        QCOMPARE(c.SamplingBufferSize, 2000U);
        QCOMPARE(Document().SamplingMemory().Length(), 2000U);
        QVERIFY(m_messages.Shown.empty());
    }

    void aDeviceFoundBehindAGapInTheBoardList() {
        Store({{"Common Settings/DeviceName", "DIO005 QDX-32C-PE"}, {"Common Settings/Direction", 2}});
        Start();
        QCOMPARE(Document().Condition().DeviceName, std::string("DIO005"));
        QVERIFY(Active()->DeviceOpen());
    }

    void aPersistedDeviceNotFoundKeepsTheFirstBoardAndTheDefaults() {
        for (const char* name : {"DIO009 QDX-32A-PE", "DIO002"}) {
            Store({{"Common Settings/DeviceName", name}, {"Common Settings/Direction", 1},
                   {"Sampling Settings/Buffer Size", 2000}});
            Start();
            QCOMPARE(Document().Condition().DeviceName, std::string("DIO000"));
            QCOMPARE(Document().Condition().Direction, int16_t(2));
            QCOMPARE(Document().SamplingMemory().Length(), CLogicDocument::InitialSamplingWords);
            QCOMPARE(m_frame->Properties()->DeviceList()->currentIndex(), 0);
            Leave();
        }
    }

    void storedSizesOfZeroAndFourBillionTakeTheDefault() {
        Store({{"Common Settings/DeviceName", "DIO001 QDX-32A(PCI)"}, {"Common Settings/Direction", 2},
               {"Generating Settings/Buffer Size", 0}, {"Sampling Settings/Buffer Size", qlonglong(4000000000LL)}});
        Start();
        QCOMPARE(Document().Condition().DeviceName, std::string("DIO001"));
        QCOMPARE(Document().GeneratingMemory().Length(), 1000U);
        QCOMPARE(Document().Condition().SamplingBufferSize, 1000U);
        QCOMPARE(Document().SamplingMemory().Length(), 1000U);
        QCOMPARE(Document().Condition().GeneratingGroup.StopPosition, 999U);
    }

    void theSamplingDirectionIsWrittenAndTheGeneratingEntriesStay() {
        Store({{"Generating Settings/Clock Value", 77}});
        Start();
        LOGIC_CONDITION& c = Document().Condition();
        c.Direction = DIRECTION_SAMPLING;
        c.SamplingGroup.Clock = 12;
        c.StartPattern = 0x12345678;
        c.MonitorMode = 2;
        c.AutoSaveFileName = "Night";
        QVERIFY(Document().SetBufferSize(3000));
        Exit();
        QCOMPARE(Stored("Common Settings/Direction").toInt(), 1);
        QCOMPARE(Stored("Sampling Settings/Clock Value").toInt(), 12);
        QCOMPARE(Stored("Sampling Settings/Start Pattern").toLongLong(), 0x12345678LL);
        QCOMPARE(Stored("Sampling Settings/Data Monitor Mode").toInt(), 2);
        QCOMPARE(Stored("Sampling Settings/Auto Save File Name").toString(), QStringLiteral("Night"));
        QCOMPARE(Stored("Sampling Settings/Buffer Size").toInt(), 3000);
        QCOMPARE(Stored("Generating Settings/Clock Value").toInt(), 77);
        // The next start finds the device and takes the sampling set.
        Start();
        QCOMPARE(Document().Condition().Direction, int16_t(1));
        QCOMPARE(Document().Condition().SamplingGroup.Clock, 12U);
        QCOMPARE(Document().Condition().StartPattern, 0x12345678U);
        QCOMPARE(Document().Condition().AutoSaveFileName, std::string("Night"));
        QCOMPARE(Document().SamplingMemory().Length(), 3000U);
    }

    void autoCloseWrittenAtExit() {
        Start();
        QVERIFY(Choose(cmd::BookmarkList));
        auto* dialog = m_frame->findChild<CBookmarkDlg*>();
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QVERIFY(dialog->AutoCloseBox()->isChecked());
        dialog->AutoCloseBox()->setChecked(false);
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == QString::fromStdString(LoadText(IDS_BOOKMARK_OK))) button->click();
        }
        QCOMPARE(Document().BookmarkAutoClose, 0);
        Exit();
        QCOMPARE(Stored("Bookmark Settings/Auto Close").toInt(), 0);
        Start();
        QCOMPARE(Document().BookmarkAutoClose, 0);
        QVERIFY(Choose(cmd::BookmarkList));
        QVERIFY(!m_frame->findChild<CBookmarkDlg*>()->AutoCloseBox()->isChecked());
    }

    void languageCommandsStoreTheLanguageOfTheNextStart() {
        Start();
        QVERIFY(m_frame->Action(cmd::LanguageEnglish)->isChecked());
        QVERIFY(Choose(cmd::LanguageJapanese));
        QCOMPARE(m_messages.Texts(), std::vector<std::string>{"The setting is enabled after restarting of the application"});
        QCOMPARE(CQtUserMessages::CaptionFor(m_messages.Texts()[0]), QStringLiteral("Confirm"));
        QCOMPARE(Stored("Language/LCID").toInt(), 1041);
        // The running language stays, and stays marked.
        QCOMPARE(m_frame->menuBar()->actions().first()->text(), QStringLiteral("File(&F)"));
        QVERIFY(Choose(cmd::FileNew) == false);
        QVERIFY(m_frame->Action(cmd::LanguageEnglish)->isChecked());
        QVERIFY(!m_frame->Action(cmd::LanguageJapanese)->isChecked());
        Exit();
        Start();
        QCOMPARE(m_frame->menuBar()->actions().first()->text(), QStringLiteral("ファイル(&F)"));
        QVERIFY(Choose(cmd::LanguageEnglish));
        QCOMPARE(m_messages.Texts(), std::vector<std::string>{"アプリケーションを再起動すると設定が反映されます。"});
        QCOMPARE(CQtUserMessages::CaptionFor(m_messages.Texts()[0]), QStringLiteral("確認"));
        QVERIFY(m_frame->Action(cmd::LanguageJapanese)->isChecked());
        QCOMPARE(Stored("Language/LCID").toInt(), 1033);
    }

    void theRestartNoticeBoxHasTheConfirmCaption() {
        // The box itself, as the window layer shows it, in both languages;
        // another message keeps the application title.
        const auto shownCaption = [](const std::string& text) {
            // Polled until the box is up, so the box never waits for an answer
            // that was looked for too early.
            QString caption;
            QTimer answer;
            QObject::connect(&answer, &QTimer::timeout, [&caption, &answer] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    caption = box->windowTitle();
                    answer.stop();
                    box->accept();
                }
            });
            answer.start(10);
            CQtUserMessages(nullptr).ShowMessage(text, MessageIcon::Information);
            answer.stop();
            return caption;
        };
        for (const int language : {LANGUAGE_ENGLISH, LANGUAGE_JAPANESE}) {
            CStringTable::SetLanguage(language);
            const QString confirm = language == LANGUAGE_ENGLISH ? QStringLiteral("Confirm") : QStringLiteral("確認");
            QCOMPARE(shownCaption(LoadText(IDS_RESTART_TO_APPLY)), confirm);
            QCOMPARE(shownCaption(LoadText(IDS_OPEN_FAILED)), QString::fromStdString(LoadText(IDS_APP_TITLE)));
        }
        CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    }

    void withoutAStoredLanguageTheSystemsLanguageDecides() {
        Start(QString(), "ja_JP.UTF-8");
        QCOMPARE(m_frame->menuBar()->actions().first()->text(), QStringLiteral("ファイル(&F)"));
        QVERIFY(m_frame->Action(cmd::LanguageJapanese)->isChecked());
        Leave();
        Start(QString(), "fr_FR.UTF-8");
        QCOMPARE(m_frame->menuBar()->actions().first()->text(), QStringLiteral("File(&F)"));
        Leave();
        Store({{"Language/LCID", 1033}});
        Start(QString(), "ja_JP.UTF-8");
        QCOMPARE(m_frame->menuBar()->actions().first()->text(), QStringLiteral("File(&F)"));
    }

    void anUnreadableSettingsFileIsReportedOnceAndReplaced() {
        QVERIFY(QDir().mkpath(QFileInfo(m_folder->FilePath()).path()));
        QFile file(m_folder->FilePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Common Settings\nDeviceName=DIO002 QDX-32C-PE\nDirection=1\n");
        file.close();
        Start();
        QCOMPARE(m_messages.Shown.size(), std::size_t(1));
        QCOMPARE(m_messages.Shown[0].first,
                 FormatText(IDS_SETTINGS_UNREADABLE, (m_folder->FilePath() + ".unreadable").toStdString()));
        QCOMPARE(m_messages.Shown[0].second, MessageIcon::Warning);
        QVERIFY(QFile::exists(m_folder->FilePath() + ".unreadable"));
        QCOMPARE(Document().Condition().DeviceName, std::string("DIO000"));
        QCOMPARE(Document().Condition().Direction, int16_t(2));
        Exit();
        QCOMPARE(Stored("Common Settings/Direction").toInt(), 2);
        Start();
        QVERIFY(m_messages.Shown.empty());
    }

    void aCommandLineFileOpensAsOpenDoesOverTheShownMainWindow() {
        QTemporaryDir folder;
        const QString path = folder.filePath("start.csv");
        Start();
        Document().GeneratingMemory().Data()[5] = 0xA5A5A5A5u;
        m_chooser.Answer = path.toStdString();
        QVERIFY(Choose(cmd::FileSaveAs));
        QVERIFY(Choose(cmd::FileOpen));
        const QString titleByOpen = Active()->windowTitle();
        QCOMPARE(titleByOpen, QStringLiteral("start.csv"));
        Exit();
        Start(path);
        QCOMPARE(Active()->windowTitle(), titleByOpen);
        QCOMPARE(Document().GeneratingMemory().Data()[5], 0xA5A5A5A5u);
        QVERIFY(m_messages.Shown.empty());
        Leave();
        // A file that cannot be read: its message over the main window.
        Start(folder.filePath("missing.vpb"));
        QCOMPARE(m_messages.Texts(), std::vector<std::string>{LoadText(IDS_OPEN_FAILED)});
        QCOMPARE(m_messages.MainWindowShown, std::vector<bool>{true});
        QCOMPARE(m_frame->WindowCount(), 1);
    }

    void aCommandLineFileKeepsItsConditionOverThePersistedOne() {
        QTemporaryDir folder;
        const QString path = folder.filePath("long.csv");
        Start();
        QVERIFY(Document().SetSize(DIRECTION_GENERATING, 3000, 1));
        Document().GeneratingMemory().Data()[2999] = 0x3u;
        m_chooser.Answer = path.toStdString();
        QVERIFY(Choose(cmd::FileSaveAs));
        QVERIFY(Document().SetSize(DIRECTION_GENERATING, 1000, 1));
        Exit();
        QCOMPARE(Stored("Generating Settings/Buffer Size").toInt(), 1000);
        Start(path);
        QCOMPARE(Document().GeneratingMemory().Length(), 3000U);
        QCOMPARE(Document().GeneratingMemory().Data()[2999], 0x3u);
    }
};

class TestRecentFiles : public TestSettingsBase {
    Q_OBJECT
private slots:
    void init() { m_folder = std::make_unique<CFreshSettingsFolder>(); }
    void cleanup() { Leave(); }

    void emptyListsShowNoneDisabled() {
        Start();
        for (const char* title : {"Recent Files", "Recent Condition Files", "Recent Data Pattern Files"}) {
            QMenu* menu = RecentMenu(m_frame->menuBar(), QString::fromLatin1(title));
            QVERIFY2(menu != nullptr, title);
            QCOMPARE(Texts(menu), QStringList{QStringLiteral("(None)")});
            QVERIFY(!menu->actions().first()->isEnabled());
        }
    }

    void readsAndWritesFillTheListsWhichSurviveARestart() {
        QTemporaryDir folder;
        const QString deep = folder.filePath("projects/bench/long-folder-name");
        QVERIFY(QDir().mkpath(deep));
        const QString pulse = deep + "/run.csv";
        const QString condition = folder.filePath("set.nvc");
        const QString pattern = folder.filePath("p.bdp");
        QFile file(pattern);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("VARDEK NIVARA STUDIOS\r\nVersion,2.2.0.0\r\nData,0011\r\nPulseNum,2\r\n\r\n");
        file.close();
        Start();
        Document().GeneratingMemory().Data()[3] = 0x77u;
        m_chooser.Answers = {pulse.toStdString(), condition.toStdString(), pattern.toStdString()};
        QVERIFY(Choose(cmd::FileSaveAs));
        QVERIFY(Choose(cmd::FileSaveCondition));
        QVERIFY(Choose(cmd::FileOpenDataPattern));
        QVERIFY(m_messages.Shown.empty());
        QCOMPARE(Texts(RecentMenu(m_frame->menuBar(), "Recent Files")),
                 QStringList{"&1 " + QString::fromStdString(CRecentFileList::Shorten(pulse.toStdString()))});
        QVERIFY(Texts(RecentMenu(m_frame->menuBar(), "Recent Files")).first().size() <= 33);
        QCOMPARE(Texts(RecentMenu(m_frame->menuBar(), "Recent Condition Files")),
                 QStringList{"&1 " + QString::fromStdString(CRecentFileList::Shorten(condition.toStdString()))});
        QCOMPARE(Texts(RecentMenu(m_frame->menuBar(), "Recent Data Pattern Files")),
                 QStringList{"&1 " + QString::fromStdString(CRecentFileList::Shorten(pattern.toStdString()))});
        Exit();
        QCOMPARE(Stored("Recent File List/File1").toString(), pulse);
        QCOMPARE(Stored("Recent NVC File List/File1").toString(), condition);
        QCOMPARE(Stored("Recent BDP File List/File1").toString(), pattern);

        // After the restart an entry reads its file into the document window.
        Start();
        QMenu* recent = RecentMenu(m_frame->menuBar(), "Recent Files");
        QCOMPARE(recent->actions().size(), 1);
        QCOMPARE(Document().GeneratingMemory().Data()[3], 0u);
        QVERIFY(recent->actions().first()->isEnabled());
        recent->actions().first()->trigger();
        QCOMPARE(Document().GeneratingMemory().Data()[3], 0x77u);
        QCOMPARE(Active()->windowTitle(), QStringLiteral("run.csv"));
        // The data pattern entry stamps its pattern, the condition entry reads.
        RecentMenu(m_frame->menuBar(), "Recent Data Pattern Files")->actions().first()->trigger();
        QCOMPARE(Document().GeneratingMemory().Data()[2] & 1u, 1u);
        RecentMenu(m_frame->menuBar(), "Recent Condition Files")->actions().first()->trigger();
        QVERIFY(m_messages.Shown.empty());
        QCOMPARE(Texts(RecentMenu(m_frame->menuBar(), "Recent Condition Files")).size(), 1);
    }

    void aFailedLoadRemovesItsEntry() {
        QTemporaryDir folder;
        const QString first = folder.filePath("a&b.vpb");
        const QString second = folder.filePath("gone.vpb");
        Start();
        m_chooser.Answers = {first.toStdString(), second.toStdString()};
        QVERIFY(Choose(cmd::FileSaveAs));
        QVERIFY(Choose(cmd::FileSaveAs));
        QMenu* recent = RecentMenu(m_frame->menuBar(), "Recent Files");
        QCOMPARE(Texts(recent).size(), 2);
        QVERIFY(Texts(recent)[0].startsWith("&1 ") && Texts(recent)[0].endsWith("gone.vpb"));
        QVERIFY(Texts(recent)[1].startsWith("&2 ") && Texts(recent)[1].endsWith("a&&b.vpb"));
        QVERIFY(QFile::remove(second));
        recent->actions().first()->trigger();
        QCOMPARE(m_messages.Texts(), std::vector<std::string>{LoadText(IDS_OPEN_FAILED)});
        recent = RecentMenu(m_frame->menuBar(), "Recent Files");
        QCOMPARE(Texts(recent).size(), 1);
        QVERIFY(Texts(recent)[0].startsWith("&1 ") && Texts(recent)[0].endsWith("a&&b.vpb"));
        QVERIFY(QFile::remove(first));
        recent->actions().first()->trigger();
        QCOMPARE(Texts(RecentMenu(m_frame->menuBar(), "Recent Files")), QStringList{QStringLiteral("(None)")});
        Exit();
        QVERIFY(!Stored("Recent File List/File1").isValid());
    }

    void aSaveAsOfTheExitQuestionIsKeptAndCancelKeepsTheWindow() {
        QTemporaryDir folder;
        const QString path = folder.filePath("last.vpb");
        Start();
        Document().Saved = 0;
        m_messages.Answers = {MessageAnswer::Cancel};
        QVERIFY(!m_frame->close());
        QCOMPARE(m_frame->WindowCount(), 1);
        m_messages.Answers = {MessageAnswer::Yes};
        m_chooser.Answer = path.toStdString();
        QVERIFY(m_frame->close());
        App()->ExitInstance();
        m_frame = nullptr;
        QVERIFY(QFile::exists(path));
        QCOMPARE(Stored("Recent File List/File1").toString(), path);
        QCOMPARE(Stored("Common Settings/Direction").toInt(), 2);
    }

    void anUpperCaseCsvEntryIsReadAsAPulseBinaryFile() {
        QTemporaryDir folder;
        const QString binary = folder.filePath("BINARY.CSV");
        const QString text = folder.filePath("text.csv");
        const QString textUpper = folder.filePath("TEXT.CSV");
        Start();
        Document().GeneratingMemory().Data()[1] = 0x5u;
        m_chooser.Answers = {binary.toStdString(), text.toStdString()};
        QVERIFY(Choose(cmd::FileSaveAs));  // "CSV" is not "csv": written as a binary file
        QVERIFY(Choose(cmd::FileSaveAs));
        QVERIFY(QFile::copy(text, textUpper));
        Exit();
        Store({{"Recent File List/File1", binary}, {"Recent File List/File2", textUpper}});
        Start();
        QMenu* recent = RecentMenu(m_frame->menuBar(), "Recent Files");
        QCOMPARE(Texts(recent).size(), 2);
        recent->actions().first()->trigger();
        QVERIFY(m_messages.Shown.empty());
        QCOMPARE(Document().GeneratingMemory().Data()[1], 0x5u);
        // A text file under an upper-case name is read as binary and fails.
        recent = RecentMenu(m_frame->menuBar(), "Recent Files");
        QCOMPARE(Texts(recent)[1].endsWith("TEXT.CSV"), true);
        recent->actions()[1]->trigger();
        QCOMPARE(m_messages.Texts(), std::vector<std::string>{LoadText(IDS_OPEN_FAILED)});
        QCOMPARE(Texts(RecentMenu(m_frame->menuBar(), "Recent Files")).size(), 1);
    }
};

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestSettings settings;
    TestRecentFiles recent;
    int failed = QTest::qExec(&settings, argc, argv);
    failed += QTest::qExec(&recent, argc, argv);
    return failed;
}

#include "test_ui_settings.moc"
