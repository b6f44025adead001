#include "app/MakePluginParts.h"

#include "app/ChartPages.h"
#include "app/Commands.h"
#include "app/FundsWindows.h"
#include "app/PaneSet.h"

PluginParts MakePluginParts(TessrinPlugin& plugin)
{
    PluginParts parts;
    parts.panes = std::make_unique<PaneSet>(plugin);
    parts.charts = std::make_unique<ChartPages>(plugin);
    parts.funds = std::make_unique<FundsWindows>(plugin);
    parts.commands = std::make_unique<Commands>(plugin);
    return parts;
}
