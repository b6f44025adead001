#include "TradeApiImpl.h"

#include "FrameDispatch.h"
#include "WireCodes.h"

#include <cstring>

namespace tradeapi::client {

using namespace tradeapi::wire;
using CB = CTradeApiCallback;

TradeApiImpl::TradeApiImpl(CTradeApiCallback& callback) : ApiEndpoint(callback) {}

TradeApiImpl::~TradeApiImpl()
{
    m_connection.Stop();
}

int TradeApiImpl::ReqUserLogin(const sFFixReqUserLogin* req, int id)
{
    return SendLogin(kReqUserLogin, req, id);
}
int TradeApiImpl::ReqQrySymbolInfo(const sFFixUserId* req, int id)
{
    return Send(kReqQrySymbolInfo, req, id);
}
int TradeApiImpl::ReqQryAccount(const sFFixUserId* req, int id)
{
    return Send(kReqQryAccount, req, id);
}
int TradeApiImpl::ReqSetOrder(const sFFixSetOrder* req, int id)
{
    return Send(kReqSetOrder, req, id);
}
int TradeApiImpl::ReqQryPosition(const sFFixUserId* req, int id)
{
    return Send(kReqQryPosition, req, id);
}
int TradeApiImpl::ReqQryHoldDetail(const sFFixUserId* req, int id)
{
    return Send(kReqQryHoldDetail, req, id);
}
int TradeApiImpl::ReqQryCloseBill(const sFFixUserId* req, int id)
{
    return Send(kReqQryCloseBill, req, id);
}
int TradeApiImpl::ReqQryLimitOrder(const sFFixUserId* req, int id)
{
    return Send(kReqQryLimitOrder, req, id);
}
int TradeApiImpl::ReqCancelOrder(const sFFixCancelOrder* req, int id)
{
    return Send(kReqCancelOrder, req, id);
}
int TradeApiImpl::ReqModifyOrder(const sFFixModifyOrder* req, int id)
{
    return Send(kReqModifyOrder, req, id);
}

int TradeApiImpl::ReqQryCurrencyExchangeRate(const char* fromCurrency, const char* toCurrency, int id)
{
    // The two texts travel in the rate row's own fields, each cut to 4 bytes.
    sFFixCurrencyExchangeRate req{};
    if(fromCurrency)
        std::strncpy(req.fromCurrency, fromCurrency, sizeof req.fromCurrency - 1);
    if(toCurrency)
        std::strncpy(req.toCurrency, toCurrency, sizeof req.toCurrency - 1);
    return Send(kReqQryCurrencyExchangeRate, &req, id);
}

int TradeApiImpl::ReqInOutMoney(const sFFixReqInOutMoney* req, int id)
{
    return Send(kReqInOutMoney, req, id);
}
int TradeApiImpl::ReqQryInOutMoney(const sFFixUserId* req, int id)
{
    return Send(kReqQryInOutMoney, req, id);
}

int TradeApiImpl::ReqPositionCloseOrder(const sFFixPositionCloseOrder* req, int, int, int id)
{
    return Send(kReqPositionCloseOrder, req, id);
}

int TradeApiImpl::ReqQryDeliveryOrder(const sFFixUserId* req, int id)
{
    return Send(kReqQryDeliveryOrder, req, id);
}
int TradeApiImpl::ReqQryPayPortInfo(const sFFixUserId* req, int id)
{
    return Send(kReqQryPayPortInfo, req, id);
}
int TradeApiImpl::ReqRegistPayPort(const sFFixRegistPayPort* req, int id)
{
    return Send(kReqRegistPayPort, req, id);
}
int TradeApiImpl::ReqUnRegistPayPort(const sFFixUnRegistPayPort* req, int id)
{
    return Send(kReqUnRegistPayPort, req, id);
}
int TradeApiImpl::ReqModifyPassword(const sFFixModifyPassword* req, int id)
{
    return Send(kReqModifyPassword, req, id);
}
int TradeApiImpl::ReqQrySysPayPortInfo(const sFFixUserId* req, int id)
{
    return Send(kReqQrySysPayPortInfo, req, id);
}
int TradeApiImpl::ReqQryPriceReport(const sFFixQryPriceReport* req, int id)
{
    return Send(kReqQryPriceReport, req, id);
}
int TradeApiImpl::ReqQryBinaryContract(const sFFixQryBinaryContract* req, int id)
{
    return Send(kReqQryBinaryContract, req, id);
}
int TradeApiImpl::ReqQryBinaryOrer(const sFFixQryBinaryOrder* req, int id)
{
    return Send(kReqQryBinaryOrer, req, id);
}
int TradeApiImpl::ReqMasterAccount(const sFFixMasterAccount* req, int id)
{
    return Send(kReqMasterAccount, req, id);
}
int TradeApiImpl::ReqMoveMoney(const sFFixMoveMoney* req, int id)
{
    return Send(kReqMoveMoney, req, id);
}
int TradeApiImpl::ReqSetSuretyMoney(const sFFixSetSuretyMoney* req, int id)
{
    return Send(kReqSetSuretyMoney, req, id);
}
int TradeApiImpl::ReqHoldBillDelivery(const sFFixHoldBillDelivery* req, int id)
{
    return Send(kReqHoldBillDelivery, req, id);
}
int TradeApiImpl::ReqQryBonusPoint(const sFFixUserId* req, int id)
{
    return Send(kReqQryBonusPoint, req, id);
}
int TradeApiImpl::ReqQryUserInventory(const sFFixUserId* req, int id)
{
    return Send(kReqQryUserInventory, req, id);
}
int TradeApiImpl::ReqQrySymbolInventory(const sFFixUserId* req, int id)
{
    return Send(kReqQrySymbolInventory, req, id);
}
int TradeApiImpl::ReqFinancingGoods(const sFFixFinancingGoods* req, int id)
{
    return Send(kReqFinancingGoods, req, id);
}

bool TradeApiImpl::OnFrame(const wire::Frame& frame)
{
    FrameDispatch<CB> d(m_callback, frame);
    switch(frame.header.code) {
    case kCtlRefuseRequests:
        return m_refused.Replace(frame);
    case kRspError:
        return d.Plain(&CB::OnErrorRsp);
    case kRspUserLogin:
        return d.Answer(&CB::OnRspUserLogin);
    case kRspQrySymbolInfo:
        return d.Row(&CB::OnRspQrySymbolInfo);
    case kNtfUserId:
        return d.Ntf(&CB::OnNtfUserId);
    case kRspQryAccount:
        return d.Row(&CB::OnRspQryAccount);
    case kRspSetOrder:
        return d.Answer(&CB::OnRspSetOrder);
    case kNtfTrade:
        return d.Ntf(&CB::OnNtfTrade);
    case kRspQryPosition:
        return d.Row(&CB::OnRspQryPosition);
    case kRspQryHoldDetail:
        return d.Row(&CB::OnRspQryHoldDetail);
    case kNtfMoneyChanged:
        return d.Ntf(&CB::OnNtfMoneyChanged);
    case kNtfPosition:
        return d.Ntf(&CB::OnNtfPosition);
    case kNtfHoldDetail:
        return d.Ntf(&CB::OnNtfHoldDetail);
    case kRspQryCloseBill:
        return d.Row(&CB::OnRspQryCloseBill);
    case kNtfCloseBill:
        return d.Ntf(&CB::OnNtfCloseBill);
    case kNtfLimitOrder:
        return d.Ntf(&CB::OnNtfLimitOrder);
    case kRspQryLimitOrder:
        return d.Row(&CB::OnRspQryLimitOrder);
    case kRspCancelOrder:
        return d.Answer(&CB::OnRspCancelOrder);
    case kRspModifyOrder:
        return d.Answer(&CB::OnRspModifyOrder);
    case kRspQryCurrencyExchangeRate:
        return d.Row(&CB::OnRspQryCurrencyExchangeRate);
    case kNtfCurrencyExchangeRate:
        return d.Ntf(&CB::OnNtfCurrencyExchangeRate);
    case kRspReqInOutMoney:
        return d.Answer(&CB::OnRspReqInOutMoney);
    case kNtfInOutMoney:
        return d.Ntf(&CB::OnNtfInOutMoney);
    case kRspQryInOutMoney:
        return d.Row(&CB::OnRspQryInOutMoney);
    case kRspInOutMoneyId:
        return d.Answer(&CB::OnRspInOutMoneyId);
    case kNtfRiskInfo:
        return d.Ntf(&CB::OnNtfRiskInfo);
    case kNtfRiskInfo2:
        return d.Ntf(&CB::OnNtfRiskInfo2);
    case kRspPositionCloseOrder:
        return d.Answer(&CB::OnRspPositionCloseOrder);
    case kRspQryDeliveryOrder:
        return d.Row(&CB::OnRspQryDeliveryOrder);
    case kNtfDeliveryOrder:
        return d.Ntf(&CB::OnNtfDeliveryOrder);
    case kRspQryPayPortInfo:
        return d.Row(&CB::OnRspQryPayPortInfo);
    case kRspRegistPayPort:
        return d.Plain(&CB::OnRspRegistPayPort);
    case kRspUnRegistPayPort:
        return d.Plain(&CB::OnRspUnRegistPayPort);
    case kNtfPayPortInfo:
        return d.Ntf(&CB::OnNtfPayPortInfo);
    case kRspModifyPassword:
        return d.Plain(&CB::OnRspModifyPassword);
    case kNtfModifyPassword:
        return d.Ntf(&CB::OnNtfModifyPassword);
    case kRspQrySysPayPortInfo:
        return d.Row(&CB::OnRspQrySysPayPortInfo);
    case kNtfBankInUrl:
        return d.Ntf(&CB::OnNtfBankInUrl);
    case kRspQryPriceReport:
        return d.Row(&CB::OnRspQryPriceReport);
    case kNtfPriceReport:
        return d.Ntf(&CB::OnNtfPriceReport);
    case kRspQryPriceTrade:
        return d.Row(&CB::OnRspQryPriceTrade);
    case kNtfPriceTrade:
        return d.Ntf(&CB::OnNtfPriceTrade);
    case kRspQryBinaryContract:
        return d.Row(&CB::OnRspQryBinaryContract);
    case kNtfBinaryContract:
        return d.Ntf(&CB::OnNtfBinaryContract);
    case kRspQryBinaryOrer:
        return d.Row(&CB::OnRspQryBinaryOrer);
    case kNtfBinaryOrer:
        return d.Ntf(&CB::OnNtfBinaryOrer);
    case kRspMasterAccount:
        return d.Answer(&CB::OnRspMasterAccount);
    case kRspMoveMoney:
        return d.Answer(&CB::OnRspMoveMoney);
    case kRspQryMoney:
        return d.Row(&CB::OnRspQryMoney);
    case kNtfAccount:
        return d.Ntf(&CB::OnNtfAccount);
    case kRspSetSuretyMoney:
        return d.Plain(&CB::OnRspSetSuretyMoney);
    case kRspHoldBillDelivery:
        return d.Plain(&CB::OnRspHoldBillDelivery);
    case kRspQryBonusPoint:
        return d.Row(&CB::OnRspQryBonusPoint);
    case kNtfBonusPoint:
        return d.Ntf(&CB::OnNtfBonusPoint);
    case kRspQryUserInventory:
        return d.Row(&CB::OnRspQryUserInventory);
    case kRspQrySymbolInventory:
        return d.Row(&CB::OnRspQrySymbolInventory);
    case kRspFinancingGoods:
        return d.Plain(&CB::OnRspFinancingGoods);
    case kNtfUserInventory:
        return d.Ntf(&CB::OnNtfUserInventory);
    case kRspQrySymbolBookingInfo:
        return d.Row(&CB::OnRspQrySymbolBookingInfo);
    case kRspQryBookingAddrInfo:
        return d.Row(&CB::OnRspQryBookingAddrInfo);
    case kRsp2176:
        return d.Plain(&CB::OnRsp2176);
    case kNtfSymbolBookingInfo:
        return d.Ntf(&CB::OnNtfSymbolBookingInfo);
    case kNtfBookingAddrInfo:
        return d.Ntf(&CB::OnNtfBookingAddrInfo);
    default:
        return false;
    }
}

} // namespace tradeapi::client
