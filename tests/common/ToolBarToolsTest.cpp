#include "common/ToolBarTools.h"

#include <gtest/gtest.h>
#include <string>
#include <wx/xrc/xmlres.h>

namespace {

int Id(const char* name)
{
    return wxXmlResource::GetXRCID(name);
}

TEST(PeriodToolMapping, EveryPeriodSelectsItsToolAndTheToolGivesThePeriodBack)
{
    const char* expected[] = {"chart_m1", "chart_m3", "chart_m5", "chart_m15", "chart_m30", "chart_h1",
                              "chart_h1", "chart_h4", "chart_d1", "chart_w1",  "chart_mn"};
    for(int period = 0; period <= 10; ++period) {
        SCOPED_TRACE(period);
        EXPECT_STREQ(expected[period], ToolNameFromPeriod(period));
        EXPECT_EQ(Id(expected[period]), ToolIdFromPeriod(period));
        if(period != 6) {
            EXPECT_EQ(period, PeriodFromToolId(ToolIdFromPeriod(period)));
        }
    }
}

TEST(PeriodToolMapping, PeriodSixSharesTheOneHourToolWhichMeansOneHour)
{
    EXPECT_EQ(Id("chart_h1"), ToolIdFromPeriod(6));
    EXPECT_EQ(5, PeriodFromToolId(ToolIdFromPeriod(6)));
}

TEST(PeriodToolMapping, UnknownPeriodsSelectTheOneMinuteTool)
{
    EXPECT_EQ(Id("chart_m1"), ToolIdFromPeriod(11));
    EXPECT_EQ(Id("chart_m1"), ToolIdFromPeriod(12));
    EXPECT_EQ(Id("chart_m1"), ToolIdFromPeriod(-1));
}

TEST(PeriodToolMapping, AnyOtherToolIdMeansFiveMinutes)
{
    EXPECT_EQ(2, PeriodFromToolId(Id("chart_zoom_in")));
    EXPECT_EQ(2, PeriodFromToolId(Id("Sales_report")));
    EXPECT_EQ(2, PeriodFromToolId(0));
    EXPECT_EQ(2, PeriodFromToolId(wxID_ANY));
}

TEST(ChartTypeTools, BarTypesSelectTheirToolAndUnknownTypesShowHolc)
{
    EXPECT_STREQ("chart_holc", ChartTypeToolName(0));
    EXPECT_STREQ("chart_candlestick", ChartTypeToolName(1));
    EXPECT_STREQ("chart_timeShared", ChartTypeToolName(2));
    EXPECT_STREQ("chart_holc", ChartTypeToolName(3));
    EXPECT_STREQ("chart_holc", ChartTypeToolName(-1));
}

TEST(ToolTable, ToolsComeInTheirOrderWithSeparatorsBetweenTheGroups)
{
    std::string layout;
    for(const ToolEntry& tool : ToolBarTools()) {
        layout += tool.name ? tool.name : "-";
        layout += ' ';
    }
    EXPECT_EQ(
        "toolsMgr moneyMgr - Sales_report - new_buy_order new_sell_order - chart_holc chart_candlestick "
        "chart_timeShared - chart_zoom_in chart_zoom_out - chart_m1 chart_m3 chart_m5 chart_m15 chart_m30 "
        "chart_h1 chart_h4 chart_d1 chart_mn ",
        layout);
}

TEST(ToolTable, OnlyTheTwoMenuToolsDropDownAndOnlyChartTypesAndPeriodsAreRadio)
{
    for(const ToolEntry& tool : ToolBarTools()) {
        if(!tool.name) {
            EXPECT_EQ(wxITEM_SEPARATOR, tool.kind);
            continue;
        }
        const std::string name = tool.name;
        SCOPED_TRACE(name);
        EXPECT_EQ(name == "toolsMgr" || name == "moneyMgr", tool.dropDown);
        const bool radio = name == "chart_holc" || name == "chart_candlestick" ||
                           name == "chart_timeShared" ||
                           (name.rfind("chart_", 0) == 0 && name.find("zoom") == std::string::npos);
        EXPECT_EQ(radio ? wxITEM_RADIO : wxITEM_NORMAL, tool.kind);
        // Chart type and zoom tools are pictures without text; the others text only.
        const bool picture = name.find("zoom") != std::string::npos || name == "chart_holc" ||
                             name == "chart_candlestick" || name == "chart_timeShared";
        EXPECT_EQ(picture, tool.bitmap != nullptr);
        EXPECT_EQ(picture, std::string(tool.label).empty());
    }
}

TEST(ToolTable, TheWeeklyPeriodHasNoToolButIsInThePeriodGroup)
{
    for(const ToolEntry& tool : ToolBarTools()) {
        EXPECT_FALSE(tool.name && std::string(tool.name) == "chart_w1");
    }
    bool listed = false;
    for(const char* name : PeriodToolNames()) {
        listed = listed || std::string(name) == "chart_w1";
    }
    EXPECT_TRUE(listed);
    EXPECT_EQ(10u, PeriodToolNames().size());
}

TEST(ToolGroups, ChartTypeGroupHoldsTheZoomToolsAndOrderGroupTheTwoNewOrderButtons)
{
    ASSERT_EQ(5u, ChartTypeToolNames().size());
    EXPECT_STREQ("chart_zoom_out", ChartTypeToolNames()[3]);
    EXPECT_STREQ("chart_zoom_in", ChartTypeToolNames()[4]);
    ASSERT_EQ(2u, OrderToolNames().size());
    EXPECT_STREQ("new_buy_order", OrderToolNames()[0]);
    EXPECT_STREQ("new_sell_order", OrderToolNames()[1]);
}

TEST(DropDownMenus, MenuToolsOpenTheirHostMenusAndOtherToolsNone)
{
    EXPECT_STREQ("MoneyMgr", DropDownMenuTitle(Id("moneyMgr")));
    EXPECT_STREQ("ToolsMgr", DropDownMenuTitle(Id("toolsMgr")));
    EXPECT_EQ(nullptr, DropDownMenuTitle(Id("Sales_report")));
    EXPECT_EQ(nullptr, DropDownMenuTitle(Id("chart_m1")));
}

} // namespace
