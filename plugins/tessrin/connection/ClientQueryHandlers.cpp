// The answers to the queries of the trading day: each row becomes a record,
// and the end of an answer sweeps what the server no longer reports.
#include "connection/AccountRefresh.h"
#include "connection/Client.h"
#include "connection/HandlerSupport.h"
#include "connection/IConnectionHost.h"
#include "connection/MarketFilter.h"
#include "db/TradeArithmetic.h"

#include <algorithm>
#include <wx/debug.h>

using namespace handler_support;

namespace {

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
template <class Event>
bool StoreSymbolRow(RecordStore* db, const wxArrayInt& markets, int userId, int& symbolCount,
                    const Event& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(!event.HasRow()) {
        db->m_symbol_Info_table->SweepStale(serial);
        return true;
    }
    const sFFixRspQrySymbolInfo& row = event.GetRow();
    if(PassesMarketFilter(markets, row.marketId)) {
        symbol_Info info = SymbolInfoFromFix(row, userId);
        info.displayOrder = ++symbolCount;
        info.refreshSerial = serial;
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
            // Both links answer the list at a login, their rows in turns: a row
            // of the older answer must not make a symbol the newer one has
            // listed look stale to the newer answer's sweep.
            info.refreshSerial = std::max(info.refreshSerial, found->refreshSerial);
            symbols.Update(found, info);
        }
        const bool priced = db->m_symbol_price_table->Modify(
            info.symbolId, [&](symbol_price& price) { FillSymbolPrice(price, row); });
        wxASSERT_MSG(priced, "it != m_pDb->m_symbol_price_table->GetIndexByPrimary().end()");
        wxUnusedVar(priced);
    }
    if(event.IsComplete()) {
        db->m_symbol_Info_table->SweepStale(serial);
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

bool Client::DispatchQueryAnswer(const wxThreadEvent& event)
{
    switch(CodeOf(event)) {
    case CallbackCode::RspQrySymbolInfo:
        Route(event, &Client::HandleRspQrySymbolInfo, eQrySymbolInfo);
        return true;
    case CallbackCode::RspQryAccount:
        Route(event, &Client::OnRspQryAccount, eQryAccount);
        return true;
    case CallbackCode::RspQryPosition:
        Route(event, &Client::OnRspQryPosition, eQryPosition);
        return true;
    case CallbackCode::RspQryHoldDetail:
        Route(event, &Client::OnRspQryHoldDetail, eQryHoldDetail);
        return true;
    case CallbackCode::RspQryCloseBill:
        Route(event, &Client::OnRspQryCloseBill, eQryCloseBill);
        return true;
    case CallbackCode::RspQryLimitOrder:
        Route(event, &Client::OnRspQryLimitOrder, eQryLimitOrder);
        return true;
    case CallbackCode::RspQryCurrencyExchangeRate:
        Route(event, &Client::OnRspQryCurrencyExchangeRate, eQryCurrencyExchangeRate);
        return true;
    case CallbackCode::RspQryInOutMoney:
        Route(event, &Client::OnRspQryInOutMoney, eQryInOutMoney);
        return true;
    case CallbackCode::RspQryDeliveryOrder:
        Route(event, &Client::OnRspQryDeliveryOrder, eQryDeliveryOrder);
        return true;
    case CallbackCode::RspQryPayPortInfo:
        Route(event, &Client::OnRspQryPayPortInfo);
        return true;
    case CallbackCode::RspQrySysPayPortInfo:
        Route(event, &Client::OnRspQrySysPayPortInfo);
        return true;
    case CallbackCode::RspQryPriceReport:
        Route(event, &Client::OnRspQryPriceReport);
        return true;
    case CallbackCode::RspQryBinaryContract:
        Route(event, &Client::OnRspQryBinaryContract, eQryBinaryContract);
        return true;
    case CallbackCode::RspQryBinaryOrder:
        Route(event, &Client::OnRspQryBinaryOrer, eQryBinaryOrder);
        return true;
    case CallbackCode::RspQryMoney:
        Route(event, &Client::OnRspQryMoney);
        return true;
    default:
        return false;
    }
}

void Client::HandleRspQrySymbolInfo(const TradeQueryRowEvent<sFFixRspQrySymbolInfo>& event)
{
    if(!StoreSymbolRow(m_pDb, m_pHost->GetMarketIds(), m_userId, m_symbolCount, event)) {
        return;
    }
    Ask(CallbackCode::RspQryHoldDetail, &Client::ReqQryHoldDetail);
    Ask(CallbackCode::RspQryPosition, &Client::ReqQryPosition);
    Ask(CallbackCode::RspQryCloseBill, &Client::ReqQryCloseBill);
    Ask(CallbackCode::RspQryLimitOrder, &Client::ReqQryLimitOrder);
    Ask(CallbackCode::RspQryBinaryOrder, &Client::ReqQryBinaryOrer);
    Ask(CallbackCode::RspQryInOutMoney, &Client::ReqQryInOutMoney);
    Ask(CallbackCode::RspQryPayPortInfo, &Client::ReqQryPayPortInfo);
    Ask(CallbackCode::RspQryDeliveryOrder, &Client::ReqQryDeliveryOrder);
    if(!m_pHost->ReadConfigBool("HideStoreOrderPane", false)) {
        Ask(CallbackCode::RspQryUserInventory, &Client::ReqQryUserInventory);
    }
}

void Client::HandleMdRspQrySymbolInfo(const MdQueryRowEvent<sFFixRspQrySymbolInfo>& event)
{
    if(StoreSymbolRow(m_pDb, m_pHost->GetMarketIds(), m_userId, m_symbolCount, event)) {
        ReqSubscribeSymbolList();
    }
}

void Client::OnRspQryAccount(const TradeQueryRowEvent<sFFixRspQryAccount>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(event.HasRow()) {
        user_Account record = AccountFromFix(event.GetRow(), m_userId);
        record.bonusPoint = -1.0;
        record.riskRate =
            CalcRiskRate(record.riskKind, record.netValue, record.marginUsed, record.suretyMoney);
        record.refreshSerial = serial;
        m_pDb->m_user_Account_table->Upsert(record);
        UpdateAccountStatus(record);
        RefreshAccountProfit(m_pDb, record.accountKey, m_profitBook.get());
    }
    if(event.IsComplete()) {
        m_pDb->m_user_Account_table->SweepStale(serial);
    }
}

void Client::OnRspQryHoldDetail(const TradeQueryRowEvent<sFFixHoldDetail>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(event.HasRow()) {
        trade_HoldBill record = HoldBillFromFix(event.GetRow(), true);
        record.refreshSerial = serial;
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            InsertOrUpdate(*m_pDb->m_trade_HoldBill_table, record);
            // The book took the bill's share as it was stored.
            AccountProfitAfterBills(record.accountKey);
        }
    }
    if(event.IsComplete()) {
        m_pDb->m_trade_HoldBill_table->SweepStale(serial);
    }
}

void Client::OnRspQryPosition(const TradeQueryRowEvent<sFFixPosition>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(event.HasRow()) {
        trade_Position record = PositionFromFix(event.GetRow());
        record.refreshSerial = serial;
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            m_pDb->m_trade_Position_table->Upsert(record);
        }
    }
    if(event.IsComplete()) {
        m_pDb->m_trade_Position_table->SweepStale(serial);
    }
}

void Client::OnRspQryCloseBill(const TradeQueryRowEvent<sFFixCloseBill>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(event.HasRow()) {
        trade_CloseBill record = CloseBillFromFix(event.GetRow());
        record.refreshSerial = serial;
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            m_pDb->m_trade_CloseBill_table->Upsert(record);
        }
    }
    if(event.IsComplete()) {
        m_pDb->m_trade_CloseBill_table->SweepStale(serial);
    }
}

void Client::OnRspQryLimitOrder(const TradeQueryRowEvent<sFFixLimitOrder>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(event.HasRow()) {
        trade_Limit record = LimitFromFix(event.GetRow());
        record.refreshSerial = serial;
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            InsertOrUpdate(*m_pDb->m_trade_Limit_table, record);
        }
    }
    if(event.IsComplete()) {
        m_pDb->m_trade_Limit_table->SweepStale(serial);
    }
}

void Client::OnRspQryInOutMoney(const TradeQueryRowEvent<sFFixRspInOutMoney>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    auto& table = *m_pDb->m_am_AmountInOut_table;
    if(event.HasRow()) {
        am_AmountInOut record = AmountInOutFromFix(event.GetRow());
        record.refreshSerial = serial;
        const bool wanted = record.inOutType == '1' || record.inOutType == '2';
        if(wanted && symbol_Info::GetAccount(record, m_pDb)) {
            KeepBankUrl(table, record);
            table.Upsert(record);
        }
    }
    if(event.IsComplete()) {
        table.SweepStale(serial);
    }
}

void Client::OnRspQryPayPortInfo(const TradeQueryRowEvent<sFFixPayPortInfo>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(event.HasRow()) {
        user_Payport record = PayportFromFix(event.GetRow());
        record.refreshSerial = serial;
        m_pDb->m_user_Payport_table->Upsert(record);
    }
    if(event.IsComplete()) {
        m_pDb->m_user_Payport_table->SweepStale(serial);
    }
}

void Client::OnRspQrySysPayPortInfo(const TradeQueryRowEvent<sFFixSysPayPortInfo>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(event.HasRow()) {
        sys_PayPort record = SysPayPortFromFix(event.GetRow());
        record.refreshSerial = serial;
        m_pDb->m_sys_PayPort_table->Upsert(record);
    }
    if(event.IsComplete()) {
        m_pDb->m_sys_PayPort_table->SweepStale(serial);
        NotifyComplete(event.GetRequestId());
    }
}

void Client::OnRspQryPriceReport(const TradeQueryRowEvent<sFFixPriceReport>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(event.HasRow()) {
        trade_priceLevel record = PriceLevelFromFix(event.GetRow());
        record.refreshSerial = serial;
        m_pDb->m_trade_priceLevel_table->Upsert(record);
    }
    if(event.IsComplete()) {
        m_pDb->m_trade_priceLevel_table->SweepStale(serial);
        NotifyComplete(event.GetRequestId());
    }
}

void Client::OnRspQryCurrencyExchangeRate(const TradeQueryRowEvent<sFFixCurrencyExchangeRate>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    auto& table = *m_pDb->m_sys_CurrencyExchangeRate_table;
    if(event.HasRow()) {
        sys_CurrencyExchangeRate record = ExchangeRateFromFix(event.GetRow());
        record.refreshSerial = serial;
        const auto found = table.GetExchangeRate(record.fromCurrency, record.toCurrency);
        if(found == table.GetIndexByPrimary().end()) {
            table.Insert(record);
        } else {
            table.Update(found, record);
        }
    }
    if(event.IsComplete()) {
        table.SweepStale(serial);
        AccountProfitAfterRates();
        NotifyComplete(event.GetRequestId());
    }
}

void Client::OnRspQryBinaryContract(const TradeQueryRowEvent<sFFixBinaryContract>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(event.HasRow()) {
        trade_Contract record = ContractFromFix(event.GetRow());
        record.refreshSerial = serial;
        m_pDb->m_trade_Contract_table->Upsert(record);
    }
    if(event.IsComplete()) {
        m_pDb->m_trade_Contract_table->SweepStale(serial);
        NotifyComplete(event.GetRequestId());
    }
}

void Client::OnRspQryBinaryOrer(const TradeQueryRowEvent<sFFixBinaryOrer>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(event.HasRow()) {
        trade_BinaryOrder record = BinaryOrderFromFix(event.GetRow(), event.GetStamp());
        record.refreshSerial = serial;
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            m_pDb->m_trade_BinaryOrder_table->Upsert(record, nullptr);
        }
    }
    if(event.IsComplete()) {
        m_pDb->m_trade_BinaryOrder_table->SweepStale(serial);
        NotifyComplete(event.GetRequestId());
    }
}

void Client::OnRspQryDeliveryOrder(const TradeQueryRowEvent<sFFixDeliveryOrder>& event)
{
    const uint32_t serial = Serial(event.GetRequestId());
    if(event.HasRow()) {
        trade_DeliveryOrder record = DeliveryOrderFromFix(event.GetRow());
        record.refreshSerial = serial;
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            m_pDb->m_trade_DeliveryOrder_table->Upsert(record);
        }
    }
    if(event.IsComplete()) {
        m_pDb->m_trade_DeliveryOrder_table->SweepStale(serial);
        NotifyComplete(event.GetRequestId());
    }
}

void Client::OnRspQryMoney(const TradeQueryRowEvent<sFFixMoney>& event)
{
    if(event.HasRow() &&
       !m_pDb->m_user_Account_table->Modify(
           event.GetRow().accountKey, [&](user_Account& account) { ApplyMoney(account, event.GetRow()); })) {
        return; // an unknown account: no answer yet for the waiting window
    }
    NotifyComplete(event.GetRequestId());
}

void Client::OnRspSubscribeMarketData(const MdSubscribeEvent& event)
{
    m_bMdSubscribed = true;
    const sFFixRspInfo& result = event.GetResult();
    if(result.errorId != 0 && wxLog::IsLevelEnabled(wxLOG_Warning, wxLOG_COMPONENT)) {
        wxLogWarning("%s", ServerMessage(result));
    }
}
