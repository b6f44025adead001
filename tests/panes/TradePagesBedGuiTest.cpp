// The "Account" and "Trade" pages on the logged-in test bed: the demo
// accounts with their roles and the surety column, a filled market order
// above its account's summary row, floating profit that follows the market's
// prices to the cent, a clicked trade notice that selects its bill, a close
// through the Quantity link, the order contract, and a risk notice of the
// market in the output window; and a flood of prices that leaves the window
// live and the figures the market's.
#include "TestBed.h"
#include "connection/Client.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "orders/OrderDialog.h"
#include "panes/HoldDetailModel.h"
#include "panes/HoldDetailPane.h"
#include "panes/OrderContractDialog.h"
#include "panes/PositionFigures.h"
#include "panes/PositionModel.h"
#include "panes/PositionPane.h"
#include "panes/UserAccountModel.h"
#include "panes/UserAccountPane.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmDataViewHyperlinkRenderer.h>
#include <set>
#include <tradeapi/FixedText.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/xrc/xmlres.h>

namespace {

using nlohmann::json;

template <class Pane> Pane* FindPage(TestBed& bed, const wxString& label, int* index = nullptr)
{
    Notebook* output = bed.Host().Manager().GetOutputBook();
    for(size_t page = 0; page < output->GetPageCount(); ++page) {
        if(output->GetPageText(page) == label) {
            if(index) {
                *index = static_cast<int>(page);
            }
            return dynamic_cast<Pane*>(output->GetPage(page));
        }
    }
    return nullptr;
}

wxString Cell(wxDataViewModel* model, unsigned int row, unsigned int column)
{
    wxVariant value;
    static_cast<wxDataViewVirtualListModel*>(model)->GetValueByRow(value, row, column);
    return value.GetType() == "arrstring" ? wxJoin(value.GetArrayString(), '|') : value.MakeString();
}

json Account(const json& state, int key)
{
    for(const json& account : state["accounts"]) {
        if(account["key"].get<int>() == key) {
            return account;
        }
    }
    return json();
}

// The sum of the DynProfit cells of the account's bills, in cents.
long DynProfitCents(HoldDetailModel* model, int accountKey)
{
    double total = 0.0;
    model->ForEachBillOfAccount(accountKey, [&](const trade_HoldBill& bill) {
        const int row = model->GetOrderList().FindRow(accountKey, &bill);
        double cell = 0.0;
        Cell(model, static_cast<unsigned int>(row), HoldDetailModel::eDynProfit).ToCDouble(&cell);
        total += cell;
    });
    return std::lround(total * 100);
}

// What the "Trade", "Position" and "Account" pages show, one line each: the
// order codes of the bills, the quantity cells of each symbol's position,
// and the money and margin cells of each account.
std::string PagesText(HoldDetailModel* holds, PositionModel* positions, UserAccountModel* accounts)
{
    std::set<std::string> bills;
    for(unsigned int row = 0; row < holds->GetCount(); ++row) {
        if(holds->GetBill(row)) {
            bills.insert(Cell(holds, row, HoldDetailModel::eOrderCode).utf8_string());
        }
    }
    std::map<int, std::string> quantities;
    for(unsigned int row = 0; row < positions->GetRecordCount(); ++row) {
        quantities[positions->GetRecordAt(row)->symbolId] =
            Cell(positions, row, PositionModel::eQuantityBuy).utf8_string() + "/" +
            Cell(positions, row, PositionModel::eQuantitySell).utf8_string();
    }
    std::map<int, std::string> money;
    for(unsigned int row = 0; row < accounts->GetCount(); ++row) {
        money[accounts->GetAccountAt(row)->accountKey] =
            Cell(accounts, row, UserAccountModel::eMarginRemain).utf8_string() + "/" +
            Cell(accounts, row, UserAccountModel::eMarginUsed).utf8_string();
    }
    return json{{"bills", bills}, {"positions", quantities}, {"accounts", money}}.dump();
}

// The same of the market's state for the user, in the pages' texts.
std::string MarketText(const json& state, int userId)
{
    std::set<int> keys;
    std::map<int, std::string> money;
    for(const json& account : state["accounts"]) {
        if(account["userId"] == userId) {
            keys.insert(account["key"].get<int>());
            money[account["key"].get<int>()] =
                FormatMoney(account["marginRemain"].get<double>()).utf8_string() + "/" +
                FormatMoney(account["marginUsed"].get<double>()).utf8_string();
        }
    }
    std::set<std::string> bills;
    for(const json& hold : state["holds"]) {
        if(keys.count(hold["account"].get<int>())) {
            bills.insert(hold["code"].get<std::string>());
        }
    }
    std::map<int, std::string> quantities;
    for(const json& position : state["positions"]) {
        if(keys.count(position["account"].get<int>())) {
            quantities[position["symbol"].get<int>()] =
                QuantityLinkText(position["buyQuantity"].get<double>()).utf8_string() + "/" +
                QuantityLinkText(position["sellQuantity"].get<double>()).utf8_string();
        }
    }
    return json{{"bills", bills}, {"positions", quantities}, {"accounts", money}}.dump();
}

// Request frames of the kind (request code) that the market swallowed.
int Swallowed(const json& state, int requestCode)
{
    int count = 0;
    for(const json& entry : state["requests"]) {
        count += entry.value("code", 0) == requestCode && entry["fault"] == "swallow" ? 1 : 0;
    }
    return count;
}

} // namespace

TEST(TradePagesOnTheTestBed, AfterAMarketCrashWithLostAnswersThePagesAgreeWithItSoonAfterTheAnswersCome)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    RecordStore& store = bed.Store();
    auto* holds = FindPage<HoldDetailPane>(bed, "Trade")->GetModel();
    auto* positions = FindPage<PositionPane>(bed, "Position")->GetModel();
    auto* accounts = FindPage<UserAccountPane>(bed, "Account")->GetModel();
    const int userId = bed.GetClient()->GetUserId();

    // Two fills the restarted market will not know.
    const size_t before = store.m_trade_HoldBill_table->GetContainer().size();
    for(char side : {'b', 's'}) {
        sFFixSetOrder order{};
        order.accountKey = 11;
        order.side = side;
        order.orderType = '1';
        order.symbolId = 101;
        order.quantity = 1;
        ASSERT_NE(bed.GetClient()->ReqSetOrder(&order), -1);
    }
    ASSERT_TRUE(PumpUntil([&] {
        return store.m_trade_HoldBill_table->GetContainer().size() == before + 2 &&
               PagesText(holds, positions, accounts) == MarketText(bed.Market().State(), userId);
    }));
    const std::string beforeCrash = PagesText(holds, positions, accounts);

    // Killed and restarted on its ports, the market loses the fills and
    // swallows the hold, position and money queries of the new login.
    SimProcess& market = bed.KillAndRestartMarket("--swallow 1015,1013,1007");
    ASSERT_EQ(market.Post("/admin/walk?rate=0"), 200);
    ASSERT_NE(MarketText(market.State(), userId), beforeCrash);
    // Logged in again, each lost query is sent again; the status says the
    // client is not ready and the pages still show the old day.
    ASSERT_TRUE(PumpUntil(
        [&] {
            const json state = market.State();
            return Swallowed(state, 1014) >= 2 && Swallowed(state, 1012) >= 2 && Swallowed(state, 1006) >= 2;
        },
        std::chrono::seconds(30)));
    EXPECT_EQ(bed.GetClient()->GetTradeConnecter().GetStatus(), eLS_LoginSuccess);
    EXPECT_FALSE(bed.GetClient()->IsReady());
    EXPECT_FALSE(bed.Host().Login().DescribeState().Contains("Trade: Logged in"))
        << bed.Host().Login().DescribeState();
    // (The restarted market may push money of its own meanwhile.)
    const json stale = json::parse(PagesText(holds, positions, accounts));
    EXPECT_EQ(stale["bills"], json::parse(beforeCrash)["bills"]);
    EXPECT_EQ(stale["positions"], json::parse(beforeCrash)["positions"]);

    // The faults clear: the queries sent again bring the pages to the
    // market's day.
    for(const char* code : {"1015", "1013", "1007"}) {
        ASSERT_EQ(market.Post(std::string("/admin/answer?code=") + code + "&mode=normal"), 200);
    }
    std::string expected;
    EXPECT_TRUE(PumpUntil(
        [&] {
            expected = MarketText(market.State(), userId);
            return PagesText(holds, positions, accounts) == expected && bed.GetClient()->IsReady();
        },
        std::chrono::seconds(60)))
        << PagesText(holds, positions, accounts) << "\nagainst\n"
        << expected;
    EXPECT_TRUE(PumpUntil([&] { return bed.Host().Login().DescribeState().Contains("Trade: Logged in"); }))
        << bed.Host().Login().DescribeState();
}

TEST(TradePagesOnTheTestBed, AccountsBillsProfitNoticesCloseAndRisk)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200); // prices move only when told
    RecordStore& store = bed.Store();
    int tradePage = -1;
    auto* accounts = FindPage<UserAccountPane>(bed, "Account");
    auto* trade = FindPage<HoldDetailPane>(bed, "Trade", &tradePage);
    ASSERT_NE(accounts, nullptr);
    ASSERT_NE(trade, nullptr);
    HoldDetailModel* holds = trade->GetModel();

    // The four demo accounts, each with its role; A14 (kind '3') keeps the
    // surety column, and the money menu has its account entries back.
    ASSERT_TRUE(
        PumpUntil([&] { return accounts->GetModel()->GetCount() == 4 && !accounts->IsRefreshPending(); }));
    for(unsigned int row = 0; row < 4; ++row) {
        const user_Account& account = *accounts->GetModel()->GetAccountAt(row);
        const wxString role = account.accountState == '1' ? "[Master]" : "[Slave]";
        EXPECT_EQ(Cell(accounts->GetModel(), row, UserAccountModel::eMarket), role + account.marketName);
    }
    EXPECT_FALSE(accounts->GetList()->GetColumnByModelColumn(UserAccountModel::eSuretyMoney)->IsHidden());
    wxMenuBar* menuBar = bed.Host().Frame().GetMenuBar();
    for(const char* id : {"transfer_Acc", "change_MainAcc", "setsurety_Money"}) {
        EXPECT_NE(menuBar->FindItem(XRCID(id)), nullptr) << id;
    }

    // A summary row for each account of class '1' or '2' (11, 12, 13), each
    // under its bills; A14 (class '3', no bills) has none.
    for(int key : {11, 12, 13}) {
        EXPECT_NE(holds->GetOrderList().FindSummaryRow(key), OrderList::kNoRow) << key;
    }
    EXPECT_EQ(holds->GetOrderList().FindSummaryRow(14), OrderList::kNoRow);

    // A market buy of AG on A11, filled by the market, stands directly above
    // A11's summary row.
    const size_t before = store.m_trade_HoldBill_table->GetContainer().size();
    sFFixSetOrder order{};
    order.accountKey = 11;
    order.side = 'b';
    order.orderType = '1';
    order.symbolId = 101;
    order.quantity = 3;
    ASSERT_NE(bed.GetClient()->ReqSetOrder(&order), -1);
    ASSERT_TRUE(PumpUntil([&] { return store.m_trade_HoldBill_table->GetContainer().size() == before + 1; }));
    const int summary = holds->GetOrderList().FindSummaryRow(11);
    const trade_HoldBill* bill = holds->GetBill(static_cast<unsigned int>(summary - 1));
    ASSERT_NE(bill, nullptr);
    const wxString code = bill->orderCode;
    EXPECT_EQ(bill->accountKey, 11);
    EXPECT_EQ(bill->quantity, 3.0);

    // The DynProfit cells of A11 add up to the market's floating profit.
    for(const char* price : {"5100", "4870", "5003"}) {
        SCOPED_TRACE(price);
        ASSERT_EQ(bed.Market().Post(std::string("/admin/price?symbol=101&price=") + price), 200);
        const double moved = std::atof(price);
        ASSERT_TRUE(PumpUntil(
            [&] { return store.m_symbol_price_table->GetIndexByPrimary().find(101)->lastPrice == moved; }));
        const long expected = std::lround(Account(bed.Market().State(), 11)["profitDyn"].get<double>() * 100);
        EXPECT_EQ(DynProfitCents(holds, 11), expected);
        EXPECT_NE(expected, 0);
    }

    // The output window's "Market Trade" notice of the fill selects the bill
    // on the "Trade" page.
    OutputWindow& output = bed.Host().Output();
    size_t notice = output.GetEntryCount();
    ASSERT_TRUE(PumpUntil([&] {
        for(size_t i = 0; i < output.GetEntryCount(); ++i) {
            if(output.GetEntry(i).title == "Market Trade[" + code + "]") {
                notice = i;
                return true;
            }
        }
        return false;
    }));
    Notebook* book = bed.Host().Manager().GetOutputBook();
    book->SetSelection(0, false);
    trade->GetList()->UnselectAll();
    ASSERT_TRUE(output.ClickEntry(notice));
    ASSERT_TRUE(PumpUntil([&] { return book->GetSelection() == tradePage; }));
    wxDataViewItemArray selection;
    trade->GetList()->GetSelections(selection);
    ASSERT_EQ(selection.size(), 1u);
    EXPECT_EQ(holds->GetBill(holds->GetRow(selection[0])), bill);

    // Its order contract, filled from the template of the data folder.
    wxString contract;
    bed.Dialogs().Answer(
        [&](wxDialog& dialog) {
            contract = static_cast<OrderContractDialog&>(dialog).GetPage();
            return wxID_CANCEL;
        },
        [](wxDialog& dialog) { return DialogScript::ClassNameOf(dialog) == "OrderContractDialog"; });
    wxCommandEvent show(wxEVT_MENU, XRCID("show_order_contract"));
    trade->GetList()->ProcessWindowEvent(show);
    EXPECT_TRUE(contract.Contains("<td>demo</td>")) << contract;
    EXPECT_FALSE(contract.Contains("$")) << contract;

    // The Quantity link opens the close dialog; sent, the bill's row goes.
    wxDataViewEvent link(wxEVT_DATAVIEW_LINK_CLICKED, trade->GetList(), selection[0]);
    link.SetColumn(HoldDetailModel::eQuantity);
    trade->GetList()->ProcessWindowEvent(link);
    ASSERT_EQ(OrderDialog::GetOpenDialogs().size(), 1u);
    OrderDialog* dialog = OrderDialog::GetOpenDialogs().front();
    EXPECT_EQ(dialog->m_openCloseType, eClose);
    EXPECT_EQ(dialog->m_orderCodeRe, code);
    auto* ok = dynamic_cast<wxButton*>(wxWindow::FindWindowByLabel("Ok", dialog));
    ASSERT_NE(ok, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, ok->GetId());
    click.SetEventObject(ok);
    ok->ProcessWindowEvent(click);
    ASSERT_TRUE(PumpUntil([&] { return holds->GetOrderList().FindRow(11, bill) == OrderList::kNoRow; },
                          std::chrono::seconds(10)));
    EXPECT_TRUE(PumpUntil([] { return OrderDialog::GetOpenDialogs().empty(); }));
    EXPECT_EQ(holds->GetOrderList().FindSummaryRow(11), summary - 1);

    // The market's warning for A11 reaches the output window, whose detail
    // shows it whole at the default size, and a box in front of the trader.
    const wxString title = wxString("notice of append deposit:[") + wxString::FromUTF8("现货一部") + "]";
    ASSERT_EQ(bed.Market().Post("/admin/risk?account=11&line=warning"), 200);
    size_t warning = 0;
    ASSERT_TRUE(PumpUntil([&] {
        for(size_t i = 0; i < output.GetEntryCount(); ++i) {
            if(output.GetEntry(i).title == title && output.GetEntry(i).body.Contains("%")) {
                warning = i;
                return true;
            }
        }
        return false;
    }));
    const wxString whole = title + "\n" + output.GetEntry(warning).body;
    output.GetList()->SetItemState(static_cast<long>(warning), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    wxTextCtrl& detail = *output.GetDetail();
    EXPECT_TRUE(detail.GetValue().EndsWith(whole)) << detail.GetValue();
    ASSERT_TRUE(PumpUntil([&] { return detail.IsShownOnScreen(); }));
    const int last = detail.PositionToCoords(detail.GetLastPosition()).y;
    EXPECT_TRUE(last >= 0 && last + detail.GetCharHeight() <= detail.GetClientSize().y) << last;
    ASSERT_TRUE(accounts->GetRiskNoticeBox() && accounts->GetRiskNoticeBox()->IsShown());
    EXPECT_TRUE(accounts->GetRiskNoticeBox()->GetTextCtrlNotices()->GetValue().StartsWith(whole));

    // The next user: the box goes with demo's accounts; second's account,
    // without risk lines or margin in use, is at Normal.
    ASSERT_TRUE(bed.Login("second", "second1"));
    ASSERT_TRUE(
        PumpUntil([&] { return !accounts->GetRiskNoticeBox() || !accounts->GetRiskNoticeBox()->IsShown(); }));
    ASSERT_TRUE(PumpUntil([&] { return accounts->GetModel()->GetCount() == 1; }));
    EXPECT_EQ(Cell(accounts->GetModel(), 0, UserAccountModel::eRiskLevel), "Normal");
}

TEST(TradePagesOnTheTestBed, AbsurdFiguresOfABillShowDashesKeepTheColumnsAndMakeNoForcedClose)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    int tradePage = -1;
    auto* accounts = FindPage<UserAccountPane>(bed, "Account");
    auto* trade = FindPage<HoldDetailPane>(bed, "Trade", &tradePage);
    ASSERT_TRUE(accounts && trade);
    bed.Host().Manager().GetOutputBook()->SetSelection(static_cast<size_t>(tradePage));
    HoldDetailModel* holds = trade->GetModel();
    auto& bills = *bed.Store().m_trade_HoldBill_table;
    auto push = [&](const trade_HoldBill& bill, const std::function<void(sFFixHoldDetail&)>& change) {
        sFFixHoldDetail row{};
        row.accountKey = bill.accountKey;
        row.side = bill.side;
        row.symbolId = bill.symbolId;
        row.quantity = bill.quantity;
        row.holdPrice = bill.holdPrice;
        row.openPrice = bill.openPrice;
        tradeapi::SetFixedText(row.orderCode, bill.orderCode.utf8_string());
        change(row);
        return bed.Market().Post("/admin/push?user=demo&code=1018",
                                 std::string(reinterpret_cast<const char*>(&row), sizeof row));
    };
    const trade_HoldBill* sold = nullptr;
    const trade_HoldBill* bought = nullptr;
    for(const trade_HoldBill& bill : bills.GetIndexByPrimary()) {
        (bill.side == 's' ? sold : bought) = &bill;
    }
    ASSERT_TRUE(sold && bought);
    PumpEvents();
    std::vector<int> widths;
    for(unsigned int i = 0; i < trade->GetList()->GetColumnCount(); ++i) {
        widths.push_back(trade->GetList()->GetColumn(i)->GetWidth());
    }

    // The market pushes the sold bill with prices that are no number and a
    // stop and margin of 1e308. As 0 the price made a loss that forced the
    // account's close; 1e308 widened its columns for good.
    ASSERT_EQ(push(*sold,
                   [](sFFixHoldDetail& row) {
                       row.holdPrice = std::numeric_limits<double>::quiet_NaN();
                       row.openPrice = std::numeric_limits<double>::infinity();
                       row.stopLoss = row.marginUsed = 1e308;
                   }),
              200);
    ASSERT_TRUE(PumpUntil([&] { return std::isnan(sold->holdPrice); }));
    const unsigned int row = static_cast<unsigned int>(holds->GetOrderList().FindRow(sold->accountKey, sold));
    for(unsigned int column :
        {HoldDetailModel::eOpenPrice, HoldDetailModel::eHoldPrice, HoldDetailModel::eStopLoss,
         HoldDetailModel::eMarginUsed, HoldDetailModel::eDynProfit}) {
        EXPECT_EQ(Cell(holds, row, column), "---") << column;
    }
    // A real figure that widens its column: once it has, the rows were laid
    // out, and no other column moved.
    ASSERT_EQ(push(*bought, [](sFFixHoldDetail& row) { row.chargeOpen = 987654321098.25; }), 200);
    const unsigned int charge = HoldDetailModel::eChargeOpen;
    ASSERT_TRUE(PumpUntil([&] { return trade->GetList()->GetColumn(charge)->GetWidth() > widths[charge]; }));
    for(unsigned int i = 0; i < trade->GetList()->GetColumnCount(); ++i) {
        EXPECT_TRUE(i == charge || trade->GetList()->GetColumn(i)->GetWidth() == widths[i]) << i;
    }

    ASSERT_TRUE(PumpUntil([&] { return !accounts->IsRefreshPending(); }));
    for(unsigned int i = 0; i < accounts->GetModel()->GetCount(); ++i) {
        const bool noFigures = accounts->GetModel()->GetAccountAt(i)->accountKey == sold->accountKey;
        EXPECT_EQ(Cell(accounts->GetModel(), i, UserAccountModel::eRiskLevel) == "---", noFigures) << i;
        EXPECT_EQ(Cell(accounts->GetModel(), i, UserAccountModel::eNetValue) == "---", noFigures) << i;
    }

    // A quantity of -5 no market sends: the bill shows dashes, not "-5.00"
    // and a profit.
    ASSERT_EQ(push(*bought, [](sFFixHoldDetail& row) { row.quantity = -5; }), 200);
    ASSERT_TRUE(PumpUntil([&] { return std::isnan(bought->quantity); }));
    const auto boughtRow =
        static_cast<unsigned int>(holds->GetOrderList().FindRow(bought->accountKey, bought));
    for(unsigned int column : {HoldDetailModel::eQuantity, HoldDetailModel::eDynProfit}) {
        EXPECT_EQ(Cell(holds, boughtRow, column), "---") << column;
    }
}

// A flood of prices: the GUI thread's timers keep beating, and once the
// market stops every account's figures on the "Account" page and every
// bill's profit on the "Trade" page are the market's, to the cent.
TEST(TradePagesOnTheTestBed, AFloodOfPricesNeverStopsTheWindowAndTheFiguresAgreeAfterIt)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    RecordStore& store = bed.Store();
    auto* accounts = FindPage<UserAccountPane>(bed, "Account");
    auto* trade = FindPage<HoldDetailPane>(bed, "Trade");
    ASSERT_NE(accounts, nullptr);
    ASSERT_NE(trade, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return accounts->GetModel()->GetCount() == 4; }));

    long long ticks = 0;
    struct TickCount : CActionTrigger<symbol_price>
    {
        explicit TickCount(long long& count) : count(count) {}
        void afterUpdate(const symbol_price&, CTransaction*, void*) override { ++count; }
        long long& count;
    } tickCount(ticks);
    store.m_symbol_price_table->AddActionTrigger(&tickCount);

    // The window's timers go on beating while the prices pour in; how late
    // they come is bench_session's figure (status_gap_ms), not this test's.
    int beatsInFlood = 0;
    long long ticksAtBeat = 0;
    wxTimer probe;
    probe.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        beatsInFlood += ticks > ticksAtBeat;
        ticksAtBeat = ticks;
    });
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=100"), 200);
    probe.Start(50);
    // The walk of five symbols at 100 a second.
    EXPECT_TRUE(PumpUntil([&] { return beatsInFlood >= 40 && ticks > 2000; }, std::chrono::seconds(120)))
        << beatsInFlood << " beats, " << ticks << " prices";
    probe.Stop();

    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    const json state = bed.Market().State();
    ASSERT_TRUE(PumpUntil(
        [&] {
            for(const json& price : state["prices"]) {
                const auto found =
                    store.m_symbol_price_table->GetIndexByPrimary().find(price["symbol"].get<int>());
                if(found == store.m_symbol_price_table->GetIndexByPrimary().end() ||
                   found->lastPrice != price["last"].get<double>()) {
                    return false;
                }
            }
            return true;
        },
        std::chrono::seconds(10)));
    // Every row the clock had marked is told to its control.
    RefreshClock* clock = PluginRefreshClock();
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return !clock->IsRunning(); }));
    store.m_symbol_price_table->RemoveActionTrigger(&tickCount);

    auto cents = [](const wxString& text) {
        double value = 0.0;
        return text.ToCDouble(&value) ? std::lround(value * 100) : -1L;
    };
    UserAccountModel* model = accounts->GetModel();
    for(unsigned int row = 0; row < model->GetCount(); ++row) {
        const user_Account& account = *model->GetAccountAt(row);
        SCOPED_TRACE(account.accountKey);
        const json market = Account(state, account.accountKey);
        EXPECT_EQ(cents(Cell(model, row, UserAccountModel::eProfitDyn)),
                  std::lround(market["profitDyn"].get<double>() * 100));
        EXPECT_EQ(cents(Cell(model, row, UserAccountModel::eNetValue)),
                  std::lround(market["netValue"].get<double>() * 100));
        EXPECT_EQ(cents(Cell(model, row, UserAccountModel::eMarginFree)),
                  std::lround(market["marginFree"].get<double>() * 100));
        EXPECT_EQ(DynProfitCents(trade->GetModel(), account.accountKey),
                  std::lround(market["profitDyn"].get<double>() * 100));
    }
}
