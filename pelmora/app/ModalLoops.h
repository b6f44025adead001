#ifndef PELMORA_APP_MODALLOOPS_H
#define PELMORA_APP_MODALLOOPS_H

#include <cstddef>
#include <vector>
#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/weakref.h>

// Every modal dialog open in the process, the plug-ins' included, innermost
// last. The host must not close while one of them runs its loop: the
// plug-in's code is still on the stack under it. At exit the host ends them
// one by one from the innermost, and refuses new ones.
class ModalLoops : public wxModalDialogHook
{
public:
    ModalLoops();
    ~ModalLoops() override;
    ModalLoops(const ModalLoops&) = delete;
    ModalLoops& operator=(const ModalLoops&) = delete;

    std::size_t Count();
    // Ends the innermost dialog through EndModal unless it is ending already.
    // Only the innermost loop may be ended: ending an outer one first would
    // leave it running once the inner one returns. Call it again until no
    // dialog is left. A native dialog (the toolkit's own loop, as wxMessageBox
    // on GTK) cannot be ended: it is waited for, which is why the plug-in
    // shows its message boxes as wx dialogs.
    void EndInnermost();
    // From now on a dialog that asks to be shown modally returns wxID_CANCEL
    // at once.
    void RefuseNew() { m_refusing = true; }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

private:
    using DialogRef = wxWeakRef<wxDialog>;
    // Another hook may answer a dialog in place of showing it; this hook then
    // saw it enter but never sees it leave. Weak references let such an
    // entry drop out once the dialog is destroyed.
    void DropGone();
    static bool Holds(const std::vector<DialogRef>& list, const wxDialog* dialog);
    static void Erase(std::vector<DialogRef>& list, const wxDialog* dialog);

    std::vector<DialogRef> m_open;
    std::vector<DialogRef> m_ending;
    std::vector<DialogRef> m_native; // seen open but not modal
    bool m_refusing = false;
    bool m_warned = false;
};

#endif // PELMORA_APP_MODALLOOPS_H
