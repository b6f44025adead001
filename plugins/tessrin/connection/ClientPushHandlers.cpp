// What the server pushes after orders and around the trading day: fills,
// bills, positions, orders, money, prices, risk notices, money movements,
// binary options and goods. Notices go to the host's output window.
#include "connection/AccountRefresh.h"
#include "connection/Client.h"
#include "connection/HandlerSupport.h"
#include "connection/IConnectionHost.h"
#include "connection/MarketFilter.h"
#include "connection/RequestId.h"
#include "connection/TradeNotices.h"
#include "db/AccountProfitBook.h"
#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/NumberFormat.h"

#include <boost/tuple/tuple.hpp>
#include <wx/intl.h>

using namespace handler_support;

namespace {

// Pushed bills, positions, orders and money movements survive the sweeps of
// queries sent before them.
uint32_t PushSerial()
{
    return static_cast<uint32_t>(g_requestId);
}

template <class Record> bool SymbolPasses(RecordStore* db, const Record& record, const wxArrayInt& markets)
{
    return record.GetSymbolInfo(db) && PassesMarketFilter(markets, record.cachedSymbolInfo->marketId);
}

void Show(IConnectionHost* host, NoticeKind kind, const TradeNotice& notice)
{
    if(host->IsShowNotify(kind)) {
        host->OutputLog(notice.title, notice.text);
    }
}

void KeepBankUrl(const am_AmountInOutFactory& table, am_AmountInOut& record)
{
    const auto found = table.GetIndexByPrimary().find(record.inOutId);
    if(record.bankUrl.empty() && found != table.GetIndexByPrimary().end()) {
        record.bankUrl = found->bankUrl;
    }
}

} // namespace

bool Client::DispatchPush(const wxThreadEvent& event)
{
    switch(CodeOf(event)) {
    case CallbackCode::NtfUserId:
        Route(event, &Client::OnNtfUserId);
        return true;
    case CallbackCode::RspSetOrder:
        Route(event, &Client::OnRspSetOrder);
        return true;
    case CallbackCode::NtfTrade:
        Route(event, &Client::OnNtfTrade);
        return true;
    case CallbackCode::NtfMoneyChanged:
        Route(event, &Client::OnNtfMoneyChanged);
        return true;
    case CallbackCode::NtfPosition:
        Route(event, &Client::OnNtfPosition);
        return true;
    case CallbackCode::NtfHoldDetail:
        Route(event, &Client::OnNtfHoldDetail);
        return true;
    case CallbackCode::NtfCloseBill:
        Route(event, &Client::OnNtfCloseBill);
        return true;
    case CallbackCode::NtfLimitOrder:
        Route(event, &Client::OnNtfLimitOrder);
        return true;
    case CallbackCode::NtfCurrencyExchangeRate:
        Route(event, &Client::OnNtfCurrencyExchangeRate);
        return true;
    case CallbackCode::NtfInOutMoney:
        Route(event, &Client::OnNtfInOutMoney);
        return true;
    case CallbackCode::NtfRiskInfo:
        Route(event, &Client::OnNtfRiskInfo);
        return true;
    case CallbackCode::NtfRiskInfo2:
        Route(event, &Client::OnNtfRiskInfo2);
        return true;
    case CallbackCode::NtfDeliveryOrder:
        Route(event, &Client::OnNtfDeliveryOrder);
        return true;
    case CallbackCode::NtfBankInUrl:
        Route(event, &Client::OnNtfBankInUrl);
        return true;
    case CallbackCode::NtfBinaryContract:
        Route(event, &Client::OnNtfBinaryContract);
        return true;
    case CallbackCode::NtfBinaryOrder:
        Route(event, &Client::OnNtfBinaryOrer);
        return true;
    case CallbackCode::NtfAccount:
        Route(event, &Client::OnNtfAccount);
        return true;
    case CallbackCode::NtfBonusPoint:
        Route(event, &Client::OnNtfBonusPoint);
        return true;
    case CallbackCode::NtfUserInventory:
        Route(event, &Client::OnNtfUserInventory);
        return true;
    default:
        return false;
    }
}

void Client::OnRspSetOrder(const TradeAnswerEvent<sFFixSetOrder>& event)
{
    const sFFixSetOrder& order = event.GetRequest();
    const sFFixRspInfo& result = event.GetResult();
    const wxString text = result.errorId != 0 ? ServerMessage(result) : NarrowText(order.resultText);
    RequestNotify::Get()->NotifyResponse(event.GetRequestId(), result.errorId, text);
    if(result.errorId == 0) {
        return;
    }
    const user_Account* account = FindAccount(m_pDb, order.accountKey);
    const symbol_Info* symbol = FindSymbol(m_pDb, order.symbolId);
    const symbol_Property* property = FindProperty(m_pDb, order.symbolId);
    if(account == nullptr || !account->GetLoginInfo(m_pDb) || symbol == nullptr || property == nullptr ||
       !MessageLogEnabled()) {
        return;
    }
    wxLogMessage(
        _("[%s][%s]Set Order Failed : [%s:%d],Symbol[%s],Quantity[%s],BS[%s],Price[%s],OrderType[%s]"),
        LoginText(m_pDb, *account), account->marketName, text, result.errorId, symbol->symbolCode,
        FormatMoney(order.quantity), DirectionText(order.side), FormatPrice(order.price, property->digits),
        OrderOperTypeText(order.orderType));
}

void Client::OnNtfTrade(const TradeNoticeEvent<sFFixTrade>& event)
{
    const sFFixTrade& trade = event.GetNotice();
    const user_Account* account = FindAccount(m_pDb, trade.accountKey);
    const symbol_Info* symbol = FindSymbol(m_pDb, trade.symbolId);
    const symbol_Property* property = FindProperty(m_pDb, trade.symbolId);
    if(account == nullptr || symbol == nullptr || property == nullptr || !account->GetLoginInfo(m_pDb)) {
        return;
    }
    const wxString orderCode = NarrowText(trade.orderCode);
    if(MessageLogEnabled()) {
        wxLogMessage(_("[%s][%s] Notify Trade : "
                       "OrderCode[%s],Symbol[%s],Quantity[%s],BS[%s],Price[%s],OrderType[%s],TradeTime[%s]"),
                     LoginText(m_pDb, *account), account->marketName, orderCode, symbol->symbolCode,
                     FormatMoney(trade.quantity), DirectionText(trade.side),
                     FormatPrice(trade.price, property->digits), OrderOperTypeText(trade.orderType),
                     FormatTime(ParseCompactTime(NarrowText(trade.tradeTime))));
    }
    if(trade.orderType == '1') {
        Show(m_pHost, eNoticeMarketOpen,
             MarketTradeNotice(orderCode, property->symbolName, trade.side, trade.price, property->digits,
                               trade.quantity));
    }
}

void Client::OnNtfHoldDetail(const TradeNoticeEvent<sFFixHoldDetail>& event)
{
    const sFFixHoldDetail& row = event.GetNotice();
    auto& table = *m_pDb->m_trade_HoldBill_table;
    const wxString orderCode = NarrowText(row.orderCode);
    if(row.quantity == 0.0) {
        const auto found = table.Find(orderCode);
        if(found != table.GetIndexByPrimary().end()) {
            table.Remove(found);
        }
    } else {
        trade_HoldBill record = HoldBillFromFix(row, false);
        record.refreshSerial = PushSerial();
        if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
            const auto found = table.Find(orderCode);
            if(found == table.GetIndexByPrimary().end()) {
                table.Insert(record);
            } else {
                if(record.deliveryType == 0) {
                    record.deliveryType = found->deliveryType;
                }
                table.Update(found, record);
            }
        }
    }
    AccountProfitAfterBills(row.accountKey);
}

void Client::OnNtfPosition(const TradeNoticeEvent<sFFixPosition>& event)
{
    const sFFixPosition& row = event.GetNotice();
    auto& table = *m_pDb->m_trade_Position_table;
    if(row.buyQuantity == 0.0 && row.sellQuantity == 0.0) {
        const auto& bySymbol = table.GetIndex<BySymbolId>();
        const auto found = bySymbol.find(row.symbolId);
        if(found != bySymbol.end()) {
            table.Remove(found);
        }
        return;
    }
    trade_Position record = PositionFromFix(row);
    record.refreshSerial = PushSerial();
    if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
        table.Upsert(record);
    }
}

void Client::OnNtfCloseBill(const TradeNoticeEvent<sFFixCloseBill>& event)
{
    trade_CloseBill record = CloseBillFromFix(event.GetNotice());
    record.refreshSerial = PushSerial();
    if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
        m_pDb->m_trade_CloseBill_table->Upsert(record);
    }
    const symbol_Property* property = FindProperty(m_pDb, record.symbolId);
    if(property != nullptr) {
        Show(m_pHost, eNoticeClosedOrder,
             CloseTradeNotice(record.orderCode, property->symbolName, record.side, record.closePrice,
                              property->digits, record.quantity, record.closeProfit));
    }
}

void Client::OnNtfLimitOrder(const TradeNoticeEvent<sFFixLimitOrder>& event)
{
    const sFFixLimitOrder& row = event.GetNotice();
    auto& table = *m_pDb->m_trade_Limit_table;
    const trade_Limit pushed = LimitFromFix(row);
    const auto found = table.GetIndexByPrimary().find(pushed.orderCode);
    const bool known = found != table.GetIndexByPrimary().end();
    if(IsLimitFinished(row)) {
        if(known) {
            const trade_Limit kept = *found;
            table.Remove(found);
            const symbol_Property* property = FindProperty(m_pDb, kept.symbolId);
            if(property == nullptr) {
                return;
            }
            if(row.quantityOrder == 0.0) {
                Show(m_pHost, eNoticeLimitOrder, LimitCancelNotice(kept.orderCode));
            } else {
                // The pushed row tells what was filled; the stored one, what was before.
                Show(m_pHost, eNoticeLimitOrder,
                     LimitTradeNotice(kept.orderCode, property->symbolName, kept.side, kept.orderPrice,
                                      property->digits, pushed.quantityComplete));
            }
        } else if(row.quantityOrder != 0.0) {
            // A fill of an order never seen open: announced, not stored.
            const symbol_Property* property = FindProperty(m_pDb, pushed.symbolId);
            if(property != nullptr) {
                Show(m_pHost, eNoticeLimitOrder,
                     LimitTradeNotice(pushed.orderCode, property->symbolName, pushed.side, pushed.orderPrice,
                                      property->digits, pushed.quantityComplete));
            }
        }
        return;
    }
    trade_Limit record = pushed;
    record.refreshSerial = PushSerial();
    if(!SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
        return;
    }
    if(known) {
        table.Update(found, record);
    } else {
        table.Insert(record);
    }
    const symbol_Property* property = FindProperty(m_pDb, record.symbolId);
    if(property != nullptr) {
        Show(m_pHost, eNoticeLimitOrder,
             LimitSetNotice(record.orderCode, property->symbolName, record.side, record.orderPrice,
                            property->digits, record.quantityOrder));
    }
}

void Client::OnNtfMoneyChanged(const TradeNoticeEvent<sFFixMoney>& event)
{
    const sFFixMoney& money = event.GetNotice();
    user_Account changed;
    if(!m_pDb->m_user_Account_table->Modify(money.accountKey, [&](user_Account& account) {
           ApplyMoney(account, money);
           account.GetLoginInfo(m_pDb);
           changed = account;
       })) {
        return;
    }
    RefreshAccountProfit(m_pDb, money.accountKey, m_profitBook.get());
    UpdateAccountStatus(changed);
    if(MessageLogEnabled()) {
        wxLogMessage(_("[%s][%s] Notify Money : Remain[%s],Freezed[%s],Used[%s],DailyCharge[%s]"),
                     LoginText(m_pDb, changed), changed.marketName, FormatMoney(money.marginRemain),
                     FormatMoney(money.marginFreezed), FormatMoney(money.marginUsed),
                     FormatMoney(money.dailyCharge));
    }
}

void Client::OnNtfAccount(const TradeNoticeEvent<sFFixAccount>& event)
{
    const sFFixAccount& row = event.GetNotice();
    auto& accounts = *m_pDb->m_user_Account_table;
    const auto found = accounts.GetIndexByPrimary().find(row.accountKey);
    if(found == accounts.GetIndexByPrimary().end()) {
        return;
    }
    user_Account copy = *found;
    copy.accStatus = row.accStatus;
    copy.accountState = row.accountState;
    // A filtered account keeps the new codes without telling anyone.
    accounts.Update(found, copy, PassesMarketFilter(m_pHost->GetMarketIds(), copy.marketId));
}

void Client::OnNtfBonusPoint(const TradeNoticeEvent<sFFixBonusPoint>& event)
{
    const sFFixBonusPoint& row = event.GetNotice();
    m_pDb->m_user_Account_table->Modify(row.accountKey,
                                        [&](user_Account& account) { account.bonusPoint = row.bonusPoint; });
}

void Client::OnNtfMarketData(const MdNoticeEvent<sFFixMarketData>& event)
{
    const sFFixMarketData& tick = event.GetNotice();
    if(!m_pDb->m_symbol_price_table->Modify(tick.symbolId, [&](symbol_price& price) {
           ApplyMarketData(price, tick);
           price.live = true;
           if(price.quoteTime.IsValid()) {
               SyncServerClockFromQuote(price.quoteTime);
           }
       })) {
        return;
    }
    if(!m_profitBook) {
        if(const symbol_Info* symbol = FindSymbol(m_pDb, tick.symbolId)) {
            RefreshAccountProfit(m_pDb, symbol->accountKey);
        }
        return;
    }
    // Only the symbol's bills move; their accounts follow by difference.
    m_changedAccounts.clear();
    m_profitBook->OnPrice(tick.symbolId, m_changedAccounts);
    for(int accountKey : m_changedAccounts) {
        UpdateAccountProfit(m_pDb, accountKey, *m_profitBook);
    }
}

void Client::AccountProfitAfterRates()
{
    if(!m_profitBook) {
        return; // the next tick of each account's symbols sums anew
    }
    std::vector<int> keys;
    for(const user_Account& account : m_pDb->m_user_Account_table->GetIndexByPrimary()) {
        keys.push_back(account.accountKey);
    }
    for(int accountKey : keys) {
        UpdateAccountProfit(m_pDb, accountKey, *m_profitBook);
    }
}

void Client::AccountProfitAfterBills(int accountKey)
{
    if(m_profitBook) {
        UpdateAccountProfit(m_pDb, accountKey, *m_profitBook);
    } else {
        RefreshAccountProfit(m_pDb, accountKey);
    }
}

void Client::OnNtfPriceReport(const MdNoticeEvent<sFFixPriceReport>& event)
{
    m_pDb->m_trade_priceLevel_table->Upsert(PriceLevelFromFix(event.GetNotice()));
}

void Client::OnNtfCurrencyExchangeRate(const TradeNoticeEvent<sFFixCurrencyExchangeRate>& event)
{
    const sys_CurrencyExchangeRate record = ExchangeRateFromFix(event.GetNotice());
    auto& table = *m_pDb->m_sys_CurrencyExchangeRate_table;
    const auto found =
        table.GetIndexByPrimary().find(boost::make_tuple(record.fromCurrency, record.toCurrency));
    if(found == table.GetIndexByPrimary().end()) {
        table.Insert(record);
    } else {
        table.Update(found, record);
    }
    AccountProfitAfterRates();
}

void Client::OnNtfRiskInfo(const TradeNoticeEvent<sFFixRiskInfo>& event)
{
    const sFFixRiskInfo& row = event.GetNotice();
    RefreshAccountProfit(m_pDb, row.accountKey, m_profitBook.get());
    const risk_notice record = RiskNoticeFromFix(row, true);
    if(record.GetAccount(m_pDb) &&
       PassesMarketFilter(m_pHost->GetMarketIds(), record.cachedAccount->marketId)) {
        m_pDb->m_risk_notice_table->Upsert(record);
    }
}

void Client::OnNtfRiskInfo2(const TradeNoticeEvent<sFFixRiskInfo>& event)
{
    const sFFixRiskInfo& row = event.GetNotice();
    RefreshAccountProfit(m_pDb, row.accountKey, m_profitBook.get());
    const risk_notice record = RiskNoticeFromFix(row, false);
    if(record.GetAccount(m_pDb) &&
       PassesMarketFilter(m_pHost->GetMarketIds(), record.cachedAccount->marketId)) {
        m_pDb->m_risk_notice_table->Upsert(record);
    }
}

void Client::OnNtfInOutMoney(const TradeNoticeEvent<sFFixRspInOutMoney>& event)
{
    am_AmountInOut record = AmountInOutFromFix(event.GetNotice());
    if(record.inOutType != '1' && record.inOutType != '2') {
        return;
    }
    record.refreshSerial = PushSerial();
    auto& table = *m_pDb->m_am_AmountInOut_table;
    if(symbol_Info::GetAccount(record, m_pDb)) {
        KeepBankUrl(table, record);
        table.Upsert(record);
    }
    Show(m_pHost, eNoticeInOutMoney, InOutNotice(record.inOutType, record.amount, record.approveState));
}

void Client::OnNtfBankInUrl(const TradeNoticeEvent<sFFixBankInUrl>& event)
{
    const sFFixBankInUrl& push = event.GetNotice();
    const wxString url = Utf8Text(push.url);
    if(url.Contains("qianyue=0") || url.Contains("qianyue=1")) {
        user_AttPay record;
        record.attPayId = push.id;
        record.sysPayPortId = push.sysPayPortId;
        record.bankUrl = url;
        m_pDb->m_user_AttPay_table->Upsert(record);
        return;
    }
    auto& table = *m_pDb->m_am_AmountInOut_table;
    const auto found = table.GetIndexByPrimary().find(push.id);
    if(found == table.GetIndexByPrimary().end()) {
        return;
    }
    am_AmountInOut copy = *found;
    if(!symbol_Info::GetAccount(copy, m_pDb) || copy.accountKey != push.accountKey) {
        return;
    }
    const auto& payports = *m_pDb->m_user_Payport_table;
    if(FindUserPayport(payports, *copy.cachedAccount) == payports.GetIndexByPrimary().end()) {
        return;
    }
    // Kept on the row: the bank page is opened from the stored movement.
    copy.bankUrl = url;
    table.Update(found, copy, static_cast<CTransaction*>(nullptr));
}

void Client::OnNtfDeliveryOrder(const TradeNoticeEvent<sFFixDeliveryOrder>& event)
{
    const trade_DeliveryOrder record = DeliveryOrderFromFix(event.GetNotice());
    if(SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
        m_pDb->m_trade_DeliveryOrder_table->Upsert(record);
    }
}

void Client::OnNtfBinaryContract(const TradeNoticeEvent<sFFixBinaryContract>& event)
{
    const trade_Contract record = ContractFromFix(event.GetNotice());
    auto& table = *m_pDb->m_trade_Contract_table;
    if(record.contractState == '2') {
        table.Upsert(record);
        return;
    }
    const auto found = table.Find(record.contractId, record.symbolId);
    if(found != table.GetIndexByPrimary().end()) {
        table.Remove(found);
    }
}

void Client::OnNtfBinaryOrer(const TradeNoticeEvent<sFFixBinaryOrer>& event)
{
    const trade_BinaryOrder record = BinaryOrderFromFix(event.GetNotice(), event.GetStamp());
    if(!SymbolPasses(m_pDb, record, m_pHost->GetMarketIds())) {
        return;
    }
    m_pDb->m_trade_BinaryOrder_table->Upsert(record, nullptr);
    const symbol_Property* property = FindProperty(m_pDb, record.symbolId);
    if(property != nullptr && record.periodSeconds <= 0) {
        Show(m_pHost, eNoticeBinaryOption,
             MinOrderNotice(record.orderCode, property->symbolName, record.side, record.profit));
    }
}

void Client::OnNtfUserInventory(const TradeNoticeEvent<sFFixUserInventory>& event)
{
    m_pDb->m_UserInventory_table->Upsert(UserInventoryFromFix(event.GetNotice()));
}
