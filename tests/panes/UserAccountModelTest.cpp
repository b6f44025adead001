// The account list over a real account table: cell texts, the role prefix,
// risk levels, colours and the refresh requests.
#include "panes/UserAccountModel.h"

#include "PaneTestStore.h"
#include "common/RefreshClock.h"

namespace {

class AccountList : public ::testing::Test
{
protected:
    AccountList() : model(new UserAccountModel(&data.store, [this] { ++refreshRequests; }))
    {
        model->AddNotifier(new StoreRecordingNotifier(log));
    }

    wxString Text(unsigned int row, unsigned int column) const
    {
        wxVariant value;
        model->GetValueByRow(value, row, column);
        return value.IsNull() ? wxString("<null>") : value.GetString();
    }

    PaneTestStore data;
    std::vector<std::string> log;
    int refreshRequests = 0;
    wxObjectDataPtr<UserAccountModel> model;
};

} // namespace

TEST_F(AccountList, MarketColumnCarriesTheRoleOnlyWhenThereAreSeveralAccounts)
{
    user_Account master = data.MakeAccount(11, '1', "M1");
    master.accountState = '1';
    data.AddAccount(master);
    EXPECT_EQ(Text(0, UserAccountModel::eMarket), "M1");

    data.AddAccount(12, '1', "M2");
    EXPECT_EQ(Text(0, UserAccountModel::eMarket), "[Master]M1");
    EXPECT_EQ(Text(1, UserAccountModel::eMarket), "[Slave]M2");

    data.RemoveAccount(11);
    EXPECT_EQ(Text(0, UserAccountModel::eMarket), "M2");
}

TEST_F(AccountList, CellTexts)
{
    user_Account a = data.MakeAccount(11, '1', "M1");
    a.netValue = 1000.5;
    a.marginRemain = 900;
    a.marginFree = 800.25;
    a.marginUsed = 100;
    a.marginFreezed = 0.5;
    a.suretyMoney = 5000;
    a.profitClose = -3;
    a.profitDyn = 12.345;
    a.dailyCharge = 1.2;
    a.lastDelayCharge = 12.5;
    a.riskKind = '1';
    a.riskRate = 0.8532;
    a.warningLine = 0.8;
    a.forceCloseLine = 0.95;
    a.bonusPoint = -1.0; // before the bonus query answers
    data.AddAccount(a);
    user_Account surety = data.MakeAccount(12, '3', "M2");
    surety.riskKind = '3';
    surety.suretyMoney = 5000;
    surety.bonusPoint = 120.5;
    surety.riskRate = 10000.0;
    data.AddAccount(surety);
    user_Account odd = data.MakeAccount(13, '1', "M3");
    odd.riskKind = '7';
    odd.bonusPoint = 120;
    data.AddAccount(odd);

    const struct
    {
        unsigned int row;
        UserAccountModel::Column column;
        const char* text;
    } cells[] = {
        {0, UserAccountModel::eNetValue, "1000.50"},
        {0, UserAccountModel::eMarginRemain, "900.00"},
        {0, UserAccountModel::eMarginFree, "800.25"},
        {0, UserAccountModel::eMarginUsed, "100.00"},
        {0, UserAccountModel::eMarginFreezed, "0.50"},
        {0, UserAccountModel::eSuretyMoney, "\u2014"}, // only risk kind '3' carries surety money
        {0, UserAccountModel::eProfitClose, "-3.00"},
        {0, UserAccountModel::eProfitDyn, "12.35"},
        {0, UserAccountModel::eDailyCharge, "1.20"},
        {0, UserAccountModel::eLastDelayCharge, "-12.50"},
        {0, UserAccountModel::eRiskLevel, "Warning"},
        {0, UserAccountModel::eRisk, "85.32% (M/N)"},
        {0, UserAccountModel::eCurrency, "CNY"},
        {0, UserAccountModel::eBonusPoint, "0"},
        {1, UserAccountModel::eSuretyMoney, "5000.00"},
        {1, UserAccountModel::eLastDelayCharge, "0.00"},
        {1, UserAccountModel::eRisk, "\u2014 (N-D/D)"},
        {1, UserAccountModel::eBonusPoint, "120.5"},
        {2, UserAccountModel::eRisk, " (unknow)"},
        {2, UserAccountModel::eRiskLevel, "Normal"},
        {2, UserAccountModel::eBonusPoint, "120"},
    };
    for(const auto& cell : cells) {
        EXPECT_EQ(Text(cell.row, cell.column), wxString::FromUTF8(cell.text))
            << "row " << cell.row << " column " << cell.column;
    }
    EXPECT_EQ(Text(0, UserAccountModel::eColumnCount), "<null>");
    EXPECT_EQ(Text(3, UserAccountModel::eNetValue), "<null>");
}

TEST_F(AccountList, RiskLevelByTheKindsLines)
{
    const struct
    {
        char kind;
        double rate;
        char level;
    } cases[] = {
        // Kind '1': the higher the rate, the riskier (warning 0.8, force close 0.95).
        {'1', 0.5, '1'},
        {'1', 0.8, '2'},
        {'1', 0.9, '2'},
        {'1', 0.95, '3'},
        {'1', 1.2, '3'},
        // Kind '2': the lower, the riskier (warning 1.5, force close 1.1).
        {'2', 2.0, '1'},
        {'2', 1.5, '2'},
        {'2', 1.2, '2'},
        {'2', 1.1, '3'},
        {'2', 0.5, '3'},
        // Kind '3' as the market closes it: the lower, the riskier (warning 1.5, force close 1.1).
        {'3', 99.0, '1'},
        {'3', 1.5, '2'},
        {'3', 0.0, '3'},
        // Other kinds are always normal.
        {0, 5.0, '1'},
    };
    for(const auto& c : cases) {
        user_Account account;
        account.riskKind = c.kind;
        account.riskRate = c.rate;
        account.marginUsed = 100.0;
        const bool lowerIsWorse = c.kind == '2' || c.kind == '3';
        account.warningLine = lowerIsWorse ? 1.5 : 0.8;
        account.forceCloseLine = lowerIsWorse ? 1.1 : 0.95;
        EXPECT_EQ(UserAccountModel::RiskLevel(account), c.level) << c.kind << " at " << c.rate;
    }
}

TEST_F(AccountList, ProfitsAreBlueAboveZeroAndRedOtherwise)
{
    const struct
    {
        double value;
        wxColour colour;
    } cases[] = {{0.01, wxColour(0, 0, 255)}, {0.0, wxColour(255, 0, 0)}, {-5.0, wxColour(255, 0, 0)}};
    int key = 10;
    for(const auto& c : cases) {
        user_Account account = data.MakeAccount(++key);
        account.profitClose = c.value;
        account.profitDyn = c.value;
        data.AddAccount(account);
        const unsigned int row = static_cast<unsigned int>(key - 11);
        for(const unsigned int column : {UserAccountModel::eProfitClose, UserAccountModel::eProfitDyn}) {
            wxDataViewItemAttr attr;
            EXPECT_TRUE(model->GetAttrByRow(row, column, attr));
            EXPECT_EQ(attr.GetColour(), c.colour) << c.value << " column " << column;
        }
        wxDataViewItemAttr other;
        EXPECT_FALSE(model->GetAttrByRow(row, UserAccountModel::eNetValue, other));
        EXPECT_TRUE(other.IsDefault());
    }
}

TEST_F(AccountList, AddsAndRiskKindsAskForARefreshFiguresAndRemovalsDoNot)
{
    data.AddAccount(11);
    data.AddAccount(12);
    EXPECT_EQ(refreshRequests, 2);
    data.ChangeAccount(11, [](user_Account& a) { a.netValue = 3; });
    data.ChangeAccount(11, [](user_Account& a) { a.netValue = 3.001; }); // shows as before
    EXPECT_EQ(refreshRequests, 2);
    data.ChangeAccount(11, [](user_Account& a) { a.riskKind = '3'; });
    EXPECT_EQ(refreshRequests, 3);
    data.RemoveAccount(12);
    EXPECT_EQ(refreshRequests, 3);
    // A change no cell shows repaints nothing.
    EXPECT_EQ(log, (std::vector<std::string>{"add 0", "add 1", "change 0", "change 0", "delete 1"}));
    EXPECT_EQ(model->GetCount(), 1u);
}

// On the refresh clock a flood of figure changes reaches the control once per
// row at the tick, and rows added or deleted never meet a stale mark.
TEST_F(AccountList, FiguresWaitForTheClocksTickRowsAddedOrDeletedDoNot)
{
    RefreshClock clock;
    std::vector<std::string> clockedLog;
    wxObjectDataPtr<UserAccountModel> clocked(new UserAccountModel(
        &data.store, [] {}, &clock));
    clocked->AddNotifier(new StoreRecordingNotifier(clockedLog));
    data.AddAccount(11);
    data.AddAccount(12);
    for(int i = 0; i < 100; ++i) {
        data.ChangeAccount(i % 2 ? 11 : 12, [i](user_Account& a) { a.netValue = i; });
    }
    EXPECT_EQ(clockedLog, (std::vector<std::string>{"add 0", "add 1"}));
    EXPECT_TRUE(clock.IsRunning());
    clock.Tick();
    EXPECT_EQ(clockedLog, (std::vector<std::string>{"add 0", "add 1", "change 0", "change 1"}));
    EXPECT_FALSE(clock.IsRunning()) << "an idle clock wakes nobody";

    clockedLog.clear();
    data.ChangeAccount(12, [](user_Account& a) { a.netValue = -1; });
    data.RemoveAccount(11); // row 1 becomes row 0: told first, then the deletion
    data.AddAccount(13);
    clock.Tick();
    EXPECT_EQ(clockedLog, (std::vector<std::string>{"change 1", "delete 0", "add 1"}));
    EXPECT_FALSE(clock.IsRunning());
}
