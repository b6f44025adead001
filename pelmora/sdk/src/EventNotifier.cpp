#include "pelmora/EventNotifier.h"

#include <memory>

namespace {
std::unique_ptr<EventNotifier>& Instance()
{
    static std::unique_ptr<EventNotifier> instance;
    return instance;
}
} // namespace

EventNotifier* EventNotifier::Get()
{
    std::unique_ptr<EventNotifier>& instance = Instance();
    if(!instance) {
        instance.reset(new EventNotifier());
    }
    return instance.get();
}

void EventNotifier::Release()
{
    Instance().reset();
}

EventNotifier::EventNotifier() = default;

EventNotifier::~EventNotifier() = default;

bool EventNotifier::SendCommandEvent(int eventType, void* clientData)
{
    wxCommandEvent event(eventType);
    event.SetClientData(clientData);
    return ProcessEvent(event);
}

bool EventNotifier::TryAfter(wxEvent& event)
{
    // The base class would hand an unhandled event to the application object,
    // where a bus id could be taken for one of wx's own event types.
    wxUnusedVar(event);
    return false;
}
