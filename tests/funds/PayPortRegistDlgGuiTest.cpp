// The pay-port registration dialog and the wait for the signing control:
// opening over the tables, "Ok" with its prompts, the answers on a clock of
// the test's own, the bank page after the push; then the registration and
// the cancellation on the logged-in test bed.
#include "EventPump.h"
#include "MoneyTestStore.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "TestBed.h"
#include "common/PluginEvents.h"
#include "connection/RequestNotify.h"
#include "frame/TessrinPlugin.h"
#include "funds/LabelDialog.h"
#include "funds/PayPortRegistDlg.h"
#include "funds/PayPortRegistPanel.h"
#include "funds/SignControlRegistrar.h"

#include <gtest/gtest.h>
#include <memory>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <platform/FakeBrowserLauncher.h>
#include <platform/FakeProcessLauncher.h>
#include <platform/SystemProcessLauncher.h>
#include <platform/WebPage.h>
#include <vector>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textdlg.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

namespace {

void Click(wxWindow* control, wxEventType type = wxEVT_BUTTON)
{
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    control->ProcessWindowEvent(event);
}

// The text of the open wait window; empty when none is open.
wxString OpenWaitText()
{
    for(wxWindow* window : wxTopLevelWindows) {
        if(auto* wait = dynamic_cast<LabelDialog*>(window); wait && wait->IsModal()) {
            for(wxWindow* child : wait->GetChildren()) {
                if(auto* text = dynamic_cast<wxStaticText*>(child)) {
                    return text->GetLabelText();
                }
            }
        }
    }
    return wxString();
}

class SignControlRegistrarTest : public ::testing::Test
{
protected:
    SignControlRegistrarTest()
        : m_bin("PELMORA_BIN_DIR", m_binFolder.Path()),
          m_controls("PELMORA_SIGN_CONTROLS", m_registry.Path()),
          m_frame(new wxFrame(nullptr, wxID_ANY, "owner"))
    {
        m_frame->Show();
    }
    ~SignControlRegistrarTest() override { m_frame->Destroy(); }

    ScratchFolder m_binFolder;
    ScratchFolder m_registry;
    ScopedEnv m_bin;
    ScopedEnv m_controls;
    wxFrame* m_frame;
    FakeProcessLauncher m_launcher;
};

TEST_F(SignControlRegistrarTest, StartsTheToolByFullPathWithTheOwnProcessIdAsRunas)
{
    SignControlRegistrar registrar(m_launcher);
    EXPECT_TRUE(registrar.StartTool().Started());
    ASSERT_EQ(1u, m_launcher.calls.size());
    const FakeProcessLauncher::Call& call = m_launcher.calls[0];
    EXPECT_EQ("runas", call.verb);
    EXPECT_EQ(m_binFolder.Path() + "/Varnel", call.program);
    EXPECT_EQ((std::vector<wxString>{"/n", "4242", "/p", "Regist"}), call.arguments);
    EXPECT_FALSE(IsSignControlInstalled()) << "the scratch registry is empty";

    m_launcher.startResult = ShellResult::kFileNotFound;
    EXPECT_FALSE(registrar.StartTool().Started()) << "a failed start is reported to the caller";
}

TEST_F(SignControlRegistrarTest, WaitCountsInTheTextFailsOnTheEleventhTickUnlessFound)
{
    struct Case
    {
        const char* name;
        int foundAt; // 0: never
        int checks;
        std::vector<wxString> notices;
        wxString textAtLastCheck;
    };
    const wxString failed = "Regist Varnel Failed! Please Regist Use IE";
    const Case cases[] = {
        {"found at the first tick", 1, 1, {}, "Regist Varnel"},
        {"found at the fourth", 4, 4, {}, "Please Wait ... 3"},
        {"found at the eleventh: no failure", 11, 11, {}, "Please Wait ... 10"},
        {"never found", 0, 11, {failed}, "Please Wait ... 10"},
    };
    for(const Case& c : cases) {
        SignControlRegistrar registrar(m_launcher);
        registrar.SetIntervalMs(5);
        int checks = 0;
        wxString textAtLastCheck;
        registrar.SetInstalledCheck([&] {
            ++checks;
            textAtLastCheck = OpenWaitText();
            return checks == c.foundAt;
        });
        std::vector<wxString> notices;
        registrar.SetFailureNotice([&](wxWindow* parent, const wxString& text) {
            EXPECT_TRUE(dynamic_cast<LabelDialog*>(parent)) << "over the wait window";
            notices.push_back(text);
        });
        registrar.Wait(m_frame);
        EXPECT_EQ(c.checks, checks) << c.name;
        EXPECT_EQ(c.notices, notices) << c.name;
        EXPECT_EQ(c.textAtLastCheck, textAtLastCheck) << c.name;
        EXPECT_TRUE(OpenWaitText().empty()) << c.name << ": the wait window is gone";
    }
}

// The dialog over a store as the client fills it, with everything it
// reaches outside itself recorded.
class PayPortRegistDlgTest : public ::testing::Test
{
protected:
    static constexpr int kOstrel = 1;
    static constexpr int kLater = 3; // completed later, no bank password

    PayPortRegistDlgTest()
    {
        market.AddAccount(11, "Spot");
        AddPort(kOstrel, "Direct", "Ostrel Bank", "Ostrel", true, '0');
        AddPort(kLater, "Third", "Veluna", "Veluna", false, '1');
    }
    ~PayPortRegistDlgTest() override { dialog.reset(); }

    void AddPort(int id, const char* channel, const char* bank, const char* code, bool password,
                 char complete)
    {
        sys_PayPort port;
        port.sysPayPortId = id;
        port.channelName = channel;
        port.bankName = bank;
        port.payPortCode = code;
        port.currency = "CNY";
        port.needBankPassword = password ? 1 : 0;
        port.completeFlag = complete;
        ASSERT_TRUE(market.store.m_sys_PayPort_table->Insert(port).second);
    }
    void Register(int sysPayPortId, char state)
    {
        user_Payport registration;
        registration.sysPayPortId = sysPayPortId;
        registration.payportKey = 4294967297;
        registration.seatSuffix = "01";
        registration.registState = state;
        registration.currency = "CNY";
        registration.cardNumber = "6222020000001234";
        registration.accountName = "Trader Name";
        registration.identityType = '3';
        registration.identityNumber = "110101199001011234";
        market.store.m_user_Payport_table->Upsert(registration);
    }
    const user_Account& Account()
    {
        const user_Account& account = *market.store.m_user_Account_table->GetIndexByPrimary().find(11);
        EXPECT_TRUE(account.GetLoginInfo(&market.store));
        return account;
    }

    PayPortRegistDlg& Open()
    {
        dialog = std::make_unique<PayPortRegistDlg>(nullptr, &market.store, Account());
        dialog->SetClock([this] { return now; });
        dialog->SetRequestNotify(&registry);
        dialog->GetMessageLine().SetBoxFunction(
            [this](const wxString& message, const wxString&) { boxes.push_back(message); });
        PayPortRegistDlg::Services services;
        services.regist = [this](sFFixRegistPayPort& request) {
            regists.push_back(request);
            return sendFails ? -1 : nextId++;
        };
        services.unRegist = [this](sFFixUnRegistPayPort& request) {
            unRegists.push_back(request);
            return sendFails ? -1 : nextId++;
        };
        services.queryUserPayPorts = [this] {
            ++userQueries;
            return userQueryLeaves ? nextId++ : -1;
        };
        services.querySysPayPorts = [this] { return sysQueryId; };
        services.askBankPassword = [this](wxWindow*, wxString& password) {
            ++prompts;
            password = "135790";
            return promptAnswer;
        };
        services.confirm = [this](wxWindow*, const wxString& caption, const wxString& message) {
            confirmations.push_back(caption + "|" + message);
            return confirmAnswer;
        };
        services.showPayPortPage = [this](const user_AttPay& page) { pages.push_back(page.bankUrl); };
        services.signControlInstalled = [this] { return controlInstalled; };
        services.registSignControl = [this](wxWindow* parent) {
            EXPECT_EQ(parent, dialog.get());
            ++signControlRegistrations;
            controlInstalled = controlAppears;
        };
        services.browser = [this]() -> BrowserLauncher* { return &browser; };
        dialog->SetServices(services);
        dialog->InitDialog();
        return *dialog;
    }
    void Fill(const char* card, const char* confirm, const char* password = "666666")
    {
        dialog->GetTextCtrlCardNo()->ChangeValue(card);
        dialog->GetTextCtrlCardNoConfirm()->ChangeValue(confirm);
        dialog->GetTextCtrlAccountName()->ChangeValue(wxString::FromUTF8("演示用户"));
        dialog->GetComboBoxIdType()->SetSelection(5);
        dialog->GetTextCtrlIdCard()->ChangeValue("110101199001011234");
        dialog->GetTextCtrlMoneyPassword()->ChangeValue(password);
    }
    void ChooseChannel(const char* channel)
    {
        dialog->GetComboBoxChannel()->SetStringSelection(channel);
        Click(dialog->GetComboBoxChannel(), wxEVT_COMBOBOX);
    }
    wxString Line() const { return dialog->GetTextCtrlMessage()->GetValue(); }
    wxString LastBox() const { return boxes.empty() ? wxString() : boxes.back(); }
    std::size_t Registrations() const
    {
        return market.store.m_user_Payport_table->GetIndexByPrimary().size();
    }

    MoneyTestStore market;
    wxDateTime now = wxDateTime(9, wxDateTime::Dec, 2026, 10, 0, 0);
    RequestNotify registry{[this] { return now; }};
    std::unique_ptr<PayPortRegistDlg> dialog;
    FakeBrowserLauncher browser;
    std::vector<wxString> boxes;
    std::vector<sFFixRegistPayPort> regists;
    std::vector<sFFixUnRegistPayPort> unRegists;
    std::vector<wxString> confirmations;
    std::vector<wxString> pages;
    int nextId = 700;
    int sysQueryId = -1;
    int userQueries = 0;
    int prompts = 0;
    int signControlRegistrations = 0;
    bool userQueryLeaves = true;
    bool sendFails = false;
    bool promptAnswer = true;
    bool confirmAnswer = true;
    bool controlInstalled = false;
    bool controlAppears = false;
};

TEST_F(PayPortRegistDlgTest, OpensInTheModeOfTheRegistrationWithItsFields)
{
    struct Case
    {
        const char* name;
        char state; // 0: no registration
        const char* title;
        const char* card;
        int idType;
        const char* seat;
        bool editable;
    };
    const Case cases[] = {
        {"no registration", 0, "[Regist : Trader Name]", "", 0, "", true},
        {"no registration, the user's own seat", 'S', "[Regist : Trader Name]", "", 0, "10015", true},
        {"registered, not completed", '1', "[Regist : Trader Name]", "6222020000001234", 2, "4294967297:01",
         true},
        {"registered", '2', "[UnRegist : Trader Name]", "6222020000001234", 2, "4294967297:01", false},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        userQueries = 0;
        market.store.m_user_Account_table->Modify(
            11, [&c](user_Account& account) { account.seatNumber = c.state == 'S' ? 10015 : 0; });
        Open();
        EXPECT_EQ(userQueries, 1) << "the user's pay ports are asked for";
        if(c.state == '1' || c.state == '2') {
            Register(kLater, c.state); // the query's answer
        }
        EXPECT_EQ(dialog->GetTitle(), c.title);
        EXPECT_EQ(dialog->GetButtonOk()->GetLabel(), c.state == '2' ? "UnRegist" : "Regist");
        EXPECT_TRUE(dialog->GetButtonOk()->IsEnabled());
        EXPECT_EQ(dialog->GetComboBoxMarket()->GetValue(), "Spot");
        const bool registered = c.state == '1' || c.state == '2';
        EXPECT_EQ(dialog->GetComboBoxChannel()->GetValue(), registered ? "Third" : "Direct");
        EXPECT_EQ(dialog->GetComboBoxChannel()->GetCount(), 2u);
        EXPECT_EQ(dialog->GetTextCtrlCardNo()->GetValue(), c.card);
        EXPECT_EQ(dialog->GetTextCtrlCardNoConfirm()->GetValue(), c.card);
        EXPECT_EQ(dialog->GetComboBoxIdType()->GetSelection(), c.idType);
        EXPECT_EQ(dialog->GetComboBoxIdType()->GetCount(), 6u);
        EXPECT_EQ(dialog->GetTextCtrlSitNo()->GetValue(), c.seat);
        for(wxWindow* control : std::initializer_list<wxWindow*>{
                dialog->GetComboBoxChannel(), dialog->GetComboBoxBank(), dialog->GetTextCtrlCardNo(),
                dialog->GetTextCtrlCardNoConfirm(), dialog->GetTextCtrlAccountName(),
                dialog->GetComboBoxIdType(), dialog->GetTextCtrlIdCard()}) {
            EXPECT_EQ(control->IsEnabled(), c.editable);
        }
        EXPECT_TRUE(dialog->GetTextCtrlMoneyPassword()->IsEnabled());
    }
}

TEST_F(PayPortRegistDlgTest, AStaleRegistrationGoesOnlyWhenTheQueryLeft)
{
    for(const bool leaves : {false, true}) {
        SCOPED_TRACE(leaves ? "the query left" : "the query was refused");
        Register(kOstrel, '2');
        userQueryLeaves = leaves;
        userQueries = 0;
        Open();
        EXPECT_EQ(userQueries, 1);
        EXPECT_EQ(Registrations(), leaves ? 0u : 1u);
        EXPECT_EQ(dialog->GetMode(), leaves ? 0 : 1);
    }

    // The market's pay ports asked for: the lists come with the answer.
    market.store.m_sys_PayPort_table->Modify(kOstrel,
                                             [](sys_PayPort& port) { port.channelName = "Direct 2"; });
    sysQueryId = 900;
    Open();
    EXPECT_EQ(dialog->GetPayPortQueryId(), 900);
    EXPECT_TRUE(registry.IsWaiting(900));
    EXPECT_EQ(dialog->GetComboBoxChannel()->GetCount(), 0u);
    registry.NotifyResponse(900, 0, "");
    EXPECT_EQ(dialog->GetComboBoxChannel()->GetCount(), 2u);
    EXPECT_EQ(dialog->GetComboBoxChannel()->GetString(0), "Direct 2");
}

TEST_F(PayPortRegistDlgTest, OkChecksAsksTheBankPasswordConfirmsThenSends)
{
    Open();
    ASSERT_EQ(dialog->GetComboBoxBank()->GetValue(), "Ostrel Bank");

    // Failures stop before any prompt.
    Fill("6222a", "6222A");
    Click(dialog->GetButtonOk());
    EXPECT_TRUE(LastBox().EndsWith("]Confirm bank card error!")) << LastBox();
    EXPECT_EQ(prompts, 0);

    // A cancelled bank password sends nothing and asks nothing more.
    Fill("6222020000009999", "6222020000009999");
    promptAnswer = false;
    Click(dialog->GetButtonOk());
    EXPECT_EQ(prompts, 1);
    EXPECT_TRUE(confirmations.empty());
    EXPECT_TRUE(regists.empty());
    EXPECT_TRUE(dialog->GetButtonOk()->IsEnabled());

    // "No" sends nothing either.
    promptAnswer = true;
    confirmAnswer = false;
    Click(dialog->GetButtonOk());
    ASSERT_EQ(confirmations.size(), 1u);
    EXPECT_EQ(confirmations[0], wxString::FromUTF8("Regist|Are uou sure Regist Account[Trader Name]?\n\n     "
                                                   "Channel: [Direct]\n\n     Bank: [Ostrel Bank]\n\n     "
                                                   "Card Number: [6222020000009999]"));
    EXPECT_TRUE(regists.empty());

    // A refused send is reported; then one that leaves waits with "Ok" disabled.
    confirmAnswer = true;
    sendFails = true;
    Click(dialog->GetButtonOk());
    EXPECT_TRUE(LastBox().EndsWith("]Send Command Failed!")) << LastBox();
    EXPECT_FALSE(dialog->IsWaitting());
    sendFails = false;
    Click(dialog->GetButtonOk());
    ASSERT_EQ(regists.size(), 2u) << "the refused one and this one";
    EXPECT_EQ(std::string(regists.back().bankPassword), "135790");
    EXPECT_EQ(regists.back().sysPayPortId, kOstrel);
    EXPECT_EQ(regists.back().identityType, '6');
    EXPECT_EQ(std::string(regists.back().accountName), "演示用户");
    EXPECT_TRUE(dialog->IsWaitting());
    EXPECT_FALSE(dialog->GetButtonOk()->IsEnabled());
    EXPECT_TRUE(registry.IsWaiting(dialog->GetWaitRequestId()));
    EXPECT_EQ(registry.GetDeadline(dialog->GetWaitRequestId()), now + wxTimeSpan::Milliseconds(5000));

    // A pay port without the bank-password flag asks nothing.
    registry.NotifyResponse(dialog->GetWaitRequestId(), 86, "registered already");
    ChooseChannel("Third");
    EXPECT_EQ(dialog->GetComboBoxBank()->GetValue(), "Veluna");
    EXPECT_TRUE(dialog->GetTextCtrlCardNo()->IsEmpty()) << "no registration here: the fields are cleared";
    Fill("6222020000009999", "6222020000009999");
    Click(dialog->GetButtonOk());
    EXPECT_EQ(prompts, 4);
    ASSERT_EQ(regists.size(), 3u);
    EXPECT_EQ(regists.back().sysPayPortId, kLater);
    EXPECT_EQ(std::string(regists.back().bankPassword), "");
}

TEST_F(PayPortRegistDlgTest, WithoutPayPortsOkDoesNothing)
{
    auto& ports = *market.store.m_sys_PayPort_table;
    while(!ports.GetIndexByPrimary().empty()) {
        ASSERT_TRUE(ports.Remove(ports.GetIndexByPrimary().begin()));
    }
    Open();
    Fill("1", "2");
    Click(dialog->GetButtonOk());
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(Line().empty());
    EXPECT_TRUE(regists.empty() && unRegists.empty());
}

TEST_F(PayPortRegistDlgTest, AnswersEndOnlyTheirOwnWaitWithTheirTexts)
{
    struct Case
    {
        const char* name;
        const char* channel;
        char registered; // 0: none
        int code;
        const char* line; // empty: a box
        bool removed;
    };
    const Case cases[] = {
        {"registration", "Direct", 0, 0, "Regist Apply Success[0]", false},
        {"registration completed later", "Third", 0, 0, "Regist Apply Success, Please Wait ...[0]", false},
        {"cancellation", "Third", '2', 0, "UnRegist Apply Success, Please Wait ...[0]", true},
        {"cancellation refused", "Third", '2', 92, "", false},
        {"cancellation of a registration the server lacks", "Third", '2', 85, "", true},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        userQueryLeaves = false; // the registrations stay while opening
        if(c.registered != 0) {
            Register(kLater, c.registered);
        }
        sysQueryId = 900;
        Open();
        registry.NotifyResponse(900, 0, "");
        ChooseChannel(c.channel);
        Fill("6222020000009999", "6222020000009999");
        userQueries = 0;
        // Sent late in the opening query's 100 s: that query's time-out comes first.
        now += wxTimeSpan::Seconds(99);
        Click(dialog->GetButtonOk());
        const int id = dialog->GetWaitRequestId();
        ASSERT_TRUE(dialog->IsWaitting());
        registry.CheckTimeOut(now + wxTimeSpan::Milliseconds(1500));
        EXPECT_TRUE(dialog->IsWaitting()) << "the opening query's time-out leaves the wait alone";
        registry.NotifyResponse(id + 1000, 0, ""); // another request's answer
        EXPECT_TRUE(dialog->IsWaitting());

        boxes.clear();
        registry.NotifyResponse(id, c.code, c.code == 0 ? "" : "server text");
        EXPECT_FALSE(dialog->IsWaitting());
        if(*c.line != 0) {
            EXPECT_TRUE(Line().EndsWith(c.line)) << Line();
            EXPECT_EQ(dialog->GetTextCtrlMessage()->GetForegroundColour(), *wxBLUE);
            EXPECT_TRUE(boxes.empty());
        } else {
            EXPECT_TRUE(LastBox().EndsWith(wxString::Format("]server text[%d]", c.code))) << LastBox();
            EXPECT_TRUE(dialog->GetButtonOk()->IsEnabled());
        }
        EXPECT_EQ(Registrations(), c.removed || c.registered == 0 ? 0u : 1u);
        EXPECT_EQ(userQueries, c.removed || c.registered == 0 ? 1 : 0) << "asked again when none is left";
        if(c.code == 85) {
            EXPECT_EQ(dialog->GetMode(), 0) << "refreshed";
        }
        // A late answer changes nothing.
        registry.NotifyResponse(id, 0, "");
        EXPECT_EQ(userQueries, c.removed || c.registered == 0 ? 1 : 0);
    }

    // The time-out of the awaited request.
    sysQueryId = -1;
    Open();
    Fill("6222020000009999", "6222020000009999");
    Click(dialog->GetButtonOk());
    boxes.clear();
    registry.CheckTimeOut(now + wxTimeSpan::Milliseconds(5000));
    EXPECT_FALSE(dialog->IsWaitting());
    EXPECT_TRUE(LastBox().EndsWith("]Request Time Out!")) << LastBox();
    EXPECT_TRUE(dialog->GetButtonOk()->IsEnabled());

    // Closing while waiting drops every wait of the dialog.
    Click(dialog->GetButtonOk());
    ASSERT_TRUE(dialog->IsWaitting());
    dialog->Close();
    EXPECT_FALSE(dialog->IsWaitting());
    EXPECT_EQ(registry.GetCount(), 0u);
}

TEST_F(PayPortRegistDlgTest, TheBankPageOpensAfterTheChangeReturnedThenTheDialogEnds)
{
    struct Case
    {
        const char* name;
        int payPort;
        const char* url;
        bool installed;
        bool appears; // after the signing tool ran
        int registrations;
        bool shown;
        bool ends;
        bool browser;
    };
    const Case cases[] = {
        {"another bank", kLater, "http://bank.test/sign?qianyue=1", false, false, 0, true, true, false},
        {"Ostrel with the control", kOstrel, "http://bank.test/sign?qianyue=1", true, false, 0, true, true,
         false},
        {"Ostrel, control registered", kOstrel, "http://bank.test/sign?qianyue=1", false, true, 1, true, true,
         false},
        {"Ostrel, control still missing", kOstrel, "http://bank.test/sign?qianyue=1", false, false, 1, false,
         false, true},
        {"empty address", kLater, "", false, false, 0, false, false, false},
        {"unknown pay port", 99, "http://bank.test/sign?qianyue=1", false, false, 0, false, false, false},
    };
    int attPayId = 0;
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        controlInstalled = c.installed;
        controlAppears = c.appears;
        signControlRegistrations = 0;
        pages.clear();
        browser.namedCalls.clear();
        browser.defaultCalls.clear();
        Open();
        int result = 0;
        bool shownDuringChange = false;
        dialog->CallAfter([&] {
            user_AttPay page;
            page.attPayId = ++attPayId;
            page.sysPayPortId = c.payPort;
            page.bankUrl = c.url;
            market.store.m_user_AttPay_table->Upsert(page);
            shownDuringChange = !pages.empty() || signControlRegistrations > 0;
            // Ends the loop where the dialog does not.
            wxTheApp->CallAfter([&] {
                PumpUntil([&] { return !dialog->IsModal() || !browser.defaultCalls.empty(); },
                          std::chrono::milliseconds(c.registrations > 0 ? 3000 : 300));
                if(dialog->IsModal()) {
                    dialog->EndModal(-1);
                }
            });
        });
        result = dialog->ShowModal();
        EXPECT_FALSE(shownDuringChange);
        EXPECT_EQ(signControlRegistrations, c.registrations);
        EXPECT_EQ(pages.size(), c.shown ? 1u : 0u);
        EXPECT_EQ(result, c.ends ? wxID_CANCEL : -1);
        if(c.browser) {
            ASSERT_EQ(browser.namedCalls.size(), 1u);
            EXPECT_EQ(browser.namedCalls[0].browser, "iexplore.exe");
            EXPECT_EQ(browser.namedCalls[0].url, "http://bank.test/sign?qianyue=1");
            EXPECT_EQ(browser.defaultCalls, std::vector<wxString>{"http://bank.test/sign?qianyue=1"});
        } else {
            EXPECT_TRUE(browser.namedCalls.empty() && browser.defaultCalls.empty());
        }
    }
}

TEST_F(PayPortRegistDlgTest, AtUnloadItLetsGoOfTheTablesAndItsWaits)
{
    sysQueryId = 900;
    Open();
    EXPECT_EQ(market.store.m_user_AttPay_table->GetActionTriggerCount(), 1u);
    wxCommandEvent unplug(wxEVT_PLUGIN_UNPLUG);
    wxTheApp->ProcessEvent(unplug);
    EXPECT_EQ(registry.GetCount(), 0u);
    for(std::size_t count : {market.store.m_user_AttPay_table->GetActionTriggerCount(),
                             market.store.m_user_Payport_table->GetActionTriggerCount(),
                             market.store.m_sys_PayPort_table->GetActionTriggerCount()}) {
        EXPECT_EQ(count, 0u);
    }
    Register(kOstrel, '2');
    dialog->RefreshAll();
    EXPECT_EQ(dialog->GetMode(), 0) << "nothing is read any more";
}

TEST_F(PayPortRegistDlgTest, AnUnloadDuringTheSigningControlWaitEndsBothLoops)
{
    Open();
    FakeProcessLauncher launcher;
    bool waited = false;
    PayPortRegistDlg::Services services = PayPortRegistDlg::DefaultServices();
    services.signControlInstalled = [] { return false; };
    services.showPayPortPage = [this](const user_AttPay& page) { pages.push_back(page.bankUrl); };
    services.registSignControl = [&](wxWindow* parent) {
        SignControlRegistrar registrar(launcher);
        registrar.SetInstalledCheck([] { return false; });
        wxTheApp->CallAfter([] {
            wxCommandEvent unplug(wxEVT_PLUGIN_UNPLUG);
            wxTheApp->ProcessEvent(unplug);
        });
        registrar.Wait(parent);
        waited = true;
    };
    dialog->SetServices(services);
    dialog->CallAfter([this] {
        user_AttPay page;
        page.attPayId = 5;
        page.sysPayPortId = kOstrel;
        page.bankUrl = "http://bank.test/sign?qianyue=1";
        market.store.m_user_AttPay_table->Upsert(page);
    });
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        ADD_FAILURE() << "the loops did not end";
        dialog->EndModal(-1);
    });
    guard.StartOnce(10000);
    EXPECT_EQ(dialog->ShowModal(), wxID_CANCEL);
    EXPECT_TRUE(waited);
    EXPECT_TRUE(OpenWaitText().empty());
    EXPECT_TRUE(pages.empty());
}

// The dialog as the trader meets it: opened from the hold-detail pane's
// command, sent through the plug-in, library and market, the bank pages
// served by the market, the signing control registered by the signing tool.
class PayPortRegistOnTheBed : public ::testing::Test
{
protected:
    static PayPortRegistDlg* OpenDialog()
    {
        for(wxWindow* window : wxTopLevelWindows) {
            if(auto* dialog = dynamic_cast<PayPortRegistDlg*>(window); dialog && dialog->IsModal()) {
                return dialog;
            }
        }
        return nullptr;
    }
    // Sends the command, then runs `act` on the modal dialog it opens; a
    // guard ends a loop that would not end. False when none opened.
    bool RunCommand(const std::function<void(PayPortRegistDlg&)>& act)
    {
        bool opened = false;
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
            ADD_FAILURE() << "the registration dialog did not end";
            if(PayPortRegistDlg* dialog = OpenDialog()) {
                dialog->EndModal(-1);
            }
        });
        guard.StartOnce(90000);
        wxTheApp->CallAfter([&] {
            if(PayPortRegistDlg* dialog = OpenDialog()) {
                opened = true;
                act(*dialog);
            }
        });
        bed.Host().SendMenuCommand("payport_regist");
        return opened;
    }
    // The bank password prompt, then "Yes" in the confirmation box.
    void ScriptPasswordAndYes(const wxString& password)
    {
        if(!password.empty()) {
            bed.Dialogs().Answer(
                [password](wxDialog& dialog) {
                    static_cast<wxPasswordEntryDialog&>(dialog).SetValue(password);
                    return wxID_OK;
                },
                [](wxDialog& dialog) { return dynamic_cast<wxPasswordEntryDialog*>(&dialog) != nullptr; });
        }
        bed.Dialogs().AnswerWith(wxID_YES, [](wxDialog& dialog) {
            return dynamic_cast<wxGenericMessageDialog*>(&dialog) != nullptr;
        });
    }
    static void Fill(PayPortRegistDlg& dialog, const char* channel, const char* password)
    {
        dialog.GetComboBoxChannel()->SetStringSelection(wxString::FromUTF8(channel));
        Click(dialog.GetComboBoxChannel(), wxEVT_COMBOBOX);
        dialog.GetTextCtrlCardNo()->ChangeValue("6222020000007777");
        dialog.GetTextCtrlCardNoConfirm()->ChangeValue("6222020000007777");
        dialog.GetTextCtrlAccountName()->ChangeValue(wxString::FromUTF8("交易员"));
        dialog.GetTextCtrlIdCard()->ChangeValue("110101199202021234");
        dialog.GetTextCtrlMoneyPassword()->ChangeValue(password);
    }
    static wxString Line(PayPortRegistDlg& dialog) { return dialog.GetTextCtrlMessage()->GetValue(); }
    static bool WaitForLine(PayPortRegistDlg& dialog, const wxString& end)
    {
        return PumpUntil([&] { return Line(dialog).EndsWith(end); }, std::chrono::seconds(10));
    }
    bool Registered(int userId, int sysPayPortId) { return !Registration(userId, sysPayPortId).empty(); }
    nlohmann::json Registration(int userId, int sysPayPortId)
    {
        const nlohmann::json state = bed.Market().State();
        for(const auto& registration : state["payPortRegistrations"]) {
            if(registration["userId"] == userId && registration["sysPayPortId"] == sysPayPortId) {
                return registration;
            }
        }
        return nlohmann::json();
    }
    // The identity type of the user's last registration request.
    std::string SentIdentityType(const char* user)
    {
        std::string type;
        const nlohmann::json state = bed.Market().State();
        for(const auto& entry : state["requests"]) {
            if(entry.value("request", "") == "ReqRegistPayPort" && entry.value("user", "") == user) {
                type = entry["fields"].value("identityType", "?");
            }
        }
        return type;
    }
    std::vector<std::string> BankRequests()
    {
        std::vector<std::string> queries;
        const nlohmann::json state = bed.Market().State();
        for(const auto& entry : state["requests"]) {
            if(entry["kind"] == "http" && entry["route"] == "/bank/sign") {
                queries.push_back(entry["query"].get<std::string>());
            }
        }
        return queries;
    }
    std::vector<PayPortRegistPanel*> PayPortPages()
    {
        std::vector<PayPortRegistPanel*> pages;
        Notebook* centre = bed.Host().Manager().GetCentreBook();
        for(size_t i = 0; i < centre->GetPageCount(); ++i) {
            if(auto* page = dynamic_cast<PayPortRegistPanel*>(centre->GetPage(i))) {
                EXPECT_EQ(centre->GetPageText(i), "PayPort");
                pages.push_back(page);
            }
        }
        return pages;
    }
    static wxString Title(PayPortRegistPanel& panel)
    {
        wxString title;
        return panel.GetPage() && panel.GetPage()->Evaluate("document.title", &title) ? title : wxString();
    }

    ScratchFolder m_registry; // empty: the signing control is not registered
    ScopedEnv m_registryEnv{"PELMORA_SIGN_CONTROLS", m_registry.Path()};
    TestBed bed;
};

TEST_F(PayPortRegistOnTheBed, CancelRegisterAndTheBankPagesAfterTheSigningTool)
{
    ASSERT_TRUE(bed.Start()); // demo, "showErrMsgBox" off
    auto launcher = std::make_unique<FakeProcessLauncher>();
    launcher->startResult = ShellResult::kFileNotFound; // starts nothing
    FakeProcessLauncher& fakeLauncher = *launcher;
    bed.Plugin().SetProcessLauncher(std::move(launcher));
    auto browser = std::make_unique<FakeBrowserLauncher>();
    FakeBrowserLauncher& fakeBrowser = *browser;
    bed.Plugin().SetBrowserLauncher(std::move(browser));
    ASSERT_TRUE(Registered(1001, 1));

    // The demo's CNY account opens in unregister mode; a wrong money password
    // is the server's refusal, then the cancellation goes through. Its
    // signing page needs the control, which the tool that never starts does
    // not register: after the eleventh tick the page goes to the browser.
    ScriptPasswordAndYes("135790");
    ScriptPasswordAndYes("135790");
    EXPECT_TRUE(RunCommand([&](PayPortRegistDlg& dialog) {
        ASSERT_TRUE(PumpUntil([&] { return dialog.GetMode() == 1; }, std::chrono::seconds(10)));
        EXPECT_EQ(dialog.GetTitle(), wxString::FromUTF8("[UnRegist : 演示用户]"));
        EXPECT_EQ(dialog.GetTextCtrlCardNo()->GetValue(), "6222020000001234");
        EXPECT_FALSE(dialog.GetTextCtrlCardNo()->IsEnabled());

        dialog.GetTextCtrlMoneyPassword()->ChangeValue("111111");
        Click(dialog.GetButtonOk());
        EXPECT_TRUE(WaitForLine(dialog, "[94]")) << Line(dialog);
        EXPECT_EQ(dialog.GetTextCtrlMessage()->GetForegroundColour(), *wxRED);

        dialog.GetTextCtrlMoneyPassword()->ChangeValue("666666");
        Click(dialog.GetButtonOk());
        EXPECT_TRUE(WaitForLine(dialog, "]UnRegist Apply Success, Please Wait ...[0]")) << Line(dialog);
        EXPECT_EQ(dialog.GetTextCtrlMessage()->GetForegroundColour(), *wxBLUE);
        EXPECT_TRUE(PumpUntil([&] { return !fakeBrowser.defaultCalls.empty(); }, std::chrono::seconds(20)));
        EXPECT_TRUE(dialog.IsModal()) << "the dialog stays open";
        dialog.Close();
    }));
    EXPECT_EQ(bed.Dialogs().PendingScripts(), 0u);
    EXPECT_FALSE(Registered(1001, 1));
    ASSERT_EQ(fakeLauncher.calls.size(), 1u);
    EXPECT_EQ(fakeLauncher.calls[0].program, bed.BinDir() + "/Varnel");
    EXPECT_EQ(fakeLauncher.calls[0].verb, "runas");
    const wxString cancelPage =
        wxString::Format("http://127.0.0.1:%d/bank/sign?qianyue=0&payport=1&acc=11", bed.Market().HttpPort());
    ASSERT_EQ(fakeBrowser.namedCalls.size(), 1u);
    EXPECT_EQ(fakeBrowser.namedCalls[0].browser, "iexplore.exe");
    EXPECT_EQ(fakeBrowser.namedCalls[0].url, cancelPage);
    EXPECT_EQ(fakeBrowser.defaultCalls, std::vector<wxString>{cancelPage});
    std::size_t failures = 0;
    for(const DialogScript::Record& seen : bed.Dialogs().Seen()) {
        failures += seen.message == "Regist Varnel Failed! Please Regist Use IE" ? 1 : 0;
    }
    EXPECT_EQ(failures, 1u);
    EXPECT_TRUE(PayPortPages().empty());

    // A bank that completes the registration later: its page opens inside.
    ScriptPasswordAndYes("");
    EXPECT_TRUE(RunCommand([&](PayPortRegistDlg& dialog) {
        ASSERT_TRUE(PumpUntil([&] { return dialog.GetComboBoxChannel()->GetCount() == 2; },
                              std::chrono::seconds(10)));
        EXPECT_EQ(dialog.GetMode(), 0);
        // Refreshed since the cancellation: the type shown is still a real choice.
        EXPECT_EQ(dialog.GetComboBoxIdType()->GetSelection(), 0);
        EXPECT_EQ(dialog.GetComboBoxIdType()->GetValue(), "identity");
        Fill(dialog, "第三方存管", "666666");
        Click(dialog.GetButtonOk());
        EXPECT_TRUE(WaitForLine(dialog, "]Regist Apply Success, Please Wait ...[0]")) << Line(dialog);
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsModal(); }, std::chrono::seconds(10)));
    }));
    EXPECT_EQ(SentIdentityType("demo"), "1");
    EXPECT_EQ(Registration(1001, 3).value("identityType", ""), "1");
    EXPECT_EQ(PayPortPages().size(), 1u);
    EXPECT_EQ(fakeLauncher.calls.size(), 1u) << "no signing control for that bank";

    // Energy's registration on its own bank, then cancelled from a dialog
    // opened on 现货一部: Energy's goes, 现货一部's stays.
    for(const bool registering : {true, false}) {
        ScriptPasswordAndYes("");
        EXPECT_TRUE(RunCommand([&](PayPortRegistDlg& dialog) {
            ASSERT_TRUE(PumpUntil([&] { return dialog.GetComboBoxMarket()->GetCount() == 4; },
                                  std::chrono::seconds(10)));
            dialog.GetComboBoxMarket()->SetStringSelection("Energy");
            Click(dialog.GetComboBoxMarket(), wxEVT_COMBOBOX);
            EXPECT_EQ(dialog.GetMode(), registering ? 0 : 1);
            Fill(dialog, "Bankfor Direct", "666666");
            Click(dialog.GetButtonOk());
            EXPECT_TRUE(PumpUntil([&] { return !dialog.IsModal(); }, std::chrono::seconds(10)))
                << Line(dialog);
        }));
        EXPECT_EQ(Registered(1001, 2), registering);
    }
    EXPECT_TRUE(Registered(1001, 3));

    // As "second", with the built signing tool: registering on "Ostrel"
    // runs it, its registration ends the wait, the page finds the control.
    bed.Plugin().SetProcessLauncher(std::make_unique<SystemProcessLauncher>());
    bed.Logout();
    ASSERT_TRUE(bed.Login("second", "second1"));
    ScriptPasswordAndYes("135790");
    EXPECT_TRUE(RunCommand([&](PayPortRegistDlg& dialog) {
        ASSERT_TRUE(PumpUntil([&] { return dialog.GetComboBoxChannel()->GetCount() == 2; },
                              std::chrono::seconds(10)));
        EXPECT_EQ(dialog.GetComboBoxMarket()->GetValue(), wxString::FromUTF8("现货一部"));
        EXPECT_EQ(dialog.GetTitle(), "[Regist : Second Trader]");
        EXPECT_EQ(dialog.GetComboBoxIdType()->GetValue(), "identity");
        Fill(dialog, "银企直联", "222222");
        EXPECT_EQ(dialog.GetComboBoxBank()->GetValue(), wxString::FromUTF8("奥斯特银行"));
        Click(dialog.GetButtonOk());
        EXPECT_TRUE(WaitForLine(dialog, "]Regist Apply Success[0]")) << Line(dialog);
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsModal(); }, std::chrono::seconds(40)));
    }));
    EXPECT_EQ(SentIdentityType("second"), "1");
    EXPECT_EQ(Registration(1002, 1).value("identityType", ""), "1");
    EXPECT_TRUE(IsSignControlInstalled());
    const std::vector<PayPortRegistPanel*> pages = PayPortPages();
    ASSERT_EQ(pages.size(), 1u) << "the one page, made again for this bank";
    Notebook* centre = bed.Host().Manager().GetCentreBook();
    EXPECT_EQ(centre->GetCurrentPage(), pages.back()) << "selected";
    EXPECT_TRUE(
        PumpUntil([&] { return Title(*pages.back()) == "Signing control ready"; }, std::chrono::seconds(15)))
        << Title(*pages.back());
    const std::vector<std::string> requests = BankRequests();
    EXPECT_NE(std::find(requests.begin(), requests.end(), "qianyue=1&payport=1&acc=21"), requests.end());

    // The opener: nothing without an address or a known pay port; the one
    // page shows the latest address.
    user_AttPay row;
    row.sysPayPortId = 1;
    bed.Plugin().ShowPayPortPage(row);
    row.bankUrl = "http://127.0.0.1:1/bank";
    row.sysPayPortId = 99;
    bed.Plugin().ShowPayPortPage(row);
    EXPECT_EQ(PayPortPages().size(), 1u);
    row.sysPayPortId = 1;
    bed.Plugin().ShowPayPortPage(row);
    bed.Plugin().ShowPayPortPage(row);
    ASSERT_EQ(PayPortPages().size(), 1u);
    EXPECT_EQ(PayPortPages()[0]->GetUrl(), row.bankUrl);
}

} // namespace
