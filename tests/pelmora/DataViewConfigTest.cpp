// The column layout object of the host's data-view control: what it stores
// and how a stored layout is fitted onto a control's columns.
#include "pelmora/Archive.h"
#include "pelmora/pmDataViewCtrlConfig.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
using Column = pmDataViewCtrlConfig::Column;

// A subclass that writes its own key first, as the quote board's does.
class SortedConfig : public pmDataViewCtrlConfig
{
public:
    int sortType = 1;

    void Serialize(Archive& arch) override
    {
        arch.Write("m_sortType", sortType);
        pmDataViewCtrlConfig::Serialize(arch);
    }
    void DeSerialize(Archive& arch) override
    {
        arch.Read("m_sortType", sortType);
        pmDataViewCtrlConfig::DeSerialize(arch);
    }
};

// Model columns 0 to 3 in that order, 3 sizing itself.
std::vector<Column> FourColumns()
{
    return {{0, 45, 0, true}, {1, 100, 1, true}, {2, 80, 2, true}, {3, -2, 3, true}};
}

std::vector<int> ModelOrder(const std::vector<Column>& columns)
{
    std::vector<int> order;
    for(const Column& column : columns) {
        order.push_back(column.modelColumn);
    }
    return order;
}

Archive Written(pmDataViewCtrlConfig& config)
{
    Archive arch;
    config.Serialize(arch);
    return Archive(JSONElement::fromJson(arch.GetElement().value(), "copy"));
}
} // namespace

TEST(DataViewConfigTest, RoundTripKeepsOptionalColumnsUnderTheirKeysAndEveryColumnsLayout)
{
    SortedConfig written;
    written.sortType = 2;
    written.AddDynColumn("m_bAsk", 2, true);
    written.AddDynColumn("m_bShowHigh", 4, false);
    written.SetDynColumnShown(2, false);
    written.SetDynColumnShown(4, true);
    written.SetColumns({{0, 125, 1, true}, {2, 65, 0, false}, {4, -2, 2, true}});
    Archive arch = Written(written);

    bool ask = true;
    ASSERT_TRUE(arch.Read("m_bAsk", ask));
    EXPECT_FALSE(ask);
    // The subclass's key comes first, then the base's.
    EXPECT_EQ(arch.GetElement().value().begin().key(), "m_sortType");

    SortedConfig read;
    read.AddDynColumn("m_bAsk", 2, true);
    read.AddDynColumn("m_bShowHigh", 4, false);
    read.AddDynColumn("m_bShowLow", 5, false); // not stored: keeps its default
    read.DeSerialize(arch);
    EXPECT_EQ(read.sortType, 2);
    ASSERT_EQ(read.GetDynColumns().size(), 3u);
    EXPECT_FALSE(read.FindDynColumn(2)->shown);
    EXPECT_TRUE(read.FindDynColumn(4)->shown);
    EXPECT_FALSE(read.FindDynColumn(5)->shown);
    ASSERT_EQ(read.GetColumns().size(), 3u);
    const Column& second = read.GetColumns()[1];
    EXPECT_EQ(second.modelColumn, 2);
    EXPECT_EQ(second.width, 65);
    EXPECT_EQ(second.position, 0);
    EXPECT_FALSE(second.shown);
    EXPECT_EQ(read.GetColumns()[2].width, -2);
}

TEST(DataViewConfigTest, AnEntryWithoutColumnsOrWithNonsenseKeepsWhatItCanAndNeverFails)
{
    const struct
    {
        const char* json;
        std::vector<int> models; // model columns held afterwards
    } cases[] = {
        {R"({})", {0, 1, 2, 3}},             // nothing stored: the layout stays
        {R"({"columns": 7})", {0, 1, 2, 3}}, // not an object: likewise
        {R"({"columns": {"count": -3}})", {}},
        {R"({"columns": {"count": 2000000000, "0": {"model": 1}}})", {1}},
        {R"({"columns": {"count": 3, "0": {"model": 2}, "1": "x", "2": {"width": 5}}})", {2}},
        {R"({"columns": {"count": 2, "0": {"model": -4}, "1": {"model": 0, "width": "wide"}}})", {0}},
    };
    for(const auto& c : cases) {
        pmDataViewCtrlConfig config;
        config.SetColumns(FourColumns());
        Archive arch(JSONElement::fromJson(JSONElement::Json::parse(c.json), "layout"));
        config.DeSerialize(arch);
        EXPECT_EQ(ModelOrder(config.GetColumns()), c.models) << c.json;
    }
    // A width that is no number reads as sizing to the contents.
    pmDataViewCtrlConfig config;
    Archive arch(JSONElement::fromJson(
        JSONElement::Json::parse(R"({"columns": {"count": 1, "0": {"model": 0, "width": "wide"}}})"),
        "layout"));
    config.DeSerialize(arch);
    ASSERT_EQ(config.GetColumns().size(), 1u);
    EXPECT_EQ(config.GetColumns()[0].width, -2);
}

TEST(DataViewConfigTest, ArrangeFitsAStoredLayoutOntoTheControlsColumns)
{
    const struct
    {
        const char* name;
        std::vector<Column> stored;
        std::vector<int> order;  // model columns in display order
        std::vector<int> widths; // in display order
    } cases[] = {
        {"nothing stored keeps the built-in layout", {}, {0, 1, 2, 3}, {45, 100, 80, -2}},
        {"widths and positions come back",
         {{0, 50, 0, true}, {1, 120, 2, true}, {2, 90, 1, true}, {3, 70, 3, true}},
         {0, 2, 1, 3},
         {50, 90, 120, 70}},
        {"a column less: the unknown one keeps its place and width",
         {{0, 50, 0, true}, {2, 90, 1, true}, {1, 120, 2, true}},
         {0, 2, 1, 3},
         {50, 90, 120, -2}},
        {"a column more: the stored column the control lacks is passed over",
         {{3, 60, 0, true}, {0, 50, 1, true}, {9, 33, 2, true}, {1, 120, 3, true}, {2, 90, 4, true}},
         {3, 0, 1, 2},
         {60, 50, 120, 90}},
        {"nonsense widths keep the built-in width",
         {{0, 0, 0, true}, {1, -7, 1, true}, {2, 99999, 2, true}, {3, -2, 3, true}},
         {0, 1, 2, 3},
         {45, 100, 80, -2}},
        {"repeated entries: the first one counts",
         {{1, 110, 0, true}, {1, 10, 5, true}, {0, 40, 1, true}},
         {1, 0, 2, 3},
         {110, 40, 80, -2}},
        {"positions out of range only order the stored columns",
         {{2, 80, -50, true}, {0, 45, 1000, true}},
         {2, 1, 0, 3},
         {80, 100, 45, -2}},
    };
    for(const auto& c : cases) {
        pmDataViewCtrlConfig config;
        config.SetColumns(c.stored);
        const std::vector<Column> arranged = config.Arrange(FourColumns());
        EXPECT_EQ(ModelOrder(arranged), c.order) << c.name;
        std::vector<int> widths;
        for(size_t i = 0; i < arranged.size(); ++i) {
            widths.push_back(arranged[i].width);
            EXPECT_EQ(arranged[i].position, static_cast<int>(i)) << c.name;
        }
        EXPECT_EQ(widths, c.widths) << c.name;
    }
}

TEST(DataViewConfigTest, OnlyOptionalColumnsTakeTheirShownStateBack)
{
    pmDataViewCtrlConfig config;
    config.AddDynColumn("m_bBid", 1, true);
    config.AddDynColumn("m_bBid", 3, true); // a key counts once
    config.AddDynColumn("m_bShowLast", 2, false);
    // Stored hidden, but column 3 is not optional: the pane decides.
    config.SetColumns({{3, -2, 3, false}, {1, 100, 1, true}});
    std::vector<Column> current = FourColumns();
    current[1].shown = false; // hidden by its pane
    const std::vector<Column> arranged = config.Arrange(current);
    ASSERT_EQ(arranged.size(), 4u);
    EXPECT_TRUE(arranged[1].shown);  // optional, shown by default
    EXPECT_FALSE(arranged[2].shown); // optional, hidden by default
    EXPECT_TRUE(arranged[3].shown);  // not optional
    EXPECT_EQ(config.GetDynColumns().size(), 2u);
}
