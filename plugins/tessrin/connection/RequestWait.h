#pragma once

class RequestCallBack;
class RequestNotify;

// The wait of one window for the answer to the request it sent: at most one
// request at a time, registered with the pending-request registry, ended by
// its answer or its time-out, withdrawn when the window closes. Answers and
// time-outs of other ids do not end it. An answer that comes after the
// time-out is still heard (the last timed-out request only), so that the
// window can tell what became of it. GUI thread only.
class RequestWait
{
public:
    // How long the answer to a timed-out request is still listened for.
    static constexpr unsigned kLateAnswerMs = 10u * 60u * 1000u;

    // `registry` null: the process-wide registry.
    explicit RequestWait(RequestCallBack* owner, RequestNotify* registry = nullptr);
    // Withdraws what is still registered.
    ~RequestWait();
    RequestWait(const RequestWait&) = delete;
    RequestWait& operator=(const RequestWait&) = delete;

    // Tests hand in a registry with their own clock.
    void SetRegistry(RequestNotify* registry) { m_registry = registry; }

    // Registers the wait; no other wait may be pending ("m_bWaitting == false").
    void Start(int requestId, unsigned timeoutMs);
    // True, and the wait ends, when `requestId` is the one awaited.
    bool End(int requestId);
    // The time-out of `requestId`: true, and the wait ends, when it is the
    // one awaited; its answer is then listened for as a late one.
    bool TimeOut(int requestId);
    // True, and the listening ends, when `requestId` is the late one (its
    // answer, or the end of the listening, arrived).
    bool EndLate(int requestId);
    // Leaves the waiting state and withdraws every registration of the owner.
    void Drop();

    bool IsWaiting() const { return m_bWaitting; }
    int GetRequestId() const { return m_waitRequestId; }

private:
    RequestNotify* Registry(bool create) const;

    RequestCallBack* m_owner;  // not owned
    RequestNotify* m_registry; // not owned; null: the singleton
    bool m_bWaitting = false;
    int m_waitRequestId = -1;
    int m_lateRequestId = -1;
};
