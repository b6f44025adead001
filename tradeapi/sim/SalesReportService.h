#pragma once
// The sales report of the client's sales report page: an HTML page rendered
// from the same kept history as the "closebill" and "inoutmoney" reports
// (ReportService), for the query the page sends in bizData ("userId", the
// optional "accId" and "tradeMarketId", the "tradingday" range, both ends
// included).
//
// One section per account of the user that passes the filters, headed by its
// market name and key, with five figures over the range, each in an element
// whose id names the figure and the account:
//   "bills-<key>"     closed bills
//   "profit-<key>"    their close profit
//   "charge-<key>"    their charges, open and close
//   "deposit-<key>"   deposits that passed
//   "withdraw-<key>"  withdrawals that passed
// An unknown user gets a page without sections. Runs on the market's I/O
// thread.
#include "MarketState.h"
#include "ReportQuery.h"

#include <map>
#include <string>
#include <vector>

namespace simmarket {

struct SimBinaryOrder;

class SalesReportService
{
public:
    struct Figures
    {
        int accountKey = 0;
        int marketId = 0;
        std::string marketName; // UTF-8
        int bills = 0;
        double profit = 0;
        double charge = 0;
        double deposit = 0;
        double withdraw = 0;
    };

    SalesReportService(const MarketState& state, const std::map<std::string, SimBinaryOrder>& binaryOrders);

    // The figures of every account the query passes, in the user's order;
    // none for a query that is not JSON or an unknown user.
    std::vector<Figures> Accounts(const ReportQuery& query) const;
    // The whole page (UTF-8).
    std::string Page(const ReportQuery& query) const;
    // The short page of a query that is not JSON.
    static std::string BadRequestPage();

    // Texts in HTML element content.
    static std::string EscapeHtml(const std::string& text);

private:
    const MarketState& m_state;
    const std::map<std::string, SimBinaryOrder>& m_binaryOrders;
};

} // namespace simmarket
