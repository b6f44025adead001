#include "ModalLoops.h"

#include <algorithm>
#include <wx/dialog.h>
#include <wx/log.h>

ModalLoops::ModalLoops()
{
    Register();
}

ModalLoops::~ModalLoops()
{
    Unregister();
}

int ModalLoops::Enter(wxDialog* dialog)
{
    if(m_refusing) {
        return wxID_CANCEL;
    }
    m_open.emplace_back(dialog);
    return wxID_NONE;
}

void ModalLoops::Exit(wxDialog* dialog)
{
    // Dialogs leave in the reverse order of coming, but a stale entry must
    // never stay behind.
    auto it = std::find_if(m_open.rbegin(), m_open.rend(),
                           [dialog](const DialogRef& ref) { return ref == dialog; });
    if(it != m_open.rend()) {
        m_open.erase(std::next(it).base());
    }
    Erase(m_ending, dialog);
    Erase(m_native, dialog);
    DropGone();
}

std::size_t ModalLoops::Count()
{
    DropGone();
    return m_open.size();
}

void ModalLoops::DropGone()
{
    for(std::vector<DialogRef>* list : {&m_open, &m_ending, &m_native}) {
        Erase(*list, nullptr);
    }
}

bool ModalLoops::Holds(const std::vector<DialogRef>& list, const wxDialog* dialog)
{
    return std::any_of(list.begin(), list.end(),
                       [dialog](const DialogRef& ref) { return ref.get() == dialog; });
}

void ModalLoops::Erase(std::vector<DialogRef>& list, const wxDialog* dialog)
{
    list.erase(std::remove_if(list.begin(), list.end(),
                              [dialog](const DialogRef& ref) { return ref.get() == dialog; }),
               list.end());
}

void ModalLoops::EndInnermost()
{
    DropGone();
    if(m_open.empty()) {
        return;
    }
    wxDialog* dialog = m_open.back();
    if(Holds(m_ending, dialog)) {
        return;
    }
    if(dialog->IsModal()) {
        m_ending.emplace_back(dialog);
        dialog->EndModal(wxID_CANCEL);
        return;
    }
    // A native dialog runs the toolkit's own loop, which wx cannot end (or a
    // wx dialog is still being shown and is ended on the next call).
    if(!Holds(m_native, dialog)) {
        m_native.emplace_back(dialog);
    } else if(!m_warned) {
        wxLogWarning("A native dialog is open; the host waits until it is closed.");
        m_warned = true;
    }
}
