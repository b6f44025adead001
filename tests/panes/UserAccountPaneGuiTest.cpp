// The account pane on the display over a real account table: new accounts
// cost one refresh, changed figures none, the main accounts are given once,
// and the surety column follows the accounts present at each refresh.
#include "EventPump.h"
#include "PaneTestStore.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "panes/RiskNoticeMgr.h"
#include "panes/UserAccountModel.h"
#include "panes/UserAccountPane.h"

#include <pelmora/EditorConfig.h>
#include <wx/filename.h>
#include <wx/frame.h>

namespace {

class AccountPaneTest : public ::testing::Test
{
protected:
    AccountPaneTest()
        : folder("account-pane"), userEnv("PELMORA_USER_DATA_DIR", folder.Path()),
          frame(new wxFrame(nullptr, wxID_ANY, "Account", wxPoint(0, 0), wxSize(1200, 300)))
    {
        EditorConfigST::Free(); // settings of this folder only
        pane = new UserAccountPane(&data.store, frame);
        // Bound after the pane's own handler, so called first; passed on.
        pane->Bind(UserAccountPane::kRefreshEvent, [this](wxCommandEvent& event) {
            ++refreshes;
            event.Skip();
        });
        frame->Show();
    }
    ~AccountPaneTest() override
    {
        pane->Destroy(); // before the store it observes
        frame->Destroy();
        PumpEvents();
        EditorConfigST::Free();
    }

    // Runs the queued refresh, and the one the main-account assignment asks for.
    ::testing::AssertionResult Settle()
    {
        if(!PumpUntil([this] { return !pane->IsRefreshPending(); })) {
            return ::testing::AssertionFailure() << "the refresh never ran";
        }
        PumpEvents();
        return ::testing::AssertionSuccess();
    }
    bool ColumnShown(unsigned int modelColumn) const
    {
        return !pane->GetList()->GetColumnByModelColumn(modelColumn)->IsHidden();
    }
    char Role(int key) const
    {
        return data.store.m_user_Account_table->GetIndexByPrimary().find(key)->accountState;
    }

    ScratchFolder folder;
    ScopedEnv userEnv;
    PaneTestStore data;
    wxFrame* frame;
    UserAccountPane* pane;
    int refreshes = 0;
};

} // namespace

TEST_F(AccountPaneTest, NewAccountsCostOneRefreshFiguresNoneAndTheMainAccountsAreGivenOnce)
{
    ASSERT_EQ(pane->GetList()->GetColumnCount(), static_cast<unsigned int>(UserAccountModel::eColumnCount));
    ASSERT_NE(pane->GetRiskNoticeMgr(), nullptr);
    data.AddAccount(11, '1'); // both arrive as other accounts of CNY
    data.AddAccount(12, '1');
    EXPECT_TRUE(pane->IsRefreshPending());
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Role(11), '1'); // the first of its currency became the main one
    EXPECT_EQ(Role(12), '2');
    EXPECT_EQ(refreshes, 1); // the roles it gave change no risk kind: nothing more
    EXPECT_EQ(pane->GetModel()->GetCount(), 2u);

    // Prices move the figures hundreds of times a second: only rows repaint.
    refreshes = 0;
    for(int i = 0; i < 10; ++i) {
        data.ChangeAccount(i % 2 ? 11 : 12, [i](user_Account& a) { a.netValue = 1000.0 + i; });
    }
    EXPECT_FALSE(pane->IsRefreshPending());
    ASSERT_TRUE(Settle());
    EXPECT_EQ(refreshes, 0);

    // Once while the plug-in is loaded: a later change of roles stays.
    data.ChangeAccount(11, [](user_Account& a) { a.accountState = '2'; });
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Role(11), '2');
    EXPECT_EQ(Role(12), '2');

    // A removal asks for nothing.
    refreshes = 0;
    data.RemoveAccount(12);
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(pane->GetModel()->GetCount(), 1u);
}

TEST_F(AccountPaneTest, TheSuretyColumnShowsExactlyWhileAnAccountOfKindThreeExists)
{
    EXPECT_FALSE(ColumnShown(UserAccountModel::eBonusPoint)); // "ShowBonusPoint" is off
    EXPECT_TRUE(ColumnShown(UserAccountModel::eSuretyMoney));

    const struct
    {
        const char* name;
        std::function<void()> change;
        bool shown;
    } steps[] = {
        {"an account of kind '1'", [&] { data.AddAccount(11, '1'); }, false},
        {"an account of kind '3' arrives later",
         [&] {
             user_Account surety = data.MakeAccount(14, '3', "FX");
             surety.riskKind = '3';
             data.AddAccount(surety);
         },
         true},
        {"it turns to kind '2'", [&] { data.ChangeAccount(14, [](user_Account& a) { a.riskKind = '2'; }); },
         false},
        {"and back", [&] { data.ChangeAccount(14, [](user_Account& a) { a.riskKind = '3'; }); }, true},
    };
    for(const auto& s : steps) {
        SCOPED_TRACE(s.name);
        s.change();
        ASSERT_TRUE(Settle());
        EXPECT_EQ(ColumnShown(UserAccountModel::eSuretyMoney), s.shown);
        EXPECT_FALSE(ColumnShown(UserAccountModel::eBonusPoint));
    }
}
