// The test-only list pane on the logged-in test bed: rows follow the market's
// fills and closes through the hold-bill table, and the column layout the
// user arranged survives a rebuild and a restart.
#include "HoldBillTestPane.h"
#include "TestBed.h"
#include "connection/Client.h"
#include "frame/RemoveNotebookPage.h"
#include "frame/TessrinPlugin.h"
#include "panes/SymbolModel.h"
#include "panes/SymbolPane.h"

#include <cstring>
#include <gtest/gtest.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmStatusBar.h>

namespace {

bool MarketHolds(SimProcess& market, const wxString& code)
{
    const nlohmann::json state = market.State();
    for(const auto& hold : state["holds"]) {
        if(hold.value("code", std::string()) == code.utf8_string()) {
            return true;
        }
    }
    return false;
}

wxString CodeAt(HoldBillTestPane& pane, unsigned int row)
{
    wxVariant code;
    pane.GetModel()->GetValueByRow(code, row, eBillCode);
    return code.IsNull() ? wxString() : code.GetString();
}

HoldBillTestPane* AddPane(TestBed& bed)
{
    HostManager& host = bed.Host().Manager();
    auto* pane = new HoldBillTestPane(&bed.Store(), &host, host.GetOutputBook());
    host.GetOutputBook()->AddPage(pane, "Bills", true);
    return pane;
}

} // namespace

TEST(ListPaneOnTheTestBed, AFilledOrderAddsItsRowAClosedBillTakesItAwayAndTheLayoutStays)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200); // prices stand still
    HoldBillTestPane* pane = AddPane(bed);
    const unsigned int before = pane->GetModel()->GetCount();
    ASSERT_EQ(before, bed.Store().m_trade_HoldBill_table->GetContainer().size());
    ASSERT_GT(before, 0u); // the demo user's open bills, already there

    // A market buy of AG on account 11 fills at the market.
    sFFixSetOrder order{};
    order.accountKey = 11;
    order.side = 'b';
    order.orderType = '1';
    order.symbolId = 101;
    order.quantity = 1;
    ASSERT_NE(bed.GetClient()->ReqSetOrder(&order), -1);
    ASSERT_TRUE(PumpUntil([&] { return pane->GetModel()->GetCount() == before + 1; }));
    const wxString code = CodeAt(*pane, before);
    ASSERT_FALSE(code.empty());
    EXPECT_TRUE(MarketHolds(bed.Market(), code));
    wxVariant number;
    pane->GetModel()->GetValueByRow(number, before, eBillRow);
    EXPECT_EQ(number.GetLong(), static_cast<long>(before) + 1);
    // The control has the row too: it lays it out below the others.
    const wxDataViewItem added = pane->GetModel()->GetItem(before);
    EXPECT_TRUE(PumpUntil([&] { return pane->GetList()->GetItemRect(added).height > 0; }));

    // Closing the bill at the market takes its row away again.
    sFFixSetOrder close{};
    close.accountKey = 11;
    close.side = 's';
    close.orderType = '2';
    close.symbolId = 101;
    close.quantity = 1;
    std::strncpy(close.closeOrderCode, code.utf8_str(), sizeof(close.closeOrderCode) - 1);
    ASSERT_NE(bed.GetClient()->ReqSetOrder(&close), -1);
    ASSERT_TRUE(PumpUntil([&] { return pane->GetModel()->GetCount() == before; }));
    EXPECT_FALSE(MarketHolds(bed.Market(), code));
    EXPECT_TRUE(PumpUntil([&] { return pane->GetList()->GetItemRect(added).height == 0; }));
    for(unsigned int row = 0; row < before; ++row) {
        EXPECT_NE(CodeAt(*pane, row), code) << row;
    }

    // The user widens "Code" and shows "Side"; the layout survives the pane's
    // rebuild and a restart of the program.
    pane->GetList()->GetColumnByModelColumn(eBillCode)->SetWidth(150);
    ASSERT_TRUE(pane->GetList()->ShowDynColumn("m_bShowSide", true));
    const std::vector<pmDataViewCtrlConfig::Column> arranged = pane->GetList()->GetLayout();
    auto sameLayout = [&](HoldBillTestPane* rebuilt) {
        const std::vector<pmDataViewCtrlConfig::Column> layout = rebuilt->GetList()->GetLayout();
        if(layout.size() != arranged.size()) {
            return false;
        }
        for(size_t i = 0; i < layout.size(); ++i) {
            if(layout[i].modelColumn != arranged[i].modelColumn || layout[i].width != arranged[i].width ||
               layout[i].shown != arranged[i].shown) {
                return false;
            }
        }
        return true;
    };
    RemoveNotebookPage(&bed.Host().Manager(), pane);
    pane = AddPane(bed);
    EXPECT_TRUE(sameLayout(pane));
    EXPECT_EQ(pane->GetModel()->GetCount(), before);

    // Logged out, by the trader and then by the market, the pane, the quote
    // board and the status bar keep no figure of the login.
    const SymbolModel& board = *bed.Plugin().GetOtcSymbolPane()->GetModel();
    pmStatusBar& status = *bed.Host().Manager().GetHostStatusBar();
    const auto cell = [&board](unsigned int column) {
        wxVariant value;
        board.GetValueByRow(value, 0, column);
        return value.GetType() == "string" ? value.GetString() : wxString("(shown)");
    };
    const auto field = [&](int n) {
        return status.GetStatusText(bed.Plugin().GetStatusItems().at(n)->field);
    };
    const auto loggedOut = [&] {
        return pane->GetModel()->GetCount() == 0 && cell(SymbolModel::eSymbol) == "(shown)" &&
               cell(SymbolModel::eBid).empty() && cell(SymbolModel::eTime).empty() && field(1).empty() &&
               field(6).empty() && field(2) == "Not logged in";
    };
    bed.Logout();
    EXPECT_TRUE(loggedOut());
    ASSERT_TRUE(bed.Login());
    EXPECT_EQ(pane->GetModel()->GetCount(), before);
    EXPECT_NE(cell(SymbolModel::eBid), "");
    ASSERT_EQ(bed.Market().Post("/admin/kick?user=demo"), 200);
    EXPECT_TRUE(PumpUntil(loggedOut));

    // The pane observes the plug-in's store: it goes before the plug-in does.
    RemoveNotebookPage(&bed.Host().Manager(), pane);
    ASSERT_TRUE(bed.Restart());
    pane = AddPane(bed);
    EXPECT_TRUE(sameLayout(pane));
    EXPECT_FALSE(pane->GetList()->GetColumnByModelColumn(eBillSide)->IsHidden());
    RemoveNotebookPage(&bed.Host().Manager(), pane);
}
