// The order dialog's requests: checks, confirmation, sending, and the wait
// for the answer.
#include "common/ModalMessageBox.h"
#include "common/SettingsAccessors.h"
#include "connection/ErrorTextTable.h"
#include "db/RecordStore.h"
#include "funds/FinancingGoods.h"
#include "funds/FinancingGoodsRules.h"
#include "funds/GoodsMgrPanel.h"
#include "layouts/wxSpinCtrlDouble_.h"
#include "orders/MarketOrderConfirm.h"
#include "orders/OrderDialog.h"
#include "orders/OrderRules.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <wx/intl.h>

namespace {
// Spin values read back from their text against the record's own values.
bool SamePrice(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}
} // namespace

OrderInputs OrderDialog::ReadInputs() const
{
    OrderInputs inputs;
    inputs.quantity = m_quantitySpin->GetValue();
    inputs.stopLoss = m_stopLossSpin->GetValue();
    inputs.takeProfit = m_takeProfitSpin->GetValue();
    inputs.usePointDiff = m_pointDiffCheck->GetValue();
    inputs.pointDiff = m_pointDiffSpin->GetValue();
    inputs.expireSelection = m_expireCombo->GetSelection();
    inputs.withoutMargin = m_marginTypeCombo->IsShown() && m_marginTypeCombo->GetSelection() == 1;
    return inputs;
}

template <class Request> bool OrderDialog::Confirm(int kind, Request* request)
{
    if(!IsOrderPreConfirm()) {
        return true;
    }
    int result = wxID_CANCEL;
    {
        MarketOrderConfirm confirm(m_pDb, this);
        confirm.m_orderKind = kind;
        if constexpr(std::is_same_v<Request, sFFixSetOrder>) {
            confirm.m_pSetOrder = request;
        } else if constexpr(std::is_same_v<Request, sFFixModifyOrder>) {
            confirm.m_pModifyOrder = request;
        } else if constexpr(std::is_same_v<Request, sFFixCancelOrder>) {
            confirm.m_pCancelOrder = request;
        } else if constexpr(std::is_same_v<Request, sFFixHoldBillDelivery>) {
            confirm.m_pDeliveryOrder = request;
        } else {
            confirm.m_pPositionClose = request;
        }
        result = confirm.ShowModal();
    }
    // The dialog may have been closed while the confirmation was up.
    return result != wxID_CANCEL && !m_closing;
}

bool OrderDialog::DisablesOk() const
{
    return OrderRules::DisablesOkWhileWaiting(m_openCloseType, m_orderType);
}

void OrderDialog::OnOK(wxCommandEvent& event)
{
    event.Skip();
    // One request at a time: a second one would lose the first one's answer.
    if(m_wait.IsWaiting() || !CheckAll(true, true)) {
        return;
    }
    switch(m_openCloseType) {
    case eModify:
    case eCancel:
        OnModifyOrder(event);
        return;
    case eDelivery:
        OnDeliveryOrder(event);
        return;
    case eClosePosition:
        OnClosePosition(event);
        return;
    default:
        break;
    }

    const OrderInputs inputs = ReadInputs();
    OrderRules rules(*this);
    if(rules.CheckQuantity(inputs.quantity) == OrderRules::eQuantityNone || !CheckStops(rules, inputs)) {
        return;
    }
    if(m_orderType == eLimitOrder && (!rules.IsLimitPriceValid(m_limitPrice) || m_limitPrice == 0.0)) {
        UpdateStopProfitDisplay();
        UpdateLimitPart();
        ShowError(_("Limit Price Invalid"), -1, true, true);
        return;
    }
    if(!CheckTypedQuantity(rules, inputs.quantity) || !CheckLiveQuote(rules)) {
        return;
    }
    sFFixSetOrder request = BuildSetOrder(rules, inputs);
    // The records may have changed while the confirmation was up.
    if(!Confirm(m_openCloseType, &request) || !CheckAll(true, true) || !CheckLiveQuote(OrderRules(*this))) {
        return;
    }
    SaveSymbolConfig();
    const int id = m_sender->SetOrder(request);
    if(id < 0) {
        ShowError(MessageLine::UnsentText(_("Set Order Failed!")), -1, true, true);
        return;
    }
    StartWaitting(id);
}

bool OrderDialog::CheckStops(const OrderRules& rules, const OrderInputs& inputs)
{
    const char* invalid = rules.CheckStops(inputs.stopLoss, inputs.takeProfit);
    if(!invalid) {
        return true;
    }
    UpdateStopProfitDisplay();
    ShowError(wxGetTranslation(invalid), -1, true, true);
    return false;
}

bool OrderDialog::CheckLiveQuote(const OrderRules& rules)
{
    if(m_orderType != eMarketOrder || rules.IsQuoteLive()) {
        return true;
    }
    ShowError(_("Price not live, wait for a fresh quote"), -1, true, true);
    return false;
}

bool OrderDialog::CheckTypedQuantity(const OrderRules& rules, double quantity)
{
    switch(rules.CheckQuantity(quantity)) {
    case OrderRules::eQuantityNone:
        return false;
    case OrderRules::eQuantityTooLarge:
        ShowError(_("Quantity Error!"), -1, true, true);
        return false;
    default:
        return true;
    }
}

void OrderDialog::OnModifyOrder(wxCommandEvent& event)
{
    event.Skip();
    if(!CheckAll(true, true)) {
        return;
    }
    int id = -1;
    if(m_openCloseType == eModify) {
        double stopLoss = 0.0;
        double takeProfit = 0.0;
        if(m_orderType == eLimitOrder && m_pLimitOrder) {
            stopLoss = m_pLimitOrder->stopLoss;
            takeProfit = m_pLimitOrder->takeProfit;
            m_limitPrice = m_pLimitOrder->orderPrice; // the bounds lie from its price
        } else if(m_pHoldBill) {
            stopLoss = m_pHoldBill->stopLoss;
            takeProfit = m_pHoldBill->takeProfit;
        }
        const OrderInputs inputs = ReadInputs();
        const double newStopLoss = inputs.stopLoss;
        const double newTakeProfit = inputs.takeProfit;
        if(SamePrice(newStopLoss, stopLoss) && SamePrice(newTakeProfit, takeProfit)) {
            Close(false); // nothing changed: nothing to send
            return;
        }
        // The checks of a new order: a price the next tick would trigger is refused.
        if(!CheckStops(OrderRules(*this), inputs)) {
            return;
        }
        sFFixModifyOrder request = BuildModifyOrder(m_orderCodeRe, newStopLoss, newTakeProfit);
        if(!Confirm(eModify, &request)) {
            return;
        }
        SaveSymbolConfig();
        id = m_sender->ModifyOrder(request);
        if(id < 0) {
            ShowError(MessageLine::UnsentText(_("Modify Order Failed!")), -1, true, true);
            return;
        }
    } else {
        sFFixCancelOrder request = BuildCancelOrder(m_orderCodeRe);
        if(!Confirm(eCancel, &request)) {
            return;
        }
        SaveSymbolConfig();
        id = m_sender->CancelOrder(request);
        if(id < 0) {
            ShowError(MessageLine::UnsentText(_("Cancel Order Failed!")), -1, true, true);
            return;
        }
    }
    StartWaitting(id);
}

void OrderDialog::OnDeliveryOrder(wxCommandEvent& event)
{
    event.Skip();
    if(!m_pHoldBill) {
        return;
    }
    const OrderRules::DeliveryAction action = OrderRules::DeliveryActionOf(*m_pHoldBill);
    if(action == OrderRules::eNoDeliveryAction) {
        ShowError(_("Delivery can no longer be applied for or withdrawn"), -1, true, true);
        return;
    }
    sFFixHoldBillDelivery request =
        BuildHoldBillDelivery(m_pHoldBill->orderCode, action == OrderRules::eApplyDelivery);
    if(!Confirm(eDelivery, &request)) {
        return;
    }
    SaveSymbolConfig();
    const int id = m_sender->HoldBillDelivery(request);
    if(id < 0) {
        ShowError(MessageLine::UnsentText(_("Cancel Order Failed!")), -1, true, true);
        return;
    }
    StartWaitting(id);
}

void OrderDialog::OnClosePosition(wxCommandEvent& event)
{
    event.Skip();
    if(!m_pPosition) {
        return;
    }
    OrderRules rules(*this);
    const OrderInputs inputs = ReadInputs();
    // More than is open is refused, never cut to what is open and sent.
    if(!CheckTypedQuantity(rules, inputs.quantity) || !CheckLiveQuote(rules)) {
        return;
    }
    sFFixPositionCloseOrder request = BuildPositionCloseOrder(rules, *m_pPosition, inputs);
    if(!Confirm(eClosePosition, &request) || !CheckAll(true, true) || !CheckLiveQuote(OrderRules(*this))) {
        return;
    }
    SaveSymbolConfig();
    const int id = m_sender->PositionCloseOrder(request);
    if(id < 0) {
        ShowError(MessageLine::UnsentText(_("Close Poistion Failed!")), -1, true, true);
        return;
    }
    StartWaitting(id);
}

void OrderDialog::StartWaitting(int requestId)
{
    m_wait.Start(requestId, kWaitMs);
    if(DisablesOk()) {
        wxASSERT_MSG(m_marketOk->IsEnabled(), "m_marketOk->IsEnabled() == true");
        m_marketOk->Disable();
    }
}

void OrderDialog::OnResponse(int requestId, int errorCode, const wxString& text)
{
    if(!m_wait.End(requestId)) {
        if(m_wait.EndLate(requestId)) {
            // "Request Time Out!" was not the end of it: say what became of it.
            ShowError(errorCode == 0 ? _("The request that timed out was carried out") : text, errorCode,
                      true, true);
        }
        return;
    }
    if(errorCode == 0) {
        Close(false);
        return;
    }
    if(DisablesOk()) {
        wxASSERT_MSG(!m_marketOk->IsEnabled(), "m_marketOk->IsEnabled() == false");
        m_marketOk->Enable();
    }
    if(errorCode == kFinancingQuestionCode) {
        if(AskFinancingGoods()) {
            Close(false);
        }
        return;
    }
    ShowError(text, errorCode, true, true);
}

bool OrderDialog::AskFinancingGoods()
{
    RecordStore* db = m_pDb;
    const auto* symbols = db ? db->m_symbol_Info_table.get() : nullptr;
    if(!symbols) {
        return false;
    }
    const auto found = symbols->GetIndexByPrimary().find(m_symbolId);
    if(found == symbols->GetIndexByPrimary().end() || !found->GetSymbolProperty(db)) {
        return false;
    }
    const wxString question =
        wxString::Format(_("%s\nAre you sure financing goods?"), GetErrorText(kFinancingQuestionCode));
    if(ModalMessageBox::Show(question, _("ErrorMessage"), wxYES_NO | wxICON_QUESTION | wxCENTRE, this) !=
       wxYES) {
        return false;
    }
    const int symbolId = m_symbolId;
    const wxString symbolName = found->cachedSymbolProperty->symbolName;
    HostManager* mgr = m_mgr;
    GoodsMgrPanel::ShowGoodsPage(db, mgr, [db, mgr, symbolId, symbolName]() {
        const auto& bySymbol = db->m_SymbolInventory_table->GetIndex<BySymbolId>();
        const auto row = bySymbol.find(symbolId);
        if(row == bySymbol.end()) {
            ModalMessageBox::Show(wxString::Format(_("not find %s symbol inventory"), symbolName),
                                  _("ErrorMessage"), wxOK | wxCENTRE);
            return;
        }
        FinancingGoods dialog(db, mgr, FinancingGoodsRules::eApply, *row, nullptr);
        dialog.ShowModal();
    });
    return true;
}

void OrderDialog::OnResponseTimeOut(int requestId)
{
    if(!m_wait.TimeOut(requestId)) {
        m_wait.EndLate(requestId); // no late answer either: nothing more to tell
        return;
    }
    if(DisablesOk()) {
        m_marketOk->Enable();
    }
    ShowError(_("Request Time Out!"), -1, true, true);
}
