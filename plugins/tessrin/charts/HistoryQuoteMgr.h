#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <wx/string.h>

class HistoryQuote;
class RecordStore;
struct symbol_Info;

// The K-line histories of the process, one per server, symbol and period,
// shared by every chart of that symbol and period. Created on first use;
// the plug-in releases it at unload. GUI thread only.
class HistoryQuoteMgr
{
public:
    static HistoryQuoteMgr* Instance();
    // Empties and destroys the manager (histories held nowhere else go with
    // it); the next Instance makes a new one.
    static void Release();

    ~HistoryQuoteMgr();
    HistoryQuoteMgr(const HistoryQuoteMgr&) = delete;
    HistoryQuoteMgr& operator=(const HistoryQuoteMgr&) = delete;

    // The history of the symbol and period on the logged-in server, made on
    // first request from the server's "mdhistory" list. Needs a login: null
    // (after an assertion) without one.
    std::shared_ptr<HistoryQuote> GetHistory(RecordStore* db, const symbol_Info& symbol, int period);
    // Forgets the history when the manager holds the last reference to it.
    // Callers drop their own reference first.
    void ReleaseHistory(const symbol_Info& symbol, int period);

    std::size_t GetHistoryCount() const { return m_histories.size(); }
    // "<server>_<symbol code>_Period<period>"
    static wxString MakeKey(const wxString& serverName, const wxString& symbolCode, int period);

private:
    HistoryQuoteMgr();
    // The key of the symbol and period on the logged-in server; empty without a login.
    static wxString LoginKey(const symbol_Info& symbol, int period);

    std::map<wxString, std::shared_ptr<HistoryQuote>> m_histories;

    static std::unique_ptr<HistoryQuoteMgr> ms_instance;
};
