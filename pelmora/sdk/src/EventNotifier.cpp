#include "pelmora/EventNotifier.h"

#include <memory>

namespace {
std::unique_ptr<EventNotifier>& Instance()
{
    static std::unique_ptr<EventNotifier> instance;
    return instance;
}

// The backstop's type while no nested send runs: nobody sends it.
wxEventType UnsentEventType()
{
    static const wxEventType type = wxNewEventType();
    return type;
}

// Gives a variable a value for the length of a scope, also when a handler
// throws.
template <typename T> class ScopedValue
{
public:
    ScopedValue(T& variable, T value) : m_variable(variable), m_saved(variable) { m_variable = value; }
    ~ScopedValue() { m_variable = m_saved; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& m_variable;
    T m_saved;
};
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

EventNotifier::EventNotifier()
{
    // Handlers are tried newest first, and the table keeps its order when wx
    // compacts it, so the first one bound is always tried last.
    Bind(wxEventTypeTag<wxEvent>(UnsentEventType()), &EventNotifier::OnBackstop, this);
    m_backstop = m_dynamicEvents->front();
}

EventNotifier::~EventNotifier() = default;

bool EventNotifier::SendCommandEvent(int eventType, void* clientData)
{
    wxCommandEvent event(eventType);
    event.SetClientData(clientData);
    return ProcessEvent(event);
}

bool EventNotifier::ProcessEvent(wxEvent& event)
{
    // wx 3.2 leaves an unbound handler as an empty slot and compacts the slots
    // when a send ends with nobody taking the event. Compacting inside a nested
    // send moves the handlers under the outer send, which then calls some twice
    // and reads past the end of the table. So a nested send always ends at the
    // backstop, which takes the event, and only the outermost send compacts.
    const ScopedValue<int> depth(m_depth, m_depth + 1);
    if(m_depth == 1) {
        return wxEvtHandler::ProcessEvent(event);
    }
    const ScopedValue<int> backstopType(m_backstop->m_eventType, event.GetEventType());
    const ScopedValue<bool> reached(m_backstopReached, false);
    const bool taken = wxEvtHandler::ProcessEvent(event);
    return taken && !m_backstopReached;
}

bool EventNotifier::TryAfter(wxEvent& event)
{
    // The base class would hand an unhandled event to the application object,
    // where a bus id could be taken for one of wx's own event types.
    wxUnusedVar(event);
    return false;
}

void EventNotifier::OnBackstop(wxEvent& event)
{
    m_backstopReached = true;
    event.Skip(false);
}
