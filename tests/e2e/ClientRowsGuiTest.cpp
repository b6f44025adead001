// The rows the market sends land in the client's tables with the market's
// values, field by field, as /admin/state lists them: account classes and
// market types, goods, pay ports and the binary-order reference price.
#include "ClientLibrary.h"
#include "EventPump.h"
#include "FakeConnectionHost.h"
#include "SimProcess.h"
#include "connection/Client.h"
#include "connection/MdClient.h"
#include "connection/RequestNotify.h"
#include "connection/TradeClient.h"
#include "db/RecordStore.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

std::string Char(char c)
{
    return c ? std::string(1, c) : std::string();
}

json Find(const json& list, const char* key, const json& value)
{
    for(const auto& row : list)
        if(row[key] == value)
            return row;
    return json();
}

class ClientRowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sim = std::make_unique<SimProcess>();
        ASSERT_EQ(sim->Post("/admin/walk?rate=0"), 200);
        library = std::make_unique<ClientLibrary>();
        host.trade.Clear();
        host.trade.Add(sim->TradeAddress(0));
        host.md.Clear();
        host.md.Add(sim->MdAddress());
        db.CreateTables();
        client = std::make_unique<Client>("demo", &db, &host);
        client->SetTradeApi(library->NewTrade(*client->GetTradeClient()));
        client->SetMdApi(library->NewMd(*client->GetMdClient()));
        client->GetTradeConnecter().StartLogin("demo123");
        client->GetMdConnecter().StartLogin("demo123");
        auto loggedIn = [this] {
            return db.m_user_Account_table->GetIndexByPrimary().size() == 4 &&
                   db.m_UserInventory_table->GetIndexByPrimary().size() == 1 &&
                   db.m_user_Payport_table->GetIndexByPrimary().size() == 1;
        };
        ASSERT_TRUE(PumpUntil(loggedIn, std::chrono::milliseconds(15000)));
        // Asked by the goods and pay-port windows, not at login.
        ASSERT_GT(client->ReqQrySymbolInventory(), 0);
        ASSERT_GT(client->ReqQrySysPayPortInfo(), 0);
        auto asked = [this] {
            return db.m_SymbolInventory_table->GetIndexByPrimary().size() == 2 &&
                   db.m_sys_PayPort_table->GetIndexByPrimary().size() == 3;
        };
        ASSERT_TRUE(PumpUntil(asked, std::chrono::milliseconds(10000)));
        state = json::parse(sim->Get("/admin/state"));
    }
    void TearDown() override
    {
        if(client) {
            client->Release();
        }
        client.reset();
        library.reset();
        RequestNotify::Release();
    }

    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<ClientLibrary> library;
    FakeConnectionHost host;
    RecordStore db;
    std::unique_ptr<Client> client;
    json state;
};

} // namespace

TEST_F(ClientRowsTest, AccountsArriveWithTheirClassesAndMarketTypes)
{
    for(const user_Account& account : db.m_user_Account_table->GetIndexByPrimary()) {
        const json listed = Find(state["accounts"], "key", account.accountKey);
        ASSERT_TRUE(listed.is_object()) << account.accountKey;
        EXPECT_EQ(Char(account.accountClass), listed["accountClass"]) << account.accountKey;
        EXPECT_EQ(Char(account.marketType), listed["marketType"]) << account.accountKey;
        EXPECT_EQ(Char(account.accountState), listed["accountState"]) << account.accountKey;
    }
    // The demo gives both summary classes and one without a summary.
    EXPECT_EQ(db.m_user_Account_table->GetIndexByPrimary().find(11)->accountClass, '1');
    EXPECT_EQ(db.m_user_Account_table->GetIndexByPrimary().find(12)->accountClass, '2');
    EXPECT_EQ(db.m_user_Account_table->GetIndexByPrimary().find(14)->accountClass, '3');
}

TEST_F(ClientRowsTest, GoodsAndPayPortsCarryTheMarketsValuesFieldForField)
{
    const UserInventory& goods = *db.m_UserInventory_table->GetIndexByPrimary().begin();
    const json held = state["userInventories"][0];
    EXPECT_EQ(goods.storeId, held["storeId"]);
    EXPECT_EQ(goods.symbolId, held["symbol"]);
    EXPECT_DOUBLE_EQ(goods.userAmount, held["quantity"]);
    EXPECT_DOUBLE_EQ(goods.financedQuantity, held["financed"]);
    EXPECT_DOUBLE_EQ(goods.usedAmount, held["used"]);
    EXPECT_EQ(goods.storeName, wxString::FromUTF8(held["name"].get<std::string>()));

    for(const SymbolInventory& offered : db.m_SymbolInventory_table->GetIndexByPrimary()) {
        const json listed = Find(state["symbolInventories"], "sn", offered.inventorySN.utf8_string());
        ASSERT_TRUE(listed.is_object()) << offered.inventorySN;
        EXPECT_DOUBLE_EQ(offered.inventoryAmount, listed["total"]);
        EXPECT_DOUBLE_EQ(offered.inventoryAvailable, listed["available"]);
        EXPECT_EQ(offered.inventoryKeyA, listed["inventoryId"]);
        EXPECT_EQ(offered.inventoryKeyB, listed["vendorId"]);
    }

    const user_Payport& port = *db.m_user_Payport_table->GetIndexByPrimary().begin();
    const json registration = state["payPortRegistrations"][0];
    EXPECT_EQ(port.cardNumber, wxString::FromUTF8(registration["bankCard"].get<std::string>()));
    EXPECT_EQ(port.identityNumber, wxString::FromUTF8(registration["identityNumber"].get<std::string>()));
    EXPECT_EQ(Char(port.identityType), registration["identityType"]);
    EXPECT_EQ(Char(port.registState), registration["registState"]);
    EXPECT_EQ(port.seatSuffix, wxString::FromUTF8(registration["seatSuffix"].get<std::string>()));
    EXPECT_EQ(port.payportKey, registration["key"]);
    EXPECT_EQ(port.accountName, wxString::FromUTF8(registration["accountName"].get<std::string>()));

    for(const sys_PayPort& sys : db.m_sys_PayPort_table->GetIndexByPrimary()) {
        const json listed = Find(state["sysPayPorts"], "id", sys.sysPayPortId);
        EXPECT_EQ(sys.channelName, wxString::FromUTF8(listed["channelName"].get<std::string>()));
        EXPECT_EQ(Char(sys.completeFlag), listed["completeFlag"]);
        EXPECT_EQ(sys.needBankPassword != 0, listed["bankPassword"].get<bool>());
    }
}

TEST_F(ClientRowsTest, ABinaryOrderKeepsThePriceItWasOpenedAgainst)
{
    sFFixSetOrder order{};
    order.accountKey = 14;
    order.symbolId = 401;
    order.side = 'b';
    order.quantity = 100;
    order.orderType = 'F';
    order.contractKey = 9001;
    ASSERT_NE(client->ReqSetOrder(&order), -1);
    ASSERT_TRUE(PumpUntil([this] { return !db.m_trade_BinaryOrder_table->GetIndexByPrimary().empty(); },
                          std::chrono::milliseconds(10000)));
    const trade_BinaryOrder& mine = *db.m_trade_BinaryOrder_table->GetIndexByPrimary().begin();
    const json listed =
        Find(json::parse(sim->Get("/admin/state"))["binaryOrders"], "code", mine.orderCode.utf8_string());
    ASSERT_TRUE(listed.is_object());
    EXPECT_GT(mine.referencePrice, 0.0);
    EXPECT_DOUBLE_EQ(mine.referencePrice, listed["referencePrice"]);
    EXPECT_DOUBLE_EQ(mine.openPrice, listed["openPrice"]);
}
