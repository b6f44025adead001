#include "common/ToolBarTools.h"

#include <cstring>
#include <pelmora/BitmapLoader.h>
#include <wx/aui/auibar.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/xrc/xmlres.h>

namespace {
constexpr int kDefaultPeriod = 2; // five minutes
constexpr int kToolBorderPadding = 6;

// Period -> tool name, indexed by period.
const char* const kPeriodTools[] = {"chart_m1", "chart_m3", "chart_m5", "chart_m15", "chart_m30", "chart_h1",
                                    "chart_h1", "chart_h4", "chart_d1", "chart_w1",  "chart_mn"};
constexpr int kPeriodCount = sizeof(kPeriodTools) / sizeof(kPeriodTools[0]);

// wx draws a drop-down tool around its picture even when it has none (and
// asserts): a text-only drop-down tool gets an invisible one.
wxBitmap InvisiblePixel()
{
    wxImage pixel(1, 1);
    pixel.InitAlpha();
    pixel.SetAlpha(0, 0, 0);
    return wxBitmap(pixel);
}
} // namespace

const std::vector<ToolEntry>& ToolBarTools()
{
    static const std::vector<ToolEntry> tools = {
        {"toolsMgr", wxTRANSLATE("ToolsMgr"), nullptr, wxTRANSLATE("Tools menu"), wxITEM_NORMAL, true},
        {"moneyMgr", wxTRANSLATE("MoneyMgr"), nullptr, wxTRANSLATE("Show money manager menu"), wxITEM_NORMAL,
         true},
        {nullptr, "", nullptr, "", wxITEM_SEPARATOR, false},
        {"Sales_report", wxTRANSLATE("Sales_report"), nullptr, wxTRANSLATE("Sales_report"), wxITEM_NORMAL,
         false},
        {nullptr, "", nullptr, "", wxITEM_SEPARATOR, false},
        {"new_buy_order", wxTRANSLATE("New Order(Buy)"), nullptr, wxTRANSLATE("New Order buy"), wxITEM_NORMAL,
         false},
        {"new_sell_order", wxTRANSLATE("New Order(Sell)"), nullptr, wxTRANSLATE("New Order sell"),
         wxITEM_NORMAL, false},
        {nullptr, "", nullptr, "", wxITEM_SEPARATOR, false},
        {"chart_holc", "", "toolbars/24/tessrin/holc", "holc", wxITEM_RADIO, false},
        {"chart_candlestick", "", "toolbars/24/tessrin/candlestick", "candlestick", wxITEM_RADIO, false},
        {"chart_timeShared", "", "toolbars/24/tessrin/timeShared", "timeShared", wxITEM_RADIO, false},
        {nullptr, "", nullptr, "", wxITEM_SEPARATOR, false},
        {"chart_zoom_in", "", "toolbars/24/tessrin/zoom_in", "Zoom In", wxITEM_NORMAL, false},
        {"chart_zoom_out", "", "toolbars/24/tessrin/zoom_out", "Zoom Out", wxITEM_NORMAL, false},
        {nullptr, "", nullptr, "", wxITEM_SEPARATOR, false},
        {"chart_m1", wxTRANSLATE("M1"), nullptr, wxTRANSLATE("1 Minute"), wxITEM_RADIO, false},
        {"chart_m3", wxTRANSLATE("M3"), nullptr, wxTRANSLATE("3 Minute"), wxITEM_RADIO, false},
        {"chart_m5", wxTRANSLATE("M5"), nullptr, wxTRANSLATE("5 Minute"), wxITEM_RADIO, false},
        {"chart_m15", wxTRANSLATE("M15"), nullptr, wxTRANSLATE("15 Minute"), wxITEM_RADIO, false},
        {"chart_m30", wxTRANSLATE("M30"), nullptr, wxTRANSLATE("30 Minute"), wxITEM_RADIO, false},
        {"chart_h1", wxTRANSLATE("H1"), nullptr, wxTRANSLATE("1 Hour"), wxITEM_RADIO, false},
        {"chart_h4", wxTRANSLATE("H4"), nullptr, wxTRANSLATE("4 Hour"), wxITEM_RADIO, false},
        {"chart_d1", wxTRANSLATE("D1"), nullptr, wxTRANSLATE("Daily"), wxITEM_RADIO, false},
        {"chart_mn", wxTRANSLATE("MN"), nullptr, wxTRANSLATE("Monthly"), wxITEM_RADIO, false},
    };
    return tools;
}

const std::vector<const char*>& PeriodToolNames()
{
    static const std::vector<const char*> names = {"chart_m1",  "chart_m3", "chart_m5", "chart_m15",
                                                   "chart_m30", "chart_h1", "chart_h4", "chart_d1",
                                                   "chart_w1",  "chart_mn"};
    return names;
}

const std::vector<const char*>& OrderToolNames()
{
    static const std::vector<const char*> names = {"new_buy_order", "new_sell_order"};
    return names;
}

const std::vector<const char*>& ChartTypeToolNames()
{
    static const std::vector<const char*> names = {"chart_candlestick", "chart_holc", "chart_timeShared",
                                                   "chart_zoom_out", "chart_zoom_in"};
    return names;
}

const char* ChartTypeToolName(int barType)
{
    switch(barType) {
    case 1:
        return "chart_candlestick";
    case 2:
        return "chart_timeShared";
    default:
        return "chart_holc";
    }
}

int BarTypeFromCommandId(int commandId)
{
    if(commandId == wxXmlResource::GetXRCID("chart_holc")) {
        return 0;
    }
    if(commandId == wxXmlResource::GetXRCID("chart_timeShared")) {
        return 2;
    }
    return 1;
}

const char* ToolNameFromPeriod(int period)
{
    return period >= 0 && period < kPeriodCount ? kPeriodTools[period] : kPeriodTools[0];
}

int ToolIdFromPeriod(int period)
{
    return wxXmlResource::GetXRCID(ToolNameFromPeriod(period));
}

int PeriodFromToolId(int toolId)
{
    // The first period of a shared tool wins: "chart_h1" is one hour.
    for(int period = 0; period < kPeriodCount; ++period) {
        if(wxXmlResource::GetXRCID(kPeriodTools[period]) == toolId) {
            return period;
        }
    }
    return kDefaultPeriod;
}

const char* DropDownMenuTitle(int toolId)
{
    if(toolId == wxXmlResource::GetXRCID("moneyMgr")) {
        return wxTRANSLATE("MoneyMgr");
    }
    if(toolId == wxXmlResource::GetXRCID("toolsMgr")) {
        return wxTRANSLATE("ToolsMgr");
    }
    return nullptr;
}

wxAuiToolBar* CreatePluginToolBar(wxWindow* parent, BitmapLoader* images)
{
    // Every tool fits a frame of the host's default width (1280); a
    // narrower frame reaches the tools beyond its edge through the overflow.
    auto* toolBar = new wxAuiToolBar(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                     wxAUI_TB_PLAIN_BACKGROUND | wxAUI_TB_HORZ_LAYOUT | wxAUI_TB_TEXT |
                                         wxAUI_TB_OVERFLOW);
    // A pixel at the right: the last tool touching the overflow button
    // would not be drawn.
    toolBar->SetMargins(0, 1, 0, 0);
    toolBar->SetToolBorderPadding(kToolBorderPadding);
    for(const ToolEntry& tool : ToolBarTools()) {
        if(!tool.name) {
            toolBar->AddSeparator();
            continue;
        }
        const wxString label = std::strlen(tool.label) == 0 ? wxString() : wxGetTranslation(tool.label);
        wxBitmap bitmap = tool.bitmap && images ? images->LoadBitmap(tool.bitmap) : wxNullBitmap;
        if(tool.dropDown && !bitmap.IsOk()) {
            bitmap = InvisiblePixel();
        }
        const int id = wxXmlResource::GetXRCID(tool.name);
        toolBar->AddTool(id, label, bitmap, wxGetTranslation(tool.shortHelp), tool.kind);
        if(tool.dropDown) {
            toolBar->SetToolDropDown(id, true);
        }
    }
    toolBar->Realize();
    return toolBar;
}

void EnableTools(wxAuiToolBar* toolBar, const std::vector<const char*>& names, bool enable)
{
    if(!toolBar) {
        return; // the host wanted no tool bar
    }
    for(const char* name : names) {
        const int id = wxXmlResource::GetXRCID(name);
        if(toolBar->FindTool(id)) {
            toolBar->EnableTool(id, enable);
        }
    }
}
