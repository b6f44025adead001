#include "ReportService.h"

#include <algorithm>
#include <ctime>

namespace simmarket {

namespace {

using Json = nlohmann::ordered_json;

std::string Char(char code)
{
    return code ? std::string(1, code) : std::string();
}

// The period text the client splits into count and unit ("5M": 'M' is a
// minute, 'm' a month).
std::string PeriodName(int count, char unit)
{
    const char letter = unit == '1' ? 'S' : unit == '2' ? 'M' : unit == '3' ? 'H' : 0;
    return letter ? std::to_string(count) + letter : std::string();
}

int64_t TimeOfField(const std::map<std::string, int64_t>& times, const std::string& field, int64_t otherwise)
{
    const auto it = times.find(field);
    return it == times.end() ? otherwise : it->second;
}

} // namespace

ReportService::ReportService(const MarketState& state,
                             const std::map<std::string, SimBinaryOrder>& binaryOrders)
    : m_state(state), m_binaryOrders(binaryOrders)
{}

const std::vector<std::string>& ReportService::Names()
{
    static const std::vector<std::string> names = {"binaryoptionsorder", "amlog", "inoutmoney", "limitbill",
                                                   "closebill"};
    return names;
}

bool ReportService::IsReport(const std::string& name)
{
    const auto& names = Names();
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string ReportService::TimeText(int64_t ms)
{
    if(ms <= 0)
        return std::string();
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::vector<int> ReportService::Accounts(const ReportQuery& query) const
{
    std::vector<int> keys;
    const auto user = m_state.users.find(query.userId);
    if(user == m_state.users.end())
        return keys;
    for(const int key : user->second.accountKeys) {
        const auto account = m_state.accounts.find(key);
        if(account == m_state.accounts.end())
            continue;
        if(query.accountKey && *query.accountKey != key)
            continue;
        if(query.tradeMarketId && *query.tradeMarketId != account->second.marketId)
            continue;
        keys.push_back(key);
    }
    return keys;
}

std::string ReportService::MarketName(int accountKey) const
{
    const auto account = m_state.accounts.find(accountKey);
    return account == m_state.accounts.end() ? std::string() : account->second.marketName;
}

std::vector<ReportService::Row> ReportService::Rows(const std::string& report, const ReportQuery& query) const
{
    std::vector<Row> rows;
    if(!query.ok)
        return rows;
    if(report == "closebill")
        CloseBills(query, rows);
    else if(report == "limitbill")
        Limits(query, rows);
    else if(report == "amlog")
        CashLog(query, rows);
    else if(report == "inoutmoney")
        MoneyMoves(query, rows);
    else if(report == "binaryoptionsorder")
        BinaryOrders(query, rows);

    const std::vector<int> accounts = Accounts(query);
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&](const Row& row) {
                                  return std::find(accounts.begin(), accounts.end(), row.accountKey) ==
                                             accounts.end() ||
                                         !query.InRange(row.rangeMs);
                              }),
               rows.end());
    // Equal times keep the market's order, newest first when descending.
    std::sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        if(a.sortMs != b.sortMs)
            return query.descending ? a.sortMs > b.sortMs : a.sortMs < b.sortMs;
        return query.descending ? a.order > b.order : a.order < b.order;
    });
    return rows;
}

Json ReportService::Answer(const std::string& report, const ReportQuery& query) const
{
    Json answer = {{"bizRet", "0"}, {"bizMsg", "success"}, {"totalCount", 0}, {"data", Json::array()}};
    if(!query.ok || !IsReport(report)) {
        answer["bizRet"] = "-1";
        answer["bizMsg"] = query.ok ? "unknown report" : "bizData is not a JSON object";
        return answer;
    }
    const std::vector<Row> rows = Rows(report, query);
    answer["totalCount"] = rows.size();
    const std::size_t start = static_cast<std::size_t>(query.start);
    for(std::size_t i = start; i < rows.size() && i < start + static_cast<std::size_t>(query.limit); ++i)
        answer["data"].push_back(rows[i].json);
    return answer;
}

void ReportService::CloseBills(const ReportQuery& query, std::vector<Row>& rows) const
{
    std::size_t order = 0;
    for(const SimCloseBill& c : m_state.closeBills) {
        Row row;
        row.accountKey = c.accountKey;
        row.rangeMs = c.closeTimeMs;
        row.sortMs = TimeOfField({{"openDate", c.openTimeMs}, {"closeDate", c.closeTimeMs}}, query.sortField,
                                 c.openTimeMs);
        row.order = order++;
        row.json = {{"accId", std::to_string(c.accountKey)},
                    {"symbolId", std::to_string(c.symbolId)},
                    {"bsCode", Char(c.side)},
                    {"chargeClose", c.chargeClose},
                    {"chargeOpen", c.chargeOpen},
                    {"closeDate", TimeText(c.closeTimeMs)},
                    {"closeType", Char(c.closeType)},
                    {"orderCode", c.code},
                    {"orderCodeRe", c.codeRe},
                    {"priceClose", c.closePrice},
                    {"priceHold", c.holdPrice},
                    {"profitClose", c.profit},
                    {"quantityClose", c.quantity},
                    {"openDate", TimeText(c.openTimeMs)}};
        rows.push_back(std::move(row));
    }
}

void ReportService::Limits(const ReportQuery& query, std::vector<Row>& rows) const
{
    std::size_t order = 0;
    for(const SimLimit& l : m_state.finishedLimits) {
        Row row;
        row.accountKey = l.accountKey;
        row.rangeMs = l.finishTimeMs;
        row.sortMs = TimeOfField({{"openDate", l.openTimeMs}}, query.sortField, l.openTimeMs);
        row.order = order++;
        row.json = {{"accId", std::to_string(l.accountKey)},
                    {"symbolId", std::to_string(l.symbolId)},
                    {"orderCode", l.code},
                    {"limitType", Char(l.limitType)},
                    {"marginFreezed", l.frozen},
                    {"bsCode", Char(l.side)},
                    {"quantityOrder", l.quantity},
                    {"quantityComplete", l.quantityComplete},
                    {"orderPrice", l.price},
                    {"stopLose", l.stopLoss},
                    {"takeProfit", l.takeProfit},
                    {"openDate", TimeText(l.openTimeMs)},
                    {"validDateType", Char(l.validDateType)}};
        rows.push_back(std::move(row));
    }
}

void ReportService::CashLog(const ReportQuery& query, std::vector<Row>& rows) const
{
    std::size_t order = 0;
    for(const SimCashEntry& e : m_state.cashLedger) {
        Row row;
        row.accountKey = e.accountKey;
        row.rangeMs = e.timeMs;
        row.sortMs = TimeOfField({{"changeDate", e.timeMs}}, query.sortField, e.timeMs);
        row.order = order++;
        row.json = {{"SerialId", e.serial},
                    {"amBefore", e.before},
                    {"amAfter", e.after},
                    {"amChange", e.change},
                    {"amType", Char(e.type)},
                    {"changeDate", TimeText(e.timeMs)},
                    {"tradeMarketName", MarketName(e.accountKey)},
                    {"accId", std::to_string(e.accountKey)}};
        rows.push_back(std::move(row));
    }
}

void ReportService::MoneyMoves(const ReportQuery& query, std::vector<Row>& rows) const
{
    for(const auto& [id, m] : m_state.moneyMoves) {
        if(query.amTypes && !query.amTypes->count(Char(m.type)))
            continue;
        Row row;
        row.accountKey = m.accountKey;
        row.rangeMs = m.changeTimeMs;
        row.sortMs = TimeOfField({{"changeDate", m.changeTimeMs}, {"confirmDate", m.confirmTimeMs}},
                                 query.sortField, m.changeTimeMs);
        row.order = static_cast<std::size_t>(id);
        row.json = {{"amId", m.id},
                    {"amChange", m.amount},
                    {"amType", Char(m.type)},
                    {"status", Char(m.approveState)},
                    {"changeDate", TimeText(m.changeTimeMs)},
                    {"confirmDate", TimeText(m.confirmTimeMs)},
                    {"serialId", m.serialCode},
                    {"tradeMarketName", MarketName(m.accountKey)},
                    {"accId", std::to_string(m.accountKey)}};
        rows.push_back(std::move(row));
    }
}

void ReportService::BinaryOrders(const ReportQuery& query, std::vector<Row>& rows) const
{
    std::size_t order = 0;
    for(const auto& [code, o] : m_binaryOrders) {
        Row row;
        row.accountKey = o.accountKey;
        row.rangeMs = o.openMs;
        row.sortMs =
            TimeOfField({{"orderTime", o.openMs}, {"validDate", o.expireMs}}, query.sortField, o.openMs);
        row.order = order++;
        row.json = {{"accId", std::to_string(o.accountKey)},
                    {"symbolId", std::to_string(o.symbolId)},
                    {"bsCode", Char(o.side)},
                    {"periodName", PeriodName(o.periodCount, o.periodUnit)},
                    {"orderPrice", o.openPrice},
                    {"holdPrice", o.openPrice},
                    {"closedQuantity", o.expirePrice},
                    {"orderQuantity", o.amount},
                    {"orderCode", o.code},
                    {"profitClose", o.profit},
                    {"chargeOpen", o.charge},
                    {"chargeClose", 0.0},
                    {"orderTime", TimeText(o.openMs)},
                    {"validDate", TimeText(o.expireMs)},
                    {"lossBackRate", 0.0},
                    {"profitRate", o.profitRate},
                    {"contractId", o.contractNo},
                    {"orderStatus", Char(o.state)},
                    {"tradeMarketName", MarketName(o.accountKey)}};
        rows.push_back(std::move(row));
    }
}

} // namespace simmarket
