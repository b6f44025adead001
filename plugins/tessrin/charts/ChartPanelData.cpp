#include "charts/ChartPanelData.h"

#include "charts/ChartPanelActions.h"
#include "charts/HistoryQuote.h"
#include "charts/RandKDataProvider.h"

#include <algorithm>
#include <chartlib/ChartConstants.h>
#include <chartlib/ChartTime.h>
#include <cmath>
#include <ctime>

ChartPanelData::ChartPanelData() = default;

ChartPanelData::~ChartPanelData() = default;

double ChartPanelData::GetKDataValue(int series, const sKData& bar)
{
    switch(series) {
    case eTime: {
        const time_t seconds = static_cast<time_t>(static_cast<int64_t>(bar.time));
        struct tm local = {};
        if(!localtime_r(&seconds, &local)) {
            return 0.0;
        }
        return chartlib::chartTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                   local.tm_min, local.tm_sec);
    }
    case eOpen:
        return bar.open;
    case eHigh:
        return bar.high;
    case eLow:
        return bar.low;
    case eClose:
        return bar.close;
    case eVolume:
        return bar.volume;
    default:
        return 0.0;
    }
}

double ChartPanelData::ChartTimeToSeconds(double chartTime)
{
    const int ymd = chartlib::getChartYMD(chartTime);
    struct tm midnight = {};
    midnight.tm_year = ymd / 10000 - 1900;
    midnight.tm_mon = ymd / 100 % 100 - 1;
    midnight.tm_mday = ymd % 100;
    midnight.tm_isdst = -1;
    return static_cast<double>(mktime(&midnight)) + std::fmod(chartTime, chartlib::kSecondsPerDay);
}

void ChartPanelData::CreateSeries()
{
    for(int series = eTime; series <= eClose; ++series) {
        m_series[series] = std::make_unique<ChartDataArray>(
            std::make_unique<RandKDataProvider>(series, *this), kScreenCount, kExtraPoints);
    }
}

ChartDataArray* ChartPanelData::GetSeriesArray(int series) const
{
    return series >= 0 && series < kSeriesCount ? m_series[series].get() : nullptr;
}

int ChartPanelData::GetScreenCount() const
{
    return m_series[eTime] ? m_series[eTime]->GetScreenCount() : kScreenCount;
}

int ChartPanelData::GetValidCount() const
{
    return m_series[eTime] ? m_series[eTime]->GetValidCount() : 0;
}

bool ChartPanelData::Seek(int offset, int seekType)
{
    ChartDataArray* times = m_series[eTime].get();
    if(!times) {
        return false;
    }
    bool moved = false;
    for(auto& array : m_series) {
        if(array && array->Seek(offset, seekType)) {
            moved = true;
        }
    }
    if(offset < 0 && times->GetPosition() == 0 && m_history && !m_history->IsEmpty()) {
        // Ignored while a download runs or when there is nothing older.
        m_history->RequestHistory(static_cast<int64_t>(m_history->GetFirstKData().time), -kRequestCount);
    }
    return moved;
}

void ChartPanelData::SeekToNewest()
{
    Seek(static_cast<int>(GetScreenCount() * -0.95), eSeekFromEnd);
}

bool ChartPanelData::Zoom(double factor)
{
    bool changed = false;
    for(auto& array : m_series) {
        if(array && array->Zoom(factor, 0)) {
            changed = true;
        }
    }
    if(changed) {
        m_cursorX = ClampCursorX(m_cursorX, GetValidCount());
    }
    return changed;
}

void ChartPanelData::ClearSeries()
{
    for(auto& array : m_series) {
        if(array) {
            array->Clear();
        }
    }
}

void ChartPanelData::SetBarValues(int slot, const sKData& bar)
{
    for(int series = 0; series < kSeriesCount; ++series) {
        if(m_series[series]) {
            m_series[series]->SetValue(slot, GetKDataValue(series, bar));
        }
    }
}

void ChartPanelData::OnKDataAdded(const sKData& bar)
{
    ChartDataArray* times = m_series[eTime].get();
    if(times && times->GetPosition() == 0 && times->GetValidCount() > 0 && m_history &&
       !m_history->IsEmpty()) {
        int leading = 0;
        const double firstShown = times->GetChartDataArray(&leading)[0];
        if(GetKDataValue(eTime, bar) < firstShown) {
            // Older K-lines came in front: keep showing the same ones.
            const int index = m_history->FindKDataByTime(ChartTimeToSeconds(firstShown));
            if(index >= 0) {
                for(auto& array : m_series) {
                    if(array) {
                        array->SetPosition(index);
                    }
                }
            }
        }
    }
    UpdateKData(bar);
}

void ChartPanelData::CursorOnNewest()
{
    m_cursorY = -1;
    m_cursorX = GetValidCount() - 1;
}

void ChartPanelData::UpdateKData(const sKData& bar)
{
    ChartDataArray* times = m_series[eTime].get();
    if(!times) {
        return;
    }
    const bool wasEmpty = times->GetValidCount() == 0;
    if(wasEmpty) {
        SeekToNewest();
        CursorOnNewest();
    }
    if(times->IsAtEnd()) {
        // A full window moves on by one K-line when one is added.
        Seek(times->GetValidCount() >= times->GetScreenCount() ? 1 : 0, eSeekRelative);
        CursorOnNewest();
    }
    int leading = 0;
    const chartlib::DoubleArray shown = times->GetChartDataArray(&leading);
    const int valid = std::min(times->GetValidCount(), shown.len());
    const double t = GetKDataValue(eTime, bar);
    if(valid == 0 || t < shown[0] || t > shown[valid - 1]) {
        // Not in view: only the latest-price label may have changed.
        if(wasEmpty) {
            SetRedraw(true);
        } else {
            SetCursor(true);
        }
        return;
    }
    for(int slot = 0; slot < valid; ++slot) {
        if(shown[slot] == t) {
            SetBarValues(slot, bar);
            SetRedraw(true);
            return;
        }
    }
    // The window no longer matches the history: build it again at the end.
    ClearSeries();
    SeekToNewest();
    SetRedraw(true);
}

chartlib::DoubleArray ChartPanelData::GetSeries(int series, int* extra)
{
    *extra = 0;
    ChartDataArray* array = GetSeriesArray(series);
    if(!array || array->GetValidCount() == 0) {
        return chartlib::DoubleArray();
    }
    int leading = 0;
    const chartlib::DoubleArray shown = array->GetChartDataArray(&leading);
    const int valid = array->GetValidCount();
    if(series == eTime) {
        const double spacing = (shown[valid - 1] - shown[0]) / valid;
        for(int slot = valid; slot < shown.len(); ++slot) {
            array->SetValue(slot, shown[slot - 1] + spacing);
        }
    } else {
        for(int slot = valid; slot < shown.len(); ++slot) {
            array->SetValue(slot, chartlib::NoValue);
        }
    }
    *extra = leading;
    return chartlib::DoubleArray(shown.data() - leading, shown.len() + leading);
}

bool ChartPanelData::FollowFailure()
{
    const bool failed = m_history && m_history->HasFailed();
    if(failed == m_failureShown) {
        return false;
    }
    m_failureShown = failed;
    m_redraw = true;
    return true;
}
