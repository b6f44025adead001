#include "funds/StoreOrderDlg.h"

#include "common/Colours.h"
#include "common/MessageLine.h"
#include "common/StoreOrderFile.h"
#include "common/TessrinConfig.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "funds/StoreOrderModel.h"

#include <pelmora/clConfig.h>
#include <wx/intl.h>

namespace {

void SelectText(wxComboBox* box, const wxString& text)
{
    const int found = box->FindString(text, true);
    box->SetSelection(found);
}

} // namespace

StoreOrderDlg::StoreOrderDlg(wxWindow* parent, StoreOrderModel* model, RecordStore* db)
    : StoreOrderDlgBase(parent, wxID_ANY, _("Store Order"), wxDefaultPosition, wxSize(500, 300)),
      m_model(model), m_db(db)
{}

void StoreOrderDlg::ShowMessage(const wxString& text, int code)
{
    m_staticTextMessage->SetForegroundColour(Colours::MessageText(code == 0));
    // Nothing here reaches the market: a code of the client's own tells the
    // trader nothing, success or not.
    m_staticTextMessage->SetLabel(MessageLine::Format(wxDateTime::Now(), text, MessageLine::kOwnCode));
    FitToContents(); // the whole line, however long the order's names
}

void StoreOrderDlg::OnInitDialog(wxInitDialogEvent& event)
{
    event.Skip();
    m_comboBoxQty->SetValue("1");
    static const char* const kTitles[] = {wxTRANSLATE("Store In"),      wxTRANSLATE("Store Out"),
                                          wxTRANSLATE("Store Regist"),  wxTRANSLATE("Store UnRegist"),
                                          wxTRANSLATE("Store Mortage"), wxTRANSLATE("Store UnMortage")};
    if(m_operation >= eStoreIn && m_operation <= eUnMortgage) {
        SetTitle(wxGetTranslation(kTitles[m_operation]));
    }

    m_symbols.clear();
    if(m_db && m_db->m_symbol_Info_table) {
        for(const symbol_Info& symbol : m_db->m_symbol_Info_table->GetIndex<BySequence>()) {
            if(symbol.GetSymbolProperty(m_db)) {
                m_symbols.push_back({symbol.cachedSymbolProperty->symbolName, symbol.symbolId});
                m_comboBoxSymbol->Append(m_symbols.back().name);
            }
        }
    }
    if(!m_symbols.empty()) {
        m_comboBoxSymbol->SetSelection(0);
    }

    const clConfig config(TessrinConfig::GetFilePath(), false);
    for(const wxString& name : StoreInEntry::SplitStoreNames(TessrinConfig(&config).GetStoreNames())) {
        m_comboBoxWareHouse->Append(name);
    }
    if(m_comboBoxWareHouse->GetCount() > 0) {
        m_comboBoxWareHouse->SetSelection(0);
    }

    if(m_operation == eStoreIn) {
        m_comboBoxStoreOrder->Clear();
        m_comboBoxStoreOrder->Disable();
        return;
    }
    if(m_model) {
        for(const StoreOrder& order : m_model->GetOrders().GetIndexByPrimary()) {
            m_comboBoxStoreOrder->Append(order.storeCode);
        }
    }
    // An order that is only shown: nothing to confirm, and no OK that looks
    // as if it acted.
    m_buttonOK->Hide();
    m_buttonCancel->SetLabel(_("Close"));
    m_staticTextMessage->SetLabel(
        _("Store orders are kept on this computer only: nothing is sent to the market."));
    m_comboBoxQty->SetValue(FormatMoney(m_order.quantity, true)); // as the list shows it
    SelectText(m_comboBoxSymbol, m_order.symbolCode);
    SelectText(m_comboBoxWareHouse, m_order.storeName);
    SelectText(m_comboBoxStoreOrder, m_order.storeCode);
    m_comboBoxSymbol->Disable();
    m_comboBoxQty->Disable();
    m_comboBoxWareHouse->Disable();
    m_comboBoxStoreOrder->Disable(); // another code chosen would show beside this order's fields
}

void StoreOrderDlg::OnOK(wxCommandEvent&)
{
    // The other five only show their order (they have no OK).
    if(m_operation != eStoreIn || !m_model) {
        return;
    }
    const StoreInEntry::Result result = StoreInEntry::Add(
        m_symbols, m_comboBoxSymbol->GetSelection(), m_comboBoxSymbol->GetValue(), m_comboBoxQty->GetValue(),
        m_comboBoxWareHouse->GetValue(), m_userId, m_model->GetOrders());
    if(!result.message.empty()) {
        ShowMessage(result.message, result.code);
    }
    if(result.added) {
        // At once: a reconnect reloads the table from the file.
        m_model->GetOrders().Save(StoreOrderFile::GetPath());
    }
}
