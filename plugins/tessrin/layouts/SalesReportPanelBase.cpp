#include "layouts/SalesReportPanelBase.h"

#include "layouts/BitmapResources.h"

#include <platform/WebPage.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/webview.h>

SalesReportPanelBase::SalesReportPanelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                           const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);

    m_topLine = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    mainSizer->Add(m_topLine, 0, wxEXPAND | wxALL, 0);

    auto* rowSizer = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(rowSizer, 0, wxEXPAND | wxALL, 0);
    const int centred = wxALL | wxALIGN_CENTER_VERTICAL;

    m_startLabel = new wxStaticText(this, wxID_ANY, _("SalesReportSDate:"));
    rowSizer->Add(m_startLabel, 0, centred, 5);
    m_startDate = new wxDatePickerCtrl(this, wxID_ANY, wxDefaultDateTime, wxDefaultPosition, wxDefaultSize,
                                       wxDP_DROPDOWN, wxDefaultValidator, "datectrl");
    rowSizer->Add(m_startDate, 0, centred, 5);

    m_endLabel = new wxStaticText(this, wxID_ANY, _("SalesReportEDate:"));
    rowSizer->Add(m_endLabel, 0, centred, 5);
    m_endDate = new wxDatePickerCtrl(this, wxID_ANY, wxDefaultDateTime, wxDefaultPosition, wxDefaultSize,
                                     wxDP_DROPDOWN, wxDefaultValidator, "datectrl");
    rowSizer->Add(m_endDate, 0, centred, 5);

    m_serverLabel = new wxStaticText(this, wxID_ANY, _("SalRepServers:"));
    rowSizer->Add(m_serverLabel, 0, centred, 5);
    m_serverChoice = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(200, -1), 0,
                                    nullptr, wxCB_READONLY);
    rowSizer->Add(m_serverChoice, 0, centred, 5);

    m_marketLabel = new wxStaticText(this, wxID_ANY, _("marketName:"));
    rowSizer->Add(m_marketLabel, 0, centred, 5);
    m_marketChoice = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(200, -1), 0,
                                    nullptr, wxCB_READONLY);
    rowSizer->Add(m_marketChoice, 0, centred, 5);

    rowSizer->Add(20, 0, 0, centred, 5);

    m_searchButton = new wxButton(this, wxID_ANY, _("search"));
    rowSizer->Add(m_searchButton, 0, centred, 5);

    m_bottomLine = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    mainSizer->Add(m_bottomLine, 0, wxEXPAND | wxALL, 0);

    // Every web view goes through the platform layer (window.open, schemes).
    m_webPage = WebPage::Create(this);
    if(m_webPage) {
        mainSizer->Add(m_webPage->GetView(), 1, wxEXPAND | wxALL, 1);
    }

    Layout();

    m_searchButton->Bind(wxEVT_BUTTON, &SalesReportPanelBase::OnSearch, this);
}

SalesReportPanelBase::~SalesReportPanelBase()
{
    m_searchButton->Unbind(wxEVT_BUTTON, &SalesReportPanelBase::OnSearch, this);
}

wxWebView* SalesReportPanelBase::GetWebView()
{
    return m_webPage ? m_webPage->GetView() : nullptr;
}
