#pragma once

#include "connection/RequestWait.h"

#include <wx/string.h>

class RequestCallBack;
class RequestNotify;

// The wait of a window whose request must not go twice: it moves money or
// goods (a deposit or withdrawal, a transfer, a financing), or changes a
// password the client must then log in with. After a time-out, or when the
// trade link drops before the answer, the request may still be carried out:
// the window sends nothing more until its late answer, or the end of the
// listening for it, settles it. GUI thread only.
class UnsettledRequestWait
{
public:
    enum Answer {
        eNotOurs,        // another request's, or one no longer listened for
        eInTime,         // the awaited answer: the window handles it as ever
        eLateCarriedOut, // the late answer was success
        eLateRefused,    // the late answer was an error (its code and text)
    };
    enum TimeOut {
        eNotOursTimeOut, // nothing awaited or listened for
        eUnsettled,      // the awaited request timed out now
        eNoWord,         // its late answer did not come either
    };

    // What a money window says: while the fate is unknown, when the link
    // dropped before the answer, when the late answer was success, when none
    // came.
    static wxString LinkLostText();
    static wxString CarriedOutText();
    // At a time-out that is ours: the fate unknown (OK stays disabled), or
    // no word at the end of the listening (OK again).
    static wxString TimeOutText(TimeOut outcome);

    explicit UnsettledRequestWait(RequestCallBack* owner) : m_wait(owner) {}
    UnsettledRequestWait(const UnsettledRequestWait&) = delete;
    UnsettledRequestWait& operator=(const UnsettledRequestWait&) = delete;

    void SetRegistry(RequestNotify* registry) { m_wait.SetRegistry(registry); }

    // Registers the wait; nothing may be awaited or unsettled.
    void Start(int requestId, unsigned timeoutMs);
    // From the window's RequestCallBack slots.
    Answer OnResponse(int requestId, int errorCode);
    TimeOut OnResponseTimeOut(int requestId);
    // True when the awaited (or the late) request was lost with the link:
    // the window stays unsettled, as no answer can come any more.
    bool OnResponseLost(int requestId);
    // Leaves every state and withdraws every registration.
    void Drop();

    bool IsWaiting() const { return m_wait.IsWaiting(); }
    int GetRequestId() const { return m_wait.GetRequestId(); }
    bool IsUnsettled() const { return m_unsettled; }
    bool CanSend() const { return !m_wait.IsWaiting() && !m_unsettled; }

private:
    RequestWait m_wait;
    bool m_unsettled = false;
};
