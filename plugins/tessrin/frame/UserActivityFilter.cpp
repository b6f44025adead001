#include "frame/UserActivityFilter.h"

#include <utility>
#include <wx/event.h>

UserActivityFilter::UserActivityFilter(std::function<void()> onActivity)
    : m_onActivity(std::move(onActivity)), m_installed(false)
{}

UserActivityFilter::~UserActivityFilter()
{
    Remove();
}

void UserActivityFilter::Install()
{
    if(!m_installed) {
        wxEvtHandler::AddFilter(this);
        m_installed = true;
    }
}

void UserActivityFilter::Remove()
{
    if(m_installed) {
        wxEvtHandler::RemoveFilter(this);
        m_installed = false;
    }
}

int UserActivityFilter::FilterEvent(wxEvent& event)
{
    if(m_onActivity && IsActivity(event.GetEventType())) {
        m_onActivity();
    }
    return Event_Skip;
}

bool UserActivityFilter::IsActivity(wxEventType type)
{
    return type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN ||
           type == wxEVT_AUX1_DOWN || type == wxEVT_AUX2_DOWN || type == wxEVT_LEFT_DCLICK ||
           type == wxEVT_RIGHT_DCLICK || type == wxEVT_MIDDLE_DCLICK || type == wxEVT_KEY_DOWN;
}
