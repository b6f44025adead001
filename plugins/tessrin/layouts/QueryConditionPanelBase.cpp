#include "layouts/QueryConditionPanelBase.h"

#include "layouts/BitmapResources.h"

#include <wx/intl.h>
#include <wx/sizer.h>

QueryConditionPanelBase::QueryConditionPanelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                 const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);

    m_topLine = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    mainSizer->Add(m_topLine, 0, wxEXPAND | wxALL, 0);

    auto* rowSizer = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(rowSizer, 1, wxEXPAND | wxALL, 0);
    const int centred = wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL;

    m_startLabel = new wxStaticText(this, wxID_ANY, _("Start Time:"));
    rowSizer->Add(m_startLabel, 0, centred, 5);
    m_startDate = new wxDatePickerCtrl(this, wxID_ANY, wxDefaultDateTime, wxDefaultPosition, wxDefaultSize,
                                       wxDP_DROPDOWN, wxDefaultValidator, "datectrl");
    rowSizer->Add(m_startDate, 0, centred, 5);

    m_endLabel = new wxStaticText(this, wxID_ANY, _("End Time:"));
    rowSizer->Add(m_endLabel, 0, centred, 5);
    m_endDate = new wxDatePickerCtrl(this, wxID_ANY, wxDefaultDateTime, wxDefaultPosition, wxDefaultSize,
                                     wxDP_DROPDOWN, wxDefaultValidator, "datectrl");
    rowSizer->Add(m_endDate, 0, centred, 5);

    rowSizer->Add(0, 0, 1, wxALL, 5);

    m_marketLabel = new wxStaticText(this, wxID_ANY, _("marketName:"));
    rowSizer->Add(m_marketLabel, 0, centred, 5);
    m_marketChoice = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(200, -1), 0,
                                    nullptr, wxCB_READONLY);
    rowSizer->Add(m_marketChoice, 0, centred, 5);

    m_queryButton = new wxButton(this, wxID_ANY, _("Query"));
    rowSizer->Add(m_queryButton, 0, centred, 5);
    m_resetButton = new wxButton(this, wxID_ANY, _("Reset"));
    rowSizer->Add(m_resetButton, 0, centred, 5);

    m_bottomLine = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    mainSizer->Add(m_bottomLine, 0, wxEXPAND | wxALL, 0);

    mainSizer->SetSizeHints(this);
    Centre(wxBOTH);

    m_startDate->Bind(wxEVT_DATE_CHANGED, &QueryConditionPanelBase::OnStartDate, this);
    m_endDate->Bind(wxEVT_DATE_CHANGED, &QueryConditionPanelBase::OnEndDate, this);
    m_marketChoice->Bind(wxEVT_COMBOBOX, &QueryConditionPanelBase::OnMarket, this);
    m_queryButton->Bind(wxEVT_BUTTON, &QueryConditionPanelBase::OnQuery, this);
    m_resetButton->Bind(wxEVT_BUTTON, &QueryConditionPanelBase::OnReset, this);
}

QueryConditionPanelBase::~QueryConditionPanelBase()
{
    m_startDate->Unbind(wxEVT_DATE_CHANGED, &QueryConditionPanelBase::OnStartDate, this);
    m_endDate->Unbind(wxEVT_DATE_CHANGED, &QueryConditionPanelBase::OnEndDate, this);
    m_marketChoice->Unbind(wxEVT_COMBOBOX, &QueryConditionPanelBase::OnMarket, this);
    m_queryButton->Unbind(wxEVT_BUTTON, &QueryConditionPanelBase::OnQuery, this);
    m_resetButton->Unbind(wxEVT_BUTTON, &QueryConditionPanelBase::OnReset, this);
}
