#include "connection/RequestNotify.h"

#include "connection/ErrorTextTable.h"
#include "connection/RequestCallBack.h"

#include <utility>
#include <vector>
#include <wx/debug.h>

namespace {
std::unique_ptr<RequestNotify> s_instance;
} // namespace

RequestCallBack::~RequestCallBack()
{
    if(RequestNotify* registry = RequestNotify::GetIfExists()) {
        registry->RemoveCallBack(this);
    }
}

RequestNotify* RequestNotify::Get()
{
    if(!s_instance) {
        s_instance = std::make_unique<RequestNotify>();
    }
    return s_instance.get();
}

RequestNotify* RequestNotify::GetIfExists()
{
    return s_instance.get();
}

void RequestNotify::Release()
{
    s_instance.reset();
}

RequestNotify::RequestNotify(Clock clock, const ErrorTextTable* errors)
    : m_clock(std::move(clock)), m_errors(errors)
{
    if(!m_clock) {
        m_clock = [] { return wxDateTime::UNow(); };
    }
}

RequestNotify::~RequestNotify() = default;

void RequestNotify::WaitResponse(int requestId, RequestCallBack* callback, unsigned timeout)
{
    wxASSERT_MSG(timeout <= 1000 * 60 * 60, "RequestNotify::WaitResponse");
    if(timeout > kMaxTimeoutMs) {
        timeout = kMaxTimeoutMs; // a wait never outlives the hour
    }
    if(!callback) {
        return;
    }
    const wxDateTime deadline = m_clock() + wxTimeSpan::Milliseconds(timeout);
    m_entries.insert(Entry{requestId, callback, deadline}); // a taken id keeps its first wait
}

void RequestNotify::RemoveRequest(int requestId)
{
    m_entries.get<ById>().erase(requestId);
}

void RequestNotify::RemoveCallBack(RequestCallBack* callback)
{
    m_entries.get<ByCallback>().erase(callback);
}

void RequestNotify::NotifyAll(int errorCode, const wxString& text)
{
    const wxString chosen = ChooseText(errorCode, text);
    std::vector<Entry> failed(m_entries.begin(), m_entries.end());
    auto& byId = m_entries.get<ById>();
    for(const Entry& entry : failed) {
        // An earlier callback may have withdrawn this wait, or destroyed its
        // window: only a wait still held for the same window is failed.
        auto it = byId.find(entry.requestId);
        if(it == byId.end() || it->callback != entry.callback) {
            continue;
        }
        byId.erase(it);
        entry.callback->OnResponseLost(entry.requestId, errorCode, chosen);
    }
}

void RequestNotify::NotifyResponse(int requestId, int errorCode, const wxString& serverText)
{
    auto& byId = m_entries.get<ById>();
    auto it = byId.find(requestId);
    if(it == byId.end()) {
        return;
    }
    const Entry entry = *it;
    byId.erase(it);
    entry.callback->OnResponse(entry.requestId, errorCode, ChooseText(errorCode, serverText));
}

void RequestNotify::CheckTimeOut(const wxDateTime& now)
{
    auto& byDeadline = m_entries.get<ByDeadline>();
    while(!byDeadline.empty()) {
        auto first = byDeadline.begin();
        if(first->deadline.IsLaterThan(now)) {
            break;
        }
        const Entry entry = *first;
        byDeadline.erase(first);
        entry.callback->OnResponseTimeOut(entry.requestId);
    }
}

bool RequestNotify::IsWaiting(int requestId) const
{
    const auto& byId = m_entries.get<ById>();
    return byId.find(requestId) != byId.end();
}

wxDateTime RequestNotify::GetDeadline(int requestId) const
{
    const auto& byId = m_entries.get<ById>();
    auto it = byId.find(requestId);
    return it == byId.end() ? wxDateTime() : it->deadline;
}

wxString RequestNotify::ChooseText(int errorCode, const wxString& given) const
{
    const ErrorTextTable* errors = m_errors ? m_errors : g_errorTable;
    if(errors && errors->HasErrorText(errorCode)) {
        return errors->GetErrorText(errorCode);
    }
    return ServerMessageText(errorCode, given, errors);
}
