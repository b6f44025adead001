// The history notebook on the logged-in test bed: the plug-in's "History "
// pane, its pages asking simmarketd's report service and showing its rows,
// the binary-option page, colours and stored layouts.
#include "TestBed.h"
#include "WrongTypeLog.h"
#include "connection/Client.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "history/HistoryCashPanel.h"
#include "history/HistoryInOutMoneyPanel.h"
#include "history/HistoryLimitPane.h"
#include "history/HistoryMinTradePane.h"
#include "history/HistoryOrderPane.h"
#include "history/HistoryPane.h"
#include "history/PagingPanel.h"

#include <algorithm>
#include <pelmora/DrawingUtils.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <set>
#include <tradeapi/FFixMoney.h>
#include <tradeapi/FFixOrder.h>
#include <tradeapi/FixedText.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/hyperlink.h>
#include <wx/log.h>
#include <wx/stattext.h>

using namespace std::chrono_literals;
using Json = nlohmann::json;

namespace {

std::vector<wxString> Titles(Notebook* book)
{
    std::vector<wxString> titles;
    for(size_t i = 0; i < book->GetPageCount(); ++i) {
        titles.push_back(book->GetPageText(i));
    }
    return titles;
}

std::vector<wxString> Choices(HistoryQryCtl* page)
{
    std::vector<wxString> names;
    for(const wxString& name : page->GetConditionPanel()->GetMarketChoice()->GetStrings()) {
        names.push_back(name);
    }
    return names;
}

// What a trader does on a page, through the controls' own events.
template <class Page> class PageUser
{
public:
    explicit PageUser(Page* page) : m_page(page)
    {
        // The scenario's history lies on the days before today.
        m_page->GetConditionPanel()->GetStartDate()->SetValue(wxDateTime::Today() - wxDateSpan::Days(30));
    }

    ::testing::AssertionResult Query(const wxString& market)
    {
        wxComboBox* markets = m_page->GetConditionPanel()->GetMarketChoice();
        if(!markets->SetStringSelection(market)) {
            return ::testing::AssertionFailure() << "no market " << market;
        }
        wxButton* button = m_page->GetConditionPanel()->GetQueryButton();
        wxCommandEvent event(wxEVT_BUTTON, button->GetId());
        event.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(event);
        return Settled();
    }
    ::testing::AssertionResult NextPage()
    {
        wxHyperlinkCtrl* link = m_page->GetPagingPanel()->GetNextLink();
        wxHyperlinkEvent event(link, link->GetId(), link->GetURL());
        link->GetEventHandler()->ProcessEvent(event);
        return Settled();
    }
    wxString Cell(unsigned row, unsigned column) const
    {
        wxVariant value;
        m_page->GetModel()->GetValueByRow(value, row, column);
        return value.IsNull() ? wxString() : value.GetString();
    }
    wxColour Colour(unsigned row, unsigned column) const
    {
        wxDataViewItemAttr attr;
        m_page->GetModel()->GetAttrByRow(row, column, attr);
        return attr.HasColour() ? attr.GetColour() : wxNullColour;
    }
    unsigned Count() const { return m_page->GetModel()->GetCount(); }

private:
    ::testing::AssertionResult Settled()
    {
        if(!PumpUntil([this] { return !m_page->IsQueryRunning(); }, 15s)) {
            return ::testing::AssertionFailure() << "the query did not end";
        }
        return ::testing::AssertionSuccess();
    }

    Page* m_page;
};

// The market's entries of one account whose `rangeKey` time lies in the
// bar's range, newest first by `timeKey`, equal times newest entry first.
std::vector<Json> Newest(const Json& entries, int account, const char* rangeKey, const char* timeKey,
                         long long from)
{
    std::vector<std::pair<size_t, Json>> kept;
    for(size_t i = 0; i < entries.size(); ++i) {
        if(entries[i].at("account") == account && entries[i].at(rangeKey).get<long long>() >= from) {
            kept.emplace_back(i, entries[i]);
        }
    }
    std::stable_sort(kept.begin(), kept.end(), [timeKey](const auto& a, const auto& b) {
        const long long ta = a.second.at(timeKey).template get<long long>();
        const long long tb = b.second.at(timeKey).template get<long long>();
        return ta != tb ? ta > tb : a.first > b.first;
    });
    std::vector<Json> sorted;
    for(auto& entry : kept) {
        sorted.push_back(entry.second);
    }
    return sorted;
}

long long RangeStartMs(HistoryQryCtl* page)
{
    return page->GetConditionPanel()->GetDateRange().first.GetValue().GetValue();
}

template <class Page> Page* PageOf(HistoryPane* pane, size_t index)
{
    return dynamic_cast<Page*>(pane->GetNotebook()->GetPage(index));
}

} // namespace

TEST(HistoryNotebook, PagesShowTheReportsOfTheMarketAfterALogin)
{
    WrongTypeLog wrongTypes;
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    Notebook* output = bed.Host().Manager().GetOutputBook();
    const std::vector<wxString> titles = Titles(output);
    EXPECT_EQ(std::count(titles.begin(), titles.end(), "History "), 1);
    HistoryPane* pane = bed.Plugin().GetHistoryPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(output->GetPageIndex(pane),
              std::find(titles.begin(), titles.end(), "History ") - titles.begin());

    // The scenario has a binary-option market: one page for all its symbols.
    ASSERT_TRUE(PumpUntil([&] { return pane->GetNotebook()->GetPageCount() == 5; }));
    EXPECT_EQ(Titles(pane->GetNotebook()),
              (std::vector<wxString>{"Closed History", "Limit History", "Cash History", "InOutMoney History",
                                     "Binary Op History"}));
    symbol_Info another;
    another.symbolId = 499;
    another.accountKey = 14;
    another.marketType = '4';
    ASSERT_TRUE(bed.Store().m_symbol_Info_table->Insert(another).second);
    EXPECT_EQ(pane->GetNotebook()->GetPageCount(), 5u);

    auto* closed = PageOf<HistoryOrderPane>(pane, 0);
    auto* limits = PageOf<HistoryLimitPane>(pane, 1);
    auto* cash = PageOf<HistoryCashPanel>(pane, 2);
    auto* money = PageOf<HistoryInOutMoneyPanel>(pane, 3);
    auto* binary = PageOf<HistoryMinTradePane>(pane, 4);
    ASSERT_TRUE(closed && limits && cash && money && binary);

    // Market choices: ordinary accounts on the order pages, every account on
    // the money pages, the binary-option market on its page once updated.
    const wxString spot = wxString::FromUTF8("现货一部");
    ASSERT_TRUE(PumpUntil([&] { return !Choices(binary).empty(); }));
    EXPECT_EQ(Choices(binary), std::vector<wxString>{"FX"});
    EXPECT_EQ(Choices(closed), std::vector<wxString>{spot});
    EXPECT_EQ(Choices(limits), std::vector<wxString>{spot});
    for(HistoryQryCtl* page : {static_cast<HistoryQryCtl*>(cash), static_cast<HistoryQryCtl*>(money)}) {
        const std::vector<wxString> names = Choices(page);
        EXPECT_NE(std::find(names.begin(), names.end(), "FX"), names.end());
        EXPECT_NE(std::find(names.begin(), names.end(), spot), names.end());
        EXPECT_EQ(page->GetConditionPanel()->GetMarketChoice()->GetSelection(), 0);
    }

    // Today's trading on account 11: a buy closed again, a limit order set
    // and cancelled.
    RecordStore& store = bed.Store();
    auto codesOf = [](const auto& table) {
        std::set<wxString> codes;
        for(const auto& record : table.GetContainer()) {
            codes.insert(record.orderCode);
        }
        return codes;
    };
    auto newCode = [&codesOf](const auto& table, const std::set<wxString>& known) {
        for(const wxString& code : codesOf(table)) {
            if(!known.count(code)) {
                return code;
            }
        }
        return wxString();
    };
    const std::set<wxString> holdsBefore = codesOf(*store.m_trade_HoldBill_table);
    sFFixSetOrder buy{};
    buy.accountKey = 11;
    buy.symbolId = 101;
    buy.side = 'b';
    buy.quantity = 1;
    buy.orderType = '1';
    ASSERT_NE(bed.GetClient()->ReqSetOrder(&buy), -1);
    wxString holdCode;
    ASSERT_TRUE(
        PumpUntil([&] { return !(holdCode = newCode(*store.m_trade_HoldBill_table, holdsBefore)).empty(); }));
    sFFixSetOrder close = buy;
    close.side = 's';
    close.orderType = '2';
    tradeapi::SetFixedText(close.closeOrderCode, holdCode.ToStdString());
    ASSERT_NE(bed.GetClient()->ReqSetOrder(&close), -1);
    const trade_CloseBill* closedBill = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        for(const trade_CloseBill& bill : store.m_trade_CloseBill_table->GetContainer()) {
            if(bill.orderCodeRe == holdCode) {
                closedBill = &bill;
            }
        }
        return closedBill != nullptr;
    }));
    const wxString closedCode = closedBill->orderCode;
    const double closedProfit = closedBill->closeProfit;

    const std::set<wxString> limitsBefore = codesOf(*store.m_trade_Limit_table);
    sFFixSetOrder limit = buy;
    limit.orderType = '3';
    const Json prices = bed.Market().State()["prices"];
    for(const Json& price : prices) {
        if(price["symbol"] == 101) {
            limit.price = price["ask"].get<double>() - 100;
        }
    }
    ASSERT_NE(bed.GetClient()->ReqSetOrder(&limit), -1);
    wxString limitCode;
    ASSERT_TRUE(
        PumpUntil([&] { return !(limitCode = newCode(*store.m_trade_Limit_table, limitsBefore)).empty(); }));
    sFFixCancelOrder cancel{};
    tradeapi::SetFixedText(cancel.orderCode, limitCode.ToStdString());
    ASSERT_NE(bed.GetClient()->ReqCancelOrder(&cancel), -1);
    ASSERT_TRUE(PumpUntil([&] {
        const Json finished = bed.Market().State()["finishedLimits"];
        return std::any_of(finished.begin(), finished.end(),
                           [&](const Json& entry) { return entry["code"] == limitCode.ToStdString(); });
    }));

    // A deposit of 1,000 that the bank passes.
    sFFixReqInOutMoney deposit{};
    deposit.accountKey = 11;
    deposit.amount = 1000;
    deposit.direction = '1';
    tradeapi::SetFixedText(deposit.moneyPassword, "666666");
    tradeapi::SetFixedText(deposit.bankPassword, "135790");
    ASSERT_NE(bed.GetClient()->ReqInOutMoney(&deposit), -1);
    long long depositId = -1;
    ASSERT_TRUE(PumpUntil([&] {
        const Json moves = bed.Market().State()["moneyMoves"];
        for(const Json& move : moves) {
            if(move["account"] == 11 && move["amount"] == 1000.0 && move["state"] == "1") {
                depositId = move["id"].get<long long>();
            }
        }
        return depositId >= 0;
    }));
    ASSERT_EQ(bed.Market().Post("/admin/inout?id=" + std::to_string(depositId) + "&state=3"), 200);

    // A binary-option order that settles.
    sFFixSetOrder order{};
    order.accountKey = 14;
    order.side = 'b';
    order.quantity = 100;
    order.orderType = 'F';
    order.pointDiff = 20;
    order.symbolId = 401;
    order.contractKey = 9002;
    order.binaryMode = '1';
    ASSERT_NE(bed.GetClient()->ReqSetOrder(&order), -1);
    ASSERT_TRUE(PumpUntil([&] { return !bed.Market().State()["binaryOrders"].empty(); }));
    ASSERT_EQ(bed.Market().Post("/admin/clock?offsetMs=3600000"), 200);
    ASSERT_TRUE(PumpUntil([&] { return bed.Market().State()["binaryOrders"][0]["state"] == "2"; }, 20s));

    PageUser<HistoryOrderPane> closedUser(closed);
    PageUser<HistoryLimitPane> limitUser(limits);
    PageUser<HistoryCashPanel> cashUser(cash);
    PageUser<HistoryInOutMoneyPanel> moneyUser(money);
    PageUser<HistoryMinTradePane> binaryUser(binary);
    const Json state = bed.Market().State();

    // Closed bills, newest opening first, paged by ten.
    ASSERT_TRUE(closedUser.Query(spot));
    const std::vector<Json> bills =
        Newest(state["closeBills"], 11, "closeTimeMs", "openTimeMs", RangeStartMs(closed));
    ASSERT_GE(bills.size(), 11u);
    ASSERT_EQ(closedUser.Count(), 10u);
    EXPECT_EQ(closedUser.Cell(0, 0), "1");
    EXPECT_EQ(closedUser.Cell(0, 1), closedCode); // today's bill, as the client keeps it
    EXPECT_EQ(closedUser.Cell(0, 7), FormatMoney(closedProfit));
    EXPECT_EQ(closedUser.Cell(0, 1), wxString::FromUTF8(bills[0]["code"].get<std::string>()));
    EXPECT_EQ(closedUser.Cell(0, 7), FormatMoney(bills[0]["profit"].get<double>()));
    EXPECT_EQ(closedUser.Cell(0, 13), wxString::FromUTF8(bills[0]["codeRe"].get<std::string>()));
    ASSERT_TRUE(closedUser.NextPage());
    EXPECT_EQ(closedUser.Cell(0, 0), "11");
    EXPECT_EQ(closedUser.Cell(0, 1), wxString::FromUTF8(bills[10]["code"].get<std::string>()));

    // Finished limit orders of the account.
    ASSERT_TRUE(limitUser.Query(spot));
    const std::vector<Json> finished =
        Newest(state["finishedLimits"], 11, "finishTimeMs", "openTimeMs", RangeStartMs(limits));
    ASSERT_FALSE(finished.empty());
    ASSERT_GE(limitUser.Count(), 1u);
    EXPECT_EQ(limitUser.Cell(0, 1), wxString::FromUTF8(finished[0]["code"].get<std::string>()));
    EXPECT_EQ(limitUser.Cell(0, 1), limitCode);
    EXPECT_FALSE(limitUser.Cell(0, 2).empty()); // the symbol is known

    // The cash log: after minus before is the change.
    ASSERT_TRUE(cashUser.Query(spot));
    const std::vector<Json> ledger = Newest(state["cashLedger"], 11, "timeMs", "timeMs", RangeStartMs(cash));
    ASSERT_FALSE(ledger.empty());
    ASSERT_GE(cashUser.Count(), 1u);
    EXPECT_EQ(cashUser.Cell(0, 1), spot);
    EXPECT_EQ(cashUser.Cell(0, 2), wxString::Format("%lld", ledger[0]["serial"].get<long long>()));
    EXPECT_EQ(cashUser.Cell(0, 3), FormatMoney(ledger[0]["before"].get<double>()));
    EXPECT_EQ(cashUser.Cell(0, 4), FormatMoney(ledger[0]["after"].get<double>()));
    EXPECT_EQ(cashUser.Cell(0, 5), FormatMoney(ledger[0]["change"].get<double>()));

    EXPECT_EQ(cashUser.Cell(0, 5), "1000.00"); // the deposit, newest
    EXPECT_EQ(cashUser.Cell(0, 6), "In");

    // Deposits and withdrawals under their own column.
    ASSERT_TRUE(moneyUser.Query(spot));
    const std::vector<Json> moves =
        Newest(state["moneyMoves"], 11, "changeTimeMs", "changeTimeMs", RangeStartMs(money));
    ASSERT_FALSE(moves.empty());
    ASSERT_GE(moneyUser.Count(), 1u);
    const bool in = moves[0]["type"] == "1";
    EXPECT_EQ(moneyUser.Cell(0, in ? 2 : 3), FormatMoney(moves[0]["amount"].get<double>()));
    EXPECT_EQ(moneyUser.Cell(0, in ? 3 : 2), "");
    EXPECT_EQ(moneyUser.Cell(0, 7), wxString::FromUTF8(moves[0]["serialCode"].get<std::string>()));
    EXPECT_EQ(moves[0]["id"], depositId);
    EXPECT_EQ(moneyUser.Cell(0, 2), "1000.00");
    EXPECT_EQ(moneyUser.Cell(0, 4), "Pass");

    // The settled binary-option order, its state text and colour.
    ASSERT_TRUE(binaryUser.Query("FX"));
    const Json settled = state["binaryOrders"][0];
    ASSERT_GE(binaryUser.Count(), 1u);
    EXPECT_EQ(binaryUser.Cell(0, 1), wxString::FromUTF8(settled["code"].get<std::string>()));
    EXPECT_EQ(binaryUser.Cell(0, 12), FormatMoney(settled["profit"].get<double>()));
    const double profit = settled["profit"].get<double>();
    EXPECT_EQ(binaryUser.Cell(0, 13), profit > 0   ? "BO_orderGain"
                                      : profit < 0 ? "BO_orderLoss"
                                                   : "BO_orderEqual");
    EXPECT_EQ(binaryUser.Colour(0, 13), profit > 0   ? DrawingUtils::GetGlobalDownColour()
                                        : profit < 0 ? DrawingUtils::GetGlobalUpColour()
                                                     : DrawingUtils::GetGlobalEqualColour());

    // Every page was asked of the market's report service.
    int asked = 0;
    const Json log = bed.Market().State()["requests"];
    for(const auto& entry : log) {
        if(entry.value("kind", "") == "http" &&
           entry.value("route", "").rfind("/tolvekquery/report_client/", 0) == 0) {
            ++asked;
            EXPECT_EQ(entry["status"], 200);
        }
    }
    EXPECT_EQ(asked, 6);

    // A deposit the market dates 00:30 yesterday is listed when the bar
    // shows yesterday, whatever the time of day the bar was made.
    wxDateTime early = wxDateTime::Today() - wxDateSpan::Day();
    early.SetHour(0).SetMinute(30);
    const Json clock = bed.Market().State();
    const long long wallNowMs = clock["nowMs"].get<long long>() - clock["clockOffsetMs"].get<long long>();
    const long long offsetMs = early.GetValue().GetValue() - wallNowMs;
    ASSERT_EQ(bed.Market().Post("/admin/clock?offsetMs=" + std::to_string(offsetMs)), 200);
    deposit.amount = 7.77;
    tradeapi::SetFixedText(deposit.bankPassword, "135790"); // the first send masked it in place
    ASSERT_NE(bed.GetClient()->ReqInOutMoney(&deposit), -1);
    std::string earlySerial;
    ASSERT_TRUE(PumpUntil([&] {
        const Json now = bed.Market().State();
        for(const Json& move : now["moneyMoves"]) {
            if(move["amount"] == 7.77) {
                earlySerial = move["serialCode"].get<std::string>();
            }
        }
        return !earlySerial.empty();
    }));
    ASSERT_EQ(bed.Market().Post("/admin/clock?offsetMs=3600000"), 200);
    money->GetConditionPanel()->GetStartDate()->SetValue(wxDateTime::Today() - wxDateSpan::Day());
    money->GetConditionPanel()->GetEndDate()->SetValue(wxDateTime::Today() - wxDateSpan::Day());
    ASSERT_TRUE(moneyUser.Query(spot));
    bool listed = false;
    for(int page = 0; page < 20 && !listed; ++page) {
        for(unsigned row = 0; row < moneyUser.Count(); ++row) {
            listed = listed || moneyUser.Cell(row, 7) == wxString::FromUTF8(earlySerial);
        }
        if(!listed && (moneyUser.Count() < 10 || !moneyUser.NextPage())) {
            break;
        }
    }
    EXPECT_TRUE(listed) << earlySerial;

    // The report service fails with 500: the page empties and says so; the
    // next answer fills it again.
    const std::string closeRoute = "/tolvekquery/report_client/closebill";
    ASSERT_EQ(bed.Market().Post("/admin/http?route=" + closeRoute + "&fault=status&status=500"), 200);
    const unsigned shown = closedUser.Count();
    ASSERT_GT(shown, 0u);
    const wxString recode = closed->GetPagingPanel()->GetMessageText()->GetLabel();
    ASSERT_TRUE(closedUser.Query(spot));
    EXPECT_EQ(closedUser.Count(), 0u);
    EXPECT_EQ(closed->GetPagingPanel()->GetMessageText()->GetLabel(), "Query failed");
    Json failed;
    const Json afterFailure = bed.Market().State()["requests"];
    for(const auto& entry : afterFailure) {
        if(entry.value("route", "") == closeRoute) {
            failed = entry;
        }
    }
    EXPECT_EQ(failed["status"], 500) << failed.dump();
    ASSERT_EQ(bed.Market().Post("/admin/http?route=" + closeRoute + "&fault=none"), 200);
    ASSERT_TRUE(closedUser.Query(spot));
    EXPECT_EQ(closedUser.Count(), shown);
    EXPECT_EQ(closed->GetPagingPanel()->GetMessageText()->GetLabel(), recode);

    // The layouts of all five pages are kept over a restart.
    ASSERT_TRUE(bed.Restart());
    for(const char* name : {"HistoryOrderPane", "HistoryLimitPane", "HistoryCashPanel",
                            "HistoryInOutMoneyPanel", "HistoryBinaryOrderPane"}) {
        pmDataViewCtrlConfig saved;
        EXPECT_TRUE(bed.Settings().LoadObject(name, &saved)) << name;
    }
    PumpFor(100ms); // let the control draw the rows
    EXPECT_EQ(wrongTypes.wrongTypes, 0);
}

TEST(HistoryNotebook, ColoursReachThePaneAndTheOtherListenersAndLayoutsSurviveARebuild)
{
    TestBed bed;
    ASSERT_TRUE(bed.Load());
    Notebook* output = bed.Host().Manager().GetOutputBook();
    int others = 0;
    auto otherListener = [&others](wxCommandEvent& event) {
        ++others;
        event.Skip();
    };
    EventNotifier::Get()->Bind(wxEVT_CMD_COLOURS_CHANGED, otherListener);

    auto* pane = new HistoryPane(&bed.Store(), &bed.Host().Manager(), output);
    output->AddPage(pane, "History test", true);
    pane->AddBinaryOptionPage();
    pane->AddBinaryOptionPage();
    EXPECT_EQ(pane->GetNotebook()->GetPageCount(), 5u);

    wxCommandEvent colours(wxEVT_CMD_COLOURS_CHANGED);
    EventNotifier::Get()->ProcessEvent(colours);
    EXPECT_EQ(others, 1);

    // Market choices fill from account updates only, each name once.
    auto* cash = PageOf<HistoryCashPanel>(pane, 2);
    auto* limits = PageOf<HistoryLimitPane>(pane, 1);
    auto* binaryPage = PageOf<HistoryMinTradePane>(pane, 4);
    ASSERT_TRUE(cash && limits && binaryPage);
    auto& accounts = *bed.Store().m_user_Account_table;
    auto update = [&accounts](int key) {
        auto stored = accounts.GetIndexByPrimary().find(key);
        ASSERT_TRUE(stored != accounts.GetIndexByPrimary().end());
        user_Account changed = *stored;
        changed.marginRemain += 1;
        ASSERT_TRUE(accounts.Update(stored, changed));
    };
    const struct
    {
        int key;
        const char* market;
        char type;
    } added[] = {{901, "Spot", '1'}, {902, "Binary", '4'}, {903, "Spot", '1'}};
    for(const auto& account : added) {
        user_Account record;
        record.accountKey = account.key;
        record.marketName = account.market;
        record.marketType = account.type;
        ASSERT_TRUE(accounts.Insert(record).second);
    }
    EXPECT_TRUE(Choices(cash).empty()); // inserting adds nothing
    update(901);
    cash->GetConditionPanel()->GetMarketChoice()->SetSelection(wxNOT_FOUND);
    update(902);
    update(903);
    update(902);
    EXPECT_EQ(Choices(cash), (std::vector<wxString>{"Spot", "Binary"}));
    EXPECT_EQ(cash->GetConditionPanel()->GetMarketChoice()->GetSelection(),
              0); // a new name selects the first
    EXPECT_EQ(Choices(limits), std::vector<wxString>{"Spot"});
    EXPECT_EQ(Choices(binaryPage), std::vector<wxString>{"Binary"});

    // The user widens two columns; a new pane shows them so.
    auto* closed = PageOf<HistoryOrderPane>(pane, 0);
    auto* binary = PageOf<HistoryMinTradePane>(pane, 4);
    ASSERT_TRUE(closed && binary);
    EXPECT_EQ(closed->GetList()->GetColumn(1)->GetMinWidth(), 120);
    closed->GetList()->GetColumn(1)->SetWidth(170);
    binary->GetList()->GetColumn(2)->SetWidth(133);
    output->DeletePage(output->GetPageIndex(pane));
    PumpFor(20ms);

    auto* rebuilt = new HistoryPane(&bed.Store(), &bed.Host().Manager(), output);
    output->AddPage(rebuilt, "History test", true);
    rebuilt->AddBinaryOptionPage();
    EXPECT_EQ(PageOf<HistoryOrderPane>(rebuilt, 0)->GetList()->GetLayout().at(1).width, 170);
    EXPECT_EQ(PageOf<HistoryMinTradePane>(rebuilt, 4)->GetList()->GetLayout().at(2).width, 133);
    output->DeletePage(output->GetPageIndex(rebuilt));

    // A destroyed pane no longer listens; the others still do.
    wxCommandEvent again(wxEVT_CMD_COLOURS_CHANGED);
    EventNotifier::Get()->ProcessEvent(again);
    EXPECT_EQ(others, 2);
    EventNotifier::Get()->Unbind(wxEVT_CMD_COLOURS_CHANGED, otherListener);
}

TEST(HistoryNotebook, AfterALoginToAnotherServerThePagesAskItsReportService)
{
    TestBed bed;
    SimProcess& second = bed.AddMarket("Second");
    ASSERT_TRUE(bed.Start());
    auto amlogRequests = [](const Json& state) {
        return std::count_if(state["requests"].begin(), state["requests"].end(), [](const Json& entry) {
            return entry.value("route", "") == "/tolvekquery/report_client/amlog";
        });
    };
    auto* cash = PageOf<HistoryCashPanel>(bed.Plugin().GetHistoryPane(), 2);
    ASSERT_NE(cash, nullptr);
    PageUser<HistoryCashPanel> user(cash);
    const wxString spot = wxString::FromUTF8("现货一部");
    ASSERT_TRUE(user.Query(spot));
    EXPECT_GE(user.Count(), 1u);
    EXPECT_EQ(amlogRequests(bed.Market().State()), 1);

    bed.Logout();
    ASSERT_TRUE(bed.Login("demo", "demo123", "Second"));
    ASSERT_TRUE(user.Query(spot));
    EXPECT_GE(user.Count(), 1u);
    EXPECT_EQ(amlogRequests(second.State()), 1);
    EXPECT_EQ(amlogRequests(bed.Market().State()), 1);
}
