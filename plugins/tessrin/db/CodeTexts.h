#pragma once

#include <wx/string.h>

// Display texts of the one-character codes the trade server sends. Each text
// passes through the translation catalogue; a code a mapping does not list
// gives that mapping's default.

wxString DirectionText(char side);           // 'b' "B", 's' "S"
wxString SideWordText(char side);            // 'b' "Buy", 's' "Sell": for a sentence
wxString RiskLevelText(char level);          // '1' "Normal" ... '5' "Freeze"
wxString OrderOperTypeText(char operType);   // '1' "MarketOpen" ... 'A' "DeliveryOrder"
wxString CloseTypeText(char closeType);      // '1' "StopLose" ... 'B' "OverNightClose"
wxString ValidityText(char validity);        // '1' "Today", '2' "ThisWeek", '3' "Always"
wxString LimitOrderTypeText(char limitType); // '1' "LimitOrder" ... '4' "LimitCloseOrder"
wxString ApproveStateText(char state);       // '1' "Waiting" ... '5' "Cancel"
wxString HangTypeText(char marketType);      // '1' "OTC", '2' "Aggregate", '3' "Hang"
wxString AccountKindText(char riskKind);     // '1' "M/N", '2' "N/M", '3' "N-D/D"; else "unknow"
// The confirmation state of a delivery order: '2' "eDELCS_Success", '3'
// "eDELCS_Failed", '4' "eDELCS_OpFailed"; any other code (the waiting '1'
// among them) "eDELCS_WaitConfirm".
wxString DeliveryConfirmStatusText(char state);
wxString AccountRoleText(char role); // '1' "Master"; else "Slave"
// '2' "eDELS_WaitDelivery", '3' "eDELS_SuccessPair", '4' "eDELS_FailedPair";
// else "eDELS_NotDelivery".
wxString DeliveryStateText(char state);

// '1' "second" ... '5' "month"; else the translated "unknow".
wxString PeriodUnitText(char unit);
// The count, a blank and the unit word, e.g. "5 minute".
wxString PeriodUnitText(int count, char unit);

// '1' "eAST_Normal" ... '7' "eAST_isActive"; else "UNKNOW", untranslated.
wxString AccountStateText(char state);

// The type of a cash movement: '1' "In", '2' "Out", then the eAMTYP_ names;
// an unlisted code gives the code itself as a one-character text.
wxString AmountTypeText(char type);
