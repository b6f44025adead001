#include "db/CodeTexts.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Mapping
{
    const char* name;
    std::function<wxString(char)> text;
    std::vector<std::pair<char, const char*>> listed;
    wxString fallback;
};

} // namespace

TEST(CodeTexts, EveryListedCodeAndTheDefaultOfEachMapping)
{
    const std::vector<Mapping> mappings = {
        {"DirectionText", DirectionText, {{'b', "B"}, {'s', "S"}}, ""},
        {"RiskLevelText",
         RiskLevelText,
         {{'1', "Normal"}, {'2', "Warning"}, {'3', "ForceClose"}, {'4', "Limit"}, {'5', "Freeze"}},
         ""},
        {"OrderOperTypeText",
         OrderOperTypeText,
         {{'1', "MarketOpen"},
          {'2', "MarketClose"},
          {'3', "LimitOrder"},
          {'4', "StopOrder"},
          {'5', "LimitClose"},
          {'6', "LimitRevoke"},
          {'7', "ModifyOrder"},
          {'8', "ForceClose"},
          {'9', "SystemCancel"},
          {'A', "DeliveryOrder"}},
         ""},
        {"CloseTypeText",
         CloseTypeText,
         {{'1', "StopLose"},
          {'2', "TakeProfit"},
          {'3', "MarketClose"},
          {'4', "SystemClose"},
          {'5', "MarketAttorn"},
          {'6', "LimitAttorn"},
          {'7', "SymBreakClose"},
          {'8', "ChMonthClose"},
          {'9', "RiskClose"},
          {'A', "DeliveryClose"},
          {'B', "OverNightClose"}},
         ""},
        {"ValidityText", ValidityText, {{'1', "Today"}, {'2', "ThisWeek"}, {'3', "Always"}}, ""},
        {"LimitOrderTypeText",
         LimitOrderTypeText,
         {{'1', "LimitOrder"}, {'2', "StopOrder"}, {'3', "LimitOpenOrder"}, {'4', "LimitCloseOrder"}},
         ""},
        {"ApproveStateText",
         ApproveStateText,
         {{'1', "Waiting"}, {'2', "Processing"}, {'3', "Pass"}, {'4', "Reject"}, {'5', "Cancel"}},
         ""},
        {"DeliveryConfirmStatusText",
         DeliveryConfirmStatusText,
         {{'2', "eDELCS_Success"}, {'3', "eDELCS_Failed"}, {'4', "eDELCS_OpFailed"}},
         "eDELCS_WaitConfirm"},
        {"HangTypeText", HangTypeText, {{'1', "OTC"}, {'2', "Aggregate"}, {'3', "Hang"}}, ""},
        {"AccountKindText", AccountKindText, {{'1', "M/N"}, {'2', "N/M"}, {'3', "N-D/D"}}, "unknow"},
        {"AccountRoleText", AccountRoleText, {{'1', "Master"}}, "Slave"},
        {"DeliveryStateText",
         DeliveryStateText,
         {{'2', "eDELS_WaitDelivery"}, {'3', "eDELS_SuccessPair"}, {'4', "eDELS_FailedPair"}},
         "eDELS_NotDelivery"},
        {"PeriodUnitText",
         [](char unit) { return PeriodUnitText(unit); },
         {{'1', "second"}, {'2', "minute"}, {'3', "hour"}, {'4', "day"}, {'5', "month"}},
         "unknow"},
        {"AccountStateText",
         AccountStateText,
         {{'1', "eAST_Normal"},
          {'2', "eAST_Freeze"},
          {'3', "eAST_Limited"},
          {'4', "eAST_Cancel"},
          {'5', "eAST_Doubtful"},
          {'6', "eAST_Inactive"},
          {'7', "eAST_isActive"}},
         "UNKNOW"},
    };

    for(const Mapping& mapping : mappings) {
        for(const auto& [code, text] : mapping.listed) {
            EXPECT_EQ(mapping.text(code), text) << mapping.name << " '" << code << "'";
        }
        // Every code that is not listed falls back, including the lower-case
        // forms of the letters and the unset code.
        for(int c = 0; c < 128; ++c) {
            const char code = static_cast<char>(c);
            bool listed = false;
            for(const auto& entry : mapping.listed) {
                listed = listed || entry.first == code;
            }
            if(!listed) {
                EXPECT_EQ(mapping.text(code), mapping.fallback) << mapping.name << " code " << c;
            }
        }
    }
}

TEST(PeriodUnitText, CountAndUnitWord)
{
    EXPECT_EQ(PeriodUnitText(5, '2'), "5 minute");
    EXPECT_EQ(PeriodUnitText(1, '4'), "1 day");
    EXPECT_EQ(PeriodUnitText(3, 'x'), "3 unknow");
}

TEST(AmountTypeText, CashMovementTypesAndTheCodeItselfForUnlistedOnes)
{
    EXPECT_EQ(AmountTypeText('1'), "In");
    EXPECT_EQ(AmountTypeText('2'), "Out");
    EXPECT_EQ(AmountTypeText('3'), "eAMTYP_Adj");
    EXPECT_EQ(AmountTypeText('9'), "eAMTYP_FreezedMargin");
    EXPECT_EQ(AmountTypeText('A'), "eAMTYP_FreezedMarginBack");
    EXPECT_EQ(AmountTypeText('K'), "eAMTYP_PointCharg");
    EXPECT_EQ(AmountTypeText('U'), "eAMTYP_DeliveryLiquidate");
    EXPECT_EQ(AmountTypeText('W'), "eAMTYP_GetDeliveryLiquidate");
    EXPECT_EQ(AmountTypeText('X'), "eAMTYP_RedAdj");
    EXPECT_EQ(AmountTypeText('Z'), "eAMTYP_BlueAdj");

    EXPECT_EQ(AmountTypeText('V'), "V");
    EXPECT_EQ(AmountTypeText('Y'), "Y");
    EXPECT_EQ(AmountTypeText(':'), ":");
    EXPECT_EQ(AmountTypeText('@'), "@");
    EXPECT_EQ(AmountTypeText('a'), "a");

    // Every letter from 'A' to 'Z' but 'V' and 'Y' has a name.
    for(char c = 'A'; c <= 'Z'; ++c) {
        const bool named = AmountTypeText(c).StartsWith("eAMTYP_");
        EXPECT_EQ(named, c != 'V' && c != 'Y') << c;
    }
}
