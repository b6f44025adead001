#pragma once

#include <chartlib/CandleStickLayer.h>
#include <chartlib/DoubleArray.h>
#include <chartlib/HLOCLayer.h>
#include <chartlib/LineLayer.h>
#include <chartlib/MultiChart.h>
#include <chartlib/XYChart.h>
#include <memory>
#include <string>
#include <vector>

// A stock chart of stacked panes sharing one date axis: the price pane with
// candles or HLOC bars and moving averages, then any further panes. Built,
// filled and drawn once: construct, loadSeries, addPriceChart, layers and
// panes, render. The panes it creates die with it.
class FinanceChart : public chartlib::MultiChart
{
public:
    explicit FinanceChart(int totalWidth);
    ~FinanceChart() override;

    // Keeps views of the price series (the caller keeps them alive while the
    // chart lives) and a scaled copy of the volume. The first `extraPoints`
    // points only feed the moving averages: no pane shows them.
    void loadSeries(int extraPoints, chartlib::DoubleArray timeStamps, chartlib::DoubleArray highData,
                    chartlib::DoubleArray lowData, chartlib::DoubleArray openData,
                    chartlib::DoubleArray closeData, chartlib::DoubleArray volData);

    // The main price pane, of that plot height.
    chartlib::XYChart* addPriceChart(int height);
    // A pane of that plot height below the previous one.
    chartlib::XYChart* addPane(int height);
    chartlib::CandleStickLayer* addCandles(int upColor, int downColor);
    chartlib::HLOCLayer* addHlocBars(int upColor, int downColor);
    // Simple moving average of the close, named "SMA (period)".
    chartlib::LineLayer* addSmaLine(int period, int color);

    // "name: last value" in the value format, or the name alone.
    std::string legendText(const std::string& name, chartlib::DoubleArray series) const;
    // Highest index holding a value; -1 when none does.
    static int lastValidIndex(chartlib::DoubleArray series);
    // The image-map attribute of the price layers: open, high, low and close
    // under a date as precise as the spacing of the points.
    std::string toolTipText() const;

    int extraPoints() const { return m_extraPoints; }
    const std::vector<double>& volume() const { return m_volume; }
    const std::string& volumeUnit() const { return m_volUnit; }
    chartlib::XYChart* mainPane() const { return m_mainPane; }

    // Settings read when panes and layers are added; set them first.
    bool antiAlias;
    bool logScale;
    bool yAxisOnRight;
    int leftMargin, rightMargin, topMargin, bottomMargin;
    int plotAreaBgColor;
    int plotAreaBorder;
    int plotAreaGap;
    int majorHGridColor, minorHGridColor, majorVGridColor, minorVGridColor;
    std::string legendFont;
    double legendFontSize;
    int legendFontColor;
    int legendBgColor;
    std::string yAxisFont;
    double yAxisFontSize;
    int yAxisFontColor;
    int yAxisMargin;
    std::string xAxisFont;
    double xAxisFontSize;
    int xAxisFontColor;
    double xAxisFontAngle;
    std::string yearFormat;
    std::string firstMonthFormat, otherMonthFormat;
    std::string firstDayFormat, otherDayFormat;
    std::string firstHourFormat, otherHourFormat;
    int timeLabelSpacing;
    std::string generalFormat; // of prices in legends
    std::string toolTipMonthFormat, toolTipDayFormat, toolTipHourFormat;

protected:
    void setDateLabels(chartlib::Axis* axis);
    void addOhlcLegend(int upColor, int downColor, bool candle);
    void setupYAxis(chartlib::Axis* axis, int height);

private:
    void initDefaults();
    // A viewer narrower than its margins still divides by a plot width of 1.
    int plotWidth() const;
    int pointCount() const { return m_timeStamps.len(); }

    int m_totalWidth;
    int m_totalHeight = 0;
    int m_extraPoints = 0;
    chartlib::DoubleArray m_timeStamps, m_highData, m_lowData, m_openData, m_closeData;
    std::vector<double> m_volume;
    std::string m_volUnit;
    chartlib::XYChart* m_mainPane = nullptr;
    chartlib::XYChart* m_currentPane = nullptr;
    std::vector<std::unique_ptr<chartlib::XYChart>> m_panes;
};
