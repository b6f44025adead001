// The deposit and withdrawal dialog: the lines it shows follow the tables,
// OK's failures, the wait for the answer with its time-out, the close; then
// deposits and withdrawals on the logged-in test bed, opened from the
// hold-detail pane as the trader opens them.
#include "MoneyTestStore.h"
#include "TestBed.h"
#include "common/PluginEvents.h"
#include "connection/RequestNotify.h"
#include "db/RecordStore.h"
#include "funds/MoneyDialog.h"
#include "funds/MoneyRules.h"
#include "panes/HoldDetailModel.h"
#include "panes/HoldDetailPane.h"
#include "panes/OrderList.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <vector>
#include <wx/evtloop.h>
#include <wx/textdlg.h>
#include <wx/timer.h>

namespace {

using nlohmann::json;

void Click(wxWindow* control, wxEventType type = wxEVT_BUTTON)
{
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    control->ProcessWindowEvent(event);
}

bool IsTopLevel(const wxWindow* window)
{
    return std::find(wxTopLevelWindows.begin(), wxTopLevelWindows.end(), window) != wxTopLevelWindows.end();
}

class MoneyDialogTest : public ::testing::Test
{
protected:
    MoneyDialogTest()
    {
        market.AddAccount(11, "M1");
        market.AddAccount(12, "M2");
    }

    // A dialog over the test store, initialised as when shown, whose
    // messages, sends and waits are recorded.
    std::unique_ptr<MoneyDialog> Open(int mode, int accountKey = 11)
    {
        auto dialog = std::make_unique<MoneyDialog>(nullptr, &market.store, mode);
        dialog->SetUserId(MoneyTestStore::kUserId);
        dialog->SetAccountKey(accountKey);
        dialog->SetClock([this] { return now; });
        dialog->SetRequestNotify(&registry);
        dialog->GetMessageLine().SetBoxFunction([this](const wxString& message, const wxString& caption) {
            boxes.push_back(caption + "|" + message);
        });
        dialog->SetSender([this](sFFixReqInOutMoney& request) {
            sent.push_back(request);
            return nextId++;
        });
        dialog->SetPasswordPrompt([this](wxString& password) {
            ++prompts;
            password = bankPassword;
            return promptAnswer;
        });
        dialog->InitDialog();
        return dialog;
    }
    void Fill(MoneyDialog& dialog, const wxString& amount, const wxString& password)
    {
        dialog.GetTextCtrlAmount()->ChangeValue(amount);
        dialog.GetTextCtrlMoneyPassword()->ChangeValue(password);
    }
    wxString LastBox() const { return boxes.empty() ? wxString() : boxes.back(); }

    MoneyTestStore market;
    wxDateTime now = wxDateTime(9, wxDateTime::Dec, 2026, 10, 0, 0);
    RequestNotify registry{[this] { return now; }};
    std::vector<wxString> boxes;
    std::vector<sFFixReqInOutMoney> sent;
    int nextId = 700;
    int prompts = 0;
    wxString bankPassword = "135790";
    bool promptAnswer = true;
};

TEST_F(MoneyDialogTest, ShowsTheChosenAccountAndFollowsThePayPortAndAccountTables)
{
    auto dialog = Open(1, 12);
    EXPECT_EQ(dialog->GetTitle(), "Take Out Money");
    EXPECT_EQ(dialog->GetStaticTextAmount()->GetLabel(), "Amount(Out)");
    EXPECT_EQ(dialog->GetComboBoxAccount()->GetCount(), 2u);
    EXPECT_EQ(dialog->GetComboBoxAccount()->GetValue(), "M2");
    EXPECT_EQ(dialog->GetTextCtrlName()->GetValue(), "Trader Name");
    EXPECT_EQ(dialog->GetTextCtrlRemain()->GetValue(), "12000.00");
    EXPECT_EQ(dialog->GetTextCtrlWithdrawable()->GetValue(), "500.00");

    // The bank: none, then the market's pay ports asked for, then named.
    EXPECT_EQ(dialog->GetTextCtrlBank()->GetValue(), "------------");
    market.AddPayport(1, "CNY");
    EXPECT_EQ(dialog->GetTextCtrlBank()->GetValue(), "************");
    market.AddSysPayPort(1, "Ostrel Bank", true);
    EXPECT_EQ(dialog->GetTextCtrlBank()->GetValue(), "Ostrel Bank");

    // A floating loss on class '1' takes the withdrawable money to nothing.
    ASSERT_TRUE(market.store.m_user_Account_table->Modify(12, [](user_Account& a) {
        a.profitDyn = -800.0;
        a.marginRemain = 99.5;
    }));
    EXPECT_EQ(dialog->GetTextCtrlWithdrawable()->GetValue(), "0.00");
    EXPECT_EQ(dialog->GetTextCtrlRemain()->GetValue(), "99.50");

    // Choosing the other account refreshes once, later.
    dialog->GetComboBoxAccount()->SetStringSelection("M1");
    Click(dialog->GetComboBoxAccount(), wxEVT_COMBOBOX);
    EXPECT_EQ(dialog->GetAccountKey(), 11);
    EXPECT_TRUE(dialog->IsRefreshPending());
    EXPECT_TRUE(PumpUntil([&] { return !dialog->IsRefreshPending(); }));
    EXPECT_EQ(dialog->GetTextCtrlRemain()->GetValue(), "11000.00");

    // An account of another user is not taken.
    market.AddAccount(15, "Other", "CNY", 2002);
    dialog->Update();
    dialog->GetComboBoxAccount()->SetStringSelection("Other");
    Click(dialog->GetComboBoxAccount(), wxEVT_COMBOBOX);
    EXPECT_EQ(dialog->GetAccountKey(), 11);

    // The chosen account goes: the choice drops it and takes the first one.
    market.RemoveAccount(11);
    dialog->Update();
    EXPECT_EQ(dialog->GetComboBoxAccount()->GetCount(), 2u);
    EXPECT_NE(dialog->GetAccountKey(), 11);
}

TEST_F(MoneyDialogTest, OkReportsItsFailuresInOrderAndSendsNothingThen)
{
    market.AddPayport(1, "CNY");
    market.AddSysPayPort(1, "Ostrel Bank", true);
    auto dialog = Open(0, 99);
    EXPECT_EQ(dialog->GetTitle(), "Deposit Money");
    EXPECT_EQ(dialog->GetAccountKey(), 11); // 99 is no account: the first one is taken

    struct Case
    {
        const char* name;
        int accountKey;
        const char* amount;
        const char* password;
        const char* message;
    };
    const Case cases[] = {
        {"no account", 99, "10", "666666", "Account Invalid, Maybe Disconnected!"},
        {"empty money password", 11, "abc", "", "Invalid Passord!"},
        {"zero", 11, "0", "666666", "Amount Error!"},
        {"text", 11, "ten", "666666", "Amount Error!"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog->SetAccountKey(c.accountKey);
        Fill(*dialog, c.amount, c.password);
        Click(dialog->GetButtonOk());
        EXPECT_EQ(LastBox(), wxString("ErrorMessage|[10:00:00]") + c.message);
    }
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(prompts, 0);

    // The bank password prompt cancelled: nothing sent, nothing said.
    const std::size_t said = boxes.size();
    promptAnswer = false;
    Fill(*dialog, "1,234.50", "666666");
    Click(dialog->GetButtonOk());
    EXPECT_EQ(prompts, 1);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(boxes.size(), said);

    // Without a Client nothing goes.
    dialog->SetSender(MoneyDialog::Sender());
    promptAnswer = true;
    Click(dialog->GetButtonOk());
    EXPECT_EQ(LastBox(), "ErrorMessage|[10:00:00]Send Command Failed!");
    EXPECT_FALSE(dialog->IsWaitting());
}

TEST_F(MoneyDialogTest, ThePastedAmountGoesWithBothPasswordsBeforeTheClientMasksTheBankOne)
{
    market.AddPayport(1, "CNY");
    market.AddSysPayPort(1, "Ostrel Bank", true);
    market.AddAccount(13, "M3", "USD"); // no pay port: no prompt
    struct Case
    {
        int accountKey;
        int mode;
        const char* bank;
        char direction;
    };
    for(const Case& c : {Case{11, 0, "135790", '1'}, Case{13, 1, "", '2'}}) {
        SCOPED_TRACE(c.accountKey);
        sent.clear();
        prompts = 0;
        auto dialog = Open(c.mode, c.accountKey);
        Fill(*dialog, "1,234.50", "abcdefghijklmnopqrstuvwxyz");
        Click(dialog->GetButtonOk());
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(prompts, c.bank[0] ? 1 : 0);
        const sFFixReqInOutMoney expected = MoneyRules::MakeRequest(
            c.accountKey, 1234.5, c.mode, "abcdefghijklmnopqrstuvwx", wxString::FromUTF8(c.bank));
        EXPECT_EQ(std::memcmp(&sent[0], &expected, sizeof expected), 0);
        EXPECT_EQ(sent[0].direction, c.direction);
        EXPECT_EQ(std::string(sent[0].bankPassword), c.bank);
        EXPECT_EQ(std::string(sent[0].moneyPassword), "abcdefghijklmnopqrstuvwx");
    }
}

TEST_F(MoneyDialogTest, WaitsForItsOwnAnswerOrTheTimeOutWithOnlyOkDisabled)
{
    auto dialog = Open(1, 11);
    Fill(*dialog, "100", "666666");
    Click(dialog->GetButtonOk());
    ASSERT_TRUE(dialog->IsWaitting());
    const int id = dialog->GetWaitRequestId();
    EXPECT_EQ(id, 700);
    EXPECT_EQ(registry.GetDeadline(id), now + wxTimeSpan::Seconds(10));
    EXPECT_FALSE(dialog->GetButtonOk()->IsEnabled());
    EXPECT_TRUE(dialog->GetButtonCancel()->IsEnabled());
    EXPECT_TRUE(dialog->GetTextCtrlAmount()->IsEnabled());

    // Another request's answer is not this one.
    registry.WaitResponse(id + 1, dialog.get(), 60000);
    registry.NotifyResponse(id + 1, 55, "other");
    EXPECT_TRUE(dialog->IsWaitting());
    EXPECT_TRUE(boxes.empty());

    // A time-out leaves the money's fate unknown: OK stays disabled, and a
    // click sends nothing until the late answer says it was carried out.
    now += wxTimeSpan::Seconds(10);
    registry.CheckTimeOut(now);
    EXPECT_FALSE(dialog->IsWaitting());
    EXPECT_TRUE(dialog->IsUnsettled());
    EXPECT_FALSE(dialog->GetButtonOk()->IsEnabled());
    EXPECT_EQ(LastBox(),
              "ErrorMessage|[10:00:10]No answer yet: the request may still be carried out; check the "
              "Account page before you send it again");
    Click(dialog->GetButtonOk());
    EXPECT_EQ(sent.size(), 1u);
    registry.NotifyResponse(id, 0, "");
    EXPECT_FALSE(dialog->IsUnsettled());
    EXPECT_TRUE(dialog->GetButtonOk()->IsEnabled());
    EXPECT_EQ(LastBox(), "NoticeMessage|[10:00:10]The request that had no answer was carried out[0]");
    EXPECT_EQ(registry.GetCount(), 0u);

    // An error answer: OK again, the server's text and code.
    Click(dialog->GetButtonOk());
    ASSERT_TRUE(dialog->IsWaitting());
    registry.NotifyResponse(dialog->GetWaitRequestId(), 55, wxString::FromUTF8("可出资金不足"));
    EXPECT_TRUE(dialog->GetButtonOk()->IsEnabled());
    EXPECT_EQ(LastBox(), wxString::FromUTF8("ErrorMessage|[10:00:10]可出资金不足[55]"));

    // A time-out is honoured whatever id it carries: one request at a time.
    // A refusal that comes late settles it too.
    Click(dialog->GetButtonOk());
    ASSERT_TRUE(dialog->IsWaitting());
    const int refused = dialog->GetWaitRequestId();
    now += wxTimeSpan::Seconds(1);
    dialog->OnResponseTimeOut(refused + 50);
    EXPECT_FALSE(dialog->IsWaitting());
    EXPECT_TRUE(dialog->IsUnsettled());
    registry.NotifyResponse(refused, 55, "");
    EXPECT_TRUE(dialog->GetButtonOk()->IsEnabled());
    EXPECT_TRUE(LastBox().EndsWith("[55]")) << LastBox();
    EXPECT_EQ(registry.GetCount(), 0u);

    // Closed while waiting: the wait is dropped, a late answer reaches nobody.
    Click(dialog->GetButtonOk());
    ASSERT_TRUE(dialog->IsWaitting());
    const int late = dialog->GetWaitRequestId();
    dialog->Close();
    EXPECT_FALSE(dialog->IsWaitting());
    EXPECT_FALSE(registry.IsWaiting(late));
    const std::size_t said = boxes.size();
    registry.NotifyResponse(late, 0, "");
    EXPECT_EQ(boxes.size(), said);
    EXPECT_TRUE(IsTopLevel(dialog.get())); // only its opener destroys it
}

TEST_F(MoneyDialogTest, ASuccessfulAnswerEndsTheModalLoopAndTheOpenerDestroysTheDialog)
{
    int shown = 0;
    {
        MoneyDialog dialog(nullptr, &market.store, 0);
        dialog.SetUserId(MoneyTestStore::kUserId);
        dialog.SetAccountKey(12);
        dialog.SetRequestNotify(&registry);
        dialog.SetSender([this](sFFixReqInOutMoney& request) {
            sent.push_back(request);
            return nextId++;
        });
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) {
            ADD_FAILURE() << "the dialog did not end";
            dialog.EndModal(-1);
        });
        guard.StartOnce(5000);
        wxTheApp->CallAfter([&] {
            EXPECT_EQ(dialog.GetTextCtrlRemain()->GetValue(), "12000.00"); // initialised when shown
            Fill(dialog, "20", "666666");
            Click(dialog.GetButtonOk());
            registry.NotifyResponse(dialog.GetWaitRequestId(), 0, "");
        });
        shown = dialog.ShowModal();
        EXPECT_FALSE(dialog.IsWaitting());
    }
    EXPECT_EQ(shown, wxID_OK);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].accountKey, 12);
    EXPECT_EQ(registry.GetCount(), 0u);
    PumpEvents(); // nothing of the dialog is left to run
}

TEST_F(MoneyDialogTest, AtUnloadItLetsGoOfTheTablesAndItsWait)
{
    auto dialog = Open(0, 11);
    EXPECT_EQ(market.store.m_user_Account_table->GetActionTriggerCount(), 1u);
    Fill(*dialog, "10", "666666");
    Click(dialog->GetButtonOk());
    ASSERT_TRUE(dialog->IsWaitting());

    wxCommandEvent unplug(wxEVT_PLUGIN_UNPLUG);
    wxTheApp->ProcessEvent(unplug);
    EXPECT_FALSE(dialog->IsWaitting());
    EXPECT_EQ(registry.GetCount(), 0u);
    for(std::size_t count : {market.store.m_user_Account_table->GetActionTriggerCount(),
                             market.store.m_user_Payport_table->GetActionTriggerCount(),
                             market.store.m_sys_PayPort_table->GetActionTriggerCount()}) {
        EXPECT_EQ(count, 0u);
    }
    dialog->Update(); // reads no table any more
    EXPECT_EQ(dialog->GetTextCtrlRemain()->GetValue(), "11000.00");
}

// The money dialog as the trader meets it: opened from the hold-detail
// pane, sent through the plug-in, library and market, answered by them.
class MoneyDialogOnTheBed : public LoggedInTest
{
protected:
    static json AccountOf(const json& state, int key)
    {
        for(const json& account : state["accounts"]) {
            if(account.value("key", 0) == key) {
                return account;
            }
        }
        return json::object();
    }
    static MoneyDialog* OpenDialog()
    {
        for(wxWindow* window : wxTopLevelWindows) {
            if(auto* dialog = dynamic_cast<MoneyDialog*>(window); dialog && dialog->IsModal()) {
                return dialog;
            }
        }
        return nullptr;
    }
    // Sends the menu command, then runs `act` on the modal dialog it opens;
    // a guard ends a loop that would not end. False when none opened.
    bool RunCommand(const char* command, const std::function<void(MoneyDialog&)>& act)
    {
        bool opened = false;
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
            ADD_FAILURE() << "the money dialog did not end";
            if(MoneyDialog* dialog = OpenDialog()) {
                dialog->EndModal(-1);
            }
        });
        guard.StartOnce(60000);
        wxTheApp->CallAfter([&] {
            if(MoneyDialog* dialog = OpenDialog()) {
                opened = true;
                act(*dialog);
            }
        });
        bed.Host().SendMenuCommand(command);
        return opened;
    }
    // Answers the bank password prompt with the password.
    void ScriptBankPassword(const wxString& password)
    {
        bed.Dialogs().Answer(
            [password](wxDialog& dialog) {
                static_cast<wxPasswordEntryDialog&>(dialog).SetValue(password);
                return wxID_OK;
            },
            [](wxDialog& dialog) { return dynamic_cast<wxPasswordEntryDialog*>(&dialog) != nullptr; });
    }
    static wxString Line(MoneyDialog& dialog) { return dialog.GetTextCtrlMessage()->GetValue(); }
    int MoneyMoves() { return static_cast<int>(bed.Market().State()["moneyMoves"].size()); }
    wxDateTime ServerTime()
    {
        const auto& rows = bed.Store().m_server_time_table->GetIndexByPrimary();
        return rows.empty() ? wxDateTime() : rows.begin()->serverTime;
    }
    long InOutRequests()
    {
        const nlohmann::json log = bed.Market().State()["requests"];
        return std::count_if(log.begin(), log.end(), [](const nlohmann::json& entry) {
            return entry.value("request", "") == "ReqInOutMoney";
        });
    }
};

TEST_F(MoneyDialogOnTheBed, DepositAndWithdrawalReachTheMarketAndRefusalsShowOnTheLine)
{
    RecordStore& store = bed.Store();
    const int movesBefore = MoneyMoves();
    const std::size_t rowsBefore = store.m_am_AmountInOut_table->GetContainer().size();

    // Nothing selected: the deposit opens on the master account A11, whose
    // bank asks for the bank password.
    ScriptBankPassword("135790");
    bool closedOnAnswer = false;
    EXPECT_TRUE(RunCommand("in_money", [&](MoneyDialog& dialog) {
        EXPECT_EQ(dialog.GetAccountKey(), 11);
        EXPECT_EQ(dialog.GetTitle(), "Deposit Money");
        EXPECT_TRUE(PumpUntil(
            [&] { return dialog.GetTextCtrlBank()->GetValue() == wxString::FromUTF8("奥斯特银行"); },
            std::chrono::seconds(10)))
            << dialog.GetTextCtrlBank()->GetValue();
        dialog.GetTextCtrlAmount()->ChangeValue("1,234.50");
        dialog.GetTextCtrlMoneyPassword()->ChangeValue("666666");
        Click(dialog.GetButtonOk());
        closedOnAnswer = PumpUntil([&] { return !dialog.IsModal(); }, std::chrono::seconds(10));
        EXPECT_TRUE(closedOnAnswer) << Line(dialog);
    }));
    EXPECT_TRUE(closedOnAnswer);
    EXPECT_EQ(bed.Dialogs().PendingScripts(), 0u);
    ASSERT_TRUE(
        PumpUntil([&] { return store.m_am_AmountInOut_table->GetContainer().size() == rowsBefore + 1; },
                  std::chrono::seconds(10)));
    bool found = false;
    for(const am_AmountInOut& move : store.m_am_AmountInOut_table->GetIndexByPrimary()) {
        found = found || (move.accountKey == 11 && move.inOutType == '1' && move.amount == 1234.5);
    }
    EXPECT_TRUE(found);
    const json state = bed.Market().State();
    ASSERT_EQ(static_cast<int>(state["moneyMoves"].size()), movesBefore + 1);
    bool atMarket = false;
    for(const json& move : state["moneyMoves"]) {
        atMarket = atMarket || (move.value("account", 0) == 11 && move.value("amount", 0.0) == 1234.5);
    }
    EXPECT_TRUE(atMarket) << state["moneyMoves"].dump();

    // A floating loss on A11 (settlement kind '1'), prices standing still.
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    const json holds = bed.Market().State()["holds"];
    for(const json& hold : holds) {
        if(hold.value("account", 0) == 11) {
            const double away = hold.value("side", "") == "b" ? -50.0 : 50.0;
            ASSERT_EQ(bed.Market().Post("/admin/price?symbol=" + std::to_string(hold.value("symbol", 0)) +
                                        "&price=" + std::to_string(hold.value("openPrice", 0.0) + away)),
                      200);
        }
    }
    const json account = AccountOf(bed.Market().State(), 11);
    ASSERT_EQ(account.value("accountClass", ""), "1");
    ASSERT_LT(account.value("profitDyn", 0.0), 0.0);
    const double limit = account.value("withdrawable", 0.0) + account.value("profitDyn", 0.0);
    EXPECT_NEAR(account.value("withdrawLimit", 0.0), limit, 0.001);

    // Withdrawals: what the dialog shows and one cent more, above the
    // withdrawable money, a wrong money password, an answer that never
    // comes; each keeps the dialog open with OK enabled.
    EXPECT_TRUE(RunCommand("out_money", [&](MoneyDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Take Out Money");
        const wxString shown = wxString::Format("%.2f", limit);
        EXPECT_TRUE(PumpUntil([&] { return dialog.GetTextCtrlWithdrawable()->GetValue() == shown; },
                              std::chrono::seconds(10)))
            << dialog.GetTextCtrlWithdrawable()->GetValue() << " != " << shown;
        ScriptBankPassword("135790");
        dialog.GetTextCtrlAmount()->ChangeValue(wxString::Format("%.2f", limit + 0.01));
        dialog.GetTextCtrlMoneyPassword()->ChangeValue("666666");
        Click(dialog.GetButtonOk());
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsWaitting(); }, std::chrono::seconds(10)));
        EXPECT_TRUE(Line(dialog).EndsWith(wxString::FromUTF8("可出资金不足[55]"))) << Line(dialog);

        struct Case
        {
            const char* amount;
            const char* password;
            const char* expected; // the end of the line
        };
        const Case cases[] = {
            {"99999999", "666666", "可出资金不足[55]"},
            {"10", "000000", "资金密码错误[94]"},
        };
        wxDateTime now = wxDateTime::Now();
        dialog.SetClock([&now] { return now; });
        for(const Case& c : cases) {
            SCOPED_TRACE(c.amount);
            now += wxTimeSpan::Seconds(6); // the earlier message is stale
            ScriptBankPassword("135790");
            dialog.GetTextCtrlAmount()->ChangeValue(c.amount);
            dialog.GetTextCtrlMoneyPassword()->ChangeValue(c.password);
            Click(dialog.GetButtonOk());
            EXPECT_TRUE(PumpUntil([&] { return !dialog.IsWaitting(); }, std::chrono::seconds(10)));
            EXPECT_TRUE(Line(dialog).EndsWith(wxString::FromUTF8(c.expected))) << Line(dialog);
            EXPECT_EQ(dialog.GetTextCtrlMessage()->GetForegroundColour(), *wxRED);
            EXPECT_TRUE(dialog.GetButtonOk()->IsEnabled());
        }

        // Within five seconds the next OK keeps the line until a new message.
        const wxString kept = Line(dialog);
        ASSERT_EQ(bed.Market().Post("/admin/answer?code=1039&mode=delay&ms=12000"), 200);
        now += wxTimeSpan::Seconds(2);
        ScriptBankPassword("135790");
        dialog.GetTextCtrlAmount()->ChangeValue("10");
        dialog.GetTextCtrlMoneyPassword()->ChangeValue("666666");
        const long sent = InOutRequests();
        Click(dialog.GetButtonOk());
        EXPECT_TRUE(dialog.IsWaitting());
        EXPECT_FALSE(dialog.GetButtonOk()->IsEnabled());
        EXPECT_EQ(Line(dialog), kept);
        // The late answer ends in the time-out, counted by the plug-in; the
        // money may still move, so a second OK sends nothing until it comes.
        // The box that says so runs its own loop: the plug-in's clock goes on.
        bed.SetConfigValue("showErrMsgBox", true);
        bool clockRan = false;
        bed.Dialogs().Answer([&](wxDialog&) {
            // A loop of its own, as the box runs, until the clock moved on.
            const wxDateTime shown = ServerTime();
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            wxGUIEventLoop loop;
            wxTimer look;
            look.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
                clockRan = ServerTime().IsLaterThan(shown + wxTimeSpan::Seconds(1));
                if(clockRan || std::chrono::steady_clock::now() > deadline) {
                    loop.Exit();
                }
            });
            look.Start(50);
            loop.Run();
            return wxID_OK;
        });
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsWaitting(); }, std::chrono::seconds(20)));
        bed.SetConfigValue("showErrMsgBox", false);
        EXPECT_TRUE(clockRan);
        EXPECT_TRUE(
            bed.Dialogs().Seen().back().message.EndsWith("check the Account page before you send it again"))
            << bed.Dialogs().Seen().back().message;
        EXPECT_FALSE(dialog.GetButtonOk()->IsEnabled());
        Click(dialog.GetButtonOk());
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsUnsettled(); }, std::chrono::seconds(20)));
        EXPECT_TRUE(Line(dialog).EndsWith("]The request that had no answer was carried out[0]"))
            << Line(dialog);
        EXPECT_TRUE(dialog.GetButtonOk()->IsEnabled());
        EXPECT_EQ(InOutRequests(), sent + 1);
        dialog.SetClock([] { return wxDateTime::Now(); }); // `now` ends with this block
        dialog.Close();
    }));
    ASSERT_EQ(bed.Market().Post("/admin/answer?code=1039&mode=normal"), 200);
    EXPECT_EQ(MoneyMoves(), movesBefore + 2); // the refused ones left nothing
}

TEST_F(MoneyDialogOnTheBed, ADoubleClickOnASummaryRowOpensTheDepositOfThatRowsAccount)
{
    Notebook* output = bed.Host().Manager().GetOutputBook();
    HoldDetailPane* pane = nullptr;
    for(size_t page = 0; page < output->GetPageCount() && !pane; ++page) {
        pane = dynamic_cast<HoldDetailPane*>(output->GetPage(page));
    }
    ASSERT_NE(pane, nullptr);
    // Each reading of the clock is two seconds on: no double click is too soon.
    pane->SetClock(
        [base = wxDateTime::Now(), ticks = 0]() mutable { return base + wxTimeSpan::Seconds(2 * ticks++); });
    const int row = pane->GetModel()->GetOrderList().FindSummaryRow(13);
    ASSERT_GE(row, 0);
    const wxDataViewItem item = pane->GetModel()->GetItem(static_cast<unsigned int>(row));
    pane->GetList()->Select(item);
    wxDataViewEvent selected(wxEVT_DATAVIEW_SELECTION_CHANGED, pane->GetList(), item);
    pane->GetList()->ProcessWindowEvent(selected);
    ASSERT_EQ(pane->GetRememberedRow(), row);

    int accountKey = 0;
    int mode = -1;
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
        ADD_FAILURE() << "the money dialog did not end";
        if(MoneyDialog* dialog = OpenDialog()) {
            dialog->EndModal(-1);
        }
    });
    guard.StartOnce(30000);
    wxTheApp->CallAfter([&] {
        if(MoneyDialog* dialog = OpenDialog()) {
            accountKey = dialog->GetAccountKey();
            mode = dialog->GetMode();
            dialog->Close();
        }
    });
    wxDataViewEvent activated(wxEVT_DATAVIEW_ITEM_ACTIVATED, pane->GetList(), item);
    pane->GetList()->ProcessWindowEvent(activated);
    EXPECT_EQ(accountKey, 13);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(pane->GetRememberedRow(), row);
}

} // namespace
