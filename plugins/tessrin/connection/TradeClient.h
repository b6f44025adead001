#pragma once

#include <tradeapi/TradeApiCallback.h>

class wxEvtHandler;

// The trade front's callbacks. Each runs on the library's thread and only
// copies its arguments into a TradeEvent queued to the owner (the Client),
// which handles it on the GUI thread. Events reach the owner in call order.
class TradeClient : public CTradeApiCallback
{
public:
    explicit TradeClient(wxEvtHandler* owner) : m_owner(owner) {}
    ~TradeClient() override = default;

    void OnConnect() override;
    bool OnConnectFailed(int error, const char* text) override;
    bool OnDisconnect(int reason) override;
    void OnErrorRsp(const sFFixRspInfo* info, int requestId, bool last) override;
    void OnRspUserLogin(const sFFixRspUserLogin* login, const sFFixRspInfo* info, int requestId,
                        bool last) override;
    void OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo* row, int requestId, bool last) override;
    void OnNtfUserId(const sFFixUserId* notice, int, int) override;
    void OnRspQryAccount(const sFFixRspQryAccount* row, int requestId, bool last) override;
    void OnRspSetOrder(const sFFixSetOrder* request, const sFFixRspInfo* info, int requestId, bool) override;
    void OnNtfTrade(const sFFixTrade* notice, int, int) override;
    void OnRspQryPosition(const sFFixPosition* row, int requestId, bool last) override;
    void OnRspQryHoldDetail(const sFFixHoldDetail* row, int requestId, bool last) override;
    void OnNtfMoneyChanged(const sFFixMoney* notice, int, int) override;
    void OnNtfPosition(const sFFixPosition* notice, int, int) override;
    void OnNtfHoldDetail(const sFFixHoldDetail* notice, int, int) override;
    void OnRspQryCloseBill(const sFFixCloseBill* row, int requestId, bool last) override;
    void OnNtfCloseBill(const sFFixCloseBill* notice, int, int) override;
    void OnNtfLimitOrder(const sFFixLimitOrder* notice, int, int) override;
    void OnRspQryLimitOrder(const sFFixLimitOrder* row, int requestId, bool last) override;
    void OnRspCancelOrder(const sFFixCancelOrder* request, const sFFixRspInfo* info, int requestId,
                          bool) override;
    void OnRspModifyOrder(const sFFixModifyOrder* request, const sFFixRspInfo* info, int requestId,
                          bool) override;
    void OnRspQryCurrencyExchangeRate(const sFFixCurrencyExchangeRate* row, int requestId,
                                      bool last) override;
    void OnNtfCurrencyExchangeRate(const sFFixCurrencyExchangeRate* notice, int, int) override;
    void OnRspReqInOutMoney(const sFFixReqInOutMoney* request, const sFFixRspInfo* info, int requestId,
                            bool) override;
    void OnNtfInOutMoney(const sFFixRspInOutMoney* notice, int, int) override;
    void OnRspQryInOutMoney(const sFFixRspInOutMoney* row, int requestId, bool last) override;
    void OnRspInOutMoneyId(const sFFixInOutMoneyId* request, const sFFixRspInfo* info, int requestId,
                           bool) override;
    void OnNtfRiskInfo(const sFFixRiskInfo* notice, int, int) override;
    void OnNtfRiskInfo2(const sFFixRiskInfo* notice, int, int) override;
    void Reserved32(const void*, const sFFixRspInfo*, int, bool) override {}
    void OnRspPositionCloseOrder(const sFFixPositionCloseOrder* request, const sFFixRspInfo* info,
                                 int requestId, bool) override;
    void OnRspQryDeliveryOrder(const sFFixDeliveryOrder* row, int requestId, bool last) override;
    void OnNtfDeliveryOrder(const sFFixDeliveryOrder* notice, int, int) override;
    void OnRspQryPayPortInfo(const sFFixPayPortInfo* row, int requestId, bool last) override;
    void OnRspRegistPayPort(const sFFixRspInfo* info, int requestId, bool) override;
    void OnRspUnRegistPayPort(const sFFixRspInfo* info, int requestId, bool) override;
    void OnNtfPayPortInfo(const sFFixPayPortInfo* notice, int, int) override;
    void OnRspModifyPassword(const sFFixRspInfo* info, int requestId, bool) override;
    void OnNtfModifyPassword(const sFFixModifyPassword* notice, int, int) override;
    void OnRspQrySysPayPortInfo(const sFFixSysPayPortInfo* row, int requestId, bool last) override;
    void OnNtfBankInUrl(const sFFixBankInUrl* notice, int, int) override;
    void OnRspQryPriceReport(const sFFixPriceReport* row, int requestId, bool last) override;
    void OnNtfPriceReport(const sFFixPriceReport* notice, int, int) override;
    void OnRspQryPriceTrade(const sFFixPriceTrade* row, int requestId, bool last) override;
    void OnNtfPriceTrade(const sFFixPriceTrade* notice, int, int) override;
    void OnRspQryBinaryContract(const sFFixBinaryContract* row, int requestId, bool last) override;
    void OnNtfBinaryContract(const sFFixBinaryContract* notice, int, int) override;
    void OnRspQryBinaryOrer(const sFFixBinaryOrer* row, int requestId, bool last) override;
    void OnNtfBinaryOrer(const sFFixBinaryOrer* notice, int, int) override;
    void OnRspMasterAccount(const sFFixMasterAccount* request, const sFFixRspInfo* info, int requestId,
                            bool) override;
    void OnRspMoveMoney(const sFFixMoveMoney* request, const sFFixRspInfo* info, int requestId,
                        bool) override;
    void OnRspQryMoney(const sFFixMoney* row, int requestId, bool last) override;
    void OnNtfAccount(const sFFixAccount* notice, int, int) override;
    void OnRspSetSuretyMoney(const sFFixRspInfo* info, int requestId, bool) override;
    void OnRspHoldBillDelivery(const sFFixRspInfo* info, int requestId, bool) override;
    void OnRspQryBonusPoint(const sFFixBonusPoint* row, int requestId, bool last) override;
    void OnNtfBonusPoint(const sFFixBonusPoint* notice, int, int) override;
    void OnRspQryUserInventory(const sFFixUserInventory* row, int requestId, bool last) override;
    void OnRspQrySymbolInventory(const sFFixSymbolInventory* row, int requestId, bool last) override;
    void OnRspFinancingGoods(const sFFixRspInfo* info, int requestId, bool) override;
    void OnNtfUserInventory(const sFFixUserInventory* notice, int, int) override;
    void OnRspQrySymbolBookingInfo(const sFFixSymbolBookingInfo* row, int requestId, bool last) override;
    void OnRspQryBookingAddrInfo(const sFFixBookingAddrInfo* row, int requestId, bool last) override;
    void OnRsp2176(const sFFixRspInfo* info, int requestId, bool) override;
    void OnNtfSymbolBookingInfo(const sFFixSymbolBookingInfo* notice, int, int) override;
    void OnNtfBookingAddrInfo(const sFFixBookingAddrInfo* notice, int, int) override;

private:
    wxEvtHandler* m_owner; // not owned
};
