#pragma once
// Goods in warehouses, symbol inventories, delivery bookings and goods
// financing.
#include "tradeapi/FFixLayout.h"

// Goods the user holds in a warehouse (query 1129, push 1134).
struct sFFixUserInventory
{
    int32_t int1;
    int32_t storeId;  // 4
    int32_t marketId; // 8
    int32_t reserved12;
    double userAmount;       // 16, goods held
    double financedQuantity; // 24, of them financed (may be given back)
    double usedAmount;       // 32, of them in use
    int32_t symbolId;        // 40
    char text[148];          // 44, UTF-8 in the query answer
};
FFIX_SIZE(sFFixUserInventory, 192);
FFIX_AT(sFFixUserInventory, storeId, 4);
FFIX_AT(sFFixUserInventory, marketId, 8);
FFIX_AT(sFFixUserInventory, userAmount, 16);
FFIX_AT(sFFixUserInventory, financedQuantity, 24);
FFIX_AT(sFFixUserInventory, usedAmount, 32);
FFIX_AT(sFFixUserInventory, symbolId, 40);
FFIX_AT(sFFixUserInventory, text, 44);

// Inventory of a symbol (query 1131).
struct sFFixSymbolInventory
{
    char inventorySN[17];
    char stockInTime[19]; // 17, "%Y%m%dT%H%M%S"
    int32_t symbolId;     // 36
    int32_t marketId;     // 40
    int32_t reserved44;
    double inventoryAmount;    // 48
    double inventoryAvailable; // 56, still offered for financing
    double price;              // 64
    int32_t int1;              // 72
    int32_t int2;              // 76
    char text[152];            // 80, UTF-8
};
FFIX_SIZE(sFFixSymbolInventory, 232);
FFIX_AT(sFFixSymbolInventory, stockInTime, 17);
FFIX_AT(sFFixSymbolInventory, symbolId, 36);
FFIX_AT(sFFixSymbolInventory, marketId, 40);
FFIX_AT(sFFixSymbolInventory, inventoryAmount, 48);
FFIX_AT(sFFixSymbolInventory, inventoryAvailable, 56);
FFIX_AT(sFFixSymbolInventory, price, 64);
FFIX_AT(sFFixSymbolInventory, int1, 72);
FFIX_AT(sFFixSymbolInventory, int2, 76);
FFIX_AT(sFFixSymbolInventory, text, 80);

// Delivery booking of a symbol (2172, 2177); no reader in the plug-in, so
// only its key is named.
struct sFFixSymbolBookingInfo
{
    int32_t bookingId;
    int32_t symbolId; // 4
    char data[608];   // 8
};
FFIX_SIZE(sFFixSymbolBookingInfo, 616);
FFIX_AT(sFFixSymbolBookingInfo, data, 8);

// Delivery address of a booking (2174, 2178); no reader in the plug-in.
struct sFFixBookingAddrInfo
{
    int32_t addrId;
    int32_t bookingId; // 4
    char data[736];    // 8
};
FFIX_SIZE(sFFixBookingAddrInfo, 744);
FFIX_AT(sFFixBookingAddrInfo, data, 8);

// Goods financing (ReqFinancingGoods, answer 1133); a negative quantity
// cancels.
struct sFFixFinancingGoods
{
    int32_t accountKey;
    int32_t symbolId;      // 4
    int32_t inventoryKeyA; // 8
    int32_t inventoryKeyB; // 12
    double quantity;       // 16
};
FFIX_SIZE(sFFixFinancingGoods, 24);
FFIX_AT(sFFixFinancingGoods, inventoryKeyA, 8);
FFIX_AT(sFFixFinancingGoods, inventoryKeyB, 12);
FFIX_AT(sFFixFinancingGoods, quantity, 16);
