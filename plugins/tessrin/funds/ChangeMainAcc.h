#pragma once

#include "funds/AccountDialog.h"
#include "layouts/ChangeMainAccBase.h"

#include <tradeapi/FFixAccount.h>

// The modal dialog that makes another of the trader's accounts the main
// account of its currency: the line names the current main account of the
// chosen account's currency, the other accounts are listed by market name;
// the button says "changeMainAcc". Which account may become main is the
// server's decision.
class ChangeMainAcc : public AccountDialog<ChangeMainAccBase, sFFixMasterAccount>
{
public:
    // The parent is not used: the dialog has none.
    ChangeMainAcc(wxWindow* parent, RecordStore* db);

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnAccountSelected(wxCommandEvent& event) override;
    // Without accounts nothing is sent and the button stays disabled.
    bool MakeRequest(sFFixMasterAccount& request) override;
    // The main account of the chosen account's currency; an account made
    // main names itself.
    void ShowAccountLine() override;
};
