#include "RequestFields.h"

#include "RequestBody.h"
#include "WireCodes.h"
#include "tradeapi/FFixStructs.h"
#include "tradeapi/FixedText.h"

#include <map>

namespace simmarket {

using nlohmann::json;
using namespace tradeapi::wire;
using tradeapi::FixedText;

namespace {

std::string Char(char c)
{
    return c ? std::string(1, c) : std::string();
}

template <class T> bool Fits(const Frame& frame)
{
    return frame.body.size() == sizeof(T);
}

json SetOrder(const sFFixSetOrder& r)
{
    return {{"accountKey", r.accountKey},
            {"symbolId", r.symbolId},
            {"side", Char(r.side)},
            {"orderType", Char(r.orderType)},
            {"price", r.price},
            {"quantity", r.quantity},
            {"pointDiff", r.pointDiff},
            {"buySpreadPoints", r.buySpreadPoints},
            {"sellSpreadPoints", r.sellSpreadPoints},
            {"stopLoss", r.stopLoss},
            {"takeProfit", r.takeProfit},
            {"closeOrderCode", FixedText(r.closeOrderCode)},
            {"validDateType", Char(r.validDateType)},
            {"marginTradeType", Char(r.marginTradeType)},
            {"sideListValue", r.sideListValue},
            {"contractKey", r.contractKey},
            {"binaryMode", Char(r.binaryMode)}};
}

json Subscribe(const Frame& frame)
{
    json ids = json::array();
    for(std::size_t at = 0; at + sizeof(sFFixSubscribeEntry) <= frame.body.size();
        at += sizeof(sFFixSubscribeEntry)) {
        sFFixSubscribeEntry entry;
        std::memcpy(&entry, frame.body.data() + at, sizeof entry);
        ids.push_back(entry.symbolId);
    }
    return {{"symbolIds", ids}};
}

json Fields(const Frame& frame)
{
    switch(frame.header.code) {
    case kReqUserLogin: {
        const auto r = RequestBody<sFFixReqUserLogin>(frame);
        return {{"loginName", FixedText(r.loginName)}, {"localIp", FixedText(r.localIp)}};
    }
    case kReqSetOrder:
        return SetOrder(RequestBody<sFFixSetOrder>(frame));
    case kReqCancelOrder:
        return {{"orderCode", FixedText(RequestBody<sFFixCancelOrder>(frame).orderCode)}};
    case kReqModifyOrder: {
        const auto r = RequestBody<sFFixModifyOrder>(frame);
        return {
            {"orderCode", FixedText(r.orderCode)}, {"stopLoss", r.stopLoss}, {"takeProfit", r.takeProfit}};
    }
    case kReqPositionCloseOrder: {
        const auto r = RequestBody<sFFixPositionCloseOrder>(frame);
        return {{"accountKey", r.accountKey}, {"symbolId", r.symbolId},
                {"side", Char(r.side)},       {"orderType", Char(r.orderType)},
                {"price", r.price},           {"quantity", r.quantity},
                {"pointDiff", r.pointDiff},   {"closeFlag", Char(r.closeFlag)}};
    }
    case kReqQryCurrencyExchangeRate: {
        const auto r = RequestBody<sFFixCurrencyExchangeRate>(frame);
        return {{"fromCurrency", FixedText(r.fromCurrency)}, {"toCurrency", FixedText(r.toCurrency)}};
    }
    case kReqInOutMoney: {
        const auto r = RequestBody<sFFixReqInOutMoney>(frame);
        return {{"accountKey", r.accountKey}, {"amount", r.amount}, {"direction", Char(r.direction)}};
    }
    case kReqRegistPayPort: {
        const auto r = RequestBody<sFFixRegistPayPort>(frame);
        return {{"userId", r.userId},
                {"sysPayPortId", r.sysPayPortId},
                {"identityType", Char(r.identityType)},
                {"identityNumber", FixedText(r.identityNumber)},
                {"bankCardNumber", FixedText(r.bankCardNumber)},
                {"accountName", FixedText(r.accountName)}};
    }
    case kReqUnRegistPayPort: {
        const auto r = RequestBody<sFFixUnRegistPayPort>(frame);
        return {{"userId", r.userId}, {"sysPayPortId", r.sysPayPortId}};
    }
    case kReqModifyPassword: {
        const auto r = RequestBody<sFFixModifyPassword>(frame);
        return {{"userId", r.userId}, {"kind", Char(r.kind)}};
    }
    case kReqQryPriceReport:
        return {{"priceLevelId", RequestBody<sFFixQryPriceReport>(frame).priceLevelId}};
    case kReqQryBinaryOrer:
        return {{"userId", RequestBody<sFFixQryBinaryOrder>(frame).userId}};
    case kReqMasterAccount: {
        const auto r = RequestBody<sFFixMasterAccount>(frame);
        return {{"userId", r.userId}, {"accountKey", r.accountKey}, {"marketId", r.marketId}};
    }
    case kReqMoveMoney: {
        const auto r = RequestBody<sFFixMoveMoney>(frame);
        return {{"fromAccountKey", r.fromAccountKey}, {"toAccountKey", r.toAccountKey}, {"amount", r.amount}};
    }
    case kReqSetSuretyMoney: {
        const auto r = RequestBody<sFFixSetSuretyMoney>(frame);
        return {{"accountKey", r.accountKey}, {"amount", r.amount}};
    }
    case kReqHoldBillDelivery: {
        const auto r = RequestBody<sFFixHoldBillDelivery>(frame);
        return {{"orderCode", FixedText(r.orderCode)}, {"apply", Char(r.apply)}};
    }
    case kReqFinancingGoods: {
        const auto r = RequestBody<sFFixFinancingGoods>(frame);
        return {{"accountKey", r.accountKey},
                {"symbolId", r.symbolId},
                {"inventoryKeyA", r.inventoryKeyA},
                {"inventoryKeyB", r.inventoryKeyB},
                {"quantity", r.quantity}};
    }
    case kReqSubscribeMarketData:
        return Subscribe(frame);
    case kReqQryBinaryContract:
        return json::object();
    default:
        // The queries by user id.
        if(Fits<sFFixUserId>(frame))
            return {{"userId", RequestBody<sFFixUserId>(frame).userId}};
        return json::object();
    }
}

// Body sizes of the requests whose fields are read by name.
std::size_t ExpectedSize(uint32_t code)
{
    static const std::map<uint32_t, std::size_t> sizes = {
        {kReqUserLogin, sizeof(sFFixReqUserLogin)},
        {kReqSetOrder, sizeof(sFFixSetOrder)},
        {kReqCancelOrder, sizeof(sFFixCancelOrder)},
        {kReqModifyOrder, sizeof(sFFixModifyOrder)},
        {kReqPositionCloseOrder, sizeof(sFFixPositionCloseOrder)},
        {kReqQryCurrencyExchangeRate, sizeof(sFFixCurrencyExchangeRate)},
        {kReqInOutMoney, sizeof(sFFixReqInOutMoney)},
        {kReqRegistPayPort, sizeof(sFFixRegistPayPort)},
        {kReqUnRegistPayPort, sizeof(sFFixUnRegistPayPort)},
        {kReqModifyPassword, sizeof(sFFixModifyPassword)},
        {kReqQryPriceReport, sizeof(sFFixQryPriceReport)},
        {kReqQryBinaryOrer, sizeof(sFFixQryBinaryOrder)},
        {kReqQryBinaryContract, sizeof(sFFixQryBinaryContract)},
        {kReqMasterAccount, sizeof(sFFixMasterAccount)},
        {kReqMoveMoney, sizeof(sFFixMoveMoney)},
        {kReqSetSuretyMoney, sizeof(sFFixSetSuretyMoney)},
        {kReqHoldBillDelivery, sizeof(sFFixHoldBillDelivery)},
        {kReqFinancingGoods, sizeof(sFFixFinancingGoods)},
    };
    auto it = sizes.find(code);
    return it == sizes.end() ? 0 : it->second;
}

} // namespace

std::string RequestName(uint32_t requestCode)
{
    static const std::map<uint32_t, const char*> names = {
        {kReqUserLogin, "ReqUserLogin"},
        {kReqQrySymbolInfo, "ReqQrySymbolInfo"},
        {kReqQryAccount, "ReqQryAccount"},
        {kReqSetOrder, "ReqSetOrder"},
        {kReqQryPosition, "ReqQryPosition"},
        {kReqQryHoldDetail, "ReqQryHoldDetail"},
        {kReqQryCloseBill, "ReqQryCloseBill"},
        {kReqQryLimitOrder, "ReqQryLimitOrder"},
        {kReqCancelOrder, "ReqCancelOrder"},
        {kReqModifyOrder, "ReqModifyOrder"},
        {kReqSubscribeMarketData, "ReqSubscribeMarketData"},
        {kReqQryCurrencyExchangeRate, "ReqQryCurrencyExchangeRate"},
        {kReqInOutMoney, "ReqInOutMoney"},
        {kReqQryInOutMoney, "ReqQryInOutMoney"},
        {kReqPositionCloseOrder, "ReqPositionCloseOrder"},
        {kReqQryDeliveryOrder, "ReqQryDeliveryOrder"},
        {kReqQryPayPortInfo, "ReqQryPayPortInfo"},
        {kReqRegistPayPort, "ReqRegistPayPort"},
        {kReqUnRegistPayPort, "ReqUnRegistPayPort"},
        {kReqModifyPassword, "ReqModifyPassword"},
        {kReqQrySysPayPortInfo, "ReqQrySysPayPortInfo"},
        {kReqQryPriceReport, "ReqQryPriceReport"},
        {kReqQryBinaryContract, "ReqQryBinaryContract"},
        {kReqQryBinaryOrer, "ReqQryBinaryOrer"},
        {kReqMasterAccount, "ReqMasterAccount"},
        {kReqMoveMoney, "ReqMoveMoney"},
        {kReqSetSuretyMoney, "ReqSetSuretyMoney"},
        {kReqHoldBillDelivery, "ReqHoldBillDelivery"},
        {kReqQryBonusPoint, "ReqQryBonusPoint"},
        {kReqQryUserInventory, "ReqQryUserInventory"},
        {kReqQrySymbolInventory, "ReqQrySymbolInventory"},
        {kReqFinancingGoods, "ReqFinancingGoods"},
    };
    auto it = names.find(requestCode);
    return it == names.end() ? "request " + std::to_string(requestCode) : it->second;
}

json RequestFieldsJson(const Frame& frame)
{
    const std::size_t expected = ExpectedSize(frame.header.code);
    if(expected != 0 && frame.body.size() != expected)
        return {{"bodySize", frame.body.size()}};
    return Fields(frame);
}

} // namespace simmarket
