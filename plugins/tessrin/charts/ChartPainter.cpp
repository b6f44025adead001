#include "charts/ChartPainter.h"

#include "charts/ChartPanelData.h"
#include "charts/HistoryQuote.h"

#include <algorithm>
#include <chartlib/ChartConstants.h>
#include <chartlib/DataSet.h>
#include <chartlib/DrawArea.h>
#include <chartlib/Layer.h>
#include <chartlib/MultiChart.h>
#include <chartlib/PlotArea.h>
#include <chartlib/XYChart.h>
#include <string>
#include <vector>
#include <wx/intl.h>
#include <wx/string.h>

using namespace chartlib;

namespace {

constexpr double kMonth = 2592000;
constexpr double kDay = 86400;
constexpr int kGridColour = 0xC0C0C0;
constexpr int kAltPlotColour = 0xF8F8F8;
constexpr int kAxisLabelGap = 6;
constexpr int kLatestPriceInset = 10;
// The legend's place below the plot's top, and what the K-lines keep clear
// of it.
constexpr int kLegendInset = 3;
constexpr int kLegendGap = 3;
const char kLabelFont[] = "<*font,bgColor=E0E0B0,color=000000*> ";
const char kLatestFont[] = "<*font,bgColor=C080C0,color=000000*> ";
const char kStaleFont[] = "<*font,bgColor=C0C0C0,color=000000*> ";
const char kFailureFont[] = "<*font,bgColor=FFE0E0,color=CC0000*> ";
constexpr int kFailureFontSize = 12;

std::string Hex(int colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(colour));
    return text;
}

std::string Tr(const char* text)
{
    return wxGetTranslation(text).utf8_string();
}

// The name of a legend entry and the unit it carries after its last digit
// ("Vol: 1000K" gives "Vol" and "K").
void SplitName(std::string& name, std::string& unit)
{
    const size_t colon = name.find(':');
    if(colon == std::string::npos) {
        return;
    }
    const size_t digit = name.find_last_of("0123456789");
    if(digit != std::string::npos && digit > colon && digit + 1 < name.size()) {
        unit = name.substr(digit + 1);
    }
    name = name.substr(0, colon);
}

} // namespace

std::string ChartPainter::ValueFormat() const
{
    return "{value|" + std::to_string(m_style.decimals) + "}";
}

std::string ChartPainter::Format(BaseChart& chart, double value, const std::string& format) const
{
    return chart.formatValue(value, format);
}

std::unique_ptr<KLineChart> ChartPainter::BuildChart(int width, int height)
{
    auto chart = std::make_unique<KLineChart>(width);
    chart->setDefaultFonts(kFontName);
    // A price label wider than the margin widens it: the labels stand whole.
    int rightMargin = kRightMargin;
    if(m_room) {
        rightMargin =
            std::max(rightMargin, kAxisLabelGap + m_room->LabelWidth(*chart, LatestLabel(*chart)) + 1);
    }
    chart->leftMargin = kLeftMargin;
    chart->rightMargin = rightMargin;
    chart->topMargin = kTopMargin;
    chart->bottomMargin = kBottomMargin;
    // Transparent legend colours: the composer draws no legend box.
    chart->legendFont = kFontName;
    chart->legendFontSize = 10;
    chart->legendFontColor = Transparent;
    chart->legendBgColor = Transparent;
    chart->yAxisFont = kFontName;
    chart->yAxisFontSize = 10;
    chart->yAxisFontColor = Transparent;
    chart->yAxisMargin = 13;
    chart->xAxisFont = kFontName;
    chart->xAxisFontSize = 10;
    chart->xAxisFontColor = Transparent;
    chart->xAxisFontAngle = 0;

    int extra = 0, unused = 0;
    const DoubleArray times = m_data.GetSeries(ChartPanelData::eTime, &extra);
    const DoubleArray open = m_data.GetSeries(ChartPanelData::eOpen, &unused);
    const DoubleArray high = m_data.GetSeries(ChartPanelData::eHigh, &unused);
    const DoubleArray low = m_data.GetSeries(ChartPanelData::eLow, &unused);
    const DoubleArray close = m_data.GetSeries(ChartPanelData::eClose, &unused);
    const DoubleArray volume = m_data.GetSeries(ChartPanelData::eVolume, &unused);
    chart->loadOwnedSeries(extra, times, high, low, open, close, volume);

    XYChart* main = chart->addPriceChart(height - kBottomMargin - kTopMargin);
    const int grid = chart->dashLineColor(kGridColour, DotLine);
    main->setPlotArea(0, 0, width - rightMargin, height - kBottomMargin, 0xFFFFFF, kAltPlotColour,
                      Transparent, grid, grid);
    main->yAxis()->setTickDensity(30, 0);
    main->xAxis()->setTickDensity(30, 0);

    if(m_style.barType != 2) {
        chart->addSmaLine(10, 0xCC33CC);
        chart->addSmaLine(20, 0x33CCCC);
        chart->addSmaLine(30, 0xCCCC33);
    }
    BoxLayer* boxes = nullptr;
    switch(m_style.barType) {
    case 1: {
        CandleStickLayer* candles = chart->addCandles(m_style.candUpColour, m_style.candDownColour);
        candles->setColors(
            m_style.upSolid ? m_style.candUpColour : m_style.backgroundColour, m_style.candUpColour,
            m_style.downSolid ? m_style.candDownColour : m_style.backgroundColour, m_style.candDownColour);
        candles->setLineWidth(1);
        boxes = candles;
        break;
    }
    case 0: {
        HLOCLayer* bars = chart->addHlocBars(m_style.barUpColour, m_style.barDownColour);
        bars->setLineWidth(2);
        boxes = bars;
        break;
    }
    case 2:
        main->addLineLayer(chart->closeData(), m_style.foregroundColour);
        break;
    default:
        break;
    }

    chart->setBackground(m_style.backgroundColour, Transparent);
    PlotArea* plot = main->getPlotArea();
    plot->setBackground(m_style.backgroundColour, -1, -1);
    const int gridWidth = m_style.showGrid ? 1 : 0;
    plot->setGridWidth(gridWidth, gridWidth, 0, 0);
    const int fg = m_style.foregroundColour;
    main->xAxis()->setColors(fg, fg, fg, fg);
    main->yAxis()->setColors(fg, fg, fg, fg);

    const int pixels = std::max(1, (width - rightMargin - kLeftMargin) / m_data.GetScreenCount());
    m_data.SetPixelsPerBar(pixels);
    if(pixels > 6 && boxes) {
        boxes->setDataWidth(pixels - 2);
    }
    ReserveLegend(*chart, *main);

    m_data.SetCursorY(-1);
    DrawTrackCursor(chart.get());
    return chart;
}

std::string ChartPainter::ImageMap(KLineChart& chart) const
{
    const std::vector<double>& times = chart.timeStamps();
    std::string dateFormat = chart.toolTipHourFormat;
    const int points = static_cast<int>(times.size());
    if(points > chart.extraPoints()) {
        const double spacing = (times.back() - times.front()) / points;
        if(spacing >= kMonth) {
            dateFormat = chart.toolTipMonthFormat;
        } else if(spacing >= kDay) {
            dateFormat = chart.toolTipDayFormat;
        }
    }
    const std::string attribute = "title='" + dateFormat + "\n" + ValueFormat() + "'";
    XYChart* main = chart.mainPane();
    return main ? main->getHTMLImageMap("clickable", "", attribute) : std::string();
}

std::string ChartPainter::OhlcLegend(BaseChart& chart, double open, double high, double low,
                                     double close) const
{
    const std::string value = ValueFormat() + "<*/font*>";
    const std::string fg = Hex(m_style.foregroundColour);
    std::string text = "      <*block*>";
    text += Tr(wxTRANSLATE("Open: [")) + "<*font,color=" + Hex(m_style.barUpColour) + "*>" +
            Format(chart, open, value);
    text += Tr(wxTRANSLATE("] High: [")) + "<*font,color=" + fg + "*>" + Format(chart, high, value);
    text += Tr(wxTRANSLATE("] Low: [")) + "<*font,color=" + fg + "*>" + Format(chart, low, value);
    text += Tr(wxTRANSLATE("] Close: [")) + "<*font, color=" + Hex(m_style.barDownColour) + "*>" +
            Format(chart, close, value);
    text += Tr(wxTRANSLATE("]"));
    const HistoryQuote* history = m_data.GetHistory().get();
    if(history && !history->IsEmpty() && hasValue(history->GetLastKData().close)) {
        const double change = close - history->GetLastKData().close;
        text += "  ";
        text += change < 0 ? "<*font,color=CC0000*><*img=@invertedtriangle,width=8,color=CC0000*>"
                           : "<*font,color=00AA88*><*img=@triangle,width=8,color=00AA88*>";
        text += " " + Format(chart, change, "{value|2}");
        // A close of 0 has no percentage: the change stands alone.
        if(close != 0) {
            text += " (" + Format(chart, change * 100 / close, "{value|2}") + "%)";
        }
        text += "<*/font*>";
    }
    return text + "<*/*>";
}

std::string ChartPainter::PaneLegend(MultiChart& chart, XYChart& pane, int x, int valid) const
{
    const std::string value = ValueFormat();
    std::string ohlc;
    std::vector<std::string> entries;
    for(int z = 0; z < pane.getLayerCount(); ++z) {
        const Layer* layer = pane.getLayerByZ(z);
        const int i = std::min(layer->getXIndexOf(x), valid - 1);
        const int n = layer->getDataSetCount();
        if(n == 4) {
            const double close = layer->getDataSet(3)->getValue(i);
            if(hasValue(close)) {
                ohlc +=
                    OhlcLegend(chart, layer->getDataSet(2)->getValue(i), layer->getDataSet(0)->getValue(i),
                               layer->getDataSet(1)->getValue(i), close);
            }
            continue;
        }
        // A band (2) or a stack (3) is one entry.
        const int named = n == 2 || n == 3 ? 1 : n;
        for(int k = 0; k < named; ++k) {
            const DataSet* set = layer->getDataSet(k);
            std::string name = set->getDataName();
            const double v = set->getValue(i);
            if(name.empty() || !hasValue(v)) {
                continue;
            }
            std::string unit;
            SplitName(name, unit);
            std::string entry = name + ": ";
            if(n == 2) {
                const double a = layer->getDataSet(0)->getValue(i), b = layer->getDataSet(1)->getValue(i);
                entry += Format(chart, std::min(a, b), value) + " - " + Format(chart, std::max(a, b), value);
            } else if(n == 3) {
                const double sum = layer->getDataSet(0)->getValue(i) + layer->getDataSet(1)->getValue(i) +
                                   layer->getDataSet(2)->getValue(i);
                entry += Format(chart, sum, value) + unit;
            } else {
                entry += Format(chart, v, value) + unit;
            }
            entries.push_back("<*block*><*img=@square,width=8,edgeColor=000000,color=" +
                              Hex(set->getDataColor()) + "*> " + entry + "<*/*>");
        }
    }
    std::string legend = "<*block,valign=top,maxWidth=" + std::to_string(pane.getPlotArea()->getWidth() - 5) +
                         "*>[" + pane.xAxis()->getFormattedLabel(x, kCursorTimeFormat) + "]" + ohlc;
    for(auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        legend += "      " + *entry;
    }
    return legend + "<*/*>";
}

std::string ChartPainter::LatestLabel(BaseChart& chart) const
{
    const std::string price = Format(chart, m_data.GetLatestPrice(), ValueFormat() + "<*/font*>");
    if(m_data.IsLatestLive()) {
        return kLatestFont + price + " <*/font*>";
    }
    // No market behind it (logged out, the link down): not to be read as a quote.
    const wxString stale = wxString::Format(wxGetTranslation("%s (stale)"), wxString::FromUTF8(price));
    return kStaleFont + stale.utf8_string() + " <*/font*>";
}

void ChartPainter::ReserveLegend(KLineChart& chart, XYChart& main) const
{
    const ChartDataArray* times = m_data.GetSeriesArray(ChartPanelData::eTime);
    if(!m_room || !times || times->GetValidCount() <= 0) {
        return;
    }
    // The legend of the K-line under the cursor, as it will be drawn: the
    // K-lines start below it, however many lines a narrow chart wraps it on.
    const int maxWidth = main.getPlotArea()->getWidth() - 5;
    const int height = m_room->LegendHeight(
        chart, PaneLegend(chart, main, m_data.GetCursorX(), times->GetValidCount()), maxWidth);
    main.yAxis()->setMargin(std::max(2 * chart.yAxisMargin, kLegendInset + height + kLegendGap), 0);
}

void ChartPainter::DrawFailure(MultiChart& chart, DrawArea& layer) const
{
    XYChart* main = chart.getChart(0);
    const PlotArea* plot = main->getPlotArea();
    const int x = (plot->getLeftX() + plot->getRightX()) / 2 + main->getAbsOffsetX();
    const int y = (plot->getTopY() + plot->getBottomY()) / 2 + main->getAbsOffsetY();
    layer.text(kFailureFont + Tr("Query failed") + " <*/font*>", kBoldFontName, kFailureFontSize, x, y,
               0xFFFFFF, Center);
}

void ChartPainter::DrawTrackCursor(BaseChart* base)
{
    m_data.SetCursor(false);
    auto* chart = dynamic_cast<MultiChart*>(base);
    const ChartDataArray* times = m_data.GetSeriesArray(ChartPanelData::eTime);
    if(!chart || chart->getChartCount() < 1 || !chart->getChart(0)) {
        return;
    }
    const bool bars = times && times->GetValidCount() > 0;
    if(!bars && !m_data.ShowsFailure()) {
        return;
    }
    DrawArea* cursor = chart->initDynamicLayer();
    if(m_data.ShowsFailure()) {
        DrawFailure(*chart, *cursor);
    }
    if(!bars) {
        return;
    }
    XYChart* main = chart->getChart(0);
    const int x = m_data.GetCursorX();
    const int valid = times->GetValidCount();
    const int fg = m_style.foregroundColour;
    const int cursorLine = chart->dashLineColor(fg, FineDotLine);
    const std::string value = ValueFormat();

    for(int p = 0; p < chart->getChartCount(); ++p) {
        XYChart* pane = chart->getChart(p);
        if(!pane) {
            continue;
        }
        const PlotArea* plot = pane->getPlotArea();
        const int offsetX = pane->getAbsOffsetX(), offsetY = pane->getAbsOffsetY();
        const std::string legend = PaneLegend(*chart, *pane, x, valid);
        const int lineX = pane->getXCoor(x) + offsetX;
        cursor->line(lineX, plot->getTopY() + offsetY, lineX, plot->getBottomY() + offsetY, cursorLine);
        cursor->text(legend, kBoldFontName, kFontSize, plot->getLeftX() + 5 + offsetX,
                     plot->getTopY() + kLegendInset + offsetY, fg, TopLeft);
    }

    const PlotArea* plot = main->getPlotArea();
    const int offsetX = main->getAbsOffsetX(), offsetY = main->getAbsOffsetY();
    const HistoryQuote* history = m_data.GetHistory().get();
    if(m_data.GetCursorY() == -1 && history) {
        const int global = times->LocalToGlobalIndex(x);
        if(global >= 0 && global < history->GetKDataCount()) {
            m_data.SetCursorY(main->getYCoor(history->GetKData(global).close) + offsetY);
        }
    }
    const int cursorY = m_data.GetCursorY();
    cursor->line(plot->getLeftX() + offsetX, cursorY, plot->getRightX() + offsetX, cursorY, cursorLine);

    const std::string time =
        kLabelFont + main->xAxis()->getFormattedLabel(x, kCursorTimeFormat) + " <*/font*>";
    // Centred under the cursor, but never past the chart's edges, where it
    // would be cut: the first and the last bars are the ones looked at most.
    int timeX = main->getXCoor(x) + offsetX;
    if(m_room) {
        const int half = (m_room->LabelWidth(*chart, time) + 1) / 2;
        timeX = std::clamp(timeX, half, std::max(half, chart->getWidth() - half));
    }
    cursor->text(time, kBoldFontName, kFontSize, timeX, plot->getBottomY() + offsetY + kAxisLabelGap,
                 0xFFFFFF, TopCenter);
    const std::string price = Format(*chart, main->getYValue(cursorY - offsetY), value + "<*/font*>");
    cursor->text(kLabelFont + price + " <*/font*>", kBoldFontName, kFontSize,
                 plot->getRightX() + offsetX + kAxisLabelGap, cursorY, 0xFFFFFF, Left);

    int latestY = main->getYCoor(m_data.GetLatestPrice()) + offsetY;
    if(latestY <= 0) {
        latestY = plot->getTopY() + offsetY + kLatestPriceInset;
    }
    if(latestY > plot->getBottomY() + offsetY - kLatestPriceInset) {
        latestY = plot->getBottomY() + offsetY - kLatestPriceInset;
    }
    cursor->text(LatestLabel(*chart), kBoldFontName, kFontSize, plot->getRightX() + offsetX + kAxisLabelGap,
                 latestY, 0xFFFFFF, Left);
}
