#include "BusTracer.h"

#include "Tracer.h"
#include "pelmora/EventNotifier.h"
#include "pelmora/HostEvents.h"

#include <wx/arrstr.h>

namespace {
// Events that come from plug-ins or from the host's windows; the host's own
// requests (10000-10002) are traced where they are sent.
const int kSeenTypes[] = {wxEVT_CMD_CONNECTION_STATE,   wxEVT_CMD_PASSWORD_CHANGED, wxEVT_CMD_USER_KICKED,
                          wxEVT_CMD_FULLSCREEN_TOGGLED, wxEVT_CMD_CLIENT_CREATED,   wxEVT_CMD_NOTICE_CLICKED};
} // namespace

BusTracer::BusTracer(Tracer& tracer) : m_tracer(tracer) {}

BusTracer::~BusTracer()
{
    Disconnect();
}

void BusTracer::Connect()
{
    if(m_connected) {
        return;
    }
    for(int type : kSeenTypes) {
        EventNotifier::Get()->Bind(wxEventTypeTag<wxCommandEvent>(type), &BusTracer::OnBusEvent, this);
    }
    m_connected = true;
}

void BusTracer::Disconnect()
{
    if(!m_connected) {
        return;
    }
    for(int type : kSeenTypes) {
        EventNotifier::Get()->Unbind(wxEventTypeTag<wxCommandEvent>(type), &BusTracer::OnBusEvent, this);
    }
    m_connected = false;
}

wxString BusTracer::Payload(int type, const void* clientData)
{
    if(!clientData) {
        return wxString();
    }
    if(type == wxEVT_CMD_QUERY_SERVER_NAMES || type == wxEVT_CMD_LOGIN_REQUEST ||
       type == wxEVT_CMD_CONNECTION_STATE || type == wxEVT_CMD_PASSWORD_CHANGED ||
       type == wxEVT_CMD_REFRESH_VIEWS) {
        wxArrayString texts = *static_cast<const wxArrayString*>(clientData);
        // Passwords never reach the trace file.
        if(type == wxEVT_CMD_LOGIN_REQUEST && texts.size() == 3) {
            texts[2] = "***";
        } else if(type == wxEVT_CMD_PASSWORD_CHANGED) {
            for(wxString& text : texts) {
                text = "***";
            }
        }
        return wxJoin(texts, '|', '\0');
    }
    if(type == wxEVT_CMD_NOTICE_CLICKED) {
        return *static_cast<const wxString*>(clientData);
    }
    return wxString();
}

void BusTracer::OnBusEvent(wxCommandEvent& event)
{
    event.Skip();
    m_tracer.Bus(event.GetEventType(), Payload(event.GetEventType(), event.GetClientData()));
}
