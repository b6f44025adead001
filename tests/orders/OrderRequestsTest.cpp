// The order dialog's six requests, byte for byte: each expected record is
// written offset by offset, every other byte zero.
#include "orders/OrderRequests.h"

#include "OrderTestMarket.h"
#include "orders/OrderRules.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// An expected record: zero bytes, then the named fields.
class Bytes
{
public:
    explicit Bytes(std::size_t size) : m_bytes(size, 0) {}

    Bytes& Int32(std::size_t offset, int32_t value) { return Put(offset, &value, sizeof value); }
    Bytes& Double(std::size_t offset, double value) { return Put(offset, &value, sizeof value); }
    Bytes& Char(std::size_t offset, char value) { return Put(offset, &value, 1); }
    Bytes& Text(std::size_t offset, const std::string& text) { return Put(offset, text.data(), text.size()); }

    template <class Request>::testing::AssertionResult Matches(const Request& request) const
    {
        if(sizeof request != m_bytes.size()) {
            return ::testing::AssertionFailure() << "size " << sizeof request << " != " << m_bytes.size();
        }
        const auto* actual = reinterpret_cast<const uint8_t*>(&request);
        for(std::size_t i = 0; i < m_bytes.size(); ++i) {
            if(actual[i] != m_bytes[i]) {
                return ::testing::AssertionFailure()
                       << "byte " << i << ": " << int(actual[i]) << " != " << int(m_bytes[i]);
            }
        }
        return ::testing::AssertionSuccess();
    }

private:
    Bytes& Put(std::size_t offset, const void* value, std::size_t size)
    {
        std::memcpy(m_bytes.data() + offset, value, size);
        return *this;
    }
    std::vector<uint8_t> m_bytes;
};

struct SetOrderCase
{
    const char* name;
    int symbolId;
    int kind;
    int orderType;
    char side;
    const char* orderCode;
    double limitPrice;
    OrderInputs inputs;
    // Expected fields.
    double price;
    char orderTypeCode;
    int32_t pointDiff;
    char validity;
    char margin;
    const char* sentCode; // bytes at 29, at most 16
};

OrderInputs Inputs(double quantity, double stopLoss, double takeProfit, bool usePointDiff, int pointDiff,
                   int expire = 0, bool withoutMargin = false)
{
    OrderInputs inputs;
    inputs.quantity = quantity;
    inputs.stopLoss = stopLoss;
    inputs.takeProfit = takeProfit;
    inputs.usePointDiff = usePointDiff;
    inputs.pointDiff = pointDiff;
    inputs.expireSelection = expire;
    inputs.withoutMargin = withoutMargin;
    return inputs;
}

} // namespace

TEST(OrderRequests, SetOrderCarriesEveryFieldAtItsOffset)
{
    const SetOrderCase cases[] = {
        {"market buy at the buy quote", 101, eOpen, eMarketOrder, 'b', "", 0.0,
         Inputs(2, 9.9, 10.2, true, 30), 10.03, '1', 30, 0, 0, ""},
        {"market sell at the sell quote, no biggest diff", 101, eOpen, eMarketOrder, 's', "", 0.0,
         Inputs(1, 0, 0, false, 30), 9.98, '1', 100000, 0, 0, ""},
        {"close of a bill", 101, eClose, eMarketOrder, 's', "H0001", 0.0, Inputs(3, 0, 0, true, 20), 9.98,
         '2', 20, 0, 0, "H0001"},
        {"close code of 16 bytes has no terminator", 101, eClose, eMarketOrder, 'b', "ABCDEFGHIJKLMNOPQR",
         0.0, Inputs(1, 0, 0, true, 20), 10.03, '2', 20, 0, 0, "ABCDEFGHIJKLMNOP"},
        {"limit buy above the buy quote is a stop order", 101, eOpen, eLimitOrder, 'b', "", 10.5,
         Inputs(1, 0, 0, true, 5), 10.5, '4', 5, '1', 0, ""},
        {"limit buy below the buy quote, this week", 101, eOpen, eLimitOrder, 'b', "", 9.5,
         Inputs(1, 0, 0, true, 5, 1), 9.5, '3', 5, '2', 0, ""},
        {"without margin", 101, eOpen, eMarketOrder, 'b', "", 0.0, Inputs(1, 0, 0, true, 5, 0, true), 10.03,
         '1', 5, 0, '3', ""},
        {"aggregate market order at the current price", 201, eOpen, eMarketOrder, 'b', "", 0.0,
         Inputs(1, 0, 0, true, 5), 68500.0, 'C', 5, 0, 0, ""},
        {"aggregate limit order", 201, eOpen, eLimitOrder, 's', "", 68000.0, Inputs(1, 0, 0, true, 5),
         68000.0, 'B', 5, '1', 0, ""},
    };
    OrderTestMarket market;
    for(const SetOrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        OrderTicket ticket;
        ticket.m_pDb = &market.store;
        ticket.m_symbolId = c.symbolId;
        ticket.m_openCloseType = c.kind;
        ticket.m_orderType = c.orderType;
        ticket.m_direction = c.side;
        ticket.m_orderCodeRe = c.orderCode;
        ticket.m_limitPrice = c.limitPrice;
        OrderRules rules(ticket);
        ticket.m_pSymbolInfo = market.Symbol(c.symbolId);

        const sFFixSetOrder request = BuildSetOrder(rules, c.inputs);

        const symbol_Info& symbol = *market.Symbol(c.symbolId);
        Bytes expected(144);
        expected.Int32(0, 11)
            .Char(4, c.side)
            .Text(29, c.sentCode)
            .Double(48, c.price)
            .Double(56, c.inputs.quantity)
            .Char(64, c.orderTypeCode)
            .Int32(68, symbol.askSpreadPoints)
            .Int32(72, symbol.bidSpreadPoints)
            .Int32(76, c.pointDiff)
            .Double(80, c.inputs.stopLoss)
            .Double(88, c.inputs.takeProfit)
            .Int32(96, c.symbolId)
            .Char(117, c.validity)
            .Char(118, c.margin);
        // Prices are sums of points: compare them to the cent first, then the
        // bytes with the computed price in place.
        EXPECT_NEAR(request.price, c.price, 1e-9);
        expected.Double(48, request.price);
        EXPECT_TRUE(expected.Matches(request));
    }
}

TEST(OrderRequests, ModifyCancelAndDeliveryCarryTheCodeWithinItsBound)
{
    struct Case
    {
        const char* code;
        const char* sent16; // the code as sent with a 16-byte bound
        const char* sent17; // with a 17-byte bound
    };
    const Case cases[] = {
        {"L0001", "L0001", "L0001"},
        {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP"},
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOPQ"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_TRUE(Bytes(56)
                        .Text(0, c.sent16)
                        .Double(24, 9.5)
                        .Double(32, 11.25)
                        .Matches(BuildModifyOrder(c.code, 9.5, 11.25)));
        EXPECT_TRUE(Bytes(18).Text(0, c.sent16).Matches(BuildCancelOrder(c.code)));
        EXPECT_TRUE(Bytes(19).Text(0, c.sent17).Char(18, '1').Matches(BuildHoldBillDelivery(c.code, true)));
    }
}

TEST(OrderRequests, DeliveryAppliesOrWithdraws)
{
    for(const auto& [apply, flag] : {std::pair{true, '1'}, {false, '0'}}) {
        EXPECT_TRUE(Bytes(19).Text(0, "H0001").Char(18, flag).Matches(BuildHoldBillDelivery("H0001", apply)));
    }
}

TEST(OrderRequests, PositionCloseCarriesThePositionTheQuoteAndTenThousandPointsWhenOff)
{
    struct Case
    {
        char side;
        bool usePointDiff;
        double price;
        int32_t pointDiff;
    };
    const Case cases[] = {{'s', true, 9.98, 25}, {'b', false, 10.03, 10000}};
    OrderTestMarket market;
    const trade_Position* position = market.AddPosition(77, 4, 6);
    for(const Case& c : cases) {
        SCOPED_TRACE(c.side);
        OrderTicket ticket;
        ticket.m_pDb = &market.store;
        ticket.m_symbolId = 101;
        ticket.m_pSymbolInfo = market.Symbol(101);
        ticket.m_openCloseType = eClosePosition;
        ticket.m_direction = c.side;
        const OrderRules rules(ticket);
        const sFFixPositionCloseOrder request =
            BuildPositionCloseOrder(rules, *position, Inputs(3, 0, 0, c.usePointDiff, 25));
        EXPECT_NEAR(request.price, c.price, 1e-9);
        EXPECT_TRUE(Bytes(48)
                        .Int32(0, 77)
                        .Int32(4, 101)
                        .Char(8, c.side)
                        .Char(9, '2')
                        .Double(16, request.price)
                        .Double(24, 3)
                        .Int32(32, 3)
                        .Int32(36, 2)
                        .Int32(40, c.pointDiff)
                        .Char(44, '1')
                        .Matches(request));
    }
}
