#include "common/ToolBarTools.h"
#include "frame/PluginMenus.h"
#include "frame/UserActivityFilter.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/aui/auibar.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

namespace {

int Id(const char* name)
{
    return wxXmlResource::GetXRCID(name);
}

class ToolBarTest : public ::testing::Test
{
protected:
    ToolBarTest()
        : m_frame(new wxFrame(nullptr, wxID_ANY, "tools")), m_bar(CreatePluginToolBar(m_frame, nullptr))
    {}
    ~ToolBarTest() override { m_frame->Destroy(); }

    wxFrame* m_frame;
    wxAuiToolBar* m_bar; // owned by the frame
};

TEST_F(ToolBarTest, HoldsEveryToolWithItsLabelHelpAndKind)
{
    EXPECT_EQ(24u, m_bar->GetToolCount()); // 19 tools, 5 separators
    EXPECT_EQ("ToolsMgr", m_bar->GetToolLabel(Id("toolsMgr")));
    EXPECT_EQ("Show money manager menu", m_bar->GetToolShortHelp(Id("moneyMgr")));
    EXPECT_EQ("New Order(Buy)", m_bar->GetToolLabel(Id("new_buy_order")));
    EXPECT_EQ("", m_bar->GetToolLabel(Id("chart_candlestick")));
    EXPECT_EQ("Zoom Out", m_bar->GetToolShortHelp(Id("chart_zoom_out")));
    EXPECT_EQ("Monthly", m_bar->GetToolShortHelp(Id("chart_mn")));
    EXPECT_TRUE(m_bar->GetToolDropDown(Id("toolsMgr")));
    EXPECT_TRUE(m_bar->GetToolDropDown(Id("moneyMgr")));
    EXPECT_FALSE(m_bar->GetToolDropDown(Id("Sales_report")));
    EXPECT_EQ(wxITEM_RADIO, m_bar->FindTool(Id("chart_h4"))->GetKind());
    EXPECT_EQ(nullptr, m_bar->FindTool(Id("chart_w1")));
    EXPECT_EQ(6, m_bar->GetToolBorderPadding());
    EXPECT_TRUE(m_bar->HasFlag(wxAUI_TB_OVERFLOW));
    EXPECT_TRUE(m_bar->HasFlag(wxAUI_TB_TEXT));
    EXPECT_TRUE(m_bar->HasFlag(wxAUI_TB_HORZ_LAYOUT));
}

// A menu bar shaped like the host's.
wxMenuBar* HostMenuBar()
{
    auto* system = new wxMenu;
    system->Append(XRCID("login"), "Login");
    system->Append(XRCID("logout"), "Logout");
    auto* money = new wxMenu;
    money->Append(XRCID("in_money"), "Deposit");
    money->Append(XRCID("transfer_Acc"), "Transfer");
    money->Append(XRCID("change_MainAcc"), "Main account");
    money->Append(XRCID("setsurety_Money"), "Surety");
    auto* bar = new wxMenuBar;
    bar->Append(system, "System");
    bar->Append(money, "MoneyMgr");
    bar->Append(new wxMenu, "ToolsMgr");
    return bar;
}

std::vector<int> ItemIds(wxMenu* menu)
{
    std::vector<int> ids;
    for(wxMenuItem* item : menu->GetMenuItems()) {
        ids.push_back(item->GetId());
    }
    return ids;
}

TEST(PluginMenusTest, ModifyPasswordComesFirstInTheSystemMenuThenASeparatorThenTheOldItems)
{
    std::unique_ptr<wxMenuBar> bar(HostMenuBar());
    PluginMenus menus;
    menus.Build(bar.get(), nullptr);
    wxMenu* system = bar->GetMenu(0);
    ASSERT_EQ(4u, system->GetMenuItemCount());
    EXPECT_EQ(XRCID("modify_password"), system->FindItemByPosition(0)->GetId());
    EXPECT_EQ("Modify Password", system->FindItemByPosition(0)->GetItemLabelText());
    EXPECT_TRUE(system->FindItemByPosition(1)->IsSeparator());
    EXPECT_EQ(XRCID("login"), system->FindItemByPosition(2)->GetId());
    EXPECT_EQ(XRCID("logout"), system->FindItemByPosition(3)->GetId());
}

TEST(PluginMenusTest, TheThreeMoneyItemsAreHeldBackUntilTheAccountsAskForThem)
{
    std::unique_ptr<wxMenuBar> bar(HostMenuBar());
    PluginMenus menus;
    menus.Build(bar.get(), nullptr);
    wxMenu* money = bar->GetMenu(1);
    EXPECT_EQ(std::vector<int>({XRCID("in_money")}), ItemIds(money));
    EXPECT_TRUE(menus.HoldsTransferItem());
    EXPECT_TRUE(menus.HoldsMainAccountItem());
    EXPECT_TRUE(menus.HoldsSuretyItem());

    menus.AppendAccountItems(bar.get());
    EXPECT_EQ(std::vector<int>({XRCID("in_money"), XRCID("transfer_Acc"), XRCID("change_MainAcc")}),
              ItemIds(money));
    menus.AppendAccountItems(bar.get());
    EXPECT_EQ(3u, money->GetMenuItemCount()) << "a second call appends nothing";

    menus.AppendSuretyItem(bar.get());
    menus.AppendSuretyItem(bar.get());
    EXPECT_EQ(std::vector<int>({XRCID("in_money"), XRCID("transfer_Acc"), XRCID("change_MainAcc"),
                                XRCID("setsurety_Money")}),
              ItemIds(money));
    EXPECT_FALSE(menus.HoldsSuretyItem());
}

TEST(PluginMenusTest, MissingHostMenusAreLeftAloneAndHeldItemsWait)
{
    PluginMenus menus;
    menus.Build(nullptr, nullptr);
    EXPECT_FALSE(menus.HoldsTransferItem());

    std::unique_ptr<wxMenuBar> bar(HostMenuBar());
    menus.Build(bar.get(), nullptr);
    std::unique_ptr<wxMenu> money(bar->Remove(1));
    menus.AppendAccountItems(bar.get());
    EXPECT_TRUE(menus.HoldsTransferItem()) << "kept until the menu is there";
}

TEST(UserActivity, ClicksAndKeyPressesCountButMovesAndReleasesDoNot)
{
    int activity = 0;
    UserActivityFilter filter([&activity] { ++activity; });
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "activity");
    auto send = [frame](wxEvent&& event) {
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
    };
    send(wxMouseEvent(wxEVT_LEFT_DOWN));
    EXPECT_EQ(0, activity) << "not installed yet";

    filter.Install();
    send(wxMouseEvent(wxEVT_LEFT_DOWN));
    send(wxMouseEvent(wxEVT_RIGHT_DOWN));
    send(wxKeyEvent(wxEVT_KEY_DOWN));
    EXPECT_EQ(3, activity);
    send(wxMouseEvent(wxEVT_MOTION));
    send(wxMouseEvent(wxEVT_LEFT_UP));
    send(wxKeyEvent(wxEVT_KEY_UP));
    EXPECT_EQ(3, activity);

    filter.Remove();
    send(wxKeyEvent(wxEVT_KEY_DOWN));
    EXPECT_EQ(3, activity);
    frame->Destroy();
}

} // namespace
