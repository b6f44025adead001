#include "../connection/EventPump.h"
#include "../connection/LogCapture.h"
#include "../connection/LoopbackHttpServer.h"
#include "../pelmora/ScratchFolder.h"
#include "funds/PayPortRegistPanel.h"
#include "platform/SignControlRegistry.h"
#include "platform/WebPage.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/sizer.h>
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

    LoopbackHttpServer m_server;
    std::mutex m_mutex;
    std::map<std::string, int> m_hits;
};

class PayPortRegistPanelTest : public ::testing::Test
{
protected:
    PayPortRegistPanelTest() : m_registryEnv("PELMORA_SIGN_CONTROLS", m_registry.Path())
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "host", wxDefaultPosition, wxSize(800, 600));
        m_frame->Show();
    }
    ~PayPortRegistPanelTest() override { m_frame->Destroy(); }

    PayPortRegistPanel* NewPanel()
    {
        auto* panel = new PayPortRegistPanel(m_frame);
        if(!m_frame->GetSizer()) {
            m_frame->SetSizer(new wxBoxSizer(wxVERTICAL));
        }
        m_frame->GetSizer()->Add(panel, 1, wxEXPAND);
        m_frame->Layout();
        return panel;
    }

    static wxString Title(PayPortRegistPanel& panel)
    {
        wxString title;
        return panel.GetPage()->Evaluate("document.title", &title) ? title : wxString("<error>");
    }

    static bool WaitForTitle(PayPortRegistPanel& panel, const wxString& title)
    {
        return PumpUntil([&] { return Title(panel) == title; }, 10000);
    }

    FakeBank m_bank;
    ScratchFolder m_registry;
    ScopedEnv m_registryEnv;
    wxFrame* m_frame;
};

TEST_F(PayPortRegistPanelTest, OnlyTheLastAddressWithinHalfASecondIsFetched)
{
    PayPortRegistPanel* panel = NewPanel();
    const auto start = steady_clock::now();
    panel->LoadUrl(m_bank.Url("/first"));
    panel->LoadUrl(m_bank.Url("/second"));
    ASSERT_TRUE(PumpUntil([&] { return m_bank.Hits("/second") > 0; }, 10000));
    EXPECT_GE(steady_clock::now() - start, milliseconds(500)) << "the load waits for the timer";
    ASSERT_TRUE(WaitForTitle(*panel, "second"));
    EXPECT_EQ(0, m_bank.Hits("/first"));
    EXPECT_EQ(1, m_bank.Hits("/second"));
    EXPECT_EQ(m_bank.Url("/second"), panel->GetPage()->GetView()->GetCurrentURL().utf8_string());
}

TEST_F(PayPortRegistPanelTest, NewWindowRequestsLoadInTheSameView)
{
    PayPortRegistPanel* panel = NewPanel();
    panel->LoadUrl(m_bank.Url("/links"));
    ASSERT_TRUE(WaitForTitle(*panel, "links"));
    const size_t windows = wxTopLevelWindows.size();

    panel->GetPage()->RunScript("document.getElementById('blank').click()");
    ASSERT_TRUE(WaitForTitle(*panel, "other")) << "a target=_blank link";
    panel->GetPage()->RunScript("window.open('/third', 'bank')");
    ASSERT_TRUE(WaitForTitle(*panel, "third")) << "window.open";
    EXPECT_EQ(windows, wxTopLevelWindows.size()) << "no window opened";
    EXPECT_EQ(m_bank.Url("/third"), panel->GetPage()->GetView()->GetCurrentURL().utf8_string());
}

TEST_F(PayPortRegistPanelTest, AddressesOtherThanWebPagesAreNotLoaded)
{
    ScratchFolder local;
    wxFFile(local.File("local.html"), "w").Write(wxString(TitledPage("local")));
    const wxString localUrl = "file://" + local.File("local.html");
    PayPortRegistPanel* panel = NewPanel();
    panel->LoadUrl(m_bank.Url("/links"));
    ASSERT_TRUE(WaitForTitle(*panel, "links"));

    const struct
    {
        const char* name;
        std::function<void()> ask;
        wxString refused;
    } cases[] = {
        {"pushed address", [&] { panel->LoadUrl(localUrl); }, local.File("local.html")},
        {"page opening a window",
         [&] { panel->GetPage()->RunScript("window.open('ftp://127.0.0.1/statement')"); },
         "ftp://127.0.0.1/statement"},
        {"script address", [&] { panel->LoadUrl("javascript:document.title='script'"); }, "javascript:"},
    };
    for(const auto& c : cases) {
        LogCapture log;
        c.ask();
        ASSERT_TRUE(PumpUntil(
            [&] {
                for(const std::string& line : log.lines) {
                    if(line.find("refused") != std::string::npos &&
                       line.find(c.refused.utf8_string()) != std::string::npos) {
                        return true;
                    }
                }
                return false;
            },
            10000))
            << c.name << ": " << (log.lines.empty() ? std::string("no log") : log.lines.back());
        EXPECT_EQ("links", Title(*panel)) << c.name;
        EXPECT_EQ(m_bank.Url("/links"), panel->GetPage()->GetView()->GetCurrentURL().utf8_string()) << c.name;
    }
}

TEST_F(PayPortRegistPanelTest, BankPageFindsTheSigningControlOnlyWhenRegistered)
{
    PayPortRegistPanel* before = NewPanel();
    before->LoadUrl(m_bank.Url("/sign"));
    ASSERT_TRUE(WaitForTitle(*before, "Signing control missing"));

    const char* build = std::getenv("TESSRIN_BUILD_DIR");
    ASSERT_TRUE(SignControlRegistry().Register("NetSign.InfoSecNetSign", kClassId,
                                               wxString(build ? build : ".") + "/bin/NetSign.js"));
    PayPortRegistPanel* after = NewPanel();
    after->LoadUrl(m_bank.Url("/sign"));
    ASSERT_TRUE(WaitForTitle(*after, "Signing control ready"));
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
