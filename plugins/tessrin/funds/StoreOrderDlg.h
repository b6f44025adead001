#pragma once

#include "common/EndsWithLogin.h"
#include "funds/StoreInEntry.h"
#include "funds/StoreOrder.h"
#include "layouts/StoreOrderDlgBase.h"

#include <vector>

class RecordStore;
class StoreOrderModel;

// The dialog of the six store commands. "Store In" adds a local order on
// each OK, says which, and stays open; the other five show the chosen order
// read-only, with Close only: no store order reaches the market.
class StoreOrderDlg : public StoreOrderDlgBase
{
public:
    enum StoreOperation { eStoreIn, eStoreOut, eRegist, eUnRegist, eMortgage, eUnMortgage };

    StoreOrderDlg(wxWindow* parent, StoreOrderModel* model, RecordStore* db);

    void SetStoreOrder(const StoreOrder& order) { m_order = order; }
    void SetUserId(int userId) { m_userId = userId; }
    void SetOperation(int operation) { m_operation = operation; }

    void ShowMessage(const wxString& text, int code);

    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnOK(wxCommandEvent& event) override;

private:
    StoreOrderModel* m_model; // the pane's; outlives the dialog
    RecordStore* m_db;
    int m_userId = 0;
    int m_operation = eStoreIn;
    StoreOrder m_order;
    std::vector<StoreInEntry::Symbol> m_symbols;
    EndsWithLogin m_endsWithLogin{*this};
};
