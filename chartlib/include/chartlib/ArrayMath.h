#pragma once

#include "chartlib/DoubleArray.h"

#include <vector>

namespace chartlib {

// Arithmetic over a copy of a series. Entries without a value (NoValue) stay
// without a value and never enter a result.
class ArrayMath
{
public:
    explicit ArrayMath(DoubleArray values);

    // The largest value; -NoValue when there is none.
    double max() const;
    // Every value divided by the divisor.
    ArrayMath& div(double divisor);
    // Each value minus the one `offset` places before it.
    ArrayMath& delta(int offset = 1);
    // Mean of the last `interval` values with a value, up to and including
    // each entry; no value until that many were seen, or where the entry has
    // none.
    ArrayMath& movAvg(int interval);

    DoubleArray result() const { return DoubleArray(m_values); }
    const std::vector<double>& values() const { return m_values; }

private:
    std::vector<double> m_values;
};

} // namespace chartlib
