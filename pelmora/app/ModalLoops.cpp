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
    m_native.erase(std::remove(m_native.begin(), m_native.end(), dialog), m_native.end());
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
    if(dialog->IsModal()) {
        m_ending.push_back(dialog);
        dialog->EndModal(wxID_CANCEL);
        return;
    }
    // A native dialog runs the toolkit's own loop, which wx cannot end (or a
    // wx dialog is still being shown and is ended on the next call).
    if(std::find(m_native.begin(), m_native.end(), dialog) == m_native.end()) {
        m_native.push_back(dialog);
    } else if(!m_warned) {
        wxLogWarning("A native dialog is open; the host waits until it is closed.");
        m_warned = true;
    }
}
