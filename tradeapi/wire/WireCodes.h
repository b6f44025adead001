#pragma once
// Frame codes between libClientApi and the market. Answers and pushes carry
// the callback codes the plug-in's events use; each request code is its
// answer code minus one.
#include <cstdint>

namespace tradeapi::wire {

enum Code : uint32_t {
    // answers and pushes, both fronts
    kRspError = 1,
    kRspUserLogin = 10002,
    kRspQrySymbolInfo = 1004,
    kNtfUserId = 1005,
    kRspQryAccount = 1007,
    kRspSetOrder = 1009,
    kNtfTrade = 1010,
    kRspQryPosition = 1013,
    kRspQryHoldDetail = 1015,
    kNtfMoneyChanged = 1016,
    kNtfPosition = 1017,
    kNtfHoldDetail = 1018,
    kRspQryCloseBill = 1020,
    kNtfCloseBill = 1021,
    kNtfLimitOrder = 1022,
    kRspQryLimitOrder = 1024,
    kRspCancelOrder = 1026,
    kRspModifyOrder = 1028,
    kNtfMarketData = 1029,
    kRspSubscribeMarketData = 1031,
    kRspQryCurrencyExchangeRate = 1033,
    kNtfCurrencyExchangeRate = 1034,
    kRspReqInOutMoney = 1039,
    kNtfInOutMoney = 1040,
    kRspQryInOutMoney = 1042,
    kRspInOutMoneyId = 1044,
    kNtfRiskInfo = 1047,
    kNtfRiskInfo2 = 1048,
    kRspPositionCloseOrder = 1053,
    kRspQryDeliveryOrder = 1057,
    kNtfDeliveryOrder = 1058,
    kRspQryPayPortInfo = 1065,
    kRspRegistPayPort = 1067,
    kRspUnRegistPayPort = 1069,
    kNtfPayPortInfo = 1070,
    kRspModifyPassword = 1072,
    kNtfModifyPassword = 1073,
    kRspQrySysPayPortInfo = 1075,
    kNtfBankInUrl = 1076,
    kRspQryPriceReport = 1088,
    kNtfPriceReport = 1089,
    kRspQryPriceTrade = 1091,
    kNtfPriceTrade = 1092,
    kRspQryBinaryContract = 1103,
    kNtfBinaryContract = 1104,
    kRspQryBinaryOrer = 1106,
    kNtfBinaryOrer = 1107,
    kRspMasterAccount = 1109,
    kRspMoveMoney = 1111,
    kRspQryMoney = 1113,
    kNtfAccount = 1114,
    kRspSetSuretyMoney = 1122,
    kRspHoldBillDelivery = 1124,
    kRspQryBonusPoint = 1126,
    kNtfBonusPoint = 1127,
    kRspQryUserInventory = 1129,
    kRspQrySymbolInventory = 1131,
    kRspFinancingGoods = 1133,
    kNtfUserInventory = 1134,
    kRspQrySymbolBookingInfo = 2172,
    kRspQryBookingAddrInfo = 2174,
    kRsp2176 = 2176,
    kNtfSymbolBookingInfo = 2177,
    kNtfBookingAddrInfo = 2178,

    // requests
    kReqUserLogin = 10001,
    kReqQrySymbolInfo = 1003,
    kReqQryAccount = 1006,
    kReqSetOrder = 1008,
    kReqQryPosition = 1012,
    kReqQryHoldDetail = 1014,
    kReqQryCloseBill = 1019,
    kReqQryLimitOrder = 1023,
    kReqCancelOrder = 1025,
    kReqModifyOrder = 1027,
    kReqSubscribeMarketData = 1030,
    kReqQryCurrencyExchangeRate = 1032,
    kReqInOutMoney = 1038,
    kReqQryInOutMoney = 1041,
    kReqPositionCloseOrder = 1052,
    kReqQryDeliveryOrder = 1056,
    kReqQryPayPortInfo = 1064,
    kReqRegistPayPort = 1066,
    kReqUnRegistPayPort = 1068,
    kReqModifyPassword = 1071,
    kReqQrySysPayPortInfo = 1074,
    kReqQryPriceReport = 1087,
    kReqQryBinaryContract = 1102,
    kReqQryBinaryOrer = 1105,
    kReqMasterAccount = 1108,
    kReqMoveMoney = 1110,
    kReqSetSuretyMoney = 1121,
    kReqHoldBillDelivery = 1123,
    kReqQryBonusPoint = 1125,
    kReqQryUserInventory = 1128,
    kReqQrySymbolInventory = 1130,
    kReqFinancingGoods = 1132,

    // market to library: the listed request codes are refused locally from
    // now on (body: int32 codes; empty body = refuse none)
    kCtlRefuseRequests = 9001,
    // either way, empty body: the sender is alive (LinkTimes.h says when)
    kCtlHeartbeat = 9002,
};

// The answer code of a request.
constexpr uint32_t AnswerCode(uint32_t requestCode)
{
    return requestCode + 1;
}

} // namespace tradeapi::wire
