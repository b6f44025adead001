#include "funds/FinancingGoods.h"

#include "common/Colours.h"
#include "common/IClientPlugin.h"
#include "common/MessageLine.h"
#include "common/ModalMessageBox.h"
#include "common/TessrinConfig.h"
#include "connection/Client.h"
#include "connection/ErrorTextTable.h"
#include "db/DateTimeText.h"
#include "db/NumberFormat.h"
#include "funds/FinancingGoodsRules.h"
#include "funds/GoodsMgrPanel.h"

#include <wx/intl.h>

FinancingGoods::FinancingGoods(RecordStore* db, HostManager* mgr, int mode, const SymbolInventory& row,
                               wxWindow* parent)
    : FinancingGoodsBase(parent, wxID_ANY, mode == 0 ? _("Apply Goods") : _("Cancel Goods")), m_db(db),
      m_mgr(mgr), m_mode(mode), m_wait(this), m_sender([](sFFixFinancingGoods* request) {
          Client* client = LoginClient();
          return client ? client->ReqFinancingGoods(request) : -1;
      })
{
    AssignGoodsRecord(m_row, row);
}

FinancingGoods::~FinancingGoods()
{
    m_wait.Drop();
}

void FinancingGoods::OnInitDialog(wxInitDialogEvent& event)
{
    event.Skip();
    m_comboBoxVendor->Clear();
    if(m_db && m_db->m_SymbolInventory_table) {
        const auto range = m_db->m_SymbolInventory_table->GetIndex<BySymbolId>().equal_range(m_row.symbolId);
        for(auto it = range.first; it != range.second; ++it) {
            m_comboBoxVendor->Append(it->vendorName,
                                     reinterpret_cast<void*>(static_cast<intptr_t>(it->inventoryKeyB)));
        }
    }
    FillFields();
}

void FinancingGoods::FillFields()
{
    m_maximum = FinancingGoodsRules::CalcMaximum(m_db, m_row, m_mode);
    wxString symbolName;
    if(m_row.GetSymbolInfo(m_db) && m_row.cachedSymbolInfo->GetSymbolProperty(m_db)) {
        symbolName = m_row.cachedSymbolInfo->cachedSymbolProperty->symbolName;
    }
    m_comboBoxVendor->SetStringSelection(m_row.vendorName);
    m_textCtrlSymbol->ChangeValue(symbolName);
    m_textCtrlAmount->ChangeValue(FormatMoney(m_row.inventoryAmount, true));
    m_textCtrlAvailable->ChangeValue(FormatMoney(m_row.inventoryAvailable, true));
    m_staticTextRange->SetLabel(wxString::Format("0 ~ %d", m_maximum));
    m_textCtrlQuantity->ChangeValue("0");
    m_textCtrlQuantity->SelectAll();
}

void FinancingGoods::OnVendorSelected(wxCommandEvent&)
{
    const int selection = m_comboBoxVendor->GetSelection();
    if(selection == wxNOT_FOUND) {
        return;
    }
    const int keyB = static_cast<int>(reinterpret_cast<intptr_t>(m_comboBoxVendor->GetClientData(selection)));
    if(const SymbolInventory* row = FinancingGoodsRules::FindVendorRow(m_db, m_row.symbolId, keyB)) {
        AssignGoodsRecord(m_row, *row);
        FillFields();
    }
}

void FinancingGoods::ShowMessage(const wxString& text, int code)
{
    const wxString shown = text.empty() ? GetErrorText(code) : text;
    const wxString line = MessageLine::Format(wxDateTime::Now(), shown, code);
    m_messageExpiry = wxDateTime::Now() + wxTimeSpan::Seconds(5);
    const bool box = TessrinConfig(g_plugin ? g_plugin->GetConfig() : nullptr).IsShowErrMsgBox();
    if(box) {
        ModalMessageBox::Show(line, _("ErrorMessage"), wxOK | wxCENTRE, this);
        return;
    }
    m_textCtrlMessage->SetForegroundColour(Colours::MessageText(code == 0));
    m_textCtrlMessage->ChangeValue(line);
}

void FinancingGoods::OnOK(wxCommandEvent&)
{
    if(!m_wait.CanSend()) {
        return; // OK is disabled; one request at a time
    }
    if(!m_messageExpiry.IsValid() || wxDateTime::Now() > m_messageExpiry) {
        m_textCtrlMessage->ChangeValue(wxEmptyString);
    }
    const symbol_Info* symbol = m_row.GetSymbolInfo(m_db) ? m_row.cachedSymbolInfo.Get() : nullptr;
    const bool accountOk = symbol && symbol->GetAccount(m_db) && symbol->cachedAccount->GetLoginInfo(m_db);
    if(!accountOk) {
        ShowMessage(_("Account Invalid, Maybe Disconnected!"), -1);
        return;
    }
    int quantity = 0;
    if(!FinancingGoodsRules::ParseQuantity(m_textCtrlQuantity->GetValue(), m_maximum, &quantity)) {
        ShowMessage(_("Quantity Error!"), -1);
        return;
    }
    sFFixFinancingGoods request =
        FinancingGoodsRules::MakeRequest(symbol->accountKey, m_row, m_mode, quantity);
    const int requestId = m_sender ? m_sender(&request) : -1;
    if(requestId < 0) {
        ShowMessage(MessageLine::UnsentText(_("Send Command Failed!")), -1);
        return;
    }
    m_wait.Start(requestId, kWaitMs);
    m_buttonOK->Disable();
}

void FinancingGoods::OnResponse(int requestId, int errorCode, const wxString& text)
{
    const UnsettledRequestWait::Answer answer = m_wait.OnResponse(requestId, errorCode);
    if(answer == UnsettledRequestWait::eNotOurs) {
        return;
    }
    if(answer == UnsettledRequestWait::eLateCarriedOut) {
        m_buttonOK->Enable();
        ShowMessage(UnsettledRequestWait::CarriedOutText(), 0);
        return;
    }
    if(errorCode != 0) {
        m_buttonOK->Enable();
        ShowMessage(text, errorCode);
        return;
    }
    Close();
}

void FinancingGoods::OnResponseTimeOut(int requestId)
{
    const UnsettledRequestWait::TimeOut outcome = m_wait.OnResponseTimeOut(requestId);
    if(outcome != UnsettledRequestWait::eNotOursTimeOut) {
        m_buttonOK->Enable(outcome == UnsettledRequestWait::eNoWord); // not while the goods may still move
        ShowMessage(UnsettledRequestWait::TimeOutText(outcome), -1);
    }
}

void FinancingGoods::OnResponseLost(int requestId, int errorCode, const wxString& /*text*/)
{
    if(m_wait.OnResponseLost(requestId)) {
        ShowMessage(UnsettledRequestWait::LinkLostText(), errorCode); // OK stays disabled
    }
}

void FinancingGoods::OnClose(wxCloseEvent& event)
{
    m_wait.Drop();
    GoodsMgrPanel::FindGoodsPage(nullptr, m_mgr);
    if(IsModal()) {
        EndModal(wxID_CANCEL);
    } else {
        event.Skip();
    }
}
