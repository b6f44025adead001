#ifndef PELMORA_APP_IDLEEVENTTARGETS_H
#define PELMORA_APP_IDLEEVENTTARGETS_H

#include <wx/eventfilter.h>

// Idle events go only to the windows that ask for them
// (wxWS_EX_PROCESS_IDLE): sent to every window of the terminal, each wake-up
// of an idle program paid for a walk through hundreds of event tables that
// found nothing to do. A window of ours that handles idle events asks for
// them itself, so do the docking manager's tool bars and floating frames;
// wx's other controls that do their work in idle handlers (the combo control
// of a date picker, the property grid, the rich text control) are asked for
// as they are realised. Internal idle work (OnInternalIdle: the data views', the
// toolkit's) runs for every window as before. One object for the host's
// life: it sets the toolkit's mode and takes it back.
class IdleEventTargets : public wxEventFilter
{
public:
    IdleEventTargets();
    ~IdleEventTargets() override;
    IdleEventTargets(const IdleEventTargets&) = delete;
    IdleEventTargets& operator=(const IdleEventTargets&) = delete;

    int FilterEvent(wxEvent& event) override;
};

#endif // PELMORA_APP_IDLEEVENTTARGETS_H
