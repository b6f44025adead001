// The order dialog's symbol list: groups in name order, the rest in the quote
// board's order, separators between groups.
#include "orders/OrderSymbolList.h"

#include "OrderTestMarket.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

wxArrayString Codes(std::initializer_list<const char*> codes)
{
    wxArrayString list;
    for(const char* code : codes) {
        list.Add(code);
    }
    return list;
}

std::vector<std::string> Texts(const std::vector<OrderSymbolEntry>& entries)
{
    std::vector<std::string> texts;
    for(const OrderSymbolEntry& entry : entries) {
        texts.push_back(entry.hasSymbol ? entry.text.utf8_string() : "--");
    }
    return texts;
}

class OrderSymbolListTest : public ::testing::Test
{
protected:
    OrderSymbolListTest()
    {
        market.AddSymbol(102, "PT", "Platinum", '1', 2, 380.5);
        market.AddSymbol(103, "OIL", "Oil", '1', 3, 72.1);
        market.AddSymbol(104, "AU", "Gold", '1', 2, 450.0);
    }
    OrderTestMarket market; // AG 101 and CU 201 (market '2') besides
};

} // namespace

TEST_F(OrderSymbolListTest, GroupsInNameOrderThenTheRestInBoardOrder)
{
    struct Case
    {
        const char* name;
        char market;
        std::map<wxString, wxArrayString> groups;
        wxArrayString board;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"no groups: board order, unlisted codes first",
         '1',
         {},
         Codes({"PT", "AG", "AU"}),
         {"Oil", "Platinum", "Silver", "Gold"}},
        {"a group before __default__ by name",
         '1',
         {{"Metals", Codes({"PT", "AG"})}},
         Codes({"AU", "OIL"}),
         {"Platinum", "Silver", "--", "Gold", "Oil"}},
        {"a group after __default__ by name",
         '1',
         {{"zeta", Codes({"OIL"})}},
         Codes({"AU", "PT", "AG"}),
         {"Gold", "Platinum", "Silver", "--", "Oil"}},
        {"a group of missing codes leaves no separator",
         '1',
         {{"Empty", Codes({"ZZ", "CU"})}},
         Codes({"AG", "PT", "OIL", "AU"}),
         {"Silver", "Platinum", "Oil", "Gold"}},
        {"every symbol grouped",
         '1',
         {{"A", Codes({"AU", "AG"})}, {"B", Codes({"OIL", "PT"})}},
         Codes({}),
         {"Gold", "Silver", "--", "Oil", "Platinum"}},
        {"codes are compared case-sensitively",
         '1',
         {{"Metals", Codes({"ag"})}},
         Codes({"AG", "PT", "OIL", "AU"}),
         {"Silver", "Platinum", "Oil", "Gold"}},
        {"the other market", '2', {{"Metals", Codes({"AG"})}}, Codes({}), {"Copper"}},
        {"every market",
         0,
         {},
         Codes({"CU", "AG", "PT", "OIL", "AU"}),
         {"Copper", "Silver", "Platinum", "Oil", "Gold"}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.texts, Texts(OrderSymbolList::Build(&market.store, c.market, c.groups, c.board)));
    }
}

TEST_F(OrderSymbolListTest, EntriesCarryTheirSymbolAndSeparatorsNone)
{
    const auto entries =
        OrderSymbolList::Build(&market.store, '1', {{"Metals", Codes({"PT", "AG"})}}, Codes({"AU", "OIL"}));
    ASSERT_EQ(5u, entries.size());
    EXPECT_EQ(102, entries[0].symbolId);
    EXPECT_EQ(101, entries[1].symbolId);
    EXPECT_FALSE(entries[2].hasSymbol);
    EXPECT_EQ(OrderSymbolList::kSeparatorText, entries[2].text);
    EXPECT_EQ(104, entries[3].symbolId);
}

TEST_F(OrderSymbolListTest, ASeparatorTakesTheSymbolAboveAndNoSelectionTheFirst)
{
    std::vector<OrderSymbolEntry> entries = {{"-", false, 0},
                                             {"Platinum", true, 102},
                                             {"Silver", true, 101},
                                             {"-", false, 0},
                                             {"Gold", true, 104}};
    const std::pair<int, int> cases[] = {{3, 2}, {4, 4}, {1, 1}, {-1, 1}, {0, -1}, {99, 1}};
    for(const auto& [selection, picked] : cases) {
        EXPECT_EQ(picked, OrderSymbolList::PickSymbolEntry(entries, selection)) << selection;
    }
    EXPECT_EQ(-1, OrderSymbolList::PickSymbolEntry({}, -1));
}
