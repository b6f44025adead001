#include "connection/TradeClient.h"

#include "connection/CallbackCopy.h"
#include "connection/TradeEvent.h"

using callbackcopy::Copy;
using callbackcopy::Post;

void TradeClient::OnConnect()
{
    Post<TradeConnectionEvent>(m_owner, CallbackCode::Connect, 0);
}

bool TradeClient::OnConnectFailed(int error, const char* text)
{
    Post<TradeConnectFailedEvent>(m_owner, CallbackCode::ConnectFailed, error,
                                  wxString(text != nullptr ? text : ""));
    return false;
}

bool TradeClient::OnDisconnect(int reason)
{
    Post<TradeConnectionEvent>(m_owner, CallbackCode::Disconnect, reason);
    return false;
}

void TradeClient::OnErrorRsp(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, CallbackCode::ErrorRsp, Copy(info), requestId);
}

void TradeClient::OnRspUserLogin(const sFFixRspUserLogin* login, const sFFixRspInfo* info, int requestId,
                                 bool)
{
    Post<TradeAnswerEvent<sFFixRspUserLogin>>(m_owner, CallbackCode::RspUserLogin, Copy(login), Copy(info),
                                              requestId);
}

void TradeClient::OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(m_owner, CallbackCode::RspQrySymbolInfo, Copy(row),
                                                    requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfUserId(const sFFixUserId* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixUserId>>(m_owner, CallbackCode::NtfUserId, Copy(notice));
}

void TradeClient::OnRspQryAccount(const sFFixRspQryAccount* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixRspQryAccount>>(m_owner, CallbackCode::RspQryAccount, Copy(row), requestId,
                                                 LastTypeOf(row, last));
}

void TradeClient::OnRspSetOrder(const sFFixSetOrder* request, const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeAnswerEvent<sFFixSetOrder>>(m_owner, CallbackCode::RspSetOrder, Copy(request), Copy(info),
                                          requestId);
}

void TradeClient::OnNtfTrade(const sFFixTrade* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixTrade>>(m_owner, CallbackCode::NtfTrade, Copy(notice));
}

void TradeClient::OnRspQryPosition(const sFFixPosition* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixPosition>>(m_owner, CallbackCode::RspQryPosition, Copy(row), requestId,
                                            LastTypeOf(row, last));
}

void TradeClient::OnRspQryHoldDetail(const sFFixHoldDetail* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixHoldDetail>>(m_owner, CallbackCode::RspQryHoldDetail, Copy(row), requestId,
                                              LastTypeOf(row, last));
}

void TradeClient::OnNtfMoneyChanged(const sFFixMoney* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixMoney>>(m_owner, CallbackCode::NtfMoneyChanged, Copy(notice));
}

void TradeClient::OnNtfPosition(const sFFixPosition* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixPosition>>(m_owner, CallbackCode::NtfPosition, Copy(notice));
}

void TradeClient::OnNtfHoldDetail(const sFFixHoldDetail* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixHoldDetail>>(m_owner, CallbackCode::NtfHoldDetail, Copy(notice));
}

void TradeClient::OnRspQryCloseBill(const sFFixCloseBill* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixCloseBill>>(m_owner, CallbackCode::RspQryCloseBill, Copy(row), requestId,
                                             LastTypeOf(row, last));
}

void TradeClient::OnNtfCloseBill(const sFFixCloseBill* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixCloseBill>>(m_owner, CallbackCode::NtfCloseBill, Copy(notice));
}

void TradeClient::OnNtfLimitOrder(const sFFixLimitOrder* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixLimitOrder>>(m_owner, CallbackCode::NtfLimitOrder, Copy(notice));
}

void TradeClient::OnRspQryLimitOrder(const sFFixLimitOrder* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixLimitOrder>>(m_owner, CallbackCode::RspQryLimitOrder, Copy(row), requestId,
                                              LastTypeOf(row, last));
}

void TradeClient::OnRspCancelOrder(const sFFixCancelOrder* request, const sFFixRspInfo* info, int requestId,
                                   bool)
{
    Post<TradeAnswerEvent<sFFixCancelOrder>>(m_owner, CallbackCode::RspCancelOrder, Copy(request), Copy(info),
                                             requestId);
}

void TradeClient::OnRspModifyOrder(const sFFixModifyOrder* request, const sFFixRspInfo* info, int requestId,
                                   bool)
{
    Post<TradeAnswerEvent<sFFixModifyOrder>>(m_owner, CallbackCode::RspModifyOrder, Copy(request), Copy(info),
                                             requestId);
}

void TradeClient::OnRspQryCurrencyExchangeRate(const sFFixCurrencyExchangeRate* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixCurrencyExchangeRate>>(m_owner, CallbackCode::RspQryCurrencyExchangeRate,
                                                        Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfCurrencyExchangeRate(const sFFixCurrencyExchangeRate* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixCurrencyExchangeRate>>(m_owner, CallbackCode::NtfCurrencyExchangeRate,
                                                      Copy(notice));
}

void TradeClient::OnRspReqInOutMoney(const sFFixReqInOutMoney* request, const sFFixRspInfo* info,
                                     int requestId, bool)
{
    Post<TradeAnswerEvent<sFFixReqInOutMoney>>(m_owner, CallbackCode::RspReqInOutMoney, Copy(request),
                                               Copy(info), requestId);
}

void TradeClient::OnNtfInOutMoney(const sFFixRspInOutMoney* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixRspInOutMoney>>(m_owner, CallbackCode::NtfInOutMoney, Copy(notice));
}

void TradeClient::OnRspQryInOutMoney(const sFFixRspInOutMoney* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixRspInOutMoney>>(m_owner, CallbackCode::RspQryInOutMoney, Copy(row),
                                                 requestId, LastTypeOf(row, last));
}

void TradeClient::OnRspInOutMoneyId(const sFFixInOutMoneyId* request, const sFFixRspInfo* info, int requestId,
                                    bool)
{
    Post<TradeAnswerEvent<sFFixInOutMoneyId>>(m_owner, CallbackCode::RspInOutMoneyId, Copy(request),
                                              Copy(info), requestId);
}

void TradeClient::OnNtfRiskInfo(const sFFixRiskInfo* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixRiskInfo>>(m_owner, CallbackCode::NtfRiskInfo, Copy(notice));
}

void TradeClient::OnNtfRiskInfo2(const sFFixRiskInfo* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixRiskInfo>>(m_owner, CallbackCode::NtfRiskInfo2, Copy(notice));
}

void TradeClient::OnRspPositionCloseOrder(const sFFixPositionCloseOrder* request, const sFFixRspInfo* info,
                                          int requestId, bool)
{
    Post<TradeAnswerEvent<sFFixPositionCloseOrder>>(m_owner, CallbackCode::RspPositionCloseOrder,
                                                    Copy(request), Copy(info), requestId);
}

void TradeClient::OnRspQryDeliveryOrder(const sFFixDeliveryOrder* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixDeliveryOrder>>(m_owner, CallbackCode::RspQryDeliveryOrder, Copy(row),
                                                 requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfDeliveryOrder(const sFFixDeliveryOrder* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixDeliveryOrder>>(m_owner, CallbackCode::NtfDeliveryOrder, Copy(notice));
}

void TradeClient::OnRspQryPayPortInfo(const sFFixPayPortInfo* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixPayPortInfo>>(m_owner, CallbackCode::RspQryPayPortInfo, Copy(row), requestId,
                                               LastTypeOf(row, last));
}

void TradeClient::OnRspRegistPayPort(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, CallbackCode::RspRegisterPayPort, Copy(info), requestId);
}

void TradeClient::OnRspUnRegistPayPort(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, CallbackCode::RspUnregisterPayPort, Copy(info), requestId);
}

void TradeClient::OnNtfPayPortInfo(const sFFixPayPortInfo* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixPayPortInfo>>(m_owner, CallbackCode::NtfPayPortInfo, Copy(notice));
}

void TradeClient::OnRspModifyPassword(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, CallbackCode::RspModifyPassword, Copy(info), requestId);
}

void TradeClient::OnNtfModifyPassword(const sFFixModifyPassword* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixModifyPassword>>(m_owner, CallbackCode::NtfModifyPassword, Copy(notice));
}

void TradeClient::OnRspQrySysPayPortInfo(const sFFixSysPayPortInfo* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixSysPayPortInfo>>(m_owner, CallbackCode::RspQrySysPayPortInfo, Copy(row),
                                                  requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfBankInUrl(const sFFixBankInUrl* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixBankInUrl>>(m_owner, CallbackCode::NtfBankInUrl, Copy(notice));
}

void TradeClient::OnRspQryPriceReport(const sFFixPriceReport* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixPriceReport>>(m_owner, CallbackCode::RspQryPriceReport, Copy(row), requestId,
                                               LastTypeOf(row, last));
}

void TradeClient::OnNtfPriceReport(const sFFixPriceReport* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixPriceReport>>(m_owner, CallbackCode::NtfPriceReport, Copy(notice));
}

void TradeClient::OnRspQryPriceTrade(const sFFixPriceTrade* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixPriceTrade>>(m_owner, CallbackCode::RspQryPriceTrade, Copy(row), requestId,
                                              LastTypeOf(row, last));
}

void TradeClient::OnNtfPriceTrade(const sFFixPriceTrade* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixPriceTrade>>(m_owner, CallbackCode::NtfPriceTrade, Copy(notice));
}

void TradeClient::OnRspQryBinaryContract(const sFFixBinaryContract* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixBinaryContract>>(m_owner, CallbackCode::RspQryBinaryContract, Copy(row),
                                                  requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfBinaryContract(const sFFixBinaryContract* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixBinaryContract>>(m_owner, CallbackCode::NtfBinaryContract, Copy(notice));
}

void TradeClient::OnRspQryBinaryOrer(const sFFixBinaryOrer* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixBinaryOrer>>(m_owner, CallbackCode::RspQryBinaryOrder, Copy(row), requestId,
                                              LastTypeOf(row, last));
}

void TradeClient::OnNtfBinaryOrer(const sFFixBinaryOrer* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixBinaryOrer>>(m_owner, CallbackCode::NtfBinaryOrder, Copy(notice));
}

void TradeClient::OnRspMasterAccount(const sFFixMasterAccount* request, const sFFixRspInfo* info,
                                     int requestId, bool)
{
    Post<TradeAnswerEvent<sFFixMasterAccount>>(m_owner, CallbackCode::RspMasterAccount, Copy(request),
                                               Copy(info), requestId);
}

void TradeClient::OnRspMoveMoney(const sFFixMoveMoney* request, const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeAnswerEvent<sFFixMoveMoney>>(m_owner, CallbackCode::RspMoveMoney, Copy(request), Copy(info),
                                           requestId);
}

void TradeClient::OnRspQryMoney(const sFFixMoney* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixMoney>>(m_owner, CallbackCode::RspQryMoney, Copy(row), requestId,
                                         LastTypeOf(row, last));
}

void TradeClient::OnNtfAccount(const sFFixAccount* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixAccount>>(m_owner, CallbackCode::NtfAccount, Copy(notice));
}

void TradeClient::OnRspSetSuretyMoney(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, CallbackCode::RspSetSuretyMoney, Copy(info), requestId);
}

void TradeClient::OnRspHoldBillDelivery(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, CallbackCode::RspHoldBillDelivery, Copy(info), requestId);
}

void TradeClient::OnRspQryBonusPoint(const sFFixBonusPoint* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixBonusPoint>>(m_owner, CallbackCode::RspQryBonusPoint, Copy(row), requestId,
                                              LastTypeOf(row, last));
}

void TradeClient::OnNtfBonusPoint(const sFFixBonusPoint* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixBonusPoint>>(m_owner, CallbackCode::NtfBonusPoint, Copy(notice));
}

void TradeClient::OnRspQryUserInventory(const sFFixUserInventory* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixUserInventory>>(m_owner, CallbackCode::RspQryUserInventory, Copy(row),
                                                 requestId, LastTypeOf(row, last));
}

void TradeClient::OnRspQrySymbolInventory(const sFFixSymbolInventory* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixSymbolInventory>>(m_owner, CallbackCode::RspQrySymbolInventory, Copy(row),
                                                   requestId, LastTypeOf(row, last));
}

void TradeClient::OnRspFinancingGoods(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, CallbackCode::RspFinancingGoods, Copy(info), requestId);
}

void TradeClient::OnNtfUserInventory(const sFFixUserInventory* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixUserInventory>>(m_owner, CallbackCode::NtfUserInventory, Copy(notice));
}

void TradeClient::OnRspQrySymbolBookingInfo(const sFFixSymbolBookingInfo* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixSymbolBookingInfo>>(m_owner, CallbackCode::RspQrySymbolBookingInfo,
                                                     Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnRspQryBookingAddrInfo(const sFFixBookingAddrInfo* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixBookingAddrInfo>>(m_owner, CallbackCode::RspQryBookingAddrInfo, Copy(row),
                                                   requestId, LastTypeOf(row, last));
}

void TradeClient::OnRsp2176(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, CallbackCode::Rsp2176, Copy(info), requestId);
}

void TradeClient::OnNtfSymbolBookingInfo(const sFFixSymbolBookingInfo* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixSymbolBookingInfo>>(m_owner, CallbackCode::NtfSymbolBookingInfo, Copy(notice));
}

void TradeClient::OnNtfBookingAddrInfo(const sFFixBookingAddrInfo* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixBookingAddrInfo>>(m_owner, CallbackCode::NtfBookingAddrInfo, Copy(notice));
}
