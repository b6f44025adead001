#pragma once

#include <vector>

namespace chartlib {

// A read-only view of doubles owned by the caller; the objects that keep
// data (layers, labels) copy it.
class DoubleArray
{
public:
    DoubleArray() = default;
    DoubleArray(const double* data, int len) : m_data(data), m_len(data && len > 0 ? len : 0) {}
    DoubleArray(const std::vector<double>& values)
        : m_data(values.data()), m_len(static_cast<int>(values.size()))
    {}

    const double* data() const { return m_data; }
    int len() const { return m_len; }
    bool empty() const { return m_len == 0; }
    double operator[](int i) const { return m_data[i]; }
    const double* begin() const { return m_data; }
    const double* end() const { return m_data + m_len; }
    std::vector<double> toVector() const { return std::vector<double>(begin(), end()); }

private:
    const double* m_data = nullptr;
    int m_len = 0;
};

} // namespace chartlib
