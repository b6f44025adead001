// The confirmation before a request: the rows of each kind, and a market
// order's price following every quote of its symbol while it is open.
#include "OrderDialogHarness.h"
#include "OrderTestMarket.h"
#include "orders/MarketOrderConfirm.h"
#include "orders/OrderKinds.h"
#include "orders/OrderRequests.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <wx/timer.h>

namespace {

sFFixSetOrder SetOrder(char side, char orderType, double price, int symbolId = 101)
{
    sFFixSetOrder request;
    std::memset(&request, 0, sizeof request);
    request.side = side;
    request.orderType = orderType;
    request.price = price;
    request.quantity = 2;
    request.stopLoss = 9.5;
    request.takeProfit = 10.75;
    request.symbolId = symbolId;
    std::strcpy(request.closeOrderCode, "H1");
    return request;
}

// Shows the dialog modally and runs `act` inside its loop; a guard ends a
// loop that would not end.
int RunModal(MarketOrderConfirm& confirm, std::function<void()> act)
{
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&confirm](wxTimerEvent&) {
        ADD_FAILURE() << "the confirmation did not end";
        confirm.EndModal(-1);
    });
    guard.StartOnce(5000);
    wxTheApp->CallAfter(std::move(act));
    return confirm.ShowModal();
}

class ConfirmTest : public ::testing::Test
{
protected:
    ConfirmTest() { market.AddHold("H1", 'b', 3); }
    OrderTestMarket market;
};

} // namespace

TEST_F(ConfirmTest, AMarketOrderTakesTheQuoteOfItsSideFromEveryQuoteOfItsSymbol)
{
    struct Case
    {
        const char* name;
        int kind;
        char side;
        char orderType;
        double price; // after the quotes 10.5, 11.0, 11.25 of AG and one of CU
        const char* shown;
    };
    const Case cases[] = {
        {"market buy", eOpen, 'b', '1', 11.28, "11.28"},
        {"market sell", eOpen, 's', '1', 11.23, "11.23"},
        {"close of a bill", eClose, 's', '2', 11.23, "11.23"},
        {"limit order keeps its price", eOpen, 'b', '3', 9.87, "9.87"},
        {"stop order keeps its price", eOpen, 'b', '4', 10.9, "10.9"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        market.SetPrice(101, 10.0);
        sFFixSetOrder request = SetOrder(c.side, c.orderType, c.orderType <= '2' ? 10.03 : c.price);
        int result = 0;
        {
            MarketOrderConfirm confirm(&market.store, nullptr);
            confirm.m_orderKind = c.kind;
            confirm.m_pSetOrder = &request;
            result = RunModal(confirm, [&] {
                for(double last : {10.5, 11.0, 11.25}) {
                    market.SetPrice(101, last);
                }
                market.SetPrice(201, 70000.0); // another symbol's quote
                EXPECT_EQ(c.shown, confirm.GetRowValue(2));
                confirm.EndModal(wxID_OK);
            });
        }
        EXPECT_EQ(wxID_OK, result);
        EXPECT_NEAR(c.price, request.price, 1e-9);
    }
}

TEST_F(ConfirmTest, APositionCloseFollowsTheQuoteAndOtherKindsKeepTheirRequest)
{
    sFFixPositionCloseOrder close;
    std::memset(&close, 0, sizeof close);
    close.symbolId = 101;
    close.side = 'b';
    close.orderType = '2';
    close.price = 10.03;
    close.quantity = 4;
    sFFixModifyOrder modify = BuildModifyOrder("H1", 9.5, 10.5);
    sFFixHoldBillDelivery delivery = BuildHoldBillDelivery("H1", true);
    const sFFixModifyOrder modifyBefore = modify;
    const sFFixHoldBillDelivery deliveryBefore = delivery;
    {
        MarketOrderConfirm position(&market.store, nullptr);
        position.m_orderKind = eClosePosition;
        position.m_pPositionClose = &close;
        MarketOrderConfirm modifyConfirm(&market.store, nullptr);
        modifyConfirm.m_orderKind = eModify;
        modifyConfirm.m_pModifyOrder = &modify;
        MarketOrderConfirm deliveryConfirm(&market.store, nullptr);
        deliveryConfirm.m_orderKind = eDelivery;
        deliveryConfirm.m_pDeliveryOrder = &delivery;
        market.SetPrice(101, 12.0);
    }
    EXPECT_NEAR(12.03, close.price, 1e-9);
    EXPECT_EQ(0, std::memcmp(&modify, &modifyBefore, sizeof modify));
    EXPECT_EQ(0, std::memcmp(&delivery, &deliveryBefore, sizeof delivery));
    // Closed confirmations hear nothing more.
    market.SetPrice(101, 13.0);
    EXPECT_NEAR(12.03, close.price, 1e-9);
}

TEST_F(ConfirmTest, RowsOfEachKind)
{
    market.AddLimit("L1", 's', 10.5, 1);
    market.store.m_trade_Limit_table->Modify(wxString("L1"),
                                             [](trade_Limit& limit) { limit.limitType = '1'; });
    sFFixSetOrder open = SetOrder('b', '1', 10.03);
    open.marginTradeType = '3';
    sFFixSetOrder limit = SetOrder('b', '3', 9.8);
    sFFixSetOrder close = SetOrder('s', '2', 9.98);
    sFFixModifyOrder modify = BuildModifyOrder("L1", 10.8, 9.25);
    sFFixCancelOrder cancel = BuildCancelOrder("L1");
    sFFixHoldBillDelivery delivery = BuildHoldBillDelivery("H1", true);
    sFFixHoldBillDelivery withdrawal = BuildHoldBillDelivery("H1", false);
    sFFixPositionCloseOrder position;
    std::memset(&position, 0, sizeof position);
    position.symbolId = 101;
    position.side = 's';
    position.orderType = '2';
    position.price = 9.98;
    position.quantity = 6;

    struct Case
    {
        const char* name;
        std::function<void(MarketOrderConfirm&)> set;
        std::vector<std::string> captions; // empty: row hidden
        std::vector<std::string> values;
    };
    const Case cases[] = {
        {"new market order",
         [&](MarketOrderConfirm& d) {
             d.m_orderKind = eOpen;
             d.m_pSetOrder = &open;
         },
         {"symbolName:", "Side:", "symbolPrice:", "symbolQuantity:", "OrderType:", "StopLoss:", "TakeProfit:",
          ""},
         {"Silver", "Buy", "10.03", "2.00", "MarketOpen", "9.5", "10.75", ""}},
        {"new limit order",
         [&](MarketOrderConfirm& d) {
             d.m_orderKind = eOpen;
             d.m_pSetOrder = &limit;
         },
         {"symbolName:", "Side:", "symbolPrice:", "symbolQuantity:", "OrderType:", "StopLoss:", "TakeProfit:",
          ""},
         {"Silver", "Buy", "9.8", "2.00", "NewLimitOrder", "9.5", "10.75", ""}},
        {"close",
         [&](MarketOrderConfirm& d) {
             d.m_orderKind = eClose;
             d.m_pSetOrder = &close;
         },
         {"symbolName:", "Side:", "symbolPrice:", "symbolQuantity:", "OrderType:", "OrderCode:", "", ""},
         {"Silver", "Sell", "9.98", "2.00", "MarketClose", "H1", "", ""}},
        {"modify",
         [&](MarketOrderConfirm& d) {
             d.m_orderKind = eModify;
             d.m_pModifyOrder = &modify;
         },
         {"symbolName:", "Side:", "OrderCode:", "StopLoss:", "TakeProfit:", "", "", ""},
         {"Silver", "Sell", "L1", "10.8", "9.25", "", "", ""}},
        {"cancel",
         [&](MarketOrderConfirm& d) {
             d.m_orderKind = eCancel;
             d.m_pCancelOrder = &cancel;
         },
         {"symbolName:", "Side:", "symbolPrice:", "symbolQuantity:", "OrderType:", "OrderCode:", "", ""},
         {"Silver", "Sell", "10.5", "1.00", "LimitOrder", "L1", "", ""}},
        {"delivery",
         [&](MarketOrderConfirm& d) {
             d.m_orderKind = eDelivery;
             d.m_pDeliveryOrder = &delivery;
         },
         {"symbolName:", "Side:", "DeliveryPrice:", "symbolQuantity:", "OrderType:", "", "", ""},
         {"Silver", "Buy", "9.50", "3.00", "Delivery Order", "", "", ""}},
        {"delivery withdrawn",
         [&](MarketOrderConfirm& d) {
             d.m_orderKind = eDelivery;
             d.m_pDeliveryOrder = &withdrawal;
         },
         {"symbolName:", "Side:", "DeliveryPrice:", "symbolQuantity:", "OrderType:", "", "", ""},
         {"Silver", "Buy", "9.50", "3.00", "UnDelivery Order", "", "", ""}},
        {"close position",
         [&](MarketOrderConfirm& d) {
             d.m_orderKind = eClosePosition;
             d.m_pPositionClose = &position;
         },
         {"symbolName:", "Side:", "symbolPrice:", "symbolQuantity:", "OrderType:", "", "", ""},
         {"Silver", "Sell", "9.98", "6.00", "Close Position", "", "", ""}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MarketOrderConfirm confirm(&market.store, nullptr);
        c.set(confirm);
        confirm.InitDialog();
        for(int row = 0; row < 8; ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(!c.captions[row].empty(), confirm.IsRowShown(row));
            if(confirm.IsRowShown(row)) {
                EXPECT_EQ(c.captions[row], confirm.GetRowCaption(row).utf8_string());
                EXPECT_EQ(c.values[row], confirm.GetRowValue(row).utf8_string());
            }
        }
    }
    MarketOrderConfirm marked(&market.store, nullptr);
    marked.m_orderKind = eOpen;
    marked.m_pSetOrder = &open;
    marked.InitDialog();
    EXPECT_EQ("WithoutMarginTradeType", marked.GetRowValue(7));
    // Enter confirms.
    EXPECT_EQ(marked.FindWindow(wxID_OK), marked.GetDefaultItem());
}

TEST_F(ConfirmTest, AGoneRecordLeavesTheLayoutEmptyAndTheCloseBoxCancels)
{
    sFFixCancelOrder cancel = BuildCancelOrder("gone");
    MarketOrderConfirm confirm(&market.store, nullptr);
    confirm.m_orderKind = eCancel;
    confirm.m_pCancelOrder = &cancel;
    EXPECT_EQ(wxID_OK, RunModal(confirm, [&] {
                  EXPECT_EQ("", confirm.GetRowValue(0));
                  EXPECT_TRUE(confirm.IsRowShown(2));
                  confirm.EndModal(wxID_OK);
              }));
    EXPECT_EQ(wxID_CANCEL, RunModal(confirm, [&] { confirm.Close(); }));
}
