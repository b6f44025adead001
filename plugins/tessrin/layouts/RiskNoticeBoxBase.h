#pragma once

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

// Layout of the risk notice box: the notices in a read-only text that wraps
// its lines, and a Close button. The hand-written box overrides the handlers.
class RiskNoticeBoxBase : public wxDialog
{
public:
    explicit RiskNoticeBoxBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                               const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                               const wxSize& size = wxSize(520, 260),
                               long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~RiskNoticeBoxBase() override;

    wxTextCtrl* GetTextCtrlNotices() { return m_textCtrlNotices; }
    wxButton* GetButtonClose() { return m_buttonClose; }

protected:
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnCloseButton(wxCommandEvent& event) { event.Skip(); }

    wxTextCtrl* m_textCtrlNotices;
    wxButton* m_buttonClose;
};
