// The per-symbol point-difference memory in a scratch user-data folder, its
// defaults, and the symbol groups of the configuration.
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "orders/OrderDialogConfig.h"
#include "orders/PointDiffDefaults.h"
#include "orders/SymbolGroupConfig.h"

#include <gtest/gtest.h>
#include <pelmora/Archive.h>
#include <pelmora/EditorConfig.h>
#include <pelmora/JSONRoot.h>

namespace {

class OrderSettings : public ::testing::Test
{
protected:
    OrderSettings() { EditorConfigST::Free(); }
    ~OrderSettings() override { EditorConfigST::Free(); }

    static OrderDialogConfig Record(const char* code, bool use, int points)
    {
        OrderDialogConfig config;
        config.m_symbolName = code;
        config.m_usePointDiff = use;
        config.m_pointDiff = points;
        return config;
    }

private:
    ScratchFolder m_folder{"tessrin-orders"};
    ScopedEnv m_userData{"PELMORA_USER_DATA_DIR", m_folder.Path()};
};

wxArrayString Codes(std::initializer_list<const char*> codes)
{
    wxArrayString list;
    for(const char* code : codes) {
        list.Add(code);
    }
    return list;
}

} // namespace

TEST(PointDiffDefaultsTest, ParsesTheSymbolListAndSkipsBadItems)
{
    const PointDiffDefaults example = PointDiffDefaults::Parse(20, "AG:15,CU:30,BAD,:5,XX:ten");
    EXPECT_EQ((std::map<wxString, int>{{"AG", 15}, {"CU", 30}}), example.symbolPointDiffs);
    EXPECT_EQ(15, example.For("AG"));
    EXPECT_EQ(20, example.For("ag"));
    EXPECT_EQ(20, example.For("XX"));

    struct Case
    {
        const char* text;
        std::map<wxString, int> entries;
    };
    const Case cases[] = {
        {"", {}},
        {"A\\,B:7", {{"A,B", 7}}},  // an escaped comma stays in the code
        {"AG:1,AG:2", {{"AG", 2}}}, // the later item wins
        {"AG:3:9", {{"AG", 3}}},    // parts after the second are ignored
        {"AG:99999999999", {}},     // not a 32-bit value
        {"AG:-4", {{"AG", -4}}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.entries, PointDiffDefaults::Parse(20, c.text).symbolPointDiffs);
    }
    // Without a plug-in configuration both keys read as their defaults.
    EXPECT_EQ(20, DefaultPointDiffs().defaultPointDiff);
    EXPECT_TRUE(DefaultPointDiffs().symbolPointDiffs.empty());
}

TEST_F(OrderSettings, NothingStoredGivesTheDefaultsInUse)
{
    const OrderDialogConfig loaded = OrderDialogConfig::Load("AG", false);
    EXPECT_EQ("AG", loaded.m_symbolName);
    EXPECT_TRUE(loaded.m_usePointDiff);
    EXPECT_EQ(20, loaded.m_pointDiff);
}

TEST_F(OrderSettings, StoredRecordsComeBackPerCodeAndDefaultsOnlyIgnoresThem)
{
    OrderDialogConfig off = Record("AG", false, -1);
    ASSERT_TRUE(off.Save());
    OrderDialogConfig lower = Record("ag", true, 35);
    ASSERT_TRUE(lower.Save());
    EditorConfigST::Free(); // read back from the file

    const OrderDialogConfig ag = OrderDialogConfig::Load("AG", false);
    EXPECT_FALSE(ag.m_usePointDiff);
    EXPECT_EQ(-1, ag.m_pointDiff);
    const OrderDialogConfig agLower = OrderDialogConfig::Load("ag", false);
    EXPECT_TRUE(agLower.m_usePointDiff);
    EXPECT_EQ(35, agLower.m_pointDiff);
    const OrderDialogConfig defaults = OrderDialogConfig::Load("AG", true);
    EXPECT_TRUE(defaults.m_usePointDiff);
    EXPECT_EQ(20, defaults.m_pointDiff);
    EXPECT_EQ("OrderDialog.AG", OrderDialogConfig::EntryName("AG"));
}

TEST_F(OrderSettings, SerialisesTheThreeKeysInOrder)
{
    OrderDialogConfig config = Record("CU", true, 12);
    Archive archive;
    config.Serialize(archive);
    const wxString text = archive.GetElement().format(false);
    const int name = text.Find("\"m_symbolName\"");
    const int points = text.Find("\"m_pointDiff\"");
    const int use = text.Find("\"m_usePointDiff\"");
    ASSERT_NE(wxNOT_FOUND, name);
    EXPECT_LT(name, points);
    EXPECT_LT(points, use);
    OrderDialogConfig read;
    read.DeSerialize(archive);
    EXPECT_EQ("CU", read.m_symbolName);
    EXPECT_EQ(12, read.m_pointDiff);
    EXPECT_TRUE(read.m_usePointDiff);
}

TEST(SymbolGroupConfigTest, ReadsGroupsByNameAndWritesThemInNameOrder)
{
    JSONRoot root(R"({"symbolGroup": [
        {"Name": "Metals", "Items": ["PT", "AG"]},
        {"Items": ["X"]},
        {"Name": "Metals", "Items": ["AU"]},
        {"Name": "Energy", "Items": []}
    ]})");
    SymbolGroupConfig groups;
    groups.FromJSON(root.toElement().namedObject("symbolGroup"));
    ASSERT_EQ(3u, groups.GetGroups().size());
    EXPECT_EQ(Codes({"AU"}), groups.GetGroups().at("Metals")); // a later element replaces
    EXPECT_EQ(Codes({"X"}), groups.GetGroups().at(""));
    EXPECT_TRUE(groups.GetGroups().at("Energy").empty());

    const JSONElement written = groups.ToJSON();
    EXPECT_EQ("symbolGroup", written.getName());
    ASSERT_EQ(3, written.arraySize());
    EXPECT_EQ("", written.arrayItem(0).namedObject("Name").toString());
    EXPECT_EQ("Energy", written.arrayItem(1).namedObject("Name").toString());
    EXPECT_EQ("Metals", written.arrayItem(2).namedObject("Name").toString());
    SymbolGroupConfig again;
    again.FromJSON(written);
    EXPECT_EQ(groups.GetGroups(), again.GetGroups());
}
