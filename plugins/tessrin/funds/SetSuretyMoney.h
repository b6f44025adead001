#pragma once

#include "funds/AccountDialog.h"
#include "layouts/SetSuretyMoneyBase.h"

#include <tradeapi/FFixAccount.h>

// The modal dialog that sets the surety money of an account that carries it:
// the account by market name, its current surety money, the new amount and
// the money password.
class SetSuretyMoney : public AccountDialog<SetSuretyMoneyBase, sFFixSetSuretyMoney>
{
public:
    // The parent is not used: the dialog has none.
    SetSuretyMoney(wxWindow* parent, RecordStore* db);

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    // Another account's surety money would mislead: the line follows the choice.
    void OnAccountSelected(wxCommandEvent& event) override;
    bool MakeRequest(sFFixSetSuretyMoney& request) override;
    void ShowAccountLine() override;
};
