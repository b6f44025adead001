// The delivery-orders pane without a window: the confirmation time text and
// the cells over a real record table.
#include "panes/DeliveryOrderModel.h"

#include "PaneTestRecords.h"
#include "db/DateTimeText.h"
#include "panes/DeliveryConfirmTime.h"

#include <gtest/gtest.h>
#include <pelmora/DrawingUtils.h>

TEST(DeliveryConfirmTime, UnsetOrUnreadableTimesShowThreeDashes)
{
    // The server's unset time, wherever in the year 1900 it falls.
    EXPECT_EQ(DeliveryConfirmTimeText(wxDateTime(1, wxDateTime::Jan, 1900)), "---");
    EXPECT_EQ(DeliveryConfirmTimeText(wxDateTime(31, wxDateTime::Dec, 1900, 23, 59, 59)), "---");
    // Empty or unparsable texts arrive as the invalid time.
    EXPECT_EQ(DeliveryConfirmTimeText(ParseCompactDateTime("")), "---");
    EXPECT_EQ(DeliveryConfirmTimeText(wxInvalidDateTime), "---");
    // A real confirmation shows in full.
    EXPECT_EQ(DeliveryConfirmTimeText(wxDateTime(8, wxDateTime::Dec, 2026, 10, 15, 30)),
              "2026-12-08 10:15:30");
    EXPECT_EQ(DeliveryConfirmTimeText(wxDateTime(1, wxDateTime::Jan, 1901)), "1901-01-01 00:00:00");
}

TEST(DeliveryOrderModel, WaitingAndConfirmedOrdersShowTheirStateTimeAndFigures)
{
    PaneTestRecords records;
    wxObjectDataPtr<DeliveryOrderModel> model(new DeliveryOrderModel(&records.store));
    trade_DeliveryOrder waiting;
    waiting.orderCode = "D0001";
    waiting.orderCodeRe = "H0001";
    waiting.symbolId = PaneTestRecords::kSilver;
    waiting.side = 'b';
    waiting.quantity = 2;
    waiting.deliveryMargin = 12000;
    waiting.deliveryMoney = 150000;
    waiting.deliveryCharge = 90.5;
    waiting.deliveryPrice = 5000;
    waiting.chargeClose = 45;
    waiting.closeProfit = -30;
    waiting.deliveryConfirmStatus = '1';
    waiting.deliveryConfirmTime = wxDateTime(1, wxDateTime::Jan, 1900);
    waiting.deliveryTime = wxDateTime(8, wxDateTime::Dec, 2026, 10, 0, 10);
    waiting.closeTime = wxInvalidDateTime;
    ASSERT_TRUE(records.store.m_trade_DeliveryOrder_table->Insert(waiting).second);
    trade_DeliveryOrder confirmed = waiting;
    confirmed.orderCode = "D0002";
    confirmed.deliveryConfirmStatus = '2';
    confirmed.deliveryConfirmTime = wxDateTime(8, wxDateTime::Dec, 2026, 10, 0, 20);
    confirmed.closeProfit = 0;
    ASSERT_TRUE(records.store.m_trade_DeliveryOrder_table->Insert(confirmed).second);
    trade_DeliveryOrder unset = waiting;
    unset.orderCode = "D0003";
    unset.deliveryConfirmStatus = 'x';
    unset.deliveryConfirmTime = wxInvalidDateTime; // sent empty
    ASSERT_TRUE(records.store.m_trade_DeliveryOrder_table->Insert(unset).second);

    ASSERT_EQ(model->GetColumnCount(), 17u);
    const char* expected[] = {"1",
                              "D0001",
                              "H0001",
                              "白银",
                              "现货一部",
                              "B",
                              "2.00",
                              "12000.00",
                              "150000.00",
                              "90.50",
                              "eDELCS_WaitConfirm",
                              "---",
                              "2026-12-08 10:00:10",
                              "5000",
                              "45.00",
                              "-30.00",
                              ""};
    for(unsigned int column = 0; column < 17; ++column) {
        wxVariant value;
        model->GetValueByRow(value, 0, column);
        EXPECT_EQ(value.MakeString(), wxString::FromUTF8(expected[column])) << "column " << column;
    }
    auto text = [&](unsigned int row, unsigned int column) {
        wxVariant value;
        model->GetValueByRow(value, row, column);
        return value.MakeString();
    };
    EXPECT_EQ(text(1, DeliveryOrderModel::eConfirmStatus), "eDELCS_Success");
    EXPECT_EQ(text(1, DeliveryOrderModel::eConfirmTime), "2026-12-08 10:00:20");
    EXPECT_EQ(text(2, DeliveryOrderModel::eConfirmStatus), "eDELCS_WaitConfirm");
    EXPECT_EQ(text(2, DeliveryOrderModel::eConfirmTime), "---");

    wxDataViewItemAttr loss;
    ASSERT_TRUE(model->GetAttrByRow(0, DeliveryOrderModel::eCloseProfit, loss));
    EXPECT_EQ(loss.GetColour(), DrawingUtils::GetGlobalDownColour());
    wxDataViewItemAttr zero;
    EXPECT_FALSE(model->GetAttrByRow(1, DeliveryOrderModel::eCloseProfit, zero));
}
