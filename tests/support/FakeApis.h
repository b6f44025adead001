#pragma once
// Trade and market-data API objects that record every call instead of
// talking to a market. Requests answer `result` (default 1 = sent).
#include <cstring>
#include <string>
#include <tradeapi/TradeApi.h>
#include <vector>

class FakeTradeApi : public CTradeApi
{
public:
    struct Sent
    {
        std::string operation;
        int requestId;
        std::vector<unsigned char> bytes; // the request as sent
    };

    std::vector<std::string> calls; // connection calls: "Connect a", "ReConnect 1000", ...
    std::vector<Sent> sent;         // requests, in order
    int result = 1;
    int released = 0;

    ~FakeTradeApi() = default;

    void Release() override { ++released; }
    int Connect(const char* address) override { return Call("Connect " + std::string(address)); }
    int ReConnect(int delay) override { return Call("ReConnect " + std::to_string(delay)); }
    int SetAddress(const char* address) override { return Call("SetAddress " + std::string(address)); }
    int Disconnect() override { return Call("Disconnect"); }
    int ReqUserLogin(const sFFixReqUserLogin* r, int id) override { return Record("ReqUserLogin", r, id); }
    int ReqQrySymbolInfo(const sFFixUserId* r, int id) override { return Record("ReqQrySymbolInfo", r, id); }
    int ReqQryAccount(const sFFixUserId* r, int id) override { return Record("ReqQryAccount", r, id); }
    int ReqSetOrder(const sFFixSetOrder* r, int id) override { return Record("ReqSetOrder", r, id); }
    int ReqQryPosition(const sFFixUserId* r, int id) override { return Record("ReqQryPosition", r, id); }
    int ReqQryHoldDetail(const sFFixUserId* r, int id) override { return Record("ReqQryHoldDetail", r, id); }
    int ReqQryCloseBill(const sFFixUserId* r, int id) override { return Record("ReqQryCloseBill", r, id); }
    int ReqQryLimitOrder(const sFFixUserId* r, int id) override { return Record("ReqQryLimitOrder", r, id); }
    int ReqCancelOrder(const sFFixCancelOrder* r, int id) override { return Record("ReqCancelOrder", r, id); }
    int ReqModifyOrder(const sFFixModifyOrder* r, int id) override { return Record("ReqModifyOrder", r, id); }
    int ReqQryCurrencyExchangeRate(const char* from, const char* to, int id) override
    {
        char both[10] = {};
        std::memcpy(both, from, 5);
        std::memcpy(both + 5, to, 5);
        sent.push_back({"ReqQryCurrencyExchangeRate", id, std::vector<unsigned char>(both, both + 10)});
        return result;
    }
    int ReqInOutMoney(const sFFixReqInOutMoney* r, int id) override { return Record("ReqInOutMoney", r, id); }
    int ReqQryInOutMoney(const sFFixUserId* r, int id) override { return Record("ReqQryInOutMoney", r, id); }
    int ReqPositionCloseOrder(const sFFixPositionCloseOrder* r, int, int, int id) override
    {
        return Record("ReqPositionCloseOrder", r, id);
    }
    int ReqQryDeliveryOrder(const sFFixUserId* r, int id) override
    {
        return Record("ReqQryDeliveryOrder", r, id);
    }
    int ReqQryPayPortInfo(const sFFixUserId* r, int id) override
    {
        return Record("ReqQryPayPortInfo", r, id);
    }
    int ReqRegistPayPort(const sFFixRegistPayPort* r, int id) override
    {
        return Record("ReqRegistPayPort", r, id);
    }
    int ReqUnRegistPayPort(const sFFixUnRegistPayPort* r, int id) override
    {
        return Record("ReqUnRegistPayPort", r, id);
    }
    int ReqModifyPassword(const sFFixModifyPassword* r, int id) override
    {
        return Record("ReqModifyPassword", r, id);
    }
    int ReqQrySysPayPortInfo(const sFFixUserId* r, int id) override
    {
        return Record("ReqQrySysPayPortInfo", r, id);
    }
    int ReqQryPriceReport(const sFFixQryPriceReport* r, int id) override
    {
        return Record("ReqQryPriceReport", r, id);
    }
    int ReqQryBinaryContract(const sFFixQryBinaryContract* r, int id) override
    {
        return Record("ReqQryBinaryContract", r, id);
    }
    int ReqQryBinaryOrer(const sFFixQryBinaryOrder* r, int id) override
    {
        return Record("ReqQryBinaryOrer", r, id);
    }
    int ReqMasterAccount(const sFFixMasterAccount* r, int id) override
    {
        return Record("ReqMasterAccount", r, id);
    }
    int ReqMoveMoney(const sFFixMoveMoney* r, int id) override { return Record("ReqMoveMoney", r, id); }
    int ReqSetSuretyMoney(const sFFixSetSuretyMoney* r, int id) override
    {
        return Record("ReqSetSuretyMoney", r, id);
    }
    int ReqHoldBillDelivery(const sFFixHoldBillDelivery* r, int id) override
    {
        return Record("ReqHoldBillDelivery", r, id);
    }
    int ReqQryBonusPoint(const sFFixUserId* r, int id) override { return Record("ReqQryBonusPoint", r, id); }
    int ReqQryUserInventory(const sFFixUserId* r, int id) override
    {
        return Record("ReqQryUserInventory", r, id);
    }
    int ReqQrySymbolInventory(const sFFixUserId* r, int id) override
    {
        return Record("ReqQrySymbolInventory", r, id);
    }
    int ReqFinancingGoods(const sFFixFinancingGoods* r, int id) override
    {
        return Record("ReqFinancingGoods", r, id);
    }

    // The operations of the requests sent, in order.
    std::vector<std::string> Operations() const
    {
        std::vector<std::string> names;
        for(const Sent& s : sent) {
            names.push_back(s.operation);
        }
        return names;
    }

private:
    int Call(const std::string& call)
    {
        calls.push_back(call);
        return 1;
    }
    template <class T> int Record(const char* operation, const T* request, int id)
    {
        calls.push_back(operation);
        const auto* bytes = reinterpret_cast<const unsigned char*>(request);
        sent.push_back({operation, id, std::vector<unsigned char>(bytes, bytes + sizeof(T))});
        return result;
    }
};

class FakeMdApi : public CMDApi
{
public:
    std::vector<std::string> calls;
    std::vector<std::string> requests;
    std::vector<std::vector<sFFixSubscribeEntry>> subscriptions;
    int result = 1;
    int released = 0;

    ~FakeMdApi() = default;

    void Release() override { ++released; }
    int Connect(const char* address) override { return Call("Connect " + std::string(address)); }
    int ReConnect(int delay) override { return Call("ReConnect " + std::to_string(delay)); }
    int SetAddress(const char* address) override { return Call("SetAddress " + std::string(address)); }
    int Disconnect() override { return Call("Disconnect"); }
    int ReqUserLogin(const sFFixReqUserLogin*, int) override
    {
        calls.push_back("ReqUserLogin");
        requests.push_back("ReqUserLogin");
        return result;
    }
    int ReqQrySymbolInfo(const sFFixUserId*, int) override
    {
        requests.push_back("ReqQrySymbolInfo");
        return result;
    }
    int ReqSubscribeMarketData(const sFFixSubscribeEntry* entries, int count, int) override
    {
        requests.push_back("ReqSubscribeMarketData");
        subscriptions.emplace_back(entries, entries + count);
        return result;
    }

private:
    int Call(const std::string& call)
    {
        calls.push_back(call);
        return 1;
    }
};
