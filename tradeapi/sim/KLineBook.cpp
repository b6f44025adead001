#include "KLineBook.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <iterator>
#include <random>

namespace simmarket {

namespace {

constexpr int kCodes[] = {4, 15, 5, 6, 7, 8, 13, 14, 9, 10, 11};
constexpr int kDefaultQuery = 200;

double RoundTo(double price, int digits)
{
    const double scale = std::pow(10.0, std::min(std::max(digits, 0), 7));
    return std::round(price * scale) / scale;
}

int64_t FromLocal(std::tm local)
{
    local.tm_sec = 0;
    local.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&local));
}

} // namespace

KLineBook::KLineBook(unsigned seed, int64_t startSeconds, int depth)
    : m_seed(seed), m_startSeconds(startSeconds), m_depth(std::max(depth, 0))
{}

bool KLineBook::IsPeriodCode(int code)
{
    return std::find(std::begin(kCodes), std::end(kCodes), code) != std::end(kCodes);
}

int64_t KLineBook::BarStart(int code, int64_t seconds)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&t, &local);
    auto minutes = [&](int step) { local.tm_min -= local.tm_min % step; };
    auto hours = [&](int step) {
        local.tm_min = 0;
        local.tm_hour -= local.tm_hour % step;
    };
    switch(code) {
    case 4:
        break;
    case 15:
        minutes(3);
        break;
    case 5:
        minutes(5);
        break;
    case 6:
        minutes(15);
        break;
    case 7:
        minutes(30);
        break;
    case 8:
        hours(1);
        break;
    case 13:
        hours(2);
        break;
    case 14:
        hours(4);
        break;
    case 9:
        hours(24);
        break;
    case 10:
        hours(24);
        local.tm_mday -= (local.tm_wday + 6) % 7; // back to Monday
        break;
    case 11:
        hours(24);
        local.tm_mday = 1;
        break;
    default:
        return -1;
    }
    return FromLocal(local);
}

KLineBook::Series& KLineBook::SeriesOf(const SimSymbol& symbol, int code)
{
    const auto key = std::make_pair(symbol.id, code);
    auto found = m_series.find(key);
    if(found != m_series.end())
        return found->second;

    // Walk back from the scenario's price: each older K-line closes where the
    // next one opened, so the generated history joins the live one.
    Series& series = m_series[key];
    std::mt19937_64 random(m_seed * 1000003ull + static_cast<uint64_t>(symbol.id) * 131ull +
                           static_cast<uint64_t>(code));
    std::uniform_real_distribution<double> move(-0.004, 0.004);
    std::uniform_real_distribution<double> wick(0.0, 0.002);
    const double reference = symbol.open > 0 ? symbol.open : symbol.last;
    double nextOpen = reference;
    int64_t slot = BarStart(code, m_startSeconds);
    for(int i = 0; i < m_depth; ++i) {
        slot = BarStart(code, slot - 1);
        KLine bar;
        bar.time = slot;
        bar.close = RoundTo(nextOpen, symbol.digits);
        bar.open = RoundTo(std::max(bar.close - move(random) * reference, reference * 0.5), symbol.digits);
        bar.high = RoundTo(std::max(bar.open, bar.close) + wick(random) * reference, symbol.digits);
        bar.low = RoundTo(std::min(bar.open, bar.close) - wick(random) * reference, symbol.digits);
        series.emplace(slot, bar);
        nextOpen = bar.open;
    }
    return series;
}

void KLineBook::OnTick(const SimSymbol& symbol, int64_t seconds)
{
    const double price = symbol.last;
    for(int code : kCodes) {
        Series& series = SeriesOf(symbol, code);
        const int64_t start = BarStart(code, seconds);
        auto [it, added] = series.try_emplace(start);
        KLine& bar = it->second;
        if(added) {
            bar = {start, price, price, price, price};
        } else {
            bar.high = std::max(bar.high, price);
            bar.low = std::min(bar.low, price);
            bar.close = price;
        }
    }
}

std::vector<KLine> KLineBook::Query(const SimSymbol& symbol, int code, int64_t time, int barcount)
{
    if(!IsPeriodCode(code))
        return {};
    if(barcount == 0)
        barcount = -kDefaultQuery;
    const std::size_t count = static_cast<std::size_t>(std::min(std::abs(barcount), kMaxQuery));
    const Series& series = SeriesOf(symbol, code);
    std::vector<KLine> bars;
    if(barcount < 0) {
        auto end = time > 0 ? series.lower_bound(time) : series.end();
        auto begin = end;
        for(std::size_t n = 0; n < count && begin != series.begin(); ++n)
            --begin;
        for(auto it = begin; it != end; ++it)
            bars.push_back(it->second);
    } else {
        auto it = time > 0 ? series.lower_bound(BarStart(code, time)) : series.begin();
        for(; it != series.end() && bars.size() < count; ++it)
            bars.push_back(it->second);
    }
    return bars;
}

} // namespace simmarket
