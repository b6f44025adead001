#pragma once

// The containers of the 25 record tables of the store: the first index is the
// primary one, the others decide what else is unique and how rows are walked.

#include "db/BookingAddrInfo.h"
#include "db/CObjectFactory.h"
#include "db/RecordHash.h"
#include "db/RecordTime.h"
#include "db/SymbolBookingInfo.h"
#include "db/SymbolInventory.h"
#include "db/UserInventory.h"
#include "db/am_AmountInOut.h"
#include "db/risk_notice.h"
#include "db/server_time.h"
#include "db/symbol_Info.h"
#include "db/symbol_Property.h"
#include "db/symbol_price.h"
#include "db/sys_CurrencyExchangeRate.h"
#include "db/sys_PayPort.h"
#include "db/trade_BinaryOrder.h"
#include "db/trade_CloseBill.h"
#include "db/trade_Contract.h"
#include "db/trade_DeliveryOrder.h"
#include "db/trade_HoldBill.h"
#include "db/trade_Limit.h"
#include "db/trade_Position.h"
#include "db/trade_priceLevel.h"
#include "db/trade_priceList.h"
#include "db/user_Account.h"
#include "db/user_AttPay.h"
#include "db/user_LoginInfo.h"
#include "db/user_Payport.h"

#include <boost/multi_index/composite_key.hpp>
#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/member.hpp>
#include <boost/multi_index/ordered_index.hpp>
#include <boost/multi_index/random_access_index.hpp>
#include <boost/multi_index_container.hpp>

// Index tags.
struct ByKey
{
}; // primary key where no better name fits
struct ByOrderCode
{
}; // order code text
struct BySymbolId
{
}; // symbol id
struct ByAccountKey
{
}; // account key
struct BySerial
{
}; // refresh serial, smallest first
struct BySequence
{
}; // random-access sequence
struct ByOrderState
{
}; // binary-order state
struct BySymbolPeriod
{
}; // contracts of one symbol and period
struct ByNoticeTime
{
}; // risk-notice time

namespace recordindex {
namespace bmi = boost::multi_index;

template <class R, class T, T R::*M> using Member = bmi::member<R, T, M>;
template <class R>
using SerialIndex = bmi::ordered_non_unique<bmi::tag<BySerial>, Member<R, uint32_t, &R::refreshSerial>>;
using Sequence = bmi::random_access<bmi::tag<BySequence>>;
template <class R>
using OrderCodeHashed =
    bmi::hashed_unique<bmi::tag<ByOrderCode>, Member<R, wxString, &R::orderCode>, RecordTextHash>;
template <class R>
using SymbolOrdered = bmi::ordered_non_unique<bmi::tag<BySymbolId>, Member<R, int, &R::symbolId>>;
} // namespace recordindex

using trade_HoldBillContainer = boost::multi_index_container<
    trade_HoldBill,
    boost::multi_index::indexed_by<recordindex::OrderCodeHashed<trade_HoldBill>,
                                   recordindex::SymbolOrdered<trade_HoldBill>,
                                   boost::multi_index::hashed_non_unique<
                                       boost::multi_index::tag<ByAccountKey>,
                                       recordindex::Member<trade_HoldBill, int, &trade_HoldBill::accountKey>>,
                                   recordindex::SerialIndex<trade_HoldBill>, recordindex::Sequence>>;

using user_LoginInfoContainer = boost::multi_index_container<
    user_LoginInfo,
    boost::multi_index::indexed_by<boost::multi_index::hashed_unique<
        boost::multi_index::tag<ByKey>, recordindex::Member<user_LoginInfo, int, &user_LoginInfo::userId>>>>;

using user_AccountContainer = boost::multi_index_container<
    user_Account,
    boost::multi_index::indexed_by<
        boost::multi_index::hashed_unique<boost::multi_index::tag<ByAccountKey>,
                                          recordindex::Member<user_Account, int, &user_Account::accountKey>>,
        recordindex::SerialIndex<user_Account>, recordindex::Sequence>>;

using symbol_InfoContainer = boost::multi_index_container<
    symbol_Info,
    boost::multi_index::indexed_by<
        boost::multi_index::ordered_unique<boost::multi_index::tag<BySymbolId>,
                                           recordindex::Member<symbol_Info, int, &symbol_Info::symbolId>>,
        recordindex::SerialIndex<symbol_Info>, recordindex::Sequence>>;

using symbol_priceContainer = boost::multi_index_container<
    symbol_price,
    boost::multi_index::indexed_by<
        boost::multi_index::hashed_unique<boost::multi_index::tag<BySymbolId>,
                                          recordindex::Member<symbol_price, int, &symbol_price::symbolId>>,
        recordindex::SerialIndex<symbol_price>, recordindex::Sequence>>;

using symbol_PropertyContainer = boost::multi_index_container<
    symbol_Property,
    boost::multi_index::indexed_by<boost::multi_index::hashed_unique<
                                       boost::multi_index::tag<BySymbolId>,
                                       recordindex::Member<symbol_Property, int, &symbol_Property::symbolId>>,
                                   recordindex::SerialIndex<symbol_Property>, recordindex::Sequence>>;

using sys_CurrencyExchangeRateContainer = boost::multi_index_container<
    sys_CurrencyExchangeRate,
    boost::multi_index::indexed_by<
        boost::multi_index::ordered_unique<
            boost::multi_index::tag<ByKey>,
            boost::multi_index::composite_key<sys_CurrencyExchangeRate,
                                              recordindex::Member<sys_CurrencyExchangeRate, wxString,
                                                                  &sys_CurrencyExchangeRate::fromCurrency>,
                                              recordindex::Member<sys_CurrencyExchangeRate, wxString,
                                                                  &sys_CurrencyExchangeRate::toCurrency>>>,
        recordindex::SerialIndex<sys_CurrencyExchangeRate>>>;

using trade_CloseBillContainer = boost::multi_index_container<
    trade_CloseBill,
    boost::multi_index::indexed_by<recordindex::OrderCodeHashed<trade_CloseBill>,
                                   recordindex::SymbolOrdered<trade_CloseBill>,
                                   recordindex::SerialIndex<trade_CloseBill>, recordindex::Sequence>>;

using trade_LimitContainer = boost::multi_index_container<
    trade_Limit, boost::multi_index::indexed_by<
                     recordindex::OrderCodeHashed<trade_Limit>, recordindex::SymbolOrdered<trade_Limit>,
                     recordindex::SerialIndex<trade_Limit>, recordindex::Sequence>>;

using am_AmountInOutContainer = boost::multi_index_container<
    am_AmountInOut,
    boost::multi_index::indexed_by<
        boost::multi_index::hashed_unique<boost::multi_index::tag<ByKey>,
                                          recordindex::Member<am_AmountInOut, int, &am_AmountInOut::inOutId>>,
        recordindex::SerialIndex<am_AmountInOut>, recordindex::Sequence>>;

using user_AttPayContainer = boost::multi_index_container<
    user_AttPay,
    boost::multi_index::indexed_by<
        boost::multi_index::hashed_unique<boost::multi_index::tag<ByKey>,
                                          recordindex::Member<user_AttPay, int, &user_AttPay::attPayId>>,
        recordindex::SerialIndex<user_AttPay>>>;

using sys_PayPortContainer = boost::multi_index_container<
    sys_PayPort,
    boost::multi_index::indexed_by<
        boost::multi_index::hashed_unique<boost::multi_index::tag<ByKey>,
                                          recordindex::Member<sys_PayPort, int, &sys_PayPort::sysPayPortId>>,
        recordindex::SerialIndex<sys_PayPort>>>;

using user_PayportContainer = boost::multi_index_container<
    user_Payport,
    boost::multi_index::indexed_by<boost::multi_index::hashed_unique<
                                       boost::multi_index::tag<ByKey>,
                                       recordindex::Member<user_Payport, int64_t, &user_Payport::payportKey>>,
                                   recordindex::SerialIndex<user_Payport>>>;

using trade_priceLevelContainer = boost::multi_index_container<
    trade_priceLevel, boost::multi_index::indexed_by<
                          boost::multi_index::hashed_unique<
                              boost::multi_index::tag<ByKey>,
                              recordindex::Member<trade_priceLevel, int, &trade_priceLevel::priceLevelId>>,
                          recordindex::SerialIndex<trade_priceLevel>>>;

using trade_priceListContainer = boost::multi_index_container<
    trade_priceList,
    boost::multi_index::indexed_by<
        boost::multi_index::hashed_unique<boost::multi_index::tag<ByKey>,
                                          recordindex::Member<trade_priceList, int, &trade_priceList::id>>,
        recordindex::SerialIndex<trade_priceList>>>;

using trade_BinaryOrderContainer = boost::multi_index_container<
    trade_BinaryOrder,
    boost::multi_index::indexed_by<
        boost::multi_index::ordered_unique<
            boost::multi_index::tag<ByOrderCode>,
            recordindex::Member<trade_BinaryOrder, wxString, &trade_BinaryOrder::orderCode>>,
        boost::multi_index::ordered_non_unique<
            boost::multi_index::tag<ByOrderState>,
            recordindex::Member<trade_BinaryOrder, char, &trade_BinaryOrder::orderState>>,
        recordindex::SerialIndex<trade_BinaryOrder>, recordindex::Sequence>>;

using trade_ContractContainer = boost::multi_index_container<
    trade_Contract,
    boost::multi_index::indexed_by<
        boost::multi_index::ordered_unique<
            boost::multi_index::tag<ByKey>,
            boost::multi_index::composite_key<
                trade_Contract, recordindex::Member<trade_Contract, int64_t, &trade_Contract::contractId>,
                recordindex::Member<trade_Contract, int, &trade_Contract::symbolId>>>,
        recordindex::SerialIndex<trade_Contract>,
        boost::multi_index::ordered_non_unique<
            boost::multi_index::tag<BySymbolPeriod>,
            boost::multi_index::composite_key<
                trade_Contract, recordindex::Member<trade_Contract, int, &trade_Contract::symbolId>,
                recordindex::Member<trade_Contract, int, &trade_Contract::periodCount>,
                recordindex::Member<trade_Contract, char, &trade_Contract::periodUnit>>>>>;

using server_timeContainer = boost::multi_index_container<
    server_time,
    boost::multi_index::indexed_by<boost::multi_index::hashed_unique<
        boost::multi_index::tag<ByKey>, recordindex::Member<server_time, int, &server_time::id>>>>;

using risk_noticeContainer = boost::multi_index_container<
    risk_notice,
    boost::multi_index::indexed_by<
        boost::multi_index::hashed_non_unique<
            boost::multi_index::tag<ByAccountKey>,
            recordindex::Member<risk_notice, int, &risk_notice::accountKey>>,
        boost::multi_index::ordered_non_unique<
            boost::multi_index::tag<ByNoticeTime>,
            recordindex::Member<risk_notice, wxDateTime, &risk_notice::noticeTime>, RecordTimeLess>>>;

using trade_DeliveryOrderContainer = boost::multi_index_container<
    trade_DeliveryOrder,
    boost::multi_index::indexed_by<recordindex::OrderCodeHashed<trade_DeliveryOrder>,
                                   recordindex::SymbolOrdered<trade_DeliveryOrder>,
                                   recordindex::SerialIndex<trade_DeliveryOrder>, recordindex::Sequence>>;

using trade_PositionContainer = boost::multi_index_container<
    trade_Position,
    boost::multi_index::indexed_by<boost::multi_index::hashed_non_unique<
                                       boost::multi_index::tag<BySymbolId>,
                                       recordindex::Member<trade_Position, int, &trade_Position::symbolId>>,
                                   recordindex::SerialIndex<trade_Position>, recordindex::Sequence>>;

using UserInventoryContainer = boost::multi_index_container<
    UserInventory,
    boost::multi_index::indexed_by<
        boost::multi_index::hashed_unique<
            boost::multi_index::tag<ByKey>,
            boost::multi_index::composite_key<
                UserInventory, recordindex::Member<UserInventory, int, &UserInventory::storeId>,
                recordindex::Member<UserInventory, int, &UserInventory::symbolId>>>,
        recordindex::SerialIndex<UserInventory>, recordindex::Sequence>>;

using SymbolInventoryContainer = boost::multi_index_container<
    SymbolInventory,
    boost::multi_index::indexed_by<boost::multi_index::hashed_non_unique<
                                       boost::multi_index::tag<BySymbolId>,
                                       recordindex::Member<SymbolInventory, int, &SymbolInventory::symbolId>>,
                                   recordindex::SerialIndex<SymbolInventory>, recordindex::Sequence>>;

using SymbolBookingInfoContainer = boost::multi_index_container<
    SymbolBookingInfo, boost::multi_index::indexed_by<
                           boost::multi_index::hashed_unique<
                               boost::multi_index::tag<ByKey>,
                               recordindex::Member<SymbolBookingInfo, int, &SymbolBookingInfo::storeId>>,
                           recordindex::SerialIndex<SymbolBookingInfo>, recordindex::Sequence>>;

using BookingAddrInfoContainer = boost::multi_index_container<
    BookingAddrInfo,
    boost::multi_index::indexed_by<
        boost::multi_index::hashed_unique<
            boost::multi_index::tag<ByKey>,
            recordindex::Member<BookingAddrInfo, wxString, &BookingAddrInfo::addrKey>, RecordTextHash>,
        recordindex::SerialIndex<BookingAddrInfo>, recordindex::Sequence>>;

// The tables of the store are declared through these containers.
template <> struct RecordContainer<trade_HoldBill>
{
    using type = trade_HoldBillContainer;
};
template <> struct RecordContainer<user_LoginInfo>
{
    using type = user_LoginInfoContainer;
};
template <> struct RecordContainer<user_Account>
{
    using type = user_AccountContainer;
};
template <> struct RecordContainer<symbol_Info>
{
    using type = symbol_InfoContainer;
};
template <> struct RecordContainer<symbol_price>
{
    using type = symbol_priceContainer;
};
template <> struct RecordContainer<symbol_Property>
{
    using type = symbol_PropertyContainer;
};
template <> struct RecordContainer<sys_CurrencyExchangeRate>
{
    using type = sys_CurrencyExchangeRateContainer;
};
template <> struct RecordContainer<trade_CloseBill>
{
    using type = trade_CloseBillContainer;
};
template <> struct RecordContainer<trade_Limit>
{
    using type = trade_LimitContainer;
};
template <> struct RecordContainer<am_AmountInOut>
{
    using type = am_AmountInOutContainer;
};
template <> struct RecordContainer<user_AttPay>
{
    using type = user_AttPayContainer;
};
template <> struct RecordContainer<sys_PayPort>
{
    using type = sys_PayPortContainer;
};
template <> struct RecordContainer<user_Payport>
{
    using type = user_PayportContainer;
};
template <> struct RecordContainer<trade_priceLevel>
{
    using type = trade_priceLevelContainer;
};
template <> struct RecordContainer<trade_priceList>
{
    using type = trade_priceListContainer;
};
template <> struct RecordContainer<trade_BinaryOrder>
{
    using type = trade_BinaryOrderContainer;
};
template <> struct RecordContainer<trade_Contract>
{
    using type = trade_ContractContainer;
};
template <> struct RecordContainer<server_time>
{
    using type = server_timeContainer;
};
template <> struct RecordContainer<risk_notice>
{
    using type = risk_noticeContainer;
};
template <> struct RecordContainer<trade_DeliveryOrder>
{
    using type = trade_DeliveryOrderContainer;
};
template <> struct RecordContainer<trade_Position>
{
    using type = trade_PositionContainer;
};
template <> struct RecordContainer<UserInventory>
{
    using type = UserInventoryContainer;
};
template <> struct RecordContainer<SymbolInventory>
{
    using type = SymbolInventoryContainer;
};
template <> struct RecordContainer<SymbolBookingInfo>
{
    using type = SymbolBookingInfoContainer;
};
template <> struct RecordContainer<BookingAddrInfo>
{
    using type = BookingAddrInfoContainer;
};

// Compiled once, in RecordTables*.cpp (see RecordStore.h).
TESSRIN_EXTERN_RECORD_TABLE(trade_HoldBill)
TESSRIN_EXTERN_RECORD_TABLE(user_LoginInfo)
TESSRIN_EXTERN_RECORD_TABLE(user_Account)
TESSRIN_EXTERN_RECORD_TABLE(symbol_Info)
TESSRIN_EXTERN_RECORD_TABLE(symbol_price)
TESSRIN_EXTERN_RECORD_TABLE(symbol_Property)
TESSRIN_EXTERN_RECORD_TABLE(sys_CurrencyExchangeRate)
TESSRIN_EXTERN_RECORD_TABLE(trade_CloseBill)
TESSRIN_EXTERN_RECORD_TABLE(trade_Limit)
TESSRIN_EXTERN_RECORD_TABLE(am_AmountInOut)
TESSRIN_EXTERN_RECORD_TABLE(user_AttPay)
TESSRIN_EXTERN_RECORD_TABLE(sys_PayPort)
TESSRIN_EXTERN_RECORD_TABLE(user_Payport)
TESSRIN_EXTERN_RECORD_TABLE(trade_priceLevel)
TESSRIN_EXTERN_RECORD_TABLE(trade_priceList)
TESSRIN_EXTERN_RECORD_TABLE(trade_BinaryOrder)
TESSRIN_EXTERN_RECORD_TABLE(trade_Contract)
TESSRIN_EXTERN_RECORD_TABLE(server_time)
TESSRIN_EXTERN_RECORD_TABLE(risk_notice)
TESSRIN_EXTERN_RECORD_TABLE(trade_DeliveryOrder)
TESSRIN_EXTERN_RECORD_TABLE(trade_Position)
TESSRIN_EXTERN_RECORD_TABLE(UserInventory)
TESSRIN_EXTERN_RECORD_TABLE(SymbolInventory)
TESSRIN_EXTERN_RECORD_TABLE(SymbolBookingInfo)
TESSRIN_EXTERN_RECORD_TABLE(BookingAddrInfo)
