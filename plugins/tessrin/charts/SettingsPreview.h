#pragma once

#include "charts/FinanceChart.h"

#include <chartlib/RanTable.h>
#include <memory>

class ChartViewPanelGlobalConfig;

// The candlestick sample of the settings dialog: a fixed random month of
// prices, drawn in the colours being edited. Headless: it builds the chart,
// the viewer shows it.
class SettingsPreview
{
public:
    static constexpr int kExtraPoints = 10;
    static constexpr int kLeftMargin = 1;
    static constexpr int kRightMargin = 30;
    static constexpr int kTopMargin = 1;
    static constexpr int kBottomMargin = 30;

    // style 1 draws candles, any other HLOC bars.
    explicit SettingsPreview(int style = 1);

    // A finished chart of that size; the caller owns it.
    std::unique_ptr<FinanceChart> Build(const ChartViewPanelGlobalConfig& colours, bool bullSolid,
                                        bool bearSolid, int width, int height) const;

    int GetStyle() const { return m_style; }
    static int GridColour(int background);

private:
    int m_style;
    chartlib::RanTable m_table; // the columns the charts look at
};
