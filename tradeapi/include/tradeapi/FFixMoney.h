#pragma once
// Money movements between the trading account and the bank, pay ports and
// the bank pages. Bank passwords travel masked and base64-encoded.
#include "tradeapi/FFixLayout.h"

// Deposit or withdrawal request (ReqInOutMoney, answer 1039).
struct sFFixReqInOutMoney
{
    int32_t accountKey;
    int32_t reserved4;
    double amount;          // 8
    char direction;         // 16, '1' deposit, '2' withdrawal
    char moneyPassword[25]; // 17
    char bankPassword[25];  // 42, masked by the sender
    char reserved67[5];
};
FFIX_SIZE(sFFixReqInOutMoney, 72);
FFIX_AT(sFFixReqInOutMoney, amount, 8);
FFIX_AT(sFFixReqInOutMoney, direction, 16);
FFIX_AT(sFFixReqInOutMoney, moneyPassword, 17);
FFIX_AT(sFFixReqInOutMoney, bankPassword, 42);

// A money movement (query 1042, push 1040).
struct sFFixRspInOutMoney
{
    int32_t accountKey;
    int32_t reserved4;
    double amount;     // 8
    char carriedChar1; // 16
    char reserved17[3];
    int32_t carriedInt1; // 20
    char inOutType;      // 24, '1' in, '2' out
    char approveState;   // 25
    char remark[194];    // 26, UTF-8
    int32_t inOutId;     // 220
    char changeDate[9];  // 224
    char changeTime[9];  // 233
    char confirmDate[9]; // 242
    char confirmTime[9]; // 251
    char carriedChar2;   // 260
    char reserved261[3];
    int32_t carriedInt2; // 264
    char serialCode[20]; // 268
};
FFIX_SIZE(sFFixRspInOutMoney, 288);
FFIX_AT(sFFixRspInOutMoney, amount, 8);
FFIX_AT(sFFixRspInOutMoney, carriedChar1, 16);
FFIX_AT(sFFixRspInOutMoney, carriedInt1, 20);
FFIX_AT(sFFixRspInOutMoney, inOutType, 24);
FFIX_AT(sFFixRspInOutMoney, approveState, 25);
FFIX_AT(sFFixRspInOutMoney, remark, 26);
FFIX_AT(sFFixRspInOutMoney, inOutId, 220);
FFIX_AT(sFFixRspInOutMoney, changeDate, 224);
FFIX_AT(sFFixRspInOutMoney, changeTime, 233);
FFIX_AT(sFFixRspInOutMoney, confirmDate, 242);
FFIX_AT(sFFixRspInOutMoney, confirmTime, 251);
FFIX_AT(sFFixRspInOutMoney, carriedChar2, 260);
FFIX_AT(sFFixRspInOutMoney, carriedInt2, 264);
FFIX_AT(sFFixRspInOutMoney, serialCode, 268);

// Id the market gave a money movement (answer 1044); no reader in the
// plug-in, layout chosen here.
struct sFFixInOutMoneyId
{
    int32_t accountKey;
    int32_t inOutId;     // 4
    char serialCode[28]; // 8
};
FFIX_SIZE(sFFixInOutMoneyId, 36);
FFIX_AT(sFFixInOutMoneyId, inOutId, 4);
FFIX_AT(sFFixInOutMoneyId, serialCode, 8);

// A pay port the user registered (query 1065, push 1070).
struct sFFixPayPortInfo
{
    int32_t carriedInt1;
    char identityType;       // 4, '1' .. '6', as in the registration
    char identityNumber[37]; // 5
    char bankCardNumber[37]; // 42
    char accountName[109];   // 79, UTF-8
    int32_t sysPayPortId;    // 188
    int32_t payportKeyHigh;  // 192
    char currency[5];        // 196
    char registState;        // 201, '1' not registered (yet)
    char reserved202[2];
    int32_t payportKeyLow; // 204
    char seatSuffix[24];   // 208
};
FFIX_SIZE(sFFixPayPortInfo, 232);
FFIX_AT(sFFixPayPortInfo, identityType, 4);
FFIX_AT(sFFixPayPortInfo, identityNumber, 5);
FFIX_AT(sFFixPayPortInfo, bankCardNumber, 42);
FFIX_AT(sFFixPayPortInfo, accountName, 79);
FFIX_AT(sFFixPayPortInfo, sysPayPortId, 188);
FFIX_AT(sFFixPayPortInfo, payportKeyHigh, 192);
FFIX_AT(sFFixPayPortInfo, currency, 196);
FFIX_AT(sFFixPayPortInfo, registState, 201);
FFIX_AT(sFFixPayPortInfo, payportKeyLow, 204);
FFIX_AT(sFFixPayPortInfo, seatSuffix, 208);

// A pay port of the market (query 1075).
struct sFFixSysPayPortInfo
{
    char completeFlag;     // '1': the bank completes a registration later
    char currency[5];      // 1
    char shortName[26];    // 6
    int32_t sysPayPortId;  // 32
    char bankName[37];     // 36, UTF-8
    char payPortCode[13];  // 73
    char channelName[37];  // 86, UTF-8
    char bankPasswordFlag; // 123, '1' = bank password required
};
FFIX_SIZE(sFFixSysPayPortInfo, 124);
FFIX_AT(sFFixSysPayPortInfo, currency, 1);
FFIX_AT(sFFixSysPayPortInfo, shortName, 6);
FFIX_AT(sFFixSysPayPortInfo, sysPayPortId, 32);
FFIX_AT(sFFixSysPayPortInfo, bankName, 36);
FFIX_AT(sFFixSysPayPortInfo, payPortCode, 73);
FFIX_AT(sFFixSysPayPortInfo, channelName, 86);
FFIX_AT(sFFixSysPayPortInfo, bankPasswordFlag, 123);

// Registration of a pay port (ReqRegistPayPort, answer 1067). The account
// name ends before the pay-port id (101 bytes, at most 100 copied) so the
// two fields never overlap.
struct sFFixRegistPayPort
{
    int32_t userId;
    char identityType;       // 4, '1' .. '6'
    char identityNumber[37]; // 5, at most 36 copied
    char bankCardNumber[45]; // 42, at most 36 copied
    char accountName[101];   // 87, UTF-8
    int32_t sysPayPortId;    // 188
    char moneyPassword[25];  // 192, at most 24 copied
    char bankPassword[25];   // 217, masked by the sender
    char reserved242[2];
};
FFIX_SIZE(sFFixRegistPayPort, 244);
FFIX_AT(sFFixRegistPayPort, identityType, 4);
FFIX_AT(sFFixRegistPayPort, identityNumber, 5);
FFIX_AT(sFFixRegistPayPort, bankCardNumber, 42);
FFIX_AT(sFFixRegistPayPort, accountName, 87);
FFIX_AT(sFFixRegistPayPort, sysPayPortId, 188);
FFIX_AT(sFFixRegistPayPort, moneyPassword, 192);
FFIX_AT(sFFixRegistPayPort, bankPassword, 217);

// Cancellation of a pay-port registration (ReqUnRegistPayPort, answer 1069).
struct sFFixUnRegistPayPort
{
    int32_t userId;
    int32_t sysPayPortId;   // 4
    char moneyPassword[25]; // 8
    char bankPassword[27];  // 33, masked by the sender
};
FFIX_SIZE(sFFixUnRegistPayPort, 60);
FFIX_AT(sFFixUnRegistPayPort, sysPayPortId, 4);
FFIX_AT(sFFixUnRegistPayPort, moneyPassword, 8);
FFIX_AT(sFFixUnRegistPayPort, bankPassword, 33);

// Address of a bank page (push 1076): id is an attached pay port's id or a
// money movement's inOutId.
struct sFFixBankInUrl
{
    int32_t accountKey;
    int32_t id;           // 4
    int32_t sysPayPortId; // 8
    char url[1028];       // 12, UTF-8
};
FFIX_SIZE(sFFixBankInUrl, 1040);
FFIX_AT(sFFixBankInUrl, id, 4);
FFIX_AT(sFFixBankInUrl, sysPayPortId, 8);
FFIX_AT(sFFixBankInUrl, url, 12);
