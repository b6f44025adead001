// Web views made through WebPage, against WebKit under Xvfb: window.open
// does not abort the process, script calls wait for the program's page,
// arguments arrive intact, and only allowed addresses load.
#include "EventPump.h"
#include "LoopbackHttpServer.h"
#include "ScratchFolder.h"
#include "platform/WebAddress.h"
#include "platform/WebPage.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>
#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/webview.h>
#include <wx/weakref.h>

namespace {

// A page that records the calls it gets; "name" tells pages apart.
std::string RecordingPage(const std::string& name, const std::string& body = "")
{
    return "<html><head><meta charset='utf-8'><title>" + name +
           "</title><script>window.records = []; function record(v) { window.records.push('" + name +
           ":' + v); } function store(v) { window.stored = v; }</script></head><body>" + body +
           "</body></html>";
}

wxString Unescape(const wxString& text)
{
    const std::string bytes = text.utf8_string();
    std::string out;
    for(size_t i = 0; i < bytes.size(); ++i) {
        if(bytes[i] == '%' && i + 2 < bytes.size()) {
            out += static_cast<char>(std::stoi(bytes.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += bytes[i];
        }
    }
    return wxString::FromUTF8(out);
}

class WebPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_server.server().Get("/page", [](const httplib::Request& request, httplib::Response& response) {
            response.set_content(
                RecordingPage(request.has_param("name") ? request.get_param_value("name") : "http",
                              "<a id=blank target=_blank href='/other?x=1'>other</a>"
                              "<button id=open onclick=\"window.open('/popup?q=1')\">open</button>"
                              "<button id=bare onclick='window.open()'>bare</button>"
                              "<iframe id=frame src='about:blank'></iframe>"),
                "text/html; charset=utf-8");
        });
        // One request per connection: a kept-alive one would hold the server's stop for seconds.
        m_server.server().set_keep_alive_max_count(1);
        m_server.Start();
        m_frame = new wxFrame(nullptr, wxID_ANY, "web page test", wxDefaultPosition, wxSize(600, 400));
        m_frame->Bind(wxEVT_WEBVIEW_NEWWINDOW,
                      [this](wxWebViewEvent& event) { newWindows.push_back(event.GetURL()); });
        // Only navigations the page lets through travel up to the frame.
        m_frame->Bind(wxEVT_WEBVIEW_NAVIGATING,
                      [this](wxWebViewEvent& event) { allowed.push_back(event.GetURL()); });
        m_frame->Show();
        m_topLevelWindows = wxTopLevelWindows.size();
    }
    void TearDown() override { m_frame->Destroy(); }

    WebPage* NewPage()
    {
        WebPage* page = WebPage::Create(m_frame);
        EXPECT_NE(nullptr, page);
        if(page) {
            page->GetView()->Bind(wxEVT_WEBVIEW_NAVIGATED, [this](wxWebViewEvent& event) {
                committed.push_back(event.GetURL());
                event.Skip();
            });
        }
        return page;
    }
    static bool WaitLoaded(WebPage* page)
    {
        return PumpUntil([page] { return page->IsLoaded(); }, std::chrono::milliseconds(15000));
    }
    static wxString Evaluate(WebPage* page, const wxString& script)
    {
        wxString result;
        EXPECT_TRUE(page->Evaluate(script, &result)) << script.utf8_string();
        return result;
    }
    static wxString Records(WebPage* page) { return Evaluate(page, "window.records.join('|')"); }
    static bool AnyContains(const std::vector<wxString>& urls, const wxString& part)
    {
        for(const wxString& url : urls) {
            if(url.Contains(part)) {
                return true;
            }
        }
        return false;
    }
    bool Committed(const wxString& part) const { return AnyContains(committed, part); }
    bool Allowed(const wxString& part) const { return AnyContains(allowed, part); }
    wxString Url(const std::string& path) const { return wxString::FromUTF8(m_server.Url(path)); }

    LoopbackHttpServer m_server;
    wxFrame* m_frame = nullptr;
    size_t m_topLevelWindows = 0;
    std::vector<wxString> newWindows;
    std::vector<wxString> committed;
    std::vector<wxString> allowed;
};

TEST_F(WebPageTest, WindowOpenFromAnyFrameArrivesAsNewWindowRequestAndNothingOpens)
{
    WebPage* page = NewPage();
    ASSERT_TRUE(page);
    EXPECT_EQ(page, WebPage::Of(page->GetView()));
    ASSERT_TRUE(page->LoadUrl(Url("/page")));
    ASSERT_TRUE(WaitLoaded(page));

    const struct
    {
        const char* script; // run as the user's action
        std::string expected;
    } cases[] = {
        {"document.getElementById('open').click()", m_server.Url("/popup?q=1")},
        {"window.open('https://bank.example/sign?acc=11')", "https://bank.example/sign?acc=11"},
        {"document.getElementById('bare').click()", "about:blank"},
        {"document.getElementById('frame').contentWindow.open('http://order.tessrin.invalid/?direction=b')",
         "http://order.tessrin.invalid/?direction=b"},
        {"var f = document.createElement('iframe'); document.body.appendChild(f); "
         "f.contentWindow.open('http://order.tessrin.invalid/?late=1')",
         "http://order.tessrin.invalid/?late=1"},
        {"document.getElementById('blank').click()", m_server.Url("/other?x=1")},
    };
    for(const auto& c : cases) {
        newWindows.clear();
        Evaluate(page, c.script);
        ASSERT_TRUE(PumpUntil([this] { return !newWindows.empty(); }, std::chrono::milliseconds(10000))) << c.script;
        EXPECT_EQ(wxString::FromUTF8(c.expected), newWindows.front()) << c.script;
    }
    EXPECT_EQ("null", Evaluate(page, "String(window.open('http://order.tessrin.invalid/?x'))"));
    EXPECT_EQ("function", Evaluate(page, "delete window.open; window.open = 1; typeof window.open"));
    EXPECT_TRUE(WebAddress::IsSame(Url("/page"), page->GetView()->GetCurrentURL()));
    EXPECT_EQ(m_topLevelWindows, wxTopLevelWindows.size()) << "a window was opened";
}

TEST_F(WebPageTest, ScriptCallsBeforeLoadRunInOrderOnTheProgramsPageNotOnAboutBlank)
{
    ScratchFolder folder;
    wxFFile(folder.File("own.html"), "w").Write(wxString::FromUTF8(RecordingPage("own")));
    const struct
    {
        const char* name;
        std::function<bool(WebPage*)> load;
    } cases[] = {
        {"html", [](WebPage* p) { return p->SetPage(wxString::FromUTF8(RecordingPage("html"))); }},
        {"http", [this](WebPage* p) { return p->LoadUrl(Url("/page?name=http")); }},
        {"own", [&folder](WebPage* p) { return p->LoadOwnPage(folder.Path(), "own.html"); }},
    };
    for(const auto& c : cases) {
        WebPage* page = NewPage();
        ASSERT_TRUE(page);
        // After the view has begun its own about:blank, before that has loaded.
        bool started = false;
        page->GetView()->Bind(wxEVT_WEBVIEW_NAVIGATING, [&started](wxWebViewEvent& event) {
            started = true;
            event.Skip();
        });
        ASSERT_TRUE(PumpUntil([&] { return started; }, std::chrono::milliseconds(10000)));
        ASSERT_TRUE(c.load(page)) << c.name;
        bool actionRan = false;
        page->RunScript(WebPage::ScriptCall("record", {"first"}));
        page->WhenLoaded([&] {
            actionRan = true;
            page->RunScript(WebPage::ScriptCall("record", {"from action"}));
        });
        page->RunScript(WebPage::ScriptCall("record", {"second"}));
        EXPECT_FALSE(page->IsLoaded());
        ASSERT_TRUE(WaitLoaded(page)) << c.name;
        ASSERT_TRUE(PumpUntil([&] { return actionRan; }, std::chrono::milliseconds(5000))) << c.name;
        const wxString name = c.name;
        const wxString expected = name + ":first|" + name + ":second|" + name + ":from action";
        EXPECT_TRUE(PumpUntil([&] { return Records(page) == expected; }, std::chrono::milliseconds(5000)))
            << c.name << ": " << Records(page).utf8_string();

        // A new page: calls made before it has loaded go to it, not to the old one.
        ASSERT_TRUE(page->LoadUrl(Url("/page?name=next")));
        page->RunScript(WebPage::ScriptCall("record", {"third"}));
        ASSERT_TRUE(WaitLoaded(page));
        EXPECT_TRUE(PumpUntil([&] { return Records(page) == "next:third"; }, std::chrono::milliseconds(5000)))
            << Records(page).utf8_string();
        page->GetView()->Destroy();
    }
}

TEST_F(WebPageTest, ArgumentsWithQuotesLineBreaksAndBackslashesArriveIntact)
{
    WebPage* page = NewPage();
    ASSERT_TRUE(page);
    ASSERT_TRUE(page->SetPage(wxString::FromUTF8(RecordingPage("args"))));
    const wxString texts[] = {
        "He said \"buy\" and 'sell'",
        "two\nlines\r\nand\ttab",
        "C:\\rc\\binaryop\\",
        "60 s\\,1 min,5 min",
        wxString("sep") + wxUniChar(0x2028) + "ara" + wxUniChar(0x2029) + "tors",
        wxString::FromUTF8("白银 \"Ag\" \\ </script>"),
        "\");document.title='owned';(\"",
        "",
    };
    for(const wxString& text : texts) {
        page->RunScript(WebPage::ScriptCall("store", {text}));
        page->RunScript("window.storedCount = (window.storedCount || 0) + 1");
    }
    ASSERT_TRUE(WaitLoaded(page));
    ASSERT_TRUE(PumpUntil([&] { return Evaluate(page, "String(window.storedCount)") == "8"; }, std::chrono::milliseconds(5000)));
    EXPECT_EQ("args", Evaluate(page, "document.title")) << "an argument ran as script";
    for(const wxString& text : texts) {
        page->RunScript(WebPage::ScriptCall("store", {text}));
        ASSERT_TRUE(PumpUntil(
            [&] { return Unescape(Evaluate(page, "encodeURIComponent(window.stored)")) == text; }, std::chrono::milliseconds(5000)))
            << text.utf8_string();
    }
}

TEST_F(WebPageTest, OnlyWebAddressesAboutBlankAndNamedOwnPagesLoad)
{
    ScratchFolder root;
    wxMkdir(root.File("rc"));
    wxFFile(root.File("rc/a.html"), "w")
        .Write(wxString::FromUTF8(
            RecordingPage("a", "<iframe id=f1></iframe><iframe id=f2></iframe><iframe id=f3></iframe>")));
    wxFFile(root.File("rc/b.html"), "w").Write(wxString::FromUTF8(RecordingPage("b")));
    wxFFile(root.File("rc/c.html"), "w").Write(wxString::FromUTF8(RecordingPage("c")));
    wxFFile(root.File("secret.html"), "w").Write(wxString::FromUTF8(RecordingPage("secret")));
    ASSERT_EQ(0, symlink(root.File("secret.html").fn_str(), root.File("rc/link.html").fn_str()));

    WebPage* page = NewPage();
    ASSERT_TRUE(page);
    {
        wxLogNull quiet;
        EXPECT_FALSE(page->LoadUrl("file://" + root.File("secret.html")));
        EXPECT_FALSE(page->LoadUrl("javascript:document.title='x'"));
        EXPECT_FALSE(page->LoadUrl("data:text/html,<b>x</b>"));
        EXPECT_FALSE(page->SetPage("<b>x</b>", "file:///"));
        EXPECT_FALSE(page->LoadOwnPage(root.File("rc"), "../secret.html"));
        EXPECT_FALSE(page->LoadOwnPage(root.File("rc"), "link.html"));
        EXPECT_FALSE(page->LoadOwnPage(root.File("rc"), root.File("rc/a.html")));
        EXPECT_FALSE(page->LoadOwnPage(root.File("rc"), "missing.html"));
        EXPECT_FALSE(page->LoadOwnPage(root.File("rc"), ""));
    }
    ASSERT_TRUE(page->LoadOwnPage(root.File("rc"), "a.html"));
    ASSERT_TRUE(WaitLoaded(page));
    {
        // The page asks for a file the program never named, and for other
        // schemes; a last frame asks for a web page. Requests are decided in
        // order and only allowed ones reach the frame, so once the last has
        // arrived the others were refused.
        wxLogNull quiet;
        Evaluate(page, "document.getElementById('f1').src = 'b.html';"
                       "document.getElementById('f2').src = 'data:text/html,<title>data</title>';"
                       "document.getElementById('f3').src = '" +
                           Url("/page?name=last") + "';");
        ASSERT_TRUE(PumpUntil([this] { return Allowed("name=last"); }, std::chrono::milliseconds(10000)));
    }
    EXPECT_FALSE(Allowed("b.html"));
    EXPECT_FALSE(Allowed("data:"));
    EXPECT_TRUE(Allowed("/rc/a.html"));

    ASSERT_TRUE(page->LoadOwnPage(root.File("rc"), "c.html"));
    ASSERT_TRUE(WaitLoaded(page));
    EXPECT_EQ("c", Evaluate(page, "document.title"));
    EXPECT_TRUE(Committed("/rc/a.html"));
    EXPECT_TRUE(Committed("/rc/c.html"));
    EXPECT_FALSE(Committed("b.html"));
    EXPECT_FALSE(Committed("secret"));

    // A named page may be loaded again, by the program or the page.
    committed.clear();
    Evaluate(page, "location.reload()");
    ASSERT_TRUE(PumpUntil([this] { return Committed("/rc/c.html"); }, std::chrono::milliseconds(10000)));
}

} // namespace

TEST_F(WebPageTest, APageWhoseParentGoesWhileAScriptRunsLivesHiddenUntilItsResultIsBack)
{
    // wx cannot cancel a running script: its result would reach a destroyed
    // view. The view waits on the frame, hidden, and goes after the result.
    wxFrame* top = m_frame;
    wxTheApp->SetTopWindow(top);
    auto* parent = new wxPanel(m_frame);
    WebPage* page = WebPage::Create(parent);
    ASSERT_TRUE(page);
    ASSERT_TRUE(page->SetPage("<html><body>busy</body></html>"));
    ASSERT_TRUE(WaitLoaded(page));
    const wxWeakRef<wxWebView> view(page->GetView());
    page->RunScript("var end = Date.now() + 300; while(Date.now() < end) {} 1;");
    parent->Destroy();
    ASSERT_TRUE(view);
    EXPECT_EQ(top, view->GetParent());
    EXPECT_FALSE(view->IsShown());
    EXPECT_TRUE(PumpUntil([&] { return !view; }, std::chrono::milliseconds(10000)));
}
