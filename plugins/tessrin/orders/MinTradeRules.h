#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <tradeapi/FFixOrder.h>
#include <vector>
#include <wx/string.h>

struct trade_Contract;

// The window-free rules of the binary-option quick order: the page's
// requests, contract periods, the lists the page shows, the order's checks
// and its request.
namespace MinTradeRules {

// The page asks for an order by opening this address with a query.
extern const char kOrderSentinelHost[];
extern const char kOrderSentinelUrl[];
// The success notice answers on this address followed by "?" and its answer.
extern const char kNoticeSentinelUrl[];

using Query = std::map<wxString, wxString>;

// The query of "<base>?k=v&..." when the base names the order sentinel
// host; none for anything else (no "?", two of them, another host). A
// repeated key keeps its first value; nothing is percent-decoded.
std::optional<Query> ParseOrderRequest(const wxString& url);
// The notice's answer: true (show again) or false (do not), or none when
// the address is not the notice's sentinel followed by "?answer".
std::optional<bool> ParseNoticeAnswer(const wxString& url);

// Milliseconds of count and unit ('1' s, '2' min, '3' h); -1 for another unit.
int64_t DurationMs(int count, char unit);
struct Period
{
    int count;
    char unit; // 0: none, invalid
};
// Seconds as the largest unit below a day; a day or more is no period.
Period PeriodOfSeconds(int64_t seconds);

// Contracts sorted by duration, shortest first, an unknown unit first; ties
// keep their order.
std::vector<const trade_Contract*> SortByDuration(std::vector<const trade_Contract*> contracts);
// The seven lists of the page (periods, seconds, profit rates, minimum and
// maximum amounts, steps, charge rates), each joined with ","; the
// placeholders when there are no contracts.
std::array<wxString, 7> TimeLists(const std::vector<const trade_Contract*>& sorted);
// Items joined with ",", a "," inside an item escaped as "\,".
wxString JoinItems(const std::vector<wxString>& items);

// The first open contract ('2') of that many seconds, or null.
const trade_Contract* FindContract(const std::vector<const trade_Contract*>& symbolContracts,
                                   int64_t seconds);

// What the order's keys give, checked in order: the translated message of
// the first failure, or empty text for a valid order.
struct CheckedOrder
{
    wxString error;
    const trade_Contract* contract = nullptr;
    char side = 's';
    double amount = 0.0;
};
CheckedOrder CheckOrder(const Query& query, bool symbolKnown,
                        const std::vector<const trade_Contract*>& symbolContracts);

// The set-order request of a binary order; zeros everywhere else.
sFFixSetOrder BuildRequest(int accountKey, int symbolId, const trade_Contract& contract, char side,
                           double amount, double price, const wxString& biMode);

// "[hh:mm:ss]message[code]", the code left out for -1.
wxString ErrorText(const wxString& time, const wxString& message, int code);

} // namespace MinTradeRules
