#include "pelmora/ChartDataArray.h"

#include <algorithm>
#include <chartlib/ChartConstants.h>
#include <cmath>
#include <cstdint>

ChartDataArray::ChartDataArray(std::unique_ptr<IDataProvider> provider, int screenCount, int extraPoints)
    : m_provider(std::move(provider)),
      m_screenCount(std::clamp(screenCount, kMinScreenCount, kMaxScreenCount)),
      m_extraPoints(std::max(0, extraPoints)),
      m_values(static_cast<size_t>(m_extraPoints + m_screenCount), chartlib::NoValue)
{}

bool ChartDataArray::Seek(int offset, int seekType)
{
    const int64_t count = m_provider ? std::max(0, m_provider->GetCount()) : 0;
    int64_t target = 0;
    switch(seekType) {
    case eSeekAbsolute:
        target = offset;
        break;
    case eSeekRelative:
        target = static_cast<int64_t>(m_position) + offset;
        break;
    case eSeekFromEnd:
        target = count + offset;
        break;
    default:
        return false;
    }
    int64_t upper = std::max<int64_t>(0, count - 1);
    if(seekType == eSeekRelative && offset > 0) {
        upper = std::min(upper, std::max<int64_t>(m_position, count - m_screenCount));
    }
    target = std::clamp<int64_t>(target, 0, std::max<int64_t>(upper, 0));
    const bool moved = target != m_position;
    m_position = static_cast<int>(target);
    Fetch();
    return moved;
}

bool ChartDataArray::Zoom(double factor, int anchor)
{
    if(!std::isfinite(factor) || factor <= 0) {
        return false;
    }
    const double scaled = std::round(m_screenCount * factor);
    const int screenCount =
        static_cast<int>(std::clamp(scaled, double(kMinScreenCount), double(kMaxScreenCount)));
    if(screenCount == m_screenCount) {
        return false;
    }
    if(anchor == 0) {
        m_position = std::max(0, m_position + m_screenCount - screenCount);
    }
    m_screenCount = screenCount;
    m_values.assign(static_cast<size_t>(m_extraPoints + m_screenCount), chartlib::NoValue);
    Fetch();
    return true;
}

void ChartDataArray::Clear()
{
    std::fill(m_values.begin(), m_values.end(), chartlib::NoValue);
    m_validCount = 0;
    m_leadingCount = 0;
    m_atEnd = false;
}

chartlib::DoubleArray ChartDataArray::GetChartDataArray(int* leading) const
{
    if(leading) {
        *leading = m_leadingCount;
    }
    return chartlib::DoubleArray(m_values.data() + m_extraPoints, m_screenCount);
}

void ChartDataArray::SetValue(int index, double value)
{
    if(index >= 0 && index < m_screenCount) {
        m_values[static_cast<size_t>(m_extraPoints + index)] = value;
    }
}

void ChartDataArray::SetPosition(int position)
{
    m_position = std::max(0, position);
    Fetch();
}

void ChartDataArray::Fetch()
{
    const int count = m_provider ? std::max(0, m_provider->GetCount()) : 0;
    std::fill(m_values.begin(), m_values.end(), chartlib::NoValue);
    m_validCount = std::clamp(count - m_position, 0, m_screenCount);
    // Leading points only where they join the window without a gap.
    m_leadingCount = m_position <= count ? std::min(m_extraPoints, m_position) : 0;
    double* visible = m_values.data() + m_extraPoints;
    for(int i = 0; i < m_validCount; ++i) {
        visible[i] = m_provider->GetValue(m_position + i);
    }
    for(int i = 1; i <= m_leadingCount; ++i) {
        visible[-i] = m_provider->GetValue(m_position - i);
    }
    m_atEnd = m_position + m_validCount >= count;
}
