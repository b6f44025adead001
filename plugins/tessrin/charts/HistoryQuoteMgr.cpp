#include "charts/HistoryQuoteMgr.h"

#include "charts/HistoryQuote.h"
#include "common/IClientPlugin.h"
#include "common/ServerInfo.h"
#include "db/symbol_Info.h"

#include <wx/debug.h>

std::unique_ptr<HistoryQuoteMgr> HistoryQuoteMgr::ms_instance;

HistoryQuoteMgr::HistoryQuoteMgr() = default;

HistoryQuoteMgr::~HistoryQuoteMgr() = default;

HistoryQuoteMgr* HistoryQuoteMgr::Instance()
{
    if(!ms_instance) {
        ms_instance.reset(new HistoryQuoteMgr());
    }
    return ms_instance.get();
}

void HistoryQuoteMgr::Release()
{
    if(ms_instance) {
        // A history still held elsewhere must not touch the store that goes next.
        for(auto& entry : ms_instance->m_histories) {
            entry.second->Detach();
        }
        ms_instance->m_histories.clear();
        ms_instance.reset();
    }
}

wxString HistoryQuoteMgr::MakeKey(const wxString& serverName, const wxString& symbolCode, int period)
{
    return wxString::Format("%s_%s_Period%d", serverName, symbolCode, period);
}

wxString HistoryQuoteMgr::LoginKey(const symbol_Info& symbol, int period)
{
    const ServerInfo* pClientServer = g_plugin != nullptr ? g_plugin->GetLoginServer() : nullptr;
    wxASSERT(pClientServer != 0);
    if(pClientServer == nullptr) {
        return wxString();
    }
    return MakeKey(g_plugin->GetServerText(), symbol.symbolCode, period);
}

std::shared_ptr<HistoryQuote> HistoryQuoteMgr::GetHistory(RecordStore* db, const symbol_Info& symbol,
                                                          int period)
{
    const wxString key = LoginKey(symbol, period);
    if(key.empty()) {
        return nullptr;
    }
    auto found = m_histories.find(key);
    if(found != m_histories.end()) {
        return found->second;
    }
    auto history =
        std::make_shared<HistoryQuote>(db, symbol.symbolCode, period, g_plugin->GetLoginServer()->mdhistory);
    m_histories.emplace(key, history);
    return history;
}

void HistoryQuoteMgr::ReleaseHistory(const symbol_Info& symbol, int period)
{
    const wxString key = LoginKey(symbol, period);
    if(key.empty()) {
        return;
    }
    auto found = m_histories.find(key);
    if(found != m_histories.end() && found->second.use_count() == 1) {
        m_histories.erase(found);
    }
}
