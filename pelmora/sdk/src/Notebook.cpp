#include "pelmora/Notebook.h"

#include <utility>

Notebook::Notebook(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    : wxAuiNotebook(parent, id, pos, size, style), m_paintFilter(this)
{
    PushEventHandler(&m_paintFilter);
    // A paint of a page paints the notebook too: with its own attributes it
    // does not ask the toolkit's style for the defaults each time (its
    // children still take their own).
    SetOwnFont(GetFont());
    SetOwnForegroundColour(GetForegroundColour());
    SetOwnBackgroundColour(GetBackgroundColour());
}

Notebook::~Notebook()
{
    RemoveEventHandler(&m_paintFilter);
}

bool Notebook::AddPage(wxWindow* page, const wxString& label, bool select, const wxBitmap& bitmap)
{
    return InsertPage(GetPageCount(), page, label, select, bitmap);
}

bool Notebook::AddPage(wxWindow* page, const wxString& label, bool select, int imageId)
{
    return InsertPage(GetPageCount(), page, label, select, imageId);
}

bool Notebook::InsertPage(size_t index, wxWindow* page, const wxString& label, bool select,
                          const wxBitmap& bitmap)
{
    if(!page) {
        return false;
    }
    if(!wxAuiNotebook::InsertPage(index, page, label, select, wxBitmapBundle(bitmap))) {
        return false;
    }
    Report(PageAction::Add, label);
    return true;
}

bool Notebook::InsertPage(size_t index, wxWindow* page, const wxString& label, bool select, int imageId)
{
    if(!page) {
        return false;
    }
    if(!wxAuiNotebook::InsertPage(index, page, label, select, imageId)) {
        return false;
    }
    Report(PageAction::Add, label);
    return true;
}

bool Notebook::RemovePage(size_t index, bool notify)
{
    if(index >= GetPageCount()) {
        return false;
    }
    if(notify) {
        wxAuiNotebookEvent closing(wxEVT_AUINOTEBOOK_PAGE_CLOSE, GetId());
        closing.SetSelection(static_cast<int>(index));
        closing.SetEventObject(this);
        GetEventHandler()->ProcessEvent(closing);
        if(!closing.IsAllowed()) {
            return false;
        }
    }
    if(!notify) {
        ++m_quiet;
    }
    const bool removed = RemovePage(index);
    if(!notify) {
        --m_quiet;
    }
    if(!removed) {
        return false;
    }
    if(notify) {
        wxAuiNotebookEvent closed(wxEVT_AUINOTEBOOK_PAGE_CLOSED, GetId());
        closed.SetSelection(static_cast<int>(index));
        closed.SetEventObject(this);
        GetEventHandler()->ProcessEvent(closed);
    }
    return true;
}

bool Notebook::RemovePage(size_t index)
{
    if(index >= GetPageCount()) {
        return false;
    }
    const wxString label = GetPageText(index);
    if(!wxAuiNotebook::RemovePage(index)) {
        return false;
    }
    Report(PageAction::Remove, label);
    return true;
}

bool Notebook::DeletePage(size_t index)
{
    if(index >= GetPageCount()) {
        return false;
    }
    // The toolkit may remove the page through RemovePage() on its way; report
    // the removal once either way.
    const wxString label = GetPageText(index);
    ++m_deleting;
    const bool deleted = wxAuiNotebook::DeletePage(index);
    --m_deleting;
    if(deleted) {
        Report(PageAction::Remove, label);
    }
    return deleted;
}

int Notebook::SetSelection(size_t index, bool notify)
{
    if(index >= GetPageCount()) {
        return wxNOT_FOUND;
    }
    return notify ? wxAuiNotebook::SetSelection(index) : wxAuiNotebook::ChangeSelection(index);
}

int Notebook::SetSelection(size_t index)
{
    return SetSelection(index, true);
}

void Notebook::DisableTopBottomDrag()
{
    SetWindowStyleFlag(GetWindowStyleFlag() & ~wxAUI_NB_TAB_SPLIT);
}

void Notebook::SetPageObserver(PageObserver observer)
{
    m_observer = std::move(observer);
}

bool Notebook::TryBefore(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    if(m_quiet > 0 && (type == wxEVT_AUINOTEBOOK_PAGE_CHANGING || type == wxEVT_AUINOTEBOOK_PAGE_CHANGED)) {
        return true;
    }
    return wxAuiNotebook::TryBefore(event);
}

void Notebook::Report(PageAction action, const wxString& label) const
{
    if(m_deleting > 0 && action == PageAction::Remove) {
        return; // DeletePage reports once it is done
    }
    if(m_observer) {
        m_observer(action, label);
    }
}
