#include "orders/MinTradeRules.h"

#include "db/CodeTexts.h"
#include "db/NumberFormat.h"
#include "db/trade_Contract.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <wx/intl.h>
#include <wx/tokenzr.h>

namespace MinTradeRules {

// Hosts under ".invalid" can never resolve: the page cannot reach a real one.
const char kOrderSentinelHost[] = "order.tessrin.invalid";
const char kOrderSentinelUrl[] = "http://order.tessrin.invalid/";
const char kNoticeSentinelUrl[] = "http://notice.tessrin.invalid/";

namespace {

// Splits at `separator`, a "\" escaping the next character (kept as it is).
std::vector<wxString> SplitEscaped(const wxString& text, wxUniChar separator)
{
    std::vector<wxString> parts(1);
    bool escaped = false;
    for(const wxUniChar c : text) {
        if(escaped) {
            parts.back() += c;
            escaped = false;
        } else if(c == '\\') {
            parts.back() += c;
            escaped = true;
        } else if(c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

wxString General(double value)
{
    return wxString::Format("%g", value);
}

bool ParseInteger(const wxString& text, int64_t& value)
{
    long long parsed = 0;
    if(text.empty() || !text.ToLongLong(&parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

// An amount the page's spinner reaches: the minimum and whole steps above
// it (a step of 0 or less allows any amount).
bool IsOnStep(double amount, const trade_Contract& contract)
{
    const double step = contract.amountStep;
    if(!(step > 0.0)) {
        return true;
    }
    const double steps = (amount - contract.minInvestAmount) / step;
    return std::fabs(steps - std::round(steps)) <= 1e-9 * std::max(1.0, std::fabs(steps));
}

} // namespace

std::optional<Query> ParseOrderRequest(const wxString& url)
{
    const std::vector<wxString> parts = SplitEscaped(url, '?');
    if(parts.size() != 2 || !parts[0].Contains(kOrderSentinelHost)) {
        return std::nullopt;
    }
    Query query;
    for(const wxString& piece : wxSplit(parts[1], '&', 0)) {
        const wxArrayString pair = wxSplit(piece, '=', 0);
        if(pair.size() == 2) {
            query.emplace(pair[0], pair[1]); // a repeated key keeps its first value
        }
    }
    return query;
}

std::optional<bool> ParseNoticeAnswer(const wxString& url)
{
    const std::vector<wxString> parts = SplitEscaped(url, '?');
    if(parts.size() != 2 || !parts[0].IsSameAs(kNoticeSentinelUrl, false)) {
        return std::nullopt;
    }
    return !parts[1].IsSameAs("true", false);
}

int64_t DurationMs(int count, char unit)
{
    switch(unit) {
    case '1':
        return int64_t{count} * 1000;
    case '2':
        return int64_t{count} * 60000;
    case '3':
        return int64_t{count} * 3600000;
    default:
        return -1;
    }
}

Period PeriodOfSeconds(int64_t seconds)
{
    if(seconds < 60) {
        return {static_cast<int>(seconds), '1'};
    }
    if(seconds < 3600) {
        return {static_cast<int>(seconds / 60), '2'};
    }
    if(seconds < 86400) {
        return {static_cast<int>(seconds / 3600), '3'};
    }
    return {0, 0};
}

std::vector<const trade_Contract*> SortByDuration(std::vector<const trade_Contract*> contracts)
{
    std::stable_sort(
        contracts.begin(), contracts.end(), [](const trade_Contract* a, const trade_Contract* b) {
            return DurationMs(a->periodCount, a->periodUnit) < DurationMs(b->periodCount, b->periodUnit);
        });
    return contracts;
}

wxString JoinItems(const std::vector<wxString>& items)
{
    wxString joined;
    for(size_t i = 0; i < items.size(); ++i) {
        if(i > 0) {
            joined += ",";
        }
        wxString item = items[i];
        item.Replace(",", "\\,");
        joined += item;
    }
    return joined;
}

std::array<wxString, 7> TimeLists(const std::vector<const trade_Contract*>& sorted)
{
    std::array<std::vector<wxString>, 7> lists;
    for(const trade_Contract* contract : sorted) {
        lists[0].push_back(PeriodUnitText(contract->periodCount, contract->periodUnit));
        lists[1].push_back(wxString::Format(
            "%d", static_cast<int>(DurationMs(contract->periodCount, contract->periodUnit) / 1000)));
        lists[2].push_back(FormatPrice(contract->profitRate * 100.0, 4, true));
        lists[3].push_back(General(contract->minInvestAmount));
        lists[4].push_back(General(contract->maxInvestAmount));
        lists[5].push_back(General(contract->amountStep));
        lists[6].push_back(General(contract->chargeRate));
    }
    if(sorted.empty()) {
        const char* placeholders[] = {"Invalid", "60", "76", "100", "100", "100"};
        for(size_t i = 0; i < 6; ++i) {
            lists[i].push_back(placeholders[i]);
        }
    }
    std::array<wxString, 7> joined;
    for(size_t i = 0; i < joined.size(); ++i) {
        joined[i] = JoinItems(lists[i]);
    }
    return joined;
}

const trade_Contract* FindContract(const std::vector<const trade_Contract*>& symbolContracts, int64_t seconds)
{
    const Period period = PeriodOfSeconds(seconds);
    if(period.count == 0 || period.unit == 0) {
        return nullptr;
    }
    const int64_t ms = seconds * 1000;
    for(const trade_Contract* contract : symbolContracts) {
        if(contract->contractState == '2' && DurationMs(contract->periodCount, contract->periodUnit) == ms) {
            return contract;
        }
    }
    return nullptr;
}

CheckedOrder CheckOrder(const Query& query, bool symbolKnown,
                        const std::vector<const trade_Contract*>& symbolContracts)
{
    auto value = [&](const char* key) {
        const auto found = query.find(key);
        return found == query.end() ? wxString() : found->second;
    };
    CheckedOrder order;
    if(!symbolKnown) {
        order.error = _("Symbol Invalid");
        return order;
    }
    int64_t seconds = 0;
    // Beyond 32 bits the period cannot be one the market knows.
    if(!ParseInteger(value("timelimit"), seconds) || seconds < std::numeric_limits<int32_t>::min() ||
       seconds > std::numeric_limits<int32_t>::max()) {
        order.error = _("Invalid Period Time");
        return order;
    }
    order.contract = FindContract(symbolContracts, seconds);
    if(!order.contract) {
        order.error = _("Invalid Contract");
        return order;
    }
    order.side = value("direction") == "b" ? 'b' : 's';
    double amount = 0.0;
    if(!value("invest").ToCDouble(&amount) || !std::isfinite(amount) ||
       amount < order.contract->minInvestAmount || amount > order.contract->maxInvestAmount ||
       !IsOnStep(amount, *order.contract)) {
        order.error = _("Invalid invest amount");
        return order;
    }
    order.amount = amount;
    return order;
}

sFFixSetOrder BuildRequest(int accountKey, int symbolId, const trade_Contract& contract, char side,
                           double amount, double price, const wxString& biMode)
{
    sFFixSetOrder request;
    std::memset(&request, 0, sizeof(request));
    request.accountKey = accountKey;
    request.side = side;
    request.price = price;
    request.quantity = amount;
    request.orderType = 'F';
    request.pointDiff = 20;
    request.symbolId = symbolId;
    request.contractKey = contract.contractId;
    const wxString mode = biMode.empty() ? wxString("1") : biMode;
    request.binaryMode = static_cast<char>(mode[0].GetValue());
    return request;
}

wxString ErrorText(const wxString& time, const wxString& message, int code)
{
    const wxString codeText = code == -1 ? wxString() : wxString::Format("[%d]", code);
    return wxString::Format("[%s]%s%s", time, message, codeText);
}

} // namespace MinTradeRules
