#pragma once

#include "chartlib/DoubleArray.h"

#include <string>
#include <vector>

namespace chartlib {

class XYChart;

// One series of a layer, copied from the caller. Indexes are those of the
// shown (trimmed) points.
class DataSet
{
public:
    DataSet(const XYChart& chart, DoubleArray data, int colour, std::string name);

    // NoValue outside the data.
    double getValue(int index) const;
    const std::string& getDataName() const { return m_name; }
    int getDataColor() const { return m_colour; }

    // Index into the whole series, trimmed points included.
    double fullValue(int index) const;
    int fullSize() const { return static_cast<int>(m_values.size()); }

private:
    const XYChart& m_chart;
    std::vector<double> m_values;
    int m_colour;
    std::string m_name;
};

} // namespace chartlib
