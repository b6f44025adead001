#pragma once

#include <wx/string.h>

// A window that sent a request and waits for its answer. The base destructor
// withdraws every wait of the object from the process-wide registry, so no
// answer or time-out can reach a destroyed window.
class RequestCallBack
{
public:
    virtual ~RequestCallBack();

    // The answer arrived; code 0 is success.
    virtual void OnResponse(int requestId, int errorCode, const wxString& text) = 0;
    // No answer before the deadline.
    virtual void OnResponseTimeOut(int requestId) = 0;
    // The trade link dropped before the answer came (the code and text of
    // that failure): whether the request was carried out is not known. By
    // default an answer with that code and text.
    virtual void OnResponseLost(int requestId, int errorCode, const wxString& text)
    {
        OnResponse(requestId, errorCode, text);
    }
};
