// One condition grid edit through the real main window, from the committed
// value to the grid shown again and the graph repainted, beside a full
// repaint of the graph alone in the same run (the baseline).
//
//   QT_QPA_PLATFORM=offscreen bench_grid_edit [edits]   (default 200)
#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "shell/ui/CPropertiesWnd.h"
#include "document/IUserMessages.h"
#include "graph/ui/CNivaraView.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CConditionPane.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "shell/ui/CPropertyGridCtrl.h"

namespace {

class YesMessages : public IUserMessages {
public:
    void ShowMessage(const std::string& text, MessageIcon) override { std::printf("message: %s\n", text.c_str()); }
    MessageAnswer AskYesNo(const std::string&, MessageIcon) override { return MessageAnswer::Yes; }
    MessageAnswer AskYesNoCancel(const std::string&, MessageIcon) override { return MessageAnswer::Yes; }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Worst(const std::vector<double>& values) { return *std::max_element(values.begin(), values.end()); }

}  // namespace

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    const int edits = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
    YesMessages messages;
    app.SetUserMessages(&messages);
    if (!app.InitInstance(QString())) {
        return 1;
    }
    CMainFrame* frame = app.MainFrame();
    frame->resize(1920, 1080);
    frame->show();
    QCoreApplication::processEvents();
    CChildFrame* child = frame->ActiveChildFrame();
    CNivaraView* view = child->View();
    QWidget* grid = frame->Properties()->Grid()->Grid()->Tree()->viewport();
    // A generating memory of 1,000,000 words with a pattern in it.
    frame->OnConditionChanged("Buffer size", "1000000");
    uint32_t* words = child->Doc().Document().GeneratingMemory().Data();
    for (uint32_t i = 0; i < 1000000; ++i) {
        words[i] = i * 2654435761u;
    }
    view->RefreshView();
    view->repaint();
    QCoreApplication::processEvents();

    std::vector<double> edit;
    std::vector<double> baseline;
    QElapsedTimer timer;
    for (int i = 0; i < edits; ++i) {
        timer.start();
        view->RefreshView();
        view->repaint();
        baseline.push_back(timer.nsecsElapsed() / 1e6);

        const QString value = QString::number(900000 + i % 2);
        timer.start();
        frame->OnConditionChanged("Transfer stop position", value);
        grid->repaint();
        view->repaint();
        edit.push_back(timer.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents();
    }
    const double e = Median(edit);
    const double b = Median(baseline);
    std::printf("grid edit (Transfer stop position) to grid and graph shown: median %.3f ms, worst %.3f ms\n", e,
                Worst(edit));
    std::printf("baseline full graph repaint alone:                        median %.3f ms, worst %.3f ms\n", b,
                Worst(baseline));
    std::printf("ratio edit / baseline: %.2f (goal: edit under 16 ms)\n", e / b);
    child->Doc().Document().Saved = 1;
    app.ExitInstance();
    return e < 16.0 ? 0 : 2;
}
