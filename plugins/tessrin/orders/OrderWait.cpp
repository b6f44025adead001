#include "orders/OrderWait.h"

#include "common/IClientPlugin.h"
#include "connection/Client.h"
#include "db/RecordStore.h"

#include <memory>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <wx/intl.h>

wxString OrderWait::UnsettledText()
{
    return _("No answer yet: the order may still be carried out; check the Trade page");
}

wxString OrderWait::LinkLostText()
{
    return _(
        "The trade link dropped before the answer: the order may still be carried out; check the Trade page");
}

wxString OrderWait::OutcomeText(Outcome outcome, const wxString& answerText)
{
    switch(outcome) {
    case eCarriedOut:
        return _("The order that had no answer was carried out");
    case eRefused:
        return answerText;
    case eNotCarriedOut:
        return _("The order that had no answer was not carried out");
    default:
        return _("Still no answer: check the Trade page before you order again");
    }
}

int OrderWait::OutcomeCode(Outcome outcome, int answerCode)
{
    return outcome == eCarriedOut ? 0 : outcome == eRefused ? answerCode : -1;
}

OrderWait::OrderWait(RequestCallBack* owner, RecordStore* store, Handler handler)
    : m_wait(owner), m_store(store), m_handler(std::move(handler))
{}

OrderWait::~OrderWait()
{
    Observe(false);
}

bool OrderWait::IsReady() const
{
    if(m_ready) {
        return m_ready();
    }
    Client* client = g_plugin ? g_plugin->GetClient().get() : nullptr;
    return client && client->IsReady();
}

void OrderWait::Start(int requestId, unsigned timeoutMs, OrderFate fate)
{
    m_fate = std::move(fate);
    m_state = eSettledState;
    m_wait.Start(requestId, timeoutMs);
}

OrderWait::Answer OrderWait::OnResponse(int requestId, int errorCode, const wxString& text)
{
    if(m_wait.End(requestId)) {
        return eInTime;
    }
    if(m_state != eUnanswered || !m_wait.EndLate(requestId)) {
        return eNotOurs;
    }
    Settle(errorCode == 0 ? eCarriedOut : eRefused, errorCode, text);
    return eSettled;
}

bool OrderWait::OnResponseLost(int requestId)
{
    if(!m_wait.End(requestId) && !(m_state == eUnanswered && m_wait.EndLate(requestId))) {
        return false;
    }
    m_sawLinkDown = !IsReady();
    BecomeUnsettled(eLinkLost);
    return true;
}

bool OrderWait::OnResponseTimeOut(int requestId)
{
    if(m_wait.TimeOut(requestId)) {
        BecomeUnsettled(eUnanswered);
        return true;
    }
    if(m_state == eUnanswered && m_wait.EndLate(requestId)) {
        Settle(eNoWord, -1, wxString());
    }
    return false;
}

void OrderWait::Drop()
{
    m_wait.Drop();
    m_state = eSettledState;
    Observe(false);
}

void OrderWait::BecomeUnsettled(State state)
{
    m_state = state;
    Observe(true);
    Look(); // the fill may have come before the time-out
}

void OrderWait::Settle(Outcome outcome, int code, const wxString& text)
{
    m_state = eSettledState;
    m_wait.Drop(); // nothing more of it is listened for
    Observe(false);
    // Never inside the table change that settled it: the handler may show a box.
    m_later.CallAfter([this, outcome, code, text] {
        if(m_handler) {
            m_handler(outcome, code, text);
        }
    });
}

void OrderWait::Look(const wxString& leaving)
{
    if(m_state == eSettledState) {
        return;
    }
    if(m_fate.IsCarriedOut(m_store, leaving)) {
        Settle(eCarriedOut, 0, wxString());
        return;
    }
    if(m_state != eLinkLost) {
        return;
    }
    // Down, then up with every record of the login read again: what the
    // records do not show was not carried out.
    if(!IsReady()) {
        m_sawLinkDown = true;
    } else if(m_sawLinkDown) {
        Settle(eNotCarriedOut, -1, wxString());
    }
}

void OrderWait::Observe(bool on)
{
    if(on == m_observing || !m_store || !m_store->m_trade_HoldBill_table) {
        return;
    }
    m_observing = on;
    if(on) {
        EventNotifier::Get()->Bind(wxEVT_CMD_CONNECTION_STATE, &Listener::OnConnectionState, &m_later);
        m_store->m_trade_HoldBill_table->AddActionTrigger(this);
        m_store->m_trade_Limit_table->AddActionTrigger(this);
        m_store->m_trade_Position_table->AddActionTrigger(this);
        m_store->m_trade_BinaryOrder_table->AddActionTrigger(this);
        m_store->m_symbol_price_table->AddActionTrigger(this);
        return;
    }
    EventNotifier::Get()->Unbind(wxEVT_CMD_CONNECTION_STATE, &Listener::OnConnectionState, &m_later);
    // The tables it registered with, which may outlive a store swapped since.
    if(auto* table = CActionTrigger<trade_HoldBill>::GetObservedTable()) {
        table->RemoveActionTrigger(this);
    }
    if(auto* table = CActionTrigger<trade_Limit>::GetObservedTable()) {
        table->RemoveActionTrigger(this);
    }
    if(auto* table = CActionTrigger<trade_Position>::GetObservedTable()) {
        table->RemoveActionTrigger(this);
    }
    if(auto* table = CActionTrigger<trade_BinaryOrder>::GetObservedTable()) {
        table->RemoveActionTrigger(this);
    }
    if(auto* table = CActionTrigger<symbol_price>::GetObservedTable()) {
        table->RemoveActionTrigger(this);
    }
}

void OrderWait::Listener::OnConnectionState(wxCommandEvent& event)
{
    event.Skip();
    m_owner.Look();
}

void OrderWait::afterAdd(const trade_HoldBill&, CTransaction*, void*)
{
    Look();
}

void OrderWait::afterUpdate(const trade_HoldBill&, CTransaction*, void*)
{
    Look();
}

bool OrderWait::beforeRemove(const trade_HoldBill& stored, CTransaction*, void*)
{
    Look(stored.orderCode);
    return true;
}

void OrderWait::afterAdd(const trade_Limit&, CTransaction*, void*)
{
    Look();
}

void OrderWait::afterUpdate(const trade_Limit&, CTransaction*, void*)
{
    Look();
}

bool OrderWait::beforeRemove(const trade_Limit& stored, CTransaction*, void*)
{
    Look(stored.orderCode);
    return true;
}

void OrderWait::afterAdd(const trade_Position&, CTransaction*, void*)
{
    Look();
}

void OrderWait::afterUpdate(const trade_Position&, CTransaction*, void*)
{
    Look();
}

void OrderWait::afterAdd(const trade_BinaryOrder&, CTransaction*, void*)
{
    Look();
}

void OrderWait::afterUpdate(const symbol_price&, CTransaction*, void*)
{
    Look();
}
