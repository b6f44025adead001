#include "charts/RandKDataProvider.h"

#include "charts/ChartPanelData.h"
#include "charts/HistoryQuote.h"

int RandKDataProvider::GetCount() const
{
    const HistoryQuote* history = m_data.GetHistory().get();
    return history ? history->GetKDataCount() : 0;
}

double RandKDataProvider::GetValue(int index) const
{
    const HistoryQuote* history = m_data.GetHistory().get();
    return history ? ChartPanelData::GetKDataValue(m_series, history->GetKData(index)) : 0.0;
}
