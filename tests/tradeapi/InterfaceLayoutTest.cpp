// The binary interface: where each virtual operation sits in its table, and
// the bounded reading of text fields. Structure sizes and offsets are checked
// at compile time by the headers themselves.
#include "tradeapi/ClientApi.h"
#include "tradeapi/FixedText.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

// Itanium ABI: a pointer to a virtual member holds 1 + the byte offset of
// its slot in the table.
template <class Fn> std::size_t Slot(Fn fn)
{
    struct Rep
    {
        uintptr_t ptr;
        ptrdiff_t adj;
    };
    static_assert(sizeof(Fn) == sizeof(Rep), "member pointer layout");
    Rep rep;
    std::memcpy(&rep, &fn, sizeof rep);
    EXPECT_EQ(rep.ptr % sizeof(void*), 1u) << "not a virtual operation";
    return (rep.ptr - 1) / sizeof(void*);
}

} // namespace

TEST(InterfaceLayout, TradeCallbackSlotsKeepTheTableOrderWithItsGaps)
{
    using C = CTradeApiCallback;
    EXPECT_EQ(Slot(&C::OnConnect), 0u);
    EXPECT_EQ(Slot(&C::OnRspUserLogin), 4u);
    EXPECT_EQ(Slot(&C::OnRspInOutMoneyId), 26u);
    EXPECT_EQ(Slot(&C::OnNtfRiskInfo), 28u);
    EXPECT_EQ(Slot(&C::OnRspPositionCloseOrder), 32u);
    EXPECT_EQ(Slot(&C::OnRspQryDeliveryOrder), 34u);
    EXPECT_EQ(Slot(&C::OnRspQryPayPortInfo), 39u);
    EXPECT_EQ(Slot(&C::OnNtfAccount), 58u);
    EXPECT_EQ(Slot(&C::OnRspSetSuretyMoney), 61u);
    EXPECT_EQ(Slot(&C::OnNtfUserInventory), 68u);
    EXPECT_EQ(Slot(&C::OnRspQrySymbolBookingInfo), 90u);
    EXPECT_EQ(Slot(&C::OnNtfBookingAddrInfo), 94u);
}

TEST(InterfaceLayout, MdCallbackSlotsKeepTheTableOrder)
{
    using C = CMDApiCallback;
    EXPECT_EQ(Slot(&C::OnConnect), 0u);
    EXPECT_EQ(Slot(&C::OnRspSubscribeMarketData), 5u);
    EXPECT_EQ(Slot(&C::OnRspQrySymbolInfo), 6u);
    EXPECT_EQ(Slot(&C::OnNtfMarketData), 7u);
    EXPECT_EQ(Slot(&C::OnNtfPriceReport), 9u);
    EXPECT_EQ(Slot(&C::OnNtfPriceTrade), 10u);
}

TEST(InterfaceLayout, RequestObjectsKeepTheirReservedSlots)
{
    EXPECT_EQ(Slot(&CTradeApi::Release), 0u);
    EXPECT_EQ(Slot(&CTradeApi::Connect), 2u);
    EXPECT_EQ(Slot(&CTradeApi::Disconnect), 5u);
    EXPECT_EQ(Slot(&CTradeApi::ReqUserLogin), 8u);
    EXPECT_EQ(Slot(&CTradeApi::ReqQryInOutMoney), 20u);
    EXPECT_EQ(Slot(&CTradeApi::ReqPositionCloseOrder), 23u);
    EXPECT_EQ(Slot(&CTradeApi::ReqQryDeliveryOrder), 25u);
    EXPECT_EQ(Slot(&CTradeApi::ReqQryPayPortInfo), 28u);
    EXPECT_EQ(Slot(&CTradeApi::ReqQryPriceReport), 34u);
    EXPECT_EQ(Slot(&CTradeApi::ReqMoveMoney), 39u);
    EXPECT_EQ(Slot(&CTradeApi::ReqSetSuretyMoney), 43u);
    EXPECT_EQ(Slot(&CTradeApi::ReqFinancingGoods), 48u);
    EXPECT_EQ(Slot(&CMDApi::ReqUserLogin), 7u);
    EXPECT_EQ(Slot(&CMDApi::ReqSubscribeMarketData), 9u);
    EXPECT_EQ(Slot(&CClientApi::Release), 2u);
}

TEST(FixedText, ReadsAFullFieldWithoutLookingPastIt)
{
    struct
    {
        char field[4];
        char after[4];
    } bytes;
    std::memcpy(bytes.field, "ABCD", 4);
    std::memcpy(bytes.after, "EFG", 4);
    EXPECT_EQ(tradeapi::FixedText(bytes.field), "ABCD");
}

TEST(FixedText, WritingCutsTheTextAndKeepsATerminator)
{
    char field[5];
    std::memset(field, 'x', sizeof field);
    tradeapi::SetFixedText(field, "CNYUSD");
    EXPECT_EQ(std::string(field), "CNYU");
    tradeapi::SetFixedText(field, "US");
    EXPECT_EQ(field[2], 0);
    EXPECT_EQ(field[4], 0);
}
