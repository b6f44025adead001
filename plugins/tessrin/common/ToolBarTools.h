#pragma once

#include <vector>
#include <wx/defs.h>
#include <wx/string.h>

class BitmapLoader;
class wxAuiToolBar;
class wxWindow;

// The plug-in's tool bar: its tools in order, the tool groups that follow the
// chart page in front, and the chart period <-> tool mapping. Tool ids are
// the XRC ids of the names; compare ids, never numbers.

struct ToolEntry
{
    const char* name;      // XRC name of the command; null for a separator
    const char* label;     // translated; empty stays empty
    const char* bitmap;    // host image name; null for none
    const char* shortHelp; // translated
    wxItemKind kind;
    bool dropDown;
};

// Menus, sales report, new-order buttons, chart type, zoom and period tools.
const std::vector<ToolEntry>& ToolBarTools();

// Names of the tools switched together. The period group also names
// "chart_w1", which has no tool of its own.
const std::vector<const char*>& PeriodToolNames();
const std::vector<const char*>& OrderToolNames();
const std::vector<const char*>& ChartTypeToolNames();

// 0 HOLC, 1 candlestick, 2 time-shared; any other bar type shows as HOLC.
const char* ChartTypeToolName(int barType);
// The bar type a command sets: "chart_holc" 0, "chart_candlestick" 1,
// "chart_timeShared" 2, any other id 1.
int BarTypeFromCommandId(int commandId);

// Chart periods 0 (one minute) to 10 (one month). A period without a tool
// of its own (6) shares the nearest one; an unknown period selects "chart_m1".
const char* ToolNameFromPeriod(int period);
int ToolIdFromPeriod(int period);
// The period of a period tool; 2 (five minutes) for any other id.
int PeriodFromToolId(int toolId);

// The host menu a drop-down tool opens ("MoneyMgr", "ToolsMgr"); null when
// the tool has none.
const char* DropDownMenuTitle(int toolId);

// Creates the tool bar on `parent` with every tool of ToolBarTools, realized.
// `images` may be null: the tools then have no images.
wxAuiToolBar* CreatePluginToolBar(wxWindow* parent, BitmapLoader* images);

// EnableTool for every named tool the bar has.
void EnableTools(wxAuiToolBar* toolBar, const std::vector<const char*>& names, bool enable);
