#include "history/PluginNoticeSession.h"

#include "frame/TessrinPlugin.h"

const user_Account* PluginNoticeSession::GetLoginUser() const
{
    return g_plugin ? g_plugin->GetLoginUser() : nullptr;
}

wxArrayString PluginNoticeSession::GetNoticeServers() const
{
    const ServerInfo* server = g_plugin ? g_plugin->GetLoginServer() : nullptr;
    return server ? server->noticehistory : wxArrayString();
}
