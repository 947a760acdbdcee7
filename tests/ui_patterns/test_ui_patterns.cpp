#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <string>
#include <vector>

#include "document/CChannelTable.h"
#include "patterns/CChannelSwap.h"
#include "patterns/ui/CClockPatternDlg.h"
#include "patterns/ui/CContinuousPatternDlg.h"
#include "patterns/ui/COffsetDlg.h"
#include "patterns/ui/CSwapDlg.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"
#include "support/CScriptedMessages.h"

namespace {
QLineEdit* Edit(QWidget& dialog, int id) { return dialog.findChild<QLineEdit*>(QString::number(id)); }
QComboBox* List(QWidget& dialog, int id) { return dialog.findChild<QComboBox*>(QString::number(id)); }

QPushButton* Button(QWidget& dialog, int textId) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QString::fromStdString(LoadText(textId))) return button;
    }
    return nullptr;
}

QStringList Labels(QWidget& dialog) {
    QStringList texts;
    for (QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    return texts;
}
}  // namespace

class TestPatterns : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CStringTable::SetLanguage(LANGUAGE_ENGLISH); }

    void clockDialogOffersItsDefaultsAndReadsTheTypedCounts() {
        CScriptedMessages messages;
        CClockPatternDlg dialog(7, messages);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Creating Clock Pattern"));
        QCOMPARE(Edit(dialog, 1011)->text(), QStringLiteral("7"));
        QCOMPARE(List(dialog, 1012)->currentText(), QStringLiteral("0"));
        QCOMPARE(Edit(dialog, 1013)->text(), QStringLiteral("1"));
        QCOMPARE(Edit(dialog, 1014)->text(), QStringLiteral("1"));
        QCOMPARE(Edit(dialog, 1015)->text(), QStringLiteral("0"));
        QVERIFY(Labels(dialog).contains(QStringLiteral("1 Colok Count:")));
        List(dialog, 1012)->setCurrentIndex(1);
        Edit(dialog, 1013)->setText(QStringLiteral("2x"));
        Edit(dialog, 1014)->setText(QStringLiteral("3"));
        Edit(dialog, 1015)->setText(QStringLiteral("-4"));
        dialog.show();
        QTest::mouseClick(Button(dialog, IDS_PATTERN_CREATE), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(messages.Shown.empty());
        const PATTERN_PARAMETERS p = dialog.Parameters();
        QCOMPARE(p.PatternKind, int16_t(0));
        QCOMPARE(p.PatternChannel, int16_t(7));
        QCOMPARE(p.PatternData, int16_t(1));
        QCOMPARE(p.ZeroClockCount, 2U);
        QCOMPARE(p.OneClockCount, 3U);
        QCOMPARE(p.PatternCount, 0U);  // reading stops at the first non-digit
    }

    void badChannelOrPeriodKeepsTheDialogOpenWithTheRangeMessage() {
        CScriptedMessages messages;
        CClockPatternDlg dialog(0, messages);
        dialog.show();
        Edit(dialog, 1011)->setText(QStringLiteral("32"));
        QTest::mouseClick(Button(dialog, IDS_PATTERN_CREATE), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.Shown.size(), std::size_t(1));
        QCOMPARE(messages.Shown[0].first, std::string("Enter an integer between 0 and 31."));
        Edit(dialog, 1011)->setText(QStringLiteral("31"));
        Edit(dialog, 1013)->setText(QStringLiteral("0"));
        Edit(dialog, 1014)->setText(QStringLiteral("0"));
        QTest::mouseClick(Button(dialog, IDS_PATTERN_CREATE), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.Shown.back().first, std::string("Enter an integer between 1 and 100000000."));
        Edit(dialog, 1014)->setText(QStringLiteral("1"));
        QTest::mouseClick(Button(dialog, IDS_PATTERN_CREATE), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void continuousAndOffsetDialogsGiveTheirKinds() {
        CScriptedMessages messages;
        CContinuousPatternDlg continuous(4, messages);
        QCOMPARE(continuous.windowTitle(), QStringLiteral("Creating Continuous Pattern"));
        QCOMPARE(Edit(continuous, 1016)->text(), QStringLiteral("4"));
        QCOMPARE(Edit(continuous, 1017)->text(), QStringLiteral("0"));
        Edit(continuous, 1017)->setText(QStringLiteral("3"));
        QCOMPARE(continuous.Parameters().PatternKind, int16_t(1));
        QCOMPARE(continuous.Parameters().PatternCount, 3U);

        COffsetDlg offset(2, messages);
        QCOMPARE(offset.windowTitle(), QStringLiteral("Offset Setting"));
        QCOMPARE(List(offset, 1019)->currentText(), QStringLiteral("0"));
        List(offset, 1019)->setCurrentIndex(1);
        QCOMPARE(offset.Parameters().PatternKind, int16_t(2));
        QCOMPARE(offset.Parameters().PatternData, int16_t(1));
        QCOMPARE(offset.Parameters().PatternChannel, int16_t(2));
    }

    void swapDialogListsTheSignalsAndKeepsTheChosenEntries() {
        const std::vector<SWAP_ENTRY> list = CChannelSwap::SignalList(CChannelTable::MakeDefault("Signal"));
        CSwapDlg dialog(list);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Swap"));
        QCOMPARE(dialog.FirstList()->count(), 32);
        QCOMPARE(dialog.FirstList()->itemText(3), QStringLiteral("3:Signal3"));
        QCOMPARE(dialog.First(), 0);
        QCOMPARE(dialog.Second(), 1);
        dialog.SecondList()->setCurrentIndex(3);
        QCOMPARE(dialog.Second(), 3);
        QVERIFY(Labels(dialog).contains(QStringLiteral("Up  Down")));

        const std::vector<SWAP_ENTRY> one = {{0, "0:Signal0"}};
        CSwapDlg single(one);
        QCOMPARE(single.Second(), -1);  // OK then fails with 64517
    }

    void dialogsSpeakJapanese() {
        CStringTable::SetLanguage(LANGUAGE_JAPANESE);
        CScriptedMessages messages;
        CClockPatternDlg clock(0, messages);
        QCOMPARE(clock.windowTitle(), QStringLiteral("クロックパターンの作成"));
        QVERIFY(Button(clock, IDS_PATTERN_CREATE) != nullptr);
        QCOMPARE(Button(clock, IDS_PATTERN_CREATE)->text(), QStringLiteral("作成"));
        CSwapDlg swap(CChannelSwap::SignalList(CChannelTable::MakeDefault("信号")));
        QCOMPARE(swap.windowTitle(), QStringLiteral("入れ替え"));
        QCOMPARE(swap.FirstList()->itemText(1), QStringLiteral("1:信号1"));
    }
};

QTEST_MAIN(TestPatterns)
#include "test_ui_patterns.moc"
