#pragma once

// Including this header is cheap, and every window file may do so:
// - The change operations of the 25 tables (insert, update, remove, sweep)
//   are compiled once, in RecordTables*.cpp; an includer calls those and
//   compiles only the finds and walks it uses itself.
// - A folder whose files read the store takes a precompiled copy of this
//   header and of <wx/wx.h> with one line in its CMakeLists.txt:
//       target_precompile_headers(tessrin_<folder> REUSE_FROM tessrin_frame)
// - A header that only passes the store on declares `class RecordStore;`.
// - A window's own record table (model rows, hang orders) is compiled once
//   in the same way: TESSRIN_EXTERN_RECORD_TABLE after its container,
//   TESSRIN_COMPILE_RECORD_TABLE in one source file (CObjectFactory.h).

#include "db/RecordFactories.h"

#include <memory>

// The record database of the trading day: one table per record type, at fixed
// indices 0 to 24 in the order of the members below. Created empty; the tables
// exist after CreateTables and live until the store is destroyed.
class RecordStore
{
public:
    static constexpr int kTableCount = 25;

    RecordStore();
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // Creates every table, each empty and without observers.
    void CreateTables();
    // At logout: removes, telling their observers, the records of the user's
    // trading (accounts, bills, orders, money movements, registrations,
    // goods) and the server time. The market's symbols, prices, rates and
    // pay ports, the login record and the pushed notices stay.
    void RemoveTradingRecords();
    // No quote is the market's now (the link dropped, the login ended): each
    // price that was live is told to its observers as stale.
    void MarkQuotesStale();

    std::unique_ptr<trade_HoldBillFactory> m_trade_HoldBill_table;                     // 0
    std::unique_ptr<user_LoginInfoFactory> m_user_LoginInfo_table;                     // 1
    std::unique_ptr<user_AccountFactory> m_user_Account_table;                         // 2
    std::unique_ptr<symbol_InfoFactory> m_symbol_Info_table;                           // 3
    std::unique_ptr<symbol_priceFactory> m_symbol_price_table;                         // 4
    std::unique_ptr<symbol_PropertyFactory> m_symbol_Property_table;                   // 5
    std::unique_ptr<sys_CurrencyExchangeRateFactory> m_sys_CurrencyExchangeRate_table; // 6
    std::unique_ptr<trade_CloseBillFactory> m_trade_CloseBill_table;                   // 7
    std::unique_ptr<trade_LimitFactory> m_trade_Limit_table;                           // 8
    std::unique_ptr<am_AmountInOutFactory> m_am_AmountInOut_table;                     // 9
    std::unique_ptr<user_AttPayFactory> m_user_AttPay_table;                           // 10
    std::unique_ptr<sys_PayPortFactory> m_sys_PayPort_table;                           // 11
    std::unique_ptr<user_PayportFactory> m_user_Payport_table;                         // 12
    std::unique_ptr<trade_priceLevelFactory> m_trade_priceLevel_table;                 // 13
    std::unique_ptr<trade_priceListFactory> m_trade_priceList_table;                   // 14
    std::unique_ptr<trade_BinaryOrderFactory> m_trade_BinaryOrder_table;               // 15
    std::unique_ptr<trade_ContractFactory> m_trade_Contract_table;                     // 16
    std::unique_ptr<server_timeFactory> m_server_time_table;                           // 17
    std::unique_ptr<risk_noticeFactory> m_risk_notice_table;                           // 18
    std::unique_ptr<trade_DeliveryOrderFactory> m_trade_DeliveryOrder_table;           // 19
    std::unique_ptr<trade_PositionFactory> m_trade_Position_table;                     // 20
    std::unique_ptr<UserInventoryFactory> m_UserInventory_table;                       // 21
    std::unique_ptr<SymbolInventoryFactory> m_SymbolInventory_table;                   // 22
    std::unique_ptr<SymbolBookingInfoFactory> m_SymbolBookingInfo_table;               // 23
    std::unique_ptr<BookingAddrInfoFactory> m_BookingAddrInfo_table;                   // 24
};
