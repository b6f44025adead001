#include "funds/StoreOrderFactory.h"

#include "ScratchFolder.h"
#include "common/MakeLocalOrderCode.h"
#include "db/RecordStore.h"
#include "funds/FinancingGoodsRules.h"
#include "funds/StoreInEntry.h"

#include <algorithm>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <wx/ffile.h>
#include <wx/filename.h>

using ::testing::ElementsAre;
using Json = nlohmann::ordered_json;

namespace {

void WriteText(const wxString& path, const std::string& text)
{
    wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFFile file(path, "wb");
    ASSERT_TRUE(file.IsOpened());
    file.Write(text.data(), text.size());
}

Json ReadJson(const wxString& path)
{
    wxFFile file(path, "rb");
    wxString text;
    if(!file.IsOpened() || !file.ReadAll(&text, wxConvUTF8)) {
        return nullptr;
    }
    return Json::parse(text.utf8_string(), nullptr, false);
}

StoreOrder LocalOrder(const wxString& code, double quantity)
{
    StoreOrder order;
    order.userId = 1001;
    order.symbolId = 101;
    order.symbolCode = wxString::FromUTF8("白银");
    order.storeCode = code;
    order.applyQuantity = quantity;
    order.quantity = quantity;
    order.storeTime = wxDateTime(9, wxDateTime::Dec, 2026, 4, 42, 23);
    order.storeName = "North";
    order.inoutStatus = 0;
    order.registStatus = 3;
    order.mortageStatus = 3;
    return order;
}

UserInventory Holding(int storeId, int symbolId, double amount, double financed = 0.0)
{
    UserInventory holding;
    holding.storeId = storeId;
    holding.symbolId = symbolId;
    holding.userAmount = amount;
    holding.financedQuantity = financed;
    holding.storeName = wxString::Format("Store %d", storeId);
    return holding;
}

class StoreOrderFileTest : public ::testing::Test
{
protected:
    StoreOrderFileTest() : m_path(m_folder.File("config/storeorder.con")), m_orders(&m_db)
    {
        m_db.CreateTables();
        symbol_Info silver;
        silver.symbolId = 101;
        silver.symbolCode = "AG";
        m_db.m_symbol_Info_table->Insert(silver);
        m_orders.SetUserKey(1001);
    }

    void Add(const StoreOrder& order)
    {
        StoreOrder copy = order;
        copy.localId = m_orders.NextLocalId();
        ASSERT_TRUE(m_orders.Insert(copy, true).second);
    }

    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for(const StoreOrder& order : m_orders.GetIndex<BySequence>()) {
            ids.push_back(order.localId);
        }
        return ids;
    }

    ScratchFolder m_folder;
    wxString m_path;
    RecordStore m_db;
    StoreOrderFactory m_orders;
};

} // namespace

TEST_F(StoreOrderFileTest, WritesMembersInOrderAndFormsAndSkipsMirroredRows)
{
    Add(LocalOrder("A1", 2.5));
    Add(LocalOrder("A2", 3));
    m_orders.MirrorAdded(Holding(1, 101, 3));
    ASSERT_EQ(m_orders.GetIndexByPrimary().size(), 3u);
    ASSERT_TRUE(m_orders.Save(m_path));

    const Json file = ReadJson(m_path);
    const Json& array = file["StoreOrder"]["1001"];
    ASSERT_EQ(array.size(), 2u);
    std::vector<std::string> keys;
    for(const auto& member : array[0].items()) {
        keys.push_back(member.key());
    }
    EXPECT_THAT(keys,
                ElementsAre("userId", "symbolId", "symbolCode", "storeCode", "quantity", "applyQuantity",
                            "storeTime", "storeName", "inoutStatus", "registStatus", "mortageStatus"));
    EXPECT_EQ(array[0]["userId"], "1001");
    EXPECT_EQ(array[0]["symbolId"], "101");
    EXPECT_EQ(array[0]["quantity"], "2.5");
    EXPECT_EQ(array[1]["applyQuantity"], "3");
    EXPECT_EQ(array[1]["storeCode"], "A2");
    EXPECT_EQ(array[0]["inoutStatus"], 0);
    EXPECT_EQ(array[0]["registStatus"], 3);
}

TEST_F(StoreOrderFileTest, LoadsAgainWithRunningIdsTimeToTheSecondAndMissingMembersDefaulted)
{
    Add(LocalOrder("A1", 2.5));
    Add(LocalOrder("A2", 3));
    Add(LocalOrder("A3", 4));
    ASSERT_TRUE(m_orders.Save(m_path));

    StoreOrderFactory reread(&m_db);
    reread.SetUserKey(1001);
    ASSERT_TRUE(reread.Load(m_path));
    ASSERT_TRUE(reread.Load(m_path));
    std::vector<int> ids;
    for(const StoreOrder& order : reread.GetIndex<BySequence>()) {
        ids.push_back(order.localId);
    }
    EXPECT_THAT(ids, ElementsAre(1, 2, 3, 4, 5, 6));
    const StoreOrder& first = reread.GetIndex<BySequence>()[0];
    EXPECT_EQ(first.storeCode, "A1");
    EXPECT_EQ(first.symbolCode, wxString::FromUTF8("白银"));
    EXPECT_DOUBLE_EQ(first.quantity, 2.5);
    ASSERT_TRUE(first.storeTime.IsValid());
    EXPECT_EQ(first.storeTime, wxDateTime(9, wxDateTime::Dec, 2026, 4, 42, 23));

    WriteText(m_path, R"({"StoreOrder":{"7":[{"storeCode":"X","storeTime":""}]}})");
    StoreOrderFactory sparse(&m_db);
    sparse.SetUserKey(7);
    ASSERT_TRUE(sparse.Load(m_path));
    ASSERT_EQ(sparse.GetIndexByPrimary().size(), 1u);
    const StoreOrder& only = *sparse.GetIndexByPrimary().begin();
    EXPECT_EQ(only.storeCode, "X");
    EXPECT_EQ(only.quantity, 0.0);
    EXPECT_FALSE(only.storeTime.IsValid());
    EXPECT_EQ(only.inoutStatus, -1);
    EXPECT_EQ(only.registStatus, -1);
    EXPECT_EQ(only.mortageStatus, -1);
    EXPECT_EQ(only.userId, 0);
}

TEST_F(StoreOrderFileTest, ElementsThatCannotBeReadAreKeptAsideAsTheyStandAndToldOnce)
{
    const Json good = Json::parse(R"({"userId":"1001","symbolId":"101","storeCode":"G1","quantity":"2.5",)"
                                  R"("inoutStatus":0,"registStatus":3,"mortageStatus":3})");
    // A negative id is written sign-extended to 64 bits; it reads back.
    const Json negative = Json::parse(R"({"storeCode":"G2","userId":"18446744073709551615"})");
    const struct
    {
        const char* name;
        const char* element;
    } cases[] = {
        {"text", R"("junk")"},
        {"number", "42"},
        {"null", "null"},
        {"no member of an order", R"({"colour":"red"})"},
        {"id beyond 32 bits", R"({"storeCode":"W","symbolId":"99999999999"})"},
        {"negative id beyond 32 bits", R"({"storeCode":"W","userId":"18446744071562067967"})"},
        {"id that is no number", R"({"storeCode":"W","userId":"12x"})"},
        {"id as a JSON number beyond 32 bits", R"({"storeCode":"W","symbolId":99999999999})"},
        {"nan quantity", R"({"storeCode":"N","quantity":"nan"})"},
        {"infinite apply quantity", R"({"storeCode":"N","applyQuantity":"inf"})"},
        {"quantity that is no number", R"({"storeCode":"N","quantity":"abc"})"},
        {"time that does not parse", R"({"storeCode":"T","storeTime":"never"})"},
        {"status as text", R"({"storeCode":"S","inoutStatus":"1"})"},
        {"status beyond 32 bits", R"({"storeCode":"S","registStatus":4294967297})"},
        {"mirrored row", R"({"storeCode":"----","inoutStatus":4})"},
        {"code as a number", R"({"storeCode":5})"},
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Json bad = Json::parse(c.element);
        const Json other = {{"1002", Json::array({bad})}};
        Json item = other;
        item["1001"] = Json::array({good, bad, negative});
        WriteText(m_path, Json{{"StoreOrder", item}}.dump());

        StoreOrderFactory orders(&m_db);
        orders.SetUserKey(1001);
        ASSERT_TRUE(orders.Load(m_path));
        EXPECT_EQ(orders.GetSetAsideCount(), 1);
        ASSERT_EQ(orders.GetIndexByPrimary().size(), 2u);
        EXPECT_EQ(orders.GetIndex<BySequence>()[1].userId, -1);
        Json file = ReadJson(m_path)["StoreOrder"];
        EXPECT_EQ(file["1001"], Json::array({good, negative})) << "the others unchanged";
        EXPECT_EQ(file["1001.unreadable"], Json::array({bad}));
        EXPECT_EQ(file["1002"], other["1002"]) << "another user's are not read";

        // Saved and read again: nothing more to set aside or tell.
        ASSERT_TRUE(orders.Save(m_path));
        EXPECT_EQ(ReadJson(m_path)["StoreOrder"]["1001.unreadable"], Json::array({bad}));
        StoreOrderFactory again(&m_db);
        again.SetUserKey(1001);
        ASSERT_TRUE(again.Load(m_path));
        EXPECT_EQ(again.GetSetAsideCount(), 0);
        EXPECT_EQ(again.GetIndexByPrimary().size(), 2u);
    }

    // A user's member that is no array, next to a kept one that is none
    // either: moved to the first free kept name.
    WriteText(m_path, R"({"StoreOrder":{"1001":"lost?","1001.unreadable":"mine"}})");
    ASSERT_TRUE(m_orders.Load(m_path));
    EXPECT_EQ(m_orders.GetSetAsideCount(), 1);
    Add(LocalOrder("A1", 1));
    ASSERT_TRUE(m_orders.Save(m_path));
    const Json file = ReadJson(m_path)["StoreOrder"];
    EXPECT_EQ(file["1001.unreadable"], "mine");
    EXPECT_EQ(file["1001.unreadable.2"], Json::array({"lost?"}));
    ASSERT_EQ(file["1001"].size(), 1u);
    EXPECT_EQ(file["1001"][0]["storeCode"], "A1");
}

TEST_F(StoreOrderFileTest, SaveKeepsOtherUsersAndHangOrdersAndWritesNothingWithoutAUser)
{
    WriteText(m_path, R"({"HangOrder":[{"orderCode":"H1"}],"StoreOrder":{"1002":[{"storeCode":"B1"}],)"
                      R"("1001":[{"storeCode":"old"}]}})");
    Add(LocalOrder("A1", 1));
    ASSERT_TRUE(m_orders.Save(m_path));
    Json file = ReadJson(m_path);
    EXPECT_EQ(file["HangOrder"][0]["orderCode"], "H1");
    EXPECT_EQ(file["StoreOrder"]["1002"][0]["storeCode"], "B1");
    ASSERT_EQ(file["StoreOrder"]["1001"].size(), 1u);
    EXPECT_EQ(file["StoreOrder"]["1001"][0]["storeCode"], "A1");

    StoreOrderFactory nobody(&m_db);
    EXPECT_FALSE(nobody.Save(m_path));
    EXPECT_EQ(ReadJson(m_path), file);
}

TEST_F(StoreOrderFileTest, MirrorFollowsEachHoldingOfItsOwnWarehouse)
{
    struct Step
    {
        const char* what;
        UserInventory holding;
        enum { eAdd, eChange, eRemove } kind;
        std::vector<double> applyQuantities; // of the mirrored rows, display order
    };
    const std::vector<Step> steps = {
        {"unknown symbol adds nothing", Holding(1, 999, 5), Step::eAdd, {}},
        {"zero adds nothing", Holding(1, 101, 0), Step::eAdd, {}},
        {"rise from zero creates", Holding(1, 101, 3, 1), Step::eChange, {3}},
        {"second warehouse, own row", Holding(801, 101, 1, 1), Step::eAdd, {3, 1}},
        {"added again, still one row", Holding(801, 101, 1, 1), Step::eAdd, {3, 1}},
        {"change hits its own row", Holding(801, 101, 2, 2), Step::eChange, {3, 2}},
        {"first store grows", Holding(1, 101, 5, 1), Step::eChange, {5, 2}},
        {"drop to zero removes", Holding(1, 101, 0), Step::eChange, {2}},
        {"removal of a held row", Holding(801, 101, 2), Step::eRemove, {}},
        {"removal of none", Holding(801, 101, 2), Step::eRemove, {}},
    };
    Add(LocalOrder("A1", 1));
    for(const Step& step : steps) {
        SCOPED_TRACE(step.what);
        switch(step.kind) {
        case Step::eAdd:
            m_orders.MirrorAdded(step.holding);
            break;
        case Step::eChange:
            m_orders.MirrorChanged(step.holding);
            break;
        case Step::eRemove:
            m_orders.MirrorRemoved(step.holding);
            break;
        }
        std::vector<double> mirrored;
        for(const StoreOrder& order : m_orders.GetIndex<BySequence>()) {
            if(order.IsMirrored()) {
                EXPECT_EQ(order.storeCode, "----");
                EXPECT_EQ(order.symbolCode, "AG");
                mirrored.push_back(order.applyQuantity);
            }
        }
        EXPECT_EQ(mirrored, step.applyQuantities);
    }
    const auto kept = m_orders.FindMirror(801, 101);
    EXPECT_TRUE(kept == m_orders.GetIndexByPrimary().end());
    EXPECT_EQ(m_orders.GetIndexByPrimary().size(), 1u);
}

TEST(StoreOrderStatusTest, TextsOfEveryCode)
{
    EXPECT_EQ(InOutStatusText(0), "StoreIn Pending");
    EXPECT_EQ(InOutStatusText(4), "StoreFinancing");
    EXPECT_EQ(InOutStatusText(5), "");
    EXPECT_EQ(RegistStatusText(3), "StoreUnRegist");
    EXPECT_EQ(RegistStatusText(4), "");
    EXPECT_EQ(MortgageStatusText(2), "UnMortgage Pending");
    EXPECT_EQ(MortgageStatusText(-1), "");
}

TEST(StoreInEntryTest, SplitsStoreNamesWithEscapedCommas)
{
    EXPECT_EQ(StoreInEntry::SplitStoreNames(""), wxArrayString());
    const wxArrayString names = StoreInEntry::SplitStoreNames("A,B\\,C");
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "A");
    EXPECT_EQ(names[1], "B,C");
}

TEST(StoreInEntryTest, RefusesBadInputAndAddsOrdersWithRunningIdsAndFreeCodes)
{
    RecordStore db;
    db.CreateTables();
    StoreOrderFactory orders(&db);
    const std::vector<StoreInEntry::Symbol> symbols = {{wxString::FromUTF8("白银"), 101},
                                                       {wxString::FromUTF8("铂金"), 102}};
    struct Case
    {
        const char* symbol;
        const char* quantity;
        const char* message;
    };
    for(const Case& bad :
        {Case{"", "1", "Symbol Invalid"}, Case{"黄金", "1", "Symbol Invalid"},
         Case{"白银", "0", "Quantity Error!"}, Case{"白银", "-1", "Quantity Error!"},
         Case{"白银", "2.5", "Quantity Error!"}, Case{"白银", "4294967296", "Quantity Error!"},
         Case{"白银", "abc", "Quantity Error!"}}) {
        SCOPED_TRACE(std::string(bad.symbol) + " " + bad.quantity);
        const StoreInEntry::Result result = StoreInEntry::Add(symbols, -1, wxString::FromUTF8(bad.symbol),
                                                              bad.quantity, "North", 1001, orders);
        EXPECT_FALSE(result.added);
        EXPECT_EQ(result.message, bad.message);
        EXPECT_EQ(result.code, -1);
    }
    EXPECT_EQ(orders.GetIndexByPrimary().size(), 0u);

    // The clock stands still and the first two draws repeat: the second
    // order's first code is taken and is drawn again.
    std::vector<int> draws = {7, 7, 8};
    std::size_t next = 0;
    LocalOrderCodeSource source([] { return wxDateTime(9, wxDateTime::Dec, 2026, 4, 42, 23); },
                                [&] { return draws[std::min(next++, draws.size() - 1)]; });
    ASSERT_TRUE(
        StoreInEntry::Add(symbols, 1, wxString::FromUTF8("铂金"), "4294967295", "North", 1001, orders).added);
    ASSERT_TRUE(
        StoreInEntry::Add(symbols, -1, wxString::FromUTF8("白银"), " 3 ", "South", 1001, orders).added);
    const auto& rows = orders.GetIndex<BySequence>();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].localId + 1, rows[1].localId);
    EXPECT_NE(rows[0].storeCode, rows[1].storeCode);
    EXPECT_EQ(rows[0].symbolId, 102);
    EXPECT_DOUBLE_EQ(rows[0].quantity, 4294967295.0);
    EXPECT_EQ(rows[1].symbolCode, wxString::FromUTF8("白银"));
    EXPECT_EQ(rows[1].storeName, "South");
    EXPECT_EQ(rows[1].inoutStatus, StoreOrder::eStoreInPending);
    EXPECT_EQ(rows[1].registStatus, 3);
    EXPECT_EQ(rows[1].mortageStatus, 3);
    EXPECT_TRUE(rows[1].storeTime.IsValid());
}

TEST(StoreInEntryTest, TwoSymbolsOfOneNameStoreTheChosenEntrysId)
{
    RecordStore db;
    db.CreateTables();
    StoreOrderFactory orders(&db);
    const wxString silver = wxString::FromUTF8("白银");
    const std::vector<StoreInEntry::Symbol> symbols = {
        {silver, 101}, {wxString::FromUTF8("铂金"), 102}, {silver, 103}};
    ASSERT_TRUE(StoreInEntry::Add(symbols, 2, silver, "1", "North", 1001, orders).added);
    ASSERT_TRUE(StoreInEntry::Add(symbols, 0, silver, "1", "North", 1001, orders).added);
    const auto& rows = orders.GetIndex<BySequence>();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].symbolId, 103);
    EXPECT_EQ(rows[1].symbolId, 101);

    // A typed name that is not the chosen entry's: only a name of one symbol.
    EXPECT_EQ(StoreInEntry::Add(symbols, 1, silver, "1", "North", 1001, orders).message, "Symbol Invalid");
    ASSERT_TRUE(StoreInEntry::Add(symbols, 0, wxString::FromUTF8("铂金"), "1", "North", 1001, orders).added);
    EXPECT_EQ(rows.back().symbolId, 102);
}

TEST(FinancingGoodsRulesTest, RequestQuantityRangeAndCancelMaximumWithoutHolding)
{
    SymbolInventory row;
    row.symbolId = 101;
    row.inventoryKeyA = 5;
    row.inventoryKeyB = 801;
    for(int mode : {FinancingGoodsRules::eApply, FinancingGoodsRules::eCancel}) {
        const sFFixFinancingGoods request = FinancingGoodsRules::MakeRequest(11, row, mode, 2);
        unsigned char bytes[sizeof request];
        std::memcpy(bytes, &request, sizeof request);
        int32_t ints[4];
        double quantity = 0;
        std::memcpy(ints, bytes, sizeof ints);
        std::memcpy(&quantity, bytes + 16, sizeof quantity);
        EXPECT_EQ(ints[0], 11);
        EXPECT_EQ(ints[1], 101);
        EXPECT_EQ(ints[2], 5);
        EXPECT_EQ(ints[3], 801);
        EXPECT_DOUBLE_EQ(quantity, mode == FinancingGoodsRules::eApply ? 2.0 : -2.0);
    }

    int quantity = -7;
    for(const char* bad : {"0", "-1", "4", "1.5", "", "x"}) {
        EXPECT_FALSE(FinancingGoodsRules::ParseQuantity(bad, 3, &quantity)) << bad;
    }
    EXPECT_EQ(quantity, -7);
    EXPECT_TRUE(FinancingGoodsRules::ParseQuantity(" 3", 3, &quantity));
    EXPECT_EQ(quantity, 3);
    EXPECT_FALSE(FinancingGoodsRules::ParseQuantity("1", 0, &quantity));

    RecordStore db;
    db.CreateTables();
    symbol_Info silver;
    silver.symbolId = 101;
    db.m_symbol_Info_table->Insert(silver);
    symbol_Property property;
    property.symbolId = 101;
    property.symbolName = "Silver";
    db.m_symbol_Property_table->Insert(property);
    EXPECT_EQ(FinancingGoodsRules::CalcMaximum(&db, row, FinancingGoodsRules::eCancel), 0);
    UserInventory holding;
    holding.storeId = 801;
    holding.symbolId = 101;
    holding.userAmount = 4;
    holding.financedQuantity = 2.9;
    db.m_UserInventory_table->Insert(holding);
    EXPECT_EQ(FinancingGoodsRules::CalcMaximum(&db, row, FinancingGoodsRules::eCancel), 2);
}
