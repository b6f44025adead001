#pragma once

#include <functional>
#include <pelmora/JSONElement.h>
#include <wx/arrstr.h>
#include <wx/datetime.h>
#include <wx/string.h>

class RecordStore;
struct user_Account;

// What the sales report page sends, without windows: the report URL with its
// JSON query, the choices it offers (report servers, markets) and the
// throttle on searches.
class SalesReportQuery
{
public:
    // The local time now; tests set their own.
    using Clock = std::function<wxDateTime()>;

    static const char* const kPath; // "/tolvekquery/report_client/user_report?bizData="

    explicit SalesReportQuery(Clock clock = nullptr);

    // --- choices
    // "salesReportSevr1", "salesReportSevr2", ... one per server, translated.
    static wxArrayString ServerLabels(const wxArrayString& servers);
    // The trade market name of every account, by account key, repeats kept;
    // empty without a store.
    static wxArrayString MarketNames(const RecordStore* store);
    // The first account, by account key, of that trade market name
    // (case-sensitive); null when none.
    static const user_Account* FindMarketAccount(const RecordStore* store, const wxString& marketName);
    // The account of the lowest key: its user is the one asked about. Null
    // when the table is empty.
    static const user_Account* FirstAccount(const RecordStore* store);

    // --- the query
    // The date of the end picker, at 23:59:59 local time.
    static wxDateTime EndOfDay(const wxDateTime& date);
    // "userId"; "accId" and "tradeMarketId" when a market is chosen
    // (account not null); then "parames" with "isHistory" and the
    // "tradingday" range of start and end.
    static JSONElement BuildRoot(int userId, const user_Account* account, const wxDateTime& start,
                                 const wxDateTime& end);

    // --- the URL
    // Where the path goes: "http:" and the entry from its first "/" (so
    // "http://h:p" gives "http://h:p/", two slashes then standing before the
    // path), or "http://" and an entry without "/" taken as host and port.
    // Empty for an empty entry: there is no report server to ask.
    static wxString BaseOf(const wxString& server);
    // base + path + the escaped JSON; empty when there is no server.
    static wxString BuildUrl(const wxString& server, const wxString& path, const JSONElement& root);
    // The URL as handed to the web view: parsed and rebuilt by wxURI, which
    // leaves the escapes of BuildUrl as they are.
    static wxString ForLoad(const wxString& url);

    // --- throttle
    // A search within 2 seconds of the previous one, in the same minute of
    // the same day, is too frequent. Every call, refused or not, becomes the
    // previous search.
    bool IsSearchTooFrequent();

private:
    Clock m_clock;
    wxDateTime m_lastSearch; // invalid before the first search
};
