// The "Money " and "BinaryOp " output pages. The money model over a real
// table with its total row and its queued page openings; the bank-page
// openers with the platform fakes; both panes on the display; then one flow
// each on the logged-in test bed.
#include "../common/RecordingNotifier.h"
#include "EventPump.h"
#include "LogCapture.h"
#include "NotebookHost.h"
#include "PaneTestRecords.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "TestBed.h"
#include "WrongTypeLog.h"
#include "connection/Client.h"
#include "db/NumberFormat.h"
#include "frame/TessrinPlugin.h"
#include "funds/InOutPageTarget.h"
#include "funds/OpenInOutPageExternal.h"
#include "funds/PayPortRegistPanel.h"
#include "orders/ExpireTimeRenderer.h"
#include "orders/MinTradeOrderPane.h"
#include "panes/InOutMoneyPane.h"
#include "panes/InOutMoneyRules.h"
#include "panes/InOutPageHost.h"

#include <gtest/gtest.h>
#include <pelmora/DrawingUtils.h>
#include <pelmora/EditorConfig.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <platform/FakeBrowserLauncher.h>
#include <platform/FakeSoundPlayer.h>
#include <platform/SignControlRegistry.h>
#include <platform/WebPage.h>
#include <set>
#include <tradeapi/FixedText.h>
#include <wx/log.h>
#include <wx/webview.h>
#include <wx/xrc/xmlres.h>

namespace {

using namespace std::chrono_literals;
using nlohmann::json;

constexpr int kAccount = PaneTestRecords::kAccount;
constexpr int kOstrel = 1;
constexpr int kOtherBank = 2;
constexpr int kEuro = 401;

trade_BinaryOrder BinaryOrder(const char* code, char state, int remainingMs)
{
    const wxDateTime open = wxDateTime::Now();
    trade_BinaryOrder order;
    order.orderCode = code;
    order.accountKey = kAccount;
    order.symbolId = kEuro;
    order.side = 'b';
    order.referencePrice = 1.08;
    order.orderAmount = 100;
    order.profit = 78;
    order.openTime = open;
    order.expireTime = open + wxTimeSpan::Minute();
    order.orderState = state;
    order.remainingMs = remainingMs;
    return order;
}

// Records what the openers asked of the rest of the program.
class FakeInOutPageHost : public InOutPageHost
{
public:
    bool installed = false;
    bool installedAfterRegistration = false;
    int registrations = 0;
    std::function<void()> duringRegistration;
    std::vector<int> shown; // movement ids
    FakeBrowserLauncher browser;

    bool IsSignControlInstalled() override { return installed; }
    void RegistSignControl(wxWindow*) override
    {
        ++registrations;
        if(duringRegistration) {
            duringRegistration();
        }
        installed = installedAfterRegistration;
    }
    void ShowInOutPage(const am_AmountInOut& row) override { shown.push_back(row.inOutId); }
    BrowserLauncher& GetBrowserLauncher() override { return browser; }
};

template <class R> void Clear(CObjectFactory<R>& table)
{
    while(!table.GetContainer().empty()) {
        ASSERT_TRUE(table.Remove(table.GetIndexByPrimary().begin()));
    }
}

int SelectedRow(ListPane* pane, wxDataViewModel* model)
{
    const wxDataViewItem item = pane->GetList()->GetSelection();
    return item.IsOk() ? static_cast<int>(static_cast<wxDataViewVirtualListModel*>(model)->GetRow(item)) : -1;
}

// Account 11 registered on a bank pay port ("Ostrel" unless said).
struct MoneyRecords : PaneTestRecords
{
    MoneyRecords()
    {
        sys_PayPort ostrel;
        ostrel.sysPayPortId = kOstrel;
        ostrel.payPortCode = "Ostrel";
        ostrel.currency = "CNY";
        store.m_sys_PayPort_table->Insert(ostrel);
        sys_PayPort other;
        other.sysPayPortId = kOtherBank;
        other.payPortCode = "Bankfor";
        other.currency = "CNY";
        store.m_sys_PayPort_table->Insert(other);
        Register(kOstrel);
    }
    void Register(int sysPayPortId)
    {
        auto& payports = *store.m_user_Payport_table;
        Clear(payports);
        user_Payport payport;
        payport.sysPayPortId = sysPayPortId;
        payport.payportKey = 4294967297LL + sysPayPortId;
        payport.currency = "CNY";
        payports.Insert(payport);
    }
    static am_AmountInOut Move(int id, char type, char state, double amount, const char* url = "")
    {
        am_AmountInOut row;
        row.inOutId = id;
        row.accountKey = kAccount;
        row.inOutType = type;
        row.approveState = state;
        row.amount = amount;
        row.changeTime = wxDateTime(9, wxDateTime::Dec, 2026, 9, 30, 0);
        row.bankUrl = url;
        return row;
    }
    void Add(const am_AmountInOut& row) { ASSERT_TRUE(store.m_am_AmountInOut_table->Insert(row).second); }
    void Change(int id, const std::function<void(am_AmountInOut&)>& change)
    {
        auto& rows = *store.m_am_AmountInOut_table;
        const auto found = rows.GetIndexByPrimary().find(id);
        ASSERT_NE(found, rows.GetIndexByPrimary().end());
        am_AmountInOut copy = *found;
        change(copy);
        ASSERT_TRUE(rows.Update(found, copy));
    }
    void Remove(int id)
    {
        auto& rows = *store.m_am_AmountInOut_table;
        ASSERT_TRUE(rows.Remove(rows.GetIndexByPrimary().find(id)));
    }
};

wxString Cell(wxDataViewModel* model, unsigned int row, unsigned int column)
{
    wxVariant value;
    static_cast<wxDataViewVirtualListModel*>(model)->GetValueByRow(value, row, column);
    return value.IsNull() ? wxString("<none>") : value.MakeString();
}

// The money model with its own fake host, and what it told its control.
struct MoneyModelFixture
{
    MoneyModelFixture()
    {
        auto owned = std::make_unique<FakeInOutPageHost>();
        host = owned.get();
        model = new InOutMoneyModel(&records.store, std::move(owned));
        model->GetOpener().SetRecheckDelayMs(20);
        model->AddNotifier(new RecordingNotifier(log)); // owned by the model
    }
    std::vector<std::string> TakeLog() { return std::exchange(log, {}); }

    MoneyRecords records;
    std::vector<std::string> log;
    FakeInOutPageHost* host; // owned by the model
    wxObjectDataPtr<InOutMoneyModel> model;
};

// Runs the events queued so far, the way the loop would after the change.
void RunQueued()
{
    wxTheApp->ProcessPendingEvents();
}

} // namespace

TEST(InOutMoneyModel, TotalRowSumsOnlyPassedMovementsAndRepaintsWithEveryChange)
{
    MoneyModelFixture fixture;
    InOutMoneyModel& model = *fixture.model;
    ASSERT_EQ(model.GetCount(), 1u) << "an empty table shows only the total row";
    EXPECT_EQ(Cell(&model, 0, InOutMoneyModel::eMarket), "Total");
    for(unsigned int column : {0u, 2u, 3u, 4u, 5u}) {
        EXPECT_EQ(Cell(&model, 0, column), "<none>") << column;
    }

    fixture.records.Add(MoneyRecords::Move(1, '1', '1', 300));
    EXPECT_EQ(fixture.TakeLog(), (std::vector<std::string>{"add 1", "change 0", "change 1"}));
    ASSERT_EQ(model.GetCount(), 2u);
    const char* waiting[] = {"1", "现货一部", "300.00", "", "2026-12-09 09:30:00", "Waiting"};
    for(unsigned int column = 0; column < 6; ++column) {
        EXPECT_EQ(Cell(&model, 0, column), wxString::FromUTF8(waiting[column])) << column;
    }
    EXPECT_EQ(Cell(&model, 1, InOutMoneyModel::eInMoney), "<none>") << "a waiting deposit is not counted";

    fixture.records.Change(1, [](am_AmountInOut& row) { row.approveState = '3'; });
    EXPECT_EQ(fixture.TakeLog(), (std::vector<std::string>{"change 0", "change 1"}));
    EXPECT_EQ(Cell(&model, 1, InOutMoneyModel::eInMoney), "300.00");
    EXPECT_EQ(Cell(&model, 1, InOutMoneyModel::eOutMoney), "<none>");

    fixture.records.Add(MoneyRecords::Move(2, '2', '3', 120.5));
    fixture.records.Add(MoneyRecords::Move(3, '1', '4', 999)); // rejected
    fixture.records.Add(MoneyRecords::Move(4, '1', '3', 0.25));
    fixture.TakeLog();
    ASSERT_EQ(model.GetCount(), 5u);
    EXPECT_EQ(Cell(&model, 4, InOutMoneyModel::eInMoney), "300.25");
    EXPECT_EQ(Cell(&model, 4, InOutMoneyModel::eOutMoney), "120.50");
    EXPECT_EQ(Cell(&model, 1, InOutMoneyModel::eOutMoney), "120.50");
    EXPECT_EQ(Cell(&model, 1, InOutMoneyModel::eInMoney), "");

    fixture.records.Remove(1);
    EXPECT_EQ(fixture.TakeLog(), (std::vector<std::string>{"delete 0", "change 3"}));
    ASSERT_EQ(model.GetCount(), 4u);
    EXPECT_EQ(Cell(&model, 3, InOutMoneyModel::eInMoney), "0.25");
    EXPECT_EQ(Cell(&model, 0, 0), "1") << "rows renumbered";

    // A movement whose account is unknown shows an empty row.
    am_AmountInOut stranger = MoneyRecords::Move(9, '1', '3', 5);
    stranger.accountKey = 99;
    fixture.records.Add(stranger);
    EXPECT_EQ(Cell(&model, 3, InOutMoneyModel::eMarket), "<none>");
    EXPECT_EQ(Cell(&model, 4, InOutMoneyModel::eInMoney), "5.25") << "totals over every account";
}

TEST(InOutMoneyModel, ANewPageAddressOpensOnceAfterTheUpdateAndOnlyWhileTheMovementKeepsIt)
{
    MoneyModelFixture fixture;
    FakeInOutPageHost& host = *fixture.host;
    host.installed = true;
    fixture.records.Add(MoneyRecords::Move(1, '1', '2', 300, "http://bank.test/pay?id=1"));
    RunQueued();
    EXPECT_TRUE(host.shown.empty()) << "an added movement opens nothing";

    struct Case
    {
        const char* name;
        const char* url;
        std::vector<int> shown;
    };
    const Case cases[] = {
        {"the same address", "http://bank.test/pay?id=1", {}},
        {"an emptied address", "", {}},
        {"a new address", "http://bank.test/pay?id=2", {1}},
        {"differing only in case", "http://bank.test/PAY?id=2", {1}},
    };
    for(const Case& c : cases) {
        host.shown.clear();
        bool openedInside = false;
        fixture.records.Change(1, [&](am_AmountInOut& row) { row.bankUrl = c.url; });
        openedInside = !host.shown.empty();
        RunQueued();
        EXPECT_FALSE(openedInside) << c.name << ": opened inside the table's update";
        EXPECT_EQ(host.shown, c.shown) << c.name;
    }

    host.shown.clear();
    fixture.records.Change(1, [](am_AmountInOut& row) { row.bankUrl = "http://bank.test/pay?id=3"; });
    fixture.records.Remove(1);
    RunQueued();
    EXPECT_TRUE(host.shown.empty()) << "removed before the queued opening";

    fixture.records.Add(MoneyRecords::Move(2, '1', '2', 300));
    fixture.records.Change(2, [](am_AmountInOut& row) { row.bankUrl = "http://bank.test/pay?id=4"; });
    fixture.records.Change(2, [](am_AmountInOut& row) { row.bankUrl = "http://bank.test/pay?id=5"; });
    RunQueued();
    EXPECT_EQ(host.shown, std::vector<int>{2}) << "only the address the movement still has";
}

TEST(InOutPageOpener, SigningPayPortRegistersTheControlThenOpensInsideOrInTheBankBrowser)
{
    MoneyModelFixture fixture;
    FakeInOutPageHost& host = *fixture.host;
    InOutPageOpener& opener = fixture.model->GetOpener();
    const char* url = "http://bank.test/deposit?inOutId=7&amount=300.00";
    fixture.records.Add(MoneyRecords::Move(7, '1', '2', 300, url));
    const am_AmountInOut row = *fixture.records.store.m_am_AmountInOut_table->GetIndexByPrimary().find(7);

    // Installed: straight to the plug-in's opener.
    host.installed = true;
    opener.OpenInOutPage(nullptr, row);
    EXPECT_EQ(host.shown, std::vector<int>{7});
    EXPECT_EQ(host.registrations, 0);

    // Registered during the wait: inside, a second later.
    host.shown.clear();
    host.installed = false;
    host.installedAfterRegistration = true;
    opener.OpenInOutPage(nullptr, row);
    EXPECT_EQ(host.registrations, 1);
    EXPECT_TRUE(host.shown.empty()) << "tested again only after the wait";
    ASSERT_TRUE(PumpUntil([&] { return opener.GetPendingCount() == 0; }));
    EXPECT_EQ(host.shown, std::vector<int>{7});
    EXPECT_TRUE(host.browser.namedCalls.empty());

    // Still missing: the bank's browser, then the default one.
    host.shown.clear();
    host.installed = false;
    host.installedAfterRegistration = false;
    opener.OpenInOutPage(nullptr, row);
    ASSERT_TRUE(PumpUntil([&] { return opener.GetPendingCount() == 0; }));
    EXPECT_TRUE(host.shown.empty());
    ASSERT_EQ(host.browser.namedCalls.size(), 1u);
    EXPECT_EQ(host.browser.namedCalls[0].browser, "iexplore.exe");
    EXPECT_EQ(host.browser.namedCalls[0].url, url);
    EXPECT_EQ(host.browser.defaultCalls, std::vector<wxString>{url});

    // Gone during the wait: nothing.
    host.browser.namedCalls.clear();
    host.browser.defaultCalls.clear();
    host.duringRegistration = [&] { fixture.records.Remove(7); };
    opener.OpenInOutPage(nullptr, row);
    ASSERT_TRUE(PumpUntil([&] { return opener.GetPendingCount() == 0; }));
    EXPECT_TRUE(host.shown.empty());
    EXPECT_TRUE(host.browser.namedCalls.empty());
    host.duringRegistration = nullptr;

    // Another bank needs no control.
    fixture.records.Add(MoneyRecords::Move(8, '1', '2', 300, url));
    const am_AmountInOut other = *fixture.records.store.m_am_AmountInOut_table->GetIndexByPrimary().find(8);
    fixture.records.Register(kOtherBank);
    opener.OpenInOutPage(nullptr, other);
    EXPECT_EQ(host.shown, std::vector<int>{8});
    EXPECT_EQ(host.registrations, 3);

    // Without a pay port, its system record or the account: nothing.
    host.shown.clear();
    Clear(*fixture.records.store.m_user_Payport_table);
    opener.OpenInOutPage(nullptr, other);
    fixture.records.Register(42);
    opener.OpenInOutPage(nullptr, other);
    fixture.records.Register(kOtherBank);
    am_AmountInOut stranger = other;
    stranger.accountKey = 99;
    stranger.cachedAccount.Reset();
    opener.OpenInOutPage(nullptr, stranger);
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(host.registrations, 3);
}

TEST(InOutMoneyRules, PayOnlyAProcessingDepositWithAPayPort)
{
    MoneyRecords records;
    struct Case
    {
        const char* name;
        am_AmountInOut row;
        bool pays;
    };
    am_AmountInOut stranger = MoneyRecords::Move(5, '1', '2', 10);
    stranger.accountKey = 99;
    const Case cases[] = {
        {"processing deposit", MoneyRecords::Move(1, '1', '2', 10), true},
        {"waiting deposit", MoneyRecords::Move(2, '1', '1', 10), false},
        {"passed deposit", MoneyRecords::Move(3, '1', '3', 10), false},
        {"processing withdrawal", MoneyRecords::Move(4, '2', '2', 10), false},
        {"unknown account", stranger, false},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(InOutMoneyRules::CanPay(&records.store, c.row), c.pays) << c.name;
    }
    Clear(*records.store.m_user_Payport_table);
    EXPECT_FALSE(InOutMoneyRules::CanPay(&records.store, MoneyRecords::Move(1, '1', '2', 10)))
        << "no pay port";
}

TEST(InOutPageOpeners, EveryFailedCheckOpensNothingTheKeyOrTheSettingChoosesTheBrowser)
{
    MoneyRecords records;
    const am_AmountInOut ok = MoneyRecords::Move(1, '1', '2', 10, "http://bank.test/pay");
    am_AmountInOut noUrl = ok;
    noUrl.bankUrl.clear();
    am_AmountInOut stranger = ok;
    stranger.accountKey = 99;

    using T = InOutPageTarget;
    EXPECT_EQ(ChooseInOutPageTarget(&records.store, ok, false, false), T::eCentrePage);
    EXPECT_EQ(ChooseInOutPageTarget(&records.store, ok, true, false), T::eBrowser);
    EXPECT_EQ(ChooseInOutPageTarget(&records.store, ok, false, true), T::eBrowser);
    EXPECT_EQ(ChooseInOutPageTarget(&records.store, noUrl, true, true), T::eNone);
    EXPECT_EQ(ChooseInOutPageTarget(&records.store, stranger, false, false), T::eNone);

    // The external opener: named browser first, the default one when that fails.
    FakeBrowserLauncher browser;
    OpenInOutPageExternal(&records.store, ok, browser);
    ASSERT_EQ(browser.namedCalls.size(), 1u);
    EXPECT_EQ(browser.namedCalls[0].browser, "iexplore.exe");
    EXPECT_EQ(browser.defaultCalls, std::vector<wxString>{"http://bank.test/pay"});
    FakeBrowserLauncher named;
    named.namedResult = ShellResult::kStarted;
    OpenInOutPageExternal(&records.store, ok, named);
    EXPECT_EQ(named.namedCalls.size(), 1u);
    EXPECT_TRUE(named.defaultCalls.empty());

    FakeBrowserLauncher refused;
    OpenInOutPageExternal(&records.store, noUrl, refused);
    OpenInOutPageExternal(&records.store, stranger, refused);
    records.Register(42); // a pay port the market does not list
    OpenInOutPageExternal(&records.store, ok, refused);
    Clear(*records.store.m_user_Payport_table);
    OpenInOutPageExternal(&records.store, ok, refused);
    EXPECT_TRUE(refused.namedCalls.empty());
    EXPECT_TRUE(refused.defaultCalls.empty());

    // An account of another login: its login record is unknown.
    records.Register(kOstrel);
    user_Account elsewhere;
    elsewhere.userId = 2002;
    elsewhere.accountKey = 12;
    elsewhere.currency = "CNY";
    ASSERT_TRUE(records.store.m_user_Account_table->Insert(elsewhere).second);
    am_AmountInOut foreign = ok;
    foreign.accountKey = 12;
    EXPECT_EQ(ChooseInOutPageTarget(&records.store, foreign, false, false), T::eNone);
    OpenInOutPageExternal(&records.store, foreign, refused);
    EXPECT_TRUE(refused.namedCalls.empty());
}

namespace {

// Waits until the last row is laid out in every column.
bool Painted(ListPane* pane, wxDataViewModel* model)
{
    pmDataViewCtrl* list = pane->GetList();
    list->Refresh();
    return PumpUntil([&] {
        const unsigned int count = static_cast<wxDataViewVirtualListModel*>(model)->GetCount();
        for(unsigned int pos = 0; count > 0 && pos < list->GetColumnCount(); ++pos) {
            const wxDataViewItem item = static_cast<wxDataViewVirtualListModel*>(model)->GetItem(count - 1);
            if(list->GetItemRect(item, list->GetColumn(pos)).width <= 0) {
                return false;
            }
        }
        return count > 0;
    });
}

class PanesOnDisplay : public ::testing::Test
{
protected:
    ~PanesOnDisplay() override
    {
        // The panes go before the store, as at unload.
        for(size_t i = m_host.GetOutputBook()->GetPageCount(); i-- > 0;) {
            m_host.GetOutputBook()->DeletePage(i);
        }
    }

    NotebookHost m_host;
    MoneyRecords m_records;
};

} // namespace

TEST_F(PanesOnDisplay, BinaryPaneDrawsItsStatusCellsAndSelectsOrdersByCode)
{
    m_records.AddSymbol(kEuro, kAccount, "EURUSD", "Euro", 5, 1, 1.08345);
    FakeSoundPlayer sounds;
    WrongTypeLog log;
    auto* pane = new MinTradeOrderPane(&m_records.store, &m_host, m_host.GetOutputBook(), &sounds);
    m_host.GetOutputBook()->AddPage(pane, "BinaryOp ", true);
    auto& orders = *m_records.store.m_trade_BinaryOrder_table;
    ASSERT_TRUE(orders.Insert(BinaryOrder("B1", '3', 15000)).second);
    ASSERT_TRUE(orders.Insert(BinaryOrder("B2", '2', 0)).second);
    ASSERT_TRUE(orders.Insert(BinaryOrder("B3", '3', 45000)).second);
    ASSERT_TRUE(Painted(pane, pane->GetModel()));
    pmDataViewCtrl* list = pane->GetList();
    ASSERT_EQ(list->GetColumnCount(), 15u);
    EXPECT_NE(dynamic_cast<ExpireTimeRenderer*>(list->GetColumn(14)->GetRenderer()), nullptr);
    EXPECT_EQ(log.wrongTypes, 0);

    EXPECT_TRUE(pane->SelectOrder("B3"));
    EXPECT_EQ(SelectedRow(pane, pane->GetModel()), 2);
    EXPECT_FALSE(pane->SelectOrder("b3")) << "codes compare case-sensitively";
    EXPECT_FALSE(pane->SelectOrder("B9"));
    EXPECT_EQ(SelectedRow(pane, pane->GetModel()), 2) << "an unknown code changes nothing";
    EXPECT_TRUE(sounds.played.empty());
}

TEST_F(PanesOnDisplay, MoneyPanePaysTheSelectedProcessingDepositOnly)
{
    auto owned = std::make_unique<FakeInOutPageHost>();
    FakeInOutPageHost& host = *owned;
    host.installed = true;
    WrongTypeLog log;
    auto* pane = new InOutMoneyPane(&m_records.store, &m_host, m_host.GetOutputBook(), std::move(owned));
    m_host.GetOutputBook()->AddPage(pane, "Money ", true);
    m_records.Add(MoneyRecords::Move(1, '2', '2', 10, "http://bank.test/1"));
    m_records.Add(MoneyRecords::Move(2, '1', '3', 10, "http://bank.test/2"));
    m_records.Add(MoneyRecords::Move(3, '1', '2', 10, "http://bank.test/3"));
    ASSERT_TRUE(Painted(pane, pane->GetModel()));
    EXPECT_EQ(log.wrongTypes, 0);
    EXPECT_EQ(pane->GetList()->GetColumnCount(), 6u);

    pmDataViewCtrl* list = pane->GetList();
    for(unsigned int row = 0; row < 4; ++row) {
        list->UnselectAll();
        list->Select(pane->GetModel()->GetItem(row));
        wxCommandEvent pay(wxEVT_MENU, XRCID("pay_inoutmoney"));
        pane->GetEventHandler()->ProcessEvent(pay);
        wxCommandEvent cancel(wxEVT_MENU, XRCID("cancel_inoutmoney"));
        pane->GetEventHandler()->ProcessEvent(cancel);
    }
    EXPECT_EQ(host.shown, std::vector<int>{3}) << "withdrawal, passed deposit and total row pay nothing";
}

namespace {

const char kControlProgId[] = "NetSign.InfoSecNetSign";
const char kControlClassId[] = "62B938C4-4190-4F37-8CF0-A92B0A91CC77";

template <class Pane> Pane* FindOutputPage(TestBed& bed, const wxString& label)
{
    Notebook* output = bed.Host().Manager().GetOutputBook();
    for(size_t page = 0; page < output->GetPageCount(); ++page) {
        if(output->GetPageText(page) == label) {
            return dynamic_cast<Pane*>(output->GetPage(page));
        }
    }
    return nullptr;
}

std::vector<PayPortRegistPanel*> InOutPages(TestBed& bed)
{
    std::vector<PayPortRegistPanel*> pages;
    Notebook* centre = bed.Host().Manager().GetCentreBook();
    for(size_t page = 0; page < centre->GetPageCount(); ++page) {
        if(centre->GetPageText(page) == "InOut") {
            pages.push_back(dynamic_cast<PayPortRegistPanel*>(centre->GetPage(page)));
        }
    }
    return pages;
}

// The sum of the trading day's passed movements of one type at the market.
double PassedAtMarket(const json& state, const char* type)
{
    double sum = 0;
    for(const json& move : state["moneyMoves"]) {
        if(!move["history"].get<bool>() && move["type"] == type && move["state"] == "3") {
            sum += move["amount"].get<double>();
        }
    }
    return sum;
}

// The id of the user's new waiting deposit of that amount at the market.
int NewDeposit(TestBed& bed, double amount, const std::set<int>& known)
{
    int id = -1;
    PumpUntil([&] {
        const json state = bed.Market().State();
        for(const json& move : state["moneyMoves"]) {
            const int moveId = move["id"].get<int>();
            if(move["type"] == "1" && move["amount"] == amount && !known.count(moveId)) {
                id = moveId;
            }
        }
        return id >= 0;
    });
    return id;
}

// The market pushes a bank address (1076) for account 11 and pay port 1.
int PushBankAddress(TestBed& bed, int id, const std::string& url)
{
    sFFixBankInUrl push{};
    push.accountKey = 11;
    push.id = id;
    push.sysPayPortId = 1;
    tradeapi::SetFixedText(push.url, url);
    return bed.Market().Post("/admin/push?user=demo&code=1076",
                             std::string(reinterpret_cast<const char*>(&push), sizeof push));
}

// Waits until the page's title is this.
bool HasTitle(PayPortRegistPanel& panel, const wxString& title)
{
    return panel.GetPage() && PumpUntil([&] {
               wxString shown;
               return panel.GetPage()->Evaluate("document.title", &shown) && shown == title;
           });
}

sFFixReqInOutMoney Deposit(double amount)
{
    sFFixReqInOutMoney deposit{};
    deposit.accountKey = 11;
    deposit.amount = amount;
    deposit.direction = '1';
    tradeapi::SetFixedText(deposit.moneyPassword, "666666");
    tradeapi::SetFixedText(deposit.bankPassword, "135790");
    return deposit;
}

} // namespace

TEST(MoneyPageOnTheBed, MovementsWithTheirTotalAndADepositsBankPageInsideOrInTheBrowser)
{
    ScratchFolder controls("tessrin-sign");
    ScopedEnv registryFolder("PELMORA_SIGN_CONTROLS", controls.Path());
    TestBed bed;
    ASSERT_TRUE(bed.Load());
    auto ownedBrowser = std::make_unique<FakeBrowserLauncher>();
    FakeBrowserLauncher& browser = *ownedBrowser;
    bed.Plugin().SetBrowserLauncher(std::move(ownedBrowser));
    ASSERT_TRUE(bed.Login());
    auto* pane = FindOutputPage<InOutMoneyPane>(bed, "Money ");
    ASSERT_NE(pane, nullptr);
    InOutMoneyModel* model = pane->GetModel();
    auto& moves = *bed.Store().m_am_AmountInOut_table;
    ASSERT_TRUE(PumpUntil([&] { return moves.GetContainer().size() == 2; }));
    EXPECT_EQ(model->GetCount(), 3u);
    std::set<int> ids;
    for(const am_AmountInOut& move : moves.GetContainer()) {
        ids.insert(move.inOutId);
    }
    EXPECT_EQ(ids, (std::set<int>{501, 502}));
    EXPECT_EQ(Cell(model, 2, InOutMoneyModel::eMarket), "Total");
    EXPECT_EQ(Cell(model, 2, InOutMoneyModel::eInMoney), "50000.00");
    EXPECT_EQ(Cell(model, 2, InOutMoneyModel::eOutMoney), "<none>");

    ASSERT_EQ(bed.Market().Post("/admin/inout?id=502&state=3"), 200);
    ASSERT_TRUE(PumpUntil([&] { return Cell(model, 2, InOutMoneyModel::eOutMoney) == "2000.00"; }));

    // The deposit dialog's pay-port queries come first.
    bed.GetClient()->ReqQrySysPayPortInfo();
    ASSERT_NE(bed.GetClient()->ReqQryPayPortInfo(), -1);
    ASSERT_TRUE(PumpUntil([&] {
        return !bed.Store().m_sys_PayPort_table->GetContainer().empty() &&
               !bed.Store().m_user_Payport_table->GetContainer().empty();
    }));
    const auto& byId = moves.GetIndexByPrimary();
    // A deposit of 300 whose bank page the market pushes; its id.
    auto deposit = [&] {
        sFFixReqInOutMoney request = Deposit(300);
        EXPECT_NE(bed.GetClient()->ReqInOutMoney(&request), -1);
        const int id = NewDeposit(bed, 300, ids);
        ids.insert(id);
        EXPECT_TRUE(
            PumpUntil([&] { return byId.find(id) != byId.end() && !byId.find(id)->bankUrl.empty(); }));
        return id;
    };
    // The page's view asks for the movement's address, and the market serves it.
    auto loads = [&](PayPortRegistPanel* page, int id) {
        const wxString address = PayPortRegistPanel::NormaliseUrl(byId.find(id)->bankUrl);
        const std::string query = "inOutId=" + std::to_string(id) + "&";
        const auto served = [&] {
            const json state = bed.Market().State();
            for(const json& entry : state["requests"]) {
                if(entry["kind"] == "http" && entry["path"] == "/bank/deposit" &&
                   (entry["query"].get<std::string>() + "&").find(query) != std::string::npos) {
                    return true;
                }
            }
            return false;
        };
        return page && page->GetPage() &&
               PumpUntil([&] { return page->GetPage()->GetView()->GetCurrentURL() == address; }) &&
               PumpUntil(served);
    };

    // Registry empty: the signing tool registers the control, then the page.
    ASSERT_FALSE(SignControlRegistry(controls.Path()).CanCreate(kControlProgId));
    const int first = deposit();
    ASSERT_GE(first, 0);
    EXPECT_EQ(model->GetCount(), 4u);
    EXPECT_EQ(Cell(model, 2, InOutMoneyModel::eInMoney), "300.00");
    ASSERT_TRUE(PumpUntil([&] { return InOutPages(bed).size() == 1; }, 20s));
    EXPECT_TRUE(SignControlRegistry(controls.Path()).CanCreate(kControlProgId));
    EXPECT_EQ(bed.Dialogs().CountSeen("LabelDialog"), 1u);
    EXPECT_TRUE(loads(InOutPages(bed)[0], first));

    // Registered: the page at once, one per push; the bank's page finds the
    // signing control.
    const int second = deposit();
    ASSERT_GE(second, 0);
    ASSERT_TRUE(PumpUntil([&] { return InOutPages(bed).size() == 2; }));
    EXPECT_TRUE(loads(InOutPages(bed)[1], second));
    EXPECT_TRUE(HasTitle(*InOutPages(bed)[1], "Signing control ready"));
    EXPECT_EQ(bed.Dialogs().CountSeen("LabelDialog"), 1u);
    EXPECT_TRUE(browser.namedCalls.empty());

    // An address that is no web address opens nothing: no page, no browser,
    // one warning.
    const std::string market = "127.0.0.1:" + std::to_string(bed.Market().HttpPort());
    for(const std::string hostile : {"file:///etc/passwd", "javascript:alert(1)", "http://"}) {
        LogCapture log;
        ASSERT_EQ(PushBankAddress(bed, second, hostile), 200);
        ASSERT_TRUE(PumpUntil([&] { return byId.find(second)->bankUrl == wxString(hostile); }));
        const auto refusals = [&] {
            return std::count_if(log.lines.begin(), log.lines.end(), [&](const std::string& line) {
                return line.find("refused") != std::string::npos && line.find(hostile) != std::string::npos;
            });
        };
        ASSERT_TRUE(PumpUntil([&] { return refusals() > 0; })) << hostile;
        RunQueued();
        EXPECT_EQ(refusals(), 1) << hostile;
        EXPECT_EQ(InOutPages(bed).size(), 2u) << hostile;
        EXPECT_TRUE(browser.namedCalls.empty() && browser.defaultCalls.empty()) << hostile;
    }

    // The pay port's own bank is where the market pushed its signing page:
    // a movement's page pushed on another host gets no signing control.
    const auto& attached = bed.Store().m_user_AttPay_table->GetIndexByPrimary();
    ASSERT_EQ(PushBankAddress(bed, 77, "http://" + market + "/bank/sign?qianyue=1&payport=1&acc=11"), 200);
    ASSERT_TRUE(PumpUntil([&] { return attached.find(77) != attached.end(); }));
    const std::string page = "/bank/deposit?inOutId=" + std::to_string(second) + "&amount=300.00&payport=1";
    ASSERT_EQ(
        PushBankAddress(bed, second, "http://localhost:" + std::to_string(bed.Market().HttpPort()) + page),
        200);
    ASSERT_TRUE(PumpUntil([&] { return InOutPages(bed).size() == 3; }));
    EXPECT_TRUE(HasTitle(*InOutPages(bed)[2], "Signing control missing"));
    ASSERT_EQ(PushBankAddress(bed, second, "http://" + market + page + "&again=1"), 200);
    ASSERT_TRUE(PumpUntil([&] { return InOutPages(bed).size() == 4; }));
    EXPECT_TRUE(HasTitle(*InOutPages(bed)[3], "Signing control ready"));

    // "ShowInoutInBrower": the browser, no page.
    bed.SetConfigValue("ShowInoutInBrower", true);
    const int third = deposit();
    ASSERT_GE(third, 0);
    ASSERT_TRUE(PumpUntil([&] { return browser.defaultCalls.size() == 1; }));
    const wxString address = byId.find(third)->bankUrl;
    EXPECT_TRUE(address.Contains(wxString::Format("inOutId=%d", third))) << address;
    EXPECT_EQ(browser.defaultCalls[0], PayPortRegistPanel::NormaliseUrl(address));
    ASSERT_EQ(browser.namedCalls.size(), 1u);
    EXPECT_EQ(browser.namedCalls[0].browser, "iexplore.exe");
    EXPECT_EQ(InOutPages(bed).size(), 4u);

    // The market's money steps pass the deposits.
    ASSERT_EQ(bed.Market().Post("/admin/clock?offsetMs=20000"), 200);
    ASSERT_TRUE(PumpUntil([&] { return byId.find(third)->approveState == '2'; }, 10s));
    ASSERT_EQ(bed.Market().Post("/admin/clock?offsetMs=40000"), 200);
    ASSERT_TRUE(PumpUntil(
        [&] {
            return byId.find(first)->approveState == '3' && byId.find(second)->approveState == '3' &&
                   byId.find(third)->approveState == '3';
        },
        10s));
    const json state = bed.Market().State();
    const unsigned int total = model->GetCount() - 1;
    EXPECT_EQ(Cell(model, total, InOutMoneyModel::eInMoney), "50900.00");
    EXPECT_EQ(Cell(model, total, InOutMoneyModel::eInMoney), FormatMoney(PassedAtMarket(state, "1")));
    EXPECT_EQ(Cell(model, total, InOutMoneyModel::eOutMoney), FormatMoney(PassedAtMarket(state, "2")));
    EXPECT_EQ(Cell(model, 2, InOutMoneyModel::eStatus), "Pass");
    EXPECT_EQ(InOutPages(bed).size(), 4u) << "a state change brings no new address";
    EXPECT_EQ(browser.defaultCalls.size(), 1u);

    // No browser starts: a box says so, with the address.
    browser.defaultResult = false;
    const std::size_t boxes = bed.Dialogs().Seen().size();
    const int unopened = deposit();
    ASSERT_GE(unopened, 0);
    ids.insert(unopened);
    ASSERT_TRUE(PumpUntil([&] { return bed.Dialogs().Seen().size() > boxes; }));
    EXPECT_TRUE(bed.Dialogs().Seen().back().message.StartsWith("No browser could be started"));
    EXPECT_TRUE(bed.Dialogs().Seen().back().message.Contains(wxString::Format("inOutId=%d", unopened)));
    EXPECT_EQ(browser.defaultCalls.size(), 2u);
    EXPECT_EQ(InOutPages(bed).size(), 4u);

    // A money notice of the output window brings the page forward.
    OutputWindow& notices = bed.Host().Output();
    size_t notice = notices.GetEntryCount();
    while(notice > 0 && !notices.GetEntry(notice - 1).title.StartsWith("InOut Nofity[")) {
        --notice;
    }
    ASSERT_GT(notice, 0u);
    Notebook* output = bed.Host().Manager().GetOutputBook();
    output->SetSelection(0);
    ASSERT_TRUE(notices.ClickEntry(notice - 1));
    EXPECT_EQ(output->GetPage(output->GetSelection()), pane);
}

// With the English catalogue loaded, as the host loads it: the page, its
// cells and its notice read the catalogue's words, and the translated
// notice label still selects the order.
TEST(BinaryOrderPageOnTheBed, AnOrderCountsDownSettlesWithASoundAndItsNoticeSelectsIt)
{
    TestBed::Options options;
    options.catalogue = true;
    TestBed bed(options);
    ASSERT_TRUE(bed.Load());
    auto ownedSounds = std::make_unique<FakeSoundPlayer>();
    FakeSoundPlayer& sounds = *ownedSounds;
    bed.Plugin().SetSoundPlayer(std::move(ownedSounds));
    ASSERT_TRUE(bed.Login());
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    auto* pane = FindOutputPage<MinTradeOrderPane>(bed, "Binary Options ");
    ASSERT_NE(pane, nullptr);
    wxArrayString titles;
    for(unsigned int column = 0; column < pane->GetList()->GetColumnCount(); ++column) {
        titles.Add(pane->GetList()->GetColumn(column)->GetTitle());
    }
    EXPECT_NE(titles.Index("Charge"), wxNOT_FOUND) << wxJoin(titles, '|');
    EXPECT_EQ(wxJoin(titles, '|').Find('_'), wxNOT_FOUND) << wxJoin(titles, '|');
    int pages = 0;
    Notebook* output = bed.Host().Manager().GetOutputBook();
    for(size_t page = 0; page < output->GetPageCount(); ++page) {
        pages += output->GetPageText(page) == "Binary Options " ? 1 : 0;
    }
    EXPECT_EQ(pages, 1);
    MinTradeOrderModel* model = pane->GetModel();
    const unsigned int before = model->GetCount();

    sFFixSetOrder order{};
    order.accountKey = 14;
    order.side = 'b';
    order.quantity = 100;
    order.orderType = 'F';
    order.pointDiff = 20;
    order.symbolId = kEuro;
    order.contractKey = 9001;
    order.binaryMode = '1';
    ASSERT_NE(bed.GetClient()->ReqSetOrder(&order), -1);
    ASSERT_TRUE(PumpUntil([&] { return model->GetCount() == before + 1; }));
    const unsigned int row = before;
    const wxString code = Cell(model, row, MinTradeOrderModel::eOrderCode);
    EXPECT_EQ(Cell(model, row, MinTradeOrderModel::eSide), "Up");
    EXPECT_EQ(Cell(model, row, MinTradeOrderModel::eProfitRate), "80%");
    EXPECT_EQ(Cell(model, row, MinTradeOrderModel::eOrderAmount), "98.00");

    // The strip shrinks as the market's clock runs.
    auto fraction = [&] {
        const ExpireTimeRenderer::Reading reading =
            ExpireTimeRenderer::Read(Cell(model, row, MinTradeOrderModel::eOrderStatus));
        return reading.strip ? reading.fraction : -1;
    };
    ASSERT_TRUE(PumpUntil([&] { return fraction() > 0; }));
    const int start = fraction();
    ASSERT_TRUE(PumpUntil([&] { return fraction() >= 0 && fraction() < start; }, 5s));

    // Winning while the price stays above the order's open price.
    const json placed = bed.Market().State()["binaryOrders"].back();
    ASSERT_EQ(placed["code"].get<std::string>(), code.ToStdString());
    const double openPrice = placed["openPrice"].get<double>();
    ASSERT_EQ(bed.Market().Post("/admin/price?symbol=401&price=" + std::to_string(openPrice + 0.001)), 200);
    ASSERT_TRUE(PumpUntil([&] {
        wxDataViewItemAttr attr;
        model->GetAttrByRow(row, MinTradeOrderModel::eOrderStatus, attr);
        return attr.HasColour() && attr.GetColour() == DrawingUtils::GetGlobalDownColour();
    }));
    EXPECT_TRUE(sounds.played.empty());

    // Past the expiry: settled with the market's profit, one sound, a notice.
    const size_t notices = bed.Host().Output().GetEntryCount();
    ASSERT_EQ(bed.Market().Post("/admin/clock?offsetMs=120000"), 200);
    ASSERT_TRUE(
        PumpUntil([&] { return Cell(model, row, MinTradeOrderModel::eOrderStatus) == "Profit"; }, 10s));
    const json settled = bed.Market().State()["binaryOrders"].back();
    EXPECT_EQ(settled["state"], "2");
    EXPECT_EQ(Cell(model, row, MinTradeOrderModel::eProfit), FormatMoney(settled["profit"].get<double>()));
    EXPECT_EQ(Cell(model, row, MinTradeOrderModel::eProfit), "78.00");
    PumpFor(600ms); // the countdown's next tick would ring again here
    EXPECT_EQ(sounds.played, std::vector<wxString>{"rc//Remind.wav"});

    size_t notice = notices;
    ASSERT_TRUE(PumpUntil([&] {
        for(notice = notices; notice < bed.Host().Output().GetEntryCount(); ++notice) {
            if(bed.Host().Output().GetEntry(notice).title == "Binary Option Trade[" + code + "]") {
                return true;
            }
        }
        return false;
    }));
    output->SetSelection(0);
    pane->GetList()->UnselectAll();
    ASSERT_TRUE(bed.Host().Output().ClickEntry(notice));
    EXPECT_EQ(output->GetPage(output->GetSelection()), pane);
    EXPECT_EQ(SelectedRow(pane, pane->GetModel()), static_cast<int>(row));
}
