#include "SalesReportService.h"

#include "ReportService.h"

#include <cstdio>

namespace simmarket {

namespace {

using Json = nlohmann::ordered_json;

std::string Money(double value)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

double Number(const Json& row, const char* name)
{
    const auto it = row.find(name);
    return it != row.end() && it->is_number() ? it->get<double>() : 0.0;
}

std::string Text(const Json& row, const char* name)
{
    const auto it = row.find(name);
    return it != row.end() && it->is_string() ? it->get<std::string>() : std::string();
}

std::string Figure(const char* label, const char* id, int key, const std::string& value)
{
    return std::string("<tr><th>") + label + "</th><td id=\"" + id + "-" + std::to_string(key) + "\">" +
           value + "</td></tr>\n";
}

constexpr const char* kHead =
    "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Sales report</title>"
    "</head><body>\n";

} // namespace

SalesReportService::SalesReportService(const MarketState& state,
                                       const std::map<std::string, SimBinaryOrder>& binaryOrders)
    : m_state(state), m_binaryOrders(binaryOrders)
{}

std::vector<SalesReportService::Figures> SalesReportService::Accounts(const ReportQuery& query) const
{
    std::vector<Figures> figures;
    if(!query.ok)
        return figures;
    const auto user = m_state.users.find(query.userId);
    if(user == m_state.users.end())
        return figures;
    std::map<int, std::size_t> byKey;
    for(const int key : user->second.accountKeys) {
        const auto account = m_state.accounts.find(key);
        if(account == m_state.accounts.end() || (query.accountKey && *query.accountKey != key) ||
           (query.tradeMarketId && *query.tradeMarketId != account->second.marketId))
            continue;
        Figures f;
        f.accountKey = key;
        f.marketId = account->second.marketId;
        f.marketName = account->second.marketName;
        byKey[key] = figures.size();
        figures.push_back(f);
    }

    // The history reports' own rows, so the page and the reports agree; the
    // money report is asked for every type and filtered here.
    ReportQuery rows = query;
    rows.amTypes.reset();
    const ReportService reports(m_state, m_binaryOrders);
    for(const ReportService::Row& row : reports.Rows("closebill", rows)) {
        const auto at = byKey.find(row.accountKey);
        if(at == byKey.end())
            continue;
        Figures& f = figures[at->second];
        ++f.bills;
        f.profit += Number(row.json, "profitClose");
        f.charge += Number(row.json, "chargeOpen") + Number(row.json, "chargeClose");
    }
    for(const ReportService::Row& row : reports.Rows("inoutmoney", rows)) {
        const auto at = byKey.find(row.accountKey);
        if(at == byKey.end() || Text(row.json, "status") != "3")
            continue;
        Figures& f = figures[at->second];
        const std::string type = Text(row.json, "amType");
        if(type == "1")
            f.deposit += Number(row.json, "amChange");
        else if(type == "2")
            f.withdraw += Number(row.json, "amChange");
    }
    return figures;
}

std::string SalesReportService::Page(const ReportQuery& query) const
{
    std::string page = kHead;
    page += "<h1>Sales report</h1>\n";
    for(const Figures& f : Accounts(query)) {
        const std::string key = std::to_string(f.accountKey);
        page += "<section id=\"account-" + key + "\">\n<h2>" + EscapeHtml(f.marketName) + " " + key +
                "</h2>\n<table>\n";
        page += Figure("Closed bills", "bills", f.accountKey, std::to_string(f.bills));
        page += Figure("Close profit", "profit", f.accountKey, Money(f.profit));
        page += Figure("Charges", "charge", f.accountKey, Money(f.charge));
        page += Figure("Deposits", "deposit", f.accountKey, Money(f.deposit));
        page += Figure("Withdrawals", "withdraw", f.accountKey, Money(f.withdraw));
        page += "</table>\n</section>\n";
    }
    page += "</body></html>\n";
    return page;
}

std::string SalesReportService::BadRequestPage()
{
    return std::string(kHead) +
           "<p id=\"error\">bizData is missing or not a JSON object</p>\n</body></html>\n";
}

std::string SalesReportService::EscapeHtml(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for(const char c : text) {
        switch(c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace simmarket
