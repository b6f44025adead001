#pragma once
// CTradeApi over one Connection: requests become frames, frames become
// callbacks on the connection's I/O thread.
#include "ApiEndpoint.h"
#include "tradeapi/TradeApi.h"
#include "tradeapi/TradeApiCallback.h"

namespace tradeapi::client {

class TradeApiImpl final : public ApiEndpoint<CTradeApi, CTradeApiCallback, TradeApiImpl>
{
public:
    explicit TradeApiImpl(CTradeApiCallback& callback);
    ~TradeApiImpl();

    int ReqUserLogin(const sFFixReqUserLogin* req, int requestId) override;
    int ReqQrySymbolInfo(const sFFixUserId* req, int requestId) override;
    int ReqQryAccount(const sFFixUserId* req, int requestId) override;
    int ReqSetOrder(const sFFixSetOrder* req, int requestId) override;
    int ReqQryPosition(const sFFixUserId* req, int requestId) override;
    int ReqQryHoldDetail(const sFFixUserId* req, int requestId) override;
    int ReqQryCloseBill(const sFFixUserId* req, int requestId) override;
    int ReqQryLimitOrder(const sFFixUserId* req, int requestId) override;
    int ReqCancelOrder(const sFFixCancelOrder* req, int requestId) override;
    int ReqModifyOrder(const sFFixModifyOrder* req, int requestId) override;
    int ReqQryCurrencyExchangeRate(const char* fromCurrency, const char* toCurrency, int requestId) override;
    int ReqInOutMoney(const sFFixReqInOutMoney* req, int requestId) override;
    int ReqQryInOutMoney(const sFFixUserId* req, int requestId) override;
    int ReqPositionCloseOrder(const sFFixPositionCloseOrder* req, int reserved1, int reserved2,
                              int requestId) override;
    int ReqQryDeliveryOrder(const sFFixUserId* req, int requestId) override;
    int ReqQryPayPortInfo(const sFFixUserId* req, int requestId) override;
    int ReqRegistPayPort(const sFFixRegistPayPort* req, int requestId) override;
    int ReqUnRegistPayPort(const sFFixUnRegistPayPort* req, int requestId) override;
    int ReqModifyPassword(const sFFixModifyPassword* req, int requestId) override;
    int ReqQrySysPayPortInfo(const sFFixUserId* req, int requestId) override;
    int ReqQryPriceReport(const sFFixQryPriceReport* req, int requestId) override;
    int ReqQryBinaryContract(const sFFixQryBinaryContract* req, int requestId) override;
    int ReqQryBinaryOrer(const sFFixQryBinaryOrder* req, int requestId) override;
    int ReqMasterAccount(const sFFixMasterAccount* req, int requestId) override;
    int ReqMoveMoney(const sFFixMoveMoney* req, int requestId) override;
    int ReqSetSuretyMoney(const sFFixSetSuretyMoney* req, int requestId) override;
    int ReqHoldBillDelivery(const sFFixHoldBillDelivery* req, int requestId) override;
    int ReqQryBonusPoint(const sFFixUserId* req, int requestId) override;
    int ReqQryUserInventory(const sFFixUserId* req, int requestId) override;
    int ReqQrySymbolInventory(const sFFixUserId* req, int requestId) override;
    int ReqFinancingGoods(const sFFixFinancingGoods* req, int requestId) override;

private:
    bool OnFrame(const wire::Frame& frame) override;
};

} // namespace tradeapi::client
