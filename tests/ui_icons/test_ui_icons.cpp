#include <QAction>
#include <QImage>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include "resources/CStringTable.h"
#include "resources/ui/CIconLibrary.h"
#include "shell/CMenuTable.h"
#include "shell/ui/CMainFrame.h"
#include "signals/ui/CChannelTreeView.h"
#include "support/CScriptedMessages.h"

namespace {
// True when the icon draws something at that size (not a blank square).
bool Draws(const QIcon& icon, int size) {
    const QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.width() != size) return false;
    int painted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
    return painted > size * size / 10;
}

QString Tooltip(int command, int language) {
    return QString::fromStdString(CStringTable::Text(command, language)).section('\n', 1, 1);
}
}  // namespace

class TestIcons : public QObject {
    Q_OBJECT
private slots:
    void everyToolbarButtonHasAPictureAndATooltipInBothLanguages() {
        CScriptedMessages messages;
        CMainFrame frame(&messages);
        QToolBar* toolbar = frame.ToolBar();
        QVERIFY(toolbar != nullptr);
        int buttons = 0;
        for (int command : CMenuTable::ToolbarButtons()) {
            if (command == 0) continue;
            ++buttons;
            QAction* action = frame.Action(command);
            QVERIFY2(action != nullptr, qPrintable(QString::number(command)));
            QVERIFY2(toolbar->actions().contains(action), qPrintable(QString::number(command)));
            QVERIFY2(!action->icon().isNull(), qPrintable(QString::number(command)));
            QVERIFY2(Draws(action->icon(), 16), qPrintable(QString::number(command)));
            QVERIFY2(Draws(action->icon(), 32), qPrintable(QString::number(command)));
            QVERIFY2(!Tooltip(command, LANGUAGE_ENGLISH).isEmpty(), qPrintable(QString::number(command)));
            QVERIFY2(!Tooltip(command, LANGUAGE_JAPANESE).isEmpty(), qPrintable(QString::number(command)));
            QCOMPARE(action->toolTip(), Tooltip(command, LANGUAGE_ENGLISH));
        }
        QCOMPARE(buttons, 43);
        // Two buttons never share a picture.
        QList<QImage> seen;
        for (int command : CMenuTable::ToolbarButtons()) {
            if (command == 0) continue;
            const QImage image = frame.Action(command)->icon().pixmap(16, 16).toImage();
            QVERIFY2(!seen.contains(image), qPrintable(QString::number(command)));
            seen << image;
        }
        QCOMPARE(seen.size(), buttons);
    }

    void conditionPaneAndSignalTreeShowTheirPictures() {
        CScriptedMessages messages;
        CMainFrame frame(&messages);
        QVERIFY(frame.OnFileNew() != nullptr);
        auto* pane = frame.findChild<QToolBar*>(QStringLiteral("ConditionToolBar"));
        QVERIFY(pane != nullptr);
        QCOMPARE(pane->actions().size(), 2);
        for (QAction* action : pane->actions()) {
            QVERIFY(Draws(action->icon(), 16));
            QVERIFY(!action->toolTip().isEmpty());
        }
        auto* tree = frame.findChild<CChannelTreeView*>();
        QVERIFY(tree != nullptr);
        QVERIFY(tree->topLevelItemCount() > 0);
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QVERIFY(Draws(tree->topLevelItem(i)->icon(0), 16));
        }
    }

    void treeAndPanePicturesDraw() {
        QVERIFY(Draws(CIconLibrary::Load(CIconLibrary::TreeItem), 16));
        QVERIFY(Draws(CIconLibrary::Load(CIconLibrary::PaneExpandAll), 16));
        QVERIFY(Draws(CIconLibrary::Load(CIconLibrary::PaneSortAlphabetical), 32));
        QVERIFY(CIconLibrary::Load("no_such_picture").isNull());
        QVERIFY(CIconLibrary::Load("").isNull());
    }
};

QTEST_MAIN(TestIcons)
#include "test_ui_icons.moc"
