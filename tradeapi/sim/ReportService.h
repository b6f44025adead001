#pragma once
// The report service of the history pages: the five report queries
// ("binaryoptionsorder", "amlog", "inoutmoney", "limitbill", "closebill")
// answered from the history the market keeps (closed bills, finished limit
// orders, binary orders, money movements and the cash log, of the scenario's
// days and of what users did since the start).
//
// A query names a user ("userId") and may name one of the user's accounts
// ("accId") or markets ("tradeMarketId"); another user's rows are never
// answered. Rows pass the "tradingday" range by the time of the event that
// ends them (close, finish, change, order), "inoutmoney" rows also the
// "amType" list; they are sorted by the query's sort field, newest first
// unless "ASC", and paged by "pageCtrl". The answer:
//   {"bizRet": "0", "bizMsg": "success", "totalCount": N, "data": [rows]}
// with the rows' members as the client's history pages read them: codes,
// ids and times as texts ("%Y-%m-%d %H:%M:%S", local), amounts, prices and
// quantities as numbers. Runs on the market's I/O thread.
#include "BinaryOptionService.h"
#include "MarketState.h"
#include "ReportQuery.h"

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace simmarket {

class ReportService
{
public:
    struct Row
    {
        int accountKey = 0;
        int64_t rangeMs = 0;   // the time the "tradingday" range is tested on
        int64_t sortMs = 0;    // the time of the query's sort field
        std::size_t order = 0; // position in the market's records, oldest first
        nlohmann::ordered_json json;
    };

    ReportService(const MarketState& state, const std::map<std::string, SimBinaryOrder>& binaryOrders);

    // The five report names.
    static const std::vector<std::string>& Names();
    static bool IsReport(const std::string& name);

    // The answer of one report to a query; a query that is not JSON or an
    // unknown report answers "bizRet" "-1" and no rows.
    nlohmann::ordered_json Answer(const std::string& report, const ReportQuery& query) const;
    // Every row of the report that passes the query's filters, sorted, not paged.
    std::vector<Row> Rows(const std::string& report, const ReportQuery& query) const;

    // Local "%Y-%m-%d %H:%M:%S"; empty for 0.
    static std::string TimeText(int64_t ms);

private:
    // The accounts the query may see: the user's, narrowed by "accId" and
    // "tradeMarketId".
    std::vector<int> Accounts(const ReportQuery& query) const;
    std::string MarketName(int accountKey) const;

    void CloseBills(const ReportQuery& query, std::vector<Row>& rows) const;
    void Limits(const ReportQuery& query, std::vector<Row>& rows) const;
    void CashLog(const ReportQuery& query, std::vector<Row>& rows) const;
    void MoneyMoves(const ReportQuery& query, std::vector<Row>& rows) const;
    void BinaryOrders(const ReportQuery& query, std::vector<Row>& rows) const;

    const MarketState& m_state;
    const std::map<std::string, SimBinaryOrder>& m_binaryOrders;
};

} // namespace simmarket
