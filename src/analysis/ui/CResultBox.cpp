#include "analysis/ui/CResultBox.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "analysis/CResultPages.h"
#include "analysis/CResultTexts.h"
#include "analysis/ResultBoxColours.h"
#include "document/CDataPatternList.h"
#include "graph/CGraphGeometry.h"
#include "graph/CGraphModel.h"

namespace {

const QColor BoxGrey = ToQColor(result_colour::Box);
const QColor TextWhite = ToQColor(result_colour::Text);
const QColor SlotRed = ToQColor(result_colour::Slot);
const QColor StepGreen = ToQColor(result_colour::Step);
constexpr int TextGap = 10;
constexpr int CornerRadius = 5;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CResultBox::CResultBox(const CGraphModel& model, const CResultPages& pages, CDataPatternList& patterns, float scale)
    : m_model(model),
      m_pages(pages),
      m_patterns(patterns),
      m_scale(scale),
      m_font(MakeFont(QStringLiteral("ＭＳ Ｐゴシック"), CGraphGeometry::Scaled(scale, 10), 700)),
      m_titleWidth(CGraphGeometry::Scaled(scale, 200)) {
    SetColors(BoxGrey, BoxGrey);
}

bool CResultBox::PatternFits(int boxWidth, int length, double pixelsPerClock) {
    return SlotWidth(boxWidth) - 2 * SlotMargin >= static_cast<int>(length * pixelsPerClock);
}

QStringList CResultBox::Texts() const {
    QStringList texts;
    switch (m_pages.Page()) {
    case RESULT_PAGE::LogicalOperation:
        if (const auto& logic = m_pages.Logic(); logic && !logic->Bits.Empty()) {
            texts << Text(CResultTexts::LogicTitle(logic->Operation)) << Text(CResultTexts::LogicChannels(logic->Channels));
        }
        break;
    case RESULT_PAGE::PulseCount:
        if (const auto& pulse = m_pages.PulseCount()) {
            texts << Text(CResultTexts::PulseCountTitle(*pulse))
                  << Text(CResultTexts::RangeLine(pulse->Channel, pulse->Start, pulse->End));
        }
        break;
    case RESULT_PAGE::Frequency:
        if (const auto& frequency = m_pages.Frequency()) {
            texts << Text(CResultTexts::FrequencyTitle(*frequency))
                  << Text(CResultTexts::RangeLine(frequency->Channel, frequency->Start, frequency->End));
        }
        break;
    case RESULT_PAGE::Search:
        if (const auto& search = m_pages.Search()) {
            for (const std::string& text : CResultTexts::SearchTexts(*search)) {
                texts << Text(text);
            }
        }
        break;
    case RESULT_PAGE::DataPattern:
        break;
    }
    return texts;
}

void CResultBox::Draw(QPainter& painter) {
    SetRect(m_model.Geometry().ResultStrip());
    const GRAPH_RECT& box = Rect();
    if (box.Width() <= 0 || box.Height() <= 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Border());
    painter.setBrush(Fill());
    painter.drawRoundedRect(QRect(box.left, box.top, box.Width() - 1, box.Height() - 1), CornerRadius, CornerRadius);
    painter.setClipRect(ToQRect(box));
    painter.setFont(m_font);
    painter.setPen(TextWhite);
    painter.setBrush(Qt::NoBrush);
    switch (m_pages.Page()) {
    case RESULT_PAGE::LogicalOperation: DrawLogic(painter, box); break;
    case RESULT_PAGE::PulseCount:
    case RESULT_PAGE::Frequency: DrawTwoTexts(painter, box, Texts()); break;
    case RESULT_PAGE::Search: DrawSearch(painter, box); break;
    case RESULT_PAGE::DataPattern: DrawPatterns(painter, box); break;
    }
    painter.restore();
}

void CResultBox::DrawTwoTexts(QPainter& painter, const GRAPH_RECT& box, const QStringList& texts) const {
    if (texts.size() < 2) {
        return;
    }
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter.drawText(QRect(box.left, box.top, m_titleWidth, box.Height()), flags, texts[0]);
    const int left = box.left + m_titleWidth + TextGap;
    painter.drawText(QRect(left, box.top, std::max(0, box.right - left), box.Height()), flags, texts[1]);
}

void CResultBox::DrawLogic(QPainter& painter, const GRAPH_RECT& box) const {
    const auto& logic = m_pages.Logic();
    if (!logic || logic->Bits.Empty()) {
        return;
    }
    const int half = box.Height() / 2;
    const GRAPH_RECT upper{box.left, box.top, box.right, box.top + half};
    DrawTwoTexts(painter, upper, Texts());
    // The digits of the visible clocks that lie inside the result, each
    // centred under its clock column; nothing past the result's last clock.
    const CGraphGeometry& geometry = m_model.Geometry();
    const double p = geometry.PixelsPerClock();
    const int64_t first = std::max(0, geometry.FirstVisibleClock());
    const int64_t lastVisible = first + geometry.ClocksPerPage();
    const int64_t last = std::min<int64_t>(lastVisible, static_cast<int64_t>(logic->Bits.Length()) - 1);
    const int left = geometry.GraphArea().left;
    const int width = std::max(1, static_cast<int>(std::ceil(p)));
    const QString digits[2] = {QStringLiteral("0"), QStringLiteral("1")};
    for (int64_t i = first; i <= last; ++i) {
        const int x = left + static_cast<int>(static_cast<double>(i - first) * p);
        painter.drawText(QRect(x, box.top + half, width, box.Height() - half),
                         Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
                         digits[logic->Bits.Bit(static_cast<uint32_t>(i))]);
    }
}

void CResultBox::DrawSearch(QPainter& painter, const GRAPH_RECT& box) const {
    const QFontMetrics metrics(m_font);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs;
    int x = box.left;
    for (const QString& text : Texts()) {
        const int width = metrics.boundingRect(QRect(0, 0, 10000, box.Height()), flags, text).width();
        painter.drawText(QRect(x, box.top, width + 1, box.Height()), flags, text);
        x += width + TextGap;
    }
}

void CResultBox::DrawPatterns(QPainter& painter, const GRAPH_RECT& box) {
    const int slotWidth = SlotWidth(box.Width());
    const double p = m_model.Geometry().PixelsPerClock();
    for (std::size_t i = 0; i < m_patterns.Size(); ++i) {
        DATA_PATTERN& entry = *m_patterns.At(i);
        const int left = box.left + static_cast<int>(i) * (slotWidth + SlotMargin);
        const GRAPH_RECT slot{left, box.top, left + slotWidth, box.bottom};
        entry.SlotLeft = slot.left;
        entry.SlotRight = slot.right;
        painter.setPen(QPen(SlotRed, 1));
        painter.drawRect(QRect(slot.left, slot.top, slot.Width() - 1, slot.Height() - 1));
        DrawPatternBits(painter, slot, QString::fromStdString(entry.Bits), PatternFits(box.Width(), entry.Length, p));
    }
}

void CResultBox::DrawPatternBits(QPainter& painter, const GRAPH_RECT& slot, const QString& bits, bool fits) const {
    const double p = m_model.Geometry().PixelsPerClock();
    const int room = fits ? slot.Width() - 2 * SlotMargin : slot.Width() - 3 * SlotMargin - TruncationMark;
    const int shown = std::min<int>(static_cast<int>(bits.size()), p > 0 ? static_cast<int>(room / p) : 0);
    const int low = slot.bottom - SlotMargin - 1;
    const int high = slot.bottom - static_cast<int>(16 + 20 * (m_scale - 1.0F)) - 1;
    const int x0 = slot.left + SlotMargin;
    QPainterPath path;
    for (int i = 0; i < shown; ++i) {
        const int y = bits[i] == QLatin1Char('1') ? high : low;
        const int xLeft = x0 + static_cast<int>(i * p);
        const int xRight = x0 + static_cast<int>((i + 1) * p);
        if (i == 0) {
            path.moveTo(xLeft, y);
        } else {
            path.lineTo(xLeft, y);  // the step between two bits
        }
        path.lineTo(xRight, y);
    }
    painter.setPen(QPen(StepGreen, 1));
    painter.drawPath(path);
    if (!fits) {
        // Three short dashes in the slot's rightmost pixels mark the cut.
        const int y = (slot.top + slot.bottom) / 2;
        const int x = slot.right - TruncationMark;
        for (int dash = 0; dash < 3; ++dash) {
            painter.drawLine(x + dash * 3, y, x + dash * 3 + 1, y);
        }
    }
}
