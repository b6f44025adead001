#pragma once
// Account rows, money pushes, risk notices and the account requests.
#include "tradeapi/FFixLayout.h"

// One trading account (query 1007).
struct sFFixRspQryAccount
{
    char accountName[16]; // UTF-8
    int32_t accountKey;   // 16
    int32_t reserved20;
    double marginFree;    // 24
    double marginFreezed; // 32
    double marginRemain;  // 40
    double marginUsed;    // 48
    double withdrawable;  // 56, the money that may be taken out
    char currency[8];     // 64
    double netValue;      // 72
    double profitClose;   // 80
    double profitDyn;     // 88
    double dailyCharge;   // 96
    double riskRate;      // 104, recomputed by the client
    char riskKind;        // 112, '1' .. '3'
    char reserved113[7];
    double forceCloseLine;  // 120
    double warningLine;     // 128
    char marketName[28];    // 136, UTF-8
    int32_t carriedInt1;    // 164
    int32_t carriedInt2;    // 168
    int32_t carriedInt3;    // 172
    int32_t carriedInt4;    // 176
    int32_t carriedInt5;    // 180
    double lastDelayCharge; // 184
    double carried1;        // 192
    char reserved200[16];
    char accountState; // 216, '1' main account of its currency, '2' other
    char marketType;   // 217, market type of the account's market, '1' .. '4'
    char accStatus;    // 218
    char accountClass; // 219, settlement kind, '1' or '2' (others: no summary)
    int32_t userFlags; // 220, bit value 2: must change the login password
    int32_t marketId;  // 224
    int32_t reserved228;
    double suretyMoney; // 232
    char reserved240[64];
};
FFIX_SIZE(sFFixRspQryAccount, 304);
FFIX_AT(sFFixRspQryAccount, accountKey, 16);
FFIX_AT(sFFixRspQryAccount, marginFree, 24);
FFIX_AT(sFFixRspQryAccount, marginFreezed, 32);
FFIX_AT(sFFixRspQryAccount, marginRemain, 40);
FFIX_AT(sFFixRspQryAccount, marginUsed, 48);
FFIX_AT(sFFixRspQryAccount, withdrawable, 56);
FFIX_AT(sFFixRspQryAccount, currency, 64);
FFIX_AT(sFFixRspQryAccount, netValue, 72);
FFIX_AT(sFFixRspQryAccount, profitClose, 80);
FFIX_AT(sFFixRspQryAccount, profitDyn, 88);
FFIX_AT(sFFixRspQryAccount, dailyCharge, 96);
FFIX_AT(sFFixRspQryAccount, riskRate, 104);
FFIX_AT(sFFixRspQryAccount, riskKind, 112);
FFIX_AT(sFFixRspQryAccount, forceCloseLine, 120);
FFIX_AT(sFFixRspQryAccount, warningLine, 128);
FFIX_AT(sFFixRspQryAccount, marketName, 136);
FFIX_AT(sFFixRspQryAccount, carriedInt1, 164);
FFIX_AT(sFFixRspQryAccount, carriedInt4, 176);
FFIX_AT(sFFixRspQryAccount, lastDelayCharge, 184);
FFIX_AT(sFFixRspQryAccount, carried1, 192);
FFIX_AT(sFFixRspQryAccount, accountState, 216);
FFIX_AT(sFFixRspQryAccount, marketType, 217);
FFIX_AT(sFFixRspQryAccount, accStatus, 218);
FFIX_AT(sFFixRspQryAccount, accountClass, 219);
FFIX_AT(sFFixRspQryAccount, userFlags, 220);
FFIX_AT(sFFixRspQryAccount, marketId, 224);
FFIX_AT(sFFixRspQryAccount, suretyMoney, 232);

// Money of an account (push 1016, query answer 1113).
struct sFFixMoney
{
    int32_t accountKey;
    int32_t reserved4;
    double withdrawable;  // 8
    double marginFreezed; // 16
    double marginRemain;  // 24
    double marginUsed;    // 32
    double dailyCharge;   // 40
    double profitClose;   // 48
    double suretyMoney;   // 56
    char reserved64[24];
};
FFIX_SIZE(sFFixMoney, 88);
FFIX_AT(sFFixMoney, withdrawable, 8);
FFIX_AT(sFFixMoney, marginFreezed, 16);
FFIX_AT(sFFixMoney, marginRemain, 24);
FFIX_AT(sFFixMoney, marginUsed, 32);
FFIX_AT(sFFixMoney, dailyCharge, 40);
FFIX_AT(sFFixMoney, profitClose, 48);
FFIX_AT(sFFixMoney, suretyMoney, 56);

// Account state codes (push 1114).
struct sFFixAccount
{
    int32_t accountKey;
    char reserved4[13];
    char accStatus;    // 17
    char accountState; // 18
    char reserved19;
};
FFIX_SIZE(sFFixAccount, 20);
FFIX_AT(sFFixAccount, accStatus, 17);
FFIX_AT(sFFixAccount, accountState, 18);

// Bonus points of an account (query 1126, push 1127).
struct sFFixBonusPoint
{
    int32_t accountKey;
    int32_t reserved4;
    double bonusPoint; // 8
};
FFIX_SIZE(sFFixBonusPoint, 16);
FFIX_AT(sFFixBonusPoint, bonusPoint, 8);

// Risk notice (1047 new, 1048 repeated).
struct sFFixRiskInfo
{
    int32_t accountKey;
    char riskCode1; // 4
    char riskCode2; // 5
    char reserved6[2];
    double value1;      // 8
    double value2;      // 16
    double value3;      // 24
    double value4;      // 32
    char noticeDate[9]; // 40
    char noticeTime[9]; // 49
    char reserved58[6];
};
FFIX_SIZE(sFFixRiskInfo, 64);
FFIX_AT(sFFixRiskInfo, riskCode1, 4);
FFIX_AT(sFFixRiskInfo, riskCode2, 5);
FFIX_AT(sFFixRiskInfo, value1, 8);
FFIX_AT(sFFixRiskInfo, value4, 32);
FFIX_AT(sFFixRiskInfo, noticeDate, 40);
FFIX_AT(sFFixRiskInfo, noticeTime, 49);

// Change of the main account (ReqMasterAccount, answer 1109).
struct sFFixMasterAccount
{
    int32_t userId;
    int32_t accountKey; // 4, -1 when none
    int32_t marketId;   // 8, -1 when none
};
FFIX_SIZE(sFFixMasterAccount, 12);
FFIX_AT(sFFixMasterAccount, accountKey, 4);
FFIX_AT(sFFixMasterAccount, marketId, 8);

// Transfer between accounts (ReqMoveMoney, answer 1111).
struct sFFixMoveMoney
{
    int32_t fromAccountKey;
    int32_t toAccountKey; // 4
    double amount;        // 8
    char password[32];    // 16, at most 24 bytes and a zero
};
FFIX_SIZE(sFFixMoveMoney, 48);
FFIX_AT(sFFixMoveMoney, toAccountKey, 4);
FFIX_AT(sFFixMoveMoney, amount, 8);
FFIX_AT(sFFixMoveMoney, password, 16);

// Surety money of an account (ReqSetSuretyMoney, answer 1122).
struct sFFixSetSuretyMoney
{
    int32_t accountKey;
    int32_t reserved4;
    double amount;     // 8
    char password[32]; // 16, at most 24 bytes and a zero
};
FFIX_SIZE(sFFixSetSuretyMoney, 48);
FFIX_AT(sFFixSetSuretyMoney, amount, 8);
FFIX_AT(sFFixSetSuretyMoney, password, 16);

// Password change (ReqModifyPassword, answer 1072, push 1073).
// kind: '1' login password, '2' money password, '3' other.
struct sFFixModifyPassword
{
    int32_t userId;
    char kind;            // 4
    char newPassword[25]; // 5
    char oldPassword[25]; // 30
    char reserved55;
};
FFIX_SIZE(sFFixModifyPassword, 56);
FFIX_AT(sFFixModifyPassword, kind, 4);
FFIX_AT(sFFixModifyPassword, newPassword, 5);
FFIX_AT(sFFixModifyPassword, oldPassword, 30);
