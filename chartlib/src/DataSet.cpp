#include "chartlib/DataSet.h"

#include "chartlib/ChartConstants.h"
#include "chartlib/XYChart.h"

namespace chartlib {

DataSet::DataSet(const XYChart& chart, DoubleArray data, int colour, std::string name)
    : m_chart(chart), m_values(data.toVector()), m_colour(colour), m_name(std::move(name))
{}

double DataSet::getValue(int index) const
{
    if(index < 0 || index >= m_chart.trimLength()) {
        return NoValue;
    }
    const long global = static_cast<long>(m_chart.trimStart()) + index;
    return global < fullSize() ? m_values[static_cast<size_t>(global)] : NoValue;
}

double DataSet::fullValue(int index) const
{
    return index >= 0 && index < fullSize() ? m_values[index] : NoValue;
}

} // namespace chartlib
