#pragma once

#include "history/INoticeSession.h"

// The session of the plug-in object (g_plugin); empty while there is none.
class PluginNoticeSession : public INoticeSession
{
public:
    const user_Account* GetLoginUser() const override;
    wxArrayString GetNoticeServers() const override;
    wxDateTime GetMarketTime() const override;
};
