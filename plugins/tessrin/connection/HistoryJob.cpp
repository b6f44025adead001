#include "connection/HistoryJob.h"

#include <algorithm>
#include <chrono>
#include <curl/curl.h>
#include <memory>
#include <wx/log.h>
#include <wx/strconv.h>

namespace {
// Longest single wait for socket activity: bounds how late a cancel is noticed.
constexpr int kPollSliceMs = 100;

struct EasyDeleter
{
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter
{
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using MultiHandle = std::unique_ptr<CURLM, MultiDeleter>;

// Keeps the easy handle in the multi handle for one scope; it must leave the
// multi handle before either is cleaned up.
class MultiMembership
{
public:
    MultiMembership(CURLM* multi, CURL* easy) : m_multi(multi), m_easy(easy)
    {
        m_added = curl_multi_add_handle(m_multi, m_easy) == CURLM_OK;
    }
    ~MultiMembership()
    {
        if(m_added) {
            curl_multi_remove_handle(m_multi, m_easy);
        }
    }
    MultiMembership(const MultiMembership&) = delete;
    MultiMembership& operator=(const MultiMembership&) = delete;
    bool IsAdded() const { return m_added; }

private:
    CURLM* m_multi;
    CURL* m_easy;
    bool m_added = false;
};

CURLMcode Perform(CURLM* multi, int& running)
{
    CURLMcode rc;
    do {
        rc = curl_multi_perform(multi, &running);
    } while(rc == CURLM_CALL_MULTI_PERFORM);
    return rc;
}
} // namespace

// libcurl's global state is set up once, before the first handle, instead of
// implicitly (and racily) by whichever worker gets there first.
bool EnsureCurlInitialised()
{
    static const bool ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ok;
}

size_t HttpWriteToString(char* data, size_t size, size_t count, void* answer)
{
    const size_t bytes = size * count;
    static_cast<std::string*>(answer)->append(data, bytes);
    return bytes;
}

wxString HttpBodyToText(const std::string& body)
{
    if(body.empty()) {
        return wxString();
    }
    wxString text = wxString::FromUTF8(body.data(), body.size());
    if(text.empty()) {
        // Not valid UTF-8: keep every byte rather than lose the whole answer.
        const wxMBConvUTF8 lenient(wxMBConvUTF8::MAP_INVALID_UTF8_TO_PUA);
        text = wxString(body.data(), lenient, body.size());
    }
    return text;
}

HistoryJob::HistoryJob(wxEvtHandler* owner, const wxString& url, int timeoutMs, wxInt64 tag)
    : Job(owner, tag), m_timeoutMs(std::max(timeoutMs, 0)), m_url(url)
{
    EnsureCurlInitialised();
}

HistoryJob::~HistoryJob() = default;

void HistoryJob::Cancel()
{
    wxMutexLocker lock(m_mutex);
    m_cancelled = true;
}

bool HistoryJob::IsCancelled()
{
    wxMutexLocker lock(m_mutex);
    return m_cancelled;
}

void HistoryJob::Process(wxThread* /*thread*/)
{
    wxLogGeneric(100, "%s", m_url);

    std::string body;
    const Outcome outcome = Transfer(body);
    if(outcome == Outcome::Cancelled) {
        return;
    }
    // A body cut short by an error is not an answer: its reader would take
    // the truncated text for the whole. Decoded before locking, so a large
    // body does not hold up a Cancel() on the GUI thread.
    const wxString text = outcome == Outcome::Complete ? HttpBodyToText(body) : wxString();

    // Tested and posted under the lock, so a post never overlaps a Cancel().
    wxMutexLocker lock(m_mutex);
    if(m_cancelled) {
        return;
    }
    if(text.empty()) {
        Post(nullptr);
    } else {
        Post(m_id, text);
    }
}

HistoryJob::Outcome HistoryJob::Transfer(std::string& body)
{
    if(!EnsureCurlInitialised()) {
        return Outcome::Failed;
    }
    EasyHandle easy(curl_easy_init());
    MultiHandle multi(curl_multi_init());
    if(!easy || !multi) {
        return Outcome::Failed;
    }
    const wxScopedCharBuffer url = m_url.utf8_str();
    curl_easy_setopt(easy.get(), CURLOPT_URL, url.data());
    curl_easy_setopt(easy.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, &HttpWriteToString);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &body);

    MultiMembership membership(multi.get(), easy.get());
    if(!membership.IsAdded()) {
        return Outcome::Failed;
    }

    // Real time of silence since the last byte of the body (or the start),
    // counted also while libcurl is still resolving the name or has no
    // socket yet: a slow answer that keeps coming is waited for, a stalled
    // one is not.
    using Clock = std::chrono::steady_clock;
    auto lastProgress = Clock::now();
    std::size_t received = 0;
    const auto timeout = std::chrono::milliseconds(m_timeoutMs);

    int running = 0;
    if(Perform(multi.get(), running) != CURLM_OK) {
        return Outcome::Failed;
    }
    while(running != 0) {
        if(IsCancelled()) {
            return Outcome::Cancelled;
        }
        int waitMs = kPollSliceMs;
        if(body.size() != received) {
            received = body.size();
            lastProgress = Clock::now();
        }
        if(m_timeoutMs > 0) {
            const auto left = timeout - (Clock::now() - lastProgress);
            if(left <= Clock::duration::zero()) {
                return Outcome::Failed;
            }
            const auto leftMs = std::chrono::ceil<std::chrono::milliseconds>(left).count();
            waitMs = static_cast<int>(std::min<long long>(waitMs, leftMs));
        }
        // poll() rather than select(): no FD_SETSIZE limit on descriptor numbers.
        if(curl_multi_poll(multi.get(), nullptr, 0, waitMs, nullptr) != CURLM_OK) {
            wxLogGeneric(100, "GET HISTORY ERROR");
            return Outcome::Failed;
        }
        if(Perform(multi.get(), running) != CURLM_OK) {
            return Outcome::Failed;
        }
    }

    CURLcode result = CURLE_FAILED_INIT;
    int queued = 0;
    while(CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
        if(message->msg == CURLMSG_DONE && message->easy_handle == easy.get()) {
            result = message->data.result;
        }
    }
    return result == CURLE_OK ? Outcome::Complete : Outcome::Failed;
}
