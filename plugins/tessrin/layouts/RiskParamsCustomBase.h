#pragma once

#include "layouts/FittingDialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the risk rule dialog: the type, then the rule's item, condition
// and threshold, a row each, then the alarm means and the two buttons. The
// hand-written dialog overrides the handlers.
class RiskParamsCustomBase : public FittingDialog
{
public:
    explicit RiskParamsCustomBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                                  const wxString& title = wxEmptyString,
                                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                                  long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~RiskParamsCustomBase() override;

    wxComboBox* GetComboBoxRiskType() { return m_comboBoxRiskType; }
    wxComboBox* GetComboBoxRiskItem() { return m_comboBoxRiskItem; }
    wxStaticText* GetStaticTextRiskItem() { return m_staticTextRiskItem; }
    wxStaticText* GetStaticTextRiskCondition() { return m_staticTextRiskCondition; }
    wxComboBox* GetComboBoxRiskCondition() { return m_comboBoxRiskCondition; }
    wxTextCtrl* GetTextCtrlMaxValue() { return m_textCtrlMaxValue; }
    wxCheckBox* GetCheckBoxSound() { return m_checkBoxSound; }
    wxCheckBox* GetCheckBoxWindow() { return m_checkBoxWindow; }
    wxButton* GetButtonOK() { return m_buttonOK; }
    wxButton* GetButtonCancel() { return m_buttonCancel; }

protected:
    virtual void OnInit(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnRiskTypeChanged(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOK(wxCommandEvent& event) { event.Skip(); }

    wxComboBox* m_comboBoxRiskType;
    wxStaticText* m_staticTextRiskItem;
    wxComboBox* m_comboBoxRiskItem;
    wxStaticText* m_staticTextRiskCondition;
    wxComboBox* m_comboBoxRiskCondition;
    wxTextCtrl* m_textCtrlMaxValue;
    wxCheckBox* m_checkBoxSound;
    wxCheckBox* m_checkBoxWindow;
    wxButton* m_buttonOK;
    wxButton* m_buttonCancel;
};
