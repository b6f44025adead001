#include "layouts/RiskNoticeBoxBase.h"

#include <wx/intl.h>
#include <wx/sizer.h>

RiskNoticeBoxBase::RiskNoticeBoxBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                     const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_textCtrlNotices = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                       wxTE_MULTILINE | wxTE_READONLY | wxTE_WORDWRAP);
    m_buttonClose = new wxButton(this, wxID_ANY, _("Close"));
    sizer->Add(m_textCtrlNotices, 1, wxALL | wxEXPAND, 8);
    sizer->Add(m_buttonClose, 0, wxBOTTOM | wxALIGN_CENTER_HORIZONTAL, 8);
    SetSizer(sizer);
    Layout();
    CentreOnParent(wxBOTH);
    Bind(wxEVT_CLOSE_WINDOW, &RiskNoticeBoxBase::OnClose, this);
    m_buttonClose->Bind(wxEVT_BUTTON, &RiskNoticeBoxBase::OnCloseButton, this);
}

RiskNoticeBoxBase::~RiskNoticeBoxBase()
{
    Unbind(wxEVT_CLOSE_WINDOW, &RiskNoticeBoxBase::OnClose, this);
    m_buttonClose->Unbind(wxEVT_BUTTON, &RiskNoticeBoxBase::OnCloseButton, this);
}
