#include "ModalLoops.h"

#include <algorithm>
#include <wx/dialog.h>

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
    m_open.push_back(dialog);
    return wxID_NONE;
}

void ModalLoops::Exit(wxDialog* dialog)
{
    // Dialogs leave in the reverse order of coming, but a stale entry must
    // never stay behind.
    auto it = std::find(m_open.rbegin(), m_open.rend(), dialog);
    if(it != m_open.rend()) {
        m_open.erase(std::next(it).base());
    }
    m_ending.erase(std::remove(m_ending.begin(), m_ending.end(), dialog), m_ending.end());
}

void ModalLoops::EndInnermost()
{
    if(m_open.empty()) {
        return;
    }
    wxDialog* dialog = m_open.back();
    if(std::find(m_ending.begin(), m_ending.end(), dialog) != m_ending.end()) {
        return;
    }
    m_ending.push_back(dialog);
    if(dialog->IsModal()) {
        dialog->EndModal(wxID_CANCEL);
    } else {
        dialog->Hide();
    }
}
