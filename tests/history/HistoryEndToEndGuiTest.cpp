// The history frame on the logged-in test bed: a test-only page in the
// host's output notebook asks simmarketd's report service, through the
// "history" servers of the logged-in server record.
#include "ReportStubServer.h"
#include "TestBed.h"
#include "TestReportPage.h"
#include "connection/Client.h"
#include "db/DateTimeText.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"

#include <algorithm>
#include <fstream>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <tradeapi/FFixOrder.h>

using namespace std::chrono_literals;
using Json = nlohmann::json;

namespace {

// A test page in the host's output notebook, asking one report for one
// account as the history pages do; destroyed before the bed goes.
class ReportPageOnBed
{
public:
    ReportPageOnBed(TestBed& bed, const wxString& report, int accountKey, const wxString& sortField)
        : m_bed(bed), m_accountKey(accountKey), m_sortField(sortField), m_report(report)
    {
        Notebook* book = bed.Host().Manager().GetOutputBook();
        page = new TestReportPage(book, report, [this](JSONElement& root) { return Conditions(root); });
        book->AddPage(page, "History test " + report, true);
        // The history of the scenario lies on the days before today.
        page->GetConditionPanel()->GetStartDate()->SetValue(wxDateTime::Today() - wxDateSpan::Days(30));
    }
    ~ReportPageOnBed()
    {
        Notebook* book = m_bed.Host().Manager().GetOutputBook();
        const int index = book->GetPageIndex(page);
        if(index != wxNOT_FOUND) {
            book->DeletePage(index);
        }
        PumpFor(20ms);
    }

    // The range of the conditions bar in milliseconds.
    std::pair<long long, long long> RangeMs() const
    {
        const auto range = page->GetConditionPanel()->GetDateRange();
        return {range.first.GetValue().GetValue(), range.second.GetValue().GetValue() + 999};
    }

    bool Settled(std::chrono::milliseconds limit = 10s)
    {
        return PumpUntil([this] { return !page->IsQueryRunning(); }, limit);
    }

    TestReportPage* page;

private:
    // The members and conditions of the history pages, in their order.
    bool Conditions(JSONElement& root) const
    {
        const auto range = page->GetConditionPanel()->GetDateRange();
        root.addProperty("accId", wxString::Format("%d", m_accountKey));
        root.addProperty("userId", wxString::Format("%d", UserOf(m_accountKey)));
        JSONElement parames = JSONElement::createArray("parames");
        JSONElement history = JSONElement::createObject();
        history.addProperty("operator", "and").addProperty("value", "1").addProperty("key", "isHistory");
        parames.arrayAppend(history);
        JSONElement day = JSONElement::createObject();
        day.addProperty("operator", "and")
            .addProperty("value", wxString::Format("(\"%s\",\"%s\")", FormatDateTime(range.first),
                                                   FormatDateTime(range.second)))
            .addProperty("key", "tradingday");
        parames.arrayAppend(day);
        if(m_report == "inoutmoney") {
            JSONElement types = JSONElement::createObject();
            JSONElement codes = JSONElement::createArray("value");
            codes.arrayAppend("1").arrayAppend("2");
            types.addProperty("operator", "in").append(codes).addProperty("key", "amType");
            parames.arrayAppend(types);
        }
        root.append(parames);
        JSONElement sort = JSONElement::createObject("sort");
        sort.addProperty("order", "DESC");
        JSONElement children = JSONElement::createArray("children");
        children.arrayAppend(m_sortField);
        sort.append(children);
        root.append(sort);
        return true;
    }

    // The account's user as the client's account table has it.
    int UserOf(int accountKey) const
    {
        for(const auto& account : m_bed.Store().m_user_Account_table->GetIndexByPrimary()) {
            if(account.accountKey == accountKey) {
                return account.userId;
            }
        }
        return -1;
    }

    TestBed& m_bed;
    int m_accountKey;
    wxString m_sortField;
    wxString m_report;
};

// Account 11's closed bills of the range as the market keeps them, in the
// report's order: newest opening first, equal times newest entry first.
std::vector<std::string> ExpectedBills(const Json& state, std::pair<long long, long long> range)
{
    struct Bill
    {
        long long open;
        std::size_t order;
        std::string code;
    };
    std::vector<Bill> bills;
    std::size_t order = 0;
    for(const auto& bill : state.at("closeBills")) {
        const long long closed = bill.at("closeTimeMs").get<long long>();
        if(bill.at("account") == 11 && closed >= range.first && closed <= range.second) {
            bills.push_back(
                {bill.at("openTimeMs").get<long long>(), order, bill.at("code").get<std::string>()});
        }
        ++order;
    }
    std::sort(bills.begin(), bills.end(), [](const Bill& a, const Bill& b) {
        return a.open != b.open ? a.open > b.open : a.order > b.order;
    });
    std::vector<std::string> codes;
    for(const Bill& bill : bills) {
        codes.push_back(bill.code);
    }
    return codes;
}

std::vector<std::pair<wxString, wxString>> Numbered(const std::vector<std::string>& codes, int first,
                                                    int last)
{
    std::vector<std::pair<wxString, wxString>> rows;
    for(int n = first; n <= last && n <= static_cast<int>(codes.size()); ++n) {
        rows.emplace_back(wxString::Format("%d", n), wxString::FromUTF8(codes[n - 1]));
    }
    return rows;
}

// The report queries in the market's request log.
std::vector<Json> ReportRequests(const Json& state, const std::string& report)
{
    std::vector<Json> requests;
    for(const auto& entry : state.at("requests")) {
        if(entry.value("kind", "") == "http" &&
           entry.value("route", "") == "/tolvekquery/report_client/" + report) {
            requests.push_back(entry);
        }
    }
    return requests;
}

} // namespace

TEST(HistoryEndToEnd, ClosedBillsPageThroughTheMarketsHistoryAfterASilentServer)
{
    TestBed bed;
    ReportStubServer silent;
    silent.SetMode(ReportStubServer::Mode::Silent);
    {
        // The demo record's report servers: a silent one first, then the market.
        std::ifstream in(bed.ConfigFile().utf8_string());
        auto servers = nlohmann::ordered_json::parse(in)["server"];
        servers[0]["history"] = {silent.Base(), bed.Market().HttpBase()};
        bed.SetConfigValue("server", Json::parse(servers.dump()));
    }
    ASSERT_TRUE(bed.Start());
    ReportPageOnBed window(bed, "closebill", 11, "openDate");
    TestReportPage* page = window.page;
    // The first draw falls on the silent server.
    page->SetServerSource([&bed] { return bed.Plugin().GetLoginServer(); }, [] { return 0; });

    const std::vector<std::string> bills = ExpectedBills(bed.Market().State(), window.RangeMs());
    ASSERT_GE(bills.size(), 30u);
    const wxString recode = wxString::Format("for %zu", bills.size());

    const auto start = std::chrono::steady_clock::now();
    page->Query();
    ASSERT_TRUE(PumpUntil([&] { return silent.QueryCount() == 1; }));
    ASSERT_TRUE(window.Settled(15s));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 4500ms);
    EXPECT_EQ(page->Rows(), Numbered(bills, 1, 10));
    EXPECT_EQ(page->Message(), "Recode 10 " + recode);

    page->NextPage();
    ASSERT_TRUE(window.Settled());
    page->NextPage();
    ASSERT_TRUE(window.Settled());
    EXPECT_EQ(page->Rows(), Numbered(bills, 21, 30));
    EXPECT_EQ(page->Message(), "Recode 10 " + recode);
    EXPECT_EQ(page->PageText(), "3");
    EXPECT_EQ(silent.QueryCount(), 1u); // later queries go straight to the market

    page->ChoosePageSize("50");
    page->Query();
    ASSERT_TRUE(window.Settled());
    const int firstPage = std::min<int>(50, static_cast<int>(bills.size()));
    EXPECT_EQ(page->Rows(), Numbered(bills, 1, firstPage));
    EXPECT_EQ(page->PageText(), "1");
    EXPECT_EQ(page->Message(), wxString::Format("Recode %d ", firstPage) + recode);
    EXPECT_EQ(silent.QueryCount(), 1u);

    // Four queries reached the market, each logged with its raw query.
    const std::vector<Json> logged = ReportRequests(bed.Market().State(), "closebill");
    ASSERT_EQ(logged.size(), 4u);
    for(const Json& entry : logged) {
        EXPECT_EQ(entry["method"], "GET");
        EXPECT_EQ(entry["status"], 200);
        EXPECT_EQ(entry["query"].get<std::string>().rfind("bizData=%7B%22accId%22%3A%2211%22", 0), 0u)
            << entry["query"];
    }
}

TEST(HistoryEndToEnd, EveryReportAnswersTheMembersTheHistoryPagesRead)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    // A binary-option order, so that report has a row.
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

    const struct
    {
        const char* report;
        int account;
        const char* sort;
        std::vector<const char*> members;
    } reports[] = {
        {"closebill",
         11,
         "openDate",
         {"accId", "symbolId", "bsCode", "chargeClose", "chargeOpen", "closeDate", "closeType", "orderCode",
          "orderCodeRe", "priceClose", "priceHold", "profitClose", "quantityClose", "openDate"}},
        {"limitbill",
         11,
         "openDate",
         {"accId", "symbolId", "orderCode", "limitType", "marginFreezed", "bsCode", "quantityOrder",
          "quantityComplete", "orderPrice", "stopLose", "takeProfit", "openDate", "validDateType"}},
        {"amlog",
         11,
         "changeDate",
         {"SerialId", "amBefore", "amAfter", "amChange", "amType", "changeDate", "tradeMarketName", "accId"}},
        {"inoutmoney",
         11,
         "changeDate",
         {"amId", "amChange", "amType", "status", "changeDate", "confirmDate", "serialId",
          "tradeMarketName"}},
        {"binaryoptionsorder",
         14,
         "orderTime",
         {"accId", "symbolId", "bsCode", "periodName", "orderPrice", "holdPrice", "closedQuantity",
          "orderQuantity", "orderCode", "profitClose", "chargeOpen", "chargeClose", "orderTime", "validDate",
          "lossBackRate", "profitRate", "contractId", "orderStatus", "tradeMarketName"}},
    };
    for(const auto& r : reports) {
        SCOPED_TRACE(r.report);
        ReportPageOnBed window(bed, r.report, r.account, r.sort);
        window.page->Query();
        ASSERT_TRUE(PumpUntil([&] { return window.page->Fills() == 1; }, 10s));
        const auto& data = window.page->Data();
        ASSERT_TRUE(data.is_array());
        ASSERT_FALSE(data.empty());
        for(const auto& row : data) {
            for(const char* member : r.members) {
                EXPECT_TRUE(row.contains(member)) << member << " missing in " << row.dump();
            }
        }
        EXPECT_EQ(window.page->Rows().front().first, "1");
        const std::vector<Json> logged = ReportRequests(bed.Market().State(), r.report);
        ASSERT_EQ(logged.size(), 1u);
        EXPECT_EQ(logged[0]["status"], 200);
    }
}

TEST(HistoryEndToEnd, AfterALoginToAnotherServerTheQueryGoesToItsReportServer)
{
    TestBed bed;
    SimProcess& second = bed.AddMarket("Second");
    ASSERT_TRUE(bed.Start());
    ReportPageOnBed window(bed, "amlog", 11, "changeDate");

    window.page->Query();
    ASSERT_TRUE(window.Settled());
    EXPECT_EQ(ReportRequests(bed.Market().State(), "amlog").size(), 1u);

    bed.Logout();
    window.page->Query(); // nobody logged in: no job starts
    PumpEvents();         // the bar's queued command reaches the frame
    EXPECT_FALSE(window.page->IsQueryRunning());
    ASSERT_TRUE(bed.Login("demo", "demo123", "Second"));
    window.page->Query();
    ASSERT_TRUE(PumpUntil([&] { return window.page->Fills() == 2; }, 10s));
    EXPECT_EQ(ReportRequests(second.State(), "amlog").size(), 1u);
    EXPECT_EQ(ReportRequests(bed.Market().State(), "amlog").size(), 1u);
}
