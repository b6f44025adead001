#pragma once

#include <wx/event.h>

// Commands of the paging and conditions bars, queued on the bar that raises
// them (id 0) and handled by the history frame. The numbers lie above wx's
// own event types, so the literals are safe on windows.
const wxEventTypeTag<wxCommandEvent> wxEVT_HISTORY_NEXT_PAGE(910000);
const wxEventTypeTag<wxCommandEvent> wxEVT_HISTORY_PREV_PAGE(910001);
const wxEventTypeTag<wxCommandEvent> wxEVT_HISTORY_FIRST_PAGE(910002);
const wxEventTypeTag<wxCommandEvent> wxEVT_HISTORY_LAST_PAGE(910003);
const wxEventTypeTag<wxCommandEvent> wxEVT_HISTORY_QUERY(910005);
const wxEventTypeTag<wxCommandEvent> wxEVT_HISTORY_RESET(910006);
const wxEventTypeTag<wxCommandEvent> wxEVT_HISTORY_CONDITION_CHANGED(910007);

// Queues a command of that type, id 0, on the handler (the raising bar).
inline void QueueHistoryCommand(wxEvtHandler& bar, wxEventType type)
{
    wxCommandEvent event(type, 0);
    bar.AddPendingEvent(event);
}
