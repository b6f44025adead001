#pragma once

// The operations a record table offers. A table whose record type lacks an
// operation refuses to compile a call of it; a transaction passed to a table
// without the matching unit-of-work form is a caller error.
enum TableOperation : unsigned {
    eTableInsert = 1u << 0,              // Insert(record)
    eTableInsertAt = 1u << 1,            // Insert(sequence position, record)
    eTableUpdate = 1u << 2,              // Update(stored, value)
    eTableRemove = 1u << 3,              // Remove(stored)
    eTableClear = 1u << 4,               // Clear()
    eTableInsertInTransaction = 1u << 5, // Insert with a CTransaction
    eTableUpdateInTransaction = 1u << 6, // Update with a CTransaction
    eTableAllOperations = (1u << 7) - 1,
};

// Tables of other record types (panes, charts, goods orders, tests) offer
// every operation.
template <class Record> struct TableOperations
{
    static constexpr unsigned value = eTableAllOperations;
};

#define TESSRIN_TABLE_OPERATIONS(Record, operations)                                                         \
    struct Record;                                                                                           \
    template <> struct TableOperations<Record>                                                               \
    {                                                                                                        \
        static constexpr unsigned value = (operations);                                                      \
    };

// The tables of the record store.
TESSRIN_TABLE_OPERATIONS(trade_HoldBill, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(user_LoginInfo, eTableInsert | eTableUpdate)
TESSRIN_TABLE_OPERATIONS(user_Account, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(symbol_Info, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(symbol_price, eTableInsert | eTableUpdate)
TESSRIN_TABLE_OPERATIONS(symbol_Property, eTableInsert)
TESSRIN_TABLE_OPERATIONS(sys_CurrencyExchangeRate, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(trade_CloseBill, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(trade_Limit, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(am_AmountInOut,
                         eTableInsert | eTableUpdate | eTableRemove | eTableUpdateInTransaction)
TESSRIN_TABLE_OPERATIONS(user_AttPay, eTableInsert | eTableUpdate)
TESSRIN_TABLE_OPERATIONS(sys_PayPort, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(user_Payport, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(trade_priceLevel, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(trade_priceList, 0u)
// The plain insert of binary-option orders serves the roll-back of a unit of work only.
TESSRIN_TABLE_OPERATIONS(trade_BinaryOrder, eTableInsert | eTableInsertAt | eTableUpdate | eTableRemove |
                                                eTableInsertInTransaction | eTableUpdateInTransaction)
TESSRIN_TABLE_OPERATIONS(trade_Contract, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(server_time, eTableInsert | eTableUpdate | eTableClear)
TESSRIN_TABLE_OPERATIONS(risk_notice, eTableInsert | eTableUpdate)
TESSRIN_TABLE_OPERATIONS(trade_DeliveryOrder, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(trade_Position, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(UserInventory, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(SymbolInventory, eTableInsert | eTableUpdate | eTableRemove)
TESSRIN_TABLE_OPERATIONS(SymbolBookingInfo, 0u)
TESSRIN_TABLE_OPERATIONS(BookingAddrInfo, 0u)

#undef TESSRIN_TABLE_OPERATIONS
