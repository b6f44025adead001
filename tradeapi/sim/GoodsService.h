#pragma once
// Goods: the inventories of the symbols that vendors offer for financing
// (scenario "symbolInventories"), the goods the accounts hold in warehouses
// (scenario "userInventories") and goods financing. Financing takes goods
// from a vendor's inventory into the account's warehouse and pays their
// value (quantity x price x contract size) from the account; a cancel (a
// negative quantity) returns financed goods and their value. Every change of
// an account's goods is pushed (1134).
#include "SimServer.h"

namespace simmarket {

struct SimSymbolInventory
{
    std::string sn;
    int symbolId = 0;
    int inventoryId = 0; // first key of a financing request
    int vendorId = 0;    // second key
    std::string vendorName;
    double available = 0;
    double total = 0;
    double price = 0;
    int64_t stockInMs = 0;
};

struct SimUserInventory
{
    int accountKey = 0;
    int storeId = 0;
    int symbolId = 0;
    double quantity = 0;
    double financed = 0; // of the quantity, taken by financing
    double used = 0;     // of the quantity, in use (scenario "used")
    std::string name;    // UTF-8
};

class GoodsService
{
public:
    explicit GoodsService(SimServer& server) : m_server(server), m_state(server.State()) {}

    void Load(const nlohmann::json& scenario);
    void Register();

    // Adds (or with a negative delta takes, never below 0) goods of a symbol
    // in the account's store and pushes the change.
    void AddGoods(int accountKey, int storeId, int symbolId, double delta);

    const std::vector<SimUserInventory>& UserInventories() const { return m_userInventories; }
    const std::vector<SimSymbolInventory>& SymbolInventories() const { return m_symbolInventories; }

private:
    void OnQryUserInventory(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnQrySymbolInventory(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnFinancingGoods(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);

    SimUserInventory& Goods(int accountKey, int storeId, int symbolId);
    sFFixUserInventory UserRow(const SimUserInventory& goods) const;
    sFFixSymbolInventory SymbolRow(const SimSymbolInventory& inventory) const;
    void Push(const SimUserInventory& goods);

    SimServer& m_server;
    MarketState& m_state;
    std::vector<SimSymbolInventory> m_symbolInventories;
    std::vector<SimUserInventory> m_userInventories;
};

} // namespace simmarket
