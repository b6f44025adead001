#include "history/PluginNoticeSession.h"

#include "common/IClientPlugin.h"
#include "common/ServerInfo.h"
#include "db/RecordStore.h"

const user_Account* PluginNoticeSession::GetLoginUser() const
{
    return g_plugin ? g_plugin->GetLoginUser() : nullptr;
}

wxArrayString PluginNoticeSession::GetNoticeServers() const
{
    const ServerInfo* server = g_plugin ? g_plugin->GetLoginServer() : nullptr;
    return server ? server->noticehistory : wxArrayString();
}

wxDateTime PluginNoticeSession::GetMarketTime() const
{
    const RecordStore* db = g_plugin ? g_plugin->GetDatabase() : nullptr;
    if(db && db->m_server_time_table) {
        const auto& clock = db->m_server_time_table->GetIndexByPrimary();
        if(!clock.empty() && clock.begin()->serverTime.IsValid()) {
            return clock.begin()->serverTime;
        }
    }
    return wxDateTime::Now();
}
