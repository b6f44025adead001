#pragma once
// Callbacks of the trade front, called on the library's I/O thread in the
// order the market sent them. Every operation does nothing unless overridden;
// the order of the operations is part of the binary interface. Pointers are
// valid only during the call. Query rows: row null = the answer has no rows;
// last true = final row.
#include "tradeapi/FFixStructs.h"

class CTradeApiCallback
{
public:
    virtual void OnConnect() {}
    virtual bool OnConnectFailed(int /*error*/, const char* /*text*/) { return false; }
    virtual bool OnDisconnect(int /*reason*/) { return false; }
    virtual void OnErrorRsp(const sFFixRspInfo*, int /*requestId*/, bool /*last*/) {}
    virtual void OnRspUserLogin(const sFFixRspUserLogin*, const sFFixRspInfo*, int, bool) {}
    virtual void OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo*, int, bool) {}
    virtual void OnNtfUserId(const sFFixUserId*, int, int) {}
    virtual void OnRspQryAccount(const sFFixRspQryAccount*, int, bool) {}
    virtual void OnRspSetOrder(const sFFixSetOrder*, const sFFixRspInfo*, int, bool) {}
    virtual void OnNtfTrade(const sFFixTrade*, int, int) {}
    virtual void OnRspQryPosition(const sFFixPosition*, int, bool) {}
    virtual void OnRspQryHoldDetail(const sFFixHoldDetail*, int, bool) {}
    virtual void OnNtfMoneyChanged(const sFFixMoney*, int, int) {}
    virtual void OnNtfPosition(const sFFixPosition*, int, int) {}
    virtual void OnNtfHoldDetail(const sFFixHoldDetail*, int, int) {}
    virtual void OnRspQryCloseBill(const sFFixCloseBill*, int, bool) {}
    virtual void OnNtfCloseBill(const sFFixCloseBill*, int, int) {}
    virtual void OnNtfLimitOrder(const sFFixLimitOrder*, int, int) {}
    virtual void OnRspQryLimitOrder(const sFFixLimitOrder*, int, bool) {}
    virtual void OnRspCancelOrder(const sFFixCancelOrder*, const sFFixRspInfo*, int, bool) {}
    virtual void OnRspModifyOrder(const sFFixModifyOrder*, const sFFixRspInfo*, int, bool) {}
    virtual void OnRspQryCurrencyExchangeRate(const sFFixCurrencyExchangeRate*, int, bool) {}
    virtual void OnNtfCurrencyExchangeRate(const sFFixCurrencyExchangeRate*, int, int) {}
    virtual void OnRspReqInOutMoney(const sFFixReqInOutMoney*, const sFFixRspInfo*, int, bool) {}
    virtual void OnNtfInOutMoney(const sFFixRspInOutMoney*, int, int) {}
    virtual void OnRspQryInOutMoney(const sFFixRspInOutMoney*, int, bool) {}
    virtual void OnRspInOutMoneyId(const sFFixInOutMoneyId*, const sFFixRspInfo*, int, bool) {}
    virtual void Reserved28(const void*, int, bool) {}
    virtual void OnNtfRiskInfo(const sFFixRiskInfo*, int, int) {}
    virtual void OnNtfRiskInfo2(const sFFixRiskInfo*, int, int) {}
    virtual void Reserved31(const void*, int, bool) {}
    virtual void Reserved32(const void*, const sFFixRspInfo*, int, bool) {}
    virtual void OnRspPositionCloseOrder(const sFFixPositionCloseOrder*, const sFFixRspInfo*, int, bool) {}
    virtual void Reserved34(const void*, int, bool) {}
    virtual void OnRspQryDeliveryOrder(const sFFixDeliveryOrder*, int, bool) {}
    virtual void OnNtfDeliveryOrder(const sFFixDeliveryOrder*, int, int) {}
    virtual void Reserved37(const void*, int, bool) {}
    virtual void Reserved38(const void*, int, bool) {}
    virtual void Reserved39(const void*, int, bool) {}
    virtual void OnRspQryPayPortInfo(const sFFixPayPortInfo*, int, bool) {}
    virtual void OnRspRegistPayPort(const sFFixRspInfo*, int, bool) {}
    virtual void OnRspUnRegistPayPort(const sFFixRspInfo*, int, bool) {}
    virtual void OnNtfPayPortInfo(const sFFixPayPortInfo*, int, int) {}
    virtual void OnRspModifyPassword(const sFFixRspInfo*, int, bool) {}
    virtual void OnNtfModifyPassword(const sFFixModifyPassword*, int, int) {}
    virtual void OnRspQrySysPayPortInfo(const sFFixSysPayPortInfo*, int, bool) {}
    virtual void OnNtfBankInUrl(const sFFixBankInUrl*, int, int) {}
    virtual void OnRspQryPriceReport(const sFFixPriceReport*, int, bool) {}
    virtual void OnNtfPriceReport(const sFFixPriceReport*, int, int) {}
    virtual void OnRspQryPriceTrade(const sFFixPriceTrade*, int, bool) {}
    virtual void OnNtfPriceTrade(const sFFixPriceTrade*, int, int) {}
    virtual void OnRspQryBinaryContract(const sFFixBinaryContract*, int, bool) {}
    virtual void OnNtfBinaryContract(const sFFixBinaryContract*, int, int) {}
    virtual void OnRspQryBinaryOrer(const sFFixBinaryOrer*, int, bool) {}
    virtual void OnNtfBinaryOrer(const sFFixBinaryOrer*, int, int) {}
    virtual void OnRspMasterAccount(const sFFixMasterAccount*, const sFFixRspInfo*, int, bool) {}
    virtual void OnRspMoveMoney(const sFFixMoveMoney*, const sFFixRspInfo*, int, bool) {}
    virtual void OnRspQryMoney(const sFFixMoney*, int, bool) {}
    virtual void OnNtfAccount(const sFFixAccount*, int, int) {}
    virtual void Reserved60(const void*, int, bool) {}
    virtual void Reserved61(const void*, int, bool) {}
    virtual void OnRspSetSuretyMoney(const sFFixRspInfo*, int, bool) {}
    virtual void OnRspHoldBillDelivery(const sFFixRspInfo*, int, bool) {}
    virtual void OnRspQryBonusPoint(const sFFixBonusPoint*, int, bool) {}
    virtual void OnNtfBonusPoint(const sFFixBonusPoint*, int, int) {}
    virtual void OnRspQryUserInventory(const sFFixUserInventory*, int, bool) {}
    virtual void OnRspQrySymbolInventory(const sFFixSymbolInventory*, int, bool) {}
    virtual void OnRspFinancingGoods(const sFFixRspInfo*, int, bool) {}
    virtual void OnNtfUserInventory(const sFFixUserInventory*, int, int) {}
    virtual void Reserved70(const void*, int, bool) {}
    virtual void Reserved71(const void*, int, bool) {}
    virtual void Reserved72(const void*, int, bool) {}
    virtual void Reserved73(const void*, int, bool) {}
    virtual void Reserved74(const void*, int, bool) {}
    virtual void Reserved75(const void*, int, bool) {}
    virtual void Reserved76(const void*, int, bool) {}
    virtual void Reserved77(const void*, int, bool) {}
    virtual void Reserved78(const void*, int, bool) {}
    virtual void Reserved79(const void*, int, bool) {}
    virtual void Reserved80(const void*, int, bool) {}
    virtual void Reserved81(const void*, int, bool) {}
    virtual void Reserved82(const void*, int, bool) {}
    virtual void Reserved83(const void*, int, bool) {}
    virtual void Reserved84(const void*, int, bool) {}
    virtual void Reserved85(const void*, int, bool) {}
    virtual void Reserved86(const void*, int, bool) {}
    virtual void Reserved87(const void*, int, bool) {}
    virtual void Reserved88(const void*, int, bool) {}
    virtual void Reserved89(const void*, int, bool) {}
    virtual void Reserved90(const void*, int, bool) {}
    virtual void OnRspQrySymbolBookingInfo(const sFFixSymbolBookingInfo*, int, bool) {}
    virtual void OnRspQryBookingAddrInfo(const sFFixBookingAddrInfo*, int, bool) {}
    virtual void OnRsp2176(const sFFixRspInfo*, int, bool) {}
    virtual void OnNtfSymbolBookingInfo(const sFFixSymbolBookingInfo*, int, int) {}
    virtual void OnNtfBookingAddrInfo(const sFFixBookingAddrInfo*, int, int) {}
    virtual ~CTradeApiCallback() = default;
};
