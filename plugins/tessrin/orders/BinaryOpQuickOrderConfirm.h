#pragma once

#include "common/EndsWithLogin.h"
#include "db/CActionTrigger.h"
#include "db/symbol_price.h"
#include "layouts/CloseOrderConfirmBase.h"

class RecordStore;

// The modal confirmation of a binary order: symbol, price (following the
// symbol's quotes while open), amount less charge, side and charge. OK
// sends, Cancel and the close box do not.
class BinaryOpQuickOrderConfirm : public CloseOrderConfirmBase, public CActionTrigger<symbol_price>
{
public:
    BinaryOpQuickOrderConfirm(RecordStore* db, int symbolId, const wxString& title);
    ~BinaryOpQuickOrderConfirm() override;

    // A charge row only when the charge is not zero.
    void SetTexts(const wxString& symbolName, const wxString& price, const wxString& amount,
                  const wxString& side, const wxString& charge, bool showCharge);

    wxString GetPriceText() const { return m_priceValue->GetValue(); }
    bool IsChargeShown() const { return m_orderCodeValue->IsShown(); }
    wxString GetText(int row) const;

    void afterUpdate(const symbol_price& stored, CTransaction* transaction, void* reserved) override;

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;

private:
    RecordStore* m_pDb;
    int m_symbolId;
    EndsWithLogin m_endsWithLogin{*this};
};
