#pragma once

#include <tradeapi/MDApiCallback.h>

class wxEvtHandler;

// The market-data front's callbacks: each only copies its arguments into an
// MdEvent queued to the owner (the Client), in call order.
class MdClient : public CMDApiCallback
{
public:
    explicit MdClient(wxEvtHandler* owner) : m_owner(owner) {}
    ~MdClient() override = default;

    void OnConnect() override;
    bool OnConnectFailed(int error, const char* text) override;
    bool OnDisconnect(int reason) override;
    void OnErrorRsp(const sFFixRspInfo* info, int requestId, bool last) override;
    void OnRspUserLogin(const sFFixRspUserLogin* login, const sFFixRspInfo* info, int requestId,
                        bool last) override;
    void OnRspSubscribeMarketData(const int* symbolIds, int count, const sFFixRspInfo* info, int requestId,
                                  bool last) override;
    void OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo* row, int requestId, bool last) override;
    void OnNtfMarketData(const sFFixMarketData* notice, int, int) override;
    void OnNtfPriceReport(const sFFixPriceReport* notice, int, int) override;
    void OnNtfPriceTrade(const sFFixPriceTrade* notice, int, int) override;

private:
    wxEvtHandler* m_owner; // not owned
};
