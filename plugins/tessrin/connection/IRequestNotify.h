#pragma once

#include <wx/string.h>

class RequestCallBack;

// The pending-request registry as the senders and answer handlers see it.
class IRequestNotify
{
public:
    virtual ~IRequestNotify() = default;

    // Registers a wait for the answer to `requestId`; the first registration
    // of an id stays. `timeoutMs` is at most one hour.
    virtual void WaitResponse(int requestId, RequestCallBack* callback, unsigned timeoutMs) = 0;
    virtual void RemoveRequest(int requestId) = 0;
    virtual void RemoveCallBack(RequestCallBack* callback) = 0;
    // Fails every wait at once (the trade connection dropped): each window
    // hears of it through RequestCallBack::OnResponseLost.
    virtual void NotifyAll(int errorCode, const wxString& text) = 0;
    // Delivers the answer to `requestId`; an unknown id is dropped.
    virtual void NotifyResponse(int requestId, int errorCode, const wxString& serverText) = 0;
};
