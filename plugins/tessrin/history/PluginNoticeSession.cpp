#include "history/PluginNoticeSession.h"

#include "frame/TessrinPlugin.h"

const user_Account* PluginNoticeSession::GetLoginUser() const
{
    return g_plugin ? g_plugin->GetLoginUser() : nullptr;
}

wxArrayString PluginNoticeSession::GetNoticeServers() const
{
    if(!g_plugin || !g_plugin->GetClient()) {
        return wxArrayString();
    }
    const ServerInfo* server = g_plugin->GetServerItem().FindServer(g_plugin->GetServerText());
    return server ? server->noticehistory : wxArrayString();
}
