#include "db/RecordStore.h"

#include <cstdint>
#include <vector>

RecordStore::RecordStore() = default;

RecordStore::~RecordStore()
{
    // In index order, as the tables were made.
    m_trade_HoldBill_table.reset();
    m_user_LoginInfo_table.reset();
    m_user_Account_table.reset();
    m_symbol_Info_table.reset();
    m_symbol_price_table.reset();
    m_symbol_Property_table.reset();
    m_sys_CurrencyExchangeRate_table.reset();
    m_trade_CloseBill_table.reset();
    m_trade_Limit_table.reset();
    m_am_AmountInOut_table.reset();
    m_user_AttPay_table.reset();
    m_sys_PayPort_table.reset();
    m_user_Payport_table.reset();
    m_trade_priceLevel_table.reset();
    m_trade_priceList_table.reset();
    m_trade_BinaryOrder_table.reset();
    m_trade_Contract_table.reset();
    m_server_time_table.reset();
    m_risk_notice_table.reset();
    m_trade_DeliveryOrder_table.reset();
    m_trade_Position_table.reset();
    m_UserInventory_table.reset();
    m_SymbolInventory_table.reset();
    m_SymbolBookingInfo_table.reset();
    m_BookingAddrInfo_table.reset();
}

namespace {
// A second call keeps the tables it finds, so that no observer loses its table.
template <class Table> void Create(std::unique_ptr<Table>& table)
{
    if(!table) {
        table = std::make_unique<Table>();
    }
}
} // namespace

namespace {
template <class Record> void RemoveAll(SweptTable<Record>& table)
{
    table.SweepStale(UINT32_MAX);
}
} // namespace

void RecordStore::RemoveTradingRecords()
{
    // What refers to an account goes before it.
    RemoveAll(*m_UserInventory_table);
    RemoveAll(*m_trade_BinaryOrder_table);
    RemoveAll(*m_trade_DeliveryOrder_table);
    RemoveAll(*m_am_AmountInOut_table);
    RemoveAll(*m_trade_Limit_table);
    RemoveAll(*m_trade_CloseBill_table);
    RemoveAll(*m_trade_Position_table);
    RemoveAll(*m_trade_HoldBill_table);
    RemoveAll(*m_user_Payport_table);
    RemoveAll(*m_user_Account_table);
    m_server_time_table->Clear();
}

void RecordStore::MarkQuotesStale()
{
    if(!m_symbol_price_table) {
        return;
    }
    auto& prices = *m_symbol_price_table;
    std::vector<int> live;
    for(const symbol_price& price : prices.GetIndexByPrimary()) {
        if(price.live) {
            live.push_back(price.symbolId);
        }
    }
    // Each one told to its observers: boards, charts and order windows show it at once.
    for(int symbolId : live) {
        prices.Modify(symbolId, [](symbol_price& price) { price.live = false; });
    }
}

void RecordStore::CreateTables()
{
    Create(m_trade_HoldBill_table);
    Create(m_user_LoginInfo_table);
    Create(m_user_Account_table);
    Create(m_symbol_Info_table);
    Create(m_symbol_price_table);
    Create(m_symbol_Property_table);
    Create(m_sys_CurrencyExchangeRate_table);
    Create(m_trade_CloseBill_table);
    Create(m_trade_Limit_table);
    Create(m_am_AmountInOut_table);
    Create(m_user_AttPay_table);
    Create(m_sys_PayPort_table);
    Create(m_user_Payport_table);
    Create(m_trade_priceLevel_table);
    Create(m_trade_priceList_table);
    Create(m_trade_BinaryOrder_table);
    Create(m_trade_Contract_table);
    Create(m_server_time_table);
    Create(m_risk_notice_table);
    Create(m_trade_DeliveryOrder_table);
    Create(m_trade_Position_table);
    Create(m_UserInventory_table);
    Create(m_SymbolInventory_table);
    Create(m_SymbolBookingInfo_table);
    Create(m_BookingAddrInfo_table);
}
