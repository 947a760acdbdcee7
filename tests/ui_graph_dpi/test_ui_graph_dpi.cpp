#include <QtTest>

#include "document/CWindowRecords.h"
#include "graph/ui/CDrawRect.h"
#include "graph/ui/CNivaraView.h"
#include "shell/ui/CNivaraDoc.h"

// The graph on a 144 dpi screen: every size given for s = 1 grows by 1.5.
class TestGraphDpi : public QObject {
    Q_OBJECT

private slots:
    void scalesWithTheScreen() {
        CNivaraDoc doc;
        CWindowRecords records("Signal");
        doc.Document().GeneratingMemory().SetWord(0, 1);
        CNivaraView view(doc.Document(), records);
        view.resize(1000, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.logicalDpiX(), 144);
        const CGraphGeometry& g = view.Model().Geometry();
        QCOMPARE(g.Scale(), 1.5f);
        QCOMPARE(g.Ruler().bottom, 30);
        QCOMPARE(g.GraphArea().top, 36);
        QCOMPARE(g.PixelsPerClock(), 15.0);
        QCOMPARE(g.InfoStrip().Height(), 94);
        // The ruler's bottom border and the high level of channel 0 at clock 0.
        const QImage& surface = view.RenderSurface();
        QCOMPARE(surface.pixelColor(500, 30), ToQColor(graph_colour::Ruler));
        QCOMPARE(surface.pixelColor(7, g.GraphArea().top + 4), ToQColor(graph_colour::SignalLevel));
        QCOMPARE(surface.pixelColor(22, g.GraphArea().top + 4), ToQColor(graph_colour::Background));
    }
};

QTEST_MAIN(TestGraphDpi)
#include "test_ui_graph_dpi.moc"
#include "graph/ui/CDrawRect.h"
