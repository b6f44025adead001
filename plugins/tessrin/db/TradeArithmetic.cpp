#include "db/TradeArithmetic.h"

#include "db/RecordStore.h"

#include <algorithm>
#include <boost/tuple/tuple.hpp>
#include <cmath>
#include <limits>

namespace {

constexpr double kPointValues[kMaxPointDigits + 1] = {1.0,    0.1,     0.01,     0.001,
                                                      0.0001, 0.00001, 0.000001, 0.0000001};

// A given price above this is taken for a typing slip, not a price.
constexpr double kHighestOrderPrice = 10000000.0;

// The records a computation on one symbol needs.
struct SymbolLinks
{
    const user_Account* account = nullptr;
    const symbol_Property* property = nullptr;
    const symbol_price* price = nullptr;
};

bool LinkSymbol(RecordStore* store, const symbol_Info& symbol, SymbolLinks& links)
{
    if(!symbol.GetSymbolProperty(store) || !symbol.GetAccount(store)) {
        return false;
    }
    links.property = symbol.cachedSymbolProperty.Get();
    links.account = symbol.cachedAccount.Get();
    if(!links.property->GetSymbolPrice(store)) {
        return false;
    }
    links.price = links.property->cachedSymbolPrice.Get();
    return true;
}

// The first element of a margin list, read as a decimal number; 0 when empty
// or not a number.
double FirstMarginRate(const wxArrayString& list)
{
    double rate = 0.0;
    if(list.IsEmpty() || !list[0].ToCDouble(&rate)) {
        return 0.0;
    }
    return rate;
}

const sys_CurrencyExchangeRate* FindExchangeRate(RecordStore* store, const wxString& from, const wxString& to)
{
    if(!store || !store->m_sys_CurrencyExchangeRate_table) {
        return nullptr;
    }
    const auto& rates = store->m_sys_CurrencyExchangeRate_table->GetIndexByPrimary();
    const auto found = rates.find(boost::make_tuple(from, to));
    return found != rates.end() ? &*found : nullptr;
}

// The margin of an order before the rounding to cents; 0 where it has no
// meaning. With `sideRate`, the margin rate of the side is reported once the
// symbol's records are found.
double OrderMargin(RecordStore* store, const symbol_Info& symbol, char side, int priceMode, double* sideRate,
                   double quantity, double price)
{
    if(sideRate) {
        *sideRate = 0.0;
    }
    if(!symbol.GetAccount(store) || !symbol.GetSymbolProperty(store)) {
        return 0.0;
    }
    const user_Account& account = *symbol.cachedAccount;
    const symbol_Property& property = *symbol.cachedSymbolProperty;
    const double rate =
        side == 'b' ? FirstMarginRate(symbol.buyMarginList) : FirstMarginRate(symbol.sellMarginList);
    if(sideRate) {
        *sideRate = rate;
    }

    double orderPrice = 0.0;
    if(priceMode == kMarketPrice) {
        double bid = 0.0;
        double ask = 0.0;
        CalcStopProfitBounds(store, symbol, bid, ask);
        orderPrice = side == 'b' ? ask : bid;
    } else if(priceMode == kGivenPrice) {
        if(price > kHighestOrderPrice) {
            return 0.0;
        }
        orderPrice = price;
    }

    const sys_CurrencyExchangeRate* exchange = FindExchangeRate(store, property.currency, account.currency);
    if(!exchange || (side != 'b' && side != 's')) {
        return 0.0;
    }
    switch(symbol.marginType) {
    case '1':
    case '5':
        return quantity * rate * exchange->rate;
    case '2':
    case '4':
        return orderPrice * quantity * property.contractSize * rate * exchange->rate;
    default:
        return 0.0; // no formula is known for other margin types
    }
}

} // namespace

bool IsFigure(double value)
{
    return std::isfinite(value) && std::fabs(value) < kMostFigure;
}

double PointsToPrice(int points, int digits)
{
    // Capped before the sign is dropped: the absolute value of the smallest
    // int is no int, and a negative index would read before the table.
    const int places = digits < 0 ? -std::max(digits, -kMaxPointDigits) : std::min(digits, kMaxPointDigits);
    const double sign = digits < 0 ? -1.0 : 1.0;
    return sign * kPointValues[places] * points;
}

double RoundToCents(double value)
{
    const double cents = value * 100.0;
    // A value too large to count in cents has no cents to round: it stays
    // as it is rather than become infinite.
    return std::isfinite(cents) ? std::round(cents) / 100.0 : value;
}

double CalcProfitPoints(char side, double basePrice, double closePrice, double units, double rate)
{
    const double difference = side == 'b' ? closePrice - basePrice : basePrice - closePrice;
    return RoundToCents(difference * units * rate);
}

bool CalcStopProfitBounds(RecordStore* store, const symbol_Info& symbol, double& bid, double& ask)
{
    bid = 0.0;
    ask = 0.0;
    if(!symbol.GetSymbolProperty(store) || !symbol.cachedSymbolProperty->GetSymbolPrice(store)) {
        return false;
    }
    const symbol_price& quote = *symbol.cachedSymbolProperty->cachedSymbolPrice;
    const double point = PointsToPrice(1, quote.digits);
    bid = quote.lastPrice - point * symbol.bidSpreadPoints;
    ask = quote.lastPrice + point * symbol.askSpreadPoints;
    return true;
}

double CalcHoldProfit(RecordStore* store, const trade_HoldBill& hold, int mode)
{
    HoldProfitTerms terms;
    if(!hold.GetSymbolInfo(store) || !MakeHoldProfitTerms(store, *hold.cachedSymbolInfo, terms)) {
        return 0.0; // no quote yet
    }
    sys_CurrencyExchangeRateFactory* rates = store->m_sys_CurrencyExchangeRate_table.get();
    if(!rates) {
        return 0.0;
    }
    const auto exchange = rates->GetExchangeRate(*terms.fromCurrency, *terms.toCurrency);
    if(exchange == rates->GetIndexByPrimary().end()) {
        return 0.0;
    }
    terms.rate = exchange->rate;
    return HoldProfitFrom(terms, hold, mode);
}

bool MakeHoldProfitTerms(RecordStore* store, const symbol_Info& symbol, HoldProfitTerms& terms)
{
    SymbolLinks links;
    if(!LinkSymbol(store, symbol, links) || links.price->lastPrice == 0.0) {
        return false;
    }
    // A hold closes on the other side of the quote.
    const double last = links.price->lastPrice;
    const bool spreads = symbol.marketType == '1';
    terms.buyClose = spreads ? last - PointsToPrice(symbol.bidSpreadPoints, links.property->digits) : last;
    terms.sellClose = spreads ? last + PointsToPrice(symbol.askSpreadPoints, links.property->digits) : last;
    terms.contractSize = static_cast<double>(links.property->contractSize);
    // The currency of the symbol's account, which is the account the profit
    // is booked to, even where the hold names another.
    terms.fromCurrency = &links.property->currency;
    terms.toCurrency = &links.account->currency;
    return true;
}

double HoldProfitFrom(const HoldProfitTerms& terms, const trade_HoldBill& hold, int mode)
{
    const double closePrice = hold.side == 'b' ? terms.buyClose : terms.sellClose;
    const double basePrice = mode == kProfitFromOpenPrice ? hold.openPrice : hold.holdPrice;
    const double units = terms.contractSize * hold.quantity;
    return CalcProfitPoints(hold.side, basePrice, closePrice, units, terms.rate);
}

double SumHoldProfit(RecordStore* store, const user_Account& account, int mode)
{
    if(!store || !store->m_trade_HoldBill_table) {
        return 0.0;
    }
    const auto range =
        store->m_trade_HoldBill_table->GetIndex<ByAccountKey>().equal_range(account.accountKey);
    double sum = 0.0;
    for(auto it = range.first; it != range.second; ++it) {
        sum += CalcHoldProfit(store, *it, mode);
    }
    return sum;
}

double SumPositionProfit(RecordStore* store, int symbolId)
{
    if(!store || !store->m_trade_HoldBill_table) {
        return 0.0;
    }
    const auto& bySymbol = store->m_trade_HoldBill_table->GetIndex<BySymbolId>();
    const auto range =
        symbolId == -1 ? std::make_pair(bySymbol.begin(), bySymbol.end()) : bySymbol.equal_range(symbolId);
    double sum = 0.0;
    for(auto it = range.first; it != range.second; ++it) {
        sum += CalcHoldProfit(store, *it, kProfitFromHoldPrice);
    }
    return sum;
}

double CalcOrderMargin(RecordStore* store, const symbol_Info& symbol, char side, int priceMode,
                       double* sideRate, double quantity, double price)
{
    return RoundToCents(OrderMargin(store, symbol, side, priceMode, sideRate, quantity, price));
}

bool CalcOrderUnitCost(RecordStore* store, const symbol_Info& symbol, char side, int priceMode, double price,
                       OrderUnitCost& cost)
{
    cost = OrderUnitCost();
    SymbolLinks links;
    if(!LinkSymbol(store, symbol, links)) {
        return false;
    }
    const sys_CurrencyExchangeRate* exchange =
        FindExchangeRate(store, links.property->currency, links.account->currency);
    if(!exchange) {
        return false;
    }
    double bid = 0.0;
    double ask = 0.0;
    CalcStopProfitBounds(store, symbol, bid, ask);
    const double orderPrice = priceMode == kGivenPrice ? price : side == 'b' ? ask : bid;
    const double units = static_cast<double>(links.property->contractSize) * exchange->rate;
    // Unrounded: in cents a small unit would round to nothing.
    cost.margin = OrderMargin(store, symbol, side, priceMode, nullptr, 1.0, price);
    cost.charge = std::max(0.0, orderPrice * units * symbol.chargeRate);
    if(symbol.marketType == '1') {
        cost.spreadLoss = std::max(0.0, (ask - bid) * units);
    }
    return true;
}

bool IsRiskLineReached(char kind, double rate, double line)
{
    if(line == 0.0 || !IsFigure(rate) || !IsFigure(line)) {
        return false;
    }
    switch(kind) {
    case '1':
        return rate >= line;
    case '2':
    case '3':
        return rate <= line;
    default:
        return false;
    }
}

double CalcRiskRateAfterOrder(RecordStore* store, const symbol_Info& symbol, char side, int priceMode,
                              double price, double quantity)
{
    OrderUnitCost cost;
    if(!CalcOrderUnitCost(store, symbol, side, priceMode, price, cost)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const user_Account& account = *symbol.cachedAccount;
    return CalcRiskRate(account.riskKind, account.netValue - (cost.charge + cost.spreadLoss) * quantity,
                        account.marginUsed + cost.margin * quantity, account.suretyMoney);
}

namespace {

// The most units that leave the account's risk rate short of its
// force-close line; infinity where the line or the kind sets no bound.
double QuantityShortOfForceClose(const user_Account& account, const OrderUnitCost& cost)
{
    const double line = account.forceCloseLine;
    const double net = account.netValue;
    const double used = account.marginUsed;
    const double spent = cost.charge + cost.spreadLoss; // what each unit takes from the net value
    double limit = std::numeric_limits<double>::infinity();
    if(line == 0.0 || !IsFigure(line)) {
        return limit;
    }
    switch(account.riskKind) {
    case '1': // (used + m q) / (net - spent q) < line
        if(line > 0.0 && cost.margin + line * spent > 0.0) {
            limit = (line * net - used) / (cost.margin + line * spent);
        }
        break;
    case '2': // (net - spent q) / (used + m q) > line
        if(spent + line * cost.margin > 0.0) {
            limit = (net - line * used) / (spent + line * cost.margin);
        }
        break;
    case '3': { // (net - spent q - surety) / surety > line
        const double surety = std::max(account.suretyMoney, 1.0);
        if(spent > 0.0) {
            limit = (net - surety * (1.0 + line)) / spent;
        }
        break;
    }
    default:
        return limit;
    }
    if(!(limit > 0.0)) {
        return 0.0;
    }
    // Short of the line: a whole number of units that would land on it exactly is one too many.
    const double whole = std::ceil(limit - 1e-9) - 1.0;
    return std::max(whole, 0.0);
}

} // namespace

double CalcMaxOrderQuantity(RecordStore* store, const symbol_Info& symbol, char side, int priceMode,
                            bool checkHoldings, double price)
{
    SymbolLinks links;
    OrderUnitCost cost;
    if(!LinkSymbol(store, symbol, links) || !CalcOrderUnitCost(store, symbol, side, priceMode, price, cost)) {
        return 0.0;
    }
    const user_Account& account = *links.account;
    // The market takes each unit's margin and opening charge from the free money.
    const double available = account.netValue - account.marginUsed - account.marginFreezed;
    const double unitMoney = cost.margin + cost.charge;
    double quantity = available > 0 && cost.margin > 0 ? available / unitMoney : 0.0;
    quantity = std::min(quantity, QuantityShortOfForceClose(account, cost));
    quantity = std::min(quantity, static_cast<double>(links.property->maxOrderQuantity));

    if(checkHoldings && store->m_trade_HoldBill_table) {
        const auto range = store->m_trade_HoldBill_table->GetIndex<BySymbolId>().equal_range(symbol.symbolId);
        double held = 0.0;
        for(auto it = range.first; it != range.second; ++it) {
            held += it->quantity;
        }
        quantity = std::min(quantity, std::max(0.0, links.property->maxHoldQuantity - held));
    }
    return std::max(quantity, 0.0);
}

double CalcRiskRate(char kind, double netValue, double marginUsed, double suretyMoney)
{
    // A rate made from no figure is none, not one of no risk.
    if(!IsFigure(netValue) || !IsFigure(marginUsed) || (kind == '3' && !IsFigure(suretyMoney))) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if(kind == '3') {
        const double surety = std::max(suretyMoney, 1.0);
        return (netValue - surety) / surety;
    }

    double marginOverNet = 0.0;
    double netOverMargin = kMeaninglessRiskRate;
    if(marginUsed > 0) {
        if(netValue <= 0) {
            marginOverNet = kMeaninglessRiskRate;
            netOverMargin = 0.0;
        } else {
            marginOverNet = std::clamp(marginUsed / netValue, 0.0, kMeaninglessRiskRate);
            netOverMargin = std::clamp(netValue / marginUsed, 0.0, kMeaninglessRiskRate);
        }
    }
    switch(kind) {
    case '1':
        return marginOverNet;
    case '2':
        return netOverMargin;
    default:
        return 0.0;
    }
}
