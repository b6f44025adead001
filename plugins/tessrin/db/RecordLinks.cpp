// The cached links between records. A link trusts its cached record only while
// the target table has removed nothing since the link was taken and the record
// still carries the row's key; otherwise it looks the key up again.

#include "db/RecordStore.h"

#include <boost/tuple/tuple.hpp>

namespace {

template <class Table, class Target, class Matches, class Lookup>
bool ResolveLink(Table* table, CachedLink<Target>& link, Matches&& matches, Lookup&& lookup)
{
    if(table == nullptr) {
        link.Reset();
        return false;
    }
    const uint64_t removals = table->GetRemovalCount();
    if(link && link.Epoch() == removals && matches(*link)) {
        return true;
    }
    link.Reset();
    const auto found = lookup(*table);
    if(found == table->GetIndexByPrimary().end()) {
        return false;
    }
    link.Set(&*found, removals);
    return true;
}

template <class Table, class Target, class Key>
bool LookupByKey(Table* table, CachedLink<Target>& link, const Key& key, Key Target::*field)
{
    return ResolveLink(
        table, link, [&](const Target& target) { return target.*field == key; },
        [&](const Table& t) { return t.GetIndexByPrimary().find(key); });
}

// Finds the symbol's row in the table, inserting a default one keyed by the
// symbol id when there is none.
template <class Table, class Target>
bool GetOrCreateBySymbol(Table* table, CachedLink<Target>& link, int symbolId)
{
    if(LookupByKey(table, link, symbolId, &Target::symbolId)) {
        return true;
    }
    if(table == nullptr) {
        return false;
    }
    Target fresh;
    fresh.symbolId = symbolId;
    const auto inserted = table->Insert(fresh);
    if(!inserted.second) {
        return false;
    }
    link.Set(&*inserted.first, table->GetRemovalCount());
    return true;
}

template <class Row> bool LinkUserInventory(const Row& row, int storeId, RecordStore* store)
{
    UserInventoryFactory* table = store ? store->m_UserInventory_table.get() : nullptr;
    const int symbolId = row.symbolId;
    return ResolveLink(
        table, row.cachedUserInventory,
        [&](const UserInventory& target) { return target.storeId == storeId && target.symbolId == symbolId; },
        [&](const UserInventoryFactory& t) {
            return t.GetIndexByPrimary().find(boost::make_tuple(storeId, symbolId));
        });
}

user_AccountFactory* Accounts(RecordStore* store)
{
    return store ? store->m_user_Account_table.get() : nullptr;
}

symbol_InfoFactory* Symbols(RecordStore* store)
{
    return store ? store->m_symbol_Info_table.get() : nullptr;
}

} // namespace

bool user_Account::GetLoginInfo(RecordStore* store) const
{
    return LookupByKey(store ? store->m_user_LoginInfo_table.get() : nullptr, cachedLoginInfo, userId,
                       &user_LoginInfo::userId);
}

bool trade_HoldBill::GetAccount(RecordStore* store) const
{
    return LookupByKey(Accounts(store), cachedAccount, accountKey, &user_Account::accountKey);
}

bool trade_HoldBill::GetSymbolInfo(RecordStore* store) const
{
    return LookupByKey(Symbols(store), cachedSymbolInfo, symbolId, &symbol_Info::symbolId);
}

bool trade_BinaryOrder::GetSymbolInfo(RecordStore* store) const
{
    return LookupByKey(Symbols(store), cachedSymbolInfo, symbolId, &symbol_Info::symbolId);
}

bool symbol_Info::GetAccount(RecordStore* store) const
{
    return LookupByKey(Accounts(store), cachedAccount, accountKey, &user_Account::accountKey);
}

bool symbol_Info::GetAccount(const am_AmountInOut& row, RecordStore* store)
{
    return LookupByKey(Accounts(store), row.cachedAccount, row.accountKey, &user_Account::accountKey);
}

bool risk_notice::GetAccount(RecordStore* store) const
{
    return LookupByKey(Accounts(store), cachedAccount, accountKey, &user_Account::accountKey);
}

bool symbol_Info::GetSymbolProperty(RecordStore* store) const
{
    return GetOrCreateBySymbol(store ? store->m_symbol_Property_table.get() : nullptr, cachedSymbolProperty,
                               symbolId);
}

bool symbol_Property::GetSymbolPrice(RecordStore* store) const
{
    return GetOrCreateBySymbol(store ? store->m_symbol_price_table.get() : nullptr, cachedSymbolPrice,
                               symbolId);
}

bool symbol_price::GetSymbolProperty(RecordStore* store) const
{
    return LookupByKey(store ? store->m_symbol_Property_table.get() : nullptr, cachedSymbolProperty, symbolId,
                       &symbol_Property::symbolId);
}

bool trade_CloseBill::GetSymbolInfo(RecordStore* store) const
{
    return LookupByKey(Symbols(store), cachedSymbolInfo, symbolId, &symbol_Info::symbolId);
}

bool trade_Limit::GetSymbolInfo(RecordStore* store) const
{
    return LookupByKey(Symbols(store), cachedSymbolInfo, symbolId, &symbol_Info::symbolId);
}

bool trade_Limit::GetAccount(RecordStore* store) const
{
    return LookupByKey(Accounts(store), cachedAccount, accountKey, &user_Account::accountKey);
}

bool user_Payport::GetSysPayPort(RecordStore* store) const
{
    return LookupByKey(store ? store->m_sys_PayPort_table.get() : nullptr, cachedSysPayPort, sysPayPortId,
                       &sys_PayPort::sysPayPortId);
}

bool user_AttPay::GetSysPayPort(RecordStore* store) const
{
    return LookupByKey(store ? store->m_sys_PayPort_table.get() : nullptr, cachedSysPayPort, sysPayPortId,
                       &sys_PayPort::sysPayPortId);
}

bool trade_DeliveryOrder::GetSymbolInfo(RecordStore* store) const
{
    return LookupByKey(Symbols(store), cachedSymbolInfo, symbolId, &symbol_Info::symbolId);
}

bool trade_Position::GetSymbolInfo(RecordStore* store) const
{
    return LookupByKey(Symbols(store), cachedSymbolInfo, symbolId, &symbol_Info::symbolId);
}

bool SymbolInventory::GetSymbolInfo(RecordStore* store) const
{
    return LookupByKey(Symbols(store), cachedSymbolInfo, symbolId, &symbol_Info::symbolId);
}

bool SymbolInventory::GetUserInventory(RecordStore* store) const
{
    return LinkUserInventory(*this, inventoryKeyB, store);
}

bool UserInventory::GetSymbolInfo(RecordStore* store) const
{
    return LookupByKey(Symbols(store), cachedSymbolInfo, symbolId, &symbol_Info::symbolId);
}

bool SymbolBookingInfo::GetUserInventory(RecordStore* store) const
{
    return LinkUserInventory(*this, storeId, store);
}
