#pragma once
// Records every answer and push of both fronts that the market families
// produce, under the callback's code, for the tests of money, pay ports,
// goods, binary options, risk and deliveries.
#include "EventLog.h"

class FullTradeRecorder : public CTradeApiCallback
{
public:
    EventLog log;

    void OnConnect() override;
    bool OnConnectFailed(int error, const char* text) override;
    bool OnDisconnect(int reason) override;
    void OnErrorRsp(const sFFixRspInfo* info, int id, bool last) override;
    void OnRspUserLogin(const sFFixRspUserLogin* rsp, const sFFixRspInfo* info, int id, bool last) override;
    void OnRspSetOrder(const sFFixSetOrder* echo, const sFFixRspInfo* info, int id, bool last) override;
    void OnNtfTrade(const sFFixTrade* value, int, int) override;
    void OnNtfMoneyChanged(const sFFixMoney* value, int, int) override;
    void OnNtfPosition(const sFFixPosition* value, int, int) override;
    void OnNtfHoldDetail(const sFFixHoldDetail* value, int, int) override;
    void OnNtfCloseBill(const sFFixCloseBill* value, int, int) override;
    void OnRspQryAccount(const sFFixRspQryAccount* row, int id, bool last) override;
    void OnRspQryCloseBill(const sFFixCloseBill* row, int id, bool last) override;
    void OnRspQryLimitOrder(const sFFixLimitOrder* row, int id, bool last) override;
    void OnNtfLimitOrder(const sFFixLimitOrder* value, int, int) override;
    void OnRspCancelOrder(const sFFixCancelOrder* echo, const sFFixRspInfo* info, int id, bool last) override;
    void OnRspQryCurrencyExchangeRate(const sFFixCurrencyExchangeRate* row, int id, bool last) override;
    void OnNtfCurrencyExchangeRate(const sFFixCurrencyExchangeRate* value, int, int) override;
    void OnRspReqInOutMoney(const sFFixReqInOutMoney* echo, const sFFixRspInfo* info, int id,
                            bool last) override;
    void OnNtfInOutMoney(const sFFixRspInOutMoney* value, int, int) override;
    void OnRspQryInOutMoney(const sFFixRspInOutMoney* row, int id, bool last) override;
    void OnRspInOutMoneyId(const sFFixInOutMoneyId* echo, const sFFixRspInfo* info, int id,
                           bool last) override;
    void OnNtfRiskInfo(const sFFixRiskInfo* value, int, int) override;
    void OnNtfRiskInfo2(const sFFixRiskInfo* value, int, int) override;
    void OnRspPositionCloseOrder(const sFFixPositionCloseOrder* echo, const sFFixRspInfo* info, int id,
                                 bool last) override;
    void OnRspQryDeliveryOrder(const sFFixDeliveryOrder* row, int id, bool last) override;
    void OnNtfDeliveryOrder(const sFFixDeliveryOrder* value, int, int) override;
    void OnRspQryPayPortInfo(const sFFixPayPortInfo* row, int id, bool last) override;
    void OnRspRegistPayPort(const sFFixRspInfo* info, int id, bool last) override;
    void OnRspUnRegistPayPort(const sFFixRspInfo* info, int id, bool last) override;
    void OnNtfPayPortInfo(const sFFixPayPortInfo* value, int, int) override;
    void OnRspModifyPassword(const sFFixRspInfo* info, int id, bool last) override;
    void OnRspQrySysPayPortInfo(const sFFixSysPayPortInfo* row, int id, bool last) override;
    void OnNtfBankInUrl(const sFFixBankInUrl* value, int, int) override;
    void OnRspQryPriceReport(const sFFixPriceReport* row, int id, bool last) override;
    void OnRspQryBinaryContract(const sFFixBinaryContract* row, int id, bool last) override;
    void OnNtfBinaryContract(const sFFixBinaryContract* value, int, int) override;
    void OnRspQryBinaryOrer(const sFFixBinaryOrer* row, int id, bool last) override;
    void OnNtfBinaryOrer(const sFFixBinaryOrer* value, int, int) override;
    void OnRspMasterAccount(const sFFixMasterAccount* echo, const sFFixRspInfo* info, int id,
                            bool last) override;
    void OnRspMoveMoney(const sFFixMoveMoney* echo, const sFFixRspInfo* info, int id, bool last) override;
    void OnNtfAccount(const sFFixAccount* value, int, int) override;
    void OnRspSetSuretyMoney(const sFFixRspInfo* info, int id, bool last) override;
    void OnRspHoldBillDelivery(const sFFixRspInfo* info, int id, bool last) override;
    void OnRspQryBonusPoint(const sFFixBonusPoint* row, int id, bool last) override;
    void OnNtfBonusPoint(const sFFixBonusPoint* value, int, int) override;
    void OnRspQryUserInventory(const sFFixUserInventory* row, int id, bool last) override;
    void OnRspQrySymbolInventory(const sFFixSymbolInventory* row, int id, bool last) override;
    void OnRspFinancingGoods(const sFFixRspInfo* info, int id, bool last) override;
    void OnNtfUserInventory(const sFFixUserInventory* value, int, int) override;
};

class FullMdRecorder : public CMDApiCallback
{
public:
    EventLog log;

    void OnConnect() override;
    void OnRspUserLogin(const sFFixRspUserLogin* rsp, const sFFixRspInfo* info, int id, bool last) override;
    void OnRspSubscribeMarketData(const int* ids, int count, const sFFixRspInfo* info, int id,
                                  bool last) override;
    void OnNtfPriceReport(const sFFixPriceReport* value, int, int) override;
};
