#pragma once

#include "common/Colours.h"

#include <utility>

class ChartViewPanelGlobalConfig;

// How a chart page draws: the shared chart colours (0xRRGGBB), the grid and
// solid-candle switches, the page's bar type and the symbol's decimals.
struct ChartStyle
{
    int candUpColour = ChartColour(Colours::kChartCandleUp);
    int candDownColour = ChartColour(Colours::kChartCandleDown);
    int barUpColour = ChartColour(Colours::kChartBarUp);
    int barDownColour = ChartColour(Colours::kChartBarDown);
    int backgroundColour = ChartColour(Colours::kChartBackground);
    int foregroundColour = ChartColour(Colours::kChartForeground);
    bool showGrid = true;
    bool upSolid = true;   // rising candles filled
    bool downSolid = true; // falling candles filled
    int barType = 1;       // 0 HLOC bars, 1 candlesticks, 2 time-shared line, 3 none
    int decimals = 0;      // of prices

    static int ChartColour(const wxColour& colour);
    static wxColour ToColour(int chartColour);
    // The six colours and the grid switch of the stored chart settings.
    void SetColours(const ChartViewPanelGlobalConfig& config);
    // The host theme's background; the stored foreground where it shows on
    // that background, else the theme's own.
    void SetThemeColours(const wxColour& background, const wxColour& foreground, const wxColour& stored);
    void SetSolid(std::pair<bool, bool> solid);
};
