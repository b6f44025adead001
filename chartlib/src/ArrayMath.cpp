#include "chartlib/ArrayMath.h"

#include "chartlib/ChartConstants.h"

#include <algorithm>

namespace chartlib {

ArrayMath::ArrayMath(DoubleArray values) : m_values(values.toVector()) {}

double ArrayMath::max() const
{
    double best = -NoValue;
    for(double v : m_values) {
        if(hasValue(v)) {
            best = std::max(best, v);
        }
    }
    return best;
}

ArrayMath& ArrayMath::div(double divisor)
{
    for(double& v : m_values) {
        if(hasValue(v)) {
            v = divisor != 0 ? v / divisor : NoValue;
        }
    }
    return *this;
}

ArrayMath& ArrayMath::delta(int offset)
{
    std::vector<double> out(m_values.size(), NoValue);
    for(size_t i = 0; i < m_values.size(); ++i) {
        if(offset <= 0 || i < static_cast<size_t>(offset)) {
            continue;
        }
        const double now = m_values[i];
        const double before = m_values[i - offset];
        if(hasValue(now) && hasValue(before)) {
            out[i] = now - before;
        }
    }
    m_values.swap(out);
    return *this;
}

ArrayMath& ArrayMath::movAvg(int interval)
{
    std::vector<double> out(m_values.size(), NoValue);
    if(interval < 1) {
        m_values.swap(out);
        return *this;
    }
    // Positions of the values inside the window, oldest first.
    std::vector<size_t> window;
    window.reserve(static_cast<size_t>(interval) + 1);
    size_t head = 0;
    double sum = 0;
    for(size_t i = 0; i < m_values.size(); ++i) {
        const double v = m_values[i];
        if(!hasValue(v)) {
            continue;
        }
        window.push_back(i);
        sum += v;
        if(window.size() - head > static_cast<size_t>(interval)) {
            sum -= m_values[window[head++]];
        }
        if(window.size() - head == static_cast<size_t>(interval)) {
            out[i] = sum / interval;
        }
    }
    m_values.swap(out);
    return *this;
}

} // namespace chartlib
