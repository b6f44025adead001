#include "orders/HandOrderDlg.h"

#include "common/TessrinConfig.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "orders/HangOrderEntry.h"
#include "orders/HangOrderFactory.h"

#include <cstdint>
#include <pelmora/clConfig.h>
#include <wx/intl.h>
#include <wx/valnum.h>

HandOrderDlg::HandOrderDlg(wxWindow* /*parent*/, RecordStore* store)
    : HandOrderDlgBase(nullptr, wxID_ANY, _("Hand Order")), m_db(store),
      m_status(m_textCtrlStatus, _("ErrorMessage"), MessageLine::eLineOnly)
{}

void HandOrderDlg::OnInitDialog(wxInitDialogEvent& /*event*/)
{
    // Not skipped: the validators' values are not transferred to the boxes.
    wxIntegerValidator<uint32_t> quantity(&m_quantity);
    quantity.SetRange(1, UINT32_MAX);
    m_comboBoxQty->SetValue("1");
    m_comboBoxQty->SetValidator(quantity);
    m_comboBoxMinQty->SetValidator(quantity);

    m_comboBoxBS->Append(_("Buy"));
    m_comboBoxBS->Append(_("Sell"));
    m_comboBoxBS->SetSelection(m_side == 'b' ? 0 : 1);

    FillSymbols();
    FillStoreNames();

    const wxString modeText = HangOrderEntry::ModeText(m_mode);
    m_buttonOK->SetLabel(modeText);
    if(m_mode == HangOrderEntry::eGuaPai) {
        if(!m_hangOrder.symbolName.empty()) {
            m_comboBoxSymbol->SetStringSelection(m_hangOrder.symbolName);
        }
        SetTitle(modeText);
    } else if(m_mode == HangOrderEntry::eZaiPai || m_mode == HangOrderEntry::eHuanJia) {
        ShowHangOrder();
    }
}

void HandOrderDlg::FillSymbols()
{
    if(m_db && m_db->m_symbol_Info_table) {
        for(const symbol_Info& symbol : m_db->m_symbol_Info_table->GetIndexByPrimary()) {
            if(symbol.GetSymbolProperty(m_db) && symbol.marketType == '3') {
                m_comboBoxSymbol->Append(symbol.cachedSymbolProperty->symbolName,
                                         reinterpret_cast<void*>(static_cast<intptr_t>(symbol.symbolId)));
            }
        }
    }
    if(!m_comboBoxSymbol->IsListEmpty()) {
        m_comboBoxSymbol->SetSelection(0);
    }
}

void HandOrderDlg::FillStoreNames()
{
    const clConfig config(TessrinConfig::GetFilePath(), false);
    for(const wxString& name : HangOrderEntry::SplitStoreNames(TessrinConfig(&config).GetStoreNames())) {
        m_comboBoxWareHouse->Append(name);
    }
    if(!m_comboBoxWareHouse->IsListEmpty()) {
        m_comboBoxWareHouse->SetSelection(0);
    }
}

void HandOrderDlg::ShowHangOrder()
{
    for(wxWindow* field :
        std::initializer_list<wxWindow*>{m_comboBoxSymbol, m_comboBoxBS, m_comboBoxMinQty,
                                         m_textCtrlEffectiveDay, m_comboBoxWareHouse, m_comboBoxQty}) {
        field->Disable();
    }
    m_textCtrlPrice->Enable(m_mode == HangOrderEntry::eHuanJia);
    m_textCtrlPrice->ChangeValue(FormatMoney(m_hangOrder.priceOrder));
    m_comboBoxSymbol->SetStringSelection(m_hangOrder.symbolName);
    m_comboBoxBS->SetStringSelection(wxGetTranslation(m_hangOrder.bsCode));
    m_comboBoxQty->ChangeValue(FormatMoney(m_hangOrder.GetQuantityRemaining()));
    if(m_hangOrder.minQuantity > 0) {
        m_comboBoxMinQty->ChangeValue(FormatMoney(m_hangOrder.minQuantity, true));
    }
    m_textCtrlEffectiveDay->ChangeValue(m_hangOrder.effectiveDay);
    m_comboBoxWareHouse->SetStringSelection(m_hangOrder.storeName);
    SetTitle(HangOrderEntry::TitleText(m_mode, m_hangOrder.orderCode));
}

void HandOrderDlg::OnOK(wxCommandEvent& /*event*/)
{
    HangOrderEntry::Fields fields;
    fields.symbolName = m_comboBoxSymbol->GetValue();
    fields.side = m_comboBoxBS->GetValue();
    fields.price = m_textCtrlPrice->GetValue();
    fields.quantity = m_comboBoxQty->GetValue();
    fields.minQuantity = m_comboBoxMinQty->GetValue();
    fields.effectiveDay = m_textCtrlEffectiveDay->GetValue();
    fields.storeName = m_comboBoxWareHouse->GetValue();

    switch(HangOrderEntry::Confirm(m_mode, fields, GetHangOrderFactory(), nullptr, m_hangOrder.orderCode)) {
    case HangOrderEntry::eSymbolInvalid:
        ShowStatus(_("Symbol Invalid"));
        return;
    case HangOrderEntry::eBadQuantity:
        ShowStatus(_("Quantity Error!"));
        return;
    case HangOrderEntry::eBadPrice:
        ShowStatus(_("Price Invalid"));
        return;
    case HangOrderEntry::eOrderGone:
        ShowStatus(_("Order Invalid"));
        return;
    case HangOrderEntry::eNoFreeCode:
        ShowStatus(_("No free order code, please try again"));
        return;
    case HangOrderEntry::eRefused:
        ShowStatus(_("Hang order not stored"));
        return;
    case HangOrderEntry::eAdded:
    case HangOrderEntry::ePriceChanged:
        // Kept at once: no pane may be open to save it later.
        SaveHangOrders();
        break;
    case HangOrderEntry::eClose:
        break;
    }
    // Ends the modal loop; the opener destroys the dialog.
    EndModal(wxID_OK);
}

void HandOrderDlg::ShowStatus(const wxString& message)
{
    m_status.Show(message, -1, false, true);
}
