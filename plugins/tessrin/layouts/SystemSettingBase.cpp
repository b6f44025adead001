#include "layouts/SystemSettingBase.h"

#include "layouts/BitmapResources.h"

#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/sizer.h>

namespace {
// A yes/no (or any two-way) text property edited in a combo box; the
// dialog adds the choices.
wxPGProperty* AddChoiceProperty(wxPropertyGridPage* page, const wxString& label)
{
    wxPGChoices none;
    wxPGProperty* property = page->Append(new wxEnumProperty(label, wxPG_LABEL, none));
    property->SetEditor(wxPGEditor_ComboBox);
    return property;
}

wxColourPickerCtrl* AddPickerRow(wxWindow* parent, wxGridBagSizer* sizer, int row, const wxString& label)
{
    sizer->Add(new wxStaticText(parent, wxID_ANY, label), wxGBPosition(row, 0), wxGBSpan(1, 1),
               wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, 5);
    auto* picker = new wxColourPickerCtrl(parent, wxID_ANY);
    sizer->Add(picker, wxGBPosition(row, 1), wxGBSpan(1, 1), wxALL | wxEXPAND, 5);
    return picker;
}

wxCheckBox* AddSolidBox(wxWindow* parent, wxGridBagSizer* sizer, int row, const wxString& tip)
{
    auto* box = new wxCheckBox(parent, wxID_ANY, _("Solid"));
    box->SetValue(false);
    box->SetToolTip(tip);
    sizer->Add(box, wxGBPosition(row, 2), wxGBSpan(1, 1), wxALL | wxALIGN_CENTER_VERTICAL, 5);
    return box;
}
} // namespace

SystemSettingBase::SystemSettingBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                     const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);
    m_notebook = new wxNotebook(this, wxID_ANY);
    mainSizer->Add(m_notebook, 1, wxALL | wxEXPAND, 5);

    m_panelBase = new wxPanel(m_notebook);
    m_notebook->AddPage(m_panelBase, _("Base"), true);
    auto* baseSizer = new wxBoxSizer(wxVERTICAL);
    m_panelBase->SetSizer(baseSizer);
    // The spin editor is not registered by default.
    wxPropertyGrid::RegisterAdditionalEditors();
    m_pgMgr = new wxPropertyGridManager(m_panelBase, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                        wxPG_BOLD_MODIFIED | wxPG_SPLITTER_AUTO_CENTER);
    baseSizer->Add(m_pgMgr, 1, wxALL | wxEXPAND, 5);
    wxPropertyGridPage* page = m_pgMgr->AddPage();
    m_pgCategoryCommon = page->Append(new wxPropertyCategory(_("Common")));
    m_pgPropHoldDetailClose = AddChoiceProperty(page, _("Hold Detail DCliek Close Order"));
    m_pgPropShowMultiOrderDialog = AddChoiceProperty(page, _("Show Multi Order Dialog"));
    m_pgPropNoticeStartShow = AddChoiceProperty(page, _("Show Notice On Start"));
    m_pgPropShowQuickOrder = AddChoiceProperty(page, _("Show Quick Order"));
    m_pgPropOrderPreConfirm = AddChoiceProperty(page, _("Order Pre confirmation"));
    m_pgPropLockScreenInterval =
        page->Append(new wxIntProperty(_("lock screen interval(minute)"), wxPG_LABEL, 0));
    m_pgPropLockScreenInterval->SetEditor("SpinCtrl");
    m_pgPropInOutUrlInBrowser = AddChoiceProperty(page, _("show inout url in brower"));
    m_pgCategoryNotify = page->Append(new wxPropertyCategory(_("Notify")));
    m_pgPropNotifyMarketOrder = AddChoiceProperty(page, _("Show Market Order Notify"));
    m_pgPropNotifyLimitOrder = AddChoiceProperty(page, _("Show Limit Order Notify"));
    m_pgPropNotifyCloseOrder = AddChoiceProperty(page, _("Show Close Order Notify"));
    m_pgPropNotifyInOutMoney = AddChoiceProperty(page, _("Show InOut Money Notify"));
    m_pgPropNotifyMinOrderTrade = AddChoiceProperty(page, _("Show MinOrder Trade"));

    m_panelChart = new wxPanel(m_notebook);
    m_notebook->AddPage(m_panelChart, _("Chart"), false);
    auto* chartSizer = new wxBoxSizer(wxVERTICAL);
    m_panelChart->SetSizer(chartSizer);
    m_chartViewer = new pmChartViewer(m_panelChart, wxID_ANY, wxDefaultPosition, wxSize(-1, -1));
    chartSizer->Add(m_chartViewer, 1, wxALL | wxEXPAND, 5);
    auto* pickers = new wxGridBagSizer(0, 10);
    chartSizer->Add(pickers, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 5);
    m_pickerBackground = AddPickerRow(m_panelChart, pickers, 0, _("Background:"));
    m_pickerForeground = AddPickerRow(m_panelChart, pickers, 1, _("Foreground:"));
    m_pickerBarUp = AddPickerRow(m_panelChart, pickers, 2, _("Bar Up:"));
    m_pickerBarDown = AddPickerRow(m_panelChart, pickers, 3, _("Bar Down:"));
    m_pickerBullCandle = AddPickerRow(m_panelChart, pickers, 4, _("Bull candle:"));
    m_pickerBearCandle = AddPickerRow(m_panelChart, pickers, 5, _("Bear candle:"));
    m_checkBoxBullSolid = AddSolidBox(m_panelChart, pickers, 4, _("Bull candle solid"));
    m_checkBoxBearSolid = AddSolidBox(m_panelChart, pickers, 5, _("Bear candle solid"));

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttons, 0, wxEXPAND, 0);
    buttons->Add(0, 0, 1, wxALL, 5);
    m_buttonOk = new wxButton(this, wxID_ANY, _("ok"));
    buttons->Add(m_buttonOk, 1, wxALL, 5);
    m_buttonCancel = new wxButton(this, wxID_CANCEL, _("cancel"));
    buttons->Add(m_buttonCancel, 1, wxALL, 5);
    buttons->Add(0, 0, 1, wxALL, 5);

    SetMinSize(wxSize(600, 500));
    SetSize(size);
    CentreOnScreen(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &SystemSettingBase::OnInitDialog, this);
    m_pickerBackground->Bind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnBackgroundColour, this);
    m_pickerForeground->Bind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnForegroundColour, this);
    m_pickerBarUp->Bind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnBarUpColour, this);
    m_pickerBarDown->Bind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnBarDownColour, this);
    m_pickerBullCandle->Bind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnBullCandleColour, this);
    m_pickerBearCandle->Bind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnBearCandleColour, this);
    m_checkBoxBullSolid->Bind(wxEVT_CHECKBOX, &SystemSettingBase::OnBullSolid, this);
    m_checkBoxBearSolid->Bind(wxEVT_CHECKBOX, &SystemSettingBase::OnBearSolid, this);
    m_buttonOk->Bind(wxEVT_BUTTON, &SystemSettingBase::OnOK, this);
    m_buttonCancel->Bind(wxEVT_BUTTON, &SystemSettingBase::OnCancel, this);
}

SystemSettingBase::~SystemSettingBase()
{
    Unbind(wxEVT_INIT_DIALOG, &SystemSettingBase::OnInitDialog, this);
    m_pickerBackground->Unbind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnBackgroundColour, this);
    m_pickerForeground->Unbind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnForegroundColour, this);
    m_pickerBarUp->Unbind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnBarUpColour, this);
    m_pickerBarDown->Unbind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnBarDownColour, this);
    m_pickerBullCandle->Unbind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnBullCandleColour, this);
    m_pickerBearCandle->Unbind(wxEVT_COLOURPICKER_CHANGED, &SystemSettingBase::OnBearCandleColour, this);
    m_checkBoxBullSolid->Unbind(wxEVT_CHECKBOX, &SystemSettingBase::OnBullSolid, this);
    m_checkBoxBearSolid->Unbind(wxEVT_CHECKBOX, &SystemSettingBase::OnBearSolid, this);
    m_buttonOk->Unbind(wxEVT_BUTTON, &SystemSettingBase::OnOK, this);
    m_buttonCancel->Unbind(wxEVT_BUTTON, &SystemSettingBase::OnCancel, this);
}
