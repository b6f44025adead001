// The depth grid: its texts, its summary figures and when it repaints,
// over a real price-level table, without a display.
#include "panes/PriceReportModel.h"

#include "db/RecordStore.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Counts the rows the model reports as changed.
class ChangeCounter : public wxDataViewModelNotifier
{
public:
    explicit ChangeCounter(int& count) : m_count(count) {}
    bool ItemAdded(const wxDataViewItem&, const wxDataViewItem&) override { return true; }
    bool ItemDeleted(const wxDataViewItem&, const wxDataViewItem&) override { return true; }
    bool ItemChanged(const wxDataViewItem&) override
    {
        ++m_count;
        return true;
    }
    bool ValueChanged(const wxDataViewItem&, unsigned int) override { return true; }
    bool Cleared() override { return true; }
    void Resort() override {}

private:
    int& m_count;
};

// Levels whose prices are 100 + element and whose volumes are given per side.
trade_priceLevel Levels(int symbolId, std::vector<float> buyVolumes, std::vector<float> sellVolumes)
{
    trade_priceLevel levels;
    levels.priceLevelId = symbolId;
    for(int i = 0; i < trade_priceLevel::kDepth; ++i) {
        levels.levels[i] = 100.0f - static_cast<float>(i);                                // buy prices
        levels.levels[trade_priceLevel::kDepth + i] = buyVolumes[i];                      // buy volumes
        levels.levels[2 * trade_priceLevel::kDepth + i] = 101.0f + static_cast<float>(i); // sell prices
        levels.levels[3 * trade_priceLevel::kDepth + i] = sellVolumes[i];                 // sell volumes
    }
    return levels;
}

std::string Text(const trade_priceLevel* levels, unsigned row, unsigned column)
{
    return PriceReportModel::CellText(levels, row, column).utf8_string();
}

} // namespace

TEST(PriceReportGrid, SummaryRowShowsRatioAndDifferenceOfTheFiveVolumesOfEachSide)
{
    struct Case
    {
        std::vector<float> buy;
        std::vector<float> sell;
        const char* ratio;
        const char* difference;
    };
    const Case cases[] = {
        {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, "0.00%", "0"},
        {{10, 10, 10, 0, 0}, {5, 5, 0, 0, 0}, "50.00%", "20"},
        {{0, 0, 0, 0, 0}, {1, 2, 3, 4, 5}, "-100.00%", "-15"},
        {{2.5f, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, "100.00%", "2.5"},
        {{1, 0, 0, 0, 0}, {2, 0, 0, 0, 0}, "-33.33%", "-1"},
    };
    for(const Case& c : cases) {
        const trade_priceLevel levels = Levels(201, c.buy, c.sell);
        SCOPED_TRACE(c.ratio);
        EXPECT_EQ(Text(&levels, 0, 0), "Buy Ratio");
        EXPECT_EQ(Text(&levels, 0, 1), c.ratio);
        EXPECT_EQ(Text(&levels, 0, 2), "Sell Ratio");
        EXPECT_EQ(Text(&levels, 0, 3), c.difference);
    }
}

TEST(PriceReportGrid, SellRowsCountDownFromFiveBuyRowsUpFromOneWithAGapAndAnEmptyThirdColumn)
{
    const trade_priceLevel levels = Levels(201, {1, 2, 3, 4, 5}, {6, 7, 8, 9, 10.25f});
    const char* labels[] = {"Sell 5", "Sell 4", "Sell 3", "Sell 2", "Sell 1"};
    for(unsigned i = 0; i < 5; ++i) {
        EXPECT_EQ(Text(&levels, 1 + i, 0), labels[i]);
        EXPECT_EQ(Text(&levels, 7 + i, 0), "Buy " + std::to_string(i + 1));
    }
    // Element 1 first on both sides, two decimals, not trimmed.
    EXPECT_EQ(Text(&levels, 1, 1), "101.00");
    EXPECT_EQ(Text(&levels, 1, 3), "6.00");
    EXPECT_EQ(Text(&levels, 5, 1), "105.00");
    EXPECT_EQ(Text(&levels, 5, 3), "10.25");
    EXPECT_EQ(Text(&levels, 7, 1), "100.00");
    EXPECT_EQ(Text(&levels, 7, 3), "1.00");
    EXPECT_EQ(Text(&levels, 11, 1), "96.00");
    EXPECT_EQ(Text(&levels, 11, 3), "5.00");
    for(unsigned column = 0; column < PriceReportModel::kColumns; ++column) {
        EXPECT_EQ(Text(&levels, 6, column), "") << column;
    }
    for(unsigned row = 1; row < PriceReportModel::kRows; ++row) {
        EXPECT_EQ(Text(&levels, row, 2), "") << row;
    }
}

TEST(PriceReportGrid, WithoutTheSymbolsRecordEveryCellIsEmpty)
{
    RecordStore db;
    db.CreateTables();
    db.m_trade_priceLevel_table->Insert(Levels(999, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}));
    wxObjectDataPtr<PriceReportModel> model(new PriceReportModel(&db, 201));
    EXPECT_EQ(model->GetCount(), PriceReportModel::kRows);
    EXPECT_EQ(model->GetColumnCount(), PriceReportModel::kColumns);
    for(unsigned row = 0; row < PriceReportModel::kRows; ++row) {
        for(unsigned column = 0; column < PriceReportModel::kColumns; ++column) {
            wxVariant value;
            model->GetValueByRow(value, row, column);
            EXPECT_EQ(value.GetString(), wxString()) << row << "," << column;
        }
    }
}

TEST(PriceReportGrid, EveryChangeOfTheTableRepaintsAllRowsAfterTheLevelsAreStoredAndOnRemoval)
{
    RecordStore db;
    db.CreateTables();
    int changed = 0;
    wxObjectDataPtr<PriceReportModel> model(new PriceReportModel(&db, 201));
    model->AddNotifier(new ChangeCounter(changed));
    auto& table = *db.m_trade_priceLevel_table;

    // Another symbol's record repaints the whole grid and shows nothing.
    table.Insert(Levels(202, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}));
    EXPECT_EQ(changed, 12);
    EXPECT_EQ(model->FindLevels(), nullptr);

    table.Insert(Levels(201, {10, 10, 10, 0, 0}, {5, 5, 0, 0, 0}));
    EXPECT_EQ(changed, 24);
    ASSERT_NE(model->FindLevels(), nullptr);

    // The repaint comes after the new volumes are stored: the grid then reads them.
    std::string seenRatio;
    struct ReadOnChange : ChangeCounter
    {
        ReadOnChange(int& count, PriceReportModel& model, std::string& seen)
            : ChangeCounter(count), m_model(model), m_seen(seen)
        {}
        bool ItemChanged(const wxDataViewItem& item) override
        {
            m_seen = PriceReportModel::CellText(m_model.FindLevels(), 0, 1).utf8_string();
            return ChangeCounter::ItemChanged(item);
        }
        PriceReportModel& m_model;
        std::string& m_seen;
    };
    int readChanges = 0;
    model->AddNotifier(new ReadOnChange(readChanges, *model, seenRatio));
    const auto stored = table.GetIndexByPrimary().find(201);
    table.Update(stored, Levels(201, {0, 0, 0, 0, 0}, {5, 5, 0, 0, 0}));
    EXPECT_EQ(changed, 36);
    EXPECT_EQ(seenRatio, "-100.00%");

    table.Remove(table.GetIndexByPrimary().find(201));
    EXPECT_EQ(changed, 48);
    EXPECT_EQ(model->FindLevels(), nullptr);

    // Gone with the model: the table no longer calls it.
    model.reset(nullptr);
    table.Insert(Levels(201, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}));
    EXPECT_EQ(changed, 48);
}
