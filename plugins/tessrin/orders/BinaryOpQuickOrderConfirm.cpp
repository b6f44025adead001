#include "orders/BinaryOpQuickOrderConfirm.h"

#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "db/symbol_Property.h"

BinaryOpQuickOrderConfirm::BinaryOpQuickOrderConfirm(RecordStore* db, int symbolId, const wxString& title)
    : CloseOrderConfirmBase(nullptr, wxID_ANY, title), m_pDb(db), m_symbolId(symbolId)
{
    if(m_pDb) {
        m_pDb->m_symbol_price_table->AddActionTrigger(this);
    }
}

BinaryOpQuickOrderConfirm::~BinaryOpQuickOrderConfirm()
{
    if(m_pDb) {
        m_pDb->m_symbol_price_table->RemoveActionTrigger(this);
    }
}

void BinaryOpQuickOrderConfirm::SetTexts(const wxString& symbolName, const wxString& price,
                                         const wxString& amount, const wxString& side, const wxString& charge,
                                         bool showCharge)
{
    m_symbolNameValue->SetValue(symbolName);
    m_priceValue->SetValue(price);
    m_quantityValue->SetValue(amount);
    m_orderTypeValue->SetValue(side);
    m_orderCodeValue->SetValue(charge);
    m_orderCodeCaption->Show(showCharge);
    m_orderCodeValue->Show(showCharge);
    GetSizer()->Fit(this);
}

wxString BinaryOpQuickOrderConfirm::GetText(int row) const
{
    const wxTextCtrl* values[] = {m_symbolNameValue, m_priceValue, m_quantityValue, m_orderTypeValue,
                                  m_orderCodeValue};
    return row >= 0 && row < 5 ? values[row]->GetValue() : wxString();
}

void BinaryOpQuickOrderConfirm::OnInitDialog(wxInitDialogEvent& event)
{
    event.Skip();
    m_quantityCaption->SetLabel(_("Order Amount:"));
    m_orderCodeCaption->SetLabel(_("Order Charge:"));
    // Laid out again even when the dialog keeps its size: the captions are.
    GetSizer()->Fit(this);
    Layout();
}

void BinaryOpQuickOrderConfirm::afterUpdate(const symbol_price& stored, CTransaction*, void*)
{
    // The order's own symbol only: another of the same name is another market.
    if(stored.symbolId != m_symbolId || !stored.GetSymbolProperty(m_pDb)) {
        return;
    }
    m_priceValue->SetValue(FormatPrice(stored.lastPrice, stored.cachedSymbolProperty->digits));
}
