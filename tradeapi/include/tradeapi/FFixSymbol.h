#pragma once
// Symbol, quote and exchange-rate structures. Texts are NUL-padded and may
// fill their field completely; read them bounded by the field width.
#include "tradeapi/FFixLayout.h"

// One symbol row of the symbol query (trade code 1004, market-data code 1004).
struct sFFixRspQrySymbolInfo
{
    int32_t accountKey; // the account the symbol trades in
    int32_t reserved0;
    double carried1;  // 8
    double carried2;  // 16
    int32_t digits;   // 24
    char currency[5]; // 28
    char tradeFlag;   // 33, '0' = not set
    char reserved34[2];
    int32_t askSpreadPoints; // 36
    int32_t bidSpreadPoints; // 40
    int32_t carriedInt1;     // 44
    int32_t carriedInt2;     // 48
    int32_t carriedInt3;     // 52
    double carriedPrice;     // 56
    double lastPrice;        // 64
    double highPrice;        // 72
    double lowPrice;         // 80
    double openPrice;        // 88, the first carried double of the quote
    int32_t symbolId;        // 96
    int32_t carriedInt4;     // 100
    char symbolCode[13];     // 104
    char symbolName[73];     // 117, UTF-8
    char carriedChar1;       // 190
    char reserved191;
    int32_t marketId;         // 192
    char marketName[73];      // 196, UTF-8
    char carriedText[3];      // 269
    int32_t contractSize;     // 272
    int32_t maxHoldQuantity;  // 276
    int32_t maxOrderQuantity; // 280
    char quoteTime[9];        // 284, "%H%M%S"
    char quoteDate[9];        // 293, "%Y%m%d"
    char tradeStartTime[17];  // 302, "%H%M%S"
    char tradeEndTime[17];    // 319, "%H%M%S"
    char marginType;          // 336
    char buyMarginList[129];  // 337, UTF-8, ',' separated
    char sellMarginList[130]; // 466, UTF-8, ',' separated
    int32_t carriedInt5;      // 596
    double chargeRate;        // 600, share of an order's value charged at opening and at closing
    double carried4;          // 608
    double carried5;          // 616
    int32_t carriedInt6;      // 624
    char carriedChar2;        // 628
    char carriedChar3;        // 629
    char marketType;          // 630, '1' .. '4'
    char reserved631;
    double settlementPrice; // 632
    char reserved640[64];
};
FFIX_SIZE(sFFixRspQrySymbolInfo, 704);
FFIX_AT(sFFixRspQrySymbolInfo, carried1, 8);
FFIX_AT(sFFixRspQrySymbolInfo, digits, 24);
FFIX_AT(sFFixRspQrySymbolInfo, currency, 28);
FFIX_AT(sFFixRspQrySymbolInfo, tradeFlag, 33);
FFIX_AT(sFFixRspQrySymbolInfo, askSpreadPoints, 36);
FFIX_AT(sFFixRspQrySymbolInfo, bidSpreadPoints, 40);
FFIX_AT(sFFixRspQrySymbolInfo, carriedPrice, 56);
FFIX_AT(sFFixRspQrySymbolInfo, lastPrice, 64);
FFIX_AT(sFFixRspQrySymbolInfo, highPrice, 72);
FFIX_AT(sFFixRspQrySymbolInfo, lowPrice, 80);
FFIX_AT(sFFixRspQrySymbolInfo, openPrice, 88);
FFIX_AT(sFFixRspQrySymbolInfo, symbolId, 96);
FFIX_AT(sFFixRspQrySymbolInfo, symbolCode, 104);
FFIX_AT(sFFixRspQrySymbolInfo, symbolName, 117);
FFIX_AT(sFFixRspQrySymbolInfo, carriedChar1, 190);
FFIX_AT(sFFixRspQrySymbolInfo, marketId, 192);
FFIX_AT(sFFixRspQrySymbolInfo, marketName, 196);
FFIX_AT(sFFixRspQrySymbolInfo, carriedText, 269);
FFIX_AT(sFFixRspQrySymbolInfo, contractSize, 272);
FFIX_AT(sFFixRspQrySymbolInfo, maxHoldQuantity, 276);
FFIX_AT(sFFixRspQrySymbolInfo, maxOrderQuantity, 280);
FFIX_AT(sFFixRspQrySymbolInfo, quoteTime, 284);
FFIX_AT(sFFixRspQrySymbolInfo, quoteDate, 293);
FFIX_AT(sFFixRspQrySymbolInfo, tradeStartTime, 302);
FFIX_AT(sFFixRspQrySymbolInfo, tradeEndTime, 319);
FFIX_AT(sFFixRspQrySymbolInfo, marginType, 336);
FFIX_AT(sFFixRspQrySymbolInfo, buyMarginList, 337);
FFIX_AT(sFFixRspQrySymbolInfo, sellMarginList, 466);
FFIX_AT(sFFixRspQrySymbolInfo, carriedInt5, 596);
FFIX_AT(sFFixRspQrySymbolInfo, chargeRate, 600);
FFIX_AT(sFFixRspQrySymbolInfo, carriedInt6, 624);
FFIX_AT(sFFixRspQrySymbolInfo, carriedChar2, 628);
FFIX_AT(sFFixRspQrySymbolInfo, marketType, 630);
FFIX_AT(sFFixRspQrySymbolInfo, settlementPrice, 632);

// Price tick (market-data code 1029).
struct sFFixMarketData
{
    int32_t symbolId;
    char reserved4[16];
    char digits; // 20, price decimals as a signed number, not a digit character
    char reserved21[11];
    double highPrice;  // 32
    double lowPrice;   // 40
    double lastPrice;  // 48
    double quote[7];   // 56 .. 104, the rest of the quote in order
    char quoteDate[9]; // 112, "%Y%m%d"
    char quoteTime[9]; // 121, "%H%M%S"
    char reserved130[30];
};
FFIX_SIZE(sFFixMarketData, 160);
FFIX_AT(sFFixMarketData, digits, 20);
FFIX_AT(sFFixMarketData, highPrice, 32);
FFIX_AT(sFFixMarketData, lowPrice, 40);
FFIX_AT(sFFixMarketData, lastPrice, 48);
FFIX_AT(sFFixMarketData, quote, 56);
FFIX_AT(sFFixMarketData, quoteDate, 112);
FFIX_AT(sFFixMarketData, quoteTime, 121);

// Price levels of one row (query 1088, pushes 1089).
struct sFFixPriceReport
{
    int32_t priceLevelId;
    int32_t reserved4;
    float levels[24];  // 8, copied as they are
    char quoteDate[9]; // 104
    char quoteTime[9]; // 113
    char reserved122[142];
};
FFIX_SIZE(sFFixPriceReport, 264);
FFIX_AT(sFFixPriceReport, levels, 8);
FFIX_AT(sFFixPriceReport, quoteDate, 104);
FFIX_AT(sFFixPriceReport, quoteTime, 113);

// Trade ticks (1091, 1092); no reader in the plug-in, layout chosen here.
struct sFFixPriceTrade
{
    int32_t symbolId;
    int32_t reserved4;
    double price;      // 8
    double quantity;   // 16
    char tradeTime[8]; // 24, "%H%M%S" cut to the field
};
FFIX_SIZE(sFFixPriceTrade, 32);
FFIX_AT(sFFixPriceTrade, price, 8);
FFIX_AT(sFFixPriceTrade, tradeTime, 24);

// One unit of fromCurrency in toCurrency (query 1033, push 1034). The query
// request is the two currency texts; empty texts ask for all rates.
struct sFFixCurrencyExchangeRate
{
    char fromCurrency[5];
    char toCurrency[5]; // 5
    char reserved10[6];
    double rate; // 16
};
FFIX_SIZE(sFFixCurrencyExchangeRate, 24);
FFIX_AT(sFFixCurrencyExchangeRate, toCurrency, 5);
FFIX_AT(sFFixCurrencyExchangeRate, rate, 16);
