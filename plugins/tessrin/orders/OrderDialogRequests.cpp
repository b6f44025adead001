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

template <class Request> bool OrderDialog::Confirm(Request* request)
{
    if(!IsOrderPreConfirm()) {
        return true;
    }
    int result = wxID_CANCEL;
    {
        MarketOrderConfirm confirm(m_pDb, this);
        confirm.m_orderKind = m_openCloseType;
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
    // One request at a time: a second one would lose the first one's answer,
    // and one whose fate is not known yet may still be carried out.
    if(m_wait.IsUnsettled()) {
        ShowError(OrderWait::UnsettledText(), -1, true, true);
        return;
    }
    if(!CanSend() || !CheckAll(true, true)) {
        return;
    }
    switch(Kind().request) {
    case OrderKindTraits::eModifyOrder:
    case OrderKindTraits::eCancelOrder:
        OnModifyOrder(event);
        return;
    case OrderKindTraits::eHoldBillDelivery:
        OnDeliveryOrder(event);
        return;
    case OrderKindTraits::ePositionClose:
        OnClosePosition(event);
        return;
    case OrderKindTraits::eSetOrder:
        break;
    }
    sFFixSetOrder request = BuildSetOrder(OrderRules(*this), ReadInputs());
    if(!ConfirmChecked(&request)) {
        return;
    }
    SaveSymbolConfig();
    const int id = m_sender->SetOrder(request);
    if(id < 0) {
        ShowError(MessageLine::UnsentText(_("Set Order Failed!")), -1, true, true);
        return;
    }
    StartWaitting(id, OrderFate::Of(m_pDb, m_openCloseType, request));
}

template <class Request> bool OrderDialog::ConfirmChecked(Request* request)
{
    // The rule before the confirmation, and again at its OK with the prices
    // of that moment: the confirmation may have stood while they moved.
    auto check = [this, request] {
        if constexpr(std::is_same_v<Request, sFFixSetOrder>) {
            return FinalOrderCheck::Check(m_pDb, m_openCloseType, *request);
        } else {
            return FinalOrderCheck::Check(m_pDb, *request);
        }
    };
    return Passes(check()) && Confirm(request) && Passes(check());
}

bool OrderDialog::Passes(const FinalOrderCheck::Verdict& verdict)
{
    using V = FinalOrderCheck::Verdict;
    switch(verdict.failure) {
    case V::ePassed:
        return true;
    case V::eTakeProfit:
    case V::eStopLoss:
        UpdateStopProfitDisplay();
        break;
    case V::eLimitPrice:
        UpdateStopProfitDisplay();
        UpdateLimitPart();
        break;
    default:
        break;
    }
    ShowError(verdict.message, -1, true, true);
    RequestRefresh(); // the bounds and the range of this moment
    return false;
}

void OrderDialog::OnModifyOrder(wxCommandEvent& event)
{
    event.Skip();
    if(!CheckAll(true, true)) {
        return;
    }
    int id = -1;
    if(Kind().request == OrderKindTraits::eModifyOrder) {
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
        sFFixModifyOrder request = BuildModifyOrder(m_orderCodeRe, newStopLoss, newTakeProfit);
        if(!ConfirmChecked(&request)) {
            return;
        }
        SaveSymbolConfig();
        id = m_sender->ModifyOrder(request);
        if(id < 0) {
            ShowError(MessageLine::UnsentText(_("Modify Order Failed!")), -1, true, true);
            return;
        }
        StartWaitting(id, OrderFate::Of(m_pDb, request));
        return;
    }
    sFFixCancelOrder request = BuildCancelOrder(m_orderCodeRe);
    if(!ConfirmChecked(&request)) {
        return;
    }
    SaveSymbolConfig();
    id = m_sender->CancelOrder(request);
    if(id < 0) {
        ShowError(MessageLine::UnsentText(_("Cancel Order Failed!")), -1, true, true);
        return;
    }
    StartWaitting(id, OrderFate::Of(m_pDb, request));
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
    if(!ConfirmChecked(&request)) {
        return;
    }
    SaveSymbolConfig();
    const int id = m_sender->HoldBillDelivery(request);
    if(id < 0) {
        ShowError(MessageLine::UnsentText(_("Delivery Request Failed!")), -1, true, true);
        return;
    }
    StartWaitting(id, OrderFate::Of(m_pDb, request));
}

void OrderDialog::OnClosePosition(wxCommandEvent& event)
{
    event.Skip();
    if(!m_pPosition) {
        return;
    }
    // More than is open is refused, never cut to what is open and sent.
    sFFixPositionCloseOrder request = BuildPositionCloseOrder(OrderRules(*this), *m_pPosition, ReadInputs());
    if(!ConfirmChecked(&request)) {
        return;
    }
    SaveSymbolConfig();
    const int id = m_sender->PositionCloseOrder(request);
    if(id < 0) {
        ShowError(MessageLine::UnsentText(_("Close Poistion Failed!")), -1, true, true);
        return;
    }
    StartWaitting(id, OrderFate::Of(m_pDb, request));
}

void OrderDialog::StartWaitting(int requestId, OrderFate fate)
{
    m_wait.Start(requestId, kWaitMs, std::move(fate));
    if(DisablesOk()) {
        wxASSERT_MSG(m_marketOk->IsEnabled(), "m_marketOk->IsEnabled() == true");
        m_marketOk->Disable();
    }
}

void OrderDialog::OnResponse(int requestId, int errorCode, const wxString& text)
{
    if(m_wait.OnResponse(requestId, errorCode, text) != OrderWait::eInTime) {
        return; // a late answer is told by OnFateSettled
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
    // OK stays as it is: the order may still be carried out.
    if(m_wait.OnResponseTimeOut(requestId)) {
        ShowError(OrderWait::UnsettledText(), -1, true, true);
    }
}

void OrderDialog::OnResponseLost(int requestId, int errorCode, const wxString& /*text*/)
{
    if(m_wait.OnResponseLost(requestId)) {
        ShowError(OrderWait::LinkLostText(), errorCode, true, true);
    }
}

void OrderDialog::OnFateSettled(OrderWait::Outcome outcome, int code, const wxString& text)
{
    if(m_closing) {
        return;
    }
    if(DisablesOk()) {
        m_marketOk->Enable();
    }
    ShowError(OrderWait::OutcomeText(outcome, text), OrderWait::OutcomeCode(outcome, code), true, true);
}
