#pragma once
// Callbacks of the market-data front, on the library's I/O thread; the order
// of the operations is part of the binary interface.
#include "tradeapi/FFixStructs.h"

class CMDApiCallback
{
public:
    virtual void OnConnect() {}
    virtual bool OnConnectFailed(int /*error*/, const char* /*text*/) { return false; }
    virtual bool OnDisconnect(int /*reason*/) { return false; }
    virtual void OnErrorRsp(const sFFixRspInfo*, int /*requestId*/, bool /*last*/) {}
    virtual void OnRspUserLogin(const sFFixRspUserLogin*, const sFFixRspInfo*, int, bool) {}
    virtual void OnRspSubscribeMarketData(const int* /*symbolIds*/, int /*count*/, const sFFixRspInfo*,
                                          int /*requestId*/, bool /*last*/)
    {}
    virtual void OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo*, int, bool) {}
    virtual void OnNtfMarketData(const sFFixMarketData*, int, int) {}
    virtual void Reserved9(const void*, int, bool) {}
    virtual void OnNtfPriceReport(const sFFixPriceReport*, int, int) {}
    virtual void OnNtfPriceTrade(const sFFixPriceTrade*, int, int) {}
    virtual void Reserved12(const void*, int, bool) {}
    virtual ~CMDApiCallback() = default;
};
