#pragma once

#include "chartlib/DoubleArray.h"

#include <cstdint>
#include <vector>

namespace chartlib {

// A table of random columns for sample charts; the same seed always gives the
// same table.
class RanTable
{
public:
    RanTable(int seed, int noOfCols, int noOfRows);

    // Values spread evenly between the two limits.
    void setCol(int col, double minValue, double maxValue);
    // Chart times from `startTime`, `tickInc` seconds apart; with weekDayOnly
    // a Saturday or Sunday is passed over.
    void setDateCol(int col, double startTime, double tickInc, bool weekDayOnly = false);
    // Four columns from `col`: high, low, open and close of a random walk that
    // opens at `startValue`, moves by minDelta..maxDelta a row and stays
    // within the limits.
    void setHLOCCols(int col, double startValue, double minDelta, double maxDelta, double lowerLimit = 0,
                     double upperLimit = 1E+308);

    DoubleArray getCol(int col) const;

private:
    double next(); // uniform in [0, 1)
    bool validCol(int col, int width = 1) const;

    uint64_t m_state;
    int m_rows;
    std::vector<std::vector<double>> m_cols;
};

} // namespace chartlib
