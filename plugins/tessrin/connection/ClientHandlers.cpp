// The kick-out: the server says the user logged in elsewhere. The other
// answer and push handlers are in ClientQueryHandlers.cpp,
// ClientRequestHandlers.cpp and ClientPushHandlers.cpp.
#include "connection/Client.h"
#include "connection/IConnectionHost.h"

#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <wx/intl.h>

void Client::OnNtfUserId(const TradeNoticeEvent<sFFixUserId>&)
{
    m_mdConnecter.Logout();
    m_tradeConnecter.Logout();
    MarkQuotesStale();
    m_pHost->ShowLoggedOut();
    m_pHost->ShowMessageBox(_("User Kicked"), _("Notify"));
    // The host learns only after the user has read the message.
    wxCommandEvent kicked(wxEVT_CMD_USER_KICKED, 0);
    EventNotifier::Get()->AddPendingEvent(kicked);
}
