// The built signing tool as the plug-in runs it: a process on the display,
// its registry folder chosen through PELMORA_SIGN_CONTROLS.
#include "LoopbackHttpServer.h"
#include "NetSignature.h"
#include "ToolProcess.h"
#include "platform/SignControlRegistry.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <wx/ffile.h>
#include <wx/filename.h>

namespace {

using namespace std::chrono;

const char kProgId[] = "NetSign.InfoSecNetSign";
const char kPageTitle[] = "Brundek网上支付平台-商户接口范例-签约请求";
const char kAccept[] = "window.confirm = function () { return true; }; ";
const char kDecline[] = "window.confirm = function () { return false; }; ";
const int kRunLimitMs = 30000;

std::string BinFolder()
{
    const char* build = std::getenv("TESSRIN_BUILD_DIR");
    return std::string(build ? build : ".") + "/bin";
}

class VarnelProcessTest : public ::testing::Test
{
protected:
    VarnelProcessTest()
    {
        char pattern[] = "/tmp/varnel-XXXXXX";
        m_scratch = mkdtemp(pattern);
        m_registry = m_scratch + "/sign-controls";
    }
    ~VarnelProcessTest() override { wxFileName::Rmdir(m_scratch, wxPATH_RMDIR_RECURSIVE); }

    std::unique_ptr<ToolProcess> Start(const std::vector<std::string>& args)
    {
        return std::make_unique<ToolProcess>(BinFolder() + "/Varnel", args,
                                             std::vector<std::string>{"PELMORA_SIGN_CONTROLS=" + m_registry},
                                             m_scratch + "/run" + std::to_string(++m_runs));
    }

    void RegisterControl()
    {
        ASSERT_TRUE(
            SignControlRegistry(m_registry)
                .Register(kProgId, "62B938C4-4190-4F37-8CF0-A92B0A91CC77", BinFolder() + "/NetSign.js"));
    }

    std::string m_scratch;
    std::string m_registry;
    int m_runs = 0;
};

struct timespec ModifiedAt(const std::string& path)
{
    struct stat info
    {
    };
    stat(path.c_str(), &info);
    return info.st_mtim;
}

TEST_F(VarnelProcessTest, RegistrationLeavesEntryAndControlAndASecondRunChangesNothing)
{
    const std::string pid = std::to_string(getpid());
    auto first = Start({"/n", pid, "/p", "Regist"});
    EXPECT_EQ(255, first->Wait(kRunLimitMs)) << "a start-up that ends in its initialisation";
    EXPECT_EQ("", first->Output());
    EXPECT_TRUE(SignControlRegistry(m_registry).CanCreate(kProgId));
    const std::string entry = m_registry + "/NetSign.InfoSecNetSign.json";
    const std::string control = m_registry + "/NetSign.InfoSecNetSign.js";
    const auto registered = SignControlRegistry(m_registry).Load(kProgId);
    ASSERT_TRUE(registered);
    wxFFile shipped(BinFolder() + "/NetSign.js");
    wxString shippedText;
    ASSERT_TRUE(shipped.ReadAll(&shippedText));
    EXPECT_EQ(shippedText, registered->source) << "the shipped control is what got registered";

    const struct timespec entryTime = ModifiedAt(entry);
    const struct timespec controlTime = ModifiedAt(control);
    auto second = Start({"/n", pid, "/p", "Regist"});
    EXPECT_EQ(255, second->Wait(kRunLimitMs));
    EXPECT_EQ(entryTime.tv_nsec, ModifiedAt(entry).tv_nsec);
    EXPECT_EQ(entryTime.tv_sec, ModifiedAt(entry).tv_sec);
    EXPECT_EQ(controlTime.tv_nsec, ModifiedAt(control).tv_nsec);
    EXPECT_EQ(controlTime.tv_sec, ModifiedAt(control).tv_sec);
}

TEST_F(VarnelProcessTest, SigningPrintsTheSignatureNothingOrThePageTitle)
{
    struct Case
    {
        const char* name;
        bool registered;
        std::string script;
        const char* signedPrefix; // nullptr: the output is `output`
        const char* displayPart;
        const char* output;
    };
    const Case cases[] = {
        {"registration accepted", true, std::string(kAccept) + "doRegist('R1','M1','Mkt','Cust')",
         "[[MerchantID]]M1[[MerchantTrxNo]]R1[[FunctionID]]0000[[MerchantName]]Mkt[[CustName]]Cust[[_time]]",
         "\n<客户签约确认>"
         "\n\n交易名称：交易市场签约\n交易流水号：R1\n交易市场名称：Mkt\n交易市场编号：M1\n客户名称：Cust\n签"
         "约时间：",
         nullptr},
        {"cancellation accepted", true, std::string(kAccept) + "doUnRegist('R1','M1','Mkt','Cust')",
         "[[FunctionID]]0001[[MerchantTrxNo]]R1[[MerchantName]]Mkt[[MerchantID]]M1[[CustName]]Cust[[_time]]",
         "\n<客户解约确认>\n\n交易名称：交易市场解约\n交易流水号：R1\n", nullptr},
        {"payment accepted", true, std::string(kAccept) + "doInMoney('R2','12.50')",
         "[[MerchantTrxNo]]R2[[FunctionID]]0009[[PayAmount]]12.50[[_time]]",
         "\n<实时支付确认>\n\n交易名称：交易市场实时支付\n交易流水号：R2\n支付金额：12.50\n交易时间：",
         nullptr},
        {"declined", true, std::string(kDecline) + "doRegist('R1','M1','Mkt','Cust')", nullptr, nullptr, ""},
        {"control not registered", false, std::string(kAccept) + "doRegist('R1','M1','Mkt','Cust')", nullptr,
         nullptr, kPageTitle},
        {"the word in other case is a script", true, "regist", nullptr, nullptr, kPageTitle},
    };
    RegisterControl();
    const std::string registered = m_registry;
    const std::string empty = m_scratch + "/empty";
    for(const Case& c : cases) {
        m_registry = c.registered ? registered : empty;
        auto run = Start({"-p", c.script});
        EXPECT_EQ(0, run->Wait(kRunLimitMs)) << c.name << ": " << run->Errors();
        const std::string output = run->Output();
        if(!c.signedPrefix) {
            EXPECT_EQ(c.output, output) << c.name;
            continue;
        }
        std::string data;
        ASSERT_TRUE(DecodeNetSignature(output, data)) << c.name << ": " << output;
        EXPECT_EQ(0u, data.find(c.signedPrefix)) << c.name << ": " << data;
        EXPECT_NE(std::string::npos, data.find(c.displayPart)) << c.name << ": " << data;
    }
}

TEST_F(VarnelProcessTest, WithoutWorkItEndsAtOnce)
{
    struct Case
    {
        std::vector<std::string> args;
        const char* errorPart;
    };
    const Case cases[] = {
        {{}, ""},
        {{"/n", std::to_string(getpid())}, ""},
        {{"-n"}, "requires a value"},
        {{"-n", "0", "-p", "Regist"}, "positive"},
    };
    for(const Case& c : cases) {
        auto run = Start(c.args);
        EXPECT_EQ(255, run->Wait(kRunLimitMs)) << c.errorPart;
        EXPECT_EQ("", run->Output());
        EXPECT_NE(std::string::npos, run->Errors().find(c.errorPart)) << run->Errors();
    }
    EXPECT_FALSE(wxFileName::DirExists(m_registry)) << "nothing registered";
}

// A page whose confirmation reports to a loopback server before it shows,
// so a test knows when the question is up.
class AskingPage
{
public:
    AskingPage()
    {
        m_server.server().Get("/asking", [this](const httplib::Request&, httplib::Response& response) {
            m_askedAt = steady_clock::now().time_since_epoch().count();
            response.set_header("Access-Control-Allow-Origin", "*");
            response.set_content("ok", "text/plain");
        });
        m_server.Start();
    }
    // The page's own confirmation stays open; the script reports first.
    std::string Script(const std::string& call)
    {
        return "window.confirm = (function (ask) { return function (text) {"
               " var report = new XMLHttpRequest();"
               " report.open('GET', '" +
               m_server.Url("/asking") +
               "', false);"
               " try { report.send(); } catch (e) {}"
               " return ask.call(window, text); }; })(window.confirm); " +
               call;
    }
    // When the question came up; false when it did not within 20 s.
    bool WaitAsked(steady_clock::time_point& askedAt)
    {
        const auto deadline = steady_clock::now() + seconds(20);
        while(m_askedAt == 0 && steady_clock::now() < deadline) {
            std::this_thread::sleep_for(milliseconds(5));
        }
        askedAt = steady_clock::time_point(steady_clock::duration(m_askedAt.load()));
        return m_askedAt != 0;
    }

private:
    LoopbackHttpServer m_server;
    std::atomic<steady_clock::rep> m_askedAt{0};
};

TEST_F(VarnelProcessTest, AQuestionNobodyAnswersEndsTheToolInTheWatchdogsTime)
{
    RegisterControl();
    AskingPage page;
    auto run = Start({"-p", page.Script("doRegist('R001','M01','现货一部','演示用户')")});
    steady_clock::time_point askedAt;
    ASSERT_TRUE(page.WaitAsked(askedAt)) << run->Errors();
    EXPECT_EQ(255, run->Wait(kRunLimitMs));
    EXPECT_EQ("deadlock", run->Output());
    // The last heartbeat may come a little before the page asks (a busy
    // machine delays the ask), so the bound leaves a second for that.
    EXPECT_GE(run->EndedAt() - askedAt, milliseconds(5000)) << "an answer had its time";
    EXPECT_LT(run->EndedAt() - askedAt, seconds(8));
}

TEST_F(VarnelProcessTest, EndsWhenTheWatchedProcessEndsDuringAConfirmation)
{
    RegisterControl();
    AskingPage page;
    ToolProcess parent("/bin/sleep", {"600"}, {}, m_scratch + "/parent");
    ASSERT_GT(parent.Pid(), 0);
    auto run =
        Start({"-n", std::to_string(parent.Pid()), "-p", page.Script("doRegist('R1','M1','Mkt','Cust')")});
    steady_clock::time_point askedAt;
    ASSERT_TRUE(page.WaitAsked(askedAt)) << run->Errors();
    EXPECT_TRUE(run->IsRunning()) << "the confirmation keeps it waiting";

    parent.Kill();
    const auto parentGone = steady_clock::now();
    EXPECT_EQ(255, run->Wait(5000));
    EXPECT_LT(run->EndedAt() - parentGone, seconds(2));
    EXPECT_EQ("", run->Output());
}

} // namespace
