#pragma once
// CMDApi over one Connection.
#include "ApiEndpoint.h"
#include "tradeapi/MDApiCallback.h"
#include "tradeapi/TradeApi.h"

namespace tradeapi::client {

class MDApiImpl final : public ApiEndpoint<CMDApi, CMDApiCallback, MDApiImpl>
{
public:
    explicit MDApiImpl(CMDApiCallback& callback);
    ~MDApiImpl();

    int ReqUserLogin(const sFFixReqUserLogin* req, int requestId) override;
    int ReqQrySymbolInfo(const sFFixUserId* req, int requestId) override;
    int ReqSubscribeMarketData(const sFFixSubscribeEntry* entries, int count, int requestId) override;

private:
    bool OnFrame(const wire::Frame& frame) override;
    bool OnSubscribeAnswer(const wire::Frame& frame);
};

} // namespace tradeapi::client
