#pragma once

// The 25 tables of the record store, with the upserts, finds and the refresh
// sweep that the client's handlers write through. Every helper notifies the
// table's triggers.

#include "db/RecordIndices.h"

#include <cstddef>
#include <cstdint>

// A table whose stale rows leave through the refresh sweep.
template <class Record> class SweptTable : public CObjectFactory<Record>
{
public:
    // Removes, oldest serial first, every row whose refreshSerial is below the
    // serial. Stops early when an observer refuses a removal. Returns the
    // number of rows removed.
    std::size_t SweepStale(uint32_t serial);
};

class trade_HoldBillFactory : public SweptTable<trade_HoldBill>
{
public:
    iterator Find(const wxString& orderCode) const;
};

class user_LoginInfoFactory : public CObjectFactory<user_LoginInfo>
{
public:
    bool Upsert(const user_LoginInfo& record);
};

class user_AccountFactory : public SweptTable<user_Account>
{
public:
    bool Upsert(const user_Account& record);
};

class symbol_InfoFactory : public SweptTable<symbol_Info>
{
};

class symbol_priceFactory : public CObjectFactory<symbol_price>
{
};

class symbol_PropertyFactory : public CObjectFactory<symbol_Property>
{
};

class sys_CurrencyExchangeRateFactory : public SweptTable<sys_CurrencyExchangeRate>
{
public:
    // The pair's row; a missing pair of a currency with itself is added with
    // the rate 1.0 (a row no sweep removes); otherwise the end.
    iterator GetExchangeRate(const wxString& fromCurrency, const wxString& toCurrency);
};

class trade_CloseBillFactory : public SweptTable<trade_CloseBill>
{
public:
    bool Upsert(const trade_CloseBill& record);
};

class trade_LimitFactory : public SweptTable<trade_Limit>
{
};

class am_AmountInOutFactory : public SweptTable<am_AmountInOut>
{
public:
    bool Upsert(const am_AmountInOut& record);
};

class user_AttPayFactory : public CObjectFactory<user_AttPay>
{
public:
    bool Upsert(const user_AttPay& record);
};

class sys_PayPortFactory : public SweptTable<sys_PayPort>
{
public:
    bool Upsert(const sys_PayPort& record);
    iterator Find(int sysPayPortId) const;
};

class user_PayportFactory : public SweptTable<user_Payport>
{
public:
    bool Upsert(const user_Payport& record);
};

class trade_priceLevelFactory : public SweptTable<trade_priceLevel>
{
public:
    bool Upsert(const trade_priceLevel& record);
};

class trade_priceListFactory : public CObjectFactory<trade_priceList>
{
};

class trade_BinaryOrderFactory : public SweptTable<trade_BinaryOrder>
{
public:
    // A new order goes into the sequence before the first order whose
    // openTime is not later than its own (latest first); a known one is updated.
    bool Upsert(const trade_BinaryOrder& record, CTransaction* transaction = nullptr);
};

class trade_ContractFactory : public SweptTable<trade_Contract>
{
public:
    bool Upsert(const trade_Contract& record);
    iterator Find(int64_t contractId, int symbolId) const;
};

class server_timeFactory : public CObjectFactory<server_time>
{
public:
    bool Upsert(const server_time& record);
};

class risk_noticeFactory : public CObjectFactory<risk_notice>
{
public:
    // Updates the first notice of the account with the same time, first code,
    // first two amounts and new flag; inserts the record otherwise.
    bool Upsert(const risk_notice& record);
};

class trade_DeliveryOrderFactory : public SweptTable<trade_DeliveryOrder>
{
public:
    bool Upsert(const trade_DeliveryOrder& record);
};

class trade_PositionFactory : public SweptTable<trade_Position>
{
public:
    // Updates the first position found with the symbol id.
    bool Upsert(const trade_Position& record);
};

class UserInventoryFactory : public SweptTable<UserInventory>
{
public:
    bool Upsert(const UserInventory& record);
};

class SymbolInventoryFactory : public SweptTable<SymbolInventory>
{
};

class SymbolBookingInfoFactory : public CObjectFactory<SymbolBookingInfo>
{
};

class BookingAddrInfoFactory : public CObjectFactory<BookingAddrInfo>
{
};

// The first registered pay port, in primary-index order, that serves the
// account's currency (case-sensitive); the table's end when none does.
user_PayportFactory::iterator FindUserPayport(const user_PayportFactory& table, const user_Account& account);

// The record an iterator of a table's random-access index designates.
template <class Iterator> const auto& IteratorDeref(const Iterator& it)
{
    return *it;
}

template <class Record> std::size_t SweptTable<Record>::SweepStale(uint32_t serial)
{
    const auto& bySerial = this->template GetIndex<BySerial>();
    std::size_t removed = 0;
    while(!bySerial.empty()) {
        const auto oldest = bySerial.begin();
        if(oldest->refreshSerial >= serial) {
            break;
        }
        // A refusal would leave the same row first for ever.
        if(!this->Remove(oldest)) {
            break;
        }
        ++removed;
    }
    return removed;
}

// The sweeps are compiled once, with the tables' other operations (RecordTables*.cpp).
extern template class SweptTable<trade_HoldBill>;
extern template class SweptTable<user_Account>;
extern template class SweptTable<symbol_Info>;
extern template class SweptTable<sys_CurrencyExchangeRate>;
extern template class SweptTable<trade_CloseBill>;
extern template class SweptTable<trade_Limit>;
extern template class SweptTable<am_AmountInOut>;
extern template class SweptTable<sys_PayPort>;
extern template class SweptTable<user_Payport>;
extern template class SweptTable<trade_priceLevel>;
extern template class SweptTable<trade_BinaryOrder>;
extern template class SweptTable<trade_Contract>;
extern template class SweptTable<trade_DeliveryOrder>;
extern template class SweptTable<trade_Position>;
extern template class SweptTable<UserInventory>;
extern template class SweptTable<SymbolInventory>;
