#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include "graph/ui/CNivaraView.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void startsWithOneDocumentWindow() {
        auto* app = qobject_cast<CNivaraApp*>(QCoreApplication::instance());
        QVERIFY(app != nullptr);
        QVERIFY(app->InitInstance());
        CMainFrame* frame = app->MainFrame();
        QCOMPARE(frame->windowTitle(), QString("Nivara"));
        QCOMPARE(frame->MdiArea()->subWindowList().size(), 1);
        auto* child = qobject_cast<CChildFrame*>(frame->MdiArea()->subWindowList().first());
        QVERIFY(child != nullptr);
        QCOMPARE(child->Records().GeneratingTable.Size(), 32u);
        QCOMPARE(child->Doc().Document().Condition().Direction, int16_t(2));
        QVERIFY(child->Doc().Document().Condition().AutoSavePath.size() > 0);
    }

    void graphPaintsBlackBackground() {
        auto* app = qobject_cast<CNivaraApp*>(QCoreApplication::instance());
        CChildFrame* child = qobject_cast<CChildFrame*>(app->MainFrame()->MdiArea()->subWindowList().first());
        CNivaraView* view = child->View();
        view->resize(300, 200);
        const QImage image = view->grab().toImage();
        QCOMPARE(image.pixelColor(150, 100), QColor(Qt::black));
    }
};

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_shell.moc"
