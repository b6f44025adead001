#pragma once
// Binary-option contracts and orders. The unnamed numbers are copied into the
// records in order; their meaning is the market's.
#include "tradeapi/FFixLayout.h"

// A contract (query 1103, push 1104); key = (contractNo, contractId).
struct sFFixBinaryContract
{
    double value1;      // 0
    double value2;      // 8
    double value3;      // 16
    int64_t contractNo; // 24
    char state;         // 32, '2' = open for orders
    char startTime[17]; // 33, "%Y%m%dT%H%M%S"
    char reserved50[6];
    double value4; // 56
    int32_t int1;  // 64
    char char1;    // 68
    char reserved69[3];
    double value5;    // 72
    int32_t int2;     // 80
    char endTime[17]; // 84, "%Y%m%dT%H%M%S"
    char reserved101[3];
    int32_t contractId; // 104
    int32_t reserved108;
    double value6; // 112
    double value7; // 120
    double value8; // 128
};
FFIX_SIZE(sFFixBinaryContract, 136);
FFIX_AT(sFFixBinaryContract, contractNo, 24);
FFIX_AT(sFFixBinaryContract, state, 32);
FFIX_AT(sFFixBinaryContract, startTime, 33);
FFIX_AT(sFFixBinaryContract, value4, 56);
FFIX_AT(sFFixBinaryContract, int1, 64);
FFIX_AT(sFFixBinaryContract, char1, 68);
FFIX_AT(sFFixBinaryContract, value5, 72);
FFIX_AT(sFFixBinaryContract, int2, 80);
FFIX_AT(sFFixBinaryContract, endTime, 84);
FFIX_AT(sFFixBinaryContract, contractId, 104);
FFIX_AT(sFFixBinaryContract, value6, 112);
FFIX_AT(sFFixBinaryContract, value8, 128);

// A binary-option order (query 1106, push 1107); orderState '3' = running.
struct sFFixBinaryOrer
{
    int32_t int1;
    int32_t symbolId; // 4
    char side;        // 8
    char reserved9[3];
    int32_t periodCount; // 12
    char periodUnit;     // 16
    char reserved17[7];
    double referencePrice; // 24, the price the order was opened against
    double openPrice;      // 32
    double expirePrice;    // 40
    double orderAmount;    // 48
    char orderCode[24];    // 56
    double profit;         // 80
    double value2;         // 88
    double value3;         // 96
    char openTime[18];     // 104, "%Y%m%dT%H%M%S"
    char expireTime[18];   // 122, "%Y%m%dT%H%M%S"
    int32_t periodSeconds; // 140
    double value4;         // 144
    double profitRate;     // 152
    int32_t int2;          // 160
    int32_t int3;          // 164
    char orderState;       // 168
    char reserved169[31];
    double value5; // 200
    int32_t int4;  // 208
    int32_t reserved212;
    double charge; // 216
};
FFIX_SIZE(sFFixBinaryOrer, 224);
FFIX_AT(sFFixBinaryOrer, symbolId, 4);
FFIX_AT(sFFixBinaryOrer, side, 8);
FFIX_AT(sFFixBinaryOrer, periodCount, 12);
FFIX_AT(sFFixBinaryOrer, periodUnit, 16);
FFIX_AT(sFFixBinaryOrer, referencePrice, 24);
FFIX_AT(sFFixBinaryOrer, openPrice, 32);
FFIX_AT(sFFixBinaryOrer, expirePrice, 40);
FFIX_AT(sFFixBinaryOrer, orderAmount, 48);
FFIX_AT(sFFixBinaryOrer, orderCode, 56);
FFIX_AT(sFFixBinaryOrer, profit, 80);
FFIX_AT(sFFixBinaryOrer, value2, 88);
FFIX_AT(sFFixBinaryOrer, openTime, 104);
FFIX_AT(sFFixBinaryOrer, expireTime, 122);
FFIX_AT(sFFixBinaryOrer, periodSeconds, 140);
FFIX_AT(sFFixBinaryOrer, value4, 144);
FFIX_AT(sFFixBinaryOrer, profitRate, 152);
FFIX_AT(sFFixBinaryOrer, int2, 160);
FFIX_AT(sFFixBinaryOrer, orderState, 168);
FFIX_AT(sFFixBinaryOrer, value5, 200);
FFIX_AT(sFFixBinaryOrer, int4, 208);
FFIX_AT(sFFixBinaryOrer, charge, 216);
