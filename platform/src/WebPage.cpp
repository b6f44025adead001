#include "platform/WebPage.h"

#include "platform/WebAddress.h"

#include <chrono>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <wx/app.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>
#include <wx/weakref.h>
#include <wx/webview.h>

namespace {

// How long a synchronous evaluation waits for the scripts sent before it.
constexpr std::chrono::seconds kScriptWait(10);

// Injected into every frame before its own scripts: window.open becomes a
// click on a target="_blank" link, which reaches the program as a new-window
// request. The original cannot be reached again from the page.
const char* const kSafeWindowOpen = R"JS(
(function() {
    var open = function(url) {
        var link = document.createElement('a');
        link.href = (url === undefined || url === null || url === '') ? 'about:blank' : String(url);
        link.target = '_blank';
        link.rel = 'noopener noreferrer';
        link.style.display = 'none';
        var holder = document.body || document.documentElement;
        if (holder) {
            holder.appendChild(link);
            link.click();
            link.remove();
        }
        return null;
    };
    Object.defineProperty(window, 'open', { value: open, writable: false, configurable: false });
})();
)JS";

wxString RealPath(const wxString& path)
{
    char resolved[PATH_MAX];
    if(!realpath(path.fn_str(), resolved)) {
        return wxString();
    }
    return wxString(resolved, wxConvFile);
}

bool IsRegularFile(const wxString& path)
{
    struct stat info;
    return stat(path.fn_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

WebPage* WebPage::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    if(!wxWebView::IsBackendAvailable(wxWebViewBackendDefault)) {
        wxLogError("No web engine is available: the page cannot be shown.");
        return nullptr;
    }
    wxWebView* view = wxWebView::New(parent, id, "about:blank", pos, size, wxWebViewBackendDefault, style);
    if(!view) {
        wxLogError("The web view could not be created.");
        return nullptr;
    }
    auto* page = new WebPage(view);
    view->SetClientObject(page);
    return page;
}

WebPage* WebPage::Of(const wxWebView* view)
{
    return view ? dynamic_cast<WebPage*>(view->GetClientObject()) : nullptr;
}

WebPage::WebPage(wxWebView* view) : m_view(view)
{
    m_view->AddUserScript(kSafeWindowOpen, wxWEBVIEW_INJECT_AT_DOCUMENT_START);
    // The view owns this object, so the handlers never outlive it.
    m_view->Bind(wxEVT_WEBVIEW_NAVIGATING, [this](wxWebViewEvent& event) { OnNavigating(event); });
    m_view->Bind(wxEVT_WEBVIEW_NEWWINDOW, [this](wxWebViewEvent& event) { OnNewWindow(event); });
    m_view->Bind(wxEVT_WEBVIEW_LOADED, [this](wxWebViewEvent& event) { OnLoaded(event); });
    m_view->Bind(wxEVT_WEBVIEW_SCRIPT_RESULT, [this](wxWebViewEvent& event) { OnScriptResult(event); });
    if(wxWindow* parent = m_view->GetParent()) {
        // Sent before the parent destroys its children.
        const std::shared_ptr<bool> alive = m_alive;
        parent->Bind(wxEVT_DESTROY, [this, alive, parent](wxWindowDestroyEvent& event) {
            event.Skip();
            if(*alive && event.GetEventObject() == parent) {
                KeepUntilScriptsReturn();
            }
        });
    }
}

WebPage::~WebPage()
{
    *m_alive = false;
}

bool WebPage::LoadUrl(const wxString& url)
{
    if(!WebAddress::IsWeb(url) && !WebAddress::IsBlank(url)) {
        wxLogWarning("Web page: refused to load \"%s\" (only http, https and about:blank).", url);
        return false;
    }
    StartLoad(url, [this, url] { m_view->LoadURL(url); });
    return true;
}

bool WebPage::LoadOwnPage(const wxString& folder, const wxString& relativePath)
{
    const wxString root = RealPath(folder);
    const wxString file =
        wxFileName(relativePath).IsAbsolute() ? wxString() : RealPath(folder + "/" + relativePath);
    if(root.empty() || file.empty() || !file.StartsWith(root + "/") || !IsRegularFile(file)) {
        wxLogWarning("Web page: \"%s\" is not a page file inside \"%s\".", relativePath, folder);
        return false;
    }
    const wxString url = WebAddress::FromFilePath(file);
    m_ownPages.push_back(url);
    StartLoad(url, [this, url] { m_view->LoadURL(url); });
    return true;
}

bool WebPage::SetPage(const wxString& html, const wxString& baseUrl)
{
    if(!WebAddress::IsWeb(baseUrl) && !WebAddress::IsBlank(baseUrl)) {
        wxLogWarning("Web page: refused the base address \"%s\".", baseUrl);
        return false;
    }
    StartLoad(baseUrl, [this, html, baseUrl] { m_view->SetPage(html, baseUrl); });
    return true;
}

void WebPage::RunScript(const wxString& script)
{
    if(m_loaded && m_pending.empty() && !m_evaluating) {
        Dispatch(script);
        return;
    }
    m_pending.push_back([this, script] { Dispatch(script); });
}

void WebPage::WhenLoaded(std::function<void()> action)
{
    m_pending.push_back(std::move(action));
    if(m_loaded) {
        ScheduleRun();
    }
}

bool WebPage::Evaluate(const wxString& script, wxString* output)
{
    if(m_evaluating) {
        wxLogDebug("Web page: nested evaluation of \"%s\" refused.", script);
        return false;
    }
    m_evaluating = true;
    const std::shared_ptr<bool> alive = m_alive;
    const auto deadline = std::chrono::steady_clock::now() + kScriptWait;
    while(m_inFlight > 0 && std::chrono::steady_clock::now() < deadline) {
        wxYield();
        if(!*alive) {
            return false;
        }
        wxMilliSleep(1);
    }
    bool done = false;
    if(m_inFlight > 0) {
        wxLogWarning("Web page: earlier scripts did not finish; \"%s\" not run.", script);
    } else {
        done = m_view->RunScript(script, output);
    }
    if(!*alive) {
        return false;
    }
    m_evaluating = false;
    if(m_loaded && !m_pending.empty()) {
        ScheduleRun();
    }
    return done;
}

wxString WebPage::QuoteScriptText(const wxString& text)
{
    wxString quoted = "\"";
    for(const wxUniChar c : text) {
        const wxUint32 code = c.GetValue();
        switch(code) {
        case '\\':
            quoted += "\\\\";
            break;
        case '"':
            quoted += "\\\"";
            break;
        case '\'':
            quoted += "\\'";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        case 0x2028:
        case 0x2029:
            quoted += wxString::Format("\\u%04X", code);
            break;
        default:
            if(code < 0x20 || code == 0x7F) {
                quoted += wxString::Format("\\u%04X", code);
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

wxString WebPage::ScriptCall(const wxString& function, const std::vector<wxString>& arguments)
{
    wxString call = function + "(";
    for(size_t i = 0; i < arguments.size(); ++i) {
        call += (i ? "," : "") + QuoteScriptText(arguments[i]);
    }
    return call + ")";
}

void WebPage::StartLoad(const wxString& expectedUrl, std::function<void()> load)
{
    m_loaded = false;
    m_expectedUrl = expectedUrl;
    if(m_initialLoaded) {
        load();
    } else {
        // Started now, the view's own about:blank would still report loaded
        // afterwards and pass for this page.
        m_deferredLoad = std::move(load);
    }
}

bool WebPage::MayLoad(const wxString& url) const
{
    if(WebAddress::IsWeb(url) || WebAddress::IsBlank(url) || url.Lower() == "about:srcdoc") {
        return true;
    }
    for(const wxString& own : m_ownPages) {
        if(WebAddress::IsSame(url, own)) {
            return true;
        }
    }
    return false;
}

void WebPage::ScheduleRun()
{
    if(m_runScheduled) {
        return;
    }
    m_runScheduled = true;
    m_view->CallAfter([this] {
        m_runScheduled = false;
        RunPending();
    });
}

void WebPage::Dispatch(const wxString& script)
{
    ++m_inFlight;
    m_view->RunScriptAsync(script, this);
}

void WebPage::RunPending()
{
    const std::shared_ptr<bool> alive = m_alive;
    while(m_loaded && !m_evaluating && !m_pending.empty()) {
        std::function<void()> action = std::move(m_pending.front());
        m_pending.erase(m_pending.begin());
        action();
        if(!*alive) {
            return; // the action closed the view
        }
    }
}

void WebPage::OnNavigating(wxWebViewEvent& event)
{
    if(MayLoad(event.GetURL())) {
        event.Skip();
        return;
    }
    wxLogWarning("Web page: refused to load \"%s\".", event.GetURL());
    event.Veto();
}

void WebPage::OnNewWindow(wxWebViewEvent& event)
{
    wxLogDebug("Web page: new-window request for \"%s\" (not opened).", event.GetURL());
    event.Skip();
}

void WebPage::OnLoaded(wxWebViewEvent& event)
{
    event.Skip();
    if(!m_initialLoaded) {
        m_initialLoaded = true;
        if(m_deferredLoad) {
            std::function<void()> load = std::move(m_deferredLoad);
            m_deferredLoad = nullptr;
            load();
            return;
        }
    }
    if(!m_loaded && WebAddress::IsSame(event.GetURL(), m_expectedUrl)) {
        m_loaded = true;
        ScheduleRun();
    }
}

void WebPage::OnScriptResult(wxWebViewEvent& event)
{
    if(event.GetClientData() == this) {
        --m_inFlight;
        if(event.IsError()) {
            wxLogDebug("Web page: a script failed: %s", event.GetString());
        }
        if(m_kept && m_inFlight == 0 && wxTheApp) {
            // Not from inside the engine's callback.
            const wxWeakRef<wxWebView> view(m_view);
            wxTheApp->CallAfter([view] {
                if(view) {
                    view->Destroy();
                }
            });
        }
    }
    event.Skip();
}

void WebPage::KeepUntilScriptsReturn()
{
    wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    if(m_inFlight == 0 || m_kept || !top || top->IsBeingDeleted() || top == m_view->GetParent()) {
        return;
    }
    m_kept = true;
    m_view->Hide();
    m_view->Reparent(top);
}
