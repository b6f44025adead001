// The positions model over real record tables, without a display: its rows
// and total row as positions come, change and go, the quotes it follows, and
// the texts and colours of its cells.
#include "panes/PositionModel.h"

#include "../common/RecordingNotifier.h"
#include "PaneTestRecords.h"

#include <gtest/gtest.h>
#include <pelmora/DrawingUtils.h>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class PositionModelTest : public ::testing::Test, protected PaneTestRecords
{
protected:
    PositionModelTest() : m_model(new PositionModel(&store))
    {
        m_model->AddNotifier(new RecordingNotifier(m_log));
    }

    trade_PositionFactory& Positions() { return *store.m_trade_Position_table; }

    void AddPosition(int symbolId, double buyQuantity, double buyAmount, double sellQuantity,
                     double sellAmount)
    {
        trade_Position position;
        position.accountKey = kAccount;
        position.symbolId = symbolId;
        position.buyQuantity = buyQuantity;
        position.buyAmount = buyAmount;
        position.sellQuantity = sellQuantity;
        position.sellAmount = sellAmount;
        ASSERT_TRUE(Positions().Insert(position).second);
    }
    void RemovePosition(int symbolId)
    {
        const auto found = Positions().GetIndexByPrimary().find(symbolId);
        ASSERT_NE(found, Positions().GetIndexByPrimary().end());
        ASSERT_TRUE(Positions().Remove(found));
    }

    wxVariant Cell(unsigned int row, unsigned int column) const
    {
        wxVariant value;
        m_model->GetValueByRow(value, row, column);
        return value;
    }
    wxString Text(unsigned int row, unsigned int column) const
    {
        const wxVariant value = Cell(row, column);
        if(value.GetType() == "arrstring") {
            return wxJoin(value.GetArrayString(), '|');
        }
        return value.IsNull() ? wxString("(none)") : value.MakeString();
    }
    wxDataViewItemAttr Attr(unsigned int row, unsigned int column) const
    {
        wxDataViewItemAttr attr;
        m_model->GetAttrByRow(row, column, attr);
        return attr;
    }
    Log TakeLog()
    {
        Log log;
        log.swap(m_log);
        return log;
    }

    Log m_log;
    wxObjectDataPtr<PositionModel> m_model;
};

} // namespace

TEST_F(PositionModelTest, TheTotalRowComesWithTheFirstPositionFollowsEveryChangeAndGoesWithTheLast)
{
    EXPECT_EQ(m_model->GetCount(), 0u); // no position, no total row

    AddPosition(kSilver, 2, 150000, 0, 0);
    EXPECT_EQ(TakeLog(), (Log{"add 0", "cleared"}));
    EXPECT_EQ(m_model->GetCount(), 2u);
    EXPECT_EQ(Text(0, PositionModel::eRowNumber), "1");
    EXPECT_EQ(Text(1, PositionModel::eRowNumber), "Counter");
    EXPECT_TRUE(m_model->IsTotalRow(1));

    // A second position: appended, the place of the old total row and the
    // new total row repainted.
    AddPosition(kPlatinum, 0, 0, 3, 1141.5);
    EXPECT_EQ(TakeLog(), (Log{"add 2", "change 1", "change 2"}));
    EXPECT_EQ(m_model->GetCount(), 3u);
    EXPECT_EQ(Text(1, PositionModel::eSymbol), wxString::FromUTF8("铂金"));
    EXPECT_EQ(Text(2, PositionModel::eQuantitySell), "3.00");

    // A fill changes a position: its row and the sums.
    trade_Position changed = *Positions().GetIndexByPrimary().find(kSilver);
    changed.buyQuantity = 5;
    ASSERT_TRUE(Positions().Update(Positions().GetIndexByPrimary().find(kSilver), changed));
    EXPECT_EQ(TakeLog(), (Log{"change 0", "change 2"}));
    EXPECT_EQ(Text(2, PositionModel::eQuantityBuy), "5.00");

    // A quote of a symbol with a position repaints only the profit cells; a
    // quote of any other symbol nothing.
    Quote(kSilver, 5010);
    EXPECT_EQ(TakeLog(), (Log{"value 0 7", "value 2 7"}));
    Quote(kOrphan, 11);
    EXPECT_EQ(TakeLog(), Log{});

    // A close that ends one position: its row goes and the total row, now
    // the last of two, is repainted.
    RemovePosition(kPlatinum);
    EXPECT_EQ(TakeLog(), (Log{"delete 1", "change 1"}));
    EXPECT_EQ(m_model->GetCount(), 2u);
    EXPECT_EQ(Text(1, PositionModel::eQuantitySell), "0.00");

    RemovePosition(kSilver);
    EXPECT_EQ(TakeLog(), (Log{"delete 0", "cleared"}));
    EXPECT_EQ(m_model->GetCount(), 0u);
}

TEST_F(PositionModelTest, CellsShowAveragesLinksProfitsAndTheirSums)
{
    // Holds whose floating profits make the profit cells: AG buy 2 from 4980
    // at 5000 - 2 points: (4998 - 4980) x 15 x 2 = 540; PT sell 3 from 380.50
    // at 380.50 + 0.02: -0.06.
    AddHold("H1", kSilver, 'b', 2, 4980);
    AddHold("H2", kPlatinum, 's', 3, 380.5);
    AddPosition(kSilver, 2, 150000, 0, 0);
    AddPosition(kPlatinum, 0, 0, 3, 1141.5);

    struct Row
    {
        unsigned int row;
        const char* cells[8];
    };
    const Row rows[] = {
        {0, {"1", "现货一部", "白银", "5000", "0", "2.00", "0.00-", "540.00"}},
        {1, {"2", "现货一部", "铂金", "0.00", "380.50", "0.00-", "3.00", "-0.06"}},
        {2, {"Counter", "(none)", "(none)", "(none)", "(none)", "2.00", "3.00", "539.94"}},
    };
    for(const Row& row : rows) {
        for(unsigned int column = 0; column < PositionModel::eColumnCount; ++column) {
            EXPECT_EQ(Text(row.row, column), wxString::FromUTF8(row.cells[column]))
                << "row " << row.row << " column " << column;
        }
    }
    // The links are one-element lists; the total's sums plain texts.
    EXPECT_EQ(Cell(0, PositionModel::eQuantityBuy).GetType(), "arrstring");
    EXPECT_EQ(Cell(2, PositionModel::eQuantityBuy).GetType(), "string");
    EXPECT_EQ(m_model->GetColumnCount(), 8u);

    // A quote moves the profit of its symbol and of the total.
    Quote(kSilver, 4900); // (4898 - 4980) x 30 = -2460
    EXPECT_EQ(Text(0, PositionModel::eDynProfit), "-2460.00");
    EXPECT_EQ(Text(2, PositionModel::eDynProfit), "-2460.06");

    // Contract unit 0: the average is 0 in the symbol's decimals.
    AddSymbol(104, kAccount, "ZU", "Zero unit", 3, 0, 10);
    AddPosition(104, 2, 100, 1, 50);
    EXPECT_EQ(Text(2, PositionModel::ePriceAvgBuy), "0.000");
    EXPECT_EQ(Text(2, PositionModel::ePriceAvgSell), "0.000");
}

TEST_F(PositionModelTest, LinksAreBlueProfitsFollowTheirSignAndTheTotalIsBoldOnYellow)
{
    AddHold("H1", kSilver, 'b', 2, 4980);    // +540
    AddHold("H2", kPlatinum, 's', 3, 380.5); // -0.06
    AddPosition(kSilver, 2, 150000, 0, 0);
    AddPosition(kPlatinum, 0, 0, 3, 1141.5);
    trade_Position flat;
    flat.symbolId = 103; // no holds: profit 0
    AddSymbol(103, kAccount, "CU", "Copper", 1, 5, 68500);
    ASSERT_TRUE(Positions().Insert(flat).second);

    for(unsigned int row : {0u, 1u, 2u}) {
        EXPECT_EQ(Attr(row, PositionModel::eQuantityBuy).GetColour(), *wxBLUE) << row;
        EXPECT_EQ(Attr(row, PositionModel::eQuantitySell).GetColour(), *wxBLUE) << row;
        EXPECT_FALSE(Attr(row, PositionModel::eSymbol).HasColour()) << row;
        EXPECT_FALSE(Attr(row, PositionModel::eSymbol).GetBold()) << row;
    }
    EXPECT_EQ(Attr(0, PositionModel::eDynProfit).GetColour(), DrawingUtils::GetGlobalUpColour());
    EXPECT_EQ(Attr(1, PositionModel::eDynProfit).GetColour(), DrawingUtils::GetGlobalDownColour());
    EXPECT_FALSE(Attr(2, PositionModel::eDynProfit).HasColour());

    for(unsigned int column = 0; column < PositionModel::eColumnCount; ++column) {
        const wxDataViewItemAttr total = Attr(3, column);
        EXPECT_TRUE(total.GetBold()) << column;
        EXPECT_EQ(total.GetBackgroundColour(), wxColour(255, 255, 200)) << column;
    }
    EXPECT_EQ(Attr(3, PositionModel::eDynProfit).GetColour(), DrawingUtils::GetGlobalUpColour());
    EXPECT_FALSE(Attr(3, PositionModel::eQuantityBuy).HasColour()); // sums are no links
}

TEST_F(PositionModelTest, APositionWithoutItsSymbolsAccountShowsAnEmptyRow)
{
    AddPosition(kOrphan, 1, 10, 0, 0);
    AddPosition(4242, 1, 10, 0, 0); // no such symbol
    ASSERT_EQ(m_model->GetCount(), 3u);
    for(unsigned int row : {0u, 1u}) {
        for(unsigned int column = 0; column < PositionModel::eColumnCount; ++column) {
            EXPECT_TRUE(Cell(row, column).IsNull()) << row << "/" << column;
        }
        EXPECT_FALSE(Attr(row, PositionModel::eQuantityBuy).HasColour());
    }
    EXPECT_EQ(Text(2, PositionModel::eRowNumber), "Counter");
    EXPECT_EQ(Text(2, PositionModel::eQuantityBuy), "2.00");
    // Outside the table: nothing.
    EXPECT_TRUE(Cell(2, PositionModel::eColumnCount).IsNull());
    EXPECT_TRUE(Cell(3, PositionModel::eRowNumber).IsNull());
}
