#pragma once

#include "funds/AccountDialog.h"
#include "layouts/TransferAccBase.h"

#include <tradeapi/FFixAccount.h>

// The modal dialog that moves cash from one of the trader's accounts to
// another: source and destination by market name, the source's withdrawable
// money, the amount and the money password.
class TransferAcc : public AccountDialog<TransferAccBase, sFFixMoveMoney>
{
public:
    // The parent is not used: the dialog has none.
    TransferAcc(wxWindow* parent, RecordStore* db);

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    // The line follows the source.
    void OnAccountSelected(wxCommandEvent& event) override;
    bool MakeRequest(sFFixMoveMoney& request) override;
    void ShowAccountLine() override;
};
