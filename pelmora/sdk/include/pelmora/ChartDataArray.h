#ifndef PELMORA_CHARTDATAARRAY_H
#define PELMORA_CHARTDATAARRAY_H

#include "pelmora/IDataProvider.h"

#include <chartlib/DoubleArray.h>
#include <memory>
#include <vector>

// How ChartDataArray::Seek reads its offset.
enum eSeekType {
    eSeekAbsolute = 0, // the new position
    eSeekRelative = 1, // added to the position
    eSeekFromEnd = 2,  // added to the number of values
};

// A window of `screen count` values of a provider, starting at a position
// (the index of the first visible value), with up to `extra points` values
// before it kept for moving averages. The window holds copies, taken when it
// moves; slots past the provider's values hold chartlib::NoValue.
//
// Positions stay within 0 .. count - 1. A relative seek forward stops where
// the window is full with the newest value in its last slot, unless the
// window already lies further on: a window with free slots at its end does
// not drift when values change.
class ChartDataArray
{
public:
    static constexpr int kMinScreenCount = 10;
    static constexpr int kMaxScreenCount = 1000;

    ChartDataArray(std::unique_ptr<IDataProvider> provider, int screenCount, int extraPoints);

    // Moves the window and reads its values again; true when the position
    // changed.
    bool Seek(int offset, int seekType);
    // Scales the screen count by the factor (rounded, within the bounds).
    // Anchor 0 keeps the end of the window in place, any other its start.
    // True when the screen count changed.
    bool Zoom(double factor, int anchor);
    // Empties the window; the position stays.
    void Clear();

    // The visible values (screen count of them). The `*leading` values
    // before the first one in memory are the leading points.
    chartlib::DoubleArray GetChartDataArray(int* leading) const;
    // Writes one visible slot; slots outside the window are ignored.
    void SetValue(int index, double value);

    int LocalToGlobalIndex(int index) const { return m_position + index; }
    int GetScreenCount() const { return m_screenCount; }
    // Visible slots that hold a value of the provider.
    int GetValidCount() const { return m_validCount; }
    int GetPosition() const { return m_position; }
    // Moves the window to the position and reads its values again.
    void SetPosition(int position);
    // Whether the newest value was in the window when it was last read.
    bool IsAtEnd() const { return m_atEnd; }
    int GetExtraPoints() const { return m_extraPoints; }

private:
    void Fetch();

    std::unique_ptr<IDataProvider> m_provider;
    int m_screenCount;
    int m_extraPoints;
    int m_position = 0;
    int m_validCount = 0;
    int m_leadingCount = 0;
    bool m_atEnd = false;
    std::vector<double> m_values; // extra points, then the screen count
};

#endif // PELMORA_CHARTDATAARRAY_H
