#include "orders/OrderRules.h"

#include "db/CodeTexts.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <wx/intl.h>

namespace {

// Prices come out of sums of points: a bound computed as 9.98 - 0.05 must
// accept the 9.93 typed into the spin. Far below any price point.
bool AtMost(double value, double limit)
{
    return value <= limit + 1e-12 + std::fabs(limit) * 1e-14;
}

bool AtLeast(double value, double limit)
{
    return value >= limit - 1e-12 - std::fabs(limit) * 1e-14;
}

// The largest quantity the quantity spin takes.
constexpr double kMaxSpinQuantity = 10000000.0;

const trade_HoldBill* FindHoldBill(RecordStore& store, const wxString& orderCode)
{
    const auto hold = store.m_trade_HoldBill_table->Find(orderCode);
    return hold != store.m_trade_HoldBill_table->GetIndexByPrimary().end() ? &*hold : nullptr;
}

int TruncatedQuantity(double quantity)
{
    if(!(quantity > 0.0)) {
        return 0;
    }
    return static_cast<int>(std::min(quantity, kMaxSpinQuantity));
}

} // namespace

OrderRules::CheckResult OrderRules::Check()
{
    RecordStore* store = m_ticket.m_pDb;
    if(!store || !store->m_symbol_Info_table) {
        m_ticket.m_pSymbolInfo = nullptr;
        return eSymbolInvalid;
    }
    const auto& symbols = store->m_symbol_Info_table->GetIndexByPrimary();
    const auto symbol = symbols.find(m_ticket.m_symbolId);
    m_ticket.m_pSymbolInfo = symbol != symbols.end() ? &*symbol : nullptr;
    if(!m_ticket.m_pSymbolInfo || !m_ticket.m_pSymbolInfo->GetSymbolProperty(store) ||
       !m_ticket.m_pSymbolInfo->cachedSymbolProperty->GetSymbolPrice(store)) {
        return eSymbolInvalid;
    }
    if(!m_ticket.m_pSymbolInfo->GetAccount(store)) {
        return eAccountInvalid;
    }
    switch(Kind().record) {
    case OrderKindTraits::eHoldBill:
        // A delivery dialog reads its bill as much as a close dialog does.
        m_ticket.m_pHoldBill = FindHoldBill(*store, m_ticket.m_orderCodeRe);
        break;
    case OrderKindTraits::ePosition: {
        const auto& positions = store->m_trade_Position_table->GetIndexByPrimary();
        const auto position = positions.find(m_ticket.m_symbolId);
        m_ticket.m_pPosition = position != positions.end() ? &*position : nullptr;
        return m_ticket.m_pPosition ? eCheckPassed : eOrderInvalid;
    }
    case OrderKindTraits::eBillOrLimit:
        if(!IsLimit()) {
            m_ticket.m_pHoldBill = FindHoldBill(*store, m_ticket.m_orderCodeRe);
        } else {
            const auto& limits = store->m_trade_Limit_table->GetIndexByPrimary();
            const auto limit = limits.find(m_ticket.m_orderCodeRe);
            m_ticket.m_pLimitOrder = limit != limits.end() ? &*limit : nullptr;
            return m_ticket.m_pLimitOrder ? eCheckPassed : eOrderInvalid;
        }
        break;
    case OrderKindTraits::eNoRecord:
        return eCheckPassed;
    }
    return m_ticket.m_pHoldBill ? eCheckPassed : eOrderInvalid;
}

const char* OrderRules::CheckMessage(CheckResult result)
{
    switch(result) {
    case eSymbolInvalid:
        return wxTRANSLATE("Symbol Invalid");
    case eOrderInvalid:
        return wxTRANSLATE("Order Invalid");
    case eAccountInvalid:
        return wxTRANSLATE("Account Invalid, Maybe Disconnected!");
    default:
        return "";
    }
}

bool OrderRules::CheckForcesLine(CheckResult result) const
{
    // A bill gone under a modify or cancel dialog: said even on a silent refresh.
    return result == eOrderInvalid && !IsLimit() && Kind().record == OrderKindTraits::eBillOrLimit;
}

const symbol_Property* OrderRules::GetProperty() const
{
    const symbol_Info* symbol = m_ticket.m_pSymbolInfo;
    if(!symbol || !symbol->GetSymbolProperty(m_ticket.m_pDb)) {
        return nullptr;
    }
    return symbol->cachedSymbolProperty.Get();
}

const symbol_price* OrderRules::GetPrice() const
{
    const symbol_Property* property = GetProperty();
    if(!property || !property->GetSymbolPrice(m_ticket.m_pDb)) {
        return nullptr;
    }
    return property->cachedSymbolPrice.Get();
}

bool OrderRules::IsQuoteLive() const
{
    const symbol_price* price = GetPrice();
    return price && price->live;
}

bool OrderRules::GetQuotes(double& sellQuote, double& buyQuote) const
{
    sellQuote = 0.0;
    buyQuote = 0.0;
    return m_ticket.m_pSymbolInfo &&
           CalcStopProfitBounds(m_ticket.m_pDb, *m_ticket.m_pSymbolInfo, sellQuote, buyQuote);
}

double OrderRules::SideQuote() const
{
    double sellQuote = 0.0;
    double buyQuote = 0.0;
    GetQuotes(sellQuote, buyQuote);
    return IsBuy() ? buyQuote : sellQuote;
}

int OrderRules::PropertyDecimals() const
{
    const symbol_Property* property = GetProperty();
    return property ? property->digits : 0;
}

int OrderRules::PriceDigits() const
{
    const symbol_price* price = GetPrice();
    return price ? price->digits : 0;
}

double OrderRules::PricePoint() const
{
    return PointsToPrice(1, PriceDigits());
}

double OrderRules::PropertyPoint() const
{
    return PointsToPrice(1, PropertyDecimals());
}

double OrderRules::CurrentPrice() const
{
    const symbol_price* price = GetPrice();
    return price ? price->lastPrice : 0.0;
}

double OrderRules::StopLossBound() const
{
    return m_ticket.m_pSymbolInfo ? BoundAt(m_ticket.m_pSymbolInfo->stopLossPoints, -1.0) : 0.0;
}

double OrderRules::TakeProfitBound() const
{
    return m_ticket.m_pSymbolInfo ? BoundAt(m_ticket.m_pSymbolInfo->takeProfitPoints, 1.0) : 0.0;
}

double OrderRules::BoundAt(double points, double gainSide) const
{
    // A buy's stop loss lies below, its take profit above the price it
    // closes at (the sell quote, or its limit price); a sell mirrors both.
    const double distance = PricePoint() * points;
    const double towardsGain = IsBuy() ? gainSide * distance : -gainSide * distance;
    if(!IsLimit()) {
        if(CurrentPrice() == 0.0) {
            return 0.0;
        }
        double sellQuote = 0.0;
        double buyQuote = 0.0;
        GetQuotes(sellQuote, buyQuote);
        return (IsBuy() ? sellQuote : buyQuote) + towardsGain;
    }
    if(m_ticket.m_limitPrice == 0.0) {
        return 0.0;
    }
    return m_ticket.m_limitPrice + towardsGain;
}

bool OrderRules::IsStopLossValid(double price) const
{
    if(price == 0.0) {
        return true;
    }
    if(price < 0.0) {
        return false;
    }
    const double bound = StopLossBound();
    return IsBuy() ? AtMost(price, bound) : AtLeast(price, bound);
}

bool OrderRules::IsTakeProfitValid(double price) const
{
    if(price == 0.0) {
        return true;
    }
    if(price < 0.0) {
        return false;
    }
    const double bound = TakeProfitBound();
    return IsBuy() ? AtLeast(price, bound) : AtMost(price, bound);
}

const char* OrderRules::CheckStops(double stopLoss, double takeProfit) const
{
    if(!IsTakeProfitValid(takeProfit)) {
        return wxTRANSLATE("Take Profit Price Invalid");
    }
    if(!IsStopLossValid(stopLoss)) {
        return wxTRANSLATE("Stop Loss Price Invalid");
    }
    return nullptr;
}

bool OrderRules::IsStopLossBeyondBound(double price) const
{
    return price != 0.0 && !IsStopLossValid(price);
}

bool OrderRules::IsTakeProfitBeyondBound(double price) const
{
    return price != 0.0 && !IsTakeProfitValid(price);
}

double OrderRules::LimitBoundary(bool upper) const
{
    if(!m_ticket.m_pSymbolInfo) {
        return 0.0;
    }
    const double distance = PricePoint() * m_ticket.m_pSymbolInfo->limitPoints;
    const double quote = SideQuote();
    return upper ? quote + distance : quote - distance;
}

bool OrderRules::IsLimitPriceValid(double price) const
{
    if(!m_ticket.m_pSymbolInfo || price < 0.0) {
        return false;
    }
    if(m_ticket.m_pSymbolInfo->marketType == '2' || price == 0.0) {
        return true;
    }
    const double least = std::fabs(PropertyPoint() * m_ticket.m_pSymbolInfo->limitPoints);
    return AtLeast(std::fabs(price - SideQuote()), least);
}

bool OrderRules::HasLimitDistance() const
{
    return m_ticket.m_pSymbolInfo && m_ticket.m_pSymbolInfo->limitPoints != 0;
}

double OrderRules::OpeningLimitPrice() const
{
    if(!(SideQuote() > 0.0)) {
        return 0.0;
    }
    // Rounded away from the quote, never into the limit distance; divided,
    // not multiplied by the point, so that 993 / 100 is the price 9.93 itself.
    constexpr double kSumNoise = 1e-6;
    const double scale = std::pow(10.0, std::clamp(PropertyDecimals(), 0, 7));
    const double steps = LimitBoundary(!IsBuy()) * scale;
    return (IsBuy() ? std::floor(steps + kSumNoise) : std::ceil(steps - kSumNoise)) / scale;
}

char OrderRules::GetOrderType() const
{
    const symbol_Info* symbol = m_ticket.m_pSymbolInfo;
    if(!symbol) {
        return 0;
    }
    const bool open = Kind().opens;
    if(symbol->marketType == '2') {
        if(IsLimit()) {
            return open ? 'B' : 'D';
        }
        return open ? 'C' : 'E';
    }
    if(!IsLimit()) {
        return open ? '1' : '2';
    }
    if(!open) {
        return 0;
    }
    double sellQuote = 0.0;
    double buyQuote = 0.0;
    GetQuotes(sellQuote, buyQuote);
    const double limit = m_ticket.m_limitPrice;
    if(IsBuy()) {
        return AtMost(limit, buyQuote) ? '3' : '4';
    }
    return AtMost(limit, sellQuote) ? '4' : '3';
}

double OrderRules::OrderPrice() const
{
    if(IsLimit()) {
        return m_ticket.m_limitPrice;
    }
    if(m_ticket.m_pSymbolInfo && m_ticket.m_pSymbolInfo->marketType == '2') {
        return CurrentPrice();
    }
    return SideQuote();
}

double OrderRules::PositionCloseQuantity() const
{
    const trade_Position* position = m_ticket.m_pPosition;
    if(!position) {
        return 0.0;
    }
    return IsBuy() ? position->sellQuantity : position->buyQuantity;
}

int OrderRules::MaxQuantity() const
{
    switch(Kind().record) {
    case OrderKindTraits::eNoRecord:
        if(!m_ticket.m_pSymbolInfo) {
            return 0;
        }
        return TruncatedQuantity(
            CalcMaxOrderQuantity(m_ticket.m_pDb, *m_ticket.m_pSymbolInfo, m_ticket.m_direction,
                                 IsLimit() ? kGivenPrice : kMarketPrice, true, m_ticket.m_limitPrice));
    case OrderKindTraits::ePosition:
        return TruncatedQuantity(PositionCloseQuantity());
    default:
        if(m_ticket.m_pHoldBill) {
            return TruncatedQuantity(m_ticket.m_pHoldBill->quantity);
        }
        if(m_ticket.m_pLimitOrder) {
            return TruncatedQuantity(m_ticket.m_pLimitOrder->quantityOrder);
        }
        return 0;
    }
}

OrderRules::QuantityVerdict OrderRules::CheckQuantity(double quantity) const
{
    if(!(quantity >= 1.0)) {
        return eQuantityNone;
    }
    // The bound the dialog shows ("1~max") is the one kept.
    return quantity > MaxQuantity() ? eQuantityTooLarge : eQuantitySendable;
}

OrderRules::DeliveryAction OrderRules::DeliveryActionOf(const trade_HoldBill& bill)
{
    if(bill.deliveryStatus == '3') {
        return eNoDeliveryAction; // paired: neither applied for again nor withdrawn
    }
    if(bill.deliveryType == '2' || bill.deliveryStatus == '2') {
        return eWithdrawDelivery;
    }
    if(bill.deliveryType == '1' || bill.deliveryType == 0) {
        return eApplyDelivery;
    }
    return eNoDeliveryAction;
}

wxString OrderRules::DeliveryTitle(const trade_HoldBill* bill)
{
    if(!bill) {
        return _("Delivery Order");
    }
    switch(DeliveryActionOf(*bill)) {
    case eApplyDelivery:
        return _("Delivery Order");
    case eWithdrawDelivery:
        return _("UnDelivery Order");
    default:
        // Paired: the application stands and can only be looked at.
        return bill->deliveryStatus == '3' ? _("Delivery Order") : _("Exception Delivery Type");
    }
}

bool OrderRules::DisablesOkWhileWaiting(int kind, int orderType)
{
    switch(OrderKindTraits::Of(kind).ok) {
    case OrderKindTraits::eOkDisabledAtMarket:
        return orderType == eMarketOrder;
    case OrderKindTraits::eOkEnabled:
        return false;
    default:
        return true;
    }
}

OrderControlVisibility OrderRules::Visibility(int kind, int orderType, bool showMultiMargin)
{
    const OrderKindTraits& traits = OrderKindTraits::Of(kind);
    OrderControlVisibility shown;
    shown.orderType = traits.showsOrderType;
    shown.marginType = showMultiMargin;
    shown.limitPart = orderType == eLimitOrder;
    shown.stopProfit = traits.showsStops;
    shown.pointDiff = orderType == eMarketOrder && traits.tradesAtQuote;
    return shown;
}

bool OrderRules::GetTitle(wxString& title) const
{
    const OrderKindTraits& traits = Kind();
    wxString kindTitle = wxGetTranslation(traits.title);
    wxString detail;
    if(traits.request == OrderKindTraits::eHoldBillDelivery) {
        kindTitle = DeliveryTitle(m_ticket.m_pHoldBill);
    }
    if(traits.key == OrderKindTraits::eByOrderCode) {
        detail = wxString::Format("[%s]", m_ticket.m_orderCodeRe);
    } else if(traits.record == OrderKindTraits::ePosition) {
        const symbol_Property* property = GetProperty();
        if(!property) {
            return false;
        }
        detail = wxString::Format("[%s]", property->symbolName);
    }
    const char marketType = m_ticket.m_pSymbolInfo ? m_ticket.m_pSymbolInfo->marketType : 0;
    title = wxString::Format("%s%s:%s", kindTitle, detail, HangTypeText(marketType));
    return true;
}
