#pragma once

#include <pelmora/IDataProvider.h>

class ChartPanelData;

// One series of a chart page's K-lines for its ChartDataArray: the values
// of the page's current history, read through ChartPanelData::GetKDataValue.
class RandKDataProvider : public IDataProvider
{
public:
    RandKDataProvider(int series, const ChartPanelData& data) : m_series(series), m_data(data) {}

    int GetCount() const override;
    double GetValue(int index) const override;

private:
    int m_series;
    const ChartPanelData& m_data;
};
