#include "BusSend.h"

#include "pelmora/EventNotifier.h"

void CompactBusHandlers()
{
    static const wxEventType kNobodysEvent = wxNewEventType();
    wxCommandEvent event(kNobodysEvent);
    EventNotifier::Get()->ProcessEvent(event);
}
