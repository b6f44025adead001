#include "db/CodeTexts.h"

#include <wx/intl.h>

namespace {

struct CodeText
{
    char code;
    const char* text;
};

template <size_t N> const char* Lookup(const CodeText (&table)[N], char code)
{
    for(const CodeText& entry : table) {
        if(entry.code == code) {
            return entry.text;
        }
    }
    return nullptr;
}

// The translated text of the code, or `fallback` (already final) when the
// table does not list it.
template <size_t N>
wxString Translated(const CodeText (&table)[N], char code, const wxString& fallback = wxString())
{
    const char* text = Lookup(table, code);
    return text ? wxGetTranslation(text) : fallback;
}

const CodeText kDirections[] = {{'b', wxTRANSLATE("B")}, {'s', wxTRANSLATE("S")}};
const CodeText kSideWords[] = {{'b', wxTRANSLATE("Buy")}, {'s', wxTRANSLATE("Sell")}};

const CodeText kRiskLevels[] = {{'1', wxTRANSLATE("Normal")},
                                {'2', wxTRANSLATE("Warning")},
                                {'3', wxTRANSLATE("ForceClose")},
                                {'4', wxTRANSLATE("Limit")},
                                {'5', wxTRANSLATE("Freeze")}};

const CodeText kOrderOperTypes[] = {{'1', wxTRANSLATE("MarketOpen")},   {'2', wxTRANSLATE("MarketClose")},
                                    {'3', wxTRANSLATE("LimitOrder")},   {'4', wxTRANSLATE("StopOrder")},
                                    {'5', wxTRANSLATE("LimitClose")},   {'6', wxTRANSLATE("LimitRevoke")},
                                    {'7', wxTRANSLATE("ModifyOrder")},  {'8', wxTRANSLATE("ForceClose")},
                                    {'9', wxTRANSLATE("SystemCancel")}, {'A', wxTRANSLATE("DeliveryOrder")}};

const CodeText kCloseTypes[] = {{'1', wxTRANSLATE("StopLose")},      {'2', wxTRANSLATE("TakeProfit")},
                                {'3', wxTRANSLATE("MarketClose")},   {'4', wxTRANSLATE("SystemClose")},
                                {'5', wxTRANSLATE("MarketAttorn")},  {'6', wxTRANSLATE("LimitAttorn")},
                                {'7', wxTRANSLATE("SymBreakClose")}, {'8', wxTRANSLATE("ChMonthClose")},
                                {'9', wxTRANSLATE("RiskClose")},     {'A', wxTRANSLATE("DeliveryClose")},
                                {'B', wxTRANSLATE("OverNightClose")}};

const CodeText kValidities[] = {
    {'1', wxTRANSLATE("Today")}, {'2', wxTRANSLATE("ThisWeek")}, {'3', wxTRANSLATE("Always")}};

const CodeText kLimitOrderTypes[] = {{'1', wxTRANSLATE("LimitOrder")},
                                     {'2', wxTRANSLATE("StopOrder")},
                                     {'3', wxTRANSLATE("LimitOpenOrder")},
                                     {'4', wxTRANSLATE("LimitCloseOrder")}};

const CodeText kApproveStates[] = {{'1', wxTRANSLATE("Waiting")},
                                   {'2', wxTRANSLATE("Processing")},
                                   {'3', wxTRANSLATE("Pass")},
                                   {'4', wxTRANSLATE("Reject")},
                                   {'5', wxTRANSLATE("Cancel")}};

const CodeText kHangTypes[] = {
    {'1', wxTRANSLATE("OTC")}, {'2', wxTRANSLATE("Aggregate")}, {'3', wxTRANSLATE("Hang")}};

const CodeText kAccountKinds[] = {
    {'1', wxTRANSLATE("M/N")}, {'2', wxTRANSLATE("N/M")}, {'3', wxTRANSLATE("N-D/D")}};

const CodeText kDeliveryConfirmStates[] = {{'2', wxTRANSLATE("eDELCS_Success")},
                                           {'3', wxTRANSLATE("eDELCS_Failed")},
                                           {'4', wxTRANSLATE("eDELCS_OpFailed")}};

const CodeText kAccountRoles[] = {{'1', wxTRANSLATE("Master")}};

const CodeText kDeliveryStates[] = {{'2', wxTRANSLATE("eDELS_WaitDelivery")},
                                    {'3', wxTRANSLATE("eDELS_SuccessPair")},
                                    {'4', wxTRANSLATE("eDELS_FailedPair")}};

const CodeText kPeriodUnits[] = {{'1', wxTRANSLATE("second")},
                                 {'2', wxTRANSLATE("minute")},
                                 {'3', wxTRANSLATE("hour")},
                                 {'4', wxTRANSLATE("day")},
                                 {'5', wxTRANSLATE("month")}};

const CodeText kAccountStates[] = {{'1', wxTRANSLATE("eAST_Normal")},   {'2', wxTRANSLATE("eAST_Freeze")},
                                   {'3', wxTRANSLATE("eAST_Limited")},  {'4', wxTRANSLATE("eAST_Cancel")},
                                   {'5', wxTRANSLATE("eAST_Doubtful")}, {'6', wxTRANSLATE("eAST_Inactive")},
                                   {'7', wxTRANSLATE("eAST_isActive")}};

const CodeText kAmountTypes[] = {{'1', wxTRANSLATE("In")},
                                 {'2', wxTRANSLATE("Out")},
                                 {'3', wxTRANSLATE("eAMTYP_Adj")},
                                 {'4', wxTRANSLATE("eAMTYP_OpenCharge")},
                                 {'5', wxTRANSLATE("eAMTYP_CloseCharge")},
                                 {'6', wxTRANSLATE("eAMTYP_CloseProfit")},
                                 {'7', wxTRANSLATE("eAMTYP_SettlementProfit")},
                                 {'8', wxTRANSLATE("eAMTYP_SettlementInterest")},
                                 {'9', wxTRANSLATE("eAMTYP_FreezedMargin")},
                                 {'A', wxTRANSLATE("eAMTYP_FreezedMarginBack")},
                                 {'B', wxTRANSLATE("eAMTYP_UsedMargin")},
                                 {'C', wxTRANSLATE("eAMTYP_UsedMarginBack")},
                                 {'D', wxTRANSLATE("eAMTYP_DepositCharge")},
                                 {'E', wxTRANSLATE("eAMTYP_WithdrawlCharge")},
                                 {'F', wxTRANSLATE("eAMTYP_CleanCharge")},
                                 {'G', wxTRANSLATE("eAMTYP_DeliveryCharge")},
                                 {'H', wxTRANSLATE("eAMTYP_Delivery")},
                                 {'I', wxTRANSLATE("eAMTYP_OutBack")},
                                 {'J', wxTRANSLATE("eAMTYP_LoseBack")},
                                 {'K', wxTRANSLATE("eAMTYP_PointCharg")},
                                 {'L', wxTRANSLATE("eAMTYP_TradeMgrCharge")},
                                 {'M', wxTRANSLATE("eAMTYP_MoveIn")},
                                 {'N', wxTRANSLATE("eAMTYP_MoveOut")},
                                 {'O', wxTRANSLATE("eAMTYP_SettlementInterestPlus")},
                                 {'P', wxTRANSLATE("eAMTYP_CloseProfitDealer")},
                                 {'Q', wxTRANSLATE("eAMTYP_SettlementProfitDealer")},
                                 {'R', wxTRANSLATE("eAMTYP_RetInterest")},
                                 {'S', wxTRANSLATE("eAMTYP_CleanChargeDealer")},
                                 {'T', wxTRANSLATE("eAMTYP_SuretyChange")},
                                 {'U', wxTRANSLATE("eAMTYP_DeliveryLiquidate")},
                                 {'W', wxTRANSLATE("eAMTYP_GetDeliveryLiquidate")},
                                 {'X', wxTRANSLATE("eAMTYP_RedAdj")},
                                 {'Z', wxTRANSLATE("eAMTYP_BlueAdj")}};

} // namespace

wxString DirectionText(char side)
{
    return Translated(kDirections, side);
}

wxString SideWordText(char side)
{
    return Translated(kSideWords, side);
}

wxString RiskLevelText(char level)
{
    return Translated(kRiskLevels, level);
}

wxString OrderOperTypeText(char operType)
{
    return Translated(kOrderOperTypes, operType);
}

wxString CloseTypeText(char closeType)
{
    return Translated(kCloseTypes, closeType);
}

wxString ValidityText(char validity)
{
    return Translated(kValidities, validity);
}

wxString LimitOrderTypeText(char limitType)
{
    return Translated(kLimitOrderTypes, limitType);
}

wxString ApproveStateText(char state)
{
    return Translated(kApproveStates, state);
}

wxString HangTypeText(char marketType)
{
    return Translated(kHangTypes, marketType);
}

wxString AccountKindText(char riskKind)
{
    return Translated(kAccountKinds, riskKind, wxGetTranslation("unknow"));
}

wxString DeliveryConfirmStatusText(char state)
{
    return Translated(kDeliveryConfirmStates, state, wxGetTranslation("eDELCS_WaitConfirm"));
}

wxString AccountRoleText(char role)
{
    return Translated(kAccountRoles, role, wxGetTranslation("Slave"));
}

wxString DeliveryStateText(char state)
{
    return Translated(kDeliveryStates, state, wxGetTranslation("eDELS_NotDelivery"));
}

wxString PeriodUnitText(char unit)
{
    return Translated(kPeriodUnits, unit, wxGetTranslation("unknow"));
}

wxString PeriodUnitText(int count, char unit)
{
    return wxString::Format("%d ", count) + PeriodUnitText(unit);
}

wxString AccountStateText(char state)
{
    return Translated(kAccountStates, state, "UNKNOW");
}

wxString AmountTypeText(char type)
{
    return Translated(kAmountTypes, type, wxString(wxUniChar(static_cast<unsigned char>(type))));
}
