#include "charts/FinanceChart.h"

#include <algorithm>
#include <chartlib/ArrayMath.h>
#include <chartlib/ChartConstants.h>
#include <chartlib/LegendBox.h>
#include <cmath>
#include <wx/intl.h>
#include <wx/string.h>

using namespace chartlib;

namespace {

constexpr double kDay = 86400;

double at(DoubleArray series, int i)
{
    return i >= 0 && i < series.len() ? series[i] : NoValue;
}

} // namespace

FinanceChart::FinanceChart(int totalWidth) : MultiChart(totalWidth, 0), m_totalWidth(totalWidth)
{
    initDefaults();
}

FinanceChart::~FinanceChart() = default;

void FinanceChart::initDefaults()
{
    antiAlias = true;
    logScale = false;
    yAxisOnRight = true;
    leftMargin = 40;
    rightMargin = 40;
    topMargin = 30;
    bottomMargin = 35;
    plotAreaBgColor = 0xFFFFFF;
    plotAreaBorder = 0x888888;
    plotAreaGap = 2;
    majorHGridColor = minorHGridColor = majorVGridColor = minorVGridColor = 0xDDDDDD;
    legendFont = "normal";
    legendFontSize = 8;
    legendFontColor = TextColor;
    legendBgColor = static_cast<int>(0x80CCCCCC);
    yAxisFont = "normal";
    yAxisFontSize = 8;
    yAxisFontColor = TextColor;
    yAxisMargin = 14;
    xAxisFont = "normal";
    xAxisFontSize = 8;
    xAxisFontColor = TextColor;
    xAxisFontAngle = 0;
    yearFormat = "{value|yyyy}";
    firstMonthFormat = "<*font=bold*>{value|yy/mm}";
    otherMonthFormat = "{value|mmm}";
    firstDayFormat = "<*font=bold*>{value|mm/d}";
    otherDayFormat = "{value|d}";
    firstHourFormat = "<*font=bold*>{value|mm/d h:nn}";
    otherHourFormat = "{value|h:nn}";
    timeLabelSpacing = 50;
    generalFormat = "P3";
    toolTipMonthFormat = "[{xLabel|yyyy/mm}]";
    toolTipDayFormat = "[{xLabel|yyyy/mm/d}]";
    toolTipHourFormat = "[{xLabel|yyyy/mm/d hh:nn:ss}]";
}

int FinanceChart::plotWidth() const
{
    return std::max(1, m_totalWidth - leftMargin - rightMargin);
}

void FinanceChart::loadSeries(int extraPoints, DoubleArray timeStamps, DoubleArray highData,
                              DoubleArray lowData, DoubleArray openData, DoubleArray closeData,
                              DoubleArray volData)
{
    m_extraPoints = std::max(0, extraPoints);
    m_timeStamps = timeStamps;
    m_highData = highData;
    m_lowData = lowData;
    m_openData = openData;
    m_closeData = closeData;
    m_volume.clear();
    m_volUnit.clear();
    if(volData.empty()) {
        return;
    }
    static const char* const kUnits[] = {"", "K", "M", "B"};
    ArrayMath volume(volData);
    const double largest = volume.max();
    int unit = 0;
    for(int u = 3; u >= 1; --u) {
        if(std::pow(1000.0, u) <= largest) {
            unit = u;
            break;
        }
    }
    volume.div(std::pow(1000.0, unit));
    m_volume = volume.values();
    m_volUnit = kUnits[unit];
}

XYChart* FinanceChart::addPane(int height)
{
    auto owned = std::make_unique<XYChart>(m_totalWidth, topMargin + bottomMargin + height);
    XYChart* pane = owned.get();
    m_panes.push_back(std::move(owned));
    pane->setTrimData(m_extraPoints, 0x7FFFFFFF);

    if(!m_currentPane) {
        setDateLabels(pane->xAxis());
        addChart(0, m_totalHeight, pane);
        m_totalHeight += height + 1;
    } else {
        // Only the bottom pane shows the dates.
        m_currentPane->xAxis()->setColors(Transparent, Transparent);
        pane->xAxis()->copyAxis(m_currentPane->xAxis());
        addChart(0, m_totalHeight + plotAreaGap, pane);
        m_totalHeight += plotAreaGap + 1 + height;
    }
    setSize(m_totalWidth, topMargin + m_totalHeight + bottomMargin);

    const int width = m_totalWidth - leftMargin - rightMargin;
    pane->setPlotArea(leftMargin, topMargin, width, height, plotAreaBgColor, -1, plotAreaBorder, 0xC0C0C0,
                      Transparent)
        ->setGridColor(majorHGridColor, majorVGridColor, minorHGridColor, minorVGridColor);
    pane->setAntiAlias(antiAlias, 2);

    if(legendFontColor != Transparent) {
        LegendBox* legend = pane->addLegend(leftMargin, topMargin, false, legendFont, legendFontSize);
        legend->setFontColor(legendFontColor);
        legend->setBackground(legendBgColor, Transparent);
        legend->setMargin(5, 0, 2, 1);
        legend->setSize(width + 1, 0);
    }

    pane->xAxis()->setIndent(true);
    pane->xAxis()->setTickLength(2, 0);
    pane->xAxis()->setColors(Transparent);
    pane->xAxis()->setLabelStyle(xAxisFont, xAxisFontSize, xAxisFontColor, xAxisFontAngle);

    pane->setYAxisOnRight(yAxisOnRight);
    setupYAxis(pane->yAxis(), height);
    m_currentPane = pane;
    return pane;
}

void FinanceChart::setupYAxis(Axis* axis, int height)
{
    axis->setAutoScale(0, 0.05, 0);
    if(height < 100) {
        axis->setTickDensity(15);
    }
    axis->setMargin(yAxisMargin, 0);
    axis->setLabelStyle(yAxisFont, yAxisFontSize, yAxisFontColor);
    axis->setTickLength(-4, -2);
    axis->setColors(Transparent, yAxisFontColor, yAxisFontColor, yAxisFontColor);
}

XYChart* FinanceChart::addPriceChart(int height)
{
    m_mainPane = addPane(height);
    setMainChart(m_mainPane);
    m_mainPane->yAxis()->setMargin(2 * yAxisMargin, 0);
    if(logScale) {
        m_mainPane->yAxis()->setLogScale();
    } else {
        m_mainPane->yAxis()->setLinearScale();
    }
    return m_mainPane;
}

void FinanceChart::setDateLabels(Axis* axis)
{
    const int points = pointCount();
    if(points <= m_extraPoints) {
        return;
    }
    axis->setLabels(m_timeStamps);
    const int n = points - m_extraPoints;
    const int width = plotWidth();
    int labelStep = n * timeLabelSpacing / width + 1;
    const double range = m_timeStamps[points - 1] - m_timeStamps[m_extraPoints];
    double interval = range / width * timeLabelSpacing;
    bool days = false;
    if(range >= n * interval) {
        // Every point has room for a label.
        labelStep = 1;
        if(points >= 2) {
            interval = m_timeStamps[points - 1] - m_timeStamps[points - 2];
        } else {
            days = true;
        }
    }
    if(!days && (interval > 360 * kDay || (interval > 90 * kDay && range >= 720 * kDay))) {
        axis->setMultiFormat(StartOfYearFilter(1, 0.05), yearFormat, labelStep);
    } else if(!days && (interval >= 30 * kDay || (interval > 7 * kDay && range >= 60 * kDay))) {
        const int monthStep = 1 + static_cast<int>(interval / (31 * kDay));
        axis->setMultiFormat(StartOfYearFilter(1, 0.05), firstMonthFormat,
                             StartOfMonthFilter(monthStep, 0.05), otherMonthFormat, 1);
        axis->setMultiFormat(StartOfMonthFilter(1, 0.05), "-", 1);
    } else if(!days && interval < kDay && !(range >= kDay && interval > 6 * 3600)) {
        axis->setMultiFormat(StartOfDayFilter(1, 0.5), firstHourFormat, StartOfHourFilter(1, 0.5),
                             otherHourFormat, labelStep);
    } else {
        axis->setMultiFormat(StartOfMonthFilter(1, 0.05), firstDayFormat, StartOfDayFilter(1, 0.5),
                             otherDayFormat, labelStep);
    }
}

std::string FinanceChart::toolTipText() const
{
    const int points = pointCount();
    std::string dateFormat = toolTipHourFormat;
    if(points > m_extraPoints) {
        const double spacing = (m_timeStamps[points - 1] - m_timeStamps[0]) / points;
        if(spacing >= 30 * kDay) {
            dateFormat = toolTipMonthFormat;
        } else if(spacing >= kDay) {
            dateFormat = toolTipDayFormat;
        }
    }
    const wxString text = wxString::Format(
        wxGetTranslation("title='%s \nOpen: {open}\nHigh: {high}\nLow: {low}\nClose: {close}'"),
        wxString::FromUTF8(dateFormat));
    return text.utf8_string();
}

void FinanceChart::addOhlcLegend(int upColor, int downColor, bool candle)
{
    const int i = lastValidIndex(m_closeData);
    if(i < 0) {
        return;
    }
    const double open = at(m_openData, i), high = at(m_highData, i), low = at(m_lowData, i),
                 close = at(m_closeData, i);
    std::string text;
    auto append = [&](const char* label, double value) {
        if(value == NoValue) {
            return;
        }
        text += (text.empty() ? "" : ", ") + std::string(label) + formatValue(value, generalFormat);
    };
    append("Op:", open);
    append("Hi:", high);
    append("Lo:", low);
    append("Cl:", close);

    int colour = upColor;
    if(candle) {
        colour = close >= open ? upColor : downColor;
    } else {
        ArrayMath changes(m_closeData);
        changes.delta();
        const int last = lastValidIndex(changes.result());
        colour = last < 0 || changes.values()[last] >= 0 ? upColor : downColor;
    }
    if(m_mainPane && m_mainPane->getLegend()) {
        m_mainPane->getLegend()->addKey(text, colour);
    }
}

CandleStickLayer* FinanceChart::addCandles(int upColor, int downColor)
{
    if(!m_mainPane) {
        return nullptr;
    }
    addOhlcLegend(upColor, downColor, true);
    CandleStickLayer* layer =
        m_mainPane->addCandleStickLayer(m_highData, m_lowData, m_openData, m_closeData, upColor, downColor);
    layer->setHTMLImageMap("", "", toolTipText());
    const int shown = pointCount() - m_extraPoints;
    if(shown > 60) {
        layer->setDataGap(0);
    }
    if(shown > 0) {
        const int pixelsPerPoint = plotWidth() / shown;
        if(pixelsPerPoint <= 5) {
            // Odd, so the wick stands in the middle of the body.
            layer->setDataWidth(pixelsPerPoint / 2 * 2 + 1);
        }
    }
    return layer;
}

HLOCLayer* FinanceChart::addHlocBars(int upColor, int downColor)
{
    if(!m_mainPane) {
        return nullptr;
    }
    addOhlcLegend(upColor, downColor, false);
    HLOCLayer* layer = m_mainPane->addHLOCLayer(m_highData, m_lowData, m_openData, m_closeData);
    layer->setColorMethod(HLOCUpDown, upColor, downColor, -NoValue);
    layer->setHTMLImageMap("", "", toolTipText());
    layer->setDataGap(0);
    return layer;
}

LineLayer* FinanceChart::addSmaLine(int period, int color)
{
    if(!m_mainPane) {
        return nullptr;
    }
    const std::string name = wxString::Format("SMA (%d)", period).utf8_string();
    ArrayMath average(m_closeData);
    average.movAvg(period);
    return m_mainPane->addLineLayer(average.result(), color, legendText(name, average.result()));
}

std::string FinanceChart::legendText(const std::string& name, DoubleArray series) const
{
    const int i = lastValidIndex(series);
    if(name.empty() || i < 0) {
        return name;
    }
    return name + ": " + formatValue(series[i], generalFormat);
}

int FinanceChart::lastValidIndex(DoubleArray series)
{
    for(int i = series.len() - 1; i >= 0; --i) {
        if(series[i] != NoValue) {
            return i;
        }
    }
    return -1;
}
