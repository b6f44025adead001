#include "db/RecordFactories.h"

#include <boost/tuple/tuple.hpp>
#include <limits>

namespace {

// Update the stored row when the key was found, insert the record otherwise.
template <class Table, class Iterator>
bool UpsertFound(Table& table, Iterator found, const typename Table::Container::value_type& record)
{
    if(found == table.GetIndexByPrimary().end()) {
        return table.Insert(record).second;
    }
    return table.Update(found, record);
}

template <class Table, class Key>
bool UpsertByPrimaryKey(Table& table, const Key& key, const typename Table::Container::value_type& record)
{
    return UpsertFound(table, table.GetIndexByPrimary().find(key), record);
}

} // namespace

auto trade_HoldBillFactory::Find(const wxString& orderCode) const -> iterator
{
    return GetIndexByPrimary().find(orderCode);
}

bool user_LoginInfoFactory::Upsert(const user_LoginInfo& record)
{
    return UpsertByPrimaryKey(*this, record.userId, record);
}

bool user_AccountFactory::Upsert(const user_Account& record)
{
    return UpsertByPrimaryKey(*this, record.accountKey, record);
}

auto sys_CurrencyExchangeRateFactory::GetExchangeRate(const wxString& fromCurrency,
                                                      const wxString& toCurrency) -> iterator
{
    const auto found = GetIndexByPrimary().find(boost::make_tuple(fromCurrency, toCurrency));
    if(found != GetIndexByPrimary().end() || fromCurrency != toCurrency) {
        return found;
    }
    sys_CurrencyExchangeRate self;
    self.fromCurrency = fromCurrency;
    self.toCurrency = toCurrency;
    self.rate = 1.0;
    // The server never sends this row, so no refresh may take it away.
    self.refreshSerial = std::numeric_limits<uint32_t>::max();
    const auto inserted = Insert(self);
    return inserted.second ? inserted.first : GetIndexByPrimary().end();
}

bool trade_CloseBillFactory::Upsert(const trade_CloseBill& record)
{
    return UpsertByPrimaryKey(*this, record.orderCode, record);
}

bool am_AmountInOutFactory::Upsert(const am_AmountInOut& record)
{
    const auto found = GetIndexByPrimary().find(record.inOutId);
    if(found == GetIndexByPrimary().end()) {
        return Insert(record).second;
    }
    return Update(found, record, static_cast<CTransaction*>(nullptr));
}

bool user_AttPayFactory::Upsert(const user_AttPay& record)
{
    return UpsertByPrimaryKey(*this, record.attPayId, record);
}

bool sys_PayPortFactory::Upsert(const sys_PayPort& record)
{
    return UpsertByPrimaryKey(*this, record.sysPayPortId, record);
}

auto sys_PayPortFactory::Find(int sysPayPortId) const -> iterator
{
    return GetIndexByPrimary().find(sysPayPortId);
}

bool user_PayportFactory::Upsert(const user_Payport& record)
{
    return UpsertByPrimaryKey(*this, record.payportKey, record);
}

bool trade_priceLevelFactory::Upsert(const trade_priceLevel& record)
{
    return UpsertByPrimaryKey(*this, record.priceLevelId, record);
}

bool trade_BinaryOrderFactory::Upsert(const trade_BinaryOrder& record, CTransaction* transaction)
{
    const auto found = GetIndexByPrimary().find(record.orderCode);
    if(found != GetIndexByPrimary().end()) {
        return Update(found, record, transaction);
    }
    const auto& sequence = GetIndex<BySequence>();
    auto where = sequence.begin();
    while(where != sequence.end() && RecordTimeLater(where->openTime, record.openTime)) {
        ++where;
    }
    return Insert(where, record, transaction).second;
}

bool trade_ContractFactory::Upsert(const trade_Contract& record)
{
    return UpsertFound(*this, Find(record.contractId, record.symbolId), record);
}

auto trade_ContractFactory::Find(int64_t contractId, int symbolId) const -> iterator
{
    return GetIndexByPrimary().find(boost::make_tuple(contractId, symbolId));
}

bool server_timeFactory::Upsert(const server_time& record)
{
    return UpsertByPrimaryKey(*this, record.id, record);
}

bool risk_noticeFactory::Upsert(const risk_notice& record)
{
    const auto range = GetIndexByPrimary().equal_range(record.accountKey);
    for(auto it = range.first; it != range.second; ++it) {
        if(RecordTimeEqual(it->noticeTime, record.noticeTime) && it->noticeKind == record.noticeKind &&
           it->riskRate == record.riskRate && it->carriedDouble1 == record.carriedDouble1 &&
           it->isNew == record.isNew) {
            return Update(it, record);
        }
    }
    return Insert(record).second;
}

bool trade_DeliveryOrderFactory::Upsert(const trade_DeliveryOrder& record)
{
    return UpsertByPrimaryKey(*this, record.orderCode, record);
}

bool trade_PositionFactory::Upsert(const trade_Position& record)
{
    return UpsertByPrimaryKey(*this, record.symbolId, record);
}

bool UserInventoryFactory::Upsert(const UserInventory& record)
{
    return UpsertByPrimaryKey(*this, boost::make_tuple(record.storeId, record.symbolId), record);
}

user_PayportFactory::iterator FindUserPayport(const user_PayportFactory& table, const user_Account& account)
{
    const auto& primary = table.GetIndexByPrimary();
    for(auto it = primary.begin(); it != primary.end(); ++it) {
        if(it->currency == account.currency) {
            return it;
        }
    }
    return primary.end();
}
