#include "analysis/ui/CDataPatternDetailDlg.h"

#include <QPainter>
#include <QPolygon>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include "analysis/ResultBoxColours.h"
#include "graph/CGraphGeometry.h"
#include "graph/ui/CDrawRect.h"
#include "resources/CStringTable.h"

namespace {

const QColor StepGreen = ToQColor(result_colour::Step);

// The client area: the step line of the bits shown.
class CDetailClient : public QWidget {
public:
    CDetailClient(const CDataPatternDetail& detail, QWidget* parent) : QWidget(parent), m_detail(detail) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        QPolygon line;
        for (const GRAPH_POINT& point : m_detail.StepLine(width(), height())) {
            line << QPoint(point.x, point.y);
        }
        painter.setPen(QPen(StepGreen, 1));
        painter.drawPolyline(line);
    }

private:
    const CDataPatternDetail& m_detail;
};

DETAIL_SCROLL RequestOf(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return DETAIL_SCROLL::LineLeft;
    case QAbstractSlider::SliderSingleStepAdd: return DETAIL_SCROLL::LineRight;
    case QAbstractSlider::SliderPageStepSub: return DETAIL_SCROLL::PageLeft;
    case QAbstractSlider::SliderPageStepAdd: return DETAIL_SCROLL::PageRight;
    case QAbstractSlider::SliderMove: return DETAIL_SCROLL::ThumbTrack;
    default: return DETAIL_SCROLL::Other;
    }
}

}  // namespace

CDataPatternDetailDlg::CDataPatternDetailDlg(const DATA_PATTERN& pattern, float scale, QWidget* parent)
    : QDialog(parent),
      m_detail(pattern, scale),
      m_client(new CDetailClient(m_detail, this)),
      m_scrollBar(new QScrollBar(Qt::Horizontal, this)) {
    setObjectName(QStringLiteral("Dialog%1").arg(DialogId));
    setWindowTitle(QString::fromStdString(LoadText(IDS_DATA_PATTERN_DETAIL_CAPTION)));
    const QFontMetrics metrics(font());
    m_client->setFixedSize(CDataPatternDetail::HorizontalUnits(CDataPatternDetail::ClientWidthUnits,
                                                               metrics.averageCharWidth()),
                           CDataPatternDetail::VerticalUnits(CDataPatternDetail::ClientHeightUnits, metrics.height()));
    m_scrollBar->setRange(0, m_detail.ScrollMaximum());
    m_scrollBar->setSingleStep(CDataPatternDetail::LineStep);
    m_scrollBar->setPageStep(CDataPatternDetail::LineStep);
    m_scrollBar->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_client);
    layout->addWidget(m_scrollBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, &CDataPatternDetailDlg::OnScrollAction);
    connect(m_scrollBar, &QScrollBar::sliderReleased, this, [this] {
        m_detail.Scroll(DETAIL_SCROLL::ThumbPosition, m_scrollBar->sliderPosition());
        m_scrollBar->setValue(m_detail.Position());
        m_client->update();
    });
}

void CDataPatternDetailDlg::OnScrollAction(int action) {
    const bool redraw = m_detail.Scroll(RequestOf(action), m_scrollBar->sliderPosition());
    // The window's own rules decide where the scroll box goes.
    m_scrollBar->setSliderPosition(m_detail.Position());
    if (redraw) {
        m_client->update();
    }
}

void CDataPatternDetailDlg::PlaceAbove(const QWidget& graph, int slotLeft) {
    m_graph = &graph;
    m_slotLeft = slotLeft;
    if (isVisible()) {
        Place();
    }
}

void CDataPatternDetailDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Place();
}

void CDataPatternDetailDlg::Place() {
    if (m_graph == nullptr) {
        return;
    }
    const QPoint graphTopLeft = m_graph->mapToGlobal(QPoint(0, 0));
    const GRAPH_POINT at = CDataPatternDetail::Placement(graphTopLeft.x(), graphTopLeft.y(), m_slotLeft,
                                                         frameGeometry().height());
    move(at.x, at.y);
}

void CDataPatternDetailDlg::Open(const DATA_PATTERN& pattern, QWidget& graph) {
    CDataPatternDetailDlg dialog(pattern, CGraphGeometry::ScaleFromDpi(graph.logicalDpiX()), &graph);
    dialog.PlaceAbove(graph, pattern.SlotLeft);
    dialog.exec();
}
