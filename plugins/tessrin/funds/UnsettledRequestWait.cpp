#include "funds/UnsettledRequestWait.h"

#include <wx/intl.h>

wxString UnsettledRequestWait::LinkLostText()
{
    return _("The trade link dropped before the answer: the request may still be carried out; check the "
             "Account page before you send it again");
}

wxString UnsettledRequestWait::CarriedOutText()
{
    return _("The request that had no answer was carried out");
}

wxString UnsettledRequestWait::TimeOutText(TimeOut outcome)
{
    if(outcome == eNoWord) {
        return _("Still no answer: check the Account page before you send it again");
    }
    return _("No answer yet: the request may still be carried out; check the Account page before you send it "
             "again");
}

void UnsettledRequestWait::Start(int requestId, unsigned timeoutMs)
{
    m_unsettled = false;
    m_wait.Start(requestId, timeoutMs);
}

UnsettledRequestWait::Answer UnsettledRequestWait::OnResponse(int requestId, int errorCode)
{
    if(m_wait.End(requestId)) {
        return eInTime;
    }
    if(!m_unsettled || !m_wait.EndLate(requestId)) {
        return eNotOurs;
    }
    m_unsettled = false;
    return errorCode == 0 ? eLateCarriedOut : eLateRefused;
}

UnsettledRequestWait::TimeOut UnsettledRequestWait::OnResponseTimeOut(int requestId)
{
    if(m_wait.TimeOut(requestId)) {
        m_unsettled = true;
        return eUnsettled;
    }
    if(m_unsettled && m_wait.EndLate(requestId)) {
        m_unsettled = false;
        return eNoWord;
    }
    return eNotOursTimeOut;
}

bool UnsettledRequestWait::OnResponseLost(int requestId)
{
    if(!m_wait.End(requestId) && !(m_unsettled && m_wait.EndLate(requestId))) {
        return false;
    }
    m_unsettled = true;
    return true;
}

void UnsettledRequestWait::Drop()
{
    m_wait.Drop();
    m_unsettled = false;
}
