// The application-wide handlers: full screen by key, and the lock screen's.
#include "frame/TessrinPlugin.h"

#include <utility>
#include <wx/app.h>

void TessrinPlugin::ConnectAppHandlers()
{
    if(m_appHandlersConnected || !wxTheApp) {
        return;
    }
    wxTheApp->Bind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, this);
    m_lockScreen.Connect();
    m_appHandlersConnected = true;
}

void TessrinPlugin::DisconnectAppHandlers()
{
    if(!m_appHandlersConnected) {
        return;
    }
    m_lockScreen.Disconnect();
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, this);
    }
    m_appHandlersConnected = false;
}

void TessrinPlugin::SetIdleClock(IdleLockMonitor::Clock clock)
{
    m_lockScreen.SetIdleClock(std::move(clock));
}

void TessrinPlugin::OnLockScreen(wxCommandEvent& event)
{
    m_lockScreen.OnLockScreen(event);
}
