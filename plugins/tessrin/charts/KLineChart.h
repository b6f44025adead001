#pragma once

#include "charts/FinanceChart.h"

#include <array>
#include <vector>

// The finance chart of a chart page, holding copies of the series it was
// loaded with, so that it never refers to the page's data windows after
// they have moved on.
class KLineChart : public FinanceChart
{
public:
    explicit KLineChart(int totalWidth) : FinanceChart(totalWidth) {}

    // Copies the six series, then loads the copies.
    void loadOwnedSeries(int extraPoints, chartlib::DoubleArray timeStamps, chartlib::DoubleArray highData,
                         chartlib::DoubleArray lowData, chartlib::DoubleArray openData,
                         chartlib::DoubleArray closeData, chartlib::DoubleArray volData);

    const std::vector<double>& timeStamps() const { return m_owned[0]; }
    // The close series with its leading points.
    const std::vector<double>& closeData() const { return m_owned[4]; }

private:
    std::array<std::vector<double>, 6> m_owned; // time, high, low, open, close, volume
};
