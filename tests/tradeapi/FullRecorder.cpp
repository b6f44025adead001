#include "FullRecorder.h"

namespace {

template <class T> Event Row(int code, const T* row, int id, bool last)
{
    Event e;
    e.code = code;
    e.requestId = id;
    e.last = last;
    e.noRows = row == nullptr;
    if(row)
        e.row.assign(reinterpret_cast<const uint8_t*>(row),
                     reinterpret_cast<const uint8_t*>(row) + sizeof(T));
    return e;
}

Event Info(Event e, const sFFixRspInfo* info)
{
    e.hasInfo = info != nullptr;
    if(info)
        e.info = *info;
    return e;
}

Event Simple(int code, int value, const std::string& text = "")
{
    Event e;
    e.code = code;
    e.value = value;
    e.text = text;
    return e;
}

} // namespace

void FullTradeRecorder::OnRspSetOrder(const sFFixSetOrder* echo, const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row(1009, echo, id, true), info));
}
void FullTradeRecorder::OnNtfTrade(const sFFixTrade* value, int, int)
{
    log.Add(Row(1010, value, 0, false));
}
void FullTradeRecorder::OnNtfMoneyChanged(const sFFixMoney* value, int, int)
{
    log.Add(Row(1016, value, 0, false));
}
void FullTradeRecorder::OnNtfPosition(const sFFixPosition* value, int, int)
{
    log.Add(Row(1017, value, 0, false));
}
void FullTradeRecorder::OnNtfHoldDetail(const sFFixHoldDetail* value, int, int)
{
    log.Add(Row(1018, value, 0, false));
}
void FullTradeRecorder::OnNtfCloseBill(const sFFixCloseBill* value, int, int)
{
    log.Add(Row(1021, value, 0, false));
}
void FullTradeRecorder::OnRspQryAccount(const sFFixRspQryAccount* row, int id, bool last)
{
    log.Add(Row(1007, row, id, last));
}
void FullTradeRecorder::OnRspQryCloseBill(const sFFixCloseBill* row, int id, bool last)
{
    log.Add(Row(1020, row, id, last));
}
void FullTradeRecorder::OnRspQryLimitOrder(const sFFixLimitOrder* row, int id, bool last)
{
    log.Add(Row(1024, row, id, last));
}
void FullTradeRecorder::OnNtfLimitOrder(const sFFixLimitOrder* value, int, int)
{
    log.Add(Row(1022, value, 0, false));
}
void FullTradeRecorder::OnRspCancelOrder(const sFFixCancelOrder* echo, const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row(1026, echo, id, true), info));
}
void FullTradeRecorder::OnRspQryCurrencyExchangeRate(const sFFixCurrencyExchangeRate* row, int id, bool last)
{
    log.Add(Row(1033, row, id, last));
}
void FullTradeRecorder::OnNtfCurrencyExchangeRate(const sFFixCurrencyExchangeRate* value, int, int)
{
    log.Add(Row(1034, value, 0, false));
}
void FullTradeRecorder::OnNtfInOutMoney(const sFFixRspInOutMoney* value, int, int)
{
    log.Add(Row(1040, value, 0, false));
}
void FullTradeRecorder::OnRspQryInOutMoney(const sFFixRspInOutMoney* row, int id, bool last)
{
    log.Add(Row(1042, row, id, last));
}
void FullTradeRecorder::OnRspInOutMoneyId(const sFFixInOutMoneyId* echo, const sFFixRspInfo* info, int id,
                                          bool)
{
    log.Add(Info(Row(1044, echo, id, true), info));
}
void FullTradeRecorder::OnNtfRiskInfo(const sFFixRiskInfo* value, int, int)
{
    log.Add(Row(1047, value, 0, false));
}
void FullTradeRecorder::OnNtfRiskInfo2(const sFFixRiskInfo* value, int, int)
{
    log.Add(Row(1048, value, 0, false));
}
void FullTradeRecorder::OnRspQryDeliveryOrder(const sFFixDeliveryOrder* row, int id, bool last)
{
    log.Add(Row(1057, row, id, last));
}
void FullTradeRecorder::OnNtfDeliveryOrder(const sFFixDeliveryOrder* value, int, int)
{
    log.Add(Row(1058, value, 0, false));
}
void FullTradeRecorder::OnRspQryPayPortInfo(const sFFixPayPortInfo* row, int id, bool last)
{
    log.Add(Row(1065, row, id, last));
}
void FullTradeRecorder::OnRspRegistPayPort(const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row<sFFixRspInfo>(1067, nullptr, id, true), info));
}
void FullTradeRecorder::OnRspUnRegistPayPort(const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row<sFFixRspInfo>(1069, nullptr, id, true), info));
}
void FullTradeRecorder::OnNtfPayPortInfo(const sFFixPayPortInfo* value, int, int)
{
    log.Add(Row(1070, value, 0, false));
}
void FullTradeRecorder::OnRspModifyPassword(const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row<sFFixRspInfo>(1072, nullptr, id, true), info));
}
void FullTradeRecorder::OnRspQrySysPayPortInfo(const sFFixSysPayPortInfo* row, int id, bool last)
{
    log.Add(Row(1075, row, id, last));
}
void FullTradeRecorder::OnNtfBankInUrl(const sFFixBankInUrl* value, int, int)
{
    log.Add(Row(1076, value, 0, false));
}
void FullTradeRecorder::OnRspQryPriceReport(const sFFixPriceReport* row, int id, bool last)
{
    log.Add(Row(1088, row, id, last));
}
void FullTradeRecorder::OnRspQryBinaryContract(const sFFixBinaryContract* row, int id, bool last)
{
    log.Add(Row(1103, row, id, last));
}
void FullTradeRecorder::OnNtfBinaryContract(const sFFixBinaryContract* value, int, int)
{
    log.Add(Row(1104, value, 0, false));
}
void FullTradeRecorder::OnRspQryBinaryOrer(const sFFixBinaryOrer* row, int id, bool last)
{
    log.Add(Row(1106, row, id, last));
}
void FullTradeRecorder::OnNtfBinaryOrer(const sFFixBinaryOrer* value, int, int)
{
    log.Add(Row(1107, value, 0, false));
}
void FullTradeRecorder::OnRspMasterAccount(const sFFixMasterAccount* echo, const sFFixRspInfo* info, int id,
                                           bool)
{
    log.Add(Info(Row(1109, echo, id, true), info));
}
void FullTradeRecorder::OnRspMoveMoney(const sFFixMoveMoney* echo, const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row(1111, echo, id, true), info));
}
void FullTradeRecorder::OnNtfAccount(const sFFixAccount* value, int, int)
{
    log.Add(Row(1114, value, 0, false));
}
void FullTradeRecorder::OnRspSetSuretyMoney(const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row<sFFixRspInfo>(1122, nullptr, id, true), info));
}
void FullTradeRecorder::OnRspHoldBillDelivery(const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row<sFFixRspInfo>(1124, nullptr, id, true), info));
}
void FullTradeRecorder::OnRspQryBonusPoint(const sFFixBonusPoint* row, int id, bool last)
{
    log.Add(Row(1126, row, id, last));
}
void FullTradeRecorder::OnNtfBonusPoint(const sFFixBonusPoint* value, int, int)
{
    log.Add(Row(1127, value, 0, false));
}
void FullTradeRecorder::OnRspQryUserInventory(const sFFixUserInventory* row, int id, bool last)
{
    log.Add(Row(1129, row, id, last));
}
void FullTradeRecorder::OnRspQrySymbolInventory(const sFFixSymbolInventory* row, int id, bool last)
{
    log.Add(Row(1131, row, id, last));
}
void FullTradeRecorder::OnRspFinancingGoods(const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row<sFFixRspInfo>(1133, nullptr, id, true), info));
}
void FullTradeRecorder::OnNtfUserInventory(const sFFixUserInventory* value, int, int)
{
    log.Add(Row(1134, value, 0, false));
}
void FullMdRecorder::OnNtfPriceReport(const sFFixPriceReport* value, int, int)
{
    log.Add(Row(1089, value, 0, false));
}
void FullTradeRecorder::OnConnect()
{
    log.Add(Simple(100, 0));
}
bool FullTradeRecorder::OnConnectFailed(int error, const char* text)
{
    log.Add(Simple(101, error, text ? text : ""));
    return false;
}
bool FullTradeRecorder::OnDisconnect(int reason)
{
    log.Add(Simple(102, reason));
    return false;
}
void FullTradeRecorder::OnErrorRsp(const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row<sFFixRspInfo>(1, nullptr, id, true), info));
}
void FullTradeRecorder::OnRspUserLogin(const sFFixRspUserLogin* rsp, const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row(10002, rsp, id, true), info));
}
void FullMdRecorder::OnConnect()
{
    log.Add(Simple(100, 0));
}
void FullMdRecorder::OnRspUserLogin(const sFFixRspUserLogin* rsp, const sFFixRspInfo* info, int id, bool)
{
    log.Add(Info(Row(10002, rsp, id, true), info));
}
void FullMdRecorder::OnRspSubscribeMarketData(const int* ids, int count, const sFFixRspInfo* info, int id,
                                              bool)
{
    Event e = Info(Row<sFFixRspInfo>(1031, nullptr, id, true), info);
    e.ids.assign(ids, ids + count);
    log.Add(std::move(e));
}
void FullTradeRecorder::OnRspReqInOutMoney(const sFFixReqInOutMoney* echo, const sFFixRspInfo* info, int id,
                                           bool)
{
    log.Add(Info(Row(1039, echo, id, true), info));
}
void FullTradeRecorder::OnRspPositionCloseOrder(const sFFixPositionCloseOrder* echo, const sFFixRspInfo* info,
                                                int id, bool)
{
    log.Add(Info(Row(1053, echo, id, true), info));
}
