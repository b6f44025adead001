// The binary-order pane without a display: the status value and the strip
// it draws, the cells and colours of the model over a real table, and the
// remind sound of settled orders.
#include "orders/MinTradeOrderModel.h"

#include "common/Colours.h"
#include "db/RecordStore.h"
#include "orders/ExpireTimeRenderer.h"
#include "orders/MinTradeOrderCells.h"

#include <gtest/gtest.h>
#include <pelmora/DrawingUtils.h>
#include <platform/FakeSoundPlayer.h>

using namespace MinTradeOrderCells;

namespace {

constexpr int kAccount = 41;
constexpr int kEuro = 401;
constexpr int kOrphan = 499; // not in the symbol table
const wxDateTime kOpen(9, wxDateTime::Dec, 2026, 10, 0, 0);

trade_BinaryOrder Order(const char* code, char state, int remainingMs = 0, int seconds = 60)
{
    trade_BinaryOrder order;
    order.orderCode = code;
    order.accountKey = kAccount;
    order.symbolId = kEuro;
    order.side = 'b';
    order.periodName = "60S";
    order.referencePrice = 1.08345;
    order.openPrice = 1.08345;
    order.expirePrice = 1.0835;
    order.orderAmount = 100;
    order.charge = 2;
    order.profit = 78;
    order.profitRate = 0.8;
    order.openTime = kOpen;
    order.expireTime = kOpen + wxTimeSpan::Seconds(seconds);
    order.orderState = state;
    order.remainingMs = remainingMs;
    return order;
}

struct BinaryStore
{
    BinaryStore()
    {
        store.CreateTables();
        user_LoginInfo login;
        login.userId = 1001;
        store.m_user_LoginInfo_table->Insert(login);
        user_Account account;
        account.userId = 1001;
        account.accountKey = kAccount;
        account.currency = "USD";
        store.m_user_Account_table->Insert(account);
        symbol_Info symbol;
        symbol.symbolId = kEuro;
        symbol.accountKey = kAccount;
        symbol.marketType = '4';
        store.m_symbol_Info_table->Insert(symbol);
        symbol_Property property;
        property.symbolId = kEuro;
        property.symbolName = "Euro";
        property.marketName = "FX";
        property.digits = 5;
        store.m_symbol_Property_table->Insert(property);
        symbol_price price;
        price.symbolId = kEuro;
        price.lastPrice = 1.08345;
        store.m_symbol_price_table->Insert(price);
    }
    void Quote(double last)
    {
        auto& prices = *store.m_symbol_price_table;
        symbol_price quote = *prices.GetIndexByPrimary().find(kEuro);
        quote.lastPrice = last;
        ASSERT_TRUE(prices.Update(prices.GetIndexByPrimary().find(kEuro), quote));
    }
    void Change(const trade_BinaryOrder& order)
    {
        auto& orders = *store.m_trade_BinaryOrder_table;
        ASSERT_TRUE(orders.Update(orders.GetIndexByPrimary().find(order.orderCode), order));
    }
    RecordStore store;
};

wxString Cell(MinTradeOrderModel& model, unsigned int row, unsigned int column)
{
    wxVariant value;
    model.GetValueByRow(value, row, column);
    return value.IsNull() ? wxString("<none>") : value.MakeString();
}

wxColour CellColour(MinTradeOrderModel& model, unsigned int row, unsigned int column)
{
    wxDataViewItemAttr attr;
    model.GetAttrByRow(row, column, attr);
    return attr.HasColour() ? attr.GetColour() : wxColour();
}

} // namespace

TEST(MinTradeOrderCells, StatusValueByStateAndTimeLeft)
{
    struct Case
    {
        const char* name;
        trade_BinaryOrder order;
        const char* value;
    };
    trade_BinaryOrder same = Order("B5", '3', 15000, 0);
    trade_BinaryOrder brief = Order("B11", '3', 2000000000, 0);
    brief.expireTime = brief.openTime + wxTimeSpan::Milliseconds(1);
    trade_BinaryOrder loss = Order("B7", '2');
    loss.profit = -100;
    trade_BinaryOrder equal = Order("B8", '2');
    equal.profit = 0;
    const Case cases[] = {
        {"a quarter of a minute left", Order("B1", '3', 15000), "2500:15000"},
        {"half left", Order("B2", '3', 30000), "5000:30000"},
        {"nothing left", Order("B3", '3', 0), "0:0"},
        {"a third of five minutes, truncated", Order("B4", '3', 100000, 300), "3333:100000"},
        {"open and expire times equal", same, "0:15000"},
        {"a one-millisecond order with far more left", brief, "2147483647:2000000000"},
        {"settled with a gain", Order("B6", '2'), "BO_orderGain"},
        {"settled with a loss", loss, "BO_orderLoss"},
        {"settled even", equal, "BO_orderEqual"},
        {"cancelled", Order("B9", '4'), "Canceled"},
        {"unknown state", Order("B10", '9'), ""},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(StatusValue(c.order), c.value) << c.name;
    }
}

TEST(MinTradeOrderCells, GainsTakeTheDownColourLossesTheUpColour)
{
    symbol_price above;
    above.lastPrice = 1.1;
    symbol_price below;
    below.lastPrice = 1.0;
    symbol_price at;
    at.lastPrice = 1.08345;
    symbol_price none;
    trade_BinaryOrder up = Order("U", '3', 1000);
    trade_BinaryOrder down = Order("D", '3', 1000);
    down.side = 's';
    trade_BinaryOrder settled = Order("S", '2');
    trade_BinaryOrder lost = Order("L", '2');
    lost.profit = -100;
    trade_BinaryOrder even = Order("E", '2');
    even.profit = 0;

    struct Case
    {
        const char* name;
        Tint tint;
        Tint expected;
    };
    const Case cases[] = {
        {"up order, price above its reference", StatusTint(up, &above), Tint::eDown},
        {"up order, price below", StatusTint(up, &below), Tint::eUp},
        {"down order, price below", StatusTint(down, &below), Tint::eDown},
        {"down order, price above", StatusTint(down, &above), Tint::eUp},
        {"price at the reference", StatusTint(up, &at), Tint::eEqual},
        {"no price yet (0)", StatusTint(up, &none), Tint::eEqual},
        {"price record unknown", StatusTint(up, nullptr), Tint::eEqual},
        {"settled gain, whatever the price", StatusTint(settled, &below), Tint::eDown},
        {"settled loss", StatusTint(lost, &above), Tint::eUp},
        {"settled even", StatusTint(even, &above), Tint::eEqual},
        {"profit column, gain", ProfitTint(settled), Tint::eDown},
        {"profit column, loss", ProfitTint(lost), Tint::eUp},
        {"profit column, even", ProfitTint(even), Tint::eNone},
        {"expire time while running", ExpireTimeTint(up), Tint::eUp},
        {"expire time once settled", ExpireTimeTint(settled), Tint::eNone},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(c.tint, c.expected) << c.name;
    }
    EXPECT_EQ(TintColour(Tint::eDown), DrawingUtils::GetGlobalDownColour());
    EXPECT_EQ(TintColour(Tint::eUp), DrawingUtils::GetGlobalUpColour());
    EXPECT_EQ(TintColour(Tint::eEqual), DrawingUtils::GetGlobalEqualColour());
    EXPECT_FALSE(TintColour(Tint::eNone).IsOk());
}

TEST(ExpireTimeRenderer, ReadsOnePartAsLabelTwoNumbersAsStripAnythingElseAsNothing)
{
    struct Case
    {
        const char* value;
        bool draws;
        bool strip;
        int fraction;
        const char* label;
    };
    const Case cases[] = {
        {"2500:15000", true, true, 2500, "00:00:15"},
        {"5000:3723000", true, true, 5000, "01:02:03"},
        {"BO_orderGain", true, false, 0, "BO_orderGain"},
        {"12:ab", false, false, 0, ""},
        {"x:15000", false, false, 0, ""},
        {"1:2:3", false, false, 0, ""},
        {"a\\:b", true, false, 0, "a:b"},
    };
    for(const Case& c : cases) {
        const ExpireTimeRenderer::Reading reading = ExpireTimeRenderer::Read(c.value);
        EXPECT_EQ(reading.draws, c.draws) << c.value;
        EXPECT_EQ(reading.strip, c.strip) << c.value;
        EXPECT_EQ(reading.fraction, c.fraction) << c.value;
        EXPECT_EQ(reading.label, c.label) << c.value;
    }
}

TEST(ExpireTimeRenderer, StripFillsItsFractionRedBelowHalfGreenFromHalf)
{
    const wxRect cell(10, 20, 210, 30);
    struct Case
    {
        int fraction;
        int fillWidth;
        wxColour colour;
    };
    const Case cases[] = {
        {2500, 50, Colours::kExpiryBehind}, {4999, 99, Colours::kExpiryBehind},
        {5000, 100, Colours::kExpiryAhead}, {10000, 200, Colours::kExpiryAhead},
        {0, 0, Colours::kExpiryBehind},     {12000, 200, Colours::kExpiryAhead},
    };
    for(const Case& c : cases) {
        const ExpireTimeRenderer::Strip strip = ExpireTimeRenderer::StripIn(cell, c.fraction);
        EXPECT_EQ(strip.track, wxRect(15, 25, 200, 20)) << c.fraction;
        EXPECT_EQ(strip.fill, wxRect(15, 25, c.fillWidth, 20)) << c.fraction;
        EXPECT_EQ(strip.fillColour, c.colour) << c.fraction;
    }
    EXPECT_EQ(wxColour(Colours::kExpiryBehind), wxColour(204, 0, 0));
    EXPECT_EQ(wxColour(Colours::kExpiryAhead), wxColour(0, 153, 0));
}

TEST(MinTradeOrderModel, CellsOfARunningOrderAndTheEmptyRowOfAnUnknownSymbol)
{
    BinaryStore records;
    FakeSoundPlayer sounds;
    wxObjectDataPtr<MinTradeOrderModel> model(new MinTradeOrderModel(&records.store, &sounds));
    auto& orders = *records.store.m_trade_BinaryOrder_table;
    ASSERT_TRUE(orders.Insert(Order("B1", '3', 15000)).second);
    trade_BinaryOrder orphan = Order("B2", '3', 15000);
    orphan.symbolId = kOrphan;
    ASSERT_TRUE(orders.Insert(orphan).second);
    ASSERT_EQ(model->GetCount(), 2u);
    ASSERT_EQ(model->GetColumnCount(), 15u);
    for(unsigned int column = 0; column < 15; ++column) {
        EXPECT_EQ(model->GetColumnType(column), "string");
    }

    const char* expected[] = {"1",   "B1",      "Euro",    "FX",    "60S",   "10:00:00", "10:01:00",  "seeUp",
                              "80%", "1.08345", "1.08350", "98.00", "78.00", "2",        "2500:15000"};
    for(unsigned int column = 0; column < 15; ++column) {
        EXPECT_EQ(Cell(*model, 0, column), expected[column]) << "column " << column;
    }
    EXPECT_EQ(Cell(*model, 0, 15), "<none>");
    for(unsigned int column = 0; column < 15; ++column) {
        EXPECT_EQ(Cell(*model, 1, column), "<none>") << "unknown symbol, column " << column;
    }

    records.Quote(1.0840); // above the reference price of an up order: winning
    EXPECT_EQ(CellColour(*model, 0, MinTradeOrderModel::eOrderStatus), DrawingUtils::GetGlobalDownColour());
    EXPECT_EQ(CellColour(*model, 0, MinTradeOrderModel::eExpireTime), DrawingUtils::GetGlobalUpColour());
    EXPECT_FALSE(CellColour(*model, 0, MinTradeOrderModel::eSymbol).IsOk());
    records.Quote(1.0830);
    EXPECT_EQ(CellColour(*model, 0, MinTradeOrderModel::eOrderStatus), DrawingUtils::GetGlobalUpColour());
    EXPECT_FALSE(CellColour(*model, 1, MinTradeOrderModel::eOrderStatus).IsOk());
}

TEST(MinTradeOrderModel, EveryUpdateOfASettledOrderRingsOnceARunningOneNever)
{
    BinaryStore records;
    FakeSoundPlayer sounds;
    wxObjectDataPtr<MinTradeOrderModel> model(new MinTradeOrderModel(&records.store, &sounds));
    auto& orders = *records.store.m_trade_BinaryOrder_table;
    ASSERT_TRUE(orders.Insert(Order("B1", '3', 15000)).second);
    EXPECT_TRUE(sounds.played.empty()) << "an added order is not settled by an update";

    records.Change(Order("B1", '3', 14500));
    EXPECT_TRUE(sounds.played.empty()) << "a running order's countdown";

    trade_BinaryOrder settled = Order("B1", '2');
    settled.profit = 0;
    records.Change(settled);
    ASSERT_EQ(sounds.played, std::vector<wxString>{"rc//Remind.wav"});
    EXPECT_EQ(Cell(*model, 0, MinTradeOrderModel::eOrderStatus), "BO_orderEqual");
    EXPECT_EQ(CellColour(*model, 0, MinTradeOrderModel::eOrderStatus), DrawingUtils::GetGlobalEqualColour());
    EXPECT_FALSE(CellColour(*model, 0, MinTradeOrderModel::eProfit).IsOk());
    EXPECT_FALSE(CellColour(*model, 0, MinTradeOrderModel::eExpireTime).IsOk());

    records.Change(settled);
    EXPECT_EQ(sounds.played.size(), 2u) << "every update of a settled order rings";

    trade_BinaryOrder orphan = Order("B2", '3', 15000);
    orphan.symbolId = kOrphan;
    ASSERT_TRUE(orders.Insert(orphan).second);
    orphan.orderState = '2';
    records.Change(orphan);
    EXPECT_EQ(sounds.played.size(), 2u) << "a settled order of an unknown symbol";

    trade_BinaryOrder cancelled = Order("B1", '4');
    records.Change(cancelled);
    EXPECT_EQ(Cell(*model, 0, MinTradeOrderModel::eOrderStatus), "Canceled");
    EXPECT_EQ(sounds.played.size(), 2u);
}
