// Price ticks from the market-data callback to the table: the library's
// thread copies each tick into a queued event, the Client dispatches it into
// symbol_price, and the profit of the symbol's account is refreshed over its
// hold bills. Two observers watch the price table as the quote board and a
// chart would.

#include "connection/Client.h"
#include "connection/IConnectionHost.h"
#include "connection/MdClient.h"
#include "db/RecordStore.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <tradeapi/FixedText.h>
#include <vector>
#include <wx/init.h>

namespace {

constexpr int kSymbols = 200;
constexpr int kHoldsPerAccount = 20;

class QuietHost : public IConnectionHost
{
public:
    void SetStatusField(int, const wxString&) override {}
    void SetStatusFieldColour(int, const wxColour&) override {}
    void OutputLog(const wxString&, const wxString&) override {}
    void ShowMessageBox(const wxString&, const wxString&) override {}
    bool IsShowNotify(int) const override { return true; }
    const wxArrayInt& GetMarketIds() const override { return m_markets; }
    bool ReadConfigBool(const wxString&, bool defaultValue) const override { return defaultValue; }
    wxString GetServerText() const override { return "Bench"; }
    const wxArrayString& GetTradeAddresses() const override { return m_addresses; }
    const wxArrayString& GetMdAddresses() const override { return m_addresses; }

private:
    wxArrayInt m_markets;
    wxArrayString m_addresses;
};

class PriceObserver : public CActionTrigger<symbol_price>, public CCommitTrigger<symbol_price>
{
public:
    double seen = 0.0;
    void afterUpdate(const symbol_price& stored, CTransaction*, void*) override { seen += stored.lastPrice; }
    void commitUpdate(const symbol_price& oldValue, const symbol_price& stored, int) override
    {
        seen += stored.lastPrice - oldValue.lastPrice;
    }
};

template <class Event, class... Args> void Feed(Client& client, CallbackCode code, Args... args)
{
    Event event(code, args...);
    client.ProcessEvent(event);
}

void BM_PricePush(benchmark::State& state)
{
    RecordStore db;
    db.CreateTables();
    QuietHost host;
    Client client("bench", &db, &host);
    for(int key = 1; key <= 2; ++key) {
        sFFixRspQryAccount account{};
        account.accountKey = key;
        account.marginRemain = 100000.0;
        account.riskKind = '1';
        tradeapi::SetFixedText(account.currency, "CNY");
        Feed<TradeQueryRowEvent<sFFixRspQryAccount>>(client, CallbackCode::RspQryAccount, account, 10,
                                                     key == 2 ? eLastTypeLast : eLastTypeMore);
    }
    for(int id = 1; id <= kSymbols; ++id) {
        sFFixRspQrySymbolInfo row{};
        row.symbolId = id;
        row.accountKey = 1 + id % 2;
        row.digits = 2;
        row.contractSize = 10;
        row.marketType = '1';
        row.lastPrice = 100.0;
        tradeapi::SetFixedText(row.currency, "CNY");
        tradeapi::SetFixedText(row.symbolCode, "S" + std::to_string(id));
        Feed<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(client, CallbackCode::RspQrySymbolInfo, row, 11,
                                                        id == kSymbols ? eLastTypeLast : eLastTypeMore);
    }
    for(int n = 0; n < 2 * kHoldsPerAccount; ++n) {
        sFFixHoldDetail hold{};
        hold.symbolId = 1 + n; // odd symbols trade in account 2, even in account 1
        hold.accountKey = 1 + hold.symbolId % 2;
        hold.side = n % 3 == 0 ? 's' : 'b';
        hold.quantity = 1 + n % 4;
        hold.holdPrice = 99.0;
        tradeapi::SetFixedText(hold.orderCode, "H" + std::to_string(n));
        Feed<TradeNoticeEvent<sFFixHoldDetail>>(client, CallbackCode::NtfHoldDetail, hold);
    }
    PriceObserver board;
    PriceObserver chart;
    db.m_symbol_price_table->AddActionTrigger(&board);
    db.m_symbol_price_table->AddCommitTrigger(&board);
    db.m_symbol_price_table->AddActionTrigger(&chart);

    std::vector<sFFixMarketData> ticks(kSymbols);
    for(int i = 0; i < kSymbols; ++i) {
        ticks[i].symbolId = i + 1;
        tradeapi::SetFixedText(ticks[i].quoteDate, "20261208");
        tradeapi::SetFixedText(ticks[i].quoteTime, "101500");
    }
    MdClient& md = *client.GetMdClient();
    double price = 100.0;
    for(auto _ : state) {
        price = price > 110.0 ? 100.0 : price + 0.01;
        for(sFFixMarketData& tick : ticks) {
            tick.lastPrice = price;
            md.OnNtfMarketData(&tick, 0, 0);
        }
        client.ProcessPendingEvents();
    }
    state.SetItemsProcessed(state.iterations() * kSymbols);
    benchmark::DoNotOptimize(board.seen + chart.seen);
    // Shows that the ticks reached the accounts' floating profit.
    state.counters["profit1"] = db.m_user_Account_table->GetIndexByPrimary().find(1)->profitDyn;
    db.m_symbol_price_table->RemoveActionTrigger(&chart);
    db.m_symbol_price_table->RemoveActionTrigger(&board);
    db.m_symbol_price_table->RemoveCommitTrigger(&board);
    client.Release();
}
BENCHMARK(BM_PricePush);

} // namespace

int main(int argc, char** argv)
{
    wxInitializer wx;
    if(!wx.IsOk()) {
        std::fprintf(stderr, "wx did not initialise\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
