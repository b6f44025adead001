#ifndef PELMORA_APP_BUSTRACER_H
#define PELMORA_APP_BUSTRACER_H

#include <wx/event.h>

class Tracer;

// Writes a "bus" trace line for every bus event a plug-in sends to the host.
// Events the host sends itself (10000-10002, 10100, 11111) are traced by
// their sender with Payload().
class BusTracer : public wxEvtHandler
{
public:
    explicit BusTracer(Tracer& tracer);
    ~BusTracer() override;

    // Handlers bound last run first: connect after the plug-ins are created so
    // a plug-in handler that does not skip cannot hide an event from the trace.
    void Connect();
    void Disconnect();

    // The event's payload as text: the texts of an array joined by "|" (a
    // login password masked), a notice text, or nothing.
    static wxString Payload(int type, const void* clientData);

private:
    void OnBusEvent(wxCommandEvent& event);

    Tracer& m_tracer;
    bool m_connected = false;
};

#endif // PELMORA_APP_BUSTRACER_H
