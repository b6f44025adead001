// The hold-detail list under a flood of quotes and a long list of bills: what
// one quote costs (the table's observers and the DynProfit repaints of its
// bills), a bill arriving in a long list, painting a row, and a summary row's
// group sums.
#include "BenchMain.h"
#include "db/RecordStore.h"
#include "panes/HoldDetailModel.h"

#include <benchmark/benchmark.h>
#include <wx/init.h>

namespace {

constexpr int kAccounts = 4;
constexpr int kSymbols = 20;

// Counts what the model tells its control, as a control would receive it.
class CountingNotifier : public wxDataViewModelNotifier
{
public:
    bool ItemAdded(const wxDataViewItem&, const wxDataViewItem&) override { return ++calls > 0; }
    bool ItemDeleted(const wxDataViewItem&, const wxDataViewItem&) override { return ++calls > 0; }
    bool ItemChanged(const wxDataViewItem&) override { return ++calls > 0; }
    bool ValueChanged(const wxDataViewItem&, unsigned int) override { return ++calls > 0; }
    bool Cleared() override { return true; }
    void Resort() override {}
    long calls = 0;
};

// A logged-in store with `bills` hold bills spread over the accounts and symbols.
struct Market
{
    explicit Market(int bills)
    {
        store.CreateTables();
        model = wxObjectDataPtr<HoldDetailModel>(new HoldDetailModel(&store, nullptr));
        notifier = new CountingNotifier;
        model->AddNotifier(notifier);
        user_LoginInfo login;
        login.userId = 1;
        login.loginAccount = "demo";
        store.m_user_LoginInfo_table->Insert(login);
        for(int a = 0; a < kAccounts; ++a) {
            user_Account account;
            account.userId = 1;
            account.accountKey = 10 + a;
            account.accountClass = '1';
            account.currency = "CNY";
            account.marketName = "M";
            store.m_user_Account_table->Insert(account);
        }
        for(int s = 0; s < kSymbols; ++s) {
            symbol_Info symbol;
            symbol.symbolId = 100 + s;
            symbol.accountKey = 10 + s % kAccounts;
            symbol.marketType = '1';
            symbol.askSpreadPoints = 3;
            symbol.bidSpreadPoints = 3;
            store.m_symbol_Info_table->Insert(symbol);
            symbol_Property property;
            property.symbolId = symbol.symbolId;
            property.digits = 2;
            property.contractSize = 10;
            property.currency = "CNY";
            property.symbolName = "S";
            store.m_symbol_Property_table->Insert(property);
            symbol_price quote;
            quote.symbolId = symbol.symbolId;
            quote.digits = 2;
            quote.lastPrice = 100.0;
            store.m_symbol_price_table->Insert(quote);
        }
        for(int b = 0; b < bills; ++b) {
            AddBill(b);
        }
    }

    void AddBill(int number)
    {
        trade_HoldBill bill;
        bill.orderCode = wxString::Format("H%06d", number);
        bill.symbolId = 100 + number % kSymbols;
        bill.accountKey = 10 + number % kAccounts;
        bill.side = number % 2 ? 's' : 'b';
        bill.quantity = 1 + number % 5;
        bill.holdPrice = bill.openPrice = 99.5;
        bill.marginUsed = 12.5;
        store.m_trade_HoldBill_table->Insert(bill);
    }

    RecordStore store;
    wxObjectDataPtr<HoldDetailModel> model;
    CountingNotifier* notifier = nullptr; // owned by the model
};

// One quote of one symbol: every observer of the quote table runs, the
// model repaints the DynProfit cell of each of that symbol's bills.
void BM_QuoteUpdate(benchmark::State& state)
{
    Market market(static_cast<int>(state.range(0)));
    auto& quotes = *market.store.m_symbol_price_table;
    const auto& bySymbol = quotes.GetIndexByPrimary();
    symbol_price quote = *bySymbol.find(100);
    for(auto _ : state) {
        quote.lastPrice += 0.01;
        quotes.Update(bySymbol.find(100), quote);
    }
    state.counters["repaints/quote"] = benchmark::Counter(static_cast<double>(market.notifier->calls) /
                                                          static_cast<double>(state.iterations()));
}
BENCHMARK(BM_QuoteUpdate)->Arg(100)->Arg(1000)->Arg(10000);

// A bill arriving for an account with a summary row, then leaving again.
void BM_BillArrivesAndGoes(benchmark::State& state)
{
    Market market(static_cast<int>(state.range(0)));
    auto& bills = *market.store.m_trade_HoldBill_table;
    int number = 1000000;
    for(auto _ : state) {
        market.AddBill(number);
        bills.Remove(bills.Find(wxString::Format("H%06d", number)));
        ++number;
    }
}
BENCHMARK(BM_BillArrivesAndGoes)->Arg(100)->Arg(1000)->Arg(10000);

// Every cell of one bill row, as the control asks when it paints the row.
void BM_PaintBillRow(benchmark::State& state)
{
    Market market(static_cast<int>(state.range(0)));
    const unsigned int row = static_cast<unsigned int>(state.range(0) / 2);
    wxVariant value;
    for(auto _ : state) {
        for(unsigned int column = 0; column < HoldDetailModel::eColumnCount; ++column) {
            market.model->GetValueByRow(value, row, column);
            wxDataViewItemAttr attr;
            market.model->GetAttrByRow(row, column, attr);
        }
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_PaintBillRow)->Arg(100)->Arg(10000);

// The money line and the three group sums of a summary row; the group holds
// a quarter of the bills.
void BM_PaintSummaryRow(benchmark::State& state)
{
    Market market(static_cast<int>(state.range(0)));
    const user_Account& account = *market.store.m_user_Account_table->GetIndexByPrimary().find(10);
    for(auto _ : state) {
        for(const unsigned int column :
            {HoldDetailModel::eNumber, HoldDetailModel::eDynProfit, HoldDetailModel::eMarginUsed,
             HoldDetailModel::eChargeOpen, HoldDetailModel::eTotalChargeInterest}) {
            benchmark::DoNotOptimize(market.model->GetSummaryText(account, column));
        }
    }
}
BENCHMARK(BM_PaintSummaryRow)->Arg(100)->Arg(1000)->Arg(10000);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv);
}
