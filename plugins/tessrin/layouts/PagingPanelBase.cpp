#include "layouts/PagingPanelBase.h"

#include "common/Colours.h"
#include "layouts/BitmapResources.h"

#include <wx/arrstr.h>
#include <wx/intl.h>
#include <wx/sizer.h>

PagingPanelBase::PagingPanelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                 long style)
    : wxPanel(parent, id, pos, size, style)
{
    EnsureBitmapResources();

    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    SetSizer(sizer);
    const int centred = wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL;

    m_firstLink = MakeLink("|<");
    sizer->Add(m_firstLink, 0, centred, 5);
    m_prevLink = MakeLink("<");
    sizer->Add(m_prevLink, 0, centred, 5);

    m_pageText = new wxTextCtrl(this, wxID_ANY, "1", wxDefaultPosition, wxSize(40, -1), wxTE_CENTRE);
    sizer->Add(m_pageText, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, 5);
    m_slashLabel = new wxStaticText(this, wxID_ANY, "/");
    sizer->Add(m_slashLabel, 0, wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, 2);
    m_pageCountText =
        new wxTextCtrl(this, wxID_ANY, "0", wxDefaultPosition, wxSize(40, -1), wxTE_CENTRE | wxTE_READONLY);
    sizer->Add(m_pageCountText, 0, wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);

    m_nextLink = MakeLink(">");
    sizer->Add(m_nextLink, 0, centred, 5);
    m_lastLink = MakeLink(">|");
    sizer->Add(m_lastLink, 0, centred, 5);

    sizer->Add(20, 0, 0, 0, 0);

    m_pageSizeLabel = new wxStaticText(this, wxID_ANY, _("Per Page Count:"));
    sizer->Add(m_pageSizeLabel, 0, centred, 5);
    wxArrayString sizes;
    sizes.Add("10");
    sizes.Add("20");
    sizes.Add("50");
    m_pageSizeChoice =
        new wxComboBox(this, wxID_ANY, "10", wxDefaultPosition, wxDefaultSize, sizes, wxCB_READONLY);
    m_pageSizeChoice->SetValue("10");
    sizer->Add(m_pageSizeChoice, 0, centred, 5);

    sizer->Add(0, 0, 1, 0, 0);

    m_messageText =
        new wxStaticText(this, wxID_ANY, _("No record"), wxDefaultPosition, wxDefaultSize, wxALIGN_RIGHT);
    sizer->Add(m_messageText, 0, centred, 5);

    sizer->SetSizeHints(this);

    m_firstLink->Bind(wxEVT_HYPERLINK, &PagingPanelBase::OnFirst, this);
    m_prevLink->Bind(wxEVT_HYPERLINK, &PagingPanelBase::OnPrev, this);
    m_pageText->Bind(wxEVT_TEXT, &PagingPanelBase::OnPageText, this);
    m_nextLink->Bind(wxEVT_HYPERLINK, &PagingPanelBase::OnNext, this);
    m_lastLink->Bind(wxEVT_HYPERLINK, &PagingPanelBase::OnLast, this);
}

PagingPanelBase::~PagingPanelBase()
{
    m_firstLink->Unbind(wxEVT_HYPERLINK, &PagingPanelBase::OnFirst, this);
    m_prevLink->Unbind(wxEVT_HYPERLINK, &PagingPanelBase::OnPrev, this);
    m_pageText->Unbind(wxEVT_TEXT, &PagingPanelBase::OnPageText, this);
    m_nextLink->Unbind(wxEVT_HYPERLINK, &PagingPanelBase::OnNext, this);
    m_lastLink->Unbind(wxEVT_HYPERLINK, &PagingPanelBase::OnLast, this);
}

wxHyperlinkCtrl* PagingPanelBase::MakeLink(const wxString& label)
{
    auto* link = new wxHyperlinkCtrl(this, wxID_ANY, label, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                     wxHL_DEFAULT_STYLE);
    link->SetNormalColour(Colours::kLinkText);
    link->SetHoverColour(Colours::kLinkText);
    link->SetVisitedColour(Colours::kVisitedLinkText);
    return link;
}
