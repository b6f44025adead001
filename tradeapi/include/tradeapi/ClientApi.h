#pragma once
// The library object and the five exports, looked up by name after loading
// the library (dlopen "libClientApi.so").
#include "tradeapi/MDApiCallback.h"
#include "tradeapi/TradeApi.h"
#include "tradeapi/TradeApiCallback.h"

class CClientApi
{
public:
    virtual int Reserved0() { return 0; }
    virtual int Reserved1() { return 0; }
    // Frees the object; release every CTradeApi/CMDApi made from it first.
    virtual void Release() = 0;

protected:
    ~CClientApi() = default;
};

extern "C" {
void GlobalInit();
void GlobalUnInit();
CClientApi* CreateClientApi();
// The callback object must outlive the returned object's Release.
CTradeApi* CreateTradeApi(CClientApi* client, CTradeApiCallback* callback, const char* loginName,
                          int reserved);
CMDApi* CreateMDApi(CClientApi* client, CMDApiCallback* callback, const char* loginName, int reserved);
}

// Types of the exports for dlsym.
using GlobalInitFn = void (*)();
using GlobalUnInitFn = void (*)();
using CreateClientApiFn = CClientApi* (*)();
using CreateTradeApiFn = CTradeApi* (*)(CClientApi*, CTradeApiCallback*, const char*, int);
using CreateMDApiFn = CMDApi* (*)(CClientApi*, CMDApiCallback*, const char*, int);
