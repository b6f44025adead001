#pragma once

#include "db/CObjectFactory.h"

#include <boost/multi_index/member.hpp>
#include <boost/multi_index/ordered_index.hpp>
#include <boost/multi_index/random_access_index.hpp>
#include <boost/multi_index_container.hpp>

// One K-line (candle): its start in seconds since 1970 and its prices.
struct sKData
{
    double time = 0.0;
    double open = 0.0;
    double high = 0.0;
    double low = 0.0;
    double close = 0.0;
    double volume = 0.0; // never filled: neither the server rows nor the ticks carry it
};

struct ByKDataTime
{
};
struct ByKDataPosition
{
};

// Ordered unique by time; the random-access index is kept in the same order
// (inserts go to their place), so position 0 is the oldest K-line.
template <> struct RecordContainer<sKData>
{
    using type = boost::multi_index_container<
        sKData,
        boost::multi_index::indexed_by<
            boost::multi_index::ordered_unique<boost::multi_index::tag<ByKDataTime>,
                                               boost::multi_index::member<sKData, double, &sKData::time>>,
            boost::multi_index::random_access<boost::multi_index::tag<ByKDataPosition>>>>;
};

class sKDataFactory : public CObjectFactory<sKData>
{
};
