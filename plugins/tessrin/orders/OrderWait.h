#pragma once

#include "connection/RequestWait.h"
#include "db/CActionTrigger.h"
#include "orders/OrderFate.h"

#include <functional>
#include <wx/event.h>

class RecordStore;
class RequestCallBack;
class RequestNotify;
struct symbol_price;
struct trade_BinaryOrder;
struct trade_HoldBill;
struct trade_Limit;
struct trade_Position;

// The wait of an order window for the answer to the order it sent, and what
// the window knows of the order's fate when the wait ends without one. After
// a time-out, or when the trade link drops before the answer, the order may
// still be carried out: the window is "unsettled" and sends nothing more
// until the late answer, the fill (seen in the trade records), or the trade
// records read again after the link came back settle it; the settling is
// told to the window's handler, after the change that settled it. After
// RequestWait::kLateAnswerMs without any of these the window is told that
// no word came. GUI thread only.
class OrderWait : public CActionTrigger<trade_HoldBill>,
                  public CActionTrigger<trade_Limit>,
                  public CActionTrigger<trade_Position>,
                  public CActionTrigger<trade_BinaryOrder>,
                  public CActionTrigger<symbol_price>
{
public:
    enum Outcome {
        eCarriedOut,    // the late answer was success, or the records show the fill
        eRefused,       // the late answer was an error (its code and text)
        eNotCarriedOut, // the records read again show nothing of it
        eNoWord,        // nothing came in time
    };
    using Handler = std::function<void(Outcome outcome, int code, const wxString& text)>;
    // Whether the trade records have been read since the link came up (the
    // login's queries all answered); default: the plug-in's Client.
    using ReadyCheck = std::function<bool()>;
    enum Answer {
        eNotOurs, // another request's, or one no longer awaited
        eInTime,  // the awaited answer: the window handles it as ever
        eSettled, // a late one: the handler was told
    };

    // What an order window says, translated: while the fate is unknown,
    // when the link dropped before the answer, and when it is settled (the
    // message and its code: 0, a notice, for an order carried out).
    static wxString UnsettledText();
    static wxString LinkLostText();
    static wxString OutcomeText(Outcome outcome, const wxString& answerText);
    static int OutcomeCode(Outcome outcome, int answerCode);

    OrderWait(RequestCallBack* owner, RecordStore* store, Handler handler);
    ~OrderWait() override;
    OrderWait(const OrderWait&) = delete;
    OrderWait& operator=(const OrderWait&) = delete;

    void SetRegistry(RequestNotify* registry) { m_wait.SetRegistry(registry); }
    void SetReadyCheck(ReadyCheck check) { m_ready = std::move(check); }

    // Registers the wait; nothing may be awaited or unsettled.
    void Start(int requestId, unsigned timeoutMs, OrderFate fate);
    // From the window's RequestCallBack slots.
    Answer OnResponse(int requestId, int errorCode, const wxString& text);
    // True when the awaited (or the late) request was lost with the link.
    bool OnResponseLost(int requestId);
    // True when the awaited request timed out now (the window says so); the
    // end of the late listening tells the handler.
    bool OnResponseTimeOut(int requestId);
    // Leaves every state and withdraws every registration.
    void Drop();

    bool IsWaiting() const { return m_wait.IsWaiting(); }
    int GetRequestId() const { return m_wait.GetRequestId(); }
    bool IsUnsettled() const { return m_state != eSettledState && !m_wait.IsWaiting(); }
    bool CanSend() const { return !m_wait.IsWaiting() && m_state == eSettledState; }

    void afterAdd(const trade_HoldBill& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const trade_HoldBill& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const trade_HoldBill& stored, CTransaction* transaction, void* reserved) override;
    void afterAdd(const trade_Limit& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const trade_Limit& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const trade_Limit& stored, CTransaction* transaction, void* reserved) override;
    void afterAdd(const trade_Position& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const trade_Position& stored, CTransaction* transaction, void* reserved) override;
    void afterAdd(const trade_BinaryOrder& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const symbol_price& stored, CTransaction* transaction, void* reserved) override;

private:
    enum State {
        eSettledState, // nothing unknown
        eUnanswered,   // timed out; its late answer is listened for
        eLinkLost,     // the link dropped before the answer
    };
    void BecomeUnsettled(State state);
    // The records changed: settled when they show the order carried out
    // (`leaving` is about to go), or, after the link came back, not.
    void Look(const wxString& leaving = wxString());
    void Settle(Outcome outcome, int code, const wxString& text);
    void Observe(bool on);
    bool IsReady() const;

    RequestWait m_wait;
    RecordStore* m_store; // not owned
    Handler m_handler;
    ReadyCheck m_ready;
    OrderFate m_fate;
    State m_state = eSettledState;
    bool m_sawLinkDown = false;
    bool m_observing = false;
    // Runs the handler after the change that settled it, and hears the
    // connection state the Client announces (its records read, or not).
    class Listener : public wxEvtHandler
    {
    public:
        explicit Listener(OrderWait& owner) : m_owner(owner) {}
        void OnConnectionState(wxCommandEvent& event);

    private:
        OrderWait& m_owner;
    };
    Listener m_later{*this};
};
