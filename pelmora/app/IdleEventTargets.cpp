#include "IdleEventTargets.h"

#include <wx/combo.h>
#include <wx/event.h>
#include <wx/propgrid/propgrid.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/window.h>

namespace {
// wx's controls that do their work in idle handlers but do not ask for idle
// events: a combo control gives the focus back to its text after its popup,
// a property grid takes the value of an editor the focus left, a rich text
// control lays its text out. (The docking manager's tool bars and floating
// frames ask for them themselves.)
bool NeedsIdleEvents(const wxWindow& window)
{
    return dynamic_cast<const wxComboCtrlBase*>(&window) || dynamic_cast<const wxPropertyGrid*>(&window) ||
           dynamic_cast<const wxRichTextCtrl*>(&window);
}
} // namespace

IdleEventTargets::IdleEventTargets()
{
    wxIdleEvent::SetMode(wxIDLE_PROCESS_SPECIFIED);
    wxEvtHandler::AddFilter(this);
}

IdleEventTargets::~IdleEventTargets()
{
    wxEvtHandler::RemoveFilter(this);
    wxIdleEvent::SetMode(wxIDLE_PROCESS_ALL);
}

int IdleEventTargets::FilterEvent(wxEvent& event)
{
    if(event.GetEventType() == wxEVT_CREATE) {
        wxWindow* window = static_cast<wxWindowCreateEvent&>(event).GetWindow();
        if(window && NeedsIdleEvents(*window)) {
            // The window's own flags only: a property grid's setter takes the
            // whole word for its settings and resets what it holds.
            window->wxWindowBase::SetExtraStyle(window->GetExtraStyle() | wxWS_EX_PROCESS_IDLE);
        }
    }
    return Event_Skip;
}
