#include "charts/ChartStyle.h"

#include "common/ChartViewPanelGlobalConfig.h"

#include <pelmora/DrawingUtils.h>
#include <wx/colour.h>

int ChartStyle::ChartColour(const wxColour& colour)
{
    return (colour.Red() << 16) | (colour.Green() << 8) | colour.Blue();
}

wxColour ChartStyle::ToColour(int chartColour)
{
    return wxColour((chartColour >> 16) & 0xFF, (chartColour >> 8) & 0xFF, chartColour & 0xFF);
}

void ChartStyle::SetColours(const ChartViewPanelGlobalConfig& config)
{
    candUpColour = ChartColour(config.GetCandUpColour());
    candDownColour = ChartColour(config.GetCandDownColour());
    barUpColour = ChartColour(config.GetBarUpColour());
    barDownColour = ChartColour(config.GetBarDownColour());
    backgroundColour = ChartColour(config.GetBackgroundColour());
    foregroundColour = ChartColour(config.GetForegroundColour());
    showGrid = config.IsShowGrid();
}

void ChartStyle::SetThemeColours(const wxColour& background, const wxColour& foreground,
                                 const wxColour& stored)
{
    backgroundColour = ChartColour(background);
    const bool shows = DrawingUtils::IsDark(background) != DrawingUtils::IsDark(stored);
    foregroundColour = ChartColour(shows ? stored : foreground);
}

void ChartStyle::SetSolid(std::pair<bool, bool> solid)
{
    upSolid = solid.first;
    downSolid = solid.second;
}
