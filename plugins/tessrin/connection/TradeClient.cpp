#include "connection/TradeClient.h"

#include "connection/CallbackCopy.h"
#include "connection/TradeEvent.h"

using callbackcopy::Copy;
using callbackcopy::Post;

void TradeClient::OnConnect()
{
    Post<TradeConnectionEvent>(m_owner, 100, 0);
}

bool TradeClient::OnConnectFailed(int error, const char* text)
{
    Post<TradeConnectFailedEvent>(m_owner, 101, error, wxString(text != nullptr ? text : ""));
    return false;
}

bool TradeClient::OnDisconnect(int reason)
{
    Post<TradeConnectionEvent>(m_owner, 102, reason);
    return false;
}

void TradeClient::OnErrorRsp(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, 1, Copy(info), requestId);
}

void TradeClient::OnRspUserLogin(const sFFixRspUserLogin* login, const sFFixRspInfo* info, int requestId,
                                 bool)
{
    Post<TradeAnswerEvent<sFFixRspUserLogin>>(m_owner, 10002, Copy(login), Copy(info), requestId);
}

void TradeClient::OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(m_owner, 1004, Copy(row), requestId,
                                                    LastTypeOf(row, last));
}

void TradeClient::OnNtfUserId(const sFFixUserId* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixUserId>>(m_owner, 1005, Copy(notice));
}

void TradeClient::OnRspQryAccount(const sFFixRspQryAccount* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixRspQryAccount>>(m_owner, 1007, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnRspSetOrder(const sFFixSetOrder* request, const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeAnswerEvent<sFFixSetOrder>>(m_owner, 1009, Copy(request), Copy(info), requestId);
}

void TradeClient::OnNtfTrade(const sFFixTrade* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixTrade>>(m_owner, 1010, Copy(notice));
}

void TradeClient::OnRspQryPosition(const sFFixPosition* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixPosition>>(m_owner, 1013, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnRspQryHoldDetail(const sFFixHoldDetail* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixHoldDetail>>(m_owner, 1015, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfMoneyChanged(const sFFixMoney* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixMoney>>(m_owner, 1016, Copy(notice));
}

void TradeClient::OnNtfPosition(const sFFixPosition* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixPosition>>(m_owner, 1017, Copy(notice));
}

void TradeClient::OnNtfHoldDetail(const sFFixHoldDetail* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixHoldDetail>>(m_owner, 1018, Copy(notice));
}

void TradeClient::OnRspQryCloseBill(const sFFixCloseBill* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixCloseBill>>(m_owner, 1020, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfCloseBill(const sFFixCloseBill* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixCloseBill>>(m_owner, 1021, Copy(notice));
}

void TradeClient::OnNtfLimitOrder(const sFFixLimitOrder* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixLimitOrder>>(m_owner, 1022, Copy(notice));
}

void TradeClient::OnRspQryLimitOrder(const sFFixLimitOrder* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixLimitOrder>>(m_owner, 1024, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnRspCancelOrder(const sFFixCancelOrder* request, const sFFixRspInfo* info, int requestId,
                                   bool)
{
    Post<TradeAnswerEvent<sFFixCancelOrder>>(m_owner, 1026, Copy(request), Copy(info), requestId);
}

void TradeClient::OnRspModifyOrder(const sFFixModifyOrder* request, const sFFixRspInfo* info, int requestId,
                                   bool)
{
    Post<TradeAnswerEvent<sFFixModifyOrder>>(m_owner, 1028, Copy(request), Copy(info), requestId);
}

void TradeClient::OnRspQryCurrencyExchangeRate(const sFFixCurrencyExchangeRate* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixCurrencyExchangeRate>>(m_owner, 1033, Copy(row), requestId,
                                                        LastTypeOf(row, last));
}

void TradeClient::OnNtfCurrencyExchangeRate(const sFFixCurrencyExchangeRate* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixCurrencyExchangeRate>>(m_owner, 1034, Copy(notice));
}

void TradeClient::OnRspReqInOutMoney(const sFFixReqInOutMoney* request, const sFFixRspInfo* info,
                                     int requestId, bool)
{
    Post<TradeAnswerEvent<sFFixReqInOutMoney>>(m_owner, 1039, Copy(request), Copy(info), requestId);
}

void TradeClient::OnNtfInOutMoney(const sFFixRspInOutMoney* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixRspInOutMoney>>(m_owner, 1040, Copy(notice));
}

void TradeClient::OnRspQryInOutMoney(const sFFixRspInOutMoney* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixRspInOutMoney>>(m_owner, 1042, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnRspInOutMoneyId(const sFFixInOutMoneyId* request, const sFFixRspInfo* info, int requestId,
                                    bool)
{
    Post<TradeAnswerEvent<sFFixInOutMoneyId>>(m_owner, 1044, Copy(request), Copy(info), requestId);
}

void TradeClient::OnNtfRiskInfo(const sFFixRiskInfo* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixRiskInfo>>(m_owner, 1047, Copy(notice));
}

void TradeClient::OnNtfRiskInfo2(const sFFixRiskInfo* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixRiskInfo>>(m_owner, 1048, Copy(notice));
}

void TradeClient::OnRspPositionCloseOrder(const sFFixPositionCloseOrder* request, const sFFixRspInfo* info,
                                          int requestId, bool)
{
    Post<TradeAnswerEvent<sFFixPositionCloseOrder>>(m_owner, 1053, Copy(request), Copy(info), requestId);
}

void TradeClient::OnRspQryDeliveryOrder(const sFFixDeliveryOrder* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixDeliveryOrder>>(m_owner, 1057, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfDeliveryOrder(const sFFixDeliveryOrder* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixDeliveryOrder>>(m_owner, 1058, Copy(notice));
}

void TradeClient::OnRspQryPayPortInfo(const sFFixPayPortInfo* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixPayPortInfo>>(m_owner, 1065, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnRspRegistPayPort(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, 1067, Copy(info), requestId);
}

void TradeClient::OnRspUnRegistPayPort(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, 1069, Copy(info), requestId);
}

void TradeClient::OnNtfPayPortInfo(const sFFixPayPortInfo* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixPayPortInfo>>(m_owner, 1070, Copy(notice));
}

void TradeClient::OnRspModifyPassword(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, 1072, Copy(info), requestId);
}

void TradeClient::OnNtfModifyPassword(const sFFixModifyPassword* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixModifyPassword>>(m_owner, 1073, Copy(notice));
}

void TradeClient::OnRspQrySysPayPortInfo(const sFFixSysPayPortInfo* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixSysPayPortInfo>>(m_owner, 1075, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfBankInUrl(const sFFixBankInUrl* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixBankInUrl>>(m_owner, 1076, Copy(notice));
}

void TradeClient::OnRspQryPriceReport(const sFFixPriceReport* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixPriceReport>>(m_owner, 1088, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfPriceReport(const sFFixPriceReport* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixPriceReport>>(m_owner, 1089, Copy(notice));
}

void TradeClient::OnRspQryPriceTrade(const sFFixPriceTrade* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixPriceTrade>>(m_owner, 1091, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfPriceTrade(const sFFixPriceTrade* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixPriceTrade>>(m_owner, 1092, Copy(notice));
}

void TradeClient::OnRspQryBinaryContract(const sFFixBinaryContract* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixBinaryContract>>(m_owner, 1103, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfBinaryContract(const sFFixBinaryContract* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixBinaryContract>>(m_owner, 1104, Copy(notice));
}

void TradeClient::OnRspQryBinaryOrer(const sFFixBinaryOrer* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixBinaryOrer>>(m_owner, 1106, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfBinaryOrer(const sFFixBinaryOrer* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixBinaryOrer>>(m_owner, 1107, Copy(notice));
}

void TradeClient::OnRspMasterAccount(const sFFixMasterAccount* request, const sFFixRspInfo* info,
                                     int requestId, bool)
{
    Post<TradeAnswerEvent<sFFixMasterAccount>>(m_owner, 1109, Copy(request), Copy(info), requestId);
}

void TradeClient::OnRspMoveMoney(const sFFixMoveMoney* request, const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeAnswerEvent<sFFixMoveMoney>>(m_owner, 1111, Copy(request), Copy(info), requestId);
}

void TradeClient::OnRspQryMoney(const sFFixMoney* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixMoney>>(m_owner, 1113, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfAccount(const sFFixAccount* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixAccount>>(m_owner, 1114, Copy(notice));
}

void TradeClient::OnRspSetSuretyMoney(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, 1122, Copy(info), requestId);
}

void TradeClient::OnRspHoldBillDelivery(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, 1124, Copy(info), requestId);
}

void TradeClient::OnRspQryBonusPoint(const sFFixBonusPoint* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixBonusPoint>>(m_owner, 1126, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnNtfBonusPoint(const sFFixBonusPoint* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixBonusPoint>>(m_owner, 1127, Copy(notice));
}

void TradeClient::OnRspQryUserInventory(const sFFixUserInventory* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixUserInventory>>(m_owner, 1129, Copy(row), requestId, LastTypeOf(row, last));
}

void TradeClient::OnRspQrySymbolInventory(const sFFixSymbolInventory* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixSymbolInventory>>(m_owner, 1131, Copy(row), requestId,
                                                   LastTypeOf(row, last));
}

void TradeClient::OnRspFinancingGoods(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, 1133, Copy(info), requestId);
}

void TradeClient::OnNtfUserInventory(const sFFixUserInventory* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixUserInventory>>(m_owner, 1134, Copy(notice));
}

void TradeClient::OnRspQrySymbolBookingInfo(const sFFixSymbolBookingInfo* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixSymbolBookingInfo>>(m_owner, 2172, Copy(row), requestId,
                                                     LastTypeOf(row, last));
}

void TradeClient::OnRspQryBookingAddrInfo(const sFFixBookingAddrInfo* row, int requestId, bool last)
{
    Post<TradeQueryRowEvent<sFFixBookingAddrInfo>>(m_owner, 2174, Copy(row), requestId,
                                                   LastTypeOf(row, last));
}

void TradeClient::OnRsp2176(const sFFixRspInfo* info, int requestId, bool)
{
    Post<TradeInfoEvent>(m_owner, 2176, Copy(info), requestId);
}

void TradeClient::OnNtfSymbolBookingInfo(const sFFixSymbolBookingInfo* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixSymbolBookingInfo>>(m_owner, 2177, Copy(notice));
}

void TradeClient::OnNtfBookingAddrInfo(const sFFixBookingAddrInfo* notice, int, int)
{
    Post<TradeNoticeEvent<sFFixBookingAddrInfo>>(m_owner, 2178, Copy(notice));
}
