// The answers to the queries of the trading day: each row becomes a record,
// and the end of an answer sweeps what the server no longer reports.
#include "connection/AccountRefresh.h"
#include "connection/Client.h"
#include "connection/HandlerSupport.h"
#include "connection/IConnectionHost.h"
#include "connection/MarketFilter.h"
#include "db/TradeArithmetic.h"

#include <boost/tuple/tuple.hpp>
#include <wx/debug.h>

using namespace handler_support;

namespace {

bool IsComplete(eLastType last)
{
    return last != eLastTypeMore;
}

// A bill, order or position passes when its symbol is known and its market is wanted.
template <class Record> bool SymbolPasses(RecordStore* db, const Record& record, const wxArrayInt& markets)
{
    return record.GetSymbolInfo(db) && PassesMarketFilter(markets, record.cachedSymbolInfo->marketId);
}

template <class Table, class Record> void InsertOrUpdate(Table& table, const Record& record)
{
    const auto& rows = table.GetIndexByPrimary();
    const auto found = rows.find(record.orderCode);
    if(found == rows.end()) {
        table.Insert(record);
    } else {
        table.Update(found, record);
    }
}

// Writes one symbol row into its three records; true when the answer is complete.
bool StoreSymbolRow(RecordStore* db, const wxArrayInt& markets, int userId, int& symbolCount,
                    const sFFixRspQrySymbolInfo& row, eLastType last, int requestId)
{
    if(last == eLastTypeEmpty) {
        db->m_symbol_Info_table->SweepStale(Serial(requestId));
        return true;
    }
    if(PassesMarketFilter(markets, row.marketId)) {
        symbol_Info info = SymbolInfoFromFix(row, userId);
        info.displayOrder = ++symbolCount;
        info.refreshSerial = Serial(requestId);
        if(info.GetSymbolProperty(db)) {
            // The property table takes no updates: its texts are refreshed in place.
            auto& property = const_cast<symbol_Property&>(*info.cachedSymbolProperty);
            FillSymbolProperty(property, row);
            property.GetSymbolPrice(db);
        }
        auto& symbols = *db->m_symbol_Info_table;
        const auto found = symbols.GetIndexByPrimary().find(info.symbolId);
        if(found == symbols.GetIndexByPrimary().end()) {
            symbols.Insert(info);
        } else {
            symbols.Update(found, info);
        }
        auto& prices = *db->m_symbol_price_table;
        const auto price = prices.GetIndexByPrimary().find(info.symbolId);
        wxASSERT_MSG(price != prices.GetIndexByPrimary().end(),
                     "it != m_pDb->m_symbol_price_table->GetIndexByPrimary().end()");
        if(price != prices.GetIndexByPrimary().end()) {
            symbol_price copy = *price;
            FillSymbolPrice(copy, row);
            prices.Update(price, copy);
        }
    }
    if(last == eLastTypeLast) {
        db->m_symbol_Info_table->SweepStale(Serial(requestId));
        return true;
    }
    return false;
}

// A row without a URL keeps the bank page the stored movement already has.
void KeepBankUrl(const am_AmountInOutFactory& table, am_AmountInOut& record)
{
    const auto found = table.GetIndexByPrimary().find(record.inOutId);
    if(record.bankUrl.empty() && found != table.GetIndexByPrimary().end()) {
        record.bankUrl = found->bankUrl;
    }
}

} // namespace

void Client::HandleRspQrySymbolInfo(const TradeQueryRowEvent<sFFixRspQrySymbolInfo>& event)
{
    if(!StoreSymbolRow(m_pDb, m_pHost->GetMarketIds(), m_userId, m_symbolCount, event.Get<0>(),
                       event.Get<2>(), event.Get<1>())) {
        return;
    }
    ReqQryHoldDetail();
    ReqQryPosition();
    ReqQryCloseBill();
    ReqQryLimitOrder();
    ReqQryBinaryOrer();
    ReqQryInOutMoney();
    SendUserQuery(eQueryKindCount, &CTradeApi::ReqQryPayPortInfo);
    ReqQryDeliveryOrder();
    if(!m_pHost->ReadConfigBool("HideStoreOrderPane", false)) {
        ReqQryUserInventory();
    }
}

void Client::HandleMdRspQrySymbolInfo(const MdQueryRowEvent<sFFixRspQrySymbolInfo>& event)
{
    if(StoreSymbolRow(m_pDb, m_pHost->GetMarketIds(), m_userId, m_symbolCount, event.Get<0>(), event.Get<2>(),
                      event.Get<1>())) {
        ReqSubscribeSymbolList();
    }
}

void Client::OnRspQryAccount(const TradeQueryRowEvent<sFFixRspQryAccount>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    if(last != eLastTypeEmpty) {
        user_Account record = AccountFromFix(event.Get<0>(), m_userId);
        record.bonusPoint = -1.0;
        record.riskRate =
            CalcRiskRate(record.riskKind, record.netValue, record.marginUsed, record.suretyMoney);
        record.refreshSerial = Serial(id);
        m_pDb->m_user_Account_table->Upsert(record);
        UpdateAccountStatus(record);
        RefreshAccountProfit(m_pDb, record.accountKey);
    }
    if(IsComplete(last)) {
        m_pDb->m_user_Account_table->SweepStale(Serial(id));
    }
}

void Client::OnRspQryHoldDetail(const TradeQueryRowEvent<sFFixHoldDetail>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    if(last != eLastTypeEmpty) {
        trade_HoldBill record = HoldBillFromFix(event.Get<0>(), true);
        record.refreshSerial = Serial(id);
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            InsertOrUpdate(*m_pDb->m_trade_HoldBill_table, record);
            RefreshAccountProfit(m_pDb, record.accountKey);
        }
    }
    if(IsComplete(last)) {
        m_pDb->m_trade_HoldBill_table->SweepStale(Serial(id));
    }
}

void Client::OnRspQryPosition(const TradeQueryRowEvent<sFFixPosition>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    if(last != eLastTypeEmpty) {
        trade_Position record = PositionFromFix(event.Get<0>());
        record.refreshSerial = Serial(id);
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            m_pDb->m_trade_Position_table->Upsert(record);
        }
    }
    if(IsComplete(last)) {
        m_pDb->m_trade_Position_table->SweepStale(Serial(id));
    }
}

void Client::OnRspQryCloseBill(const TradeQueryRowEvent<sFFixCloseBill>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    if(last != eLastTypeEmpty) {
        trade_CloseBill record = CloseBillFromFix(event.Get<0>());
        record.refreshSerial = Serial(id);
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            m_pDb->m_trade_CloseBill_table->Upsert(record);
        }
    }
    if(IsComplete(last)) {
        m_pDb->m_trade_CloseBill_table->SweepStale(Serial(id));
    }
}

void Client::OnRspQryLimitOrder(const TradeQueryRowEvent<sFFixLimitOrder>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    if(last != eLastTypeEmpty) {
        trade_Limit record = LimitFromFix(event.Get<0>());
        record.refreshSerial = Serial(id);
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            InsertOrUpdate(*m_pDb->m_trade_Limit_table, record);
        }
    }
    if(IsComplete(last)) {
        m_pDb->m_trade_Limit_table->SweepStale(Serial(id));
    }
}

void Client::OnRspQryInOutMoney(const TradeQueryRowEvent<sFFixRspInOutMoney>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    auto& table = *m_pDb->m_am_AmountInOut_table;
    if(last != eLastTypeEmpty) {
        am_AmountInOut record = AmountInOutFromFix(event.Get<0>());
        record.refreshSerial = Serial(id);
        const bool wanted = record.inOutType == '1' || record.inOutType == '2';
        if(wanted && symbol_Info::GetAccount(record, m_pDb)) {
            KeepBankUrl(table, record);
            table.Upsert(record);
        }
    }
    if(IsComplete(last)) {
        table.SweepStale(Serial(id));
    }
}

void Client::OnRspQryPayPortInfo(const TradeQueryRowEvent<sFFixPayPortInfo>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    if(last != eLastTypeEmpty) {
        user_Payport record = PayportFromFix(event.Get<0>());
        record.refreshSerial = Serial(id);
        m_pDb->m_user_Payport_table->Upsert(record);
    }
    if(IsComplete(last)) {
        m_pDb->m_user_Payport_table->SweepStale(Serial(id));
    }
}

void Client::OnRspQrySysPayPortInfo(const TradeQueryRowEvent<sFFixSysPayPortInfo>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    if(last != eLastTypeEmpty) {
        sys_PayPort record = SysPayPortFromFix(event.Get<0>());
        record.refreshSerial = Serial(id);
        m_pDb->m_sys_PayPort_table->Upsert(record);
    }
    if(IsComplete(last)) {
        m_pDb->m_sys_PayPort_table->SweepStale(Serial(id));
        NotifyComplete(id);
    }
}

void Client::OnRspQryPriceReport(const TradeQueryRowEvent<sFFixPriceReport>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    if(last != eLastTypeEmpty) {
        trade_priceLevel record = PriceLevelFromFix(event.Get<0>());
        record.refreshSerial = Serial(id);
        m_pDb->m_trade_priceLevel_table->Upsert(record);
    }
    if(IsComplete(last)) {
        m_pDb->m_trade_priceLevel_table->SweepStale(Serial(id));
        NotifyComplete(id);
    }
}

void Client::OnRspQryCurrencyExchangeRate(const TradeQueryRowEvent<sFFixCurrencyExchangeRate>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    auto& table = *m_pDb->m_sys_CurrencyExchangeRate_table;
    if(last != eLastTypeEmpty) {
        sys_CurrencyExchangeRate record = ExchangeRateFromFix(event.Get<0>());
        record.refreshSerial = Serial(id);
        const auto found = table.GetExchangeRate(record.fromCurrency, record.toCurrency);
        if(found == table.GetIndexByPrimary().end()) {
            table.Insert(record);
        } else {
            table.Update(found, record);
        }
    }
    if(IsComplete(last)) {
        table.SweepStale(Serial(id));
        NotifyComplete(id);
    }
}

void Client::OnRspQryBinaryContract(const TradeQueryRowEvent<sFFixBinaryContract>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    if(last != eLastTypeEmpty) {
        trade_Contract record = ContractFromFix(event.Get<0>());
        record.refreshSerial = Serial(id);
        m_pDb->m_trade_Contract_table->Upsert(record);
    }
    if(IsComplete(last)) {
        m_pDb->m_trade_Contract_table->SweepStale(Serial(id));
        NotifyComplete(id);
    }
}

void Client::OnRspQryBinaryOrer(const TradeQueryRowEvent<sFFixBinaryOrer>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    if(last != eLastTypeEmpty) {
        trade_BinaryOrder record = BinaryOrderFromFix(event.Get<0>(), event.GetStamp());
        record.refreshSerial = Serial(id);
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            m_pDb->m_trade_BinaryOrder_table->Upsert(record, nullptr);
        }
    }
    if(IsComplete(last)) {
        m_pDb->m_trade_BinaryOrder_table->SweepStale(Serial(id));
        NotifyComplete(id);
    }
}

void Client::OnRspQryDeliveryOrder(const TradeQueryRowEvent<sFFixDeliveryOrder>& event)
{
    const int id = event.Get<1>();
    const eLastType last = event.Get<2>();
    if(last != eLastTypeEmpty) {
        trade_DeliveryOrder record = DeliveryOrderFromFix(event.Get<0>());
        record.refreshSerial = Serial(id);
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            m_pDb->m_trade_DeliveryOrder_table->Upsert(record);
        }
    }
    if(IsComplete(last)) {
        m_pDb->m_trade_DeliveryOrder_table->SweepStale(Serial(id));
        NotifyComplete(id);
    }
}

void Client::OnRspQryMoney(const TradeQueryRowEvent<sFFixMoney>& event)
{
    const int id = event.Get<1>();
    if(event.Get<2>() == eLastTypeEmpty) {
        NotifyComplete(id);
        return;
    }
    const sFFixMoney money = event.Get<0>();
    auto& accounts = *m_pDb->m_user_Account_table;
    const auto found = accounts.GetIndexByPrimary().find(money.accountKey);
    if(found == accounts.GetIndexByPrimary().end()) {
        return;
    }
    user_Account copy = *found;
    ApplyMoney(copy, money);
    accounts.Update(found, copy);
    NotifyComplete(id);
}

void Client::OnRspSubscribeMarketData(const MdSubscribeEvent& event)
{
    m_bMdSubscribed = true;
    const sFFixRspInfo& result = event.Get<1>();
    if(result.errorId != 0 && wxLog::IsLevelEnabled(wxLOG_Warning, wxLOG_COMPONENT)) {
        wxLogWarning("%s", Utf8Text(result.errorMsg));
    }
}
