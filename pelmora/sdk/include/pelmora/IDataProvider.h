#ifndef PELMORA_IDATAPROVIDER_H
#define PELMORA_IDATAPROVIDER_H

// The values one series of a chart can show, oldest first: how many there
// are and the value at each index. A ChartDataArray asks it whenever its
// window moves, so the count may grow between two calls.
class IDataProvider
{
public:
    virtual ~IDataProvider() = default;

    virtual int GetCount() const = 0;
    // 0 <= index < GetCount().
    virtual double GetValue(int index) const = 0;
};

#endif // PELMORA_IDATAPROVIDER_H
