// Bank pages in the host's centre notebook, on the logged-in test bed: the
// pages come from a loopback bank; the signing control from a scratch
// registry folder.
#include "LogCapture.h"
#include "LoopbackHttpServer.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "TestBed.h"
#include "funds/PayPortRegistPanel.h"
#include "platform/SignControlRegistry.h"
#include "platform/WebPage.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <wx/ffile.h>
#include <wx/toplevel.h>
#include <wx/webview.h>

namespace {

using namespace std::chrono;

const char kClassId[] = "62B938C4-4190-4F37-8CF0-A92B0A91CC77";

std::string TitledPage(const std::string& title, const std::string& body = "")
{
    return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

// A loopback bank: every page it serves is counted by path.
class FakeBank
{
public:
    FakeBank()
    {
        for(const char* name : {"first", "second", "other", "third"}) {
            Serve("/" + std::string(name), TitledPage(name));
        }
        Serve("/links", TitledPage("links", "<a id='blank' href='/other' target='_blank'>other</a>"));
        // The bank's check of the signing control, once the page has loaded.
        Serve("/sign", TitledPage("sign", "<object id='signer' classid='clsid:" + std::string(kClassId) +
                                              "' width='0' height='0'></object>"
                                              "<script>window.addEventListener('load', function () {"
                                              " document.title = typeof signer.addFormItem === 'function'"
                                              " ? 'Signing control ready' : 'Signing control missing'; });"
                                              "</script>"));
        // The browser keeps connections open: a server that waited for them
        // would stop seconds late.
        m_server.server().set_keep_alive_max_count(1);
        m_server.Start();
    }

    std::string Url(const std::string& path) const { return m_server.Url(path); }
    int Hits(const std::string& path)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_hits[path];
    }

private:
    void Serve(const std::string& path, const std::string& page)
    {
        m_server.server().Get(path, [this, path, page](const httplib::Request&, httplib::Response& response) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                ++m_hits[path];
            }
            response.set_content(page, "text/html; charset=utf-8");
        });
    }

    std::mutex m_mutex;
    std::map<std::string, int> m_hits;
    // Last: the server stops, its handler done, before what the handler counts goes.
    LoopbackHttpServer m_server;
};

wxString Title(PayPortRegistPanel& panel)
{
    wxString title;
    return panel.GetPage()->Evaluate("document.title", &title) ? title : wxString("<error>");
}

bool WaitForTitle(PayPortRegistPanel& panel, const wxString& title)
{
    return PumpUntil([&] { return Title(panel) == title; }, seconds(10));
}

std::string Url(PayPortRegistPanel& panel)
{
    return panel.GetPage()->GetView()->GetCurrentURL().utf8_string();
}

bool WaitForRefusal(LogCapture& log, const std::string& address)
{
    return PumpUntil(
        [&] {
            return std::any_of(log.lines.begin(), log.lines.end(), [&](const std::string& line) {
                return line.find("refused") != std::string::npos && line.find(address) != std::string::npos;
            });
        },
        seconds(10));
}

TEST(PayPortRegistPanel, BankPagesInTheCentreNotebook)
{
    ScratchFolder registry;
    ScopedEnv registryEnv("PELMORA_SIGN_CONTROLS", registry.Path());
    FakeBank bank;
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    Notebook* centre = bed.Host().Manager().GetCentreBook();
    ASSERT_NE(nullptr, centre);
    auto addPage = [&] {
        auto* panel = new PayPortRegistPanel(centre, bank.Url("/sign"));
        EXPECT_TRUE(centre->AddPage(panel, _("PayPort"), true));
        return panel;
    };

    // Before the control is registered, the bank's page finds nothing.
    PayPortRegistPanel* missing = addPage();
    missing->LoadUrl(bank.Url("/sign"));
    ASSERT_TRUE(WaitForTitle(*missing, "Signing control missing"));

    ASSERT_TRUE(
        SignControlRegistry().Register("NetSign.InfoSecNetSign", kClassId, bed.BinDir() + "/NetSign.js"));
    PayPortRegistPanel* panel = addPage();
    EXPECT_EQ(centre->GetPageIndex(panel), centre->GetSelection());
    EXPECT_EQ("PayPort", centre->GetPageText(centre->GetPageIndex(panel)));

    // Two addresses within half a second: only the second is fetched, and
    // not before the half second.
    const auto start = steady_clock::now();
    panel->LoadUrl(bank.Url("/first"));
    panel->LoadUrl(bank.Url("/sign"));
    ASSERT_TRUE(WaitForTitle(*panel, "Signing control ready")) << "the registered control is in the page";
    EXPECT_GE(steady_clock::now() - start, milliseconds(500));
    EXPECT_EQ(0, bank.Hits("/first"));
    EXPECT_EQ(2, bank.Hits("/sign"));
    // The same page on another host (or port) than the pay port's own bank
    // gets no control.
    std::string elsewhere = bank.Url("/sign");
    elsewhere.replace(elsewhere.find("127.0.0.1"), 9, "localhost");
    panel->LoadUrl(elsewhere);
    ASSERT_TRUE(WaitForTitle(*panel, "Signing control missing")) << elsewhere;
    FakeBank other;
    panel->LoadUrl(other.Url("/sign"));
    ASSERT_TRUE(
        PumpUntil([&] { return other.Hits("/sign") == 1 && panel->GetPage()->IsLoaded(); }, seconds(10)));
    ASSERT_TRUE(WaitForTitle(*panel, "Signing control missing")) << other.Url("/sign");

    // New windows load in the same view, and no window opens.
    const size_t windows = wxTopLevelWindows.size();
    panel->LoadUrl(bank.Url("/links"));
    ASSERT_TRUE(WaitForTitle(*panel, "links"));
    panel->GetPage()->RunScript("document.getElementById('blank').click()");
    ASSERT_TRUE(WaitForTitle(*panel, "other")) << "a target=_blank link";
    panel->GetPage()->RunScript("window.open('/third', 'bank')");
    ASSERT_TRUE(WaitForTitle(*panel, "third")) << "window.open";
    EXPECT_EQ(windows, wxTopLevelWindows.size());
    EXPECT_EQ(bank.Url("/third"), Url(*panel));

    // Other schemes, pushed or asked for by a page, are logged, not loaded.
    ScratchFolder local;
    wxFFile(local.File("local.html"), "w").Write(wxString(TitledPage("local")));
    const struct
    {
        const char* name;
        std::function<void()> ask;
        std::string refused;
    } cases[] = {
        {"pushed file", [&] { panel->LoadUrl("file://" + local.File("local.html")); },
         local.File("local.html").utf8_string()},
        {"page opening a window",
         [&] { panel->GetPage()->RunScript("window.open('ftp://127.0.0.1/statement')"); },
         "ftp://127.0.0.1/statement"},
        {"script address", [&] { panel->LoadUrl("javascript:document.title='script'"); }, "javascript:"},
    };
    for(const auto& c : cases) {
        LogCapture log;
        c.ask();
        ASSERT_TRUE(WaitForRefusal(log, c.refused)) << c.name;
        EXPECT_EQ("third", Title(*panel)) << c.name;
        EXPECT_EQ(bank.Url("/third"), Url(*panel)) << c.name;
    }
    // The pages stay in the notebook; the host destroys them at exit.
}

TEST(PayPortRegistPanelUrl, AddressesAreRebuiltByTheUriParser)
{
    const struct
    {
        const char* given;
        const char* loaded;
    } cases[] = {
        {"http://127.0.0.1:8080/bank/sign?qianyue=1&payport=3",
         "http://127.0.0.1:8080/bank/sign?qianyue=1&payport=3"},
        {"http://bank.example/a b?x=1 2", "http://bank.example/a%20b?x=1%202"},
        {"", ""},
    };
    for(const auto& c : cases) {
        EXPECT_EQ(c.loaded, PayPortRegistPanel::NormaliseUrl(c.given).utf8_string()) << c.given;
    }
}

} // namespace
