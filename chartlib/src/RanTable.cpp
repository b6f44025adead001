#include "chartlib/RanTable.h"

#include "chartlib/ChartTime.h"

#include <algorithm>
#include <cmath>

namespace chartlib {

RanTable::RanTable(int seed, int noOfCols, int noOfRows)
    : m_state(static_cast<uint64_t>(static_cast<int64_t>(seed)) * 0x9E3779B97F4A7C15ULL +
              0x2545F4914F6CDD1DULL),
      m_rows(std::max(0, noOfRows)), m_cols(static_cast<size_t>(std::max(0, noOfCols)),
                                            std::vector<double>(static_cast<size_t>(m_rows), 0.0))
{}

double RanTable::next()
{
    // splitmix64: fixed across compilers and libraries, unlike the
    // distributions of <random>.
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
}

bool RanTable::validCol(int col, int width) const
{
    return col >= 0 && col + width <= static_cast<int>(m_cols.size());
}

void RanTable::setCol(int col, double minValue, double maxValue)
{
    if(!validCol(col)) {
        return;
    }
    for(double& v : m_cols[col]) {
        v = minValue + (maxValue - minValue) * next();
    }
}

void RanTable::setDateCol(int col, double startTime, double tickInc, bool weekDayOnly)
{
    if(!validCol(col)) {
        return;
    }
    double t = startTime;
    auto weekend = [](double when) {
        const int day = splitChartTime(when).weekDay;
        return day == 0 || day == 6;
    };
    for(double& v : m_cols[col]) {
        // Only a forward step can leave a weekend.
        while(weekDayOnly && tickInc > 0 && weekend(t)) {
            t += tickInc;
        }
        v = t;
        t += tickInc;
    }
}

void RanTable::setHLOCCols(int col, double startValue, double minDelta, double maxDelta, double lowerLimit,
                           double upperLimit)
{
    if(!validCol(col, 4)) {
        return;
    }
    auto clamp = [&](double v) { return std::min(upperLimit, std::max(lowerLimit, v)); };
    const double span = std::max(std::fabs(minDelta), std::fabs(maxDelta));
    double close = clamp(startValue);
    for(int row = 0; row < m_rows; ++row) {
        const double open = close;
        close = clamp(open + minDelta + (maxDelta - minDelta) * next());
        m_cols[col][row] = clamp(std::max(open, close) + span * 0.5 * next());
        m_cols[col + 1][row] = clamp(std::min(open, close) - span * 0.5 * next());
        m_cols[col + 2][row] = open;
        m_cols[col + 3][row] = close;
    }
}

DoubleArray RanTable::getCol(int col) const
{
    if(!validCol(col)) {
        return DoubleArray();
    }
    return DoubleArray(m_cols[col]);
}

} // namespace chartlib
