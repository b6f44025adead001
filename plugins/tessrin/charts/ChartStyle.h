#pragma once

#include <utility>

class ChartViewPanelGlobalConfig;
class wxColour;

// How a chart page draws: the shared chart colours (0xRRGGBB), the grid and
// solid-candle switches, the page's bar type and the symbol's decimals.
struct ChartStyle
{
    int candUpColour = 0xCC0000;
    int candDownColour = 0x009900;
    int barUpColour = 0xFF3333;
    int barDownColour = 0x33CC33;
    int backgroundColour = 0xFFFFFF;
    int foregroundColour = 0x010101;
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
