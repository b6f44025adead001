#pragma once

#include <wx/combobox.h>
#include <wx/hyperlink.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the paging bar below every history page: the first, previous,
// next and last page links around the page field and the page count, the
// page size choice and the message text. The hand-written bar overrides the
// handlers.
class PagingPanelBase : public wxPanel
{
public:
    explicit PagingPanelBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                             const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                             long style = wxTAB_TRAVERSAL);
    ~PagingPanelBase() override;

    wxHyperlinkCtrl* GetFirstLink() { return m_firstLink; }
    wxHyperlinkCtrl* GetPrevLink() { return m_prevLink; }
    wxTextCtrl* GetPageText() { return m_pageText; }
    wxTextCtrl* GetPageCountText() { return m_pageCountText; }
    wxHyperlinkCtrl* GetNextLink() { return m_nextLink; }
    wxHyperlinkCtrl* GetLastLink() { return m_lastLink; }
    wxComboBox* GetPageSizeChoice() { return m_pageSizeChoice; }
    wxStaticText* GetMessageText() { return m_messageText; }

protected:
    virtual void OnFirst(wxHyperlinkEvent& event) { event.Skip(); }
    virtual void OnPrev(wxHyperlinkEvent& event) { event.Skip(); }
    virtual void OnPageText(wxCommandEvent& event) { event.Skip(); }
    virtual void OnNext(wxHyperlinkEvent& event) { event.Skip(); }
    virtual void OnLast(wxHyperlinkEvent& event) { event.Skip(); }

    wxHyperlinkCtrl* m_firstLink;
    wxHyperlinkCtrl* m_prevLink;
    wxTextCtrl* m_pageText;
    wxStaticText* m_slashLabel;
    wxTextCtrl* m_pageCountText;
    wxHyperlinkCtrl* m_nextLink;
    wxHyperlinkCtrl* m_lastLink;
    wxStaticText* m_pageSizeLabel;
    wxComboBox* m_pageSizeChoice;
    wxStaticText* m_messageText;

private:
    wxHyperlinkCtrl* MakeLink(const wxString& label);
};
