#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "common/MakeLocalOrderCode.h"
#include "common/StoreOrderFile.h"
#include "orders/HangOrderEntry.h"
#include "orders/HangOrderFactory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <pelmora/clConfig.h>
#include <pelmora/clConfigItem.h>
#include <wx/ffile.h>
#include <wx/filename.h>

using ::testing::ElementsAre;

namespace {

HangOrder MakeOrder(const wxString& code, const wxString& symbol, double price = 4520.5, double quantity = 10)
{
    HangOrder order;
    order.orderCode = code;
    order.symbolName = symbol;
    order.unitName = "Kg";
    order.bsCode = "Buy";
    order.priceOrder = price;
    order.storeName = "North";
    order.quantityOrder = quantity;
    return order;
}

void WriteText(const wxString& path, const std::string& text)
{
    wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFFile file(path, "wb");
    ASSERT_TRUE(file.IsOpened());
    file.Write(text.data(), text.size());
}

nlohmann::ordered_json ReadJson(const wxString& path)
{
    wxFFile file(path, "rb");
    wxString text;
    if(!file.IsOpened() || !file.ReadAll(&text, wxConvUTF8)) {
        return nullptr;
    }
    return nlohmann::ordered_json::parse(text.utf8_string(), nullptr, false);
}

std::vector<wxString> Codes(const HangOrderFactory& store)
{
    std::vector<wxString> codes;
    for(const HangOrder& order : store.GetIndex<BySequence>()) {
        codes.push_back(order.orderCode);
    }
    return codes;
}

// Counts the calls an observer of the store receives.
struct StoreObserver : CActionTrigger<HangOrder>
{
    std::vector<std::string> calls;
    void afterAdd(const HangOrder& stored, CTransaction*, void*) override
    {
        calls.push_back("add " + stored.orderCode.utf8_string());
    }
    void afterUpdate(const HangOrder& stored, CTransaction*, void*) override
    {
        calls.push_back("update " + stored.orderCode.utf8_string());
    }
};

class HangOrderFile : public ::testing::Test
{
protected:
    ScratchFolder folder;
    wxString path = folder.File("storeorder.con");

    std::unique_ptr<HangOrderFactory> Read()
    {
        auto store = std::make_unique<HangOrderFactory>();
        clConfig config(path, false);
        config.ReadItem(store.get());
        return store;
    }
};

// --- the file -----------------------------------------------------------------

TEST_F(HangOrderFile, RoundTripKeepsEveryFieldWithNumbersAsTwoDecimalTextsInMemberOrder)
{
    HangOrderFactory store;
    HangOrder order = MakeOrder("2600071530120042", "Crude Oil");
    order.quantityComplete = 3;
    store.Insert(order, true);
    store.Insert(MakeOrder("2600071530120043", "Gold", 12.345, 7), true);
    {
        clConfig config(path, true);
        ASSERT_TRUE(config.WriteItem(&store));
    }

    const auto json = ReadJson(path);
    ASSERT_TRUE(json.contains("HangOrder"));
    const auto& items = json["HangOrder"];
    ASSERT_EQ(items.size(), 2u);
    const auto first = items[0]["orderCode"] == "2600071530120042" ? items[0] : items[1];
    std::vector<std::string> keys;
    for(const auto& member : first.items()) {
        keys.push_back(member.key());
        EXPECT_TRUE(member.value().is_string()) << member.key();
    }
    EXPECT_THAT(keys, ElementsAre("orderCode", "symbolName", "unitName", "quantityComplete", "bsCode",
                                  "priceOrder", "storeName", "quantityOrder", "minQuantity", "effectiveDay"));
    EXPECT_EQ(first["priceOrder"], "4520.50");
    EXPECT_EQ(first["quantityOrder"], "10.00");
    EXPECT_EQ(first["quantityComplete"], "3.00");

    const auto reread = Read();
    ASSERT_EQ(reread->GetContainer().size(), 2u);
    const HangOrder& back = *reread->Find("2600071530120042");
    EXPECT_EQ(back.symbolName, "Crude Oil");
    EXPECT_EQ(back.unitName, "Kg");
    EXPECT_EQ(back.bsCode, "Buy");
    EXPECT_EQ(back.storeName, "North");
    EXPECT_DOUBLE_EQ(back.priceOrder, 4520.5);
    EXPECT_DOUBLE_EQ(back.quantityOrder, 10.0);
    EXPECT_DOUBLE_EQ(back.quantityComplete, 3.0);
    // Values with more decimals come back with two.
    EXPECT_DOUBLE_EQ(reread->Find("2600071530120043")->priceOrder, 12.35);
}

TEST_F(HangOrderFile, EmptyArrayMissingItemAndMissingFileGiveAnEmptyStoreThatSavesAnEmptyArray)
{
    EXPECT_TRUE(Read()->GetContainer().empty()); // no file
    WriteText(path, R"({"StoreOrder": []})");
    EXPECT_TRUE(Read()->GetContainer().empty()); // no item
    WriteText(path, R"({"HangOrder": []})");
    const auto store = Read();
    EXPECT_TRUE(store->GetContainer().empty());
    WriteText(path, R"({"HangOrder": {"orderCode": "1"}})");
    EXPECT_TRUE(Read()->GetContainer().empty()); // not an array

    {
        clConfig config(path, true);
        config.WriteItem(store.get());
    }
    const auto json = ReadJson(path);
    ASSERT_TRUE(json.contains("HangOrder"));
    EXPECT_TRUE(json["HangOrder"].is_array());
    EXPECT_TRUE(json["HangOrder"].empty());
}

TEST_F(HangOrderFile, MissingKeysLoadEmptyAndDuplicateCodesKeepTheFirst)
{
    WriteText(path, R"({"HangOrder": [
        {"orderCode": "A", "symbolName": "Oil", "quantityComplete": "0.00", "bsCode": "Buy",
         "priceOrder": "10.50", "storeName": "North", "quantityOrder": "5.00"},
        {"orderCode": "A", "symbolName": "Gold", "unitName": "Kg", "priceOrder": "99.00"},
        {"orderCode": "B", "symbolName": "Oil", "priceOrder": "x"}
    ]})");
    const auto store = Read();
    EXPECT_THAT(Codes(*store), ElementsAre("A", "B"));
    const HangOrder& a = *store->Find("A");
    EXPECT_EQ(a.symbolName, "Oil");
    EXPECT_EQ(a.unitName, "");
    EXPECT_DOUBLE_EQ(a.priceOrder, 10.5);
    EXPECT_DOUBLE_EQ(a.quantityOrder, 5.0);
    const HangOrder& b = *store->Find("B");
    EXPECT_DOUBLE_EQ(b.priceOrder, 0.0); // a number that does not parse
    EXPECT_EQ(b.storeName, "");
}

TEST_F(HangOrderFile, SavingKeepsTheOtherItemsOfTheFileAndTwoSavesWriteTheSame)
{
    WriteText(path, R"({"StoreOrder": [{"storeCode": "S1"}], "HangOrder": []})");
    HangOrderFactory store;
    store.Insert(MakeOrder("C1", "Oil"), true);
    store.Insert(MakeOrder("C2", "Oil"), true);
    {
        clConfig config(path, true);
        config.WriteItem(&store);
    }
    const auto once = ReadJson(path);
    {
        clConfig config(path, true);
        config.WriteItem(&store);
    }
    EXPECT_EQ(ReadJson(path), once);
    ASSERT_TRUE(once.contains("StoreOrder"));
    EXPECT_EQ(once["StoreOrder"][0]["storeCode"], "S1");
    EXPECT_EQ(once["HangOrder"].size(), 2u);
}

// --- table operations ---------------------------------------------------------

TEST(HangOrderTable, UpsertInsertsANewCodeAndUpdatesAStoredOneAndInsertOfATakenCodeFails)
{
    HangOrderFactory store;
    StoreObserver observer;
    store.AddActionTrigger(&observer);
    EXPECT_TRUE(store.Upsert(MakeOrder("A", "Oil", 1)));
    EXPECT_TRUE(store.Upsert(MakeOrder("A", "Oil", 2)));
    EXPECT_FALSE(store.Insert(MakeOrder("A", "Oil", 3), true).second);
    EXPECT_DOUBLE_EQ(store.Find("A")->priceOrder, 2.0);
    EXPECT_THAT(observer.calls, ElementsAre("add A", "update A"));
    store.RemoveActionTrigger(&observer);

    store.Insert(MakeOrder("B", "Gold"), true);
    store.Insert(MakeOrder("C", "Oil"), true);
    const auto range = store.GetIndex<BySymbolName>().equal_range(wxString("Oil"));
    EXPECT_EQ(std::distance(range.first, range.second), 2);
    EXPECT_THAT(Codes(store), ElementsAre("A", "B", "C"));
}

// --- the process-wide store -------------------------------------------------

TEST(HangOrderStore, FirstUseLoadsTheUserFileAndSaveWritesItBack)
{
    ScratchFolder home;
    ScopedEnv userDir("PELMORA_USER_DATA_DIR", home.Path());
    const wxString path = home.Path() + "/config/storeorder.con";
    EXPECT_EQ(StoreOrderFile::GetPath(), path);
    WriteText(path, R"({"StoreOrder": [{"storeCode": "S1"}],
                        "HangOrder": [{"orderCode": "OLD", "symbolName": "Oil", "priceOrder": "1.00"}]})");

    HangOrderFactory& store = GetHangOrderFactory();
    EXPECT_EQ(&store, &GetHangOrderFactory());
    EXPECT_THAT(Codes(store), ElementsAre("OLD"));
    store.Insert(MakeOrder("NEW", "Gold"), true);
    ASSERT_TRUE(SaveHangOrders());

    const auto json = ReadJson(path);
    EXPECT_EQ(json["StoreOrder"][0]["storeCode"], "S1");
    ASSERT_EQ(json["HangOrder"].size(), 2u);
    EXPECT_THAT(Codes(*LoadHangOrders()), ::testing::UnorderedElementsAre("OLD", "NEW"));
}

// --- order codes ----------------------------------------------------------

TEST(LocalOrderCode, DigitsOfTheLocalTimeWithTheMonthFromZeroAndFourRandomDigits)
{
    struct Case
    {
        wxDateTime when;
        int random;
        const char* code;
    };
    const Case cases[] = {
        {wxDateTime(7, wxDateTime::Jan, 2026, 15, 30, 12), 42, "2600071530120042"},
        {wxDateTime(31, wxDateTime::Dec, 2009, 23, 59, 59), 123456, "0911312359593456"},
        {wxDateTime(1, wxDateTime::Mar, 2100, 0, 0, 0), 0, "0002010000000000"},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(FormatLocalOrderCode(c.when, c.random), c.code);
    }

    LocalOrderCodeSource source([] { return wxDateTime(7, wxDateTime::Jan, 2026, 15, 30, 12); },
                                [] { return 42; });
    EXPECT_EQ(MakeLocalOrderCode(), "2600071530120042");
}

TEST(LocalOrderCode, WithoutASeamTheCodeIsSixteenDigitsOfNow)
{
    const wxString code = MakeLocalOrderCode();
    ASSERT_EQ(code.length(), 16u);
    EXPECT_TRUE(code.IsNumber());
    EXPECT_EQ(code.Left(2), wxDateTime::Now().Format("%y"));
}

// --- the dialog's decisions -------------------------------------------------

TEST(HangOrderEntryTexts, ModesWarehousesAndQuantities)
{
    EXPECT_EQ(HangOrderEntry::ModeText(0), "GuaPai");
    EXPECT_EQ(HangOrderEntry::ModeText(1), "ZaiPai");
    EXPECT_EQ(HangOrderEntry::ModeText(2), "HuanJia");
    EXPECT_EQ(HangOrderEntry::ModeText(3), "");
    EXPECT_EQ(HangOrderEntry::TitleText(0, "C"), "GuaPai");
    EXPECT_EQ(HangOrderEntry::TitleText(2, "C"), "HuanJia[C]");

    EXPECT_THAT(HangOrderEntry::SplitStoreNames("A,B\\,C"), ElementsAre("A", "B,C"));
    EXPECT_TRUE(HangOrderEntry::SplitStoreNames("").empty());
    EXPECT_THAT(HangOrderEntry::SplitStoreNames("North"), ElementsAre("North"));

    const struct
    {
        const char* text;
        bool ok;
        double value;
    } quantities[] = {{"1", true, 1},           {"4294967295", true, 4294967295.0},
                      {"4294967296", false, 0}, {"0", false, 0},
                      {"", false, 0},           {"-1", false, 0},
                      {" 5", false, 0},         {"2.5", false, 0},
                      {"12a", false, 0},        {"+3", false, 0}};
    for(const auto& q : quantities) {
        double value = -1;
        EXPECT_EQ(HangOrderEntry::ParseQuantity(q.text, &value), q.ok) << q.text;
        if(q.ok) {
            EXPECT_DOUBLE_EQ(value, q.value) << q.text;
        }
    }
    double price = 0;
    EXPECT_TRUE(HangOrderEntry::ParsePrice("3.5", &price));
    EXPECT_DOUBLE_EQ(price, 3.5);
    for(const char* bad : {"", "abc", "1.2.3", "nan", "inf", "-3.5", "0"}) {
        EXPECT_FALSE(HangOrderEntry::ParsePrice(bad, &price)) << bad;
    }
}

class HangOrderConfirm : public ::testing::Test
{
protected:
    HangOrderFactory store;
    HangOrderEntry::Fields fields{"Oil", "Sell", "4520.5", "10", "1", "North", "2026-02-01"};
    std::vector<int> draws;
    LocalOrderCodeSource source{[] { return wxDateTime(7, wxDateTime::Jan, 2026, 15, 30, 12); },
                                [this] {
                                    draws.push_back(static_cast<int>(draws.size()) + 42);
                                    return draws.back();
                                }};
};

TEST_F(HangOrderConfirm, ModeZeroStoresTheOrderWithANewCodeAndModeOneNothing)
{
    HangOrder added;
    ASSERT_EQ(HangOrderEntry::Confirm(0, fields, store, &added), HangOrderEntry::eAdded);
    EXPECT_EQ(added.orderCode, "2600071530120042");
    const HangOrder& stored = *store.Find("2600071530120042");
    EXPECT_EQ(stored.symbolName, "Oil");
    EXPECT_EQ(stored.unitName, "Kg");
    EXPECT_EQ(stored.bsCode, "Sell");
    EXPECT_DOUBLE_EQ(stored.priceOrder, 4520.5);
    EXPECT_DOUBLE_EQ(stored.quantityOrder, 10.0);
    EXPECT_DOUBLE_EQ(stored.quantityComplete, 0.0);
    EXPECT_EQ(stored.storeName, "North");

    EXPECT_EQ(HangOrderEntry::Confirm(1, fields, store), HangOrderEntry::eClose);
    EXPECT_EQ(HangOrderEntry::Confirm(2, fields, store, nullptr, "gone"), HangOrderEntry::eOrderGone);
    EXPECT_EQ(store.GetContainer().size(), 1u);
}

TEST_F(HangOrderConfirm, AnEmptySymbolOrAFieldThatDoesNotConvertStoresNothing)
{
    HangOrderEntry::Fields noSymbol = fields;
    noSymbol.symbolName.clear();
    EXPECT_EQ(HangOrderEntry::Confirm(1, noSymbol, store), HangOrderEntry::eSymbolInvalid);
    EXPECT_EQ(HangOrderEntry::Confirm(0, noSymbol, store), HangOrderEntry::eSymbolInvalid);
    for(wxString HangOrderEntry::Fields::*field :
        {&HangOrderEntry::Fields::quantity, &HangOrderEntry::Fields::minQuantity,
         &HangOrderEntry::Fields::price}) {
        HangOrderEntry::Fields bad = fields;
        bad.*field = "";
        EXPECT_EQ(HangOrderEntry::Confirm(0, bad, store), field == &HangOrderEntry::Fields::price
                                                              ? HangOrderEntry::eBadPrice
                                                              : HangOrderEntry::eBadQuantity);
    }
    EXPECT_TRUE(store.GetContainer().empty());
    EXPECT_TRUE(draws.empty());
    // The warehouse may be empty ("StoreNames" missing).
    fields.storeName.clear();
    EXPECT_EQ(HangOrderEntry::Confirm(0, fields, store), HangOrderEntry::eAdded);
}

TEST_F(HangOrderConfirm, ATakenCodeDrawsAnotherAndNoFreeCodeKeepsTheOrderOut)
{
    store.Insert(MakeOrder("2600071530120042", "Gold"), true);
    HangOrder added;
    ASSERT_EQ(HangOrderEntry::Confirm(0, fields, store, &added), HangOrderEntry::eAdded);
    EXPECT_EQ(added.orderCode, "2600071530120043");
    EXPECT_EQ(store.GetContainer().size(), 2u);

    // Every code the fixture's source can draw (42 onwards) is taken.
    for(int random = 0; random < 42 + HangOrderEntry::kCodeAttempts; ++random) {
        store.Insert(
            MakeOrder(FormatLocalOrderCode(wxDateTime(7, wxDateTime::Jan, 2026, 15, 30, 12), random), "Gold"),
            true);
    }
    const std::size_t before = store.GetContainer().size();
    draws.clear();
    EXPECT_EQ(HangOrderEntry::Confirm(0, fields, store), HangOrderEntry::eNoFreeCode);
    EXPECT_EQ(draws.size(), static_cast<std::size_t>(HangOrderEntry::kCodeAttempts));
    EXPECT_EQ(store.GetContainer().size(), before);
}

} // namespace
