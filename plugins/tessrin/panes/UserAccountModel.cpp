#include "panes/UserAccountModel.h"

#include "common/Colours.h"
#include "db/CodeTexts.h"
#include "db/NumberFormat.h"
#include "db/TradeArithmetic.h"

#include <algorithm>

namespace {
const wxChar kEmDash = 0x2014;
} // namespace

UserAccountModel::UserAccountModel(RecordStore* db, std::function<void()> requestRefresh, RefreshClock* clock)
    : wxDataViewVirtualListModel(0), m_db(db), m_requestRefresh(std::move(requestRefresh)),
      m_dirty(*this, clock)
{
    Reset(static_cast<unsigned int>(Table().GetContainer().size()));
    m_db->m_user_Account_table->AddActionTrigger(this);
}

UserAccountModel::~UserAccountModel()
{
    m_db->m_user_Account_table->RemoveActionTrigger(this);
}

char UserAccountModel::RiskLevel(const user_Account& account)
{
    const double rate = account.riskRate;
    // A rate made from no figure (a bill or balance the market sent as NaN)
    // is no level: neither normal nor a forced close.
    if(!IsFigure(rate) || !IsFigure(account.forceCloseLine) || !IsFigure(account.warningLine)) {
        return 0;
    }
    // As the market judges it: lines of 0 are none, and a rate of used margin
    // means nothing while no margin is used (it shows as a dash).
    if(account.forceCloseLine == 0 || account.warningLine == 0) {
        return '1';
    }
    switch(account.riskKind) {
    case '1': // used margin over net value: the higher, the riskier
        if(!(account.marginUsed > 0)) {
            return '1';
        }
        return rate >= account.forceCloseLine ? '3' : rate >= account.warningLine ? '2' : '1';
    case '2': // net value over used margin: the lower, the riskier
        if(!(account.marginUsed > 0)) {
            return '1';
        }
        return rate <= account.forceCloseLine ? '3' : rate <= account.warningLine ? '2' : '1';
    case '3': // net value over surety money: the lower, the riskier, margin or none
        return rate <= account.forceCloseLine ? '3' : rate <= account.warningLine ? '2' : '1';
    default:
        return '1';
    }
}

int UserAccountModel::GetRecordRow(iterator node) const
{
    if(node == Table().GetIndexByPrimary().end()) {
        return -1;
    }
    const auto& container = Table().GetContainer();
    return static_cast<int>(container.project<BySequence>(node) - container.get<BySequence>().begin());
}

const user_Account* UserAccountModel::GetAccountAt(unsigned int row) const
{
    const auto& rows = Table().GetIndex<BySequence>();
    return row < rows.size() ? &rows[row] : nullptr;
}

wxString UserAccountModel::GetCellText(const user_Account& account, unsigned int column) const
{
    switch(column) {
    case eMarket:
        if(Table().GetContainer().size() > 1) {
            return wxString::Format("[%s]", AccountRoleText(account.accountState)) + account.marketName;
        }
        return account.marketName;
    case eNetValue:
        return FormatMoney(account.netValue);
    case eMarginRemain:
        return FormatMoney(account.marginRemain);
    case eMarginFree:
        return FormatMoney(account.marginFree);
    case eMarginUsed:
        return FormatMoney(account.marginUsed);
    case eMarginFreezed:
        return FormatMoney(account.marginFreezed);
    case eSuretyMoney:
        return account.riskKind == '3' ? FormatMoney(account.suretyMoney) : wxString(kEmDash);
    case eProfitClose:
        return FormatMoney(account.profitClose);
    case eProfitDyn:
        return FormatMoney(account.profitDyn);
    case eDailyCharge:
        return FormatMoney(account.dailyCharge);
    case eLastDelayCharge:
        // 0.0 - x: no delay charge shows "0.00", not "-0.00".
        return FormatMoney(0.0 - account.lastDelayCharge);
    case eRiskLevel: {
        const char level = RiskLevel(account);
        return level ? RiskLevelText(level) : wxString("---");
    }
    case eRisk:
        return wxString::Format("%s (%s)", RiskRateText(account.riskKind, account.riskRate),
                                AccountKindText(account.riskKind));
    case eCurrency:
        return account.currency;
    case eBonusPoint:
        return FormatPrice(account.bonusPoint < 0 ? 0.0 : account.bonusPoint, 2, true);
    default:
        return wxString();
    }
}

void UserAccountModel::GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const
{
    const user_Account* account = GetAccountAt(row);
    if(account && column < eColumnCount) {
        value = GetCellText(*account, column);
    }
}

bool UserAccountModel::GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const
{
    const user_Account* account = GetAccountAt(row);
    if(!account || (column != eProfitClose && column != eProfitDyn)) {
        return false;
    }
    const double value = column == eProfitClose ? account->profitClose : account->profitDyn;
    attr.SetColour(Colours::SignedFigureText(value));
    return true;
}

void UserAccountModel::afterAdd(const user_Account& stored, CTransaction*, void*)
{
    const iterator found = Table().GetIndexByPrimary().find(stored.accountKey);
    if(found == Table().GetIndexByPrimary().end()) {
        return;
    }
    m_requestRefresh();
    m_dirty.Flush(); // marks name rows by their number before this one
    const int row = GetRecordRow(found);
    wxASSERT_MSG_AT(row != (-1), "", "..\\plugins\\tessrin\\UserAccountPanel", __LINE__,
                    "UserAccountModel::afterAdd");
    if(row == -1) {
        return;
    }
    if(static_cast<size_t>(row) + 1 == Table().GetContainer().size()) {
        RowAppended();
    } else {
        RowInserted(static_cast<unsigned int>(row));
    }
}

bool UserAccountModel::beforeUpdate(const user_Account& current, const user_Account& next, CTransaction*,
                                    void*)
{
    // Only the risk kind changes what the pane shows beyond the row.
    m_kindChanged = m_kindChanged || current.riskKind != next.riskKind;
    // One entry per account: an update another observer vetoes leaves one
    // behind, which the account's next update replaces.
    const auto entry = std::find_if(m_changing.begin(), m_changing.end(),
                                    [&](const auto& pending) { return pending.first == next.accountKey; });
    if(entry != m_changing.end()) {
        entry->second = ShowsChange(current, next);
    } else {
        m_changing.emplace_back(next.accountKey, ShowsChange(current, next));
    }
    return true;
}

bool UserAccountModel::ShowsChange(const user_Account& current, const user_Account& next) const
{
    for(unsigned int column = 0; column < eColumnCount; ++column) {
        if(GetCellText(current, column) != GetCellText(next, column)) {
            return true;
        }
    }
    const auto colour = [](double value) { return wxColour(Colours::SignedFigureText(value)); };
    return colour(current.profitClose) != colour(next.profitClose) ||
           colour(current.profitDyn) != colour(next.profitDyn);
}

void UserAccountModel::afterUpdate(const user_Account& stored, CTransaction*, void*)
{
    if(m_kindChanged) {
        m_kindChanged = false;
        m_requestRefresh();
    }
    // Whether its beforeUpdate saw a cell change; when unknown, it did.
    bool changed = true;
    const auto found = std::find_if(m_changing.begin(), m_changing.end(),
                                    [&](const auto& entry) { return entry.first == stored.accountKey; });
    if(found != m_changing.end()) {
        changed = found->second;
        m_changing.erase(found);
    }
    const int row = GetRecordRow(Table().GetIndexByPrimary().find(stored.accountKey));
    if(row != -1 && changed) {
        m_dirty.MarkRow(static_cast<unsigned int>(row));
    }
}

bool UserAccountModel::beforeRemove(const user_Account& stored, CTransaction*, void*)
{
    m_dirty.Flush();
    const int row = GetRecordRow(Table().GetIndexByPrimary().find(stored.accountKey));
    if(row != -1) {
        RowDeleted(static_cast<unsigned int>(row));
    }
    return true;
}
