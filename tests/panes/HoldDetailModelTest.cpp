// The hold-detail list over real tables: grouping, numbers, sums, cell texts
// and colours, and what the model tells its control.
#include "panes/HoldDetailModel.h"

#include "PaneTestStore.h"
#include "db/TradeArithmetic.h"

#include <algorithm>
#include <pelmora/DrawingUtils.h>

namespace {

class HoldDetailList : public ::testing::Test
{
protected:
    HoldDetailList() : model(new HoldDetailModel(&data.store, nullptr))
    {
        model->AddNotifier(new StoreRecordingNotifier(log));
    }

    // "<code>#<number>" for a bill row, "=<account>" for a summary row.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        const OrderList& list = model->GetOrderList();
        for(unsigned int row = 0; row < list.GetCount(); ++row) {
            const OrderListNode& node = *list.GetNode(row);
            if(node.IsSummary()) {
                rows.push_back("=" + std::to_string(node.accountKey));
            } else {
                rows.push_back(node.holdBill->orderCode.utf8_string() + "#" +
                               std::to_string(list.GetBillNumber(row)));
            }
        }
        return rows;
    }
    std::vector<std::string> TakeLog()
    {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }
    wxVariant Value(unsigned int row, unsigned int column) const
    {
        wxVariant value;
        model->GetValueByRow(value, row, column);
        return value;
    }
    wxString Text(unsigned int row, unsigned int column) const
    {
        const wxVariant value = Value(row, column);
        if(value.GetType() == "arrstring") {
            return wxJoin(value.GetArrayString(), '|');
        }
        return value.IsNull() ? wxString("<null>") : value.MakeString();
    }
    int Row(const char* code) const
    {
        const trade_HoldBill& bill = *data.store.m_trade_HoldBill_table->Find(code);
        return model->GetOrderList().FindRow(bill.accountKey, &bill);
    }

    PaneTestStore data;
    std::vector<std::string> log;
    wxObjectDataPtr<HoldDetailModel> model;
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(HoldDetailList, FirstBillBringsTheSummaryRowAndTheNextBillsStandAboveIt)
{
    data.AddAccount(11, '3'); // no summary row of its own
    data.AddSymbol(101, 11);
    EXPECT_EQ(Rows(), Lines{});

    data.AddBill("B1", 11, 101);
    EXPECT_EQ(Rows(), (Lines{"B1#1", "=11"}));
    EXPECT_EQ(TakeLog(), (Lines{"add 0", "add 1"}));

    data.AddBill("B2", 11, 101);
    data.AddBill("B3", 11, 101);
    EXPECT_EQ(Rows(), (Lines{"B1#1", "B2#2", "B3#3", "=11"}));
    EXPECT_EQ(TakeLog(), (Lines{"add 1", "add 2"}));
    EXPECT_EQ(model->GetCount(), 4u);
    EXPECT_EQ(Value(2, HoldDetailModel::eNumber).GetLong(), 3);
}

TEST_F(HoldDetailList, BillsOfTwoAccountsArrivingAlternatelyStayGrouped)
{
    data.AddAccount(11, '1');
    data.AddAccount(12, '2');
    data.AddSymbol(101, 11);
    data.AddSymbol(201, 12);
    EXPECT_EQ(Rows(), (Lines{"=11", "=12"}));

    data.AddBill("A1", 11, 101);
    data.AddBill("B1", 12, 201);
    data.AddBill("A2", 11, 101);
    data.AddBill("B2", 12, 201);
    EXPECT_EQ(Rows(), (Lines{"A1#1", "A2#2", "=11", "B1#1", "B2#2", "=12"}));
    EXPECT_EQ(model->GetCount(), 6u);
}

TEST_F(HoldDetailList, OnlyAccountsOfClassOneAndTwoGetASummaryRowOnArrival)
{
    const struct
    {
        char accountClass;
        bool summaryOnArrival;
    } cases[] = {{'1', true}, {'2', true}, {'3', false}, {'0', false}, {0, false}};
    int key = 10;
    for(const auto& c : cases) {
        ++key;
        data.AddAccount(key, c.accountClass);
        EXPECT_EQ(model->GetOrderList().FindSummaryRow(key) != OrderList::kNoRow, c.summaryOnArrival)
            << "class " << int(c.accountClass);
        data.AddSymbol(key * 10, key);
        data.AddBill(std::to_string(key).c_str(), key, key * 10);
        EXPECT_NE(model->GetOrderList().FindSummaryRow(key), OrderList::kNoRow)
            << "class " << int(c.accountClass);
    }
    EXPECT_EQ(model->GetCount(), 10u);
}

TEST_F(HoldDetailList, RemovingTheLastBillLeavesTheSummaryRowAlone)
{
    data.AddAccount(11, '1');
    data.AddAccount(12, '1');
    data.AddSymbol(101, 11);
    data.AddSymbol(201, 12);
    data.AddBill("A1", 11, 101);
    data.AddBill("A2", 11, 101);
    data.AddBill("B1", 12, 201);
    TakeLog();

    data.RemoveBill("A1");
    EXPECT_EQ(Rows(), (Lines{"A2#1", "=11", "B1#1", "=12"}));
    data.RemoveBill("A2");
    EXPECT_EQ(Rows(), (Lines{"=11", "B1#1", "=12"}));
    EXPECT_EQ(TakeLog(), (Lines{"delete 0", "delete 0"}));
    EXPECT_EQ(model->GetCount(), 3u);
}

TEST_F(HoldDetailList, AfterAnAccountGoesItsBillsStayButCountInNoOtherGroup)
{
    user_Account a11 = data.MakeAccount(11, '1');
    a11.accountState = '1';
    data.AddAccount(a11);
    data.AddAccount(12, '1');
    data.AddSymbol(101, 12); // booked to the account that stays, so the rows show
    data.AddSymbol(201, 12);
    trade_HoldBill a1 = data.MakeBill("A1", 11, 101);
    a1.marginUsed = 100;
    trade_HoldBill a2 = data.MakeBill("A2", 11, 101);
    a2.marginUsed = 200;
    trade_HoldBill b1 = data.MakeBill("B1", 12, 201);
    b1.marginUsed = 7;
    b1.chargeOpen = 1.5;
    b1.totalChargeInterest = 0.25;
    data.AddBill(a1);
    data.AddBill(a2);
    data.AddBill(b1);
    data.RemoveAccount(11);
    EXPECT_EQ(Rows(), (Lines{"A1#1", "A2#2", "B1#1", "=12"}));

    std::vector<wxString> walked;
    model->ForEachBillOfAccount(12, [&](const trade_HoldBill& bill) { walked.push_back(bill.orderCode); });
    EXPECT_EQ(walked, std::vector<wxString>{"B1"});
    const user_Account& a12 = *data.store.m_user_Account_table->GetIndexByPrimary().find(12);
    EXPECT_EQ(model->GetSummaryText(a12, HoldDetailModel::eMarginUsed), "7.00");
    EXPECT_EQ(model->GetSummaryText(a12, HoldDetailModel::eChargeOpen), "1.50");
    EXPECT_EQ(model->GetSummaryText(a12, HoldDetailModel::eTotalChargeInterest), "0.25");
    EXPECT_EQ(Text(2, HoldDetailModel::eNumber), "1");

    // A new bill of the group joins it; the orphans keep their numbers.
    data.AddBill("B2", 12, 201);
    EXPECT_EQ(Rows(), (Lines{"A1#1", "A2#2", "B1#1", "B2#2", "=12"}));
    // The orphans' account is gone: no money command takes it.
    EXPECT_EQ(model->GetRowAccount(0), nullptr);
    EXPECT_EQ(model->FindMoneyAccount(0, HoldDetailModel::eMasterAccount), nullptr);
    // Nor is the gone account's summary walked.
    walked.clear();
    model->ForEachBillOfAccount(11, [&](const trade_HoldBill& bill) { walked.push_back(bill.orderCode); });
    EXPECT_TRUE(walked.empty());
}

TEST_F(HoldDetailList, AModelMadeOverFilledTablesListsThemAsTheTriggersWould)
{
    data.AddAccount(11, '1');
    data.AddAccount(12, '3'); // a summary row only with a bill
    data.AddAccount(13, '2');
    data.AddSymbol(101, 11);
    data.AddSymbol(201, 12);
    data.AddBill("A1", 11, 101);
    data.AddBill("B1", 12, 201);
    data.AddBill("A2", 11, 101);
    model = new HoldDetailModel(&data.store, nullptr);
    EXPECT_EQ(Rows(), (Lines{"A1#1", "A2#2", "=11", "=13", "B1#1", "=12"}));
    EXPECT_EQ(model->GetCount(), 6u);
}

TEST_F(HoldDetailList, ChangesRepaintTheirRowAndAQuoteOnlyTheDynProfitCellsOfItsSymbol)
{
    data.AddAccount(11, '1');
    data.AddSymbol(101, 11);
    data.AddSymbol(102, 11);
    data.AddBill("A1", 11, 101);
    data.AddBill("A2", 11, 102);
    data.AddBill("A3", 11, 101);
    TakeLog();

    data.SetPrice(101, 120.0);
    Lines repainted = TakeLog();
    std::sort(repainted.begin(), repainted.end()); // the rows of a symbol come in no order
    EXPECT_EQ(repainted, (Lines{"value 0 11", "value 2 11"}));

    data.ChangeAccount(11, [](user_Account& a) { a.marginRemain = 1; });
    EXPECT_EQ(TakeLog(), Lines{"change 3"});

    auto& bills = *data.store.m_trade_HoldBill_table;
    ASSERT_TRUE(bills.Modify(wxString("A2"), [](trade_HoldBill& b) { b.stopLoss = 90; }));
    EXPECT_EQ(TakeLog(), Lines{"change 1"});

    data.RemoveAccount(11);
    EXPECT_EQ(TakeLog(), Lines{"delete 3"});
}

TEST_F(HoldDetailList, LastPriceIsTheQuoteTheBillWouldCloseAt)
{
    const struct
    {
        char marketType;
        char side;
        const char* expected;
    } cases[] = {
        {'1', 'b', "99.70"},  // quote less the sell spread (30 points)
        {'1', 's', "100.20"}, // quote plus the buy spread (20 points)
        {'2', 'b', "100.00"}, {'3', 's', "100.00"}, {'4', 'b', "100.00"},
    };
    data.AddAccount(11, '1');
    int id = 100;
    for(const auto& c : cases) {
        ++id;
        data.AddSymbol(id, 11, c.marketType, 100.0, 2, 20, 30);
        const std::string code = "L" + std::to_string(id);
        data.AddBill(code.c_str(), 11, id, c.side);
        EXPECT_EQ(Text(Row(code.c_str()), HoldDetailModel::eLastPrice), c.expected)
            << "market " << c.marketType << " side " << c.side;
    }
    // The quote's own decimals, not the property's.
    auto& quotes = *data.store.m_symbol_price_table;
    symbol_price quote = *quotes.GetIndexByPrimary().find(103);
    quote.digits = 3;
    ASSERT_TRUE(quotes.Update(quotes.GetIndexByPrimary().find(103), quote));
    EXPECT_EQ(Text(Row("L103"), HoldDetailModel::eLastPrice), "100.000");
}

TEST_F(HoldDetailList, BillCellTexts)
{
    data.AddAccount(11, '1');
    data.AddSymbol(101, 11, '2', 5000.0, 0);
    data.AddSymbol(102, 11, '2', 100.0, 2);
    trade_HoldBill empty = data.MakeBill("E1", 11, 101, 's', 0.0, 4980);
    empty.openPrice = 4970;
    empty.marginUsed = 1234.5;
    empty.chargeOpen = 4.25;
    empty.totalChargeInterest = 6.25;
    empty.deliveryStatus = '2';
    data.AddBill(empty);
    trade_HoldBill full = data.MakeBill("F1", 11, 102, 'b', 2.5, 99.5);
    full.stopLoss = 95.25;
    full.takeProfit = 0;
    data.AddBill(full);

    const int e = Row("E1");
    const struct
    {
        int row;
        HoldDetailModel::Column column;
        const char* text;
    } cells[] = {
        {e, HoldDetailModel::eNumber, "1"},
        {e, HoldDetailModel::eOrderCode, "E1"},
        {e, HoldDetailModel::eSymbol, "Sym101"},
        {e, HoldDetailModel::eOpenPrice, "4970"},
        {e, HoldDetailModel::eHoldPrice, "4980"},
        {e, HoldDetailModel::eDirection, "S"},
        {e, HoldDetailModel::eQuantity, "0.00-"},
        {e, HoldDetailModel::eStopLoss, " 0 "},
        {e, HoldDetailModel::eTakeProfit, " 0 "},
        {e, HoldDetailModel::eOpenTime, "2016-05-04 13:20:00"},
        {e, HoldDetailModel::eMarginUsed, "1234.50"},
        {e, HoldDetailModel::eChargeOpen, "4.25"},
        {e, HoldDetailModel::eTotalChargeInterest, "6.25"},
        {e, HoldDetailModel::eDeliveryStatus, "eDELS_WaitDelivery"},
        {e + 1, HoldDetailModel::eNumber, "2"},
        {e + 1, HoldDetailModel::eQuantity, "2.50"},
        {e + 1, HoldDetailModel::eStopLoss, "95.25"},
        {e + 1, HoldDetailModel::eTakeProfit, "0.00"},
        {e + 1, HoldDetailModel::eDeliveryStatus, "eDELS_NotDelivery"},
    };
    for(const auto& cell : cells) {
        EXPECT_EQ(Text(cell.row, cell.column), cell.text) << "row " << cell.row << " column " << cell.column;
    }
    // The link columns hand the control a list of texts.
    EXPECT_EQ(Value(e, HoldDetailModel::eQuantity).GetType(), "arrstring");
    EXPECT_EQ(Value(e, HoldDetailModel::eDeliveryStatus).GetType(), "arrstring");
    EXPECT_EQ(Value(e, HoldDetailModel::eOrderCode).GetType(), "string");
    // Outside the table: nothing.
    EXPECT_EQ(Text(e, HoldDetailModel::eColumnCount), "<null>");
    EXPECT_EQ(Text(99, HoldDetailModel::eOrderCode), "<null>");
}

TEST_F(HoldDetailList, ProfitCellsFollowTheQuoteAndABillWithoutItsLinksShowsNothing)
{
    data.AddAccount(11, '1');
    data.AddSymbol(101, 11, '2', 100.0, 2, 0, 0, 10);
    data.AddBill("P1", 11, 101, 'b', 2.0, 100.0);
    data.SetPrice(101, 101.25);
    EXPECT_EQ(Text(Row("P1"), HoldDetailModel::eDynProfit), "25.00");
    EXPECT_EQ(Text(Row("P1"), HoldDetailModel::eAccuProfit), "25.00");

    // A bill whose symbol is unknown shows an empty row, number included.
    data.AddBill("X1", 11, 999);
    EXPECT_EQ(Text(Row("X1"), HoldDetailModel::eNumber), "<null>");
    EXPECT_EQ(Text(Row("X1"), HoldDetailModel::eOrderCode), "<null>");
}

TEST_F(HoldDetailList, SummaryRowHandsItsAccountAndItsTextsSumTheGroup)
{
    user_Account account = data.MakeAccount(11, '1', "M1");
    account.marginRemain = 1000;
    account.marginFreezed = 20;
    account.dailyCharge = 3.5;
    account.profitClose = -12;
    account.riskKind = '1';
    account.riskRate = 0.8532;
    data.AddAccount(account);
    data.AddSymbol(101, 11, '2', 110.0, 2, 0, 0, 1);
    trade_HoldBill b1 = data.MakeBill("S1", 11, 101, 'b', 1.0, 100.0);
    b1.marginUsed = 10.5;
    b1.chargeOpen = 1;
    b1.totalChargeInterest = 2;
    trade_HoldBill b2 = data.MakeBill("S2", 11, 101, 's', 3.0, 100.0);
    b2.marginUsed = 20.25;
    b2.chargeOpen = 0.5;
    b2.totalChargeInterest = 0.75;
    data.AddBill(b1);
    data.AddBill(b2);

    const int summary = model->GetOrderList().FindSummaryRow(11);
    const user_Account& stored = *data.store.m_user_Account_table->GetIndexByPrimary().find(11);
    for(unsigned int column = 0; column < HoldDetailModel::eColumnCount; ++column) {
        const wxVariant value = Value(summary, column);
        ASSERT_EQ(value.GetType(), "void*") << column;
        EXPECT_EQ(value.GetVoidPtr(), &stored) << column;
    }
    EXPECT_EQ(model->GetSummaryText(stored, HoldDetailModel::eNumber),
              "[ M1 ] MarginRemain[1000.00] MarginFreezed[20.00] DailyCharge[3.50] profitClose[-12.00] "
              "risk[85.32% (M/N)]");
    // 1 x (110 - 100) + 3 x (100 - 110)
    EXPECT_EQ(model->GetSummaryText(stored, HoldDetailModel::eDynProfit), "-20.00");
    EXPECT_EQ(model->GetSummaryText(stored, HoldDetailModel::eMarginUsed), "30.75");
    EXPECT_EQ(model->GetSummaryText(stored, HoldDetailModel::eChargeOpen), "1.50");
    EXPECT_EQ(model->GetSummaryText(stored, HoldDetailModel::eTotalChargeInterest), "2.75");
    EXPECT_EQ(model->GetSummaryText(stored, HoldDetailModel::eOrderCode), "");
    // The sums kept for the paints follow a quote and a changed bill.
    data.SetPrice(101, 120.0); // 1 x 20 + 3 x -20
    EXPECT_EQ(model->GetSummaryText(stored, HoldDetailModel::eDynProfit), "-40.00");
    ASSERT_TRUE(data.store.m_trade_HoldBill_table->Modify(wxString("S2"),
                                                          [](trade_HoldBill& b) { b.marginUsed = 1; }));
    EXPECT_EQ(model->GetSummaryText(stored, HoldDetailModel::eMarginUsed), "11.50");

    // Without the login record the summary cells stay empty.
    user_Account stranger = data.MakeAccount(12, '1');
    stranger.userId = 4242;
    data.AddAccount(stranger);
    EXPECT_TRUE(Value(model->GetOrderList().FindSummaryRow(12), 0).IsNull());
}

TEST_F(HoldDetailList, CellColours)
{
    data.AddAccount(11, '1');
    data.AddSymbol(101, 11, '2', 100.0, 2);
    data.AddBill("UP", 11, 101, 'b', 1.0, 90.0);
    data.AddBill("DOWN", 11, 101, 'b', 1.0, 110.0);
    data.AddBill("EVEN", 11, 101, 'b', 1.0, 100.0);
    data.AddBill("LOSS", 11, 101, 'b', 2.0, 110.0);
    const int summary = model->GetOrderList().FindSummaryRow(11); // sum: 10 - 10 + 0 - 20 < 0

    auto attrOf = [&](int row, unsigned int column) {
        wxDataViewItemAttr attr;
        const bool set = model->GetAttrByRow(row, column, attr);
        EXPECT_EQ(set, !attr.IsDefault());
        return attr;
    };
    const wxColour up = DrawingUtils::GetGlobalUpColour();
    const wxColour down = DrawingUtils::GetGlobalDownColour();
    for(const unsigned int column : {HoldDetailModel::eDynProfit, HoldDetailModel::eAccuProfit}) {
        EXPECT_EQ(attrOf(Row("UP"), column).GetColour(), up);
        EXPECT_EQ(attrOf(Row("DOWN"), column).GetColour(), down);
        EXPECT_FALSE(attrOf(Row("EVEN"), column).HasColour());
        EXPECT_EQ(attrOf(summary, column).GetColour(), down);
    }
    for(const unsigned int column : {HoldDetailModel::eQuantity, HoldDetailModel::eStopLoss,
                                     HoldDetailModel::eTakeProfit, HoldDetailModel::eDeliveryStatus}) {
        EXPECT_EQ(attrOf(Row("UP"), column).GetColour(), wxColour(0, 0, 255)) << column;
        EXPECT_EQ(attrOf(summary, column).GetColour(), wxColour(0, 0, 255)) << column;
    }
    for(const unsigned int column :
        {HoldDetailModel::eMarginUsed, HoldDetailModel::eChargeOpen, HoldDetailModel::eTotalChargeInterest}) {
        const wxDataViewItemAttr summaryAttr = attrOf(summary, column);
        EXPECT_TRUE(summaryAttr.GetBold()) << column;
        // On a light background the summary totals are dark.
        EXPECT_EQ(summaryAttr.GetColour(), model->GetSummaryTextColour());
        EXPECT_TRUE(DrawingUtils::IsDark(model->GetSummaryTextColour()));
        EXPECT_TRUE(attrOf(Row("UP"), column).IsDefault()) << column;
    }
    for(const unsigned int column : {HoldDetailModel::eNumber, HoldDetailModel::eOrderCode,
                                     HoldDetailModel::eLastPrice, HoldDetailModel::eOpenTime}) {
        EXPECT_TRUE(attrOf(Row("UP"), column).IsDefault()) << column;
        EXPECT_TRUE(attrOf(summary, column).IsDefault()) << column;
    }
}

TEST_F(HoldDetailList, MoneyCommandsTakeTheRowsAccountOrTheMasterOrTheFirst)
{
    EXPECT_EQ(model->FindMoneyAccount(-1, HoldDetailModel::eMasterAccount), nullptr);
    EXPECT_EQ(model->FindMoneyAccount(0, HoldDetailModel::eFirstAccount), nullptr);

    data.AddAccount(11, '1');
    user_Account master = data.MakeAccount(12, '1');
    master.accountState = '1';
    data.AddAccount(master);
    data.AddAccount(13, '3');
    data.AddSymbol(301, 13);
    data.AddBill("C1", 13, 301);
    const auto& accounts = data.store.m_user_Account_table->GetIndexByPrimary();
    const user_Account* first = &*accounts.begin();

    const int billRow = Row("C1");
    EXPECT_EQ(model->FindMoneyAccount(billRow, HoldDetailModel::eMasterAccount)->accountKey, 13);
    EXPECT_EQ(
        model->FindMoneyAccount(model->GetOrderList().FindSummaryRow(11), HoldDetailModel::eMasterAccount)
            ->accountKey,
        11);
    EXPECT_EQ(model->FindMoneyAccount(-1, HoldDetailModel::eMasterAccount)->accountKey, 12);
    EXPECT_EQ(model->FindMoneyAccount(99, HoldDetailModel::eMasterAccount)->accountKey, 12);
    EXPECT_EQ(model->FindMoneyAccount(-1, HoldDetailModel::eFirstAccount), first);

    // Without a master, the first account.
    data.ChangeAccount(12, [](user_Account& a) { a.accountState = '2'; });
    EXPECT_EQ(model->FindMoneyAccount(-1, HoldDetailModel::eMasterAccount), first);
}
