#pragma once
// Order requests and the order, bill and position rows.
// Order codes the market hands out are at most 15 characters, so they fit the
// narrowest order-code field (16 bytes) with a terminator.
#include "tradeapi/FFixLayout.h"

// Order request (ReqSetOrder), echoed in its answer (1009).
// orderType: '1' market open, '2' market close, '3' limit, '4' stop;
// market type '2': 'C' market open, 'E' market close, 'B' limit open,
// 'D' limit close; 'F' binary option.
struct sFFixSetOrder
{
    int32_t accountKey;
    char side; // 4, 'b' / 's'
    char reserved5[7];
    char resultText[17];     // 12, filled by the market in the echo
    char closeOrderCode[16]; // 29, hold bill to close
    char reserved45[3];
    double price;    // 48
    double quantity; // 56, binary options: invested amount
    char orderType;  // 64
    char reserved65[3];
    int32_t buySpreadPoints;  // 68
    int32_t sellSpreadPoints; // 72
    int32_t pointDiff;        // 76, largest accepted deviation in points
    double stopLoss;          // 80, 0 = none
    double takeProfit;        // 88, 0 = none
    int32_t symbolId;         // 96
    char reserved100[17];
    char validDateType;   // 117, '1' today, '2' this week
    char marginTradeType; // 118
    char reserved119;
    double sideListValue; // 120
    int64_t contractKey;  // 128, binary-option contract
    char binaryMode;      // 136
    char reserved137[7];
};
FFIX_SIZE(sFFixSetOrder, 144);
FFIX_AT(sFFixSetOrder, side, 4);
FFIX_AT(sFFixSetOrder, resultText, 12);
FFIX_AT(sFFixSetOrder, closeOrderCode, 29);
FFIX_AT(sFFixSetOrder, price, 48);
FFIX_AT(sFFixSetOrder, quantity, 56);
FFIX_AT(sFFixSetOrder, orderType, 64);
FFIX_AT(sFFixSetOrder, buySpreadPoints, 68);
FFIX_AT(sFFixSetOrder, sellSpreadPoints, 72);
FFIX_AT(sFFixSetOrder, pointDiff, 76);
FFIX_AT(sFFixSetOrder, stopLoss, 80);
FFIX_AT(sFFixSetOrder, takeProfit, 88);
FFIX_AT(sFFixSetOrder, symbolId, 96);
FFIX_AT(sFFixSetOrder, validDateType, 117);
FFIX_AT(sFFixSetOrder, marginTradeType, 118);
FFIX_AT(sFFixSetOrder, sideListValue, 120);
FFIX_AT(sFFixSetOrder, contractKey, 128);
FFIX_AT(sFFixSetOrder, binaryMode, 136);

// Fill notice (1010).
struct sFFixTrade
{
    int32_t accountKey;
    char orderCode[28]; // 4
    double price;       // 32
    double quantity;    // 40
    char side;          // 48
    char orderType;     // 49
    char reserved50[2];
    int32_t symbolId; // 52
    char reserved56[8];
    char tradeTime[16]; // 64, "%H%M%S"
};
FFIX_SIZE(sFFixTrade, 80);
FFIX_AT(sFFixTrade, orderCode, 4);
FFIX_AT(sFFixTrade, price, 32);
FFIX_AT(sFFixTrade, quantity, 40);
FFIX_AT(sFFixTrade, side, 48);
FFIX_AT(sFFixTrade, orderType, 49);
FFIX_AT(sFFixTrade, symbolId, 52);
FFIX_AT(sFFixTrade, tradeTime, 64);

// Net position of one symbol (query 1013, push 1017).
struct sFFixPosition
{
    int32_t accountKey;
    int32_t reserved4;
    double buyAmount;    // 8
    double sellAmount;   // 16
    double buyQuantity;  // 24
    double sellQuantity; // 32
    int32_t symbolId;    // 40
    int32_t reserved44;
};
FFIX_SIZE(sFFixPosition, 48);
FFIX_AT(sFFixPosition, buyAmount, 8);
FFIX_AT(sFFixPosition, sellAmount, 16);
FFIX_AT(sFFixPosition, buyQuantity, 24);
FFIX_AT(sFFixPosition, sellQuantity, 32);
FFIX_AT(sFFixPosition, symbolId, 40);

// One open hold bill (query 1015, push 1018); quantity 0 means it is gone.
struct sFFixHoldDetail
{
    int32_t accountKey;
    char side; // 4
    char reserved5[3];
    int32_t symbolId; // 8
    int32_t reserved12;
    double stopLoss;            // 16
    double takeProfit;          // 24
    double quantity;            // 32
    char orderCode[24];         // 40
    double holdPrice;           // 64
    double openPrice;           // 72
    double totalChargeInterest; // 80
    double carried1;            // 88
    double chargeOpen;          // 96
    double marginUsed;          // 104
    int32_t carriedInt1;        // 112
    int32_t carriedInt2;        // 116
    char openDate[9];           // 120, "%Y%m%d"
    char openTime[9];           // 129, "%H%M%S"
    char queryFlag;             // 138, query answer only
    char reserved139[5];
    double queryValue; // 144, query answer only
    char reserved152[8];
    char deliveryStatus;   // 160
    char deliveryTime[17]; // 161, "%Y%m%dT%H%M%S"
    char reserved178[6];
    double carried2; // 184
};
FFIX_SIZE(sFFixHoldDetail, 192);
FFIX_AT(sFFixHoldDetail, symbolId, 8);
FFIX_AT(sFFixHoldDetail, stopLoss, 16);
FFIX_AT(sFFixHoldDetail, takeProfit, 24);
FFIX_AT(sFFixHoldDetail, quantity, 32);
FFIX_AT(sFFixHoldDetail, orderCode, 40);
FFIX_AT(sFFixHoldDetail, holdPrice, 64);
FFIX_AT(sFFixHoldDetail, openPrice, 72);
FFIX_AT(sFFixHoldDetail, totalChargeInterest, 80);
FFIX_AT(sFFixHoldDetail, chargeOpen, 96);
FFIX_AT(sFFixHoldDetail, marginUsed, 104);
FFIX_AT(sFFixHoldDetail, carriedInt1, 112);
FFIX_AT(sFFixHoldDetail, openDate, 120);
FFIX_AT(sFFixHoldDetail, openTime, 129);
FFIX_AT(sFFixHoldDetail, queryFlag, 138);
FFIX_AT(sFFixHoldDetail, queryValue, 144);
FFIX_AT(sFFixHoldDetail, deliveryStatus, 160);
FFIX_AT(sFFixHoldDetail, deliveryTime, 161);
FFIX_AT(sFFixHoldDetail, carried2, 184);

// One closing trade (query 1020, push 1021).
struct sFFixCloseBill
{
    int32_t accountKey;
    char side; // 4
    char reserved5[3];
    double chargeClose;   // 8
    double chargeOpen;    // 16
    char closeType;       // 24
    char orderCode[17];   // 25, the close order code
    char orderCodeRe[17]; // 42, the hold bill it closed
    char reserved59[5];
    double closePrice;  // 64
    double holdPrice;   // 72
    double openPrice;   // 80
    double closeProfit; // 88
    double quantity;    // 96
    int32_t symbolId;   // 104
    int32_t reserved108;
    int32_t carriedInt1; // 112
    int32_t carriedInt2; // 116
    char closeDate[9];   // 120
    char closeTime[9];   // 129
    char openDate[9];    // 138
    char openTime[9];    // 147
    char reserved156[4];
};
FFIX_SIZE(sFFixCloseBill, 160);
FFIX_AT(sFFixCloseBill, chargeClose, 8);
FFIX_AT(sFFixCloseBill, chargeOpen, 16);
FFIX_AT(sFFixCloseBill, closeType, 24);
FFIX_AT(sFFixCloseBill, orderCode, 25);
FFIX_AT(sFFixCloseBill, orderCodeRe, 42);
FFIX_AT(sFFixCloseBill, closePrice, 64);
FFIX_AT(sFFixCloseBill, closeProfit, 88);
FFIX_AT(sFFixCloseBill, quantity, 96);
FFIX_AT(sFFixCloseBill, symbolId, 104);
FFIX_AT(sFFixCloseBill, carriedInt1, 112);
FFIX_AT(sFFixCloseBill, closeDate, 120);
FFIX_AT(sFFixCloseBill, closeTime, 129);
FFIX_AT(sFFixCloseBill, openDate, 138);
FFIX_AT(sFFixCloseBill, openTime, 147);

// A pending limit or stop order (query 1024, push 1022). Finished when
// quantityOrder is 0 (cancelled) or quantityComplete equals quantityOrder.
struct sFFixLimitOrder
{
    int32_t accountKey;
    char side;      // 4
    char limitType; // 5
    char reserved6[2];
    double freezed;          // 8
    char openDate[9];        // 16
    char openTime[9];        // 25
    char orderCode[22];      // 34
    double orderPrice;       // 56
    double quantityComplete; // 64
    double quantityOrder;    // 72
    double stopLoss;         // 80
    double takeProfit;       // 88
    int32_t symbolId;        // 96
    char validDate[9];       // 100, "%Y%m%d"
    char validDateType;      // 109
    char reserved110[18];
};
FFIX_SIZE(sFFixLimitOrder, 128);
FFIX_AT(sFFixLimitOrder, limitType, 5);
FFIX_AT(sFFixLimitOrder, freezed, 8);
FFIX_AT(sFFixLimitOrder, openDate, 16);
FFIX_AT(sFFixLimitOrder, openTime, 25);
FFIX_AT(sFFixLimitOrder, orderCode, 34);
FFIX_AT(sFFixLimitOrder, orderPrice, 56);
FFIX_AT(sFFixLimitOrder, quantityComplete, 64);
FFIX_AT(sFFixLimitOrder, quantityOrder, 72);
FFIX_AT(sFFixLimitOrder, stopLoss, 80);
FFIX_AT(sFFixLimitOrder, takeProfit, 88);
FFIX_AT(sFFixLimitOrder, symbolId, 96);
FFIX_AT(sFFixLimitOrder, validDate, 100);
FFIX_AT(sFFixLimitOrder, validDateType, 109);

// Cancel of a limit order (answer 1026).
struct sFFixCancelOrder
{
    char orderCode[16];
    char flag1; // 16, 0
    char flag2; // 17, 0
};
FFIX_SIZE(sFFixCancelOrder, 18);
FFIX_AT(sFFixCancelOrder, flag1, 16);

// New stop-loss and take-profit of a hold bill or limit order (answer 1028).
// The order code field is 24 bytes; writers that bound it at 16 fit inside.
struct sFFixModifyOrder
{
    char orderCode[24];
    double stopLoss;   // 24
    double takeProfit; // 32
    char reserved40[16];
};
FFIX_SIZE(sFFixModifyOrder, 56);
FFIX_AT(sFFixModifyOrder, stopLoss, 24);
FFIX_AT(sFFixModifyOrder, takeProfit, 32);

// Close of a position (ReqPositionCloseOrder, answer 1053).
struct sFFixPositionCloseOrder
{
    int32_t accountKey; // the position's first field
    int32_t symbolId;   // 4
    char side;          // 8
    char orderType;     // 9, '2'
    char reserved10[6];
    double price;             // 16
    double quantity;          // 24
    int32_t buySpreadPoints;  // 32
    int32_t sellSpreadPoints; // 36
    int32_t pointDiff;        // 40
    char closeFlag;           // 44, '1'
    char reserved45[3];
};
FFIX_SIZE(sFFixPositionCloseOrder, 48);
FFIX_AT(sFFixPositionCloseOrder, side, 8);
FFIX_AT(sFFixPositionCloseOrder, orderType, 9);
FFIX_AT(sFFixPositionCloseOrder, price, 16);
FFIX_AT(sFFixPositionCloseOrder, quantity, 24);
FFIX_AT(sFFixPositionCloseOrder, buySpreadPoints, 32);
FFIX_AT(sFFixPositionCloseOrder, pointDiff, 40);
FFIX_AT(sFFixPositionCloseOrder, closeFlag, 44);

// Delivery application for a hold bill (ReqHoldBillDelivery, answer 1124).
struct sFFixHoldBillDelivery
{
    char orderCode[17];
    char reserved17;
    char apply; // 18, '1' apply, '0' withdraw
};
FFIX_SIZE(sFFixHoldBillDelivery, 19);
FFIX_AT(sFFixHoldBillDelivery, apply, 18);

// A delivery order (query 1057, push 1058).
struct sFFixDeliveryOrder
{
    int32_t accountKey;
    char side; // 4
    char reserved5[3];
    double chargeClose;   // 8
    char carriedChar1;    // 16
    char orderCode[17];   // 17
    char orderCodeRe[17]; // 34
    char reserved51[5];
    double deliveryPrice; // 56
    double carried1;      // 64
    double carried2;      // 72
    double closeProfit;   // 80
    double quantity;      // 88
    int32_t symbolId;     // 96
    int32_t reserved100;
    int32_t carriedInt1;          // 104
    int32_t carriedInt2;          // 108
    char closeDate[9];            // 112
    char closeTime[9];            // 121
    char secondDate[9];           // 130
    char secondTime[9];           // 139
    char deliveryConfirmStatus;   // 148
    char deliveryConfirmTime[17]; // 149, "%Y%m%dT%H%M%S"
    char reserved166[2];
    double deliveryMargin; // 168
    char deliveryTime[17]; // 176, "%Y%m%dT%H%M%S"
    char reserved193[7];
    double deliveryMoney;  // 200
    double deliveryCharge; // 208
};
FFIX_SIZE(sFFixDeliveryOrder, 216);
FFIX_AT(sFFixDeliveryOrder, chargeClose, 8);
FFIX_AT(sFFixDeliveryOrder, carriedChar1, 16);
FFIX_AT(sFFixDeliveryOrder, orderCode, 17);
FFIX_AT(sFFixDeliveryOrder, orderCodeRe, 34);
FFIX_AT(sFFixDeliveryOrder, deliveryPrice, 56);
FFIX_AT(sFFixDeliveryOrder, closeProfit, 80);
FFIX_AT(sFFixDeliveryOrder, quantity, 88);
FFIX_AT(sFFixDeliveryOrder, symbolId, 96);
FFIX_AT(sFFixDeliveryOrder, carriedInt1, 104);
FFIX_AT(sFFixDeliveryOrder, closeDate, 112);
FFIX_AT(sFFixDeliveryOrder, closeTime, 121);
FFIX_AT(sFFixDeliveryOrder, secondDate, 130);
FFIX_AT(sFFixDeliveryOrder, secondTime, 139);
FFIX_AT(sFFixDeliveryOrder, deliveryConfirmStatus, 148);
FFIX_AT(sFFixDeliveryOrder, deliveryConfirmTime, 149);
FFIX_AT(sFFixDeliveryOrder, deliveryMargin, 168);
FFIX_AT(sFFixDeliveryOrder, deliveryTime, 176);
FFIX_AT(sFFixDeliveryOrder, deliveryMoney, 200);
FFIX_AT(sFFixDeliveryOrder, deliveryCharge, 208);
