#include "charts/ChartTextRoom.h"

#include "charts/ChartPainter.h"

#include <chartlib/BaseChart.h>
#include <chartlib/MarkupText.h>
#include <chartlib/WxCanvas.h>
#include <cmath>
#include <wx/graphics.h>

ChartTextRoom::ChartTextRoom()
    : m_screenContext(wxGraphicsRenderer::GetDefaultRenderer()->CreateMeasuringContext()),
      m_screen(std::make_unique<chartlib::WxCanvas>(*m_screenContext)), m_metrics(*m_screen)
{}

ChartTextRoom::ChartTextRoom(chartlib::Canvas& metrics) : m_metrics(metrics) {}

ChartTextRoom::~ChartTextRoom() = default;

int ChartTextRoom::LegendHeight(const chartlib::BaseChart& chart, const std::string& legend, int maxWidth)
{
    if(m_legend.length != legend.size() || m_legend.width != maxWidth) {
        m_legend = Kept{legend.size(), maxWidth, Measure(chart, legend, true)};
    }
    return m_legend.measure;
}

int ChartTextRoom::LabelWidth(const chartlib::BaseChart& chart, const std::string& label)
{
    if(m_label.length != label.size()) {
        m_label = Kept{label.size(), -1, Measure(chart, label, false)};
    }
    return m_label.measure;
}

int ChartTextRoom::Measure(const chartlib::BaseChart& chart, const std::string& markup, bool height)
{
    chartlib::MarkupText text(markup, chart.resolveFont(ChartPainter::kBoldFontName, ChartPainter::kFontSize),
                              0);
    const chartlib::Size size = text.size(m_metrics);
    return static_cast<int>(std::ceil(height ? size.height : size.width));
}
