#pragma once

#include <pelmora/pmChartViewer.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clrpicker.h>
#include <wx/dialog.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/propgrid/manager.h>
#include <wx/propgrid/props.h>
#include <wx/stattext.h>

// Layout of the settings dialog: page "Base" with the property grid of
// preferences, page "Chart" with the preview viewer, six colour pickers and
// two solid-candle boxes, and the ok/cancel row. The hand-written dialog
// fills the choices and overrides the handlers.
class SystemSettingBase : public wxDialog
{
public:
    explicit SystemSettingBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                               const wxString& title = _("systemSetting"),
                               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(600, 500),
                               long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~SystemSettingBase() override;

    wxNotebook* GetNotebook() { return m_notebook; }
    wxPropertyGridManager* GetPgMgr() { return m_pgMgr; }
    pmChartViewer* GetChartViewer() { return m_chartViewer; }
    wxButton* GetButtonOk() { return m_buttonOk; }
    wxButton* GetButtonCancel() { return m_buttonCancel; }

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnBackgroundColour(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnForegroundColour(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnBarUpColour(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnBarDownColour(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnBullCandleColour(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnBearCandleColour(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnBullSolid(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBearSolid(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOK(wxCommandEvent& event) { event.Skip(); }
    virtual void OnCancel(wxCommandEvent& event) { event.Skip(); }

    wxNotebook* m_notebook;
    wxPanel* m_panelBase;
    wxPropertyGridManager* m_pgMgr;
    wxPGProperty* m_pgCategoryCommon;
    wxPGProperty* m_pgPropHoldDetailClose;
    wxPGProperty* m_pgPropShowMultiOrderDialog;
    wxPGProperty* m_pgPropNoticeStartShow;
    wxPGProperty* m_pgPropShowQuickOrder;
    wxPGProperty* m_pgPropOrderPreConfirm;
    wxPGProperty* m_pgPropLockScreenInterval;
    wxPGProperty* m_pgPropInOutUrlInBrowser;
    wxPGProperty* m_pgCategoryNotify;
    wxPGProperty* m_pgPropNotifyMarketOrder;
    wxPGProperty* m_pgPropNotifyLimitOrder;
    wxPGProperty* m_pgPropNotifyCloseOrder;
    wxPGProperty* m_pgPropNotifyInOutMoney;
    wxPGProperty* m_pgPropNotifyMinOrderTrade;
    wxPanel* m_panelChart;
    pmChartViewer* m_chartViewer;
    wxColourPickerCtrl* m_pickerBackground;
    wxColourPickerCtrl* m_pickerForeground;
    wxColourPickerCtrl* m_pickerBarUp;
    wxColourPickerCtrl* m_pickerBarDown;
    wxColourPickerCtrl* m_pickerBullCandle;
    wxColourPickerCtrl* m_pickerBearCandle;
    wxCheckBox* m_checkBoxBullSolid;
    wxCheckBox* m_checkBoxBearSolid;
    wxButton* m_buttonOk;
    wxButton* m_buttonCancel;
};
