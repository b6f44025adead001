#ifndef PELMORA_EVENTNOTIFIER_H
#define PELMORA_EVENTNOTIFIER_H

#include <wx/event.h>

// The process-wide event bus shared by the host and its plug-ins.
//
// It is a plain event handler, never a window: the bus ids (10000-10006,
// 10100, 11111-11113, 778877) overlap wx's own event types (10001 is
// wxEVT_TIMER, 10004 wxEVT_IDLE), so they must never be sent to or through a
// window. An event nobody handles on the bus stays on the bus: it is not
// handed on to the application object either.
//
// Handlers connect by plain integer type (Connect/Disconnect) or bind with
// the typed tags of HostEvents.h. AddPendingEvent/QueueEvent may be called
// from any thread; queued events are handled on the GUI thread.
//
// A handler may send on the bus while another bus event is being handled,
// and may unbind handlers (its own or others) while doing so.
class EventNotifier : public wxEvtHandler
{
public:
    static EventNotifier* Get();
    // Destroys the bus; the next Get() makes a fresh one. Called by the host
    // at exit, after every plug-in has been unloaded.
    static void Release();

    ~EventNotifier() override;

    // Sends a wxCommandEvent of the type at once, with the pointer as client
    // data. Returns true when a handler processed it.
    bool SendCommandEvent(int eventType, void* clientData);

    bool ProcessEvent(wxEvent& event) override;

private:
    EventNotifier();
    bool TryAfter(wxEvent& event) override;
    void OnBackstop(wxEvent& event);

    // Bound first, so it is the last handler a send reaches; wx owns it.
    wxDynamicEventTableEntry* m_backstop = nullptr;
    int m_depth = 0;
    bool m_backstopReached = false;
};

#endif // PELMORA_EVENTNOTIFIER_H
