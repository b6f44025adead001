#pragma once

#include "db/CObjectFactory.h"

#include <boost/multi_index/composite_key.hpp>
#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/member.hpp>
#include <boost/multi_index/random_access_index.hpp>
#include <boost/multi_index_container.hpp>

struct trade_HoldBill;
struct user_Account;

// One row of the hold-detail list: a hold bill of an account, or, with no
// bill, the summary row of that account.
struct OrderListNode
{
    int symbolId = 0; // 0 in a summary row
    int accountKey = 0;
    const user_Account* account = nullptr;    // valid only while its summary row is listed
    const trade_HoldBill* holdBill = nullptr; // null in a summary row

    bool IsSummary() const { return holdBill == nullptr; }
};

struct ByAccountBill
{
};
struct ByNodeSymbol
{
};
struct ByRow
{
};

template <> struct RecordContainer<OrderListNode>
{
    using type = boost::multi_index_container<
        OrderListNode,
        boost::multi_index::indexed_by<
            boost::multi_index::hashed_unique<
                boost::multi_index::tag<ByAccountBill>,
                boost::multi_index::composite_key<
                    OrderListNode, boost::multi_index::member<OrderListNode, int, &OrderListNode::accountKey>,
                    boost::multi_index::member<OrderListNode, const trade_HoldBill*,
                                               &OrderListNode::holdBill>>>,
            boost::multi_index::hashed_non_unique<
                boost::multi_index::tag<ByNodeSymbol>,
                boost::multi_index::member<OrderListNode, int, &OrderListNode::symbolId>>,
            boost::multi_index::random_access<boost::multi_index::tag<ByRow>>>>;
};

TESSRIN_EXTERN_RECORD_TABLE(OrderListNode)
