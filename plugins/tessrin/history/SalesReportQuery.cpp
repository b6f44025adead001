#include "history/SalesReportQuery.h"

#include "db/RecordStore.h"
#include "history/HistoryQuery.h"

#include <algorithm>
#include <vector>
#include <wx/intl.h>
#include <wx/uri.h>
#include <wx/url.h>

namespace {

// The accounts by key: the table keeps them hashed, and the page lists and
// searches them in a fixed order.
std::vector<const user_Account*> AccountsByKey(const RecordStore* store)
{
    std::vector<const user_Account*> accounts;
    if(!store || !store->m_user_Account_table) {
        return accounts;
    }
    for(const user_Account& account : store->m_user_Account_table->GetIndexByPrimary()) {
        accounts.push_back(&account);
    }
    std::sort(accounts.begin(), accounts.end(),
              [](const user_Account* a, const user_Account* b) { return a->accountKey < b->accountKey; });
    return accounts;
}

} // namespace

const char* const SalesReportQuery::kPath = "/tolvekquery/report_client/user_report?bizData=";

SalesReportQuery::SalesReportQuery(Clock clock) : m_clock(std::move(clock))
{
    if(!m_clock) {
        m_clock = [] { return wxDateTime::Now(); };
    }
}

wxArrayString SalesReportQuery::ServerLabels(const wxArrayString& servers)
{
    wxArrayString labels;
    for(size_t i = 0; i < servers.size(); ++i) {
        labels.Add(wxString::Format(_("salesReportSevr%d"), static_cast<int>(i + 1)));
    }
    return labels;
}

wxArrayString SalesReportQuery::MarketNames(const RecordStore* store)
{
    wxArrayString names;
    for(const user_Account* account : AccountsByKey(store)) {
        names.Add(account->marketName);
    }
    return names;
}

const user_Account* SalesReportQuery::FindMarketAccount(const RecordStore* store, const wxString& marketName)
{
    for(const user_Account* account : AccountsByKey(store)) {
        if(account->marketName == marketName) {
            return account;
        }
    }
    return nullptr;
}

const user_Account* SalesReportQuery::FirstAccount(const RecordStore* store)
{
    const std::vector<const user_Account*> accounts = AccountsByKey(store);
    return accounts.empty() ? nullptr : accounts.front();
}

wxDateTime SalesReportQuery::EndOfDay(const wxDateTime& date)
{
    wxDateTime end = date;
    end.SetHour(23).SetMinute(59).SetSecond(59).SetMillisecond(0);
    return end;
}

JSONElement SalesReportQuery::BuildRoot(int userId, const user_Account* account, const wxDateTime& start,
                                        const wxDateTime& end)
{
    JSONElement root = JSONElement::createObject();
    root.addProperty("userId", wxString::Format("%d", userId));
    if(account) {
        root.addProperty("accId", wxString::Format("%d", account->accountKey));
        root.addProperty("tradeMarketId", wxString::Format("%d", account->marketId));
    }
    JSONElement parames = JSONElement::createArray("parames");
    JSONElement history = JSONElement::createObject();
    history.addProperty("operator", "and");
    history.addProperty("value", "1");
    history.addProperty("key", "isHistory");
    parames.arrayAppend(history);
    JSONElement range = JSONElement::createObject();
    range.addProperty("operator", "and");
    range.addProperty("value", wxString::Format("(\"%s\",\"%s\")", start.Format("%Y-%m-%d %H:%M:%S"),
                                                end.Format("%Y-%m-%d %H:%M:%S")));
    range.addProperty("key", "tradingday");
    parames.arrayAppend(range);
    root.append(parames);
    return root;
}

wxString SalesReportQuery::BaseOf(const wxString& server)
{
    if(server.empty()) {
        return wxString();
    }
    const int slash = server.Find('/');
    return slash == wxNOT_FOUND ? "http://" + server + "/" : "http:" + server.Mid(slash) + "/";
}

wxString SalesReportQuery::BuildUrl(const wxString& server, const wxString& path, const JSONElement& root)
{
    const wxString base = BaseOf(server);
    if(base.empty()) {
        return wxString();
    }
    return base + path + HistoryQuery::EscapeQueryValue(root.format(false));
}

wxString SalesReportQuery::ForLoad(const wxString& url)
{
    const wxURL parsed(url);
    return parsed.BuildURI();
}

bool SalesReportQuery::IsSearchTooFrequent()
{
    const wxDateTime now = m_clock();
    const wxDateTime previous = m_lastSearch;
    m_lastSearch = now;
    if(!previous.IsValid()) {
        return false;
    }
    // A search a day later in the same minute is no repeat.
    return previous.IsSameDate(now) && previous.GetHour() == now.GetHour() &&
           previous.GetMinute() == now.GetMinute() && now.GetSecond() - previous.GetSecond() < 2;
}
