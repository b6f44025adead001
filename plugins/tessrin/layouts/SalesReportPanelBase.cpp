#include "layouts/SalesReportPanelBase.h"

#include "layouts/BitmapResources.h"

#include <platform/WebPage.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/webview.h>
#include <wx/wrapsizer.h>

SalesReportPanelBase::SalesReportPanelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                           const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);

    m_topLine = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    mainSizer->Add(m_topLine, 0, wxEXPAND | wxALL, 0);

    // The bar wraps where the page is too narrow for one row; each label
    // stays with its control.
    auto* barSizer = new wxWrapSizer(wxHORIZONTAL, wxREMOVE_LEADING_SPACES);
    mainSizer->Add(barSizer, 0, wxEXPAND | wxALL, 0);
    const int centred = wxALL | wxALIGN_CENTER_VERTICAL;
    auto addPair = [&](wxStaticText* label, wxWindow* control) {
        auto* pair = new wxBoxSizer(wxHORIZONTAL);
        pair->Add(label, 0, centred, 5);
        pair->Add(control, 0, centred, 5);
        barSizer->Add(pair, 0, wxALIGN_CENTER_VERTICAL, 0);
    };

    m_startLabel = new wxStaticText(this, wxID_ANY, _("SalesReportSDate:"));
    m_startDate = new wxDatePickerCtrl(this, wxID_ANY, wxDefaultDateTime, wxDefaultPosition, wxDefaultSize,
                                       wxDP_DROPDOWN, wxDefaultValidator, "datectrl");
    addPair(m_startLabel, m_startDate);

    m_endLabel = new wxStaticText(this, wxID_ANY, _("SalesReportEDate:"));
    m_endDate = new wxDatePickerCtrl(this, wxID_ANY, wxDefaultDateTime, wxDefaultPosition, wxDefaultSize,
                                     wxDP_DROPDOWN, wxDefaultValidator, "datectrl");
    addPair(m_endLabel, m_endDate);

    m_serverLabel = new wxStaticText(this, wxID_ANY, _("SalRepServers:"));
    m_serverChoice = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(200, -1), 0,
                                    nullptr, wxCB_READONLY);
    addPair(m_serverLabel, m_serverChoice);

    m_marketLabel = new wxStaticText(this, wxID_ANY, _("marketName:"));
    m_marketChoice = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(200, -1), 0,
                                    nullptr, wxCB_READONLY);
    addPair(m_marketLabel, m_marketChoice);

    barSizer->Add(20, 0, 0, centred, 5);

    m_searchButton = new wxButton(this, wxID_ANY, _("search"));
    barSizer->Add(m_searchButton, 0, centred, 5);

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
