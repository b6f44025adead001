// The account dialogs: the password change (checks on its line, the answer
// acted on with what was sent), the transfer, main-account and surety-money
// dialogs (choices by key, their lines, the wait); then the trader's flows on
// the logged-in test bed, opened from the host's menus through the
// hold-detail pane, and the password prompt after a login that must change it.
#include "FakeConnectionHost.h"
#include "MoneyTestStore.h"
#include "TestBed.h"
#include "connection/Client.h"
#include "connection/RequestNotify.h"
#include "frame/LockScreen.h"
#include "funds/ChangeMainAcc.h"
#include "funds/ModifyPasswordDlg.h"
#include "funds/SetSuretyMoney.h"
#include "funds/TransferAcc.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <vector>
#include <wx/msgdlg.h>
#include <wx/regex.h>
#include <wx/timer.h>

namespace {

using nlohmann::json;

void Click(wxWindow* control, wxEventType type = wxEVT_BUTTON)
{
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    control->ProcessWindowEvent(event);
}

void Choose(wxComboBox* choice, int item)
{
    choice->SetSelection(item);
    Click(choice, wxEVT_COMBOBOX);
}

// Records bus 10005 with the password it carries.
class PasswordChangedRecorder
{
public:
    PasswordChangedRecorder()
    {
        EventNotifier::Get()->Bind(wxEVT_CMD_PASSWORD_CHANGED, &PasswordChangedRecorder::OnChanged, this);
    }
    ~PasswordChangedRecorder()
    {
        EventNotifier::Get()->Unbind(wxEVT_CMD_PASSWORD_CHANGED, &PasswordChangedRecorder::OnChanged, this);
    }
    std::vector<wxString> passwords;

private:
    void OnChanged(wxCommandEvent& event)
    {
        event.Skip();
        const auto* array = static_cast<const wxArrayString*>(event.GetClientData());
        passwords.push_back(array && array->size() == 1 ? (*array)[0] : wxString("?"));
    }
};

// Dialogs over a store of their own; sends, waits, boxes and questions recorded.
class AccountDialogsTest : public ::testing::Test
{
protected:
    ~AccountDialogsTest() override { client.Release(); }
    template <class Dialog> std::unique_ptr<Dialog> Open()
    {
        auto dialog = std::make_unique<Dialog>(nullptr, &market.store);
        dialog->SetRequestNotify(&registry);
        dialog->GetErrMsgBox().SetClock([this] { return now; });
        dialog->GetErrMsgBox().SetBox([this](const wxString& message, const wxString& caption) {
            boxes.push_back(caption + "|" + message);
        });
        dialog->InitDialog();
        return dialog;
    }
    std::unique_ptr<ModifyPasswordDlg> OpenPassword()
    {
        const user_LoginInfo& login = *market.store.m_user_LoginInfo_table->GetIndexByPrimary().begin();
        auto dialog = std::make_unique<ModifyPasswordDlg>(nullptr, &login);
        dialog->SetRequestNotify(&registry);
        dialog->GetMessageLine().SetClock([this] { return now; });
        dialog->SetSender([this](sFFixModifyPassword& request) {
            passwordRequests.push_back(request);
            return nextId++;
        });
        dialog->SetClientSource([this] { return &client; });
        DialogPrompts prompts;
        prompts.ask = [this](const wxString& question, const wxString& caption) {
            questions.push_back(caption + "|" + question);
            return answerYes;
        };
        prompts.box = [this](const wxString& message, const wxString& caption) {
            boxes.push_back(caption + "|" + message);
        };
        dialog->SetPrompts(prompts);
        dialog->InitDialog();
        return dialog;
    }
    static void FillPasswords(ModifyPasswordDlg& dialog, const char* oldPassword, const char* newPassword,
                              const char* confirm)
    {
        dialog.GetTextCtrlOldPassword()->ChangeValue(oldPassword);
        dialog.GetTextCtrlNewPassword()->ChangeValue(newPassword);
        dialog.GetTextCtrlConfirmPassword()->ChangeValue(confirm);
    }
    static wxString Line(ModifyPasswordDlg& dialog) { return dialog.GetTextCtrlMessage()->GetValue(); }
    wxString LastBox() const { return boxes.empty() ? wxString() : boxes.back(); }
    void Modify(int key, const std::function<void(user_Account&)>& change)
    {
        ASSERT_TRUE(market.store.m_user_Account_table->Modify(key, change));
    }
    void TimeOut(unsigned ms)
    {
        now += wxTimeSpan::Milliseconds(ms + 1);
        registry.CheckTimeOut(now);
    }

    MoneyTestStore market;
    wxDateTime now = wxDateTime(9, wxDateTime::Dec, 2026, 10, 0, 0);
    RequestNotify registry{[this] { return now; }};
    FakeConnectionHost host;
    Client client{"demo", &market.store, &host};
    std::vector<wxString> boxes;
    std::vector<wxString> questions;
    std::vector<sFFixModifyPassword> passwordRequests;
    bool answerYes = true;
    int nextId = 900;
};

TEST_F(AccountDialogsTest, PasswordChecksShowOnTheLineInOrderAndNoSendsNothing)
{
    auto dialog = OpenPassword();
    EXPECT_EQ(dialog->GetTitle(), "Modify Password");
    EXPECT_EQ(dialog->GetUserId(), MoneyTestStore::kUserId);
    ASSERT_EQ(dialog->GetComboBoxKind()->GetCount(), 2u);
    EXPECT_EQ(dialog->GetComboBoxKind()->GetValue(), "Money Password");

    struct Case
    {
        const char* oldPassword;
        const char* newPassword;
        const char* confirm;
        const char* message;
    };
    const Case cases[] = {
        {"", "", "", "Please input old password!"},
        {"666666", "77777", "77777", "The password length must be greater than or equal to 6!"},
        {"666666", "abcdefg", "ABCDEFG", "Confirm password error!"},
        {"abcdefg", "abcdefg", "abcdefg", "The new password cannot be the same as the recent password!"},
        {"666666", "1234567890123456789012345", "1234567890123456789012345",
         "The password length must be less than or equal to 24!"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.message);
        FillPasswords(*dialog, c.oldPassword, c.newPassword, c.confirm);
        Click(dialog->GetButtonOk());
        EXPECT_EQ(Line(*dialog), wxString("[10:00:00]") + c.message);
        EXPECT_EQ(dialog->GetTextCtrlMessage()->GetForegroundColour(), *wxRED);
    }
    EXPECT_TRUE(questions.empty());

    // Six characters pass; No at the confirmation sends nothing and says nothing.
    answerYes = false;
    FillPasswords(*dialog, "666666", "777777", "777777");
    Click(dialog->GetButtonOk());
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions.back(), "Modify Password|Are uou sure modify [Money Password] password?");
    EXPECT_TRUE(passwordRequests.empty());
    EXPECT_EQ(Line(*dialog), "");
    EXPECT_FALSE(dialog->IsWaitting());

    // Nothing to send through.
    answerYes = true;
    dialog->SetSender(ModifyPasswordDlg::Sender());
    Click(dialog->GetButtonOk());
    EXPECT_EQ(Line(*dialog), "[10:00:00]Send Command Failed!");
    EXPECT_TRUE(boxes.empty()); // its own line only, never a box
}

TEST_F(AccountDialogsTest, PasswordAnswersActOnWhatWasSent)
{
    PasswordChangedRecorder bus;
    const wxString before = client.GetTradeConnecter().GetPassword();

    // The money password: no bus event, the Client's login password alone.
    {
        auto dialog = OpenPassword();
        FillPasswords(*dialog, "666666", "777777", "777777");
        Click(dialog->GetButtonOk());
        ASSERT_EQ(passwordRequests.size(), 1u);
        EXPECT_EQ(passwordRequests[0].kind, '2');
        EXPECT_TRUE(dialog->IsWaitting());
        EXPECT_FALSE(dialog->GetButtonOk()->IsEnabled());
        dialog->OnResponse(dialog->GetWaitRequestId() + 1, 0, ""); // another id: not ours
        EXPECT_TRUE(dialog->IsWaitting());
        registry.NotifyResponse(900, 0, "");
        EXPECT_FALSE(dialog->IsWaitting());
        EXPECT_EQ(LastBox(), "Modify Password|Modify Money Password Password Success");
        EXPECT_TRUE(bus.passwords.empty());
        EXPECT_EQ(client.GetTradeConnecter().GetPassword(), before);
    }

    // The login password: kind and field changed during the wait do not count.
    {
        auto dialog = OpenPassword();
        Choose(dialog->GetComboBoxKind(), 1);
        FillPasswords(*dialog, "demo123", "secret99", "secret99");
        Click(dialog->GetButtonOk());
        ASSERT_EQ(passwordRequests.size(), 2u);
        EXPECT_EQ(passwordRequests[1].kind, '1');
        Choose(dialog->GetComboBoxKind(), 0);
        FillPasswords(*dialog, "x", "changed1", "changed1");
        registry.NotifyResponse(901, 0, "");
        EXPECT_EQ(LastBox(), "Modify Password|Modify Login Password Password Success");
        EXPECT_EQ(bus.passwords, std::vector<wxString>({"secret99"}));
        EXPECT_EQ(client.GetTradeConnecter().GetPassword(), "secret99");
        EXPECT_EQ(client.GetMdConnecter().GetPassword(), "secret99");
    }

    // A refusal leaves OK enabled with the message on the line. After a
    // time-out OK stays disabled, and a login password the late answer
    // changed is the one the Client logs in with.
    {
        auto dialog = OpenPassword();
        FillPasswords(*dialog, "000000", "777777", "777777");
        Click(dialog->GetButtonOk());
        registry.NotifyResponse(902, 94, wxString::FromUTF8("资金密码错误"));
        EXPECT_TRUE(dialog->GetButtonOk()->IsEnabled());
        EXPECT_EQ(Line(*dialog), wxString::FromUTF8("[10:00:00]资金密码错误[94]"));
        Choose(dialog->GetComboBoxKind(), 1);
        FillPasswords(*dialog, "secret99", "later777", "later777");
        Click(dialog->GetButtonOk());
        EXPECT_TRUE(dialog->IsWaitting());
        TimeOut(ModifyPasswordDlg::kWaitMs);
        EXPECT_TRUE(dialog->IsUnsettled());
        EXPECT_FALSE(dialog->GetButtonOk()->IsEnabled());
        EXPECT_TRUE(
            Line(*dialog).EndsWith("]No answer yet: the password may still be changed; wait for the answer "
                                   "before you try again"))
            << Line(*dialog);
        Click(dialog->GetButtonOk());
        EXPECT_EQ(passwordRequests.size(), 4u);
        registry.NotifyResponse(903, 0, "");
        EXPECT_EQ(client.GetTradeConnecter().GetPassword(), "later777");
    }
    EXPECT_EQ(bus.passwords.size(), 2u);
}

TEST_F(AccountDialogsTest, TransferSendsTheChosenKeysAndShowsTheSourcesOutMoney)
{
    market.AddAccount(11, "Same");
    Modify(11, [](user_Account& a) {
        a.withdrawableMoney = 100.0;
        a.profitDyn = -250.0;
    });
    std::vector<sFFixMoveMoney> sent;
    auto record = [&sent, this](sFFixMoveMoney& request) {
        sent.push_back(request);
        return nextId++;
    };

    // One account: no destination, sent as -1.
    {
        auto dialog = Open<TransferAcc>();
        dialog->SetSender(record);
        EXPECT_EQ(dialog->GetTitle(), "TransferAccDlg");
        EXPECT_EQ(dialog->GetComboBoxDest()->GetSelection(), wxNOT_FOUND);
        EXPECT_EQ(dialog->GetStaticTextSourceLine()->GetLabel(), "CurrentOutMoney:0.00");
        dialog->GetTextCtrlPassword()->ChangeValue("666666");
        Click(dialog->GetButtonOk());
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].fromAccountKey, 11);
        EXPECT_EQ(sent[0].toAccountKey, -1);
        EXPECT_EQ(sent[0].amount, 0.0);
    }

    // Two accounts of one market name: each entry sends its own key.
    market.AddAccount(12, "Same");
    Modify(12, [](user_Account& a) { a.withdrawableMoney = 300.0; });
    auto dialog = Open<TransferAcc>();
    dialog->SetSender(record);
    EXPECT_EQ(dialog->GetComboBoxDest()->GetSelection(), 1);
    Choose(dialog->GetComboBoxSource(), 1);
    EXPECT_EQ(dialog->GetStaticTextSourceLine()->GetLabel(), "CurrentOutMoney:300.00");
    Choose(dialog->GetComboBoxDest(), 0);
    dialog->GetTextCtrlAmount()->ChangeValue("250.50");
    dialog->GetTextCtrlPassword()->ChangeValue("123456789012345678901234");
    Click(dialog->GetButtonOk());
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].fromAccountKey, 12);
    EXPECT_EQ(sent[1].toAccountKey, 11);
    EXPECT_EQ(sent[1].amount, 250.5);
    EXPECT_STREQ(sent[1].password, "123456789012345678901234");
    EXPECT_FALSE(dialog->GetButtonOk()->IsEnabled());

    // The source line follows the source's pushes.
    Modify(12, [](user_Account& a) { a.profitDyn = -100.0; });
    EXPECT_EQ(dialog->GetStaticTextSourceLine()->GetLabel(), "CurrentOutMoney:200.00");

    // After the time-out the money may still move: "ok" stays disabled and
    // sends nothing until the late answer, here a refusal, tells.
    TimeOut(TransferAcc::kWaitMs);
    EXPECT_FALSE(dialog->GetButtonOk()->IsEnabled());
    EXPECT_EQ(LastBox(),
              "ErrorMessage|[10:00:10]No answer yet: the request may still be carried out; check the "
              "Account page before you send it again");
    Click(dialog->GetButtonOk());
    EXPECT_EQ(sent.size(), 2u);
    registry.NotifyResponse(nextId - 1, 55, "");
    EXPECT_TRUE(LastBox().EndsWith("[55]")) << LastBox();
    EXPECT_TRUE(dialog->GetButtonOk()->IsEnabled());

    // Checks before sending: the same account twice, no password.
    const std::size_t sends = sent.size();
    Choose(dialog->GetComboBoxDest(), 1);
    Click(dialog->GetButtonOk());
    EXPECT_EQ(LastBox(), "ErrorMessage|[10:00:10]mustn't transfer money between the same account!");
    Choose(dialog->GetComboBoxDest(), 0);
    dialog->GetTextCtrlPassword()->ChangeValue("");
    Click(dialog->GetButtonOk());
    EXPECT_EQ(LastBox(), "ErrorMessage|[10:00:10]Invalid Passord!");
    dialog->SetSender(TransferAcc::Sender());
    dialog->GetTextCtrlPassword()->ChangeValue("666666");
    Click(dialog->GetButtonOk());
    EXPECT_EQ(LastBox(), "ErrorMessage|[10:00:10]Send Command Failed!");
    EXPECT_EQ(sent.size(), sends);
}

TEST_F(AccountDialogsTest, MainAccountLineFollowsOnlyTheAccountFlaggedMain)
{
    market.AddAccount(11, "M1");
    Modify(11, [](user_Account& a) {
        a.accountState = '1';
        a.marketId = 1;
    });
    std::vector<sFFixMasterAccount> sent;
    auto record = [&sent, this](sFFixMasterAccount& request) {
        sent.push_back(request);
        return nextId++;
    };
    // A lone main account: nothing to choose, -1 and -1 sent.
    {
        auto dialog = Open<ChangeMainAcc>();
        dialog->SetSender(record);
        EXPECT_EQ(dialog->GetTitle(), "changeMainAccDlg");
        EXPECT_EQ(dialog->GetTextCtrlMainLine()->GetValue(), "current main account:M1");
        EXPECT_EQ(dialog->GetComboBoxAccount()->GetCount(), 0u);
        Click(dialog->GetButtonOk());
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].userId, MoneyTestStore::kUserId);
        EXPECT_EQ(sent[0].accountKey, -1);
        EXPECT_EQ(sent[0].marketId, -1);
    }

    market.AddAccount(12, "M2");
    Modify(12, [](user_Account& a) {
        a.accountState = '2';
        a.marketId = 2;
    });
    auto dialog = Open<ChangeMainAcc>();
    dialog->SetSender(record);
    EXPECT_EQ(dialog->GetComboBoxAccount()->GetValue(), "M2");
    Click(dialog->GetButtonOk());
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].accountKey, 12);
    EXPECT_EQ(sent[1].marketId, 2);

    // After a time-out a second click sends a new request with a new id.
    TimeOut(ChangeMainAcc::kWaitMs);
    EXPECT_EQ(LastBox(), "ErrorMessage|[10:00:10]Request Time Out!");
    Click(dialog->GetButtonOk());
    EXPECT_EQ(sent.size(), 3u);
    EXPECT_TRUE(dialog->IsWaitting());

    // Pushes: another account's change keeps the line, the new main names it.
    Modify(12, [](user_Account& a) { a.marginRemain = 1.0; });
    EXPECT_EQ(dialog->GetTextCtrlMainLine()->GetValue(), "current main account:M1");
    Modify(11, [](user_Account& a) { a.accountState = '2'; });
    Modify(12, [](user_Account& a) { a.accountState = '1'; });
    EXPECT_EQ(dialog->GetTextCtrlMainLine()->GetValue(), "current main account:M2");

    // Success shows, without its code, while "showErrMsgBox" is on (no plug-in: on).
    registry.NotifyResponse(nextId - 1, 0, "");
    EXPECT_EQ(LastBox(), "NoticeMessage|[10:00:10]Change MainAcc Success!");
    EXPECT_FALSE(dialog->IsWaitting());
    EXPECT_TRUE(dialog->GetButtonOk()->IsEnabled());
}

TEST_F(AccountDialogsTest, SuretyLineFollowsTheChoiceAndAnEmptyChoiceSendsMinusOne)
{
    std::vector<sFFixSetSuretyMoney> sent;
    auto record = [&sent, this](sFFixSetSuretyMoney& request) {
        sent.push_back(request);
        return nextId++;
    };
    market.AddAccount(11, "M1");
    {
        auto dialog = Open<SetSuretyMoney>();
        dialog->SetSender(record);
        EXPECT_EQ(dialog->GetTitle(), "Set Surety Money");
        EXPECT_EQ(dialog->GetComboBoxAccount()->GetCount(), 0u);
        EXPECT_EQ(dialog->GetStaticTextSuretyLine()->GetLabel(), "");
        dialog->GetTextCtrlPassword()->ChangeValue("666666");
        Click(dialog->GetButtonOk());
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].accountKey, -1);
    }

    market.AddAccount(13, "S3");
    market.AddAccount(14, "S4");
    Modify(13, [](user_Account& a) {
        a.riskKind = '3';
        a.suretyMoney = 5000.0;
    });
    Modify(14, [](user_Account& a) {
        a.riskKind = '3';
        a.suretyMoney = 1234.5;
    });
    auto dialog = Open<SetSuretyMoney>();
    dialog->SetSender(record);
    ASSERT_EQ(dialog->GetComboBoxAccount()->GetCount(), 2u);
    EXPECT_EQ(dialog->GetStaticTextSuretyLine()->GetLabel(), "CurrentSuretyMoney:5000.00");
    Choose(dialog->GetComboBoxAccount(), 1);
    EXPECT_EQ(dialog->GetStaticTextSuretyLine()->GetLabel(), "CurrentSuretyMoney:1234.50");
    Modify(14, [](user_Account& a) { a.suretyMoney = 6000.0; });
    EXPECT_EQ(dialog->GetStaticTextSuretyLine()->GetLabel(), "CurrentSuretyMoney:6000.00");

    Click(dialog->GetButtonOk());
    EXPECT_EQ(LastBox(), "ErrorMessage|[10:00:00]Invalid Passord!");
    dialog->GetTextCtrlAmount()->ChangeValue("6000");
    dialog->GetTextCtrlPassword()->ChangeValue("666666");
    Click(dialog->GetButtonOk());
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].accountKey, 14);
    EXPECT_EQ(sent[1].amount, 6000.0);
    registry.NotifyResponse(nextId - 1, 0, "");
    EXPECT_EQ(LastBox(), "NoticeMessage|[10:00:00]Set Surety Money Success!");
    EXPECT_FALSE(dialog->IsWaitting());
}

// --- On the logged-in test bed.

template <class Dialog> Dialog* OpenModal()
{
    for(wxWindow* window : wxTopLevelWindows) {
        if(auto* dialog = dynamic_cast<Dialog*>(window); dialog && dialog->IsModal()) {
            return dialog;
        }
    }
    return nullptr;
}

template <class Dialog> bool IsAnyOpen()
{
    for(wxWindow* window : wxTopLevelWindows) {
        if(dynamic_cast<Dialog*>(window)) {
            return true;
        }
    }
    return false;
}

// Runs `act` on the modal dialog of the class once it shows (it may come
// from a timer); a guard ends a loop that would not end.
template <class Dialog> class WhenModal
{
public:
    explicit WhenModal(std::function<void(Dialog&)> act) : m_act(std::move(act))
    {
        m_poll.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            Dialog* dialog = OpenModal<Dialog>();
            if(!dialog || m_acted) {
                return;
            }
            m_acted = true;
            m_poll.Stop();
            m_guard.StartOnce(60000);
            m_act(*dialog);
            m_guard.Stop();
        });
        m_guard.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
            ADD_FAILURE() << "the dialog did not end";
            if(Dialog* dialog = OpenModal<Dialog>()) {
                dialog->EndModal(-1);
            }
        });
        m_poll.Start(20);
    }
    bool Acted() const { return m_acted; }

private:
    std::function<void(Dialog&)> m_act;
    wxTimer m_poll;
    wxTimer m_guard;
    bool m_acted = false;
};

bool IsGenericBox(wxDialog& dialog)
{
    return dynamic_cast<wxGenericMessageDialog*>(&dialog) != nullptr;
}

class AccountDialogsOnTheBed : public ::testing::Test
{
protected:
    // Sends the menu command as the host does and runs `act` on the dialog.
    template <class Dialog> bool RunCommand(const char* command, std::function<void(Dialog&)> act)
    {
        WhenModal<Dialog> when(std::move(act));
        bed->Host().SendMenuCommand(command);
        EXPECT_FALSE(IsAnyOpen<Dialog>()) << "destroyed by its opener";
        return when.Acted();
    }
    json Account(int key)
    {
        const json state = bed->Market().State();
        for(const json& account : state["accounts"]) {
            if(account.value("key", 0) == key) {
                return account;
            }
        }
        return json::object();
    }
    double Remain(int key) { return Account(key).value("marginRemain", 0.0); }
    int Requests(const char* operation)
    {
        int count = 0;
        const json state = bed->Market().State();
        for(const json& entry : state["requests"]) {
            count += entry.value("request", "") == operation ? 1 : 0;
        }
        return count;
    }
    // The last box: an error "[hh:mm:ss]<text>[<code>]" captioned "ErrorMessage",
    // or without a code a success "[hh:mm:ss]<text>" captioned "NoticeMessage".
    bool LastBoxIs(const char* text, std::optional<int> code)
    {
        const auto& seen = bed->Dialogs().Seen();
        if(seen.empty() || seen.back().title != (code ? "ErrorMessage" : "NoticeMessage")) {
            return false;
        }
        const wxString tail = code && *code != -1 ? wxString::Format("\\[%d\\]", *code) : wxString();
        wxRegEx pattern("^\\[[0-9]{2}:[0-9]{2}:[0-9]{2}\\]" + wxString::FromUTF8(text) + tail + "$");
        return pattern.Matches(seen.back().message);
    }
    // A transfer of 1000.00 from the first to the second account with the password.
    bool Transfer(TransferAcc& dialog, const char* password)
    {
        dialog.GetTextCtrlAmount()->ChangeValue("1000.00");
        dialog.GetTextCtrlPassword()->ChangeValue(password);
        Click(dialog.GetButtonOk());
        return PumpUntil([&] { return !dialog.IsWaitting(); }, std::chrono::seconds(10));
    }

    // Locks the screen from the host's menu and types the passwords in turn;
    // for each, whether the lock screen was gone after it.
    std::vector<bool> Unlock(const std::vector<wxString>& passwords)
    {
        std::vector<bool> unlocked;
        WhenModal<LockScreen> when([&](LockScreen& dialog) {
            for(const wxString& password : passwords) {
                dialog.GetTextCtrlPassword()->ChangeValue(password);
                dialog.TryUnlock();
                unlocked.push_back(!dialog.IsModal());
            }
            if(dialog.IsModal()) {
                dialog.EndModal(-1);
            }
        });
        bed->Host().SendMenuCommand("lockScreen");
        EXPECT_TRUE(when.Acted());
        return unlocked;
    }
    // Logins of demo the trade fronts answered with success.
    int TradeLogins()
    {
        int count = 0;
        const json state = bed->Market().State();
        for(const json& entry : state["requests"]) {
            // A session has no user before its login: demo is the only one here.
            count += entry.value("request", "") == "ReqUserLogin" &&
                             entry.value("front", "").rfind("trade", 0) == 0 &&
                             entry["answerCode"].is_number() && entry.value("errorId", -1) == 0
                         ? 1
                         : 0;
        }
        return count;
    }

    std::optional<TestBed> bed;
};

TEST_F(AccountDialogsOnTheBed, TheLockScreenTakesTheChangedLoginPasswordAlsoAfterAReconnection)
{
    bed.emplace();
    ASSERT_TRUE(bed->Start());
    const std::vector<bool> wrongThenRight = {false, true};
    EXPECT_EQ(Unlock({"demo456", "demo123"}), wrongThenRight);

    bed->Dialogs().AnswerWith(wxID_YES, &IsGenericBox);
    bool closed = false;
    EXPECT_TRUE(RunCommand<ModifyPasswordDlg>("modify_password", [&](ModifyPasswordDlg& dialog) {
        Choose(dialog.GetComboBoxKind(), 1);
        dialog.GetTextCtrlOldPassword()->ChangeValue("demo123");
        dialog.GetTextCtrlNewPassword()->ChangeValue("demo456");
        dialog.GetTextCtrlConfirmPassword()->ChangeValue("demo456");
        Click(dialog.GetButtonOk());
        closed = PumpUntil([&] { return !dialog.IsModal(); }, std::chrono::seconds(10));
    }));
    ASSERT_TRUE(closed);
    EXPECT_EQ(bed->Dialogs().Seen().back().message, "Modify Login Password Password Success");
    EXPECT_EQ(Unlock({"demo123", "demo456"}), wrongThenRight);

    // Both trade fronts drop the session; the client logs in again by itself.
    const int logins = TradeLogins();
    ASSERT_EQ(bed->Market().Post("/admin/front?name=trade1&action=drop"), 200);
    ASSERT_EQ(bed->Market().Post("/admin/front?name=trade2&action=drop"), 200);
    ASSERT_TRUE(PumpUntil(
        [&] {
            return TradeLogins() > logins && bed->GetClient() &&
                   bed->GetClient()->GetTradeConnecter().GetStatus() == eLS_LoginSuccess;
        },
        std::chrono::seconds(30)));
    EXPECT_EQ(Unlock({"demo123", "demo456"}), wrongThenRight);
    std::size_t refusals = 0;
    for(const DialogScript::Record& seen : bed->Dialogs().Seen()) {
        refusals += seen.message == "password is wrong,please check again!" ? 1 : 0;
    }
    EXPECT_EQ(refusals, 3u);
}

TEST_F(AccountDialogsOnTheBed, TransferMainAccountSuretyAndMoneyPasswordReachTheMarket)
{
    bed.emplace();
    const auto loggedIn = std::chrono::steady_clock::now();
    bed->SetConfigValue("showErrMsgBox", true);
    ASSERT_TRUE(bed->Start());
    const double remain11 = Remain(11);
    const double remain12 = Remain(12);
    const int transfersBefore = Requests("ReqMoveMoney");

    // A wrong password: the box, one request and no more; then the right one closes.
    bool closed = false;
    EXPECT_TRUE(RunCommand<TransferAcc>("transfer_Acc", [&](TransferAcc& dialog) {
        EXPECT_EQ(dialog.GetComboBoxSource()->GetValue(), wxString::FromUTF8("现货一部"));
        EXPECT_EQ(dialog.GetComboBoxDest()->GetValue(), wxString::FromUTF8("撮合二部"));
        EXPECT_TRUE(dialog.GetStaticTextSourceLine()->GetLabel().StartsWith("CurrentOutMoney:"));
        ASSERT_TRUE(Transfer(dialog, "000000"));
        EXPECT_TRUE(LastBoxIs("资金密码错误", 94)) << bed->Dialogs().Seen().back().message;
        EXPECT_TRUE(dialog.GetButtonOk()->IsEnabled());
        EXPECT_EQ(Requests("ReqMoveMoney"), transfersBefore + 1);
        dialog.GetTextCtrlAmount()->ChangeValue("1000.00");
        dialog.GetTextCtrlPassword()->ChangeValue("666666");
        Click(dialog.GetButtonOk());
        closed = PumpUntil([&] { return !dialog.IsModal(); }, std::chrono::seconds(10));
    }));
    EXPECT_TRUE(closed);
    EXPECT_TRUE(LastBoxIs("Transfer Cash Success!", std::nullopt)) << bed->Dialogs().Seen().back().message;
    EXPECT_TRUE(PumpUntil([&] { return Remain(11) != remain11; }, std::chrono::seconds(10)));
    EXPECT_NEAR(Remain(11), remain11 - 1000.0, 0.001);
    EXPECT_NEAR(Remain(12), remain12 + 1000.0, 0.001);

    // The main account: the line names the account the update flags main.
    closed = false;
    EXPECT_TRUE(RunCommand<ChangeMainAcc>("change_MainAcc", [&](ChangeMainAcc& dialog) {
        const int item = dialog.GetComboBoxAccount()->FindString(wxString::FromUTF8("撮合二部"));
        ASSERT_NE(item, wxNOT_FOUND);
        // Each currency has its main account, and every tick of the USD one
        // names it again. So the line is read at the update that makes A12
        // main and at the update after it: whichever order the observers run
        // in, one of the two readings follows the dialog's handling of A12.
        struct LineWhenMain : CActionTrigger<user_Account>
        {
            explicit LineWhenMain(ChangeMainAcc& dialog) : dialog(dialog) {}
            void afterUpdate(const user_Account& account, CTransaction*, void*) override
            {
                if(!lines.empty() || (account.accountKey == 12 && account.accountState == '1')) {
                    if(lines.size() < 2) {
                        lines.push_back(dialog.GetTextCtrlMainLine()->GetValue());
                    }
                }
            }
            ChangeMainAcc& dialog;
            std::vector<wxString> lines;
        } seen(dialog);
        user_AccountFactory& accounts = *bed->Store().m_user_Account_table;
        accounts.AddActionTrigger(&seen);
        Choose(dialog.GetComboBoxAccount(), item);
        Click(dialog.GetButtonOk());
        closed = PumpUntil([&] { return !dialog.IsModal(); }, std::chrono::seconds(10));
        EXPECT_TRUE(PumpUntil([&] { return seen.lines.size() == 2; }, std::chrono::seconds(10)));
        accounts.RemoveActionTrigger(&seen);
        EXPECT_NE(std::find(seen.lines.begin(), seen.lines.end(),
                            wxString::FromUTF8("current main account:撮合二部")),
                  seen.lines.end());
    }));
    EXPECT_TRUE(closed);
    EXPECT_EQ(Account(12).value("accountState", ""), "1");
    EXPECT_EQ(Account(11).value("accountState", ""), "2");
    EXPECT_TRUE(LastBoxIs("Change MainAcc Success!", std::nullopt));
    // Opened again, the line names the main account of the chosen account's currency.
    EXPECT_TRUE(RunCommand<ChangeMainAcc>("change_MainAcc", [&](ChangeMainAcc& dialog) {
        EXPECT_EQ(dialog.GetComboBoxAccount()->GetValue(), wxString::FromUTF8("现货一部"));
        EXPECT_EQ(dialog.GetTextCtrlMainLine()->GetValue(),
                  wxString::FromUTF8("current main account:撮合二部"));
        Choose(dialog.GetComboBoxAccount(), dialog.GetComboBoxAccount()->FindString("FX"));
        EXPECT_EQ(dialog.GetTextCtrlMainLine()->GetValue(), "current main account:Energy");
        dialog.Close();
    }));

    // Surety money on the one account that carries it.
    closed = false;
    EXPECT_TRUE(RunCommand<SetSuretyMoney>("setsurety_Money", [&](SetSuretyMoney& dialog) {
        EXPECT_EQ(dialog.GetComboBoxAccount()->GetCount(), 1u);
        EXPECT_EQ(dialog.GetComboBoxAccount()->GetValue(), "FX");
        // More than its net value of 20000 covers is refused, and why; one
        // that calls for margin is asked about, and No sends nothing.
        const int sent = Requests("ReqSetSuretyMoney");
        dialog.GetTextCtrlPassword()->ChangeValue("666666");
        dialog.GetTextCtrlAmount()->ChangeValue("99999999");
        // The reason is read whole at the default size. wx asks before it
        // makes the box and again once it is made and laid out.
        int boxWidth = 0;
        bed->Dialogs().AnswerWith(wxID_NONE, &IsGenericBox);
        bed->Dialogs().Answer(
            [&](wxDialog& box) {
                boxWidth = box.GetSize().x;
                return wxID_OK;
            },
            &IsGenericBox);
        Click(dialog.GetButtonOk());
        EXPECT_TRUE(boxWidth > 0 && boxWidth <= bed->Host().Frame().GetSize().x) << boxWidth;
        const wxString said = bed->Dialogs().Seen().back().message;
        EXPECT_TRUE(said.Contains("cover a surety money of 99999999.00") && said.EndsWith("most 16666.66."))
            << said;
        bed->Dialogs().AnswerWith(wxID_NO, &IsGenericBox);
        dialog.GetTextCtrlAmount()->ChangeValue("14000");
        Click(dialog.GetButtonOk());
        EXPECT_TRUE(bed->Dialogs().Seen().back().message.Contains("past the warning line"));
        EXPECT_EQ(Requests("ReqSetSuretyMoney"), sent);
        EXPECT_TRUE(dialog.IsModal());
        dialog.GetTextCtrlAmount()->ChangeValue("6000");
        Click(dialog.GetButtonOk());
        closed = PumpUntil([&] { return !dialog.IsModal(); }, std::chrono::seconds(10));
        EXPECT_TRUE(PumpUntil(
            [&] { return dialog.GetStaticTextSuretyLine()->GetLabel() == "CurrentSuretyMoney:6000.00"; },
            std::chrono::seconds(10)))
            << dialog.GetStaticTextSuretyLine()->GetLabel();
    }));
    EXPECT_TRUE(closed);
    EXPECT_EQ(Account(14).value("suretyMoney", 0.0), 6000.0);

    // The money password becomes one of 24 characters, the most the dialog takes.
    const wxString longPassword = "abcdefghijklmnopqrstuvwx";
    bed->Dialogs().AnswerWith(wxID_YES, &IsGenericBox);
    closed = false;
    EXPECT_TRUE(RunCommand<ModifyPasswordDlg>("modify_password", [&](ModifyPasswordDlg& dialog) {
        EXPECT_EQ(dialog.GetParent(), nullptr);
        dialog.GetTextCtrlOldPassword()->ChangeValue("666666");
        dialog.GetTextCtrlNewPassword()->ChangeValue(longPassword);
        dialog.GetTextCtrlConfirmPassword()->ChangeValue(longPassword);
        Click(dialog.GetButtonOk());
        closed = PumpUntil([&] { return !dialog.IsModal(); }, std::chrono::seconds(10));
        EXPECT_TRUE(closed) << dialog.GetTextCtrlMessage()->GetValue();
    }));
    EXPECT_TRUE(closed);
    EXPECT_EQ(bed->Dialogs().PendingScripts(), 0u);
    EXPECT_EQ(bed->Dialogs().Seen().back().message, "Modify Money Password Password Success");

    // With "showErrMsgBox" off a refusal still shows; the success does not.
    // A password longer than 24 is refused here, never sent cut; all 24 go.
    bed->SetConfigValue("showErrMsgBox", false);
    const double remainBefore = Remain(11);
    closed = false;
    EXPECT_TRUE(RunCommand<TransferAcc>("transfer_Acc", [&](TransferAcc& dialog) {
        ASSERT_TRUE(Transfer(dialog, "666666"));
        EXPECT_TRUE(LastBoxIs("资金密码错误", 94));
        const int sent = Requests("ReqMoveMoney");
        dialog.GetTextCtrlPassword()->ChangeValue(longPassword + "y");
        Click(dialog.GetButtonOk());
        EXPECT_TRUE(LastBoxIs("The password length must be less than or equal to 24!", -1));
        EXPECT_FALSE(dialog.IsWaitting());
        EXPECT_EQ(Requests("ReqMoveMoney"), sent);
        const std::size_t seen = bed->Dialogs().Seen().size();
        dialog.GetTextCtrlPassword()->ChangeValue(longPassword);
        Click(dialog.GetButtonOk());
        closed = PumpUntil([&] { return !dialog.IsModal(); }, std::chrono::seconds(10));
        EXPECT_EQ(bed->Dialogs().Seen().size(), seen);
    }));
    EXPECT_TRUE(closed);
    EXPECT_TRUE(PumpUntil([&] { return Remain(11) != remainBefore; }, std::chrono::seconds(10)));
    EXPECT_NEAR(Remain(11), remainBefore - 1000.0, 0.001);

    // The demo user need not change his password: no prompt once its time is past.
    const auto promptDue = loggedIn + std::chrono::seconds(9);
    if(std::chrono::steady_clock::now() < promptDue) {
        PumpFor(std::chrono::duration_cast<std::chrono::milliseconds>(promptDue -
                                                                      std::chrono::steady_clock::now()));
    }
    EXPECT_EQ(bed->Dialogs().CountSeen("ModifyPasswordDlg"), 1u); // the menu's only

    // With the trade link down nothing goes, and the line says why.
    for(const char* front : {"trade1", "trade2"}) {
        ASSERT_EQ(200, bed->Market().Post(std::string("/admin/front?name=") + front + "&action=refuse"));
        ASSERT_EQ(200, bed->Market().Post(std::string("/admin/front?name=") + front + "&action=drop"));
    }
    ASSERT_TRUE(
        PumpUntil([&] { return bed->GetClient()->GetTradeConnecter().GetStatus() != eLS_LoginSuccess; }));
    const int passwordRequests = Requests("ReqModifyPassword");
    EXPECT_TRUE(RunCommand<ModifyPasswordDlg>("modify_password", [&](ModifyPasswordDlg& dialog) {
        dialog.GetTextCtrlOldPassword()->ChangeValue(longPassword);
        dialog.GetTextCtrlNewPassword()->ChangeValue("666666");
        dialog.GetTextCtrlConfirmPassword()->ChangeValue("666666");
        Click(dialog.GetButtonOk());
        EXPECT_TRUE(dialog.GetTextCtrlMessage()->GetValue().EndsWith(
            "]Send Command Failed! The trade server is not connected."))
            << dialog.GetTextCtrlMessage()->GetValue();
        dialog.Close();
    }));
    EXPECT_EQ(Requests("ReqModifyPassword"), passwordRequests);
}

TEST_F(AccountDialogsOnTheBed, ALoginThatMustChangeIsPromptedOnceAndLogsInWithTheNewPassword)
{
    TestBed::Options options;
    options.user = "changer";
    options.password = "changer1";
    bed.emplace(options);
    PasswordChangedRecorder bus;
    ASSERT_TRUE(bed->Start());

    bed->Dialogs().AnswerWith(wxID_YES, &IsGenericBox);
    bool closed = false;
    WhenModal<ModifyPasswordDlg> prompt([&](ModifyPasswordDlg& dialog) {
        EXPECT_EQ(dialog.GetParent(), bed->Host().Manager().GetMainFrame());
        EXPECT_EQ(dialog.GetUserId(), 1003);
        Choose(dialog.GetComboBoxKind(), 1);
        dialog.GetTextCtrlOldPassword()->ChangeValue("changer1");
        dialog.GetTextCtrlNewPassword()->ChangeValue("changer2");
        dialog.GetTextCtrlConfirmPassword()->ChangeValue("changer2");
        Click(dialog.GetButtonOk());
        closed = PumpUntil([&] { return !dialog.IsModal(); }, std::chrono::seconds(10));
    });
    ASSERT_TRUE(PumpUntil([&] { return prompt.Acted(); }, std::chrono::seconds(15)));
    EXPECT_TRUE(closed);
    EXPECT_FALSE(IsAnyOpen<ModifyPasswordDlg>());
    EXPECT_EQ(bus.passwords, std::vector<wxString>({"changer2"}));
    ASSERT_NE(bed->GetClient(), nullptr);
    EXPECT_EQ(bed->GetClient()->GetTradeConnecter().GetPassword(), "changer2");
    EXPECT_EQ(bed->GetClient()->GetMdConnecter().GetPassword(), "changer2");

    bed->Logout();
    ASSERT_TRUE(bed->Login("changer", "changer2"));
    EXPECT_EQ(bed->GetClient()->GetTradeConnecter().GetStatus(), 3); // "Trade|3"
    EXPECT_EQ(bed->Dialogs().CountSeen("ModifyPasswordDlg"), 1u);
}

} // namespace
