#pragma once

#include "common/EndsWithLogin.h"
#include "db/CActionTrigger.h"
#include "layouts/NewOrderConfirmBase.h"

#include <tradeapi/FFixOrder.h>

class RecordStore;
struct symbol_Info;
struct symbol_price;

// The last look at a request before it is sent, shown modally by its
// sender: wxID_CANCEL (also the close box) abandons the request. While open,
// every quote of a market order's symbol rewrites the request's price, so
// that the request sent carries the last price shown.
//
// The caller builds the request, sets the kind and the one pointer that fits
// it, calls ShowModal, destroys the dialog, then sends.
class MarketOrderConfirm : public NewOrderConfirmBase, public CActionTrigger<symbol_price>
{
public:
    MarketOrderConfirm(RecordStore* store, wxWindow* parent);
    ~MarketOrderConfirm() override;

    // A quote record was replaced: kinds 0, 1 and 5 at market follow it.
    void afterUpdate(const symbol_price& stored, CTransaction* transaction, void* reserved) override;

    // The text shown in a row (0 name, 1 side ... 7 margin type), its caption and
    // whether the row is shown.
    wxString GetRowValue(int row) const;
    wxString GetRowCaption(int row) const;
    bool IsRowShown(int row) const;
    // The warning below the rows of a new order that would take its account
    // past the warning line at the price shown; empty when none is shown.
    wxString GetRiskWarning() const;

    int m_orderKind = 0; // the order dialog's kinds; 4 delivery
    RecordStore* m_pDb;
    // The caller's request of the kind; not owned, outlives the dialog.
    sFFixSetOrder* m_pSetOrder = nullptr;
    sFFixModifyOrder* m_pModifyOrder = nullptr;
    sFFixCancelOrder* m_pCancelOrder = nullptr;
    sFFixHoldBillDelivery* m_pDeliveryOrder = nullptr;
    sFFixPositionCloseOrder* m_pPositionClose = nullptr;

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;

private:
    // Fills the rows of the kind; false (nothing filled) when the record the
    // kind needs or the symbol's property is missing.
    bool Fill();
    const symbol_Info* FindSymbol(int symbolId) const;
    wxString PriceText(const symbol_Info& symbol, double price, bool trim = true) const;
    void ShowRow(int row, bool show);
    wxStaticText* Caption(int row) const;
    wxTextCtrl* Value(int row) const;
    // Shows the risk warning of the request at its price of now.
    void UpdateRiskWarning();

    wxStaticText* m_riskWarning; // below the rows, hidden while empty
    wxString m_riskText;         // what it shows, before it is wrapped
    EndsWithLogin m_endsWithLogin{*this};
};
