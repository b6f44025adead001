#include "panes/HoldDetailModel.h"

#include "common/Colours.h"
#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"

#include <pelmora/DrawingUtils.h>

namespace {
const char* const kSource = "..\\plugins\\tessrin\\HoldDetailPanel";

// Texts shorter than three characters are set off by a blank on each side.
wxString PaddedPrice(double value, int digits)
{
    const wxString text = FormatPrice(value, digits);
    return text.length() < 3 ? " " + text + " " : text;
}

wxVariant OneLink(const wxString& text)
{
    wxArrayString texts;
    texts.Add(text);
    return wxVariant(texts);
}

void SetProfitColour(double profit, wxDataViewItemAttr& attr)
{
    if(profit > 0) {
        attr.SetColour(DrawingUtils::GetGlobalUpColour());
    } else if(profit < 0) {
        attr.SetColour(DrawingUtils::GetGlobalDownColour());
    }
}
} // namespace

HoldDetailModel::HoldDetailModel(RecordStore* db, wxDataViewCtrl* ctrl, RefreshClock* clock)
    : wxDataViewVirtualListModel(0), m_ctrl(ctrl), m_db(db), m_dirty(*this, clock)
{
    m_db->m_trade_HoldBill_table->AddActionTrigger(static_cast<CActionTrigger<trade_HoldBill>*>(this));
    m_db->m_symbol_price_table->AddActionTrigger(static_cast<CActionTrigger<symbol_price>*>(this));
    m_db->m_user_Account_table->AddActionTrigger(static_cast<CActionTrigger<user_Account>*>(this));
    // A model made after the tables were filled (a rebuilt pane) lists what
    // is there, as the triggers would have: accounts first, then the bills.
    for(const user_Account& account : m_db->m_user_Account_table->GetIndex<BySequence>()) {
        afterAdd(account, nullptr, nullptr);
    }
    for(const trade_HoldBill& bill : m_db->m_trade_HoldBill_table->GetIndex<BySequence>()) {
        afterAdd(bill, nullptr, nullptr);
    }
}

HoldDetailModel::~HoldDetailModel()
{
    m_db->m_trade_HoldBill_table->RemoveActionTrigger(static_cast<CActionTrigger<trade_HoldBill>*>(this));
    m_db->m_symbol_price_table->RemoveActionTrigger(static_cast<CActionTrigger<symbol_price>*>(this));
    m_db->m_user_Account_table->RemoveActionTrigger(static_cast<CActionTrigger<user_Account>*>(this));
}

bool HoldDetailModel::IsSummaryRow(unsigned int row) const
{
    const OrderListNode* node = m_orderList.GetNode(row);
    return node && node->IsSummary();
}

const trade_HoldBill* HoldDetailModel::GetBill(unsigned int row) const
{
    const OrderListNode* node = m_orderList.GetNode(row);
    return node ? node->holdBill : nullptr;
}

const user_Account* HoldDetailModel::FindAccount(int accountKey) const
{
    const auto& accounts = m_db->m_user_Account_table->GetIndexByPrimary();
    const auto found = accounts.find(accountKey);
    return found == accounts.end() ? nullptr : &*found;
}

const user_Account* HoldDetailModel::GetRowAccount(unsigned int row) const
{
    const OrderListNode* node = m_orderList.GetNode(row);
    return node ? FindAccount(node->accountKey) : nullptr;
}

const user_Account* HoldDetailModel::FindMoneyAccount(int row, AccountFallback fallback) const
{
    if(row >= 0 && static_cast<unsigned int>(row) < m_orderList.GetCount()) {
        return GetRowAccount(static_cast<unsigned int>(row));
    }
    const auto& accounts = m_db->m_user_Account_table->GetIndexByPrimary();
    if(fallback == eMasterAccount) {
        for(const user_Account& account : accounts) {
            if(account.accountState == '1') {
                return &account;
            }
        }
    }
    return accounts.empty() ? nullptr : &*accounts.begin();
}

void HoldDetailModel::ForEachBillOfAccount(int accountKey,
                                           const std::function<void(const trade_HoldBill&)>& call) const
{
    m_orderList.ForEachBillOfAccount(accountKey, call);
}

double HoldDetailModel::ClosingPrice(const trade_HoldBill& bill, const symbol_Info& symbol,
                                     const symbol_price& quote)
{
    if(symbol.marketType != '1') {
        return quote.lastPrice;
    }
    return bill.side == 'b' ? quote.lastPrice - PointsToPrice(symbol.bidSpreadPoints, quote.digits)
                            : quote.lastPrice + PointsToPrice(symbol.askSpreadPoints, quote.digits);
}

void HoldDetailModel::GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const
{
    const OrderListNode* node = m_orderList.GetNode(row);
    if(!node || column >= eColumnCount) {
        return;
    }
    if(node->IsSummary()) {
        const user_Account* account = FindAccount(node->accountKey);
        if(account && account->GetLoginInfo(m_db)) {
            value = const_cast<void*>(static_cast<const void*>(account));
        }
        return;
    }
    GetBillValue(*node->holdBill, row, column, value);
}

void HoldDetailModel::GetBillValue(const trade_HoldBill& bill, unsigned int row, unsigned int column,
                                   wxVariant& value) const
{
    if(!bill.GetSymbolInfo(m_db)) {
        return;
    }
    const symbol_Info& symbol = *bill.cachedSymbolInfo;
    if(!symbol.GetSymbolProperty(m_db) || !symbol.GetAccount(m_db)) {
        return;
    }
    const symbol_Property& property = *symbol.cachedSymbolProperty;
    if(!property.GetSymbolPrice(m_db)) {
        return;
    }
    const symbol_price& quote = *property.cachedSymbolPrice;
    const int digits = property.digits;

    switch(column) {
    case eNumber:
        value = static_cast<long>(m_orderList.GetBillNumber(row));
        break;
    case eOrderCode:
        value = bill.orderCode;
        break;
    case eSymbol:
        value = property.symbolName;
        break;
    case eOpenPrice:
        value = FormatPrice(bill.openPrice, digits);
        break;
    case eHoldPrice:
        value = FormatPrice(bill.holdPrice, digits);
        break;
    case eLastPrice:
        value = FormatPrice(ClosingPrice(bill, symbol, quote), quote.digits);
        break;
    case eDirection:
        value = DirectionText(bill.side);
        break;
    case eQuantity:
        // A bill with nothing left to close shows no link.
        value = OneLink(FormatMoney(bill.quantity) + (bill.quantity <= 0 ? "-" : ""));
        break;
    case eStopLoss:
        value = OneLink(PaddedPrice(bill.stopLoss, digits));
        break;
    case eTakeProfit:
        value = OneLink(PaddedPrice(bill.takeProfit, digits));
        break;
    case eOpenTime:
        value = FormatDateTime(bill.openTime);
        break;
    case eDynProfit:
    case eAccuProfit:
        value = FormatMoney(CalcHoldProfit(m_db, bill, static_cast<int>(column)));
        break;
    case eMarginUsed:
        value = FormatMoney(bill.marginUsed);
        break;
    case eChargeOpen:
        value = FormatMoney(bill.chargeOpen);
        break;
    case eTotalChargeInterest:
        value = FormatMoney(bill.totalChargeInterest);
        break;
    case eDeliveryStatus:
        value = OneLink(DeliveryStateText(bill.deliveryStatus));
        break;
    default:
        break;
    }
}

auto HoldDetailModel::SumsOf(const user_Account& account) const -> const GroupSums&
{
    const auto found = m_sums.find(account.accountKey);
    if(found != m_sums.end()) {
        return found->second;
    }
    GroupSums sums;
    sums.dynProfit = SumHoldProfit(m_db, account, eDynProfit);
    sums.accuProfit = SumHoldProfit(m_db, account, eAccuProfit);
    ForEachBillOfAccount(account.accountKey, [&](const trade_HoldBill& bill) {
        sums.marginUsed += bill.marginUsed;
        sums.chargeOpen += bill.chargeOpen;
        sums.totalChargeInterest += bill.totalChargeInterest;
    });
    return m_sums.emplace(account.accountKey, sums).first->second;
}

wxString HoldDetailModel::GetSummaryText(const user_Account& account, unsigned int column) const
{
    switch(column) {
    case eNumber:
        return wxString::Format("[ %s ]", account.marketName) + " " +
               wxString::Format(_("MarginRemain[%s]"), FormatMoney(account.marginRemain)) + " " +
               wxString::Format(_("MarginFreezed[%s]"), FormatMoney(account.marginFreezed)) + " " +
               wxString::Format(_("DailyCharge[%s]"), FormatMoney(account.dailyCharge)) + " " +
               wxString::Format(_("profitClose[%s]"), FormatMoney(account.profitClose)) + " " +
               wxString::Format(_("risk[%s (%s)]"), RiskRateText(account.riskKind, account.riskRate),
                                AccountKindText(account.riskKind));
    case eDynProfit:
        return FormatMoney(SumsOf(account).dynProfit);
    case eAccuProfit:
        return FormatMoney(SumsOf(account).accuProfit);
    case eMarginUsed:
        return FormatMoney(SumsOf(account).marginUsed);
    case eChargeOpen:
        return FormatMoney(SumsOf(account).chargeOpen);
    case eTotalChargeInterest:
        return FormatMoney(SumsOf(account).totalChargeInterest);
    default:
        return wxString();
    }
}

wxColour HoldDetailModel::GetSummaryBackground() const
{
    const wxColour background = m_ctrl ? m_ctrl->GetBackgroundColour() : Colours::kPlainBackground;
    return DrawingUtils::LightColour(background, 4.0f);
}

wxColour HoldDetailModel::GetSummaryTextColour() const
{
    const wxColour base = GetSummaryBackground();
    return DrawingUtils::IsDark(base) ? DrawingUtils::LightColour(base, 50.0f)
                                      : DrawingUtils::DarkColour(base, 50.0f);
}

bool HoldDetailModel::GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const
{
    const OrderListNode* node = m_orderList.GetNode(row);
    if(!node) {
        return false;
    }
    switch(column) {
    case eDynProfit:
    case eAccuProfit:
        if(!node->IsSummary()) {
            SetProfitColour(CalcHoldProfit(m_db, *node->holdBill, static_cast<int>(column)), attr);
        } else if(const user_Account* account = FindAccount(node->accountKey)) {
            const GroupSums& sums = SumsOf(*account);
            SetProfitColour(column == eDynProfit ? sums.dynProfit : sums.accuProfit, attr);
        }
        break;
    case eQuantity:
    case eStopLoss:
    case eTakeProfit:
    case eDeliveryStatus:
        attr.SetColour(Colours::kFigureText);
        break;
    case eMarginUsed:
    case eChargeOpen:
    case eTotalChargeInterest:
        if(node->IsSummary()) {
            attr.SetBold(true);
            attr.SetColour(GetSummaryTextColour());
        }
        break;
    default:
        break;
    }
    return !attr.IsDefault();
}

void HoldDetailModel::ScrollTo(int row)
{
    if(m_ctrl && row != OrderList::kNoRow) {
        m_ctrl->EnsureVisible(GetItem(static_cast<unsigned int>(row)));
    }
}

void HoldDetailModel::RemoveNode(int row)
{
    m_dirty.Flush(); // marks name rows by their number
    if(row != OrderList::kNoRow && m_orderList.RemoveRow(static_cast<unsigned int>(row))) {
        NotifyRowDeleting(static_cast<unsigned int>(row));
        RowDeleted(static_cast<unsigned int>(row));
        NotifyRowDeleted(static_cast<unsigned int>(row));
    }
}

void HoldDetailModel::afterAdd(const trade_HoldBill& stored, CTransaction*, void*)
{
    ForgetSums(stored.accountKey);
    if(!stored.GetAccount(m_db)) {
        return;
    }
    const user_Account* account = stored.cachedAccount.Get();
    m_dirty.Flush(); // marks name rows by their number
    const OrderListNode bill{stored.symbolId, stored.accountKey, account, &stored};
    const int summary = m_orderList.FindSummaryRow(stored.accountKey);
    if(summary != OrderList::kNoRow) {
        const int row = m_orderList.InsertAt(static_cast<unsigned int>(summary), bill);
        if(row != OrderList::kNoRow) {
            RowInserted(static_cast<unsigned int>(row));
            ScrollTo(row);
        }
        return;
    }
    const int row = m_orderList.Append(bill);
    wxASSERT_MSG_AT(row != OrderList::kNoRow, "result.second == true", kSource, __LINE__,
                    "HoldDetailModel::afterAdd");
    if(row == OrderList::kNoRow) {
        return;
    }
    RowAppended();
    ScrollTo(row);
    const int summaryRow = m_orderList.Append(OrderListNode{0, stored.accountKey, account, nullptr});
    wxASSERT_MSG_AT(summaryRow != OrderList::kNoRow, "result1.second == true", kSource, __LINE__,
                    "HoldDetailModel::afterAdd");
    if(summaryRow != OrderList::kNoRow) {
        RowAppended();
    }
}

void HoldDetailModel::afterUpdate(const trade_HoldBill& stored, CTransaction*, void*)
{
    ForgetSums(stored.accountKey);
    const int row = m_orderList.FindRow(stored.accountKey, &stored);
    if(row != OrderList::kNoRow) {
        m_dirty.MarkRow(static_cast<unsigned int>(row));
    }
}

bool HoldDetailModel::beforeRemove(const trade_HoldBill& stored, CTransaction*, void*)
{
    ForgetSums(stored.accountKey);
    RemoveNode(m_orderList.FindRow(stored.accountKey, &stored));
    return true;
}

void HoldDetailModel::afterAdd(const user_Account& stored, CTransaction*, void*)
{
    m_sums.clear(); // a group may form again around bills left behind
    if(stored.accountClass != '1' && stored.accountClass != '2') {
        return;
    }
    if(m_orderList.FindSummaryRow(stored.accountKey) != OrderList::kNoRow) {
        return;
    }
    m_dirty.Flush();
    const int row = m_orderList.Append(OrderListNode{0, stored.accountKey, &stored, nullptr});
    wxASSERT_MSG_AT(row != OrderList::kNoRow, "result1.second == true", kSource, __LINE__,
                    "HoldDetailModel::afterAdd");
    if(row != OrderList::kNoRow) {
        RowAppended();
        ScrollTo(row);
    }
}

void HoldDetailModel::afterUpdate(const user_Account& stored, CTransaction*, void*)
{
    // A new rate refreshes every account: the profits follow it.
    ForgetSums(stored.accountKey);
    const int row = m_orderList.FindSummaryRow(stored.accountKey);
    if(row != OrderList::kNoRow) {
        m_dirty.MarkRow(static_cast<unsigned int>(row));
    }
}

bool HoldDetailModel::beforeRemove(const user_Account& stored, CTransaction*, void*)
{
    m_sums.clear();
    RemoveNode(m_orderList.FindSummaryRow(stored.accountKey));
    return true;
}

void HoldDetailModel::afterUpdate(const symbol_price& stored, CTransaction*, void*)
{
    // A symbol's bills are those of one account or a few.
    const OrderListNode* previous = nullptr;
    m_orderList.ForEachRowOfSymbol(stored.symbolId, [&](int row) {
        const OrderListNode* node = m_orderList.GetNode(static_cast<unsigned int>(row));
        if(!m_sums.empty() && (!previous || previous->accountKey != node->accountKey)) {
            ForgetSums(node->accountKey);
        }
        previous = node;
        m_dirty.MarkCell(static_cast<unsigned int>(row), eDynProfit);
    });
}
