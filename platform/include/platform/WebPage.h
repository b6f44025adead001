#pragma once

#include <functional>
#include <memory>
#include <vector>
#include <wx/clntdata.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxWebView;
class wxWebViewEvent;
class wxWindow;

// Every web view of the program is made here. WebKit aborts the whole
// process when a page calls window.open, so each page gets a window.open
// that turns into a new-window request instead (wxEVT_WEBVIEW_NEWWINDOW with
// the address; no window is ever opened). Only http, https and about:blank
// load, and files the program names itself through LoadOwnPage. Script
// calls made before the program's page has loaded wait for it: the view's
// first loaded event is for its initial about:blank.
//
// The object is the view's client object and lives as long as the view;
// nothing else may set one on it.
class WebPage : public wxClientData
{
public:
    // A view on about:blank, owned by its parent like any child window.
    // Null (logged) when the system has no web engine.
    static WebPage* Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                           const wxSize& size = wxDefaultSize, long style = 0);
    // The page of a view made by Create, else null.
    static WebPage* Of(const wxWebView* view);
    ~WebPage() override;

    wxWebView* GetView() const { return m_view; }

    // An http, https or about:blank address; any other is logged and refused.
    bool LoadUrl(const wxString& url);
    // A file of the program's own, given relative to the folder it must lie
    // in (after links and ".." are resolved).
    bool LoadOwnPage(const wxString& folder, const wxString& relativePath);
    // This HTML as the page, at a base address LoadUrl would accept.
    bool SetPage(const wxString& html, const wxString& baseUrl = "about:blank");

    // The page last asked for by the program has loaded.
    bool IsLoaded() const { return m_loaded; }
    // Runs the script in the program's page once it has loaded, in order.
    void RunScript(const wxString& script);
    // Calls the action once the program's page has loaded, in order with the
    // scripts; never from inside the web engine's own callback.
    void WhenLoaded(std::function<void()> action);
    // Runs the script at once in the page shown and waits for its result,
    // after the scripts already sent have finished (at most 10 s). wx 3.2
    // mixes up results when its synchronous and asynchronous script calls
    // overlap, so scripts go through this object only, never the view's own.
    bool Evaluate(const wxString& script, wxString* output = nullptr);

    // The text as a script string literal in double quotes; backslashes,
    // quotes, line breaks, U+2028, U+2029 and control characters escaped.
    static wxString QuoteScriptText(const wxString& text);
    // function("argument",...) with every argument quoted.
    static wxString ScriptCall(const wxString& function, const std::vector<wxString>& arguments);

private:
    explicit WebPage(wxWebView* view);

    void StartLoad(const wxString& expectedUrl, std::function<void()> load);
    bool MayLoad(const wxString& url) const;
    void Dispatch(const wxString& script);
    void ScheduleRun();
    void RunPending();
    void OnNavigating(wxWebViewEvent& event);
    void OnNewWindow(wxWebViewEvent& event);
    void OnLoaded(wxWebViewEvent& event);
    void OnScriptResult(wxWebViewEvent& event);
    // The parent goes while scripts still run: wx 3.2 cannot cancel them and
    // would hand their results to a destroyed view, so the view moves, hidden,
    // to the top window until the last result is back.
    void KeepUntilScriptsReturn();

    wxWebView* m_view;
    bool m_initialLoaded = false;         // the view's own about:blank came
    std::function<void()> m_deferredLoad; // asked for before that
    wxString m_expectedUrl = "about:blank";
    bool m_loaded = false;
    bool m_runScheduled = false;
    bool m_evaluating = false;
    int m_inFlight = 0;  // scripts sent, result not yet back
    bool m_kept = false; // moved away from its destroyed parent
    std::vector<std::function<void()>> m_pending;
    std::vector<wxString> m_ownPages; // file: addresses the program named
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
