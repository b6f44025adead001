#pragma once
// Request objects of the trade API. Each request operation takes the request
// structure and the caller's request id and returns above 0 when the request
// was sent, 0 or below when it was refused; its answer carries the same id.
// Connection results come through the callbacks: OnConnect or
// OnConnectFailed for every Connect/ReConnect (also when Disconnect cuts the
// attempt short), OnDisconnect when an established link ends for any reason.
// The order of the virtual operations is part of the binary interface.
#include "tradeapi/FFixStructs.h"

// Reasons passed to OnDisconnect.
enum eDisconnectReason {
    kDisconnectByClient = 0,     // Disconnect was called
    kDisconnectByPeer = 1,       // the market closed the link
    kDisconnectIoError = 2,      // read or write failed
    kDisconnectBadFrame = 3,     // the market sent a malformed frame
    kDisconnectReleased = 4,     // never reported: Release calls no callback
    kDisconnectSilent = 5,       // nothing arrived, not even a heartbeat, for too long
    kDisconnectLoginTimeout = 6, // the login request got no answer in time
};

// Error numbers passed to OnConnectFailed besides the system's errno values.
enum eConnectError {
    kConnectBadAddress = -1, // the address is not "host:port"
    kConnectCancelled = -2,  // Disconnect ended the attempt
};

class CTradeApi
{
public:
    // Stops the I/O thread and frees the object; no callback follows. Never
    // call it from inside a callback.
    virtual void Release() = 0;
    virtual int Reserved1() { return 0; }
    // Address "host:port"; the result comes as a callback.
    virtual int Connect(const char* address) = 0;
    // Connects again to the current address after delayMs milliseconds.
    virtual int ReConnect(int delayMs) = 0;
    virtual int SetAddress(const char* address) = 0;
    virtual int Disconnect() = 0;
    virtual int Reserved6() { return 0; }
    virtual int Reserved7() { return 0; }
    virtual int ReqUserLogin(const sFFixReqUserLogin* req, int requestId) = 0;
    virtual int ReqQrySymbolInfo(const sFFixUserId* req, int requestId) = 0;
    virtual int ReqQryAccount(const sFFixUserId* req, int requestId) = 0;
    virtual int ReqSetOrder(const sFFixSetOrder* req, int requestId) = 0;
    virtual int ReqQryPosition(const sFFixUserId* req, int requestId) = 0;
    virtual int ReqQryHoldDetail(const sFFixUserId* req, int requestId) = 0;
    virtual int ReqQryCloseBill(const sFFixUserId* req, int requestId) = 0;
    virtual int ReqQryLimitOrder(const sFFixUserId* req, int requestId) = 0;
    virtual int ReqCancelOrder(const sFFixCancelOrder* req, int requestId) = 0;
    virtual int ReqModifyOrder(const sFFixModifyOrder* req, int requestId) = 0;
    // Empty currencies ask for every rate; each text is read up to 5 bytes.
    virtual int ReqQryCurrencyExchangeRate(const char* fromCurrency, const char* toCurrency,
                                           int requestId) = 0;
    virtual int ReqInOutMoney(const sFFixReqInOutMoney* req, int requestId) = 0;
    virtual int ReqQryInOutMoney(const sFFixUserId* req, int requestId) = 0;
    virtual int Reserved21() { return 0; }
    virtual int Reserved22() { return 0; }
    virtual int ReqPositionCloseOrder(const sFFixPositionCloseOrder* req, int reserved1, int reserved2,
                                      int requestId) = 0;
    virtual int Reserved24() { return 0; }
    virtual int ReqQryDeliveryOrder(const sFFixUserId* req, int requestId) = 0;
    virtual int Reserved26() { return 0; }
    virtual int Reserved27() { return 0; }
    virtual int ReqQryPayPortInfo(const sFFixUserId* req, int requestId) = 0;
    virtual int ReqRegistPayPort(const sFFixRegistPayPort* req, int requestId) = 0;
    virtual int ReqUnRegistPayPort(const sFFixUnRegistPayPort* req, int requestId) = 0;
    virtual int ReqModifyPassword(const sFFixModifyPassword* req, int requestId) = 0;
    virtual int ReqQrySysPayPortInfo(const sFFixUserId* req, int requestId) = 0;
    virtual int Reserved33() { return 0; }
    virtual int ReqQryPriceReport(const sFFixQryPriceReport* req, int requestId) = 0;
    virtual int Reserved35() { return 0; }
    virtual int ReqQryBinaryContract(const sFFixQryBinaryContract* req, int requestId) = 0;
    virtual int ReqQryBinaryOrer(const sFFixQryBinaryOrder* req, int requestId) = 0;
    virtual int ReqMasterAccount(const sFFixMasterAccount* req, int requestId) = 0;
    virtual int ReqMoveMoney(const sFFixMoveMoney* req, int requestId) = 0;
    virtual int Reserved40() { return 0; }
    virtual int Reserved41() { return 0; }
    virtual int Reserved42() { return 0; }
    virtual int ReqSetSuretyMoney(const sFFixSetSuretyMoney* req, int requestId) = 0;
    virtual int ReqHoldBillDelivery(const sFFixHoldBillDelivery* req, int requestId) = 0;
    virtual int ReqQryBonusPoint(const sFFixUserId* req, int requestId) = 0;
    virtual int ReqQryUserInventory(const sFFixUserId* req, int requestId) = 0;
    virtual int ReqQrySymbolInventory(const sFFixUserId* req, int requestId) = 0;
    virtual int ReqFinancingGoods(const sFFixFinancingGoods* req, int requestId) = 0;

protected:
    ~CTradeApi() = default;
};

class CMDApi
{
public:
    virtual void Release() = 0;
    virtual int Reserved1() { return 0; }
    virtual int Connect(const char* address) = 0;
    virtual int ReConnect(int delayMs) = 0;
    virtual int SetAddress(const char* address) = 0;
    virtual int Disconnect() = 0;
    virtual int Reserved6() { return 0; }
    virtual int ReqUserLogin(const sFFixReqUserLogin* req, int requestId) = 0;
    virtual int ReqQrySymbolInfo(const sFFixUserId* req, int requestId) = 0;
    virtual int ReqSubscribeMarketData(const sFFixSubscribeEntry* entries, int count, int requestId) = 0;

protected:
    ~CMDApi() = default;
};
