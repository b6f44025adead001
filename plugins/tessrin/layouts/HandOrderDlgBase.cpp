#include "layouts/HandOrderDlgBase.h"

#include "layouts/BitmapResources.h"

#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>

namespace {

wxArrayString OneToTen()
{
    wxArrayString entries;
    for(int i = 1; i <= 10; ++i) {
        entries.Add(wxString::Format("%d", i));
    }
    return entries;
}

} // namespace

HandOrderDlgBase::HandOrderDlgBase(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                   const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);

    auto* grid = new wxGridBagSizer(0, 0);
    mainSizer->Add(grid, 1, wxEXPAND | wxALL, 5);

    const int labelFlags = wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL | wxALL;
    const int fieldFlags = wxEXPAND | wxALIGN_CENTER_VERTICAL | wxALL;
    int row = 0;
    auto addRow = [&](const wxString& label, wxWindow* field, int flags) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), wxGBPosition(row, 0), wxGBSpan(1, 1), labelFlags,
                  5);
        grid->Add(field, wxGBPosition(row, 1), wxGBSpan(1, 1), flags, 5);
        ++row;
    };
    const wxArrayString none;

    m_comboBoxSymbol =
        new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, none, wxCB_READONLY);
    addRow(_("Symbol:"), m_comboBoxSymbol, fieldFlags);

    m_comboBoxBS =
        new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, none, wxCB_READONLY);
    addRow(_("B/S:"), m_comboBoxBS, fieldFlags);

    m_textCtrlPrice = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    addRow(_("Price:"), m_textCtrlPrice, fieldFlags);

    m_comboBoxQty = new wxComboBox(this, wxID_ANY, "1", wxDefaultPosition, wxDefaultSize, OneToTen());
    addRow(_("Qty:"), m_comboBoxQty, fieldFlags);

    m_comboBoxMinQty = new wxComboBox(this, wxID_ANY, "1", wxDefaultPosition, wxDefaultSize, OneToTen());
    addRow(_("Min Qty:"), m_comboBoxMinQty, fieldFlags);

    m_comboBoxWareHouse =
        new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, none, wxCB_READONLY);
    addRow(_("Ware House:"), m_comboBoxWareHouse, wxEXPAND | wxALL);

    m_textCtrlEffectiveDay =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(300, -1));
    addRow(_("Effective Day:"), m_textCtrlEffectiveDay, fieldFlags);

    grid->AddGrowableCol(1);

    mainSizer->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxEXPAND | wxALL, 5);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttons, 0, wxEXPAND | wxALL, 5);
    m_buttonOK = new wxButton(this, wxID_OK, _("Ok"));
    buttons->Add(m_buttonOK, 1, wxEXPAND | wxALL, 5);
    m_buttonCancel = new wxButton(this, wxID_CANCEL, _("Cancel"));
    buttons->Add(m_buttonCancel, 1, wxEXPAND | wxALL, 5);

    mainSizer->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxEXPAND | wxALL, 5);

    m_textCtrlStatus = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                      wxTE_READONLY | wxBORDER_NONE);
    mainSizer->Add(m_textCtrlStatus, 0, wxEXPAND | wxALL, 5);

    mainSizer->SetSizeHints(this);
    mainSizer->Fit(this);
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &HandOrderDlgBase::OnInitDialog, this);
    m_buttonOK->Bind(wxEVT_BUTTON, &HandOrderDlgBase::OnOK, this);
}

HandOrderDlgBase::~HandOrderDlgBase()
{
    Unbind(wxEVT_INIT_DIALOG, &HandOrderDlgBase::OnInitDialog, this);
    m_buttonOK->Unbind(wxEVT_BUTTON, &HandOrderDlgBase::OnOK, this);
}
