#pragma once
// CMDApi over one Connection.
#include "Connection.h"
#include "RefusedRequests.h"
#include "tradeapi/MDApiCallback.h"
#include "tradeapi/TradeApi.h"

namespace tradeapi::client {

class MDApiImpl final : public CMDApi, private ConnectionListener
{
public:
    explicit MDApiImpl(CMDApiCallback& callback);
    ~MDApiImpl();

    void Release() override;
    int Connect(const char* address) override;
    int ReConnect(int delayMs) override;
    int SetAddress(const char* address) override;
    int Disconnect() override;
    int ReqUserLogin(const sFFixReqUserLogin* req, int requestId) override;
    int ReqQrySymbolInfo(const sFFixUserId* req, int requestId) override;
    int ReqSubscribeMarketData(const sFFixSubscribeEntry* entries, int count, int requestId) override;

private:
    void OnLinkUp() override;
    void OnLinkFailed(int error, const std::string& text) override;
    void OnLinkDown(int reason) override;
    bool OnFrame(const wire::Frame& frame) override;
    bool OnSubscribeAnswer(const wire::Frame& frame);
    int SendBytes(uint32_t code, const void* body, std::size_t size, int requestId);

    CMDApiCallback& m_callback;
    RefusedRequests m_refused;
    Connection m_connection; // last: its thread stops before the rest goes
};

} // namespace tradeapi::client
