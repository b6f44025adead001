// The closed-bills model over a real record table, without a display: its
// cells and the colour of the close profit.
#include "panes/CloseBillModel.h"

#include "PaneTestRecords.h"

#include <gtest/gtest.h>
#include <pelmora/DrawingUtils.h>

namespace {

trade_CloseBill Bill(const char* code, int symbolId, double profit)
{
    trade_CloseBill bill;
    bill.orderCode = code;
    bill.orderCodeRe = "H0001";
    bill.accountKey = PaneTestRecords::kAccount;
    bill.symbolId = symbolId;
    bill.side = 's';
    bill.closeType = '3';
    bill.quantity = 1;
    bill.openPrice = 380.5;
    bill.holdPrice = 380.25;
    bill.closePrice = 382;
    bill.closeProfit = profit;
    bill.chargeOpen = 0.3;
    bill.chargeClose = 0.31;
    bill.openTime = wxDateTime(7, wxDateTime::Dec, 2026, 9, 30, 0);
    bill.closeTime = wxDateTime(7, wxDateTime::Dec, 2026, 14, 0, 0);
    return bill;
}

} // namespace

TEST(CloseBillModel, CellsAndTheProfitColouredUpDownOrNotAtZero)
{
    PaneTestRecords records;
    wxObjectDataPtr<CloseBillModel> model(new CloseBillModel(&records.store));
    auto& bills = *records.store.m_trade_CloseBill_table;
    ASSERT_TRUE(bills.Insert(Bill("C1", PaneTestRecords::kPlatinum, 1.75)).second);
    ASSERT_TRUE(bills.Insert(Bill("C2", PaneTestRecords::kPlatinum, -2.5)).second);
    ASSERT_TRUE(bills.Insert(Bill("C3", PaneTestRecords::kPlatinum, 0.0)).second);
    trade_CloseBill untimed = Bill("C4", PaneTestRecords::kSilver, 0.0);
    untimed.openTime = wxInvalidDateTime; // a time the server sent empty
    ASSERT_TRUE(bills.Insert(untimed).second);
    ASSERT_TRUE(bills.Insert(Bill("C5", PaneTestRecords::kOrphan, 9.0)).second);

    ASSERT_EQ(model->GetColumnCount(), 16u);
    const char* expected[] = {"1",
                              "C1",
                              "铂金",
                              "现货一部",
                              "382.00",
                              "S",
                              "1.00",
                              "1.75",
                              "0.31",
                              "MarketClose",
                              "2026-12-07 09:30:00",
                              "380.50",
                              "380.25",
                              "0.30",
                              "H0001",
                              "2026-12-07 14:00:00"};
    for(unsigned int column = 0; column < 16; ++column) {
        wxVariant value;
        model->GetValueByRow(value, 0, column);
        EXPECT_EQ(value.MakeString(), wxString::FromUTF8(expected[column])) << "column " << column;
    }
    wxVariant openTime;
    model->GetValueByRow(openTime, 3, CloseBillModel::eOpenTime);
    EXPECT_EQ(openTime.MakeString(), "");
    wxVariant price;
    model->GetValueByRow(price, 3, CloseBillModel::eClosePrice);
    EXPECT_EQ(price.MakeString(), "382"); // AG has no decimals
    wxVariant orphan;
    model->GetValueByRow(orphan, 4, CloseBillModel::eOrderCode);
    EXPECT_TRUE(orphan.IsNull());

    struct Colour
    {
        unsigned int row;
        bool coloured;
        wxColour colour;
    };
    const Colour colours[] = {{0, true, DrawingUtils::GetGlobalUpColour()},
                              {1, true, DrawingUtils::GetGlobalDownColour()},
                              {2, false, wxColour()},
                              {4, false, wxColour()}}; // no links: no colour either
    for(const Colour& c : colours) {
        wxDataViewItemAttr attr;
        EXPECT_EQ(model->GetAttrByRow(c.row, CloseBillModel::eCloseProfit, attr), c.coloured) << c.row;
        if(c.coloured) {
            EXPECT_EQ(attr.GetColour(), c.colour) << c.row;
        }
        wxDataViewItemAttr other;
        EXPECT_FALSE(model->GetAttrByRow(c.row, CloseBillModel::eQuantity, other)) << c.row;
    }
}
