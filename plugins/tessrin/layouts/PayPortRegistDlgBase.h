#pragma once

#include "layouts/FittingDialog.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/intl.h>
#include <wx/textctrl.h>

// Layout of the pay-port registration dialog: market, channel and bank,
// card number twice, account name, identity type and number, money
// password, seat number, Ok and Cancel, and the message line. The
// hand-written dialog overrides the handlers.
class PayPortRegistDlgBase : public FittingDialog
{
public:
    explicit PayPortRegistDlgBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                                  const wxString& title = _("PayPort Regist"),
                                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                                  long style = wxDEFAULT_DIALOG_STYLE);
    ~PayPortRegistDlgBase() override;

    wxComboBox* GetComboBoxMarket() { return m_comboBoxMarket; }
    wxComboBox* GetComboBoxChannel() { return m_comboBoxChannel; }
    wxComboBox* GetComboBoxBank() { return m_comboBoxBank; }
    wxTextCtrl* GetTextCtrlCardNo() { return m_textCtrlCardNo; }
    wxTextCtrl* GetTextCtrlCardNoConfirm() { return m_textCtrlCardNoConfirm; }
    wxTextCtrl* GetTextCtrlAccountName() { return m_textCtrlAccountName; }
    wxComboBox* GetComboBoxIdType() { return m_comboBoxIdType; }
    wxTextCtrl* GetTextCtrlIdCard() { return m_textCtrlIdCard; }
    wxTextCtrl* GetTextCtrlMoneyPassword() { return m_textCtrlMoneyPassword; }
    wxTextCtrl* GetTextCtrlSitNo() { return m_textCtrlSitNo; }
    wxButton* GetButtonOk() { return m_buttonOk; }
    wxButton* GetButtonCancel() { return m_buttonCancel; }
    wxTextCtrl* GetTextCtrlMessage() { return m_textCtrlMessage; }

protected:
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnChannelSelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnMarketSelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOk(wxCommandEvent& event) { event.Skip(); }

    wxComboBox* m_comboBoxMarket;
    wxComboBox* m_comboBoxChannel;
    wxComboBox* m_comboBoxBank;
    wxTextCtrl* m_textCtrlCardNo;
    wxTextCtrl* m_textCtrlCardNoConfirm;
    wxTextCtrl* m_textCtrlAccountName;
    wxComboBox* m_comboBoxIdType;
    wxTextCtrl* m_textCtrlIdCard;
    wxTextCtrl* m_textCtrlMoneyPassword;
    wxTextCtrl* m_textCtrlSitNo;
    wxButton* m_buttonOk;
    wxButton* m_buttonCancel;
    wxTextCtrl* m_textCtrlMessage;
};
