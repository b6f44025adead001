#pragma once

#include "charts/sKData.h"

#include <array>
#include <chartlib/DoubleArray.h>
#include <functional>
#include <memory>
#include <pelmora/ChartDataArray.h>

class HistoryQuote;

// What a chart page shows of its K-line history: a sliding window over the
// shared history in five series arrays (time, open, high, low, close), the
// cursor, the symbol's latest price and the flags that tell the page's
// refresh timer what to draw. It decides how the window follows new and
// changed K-lines; it never draws. GUI thread only.
class ChartPanelData
{
public:
    enum Series { eTime = 0, eOpen = 1, eHigh = 2, eLow = 3, eClose = 4, eVolume = 5 };
    static constexpr int kSeriesCount = 6;
    static constexpr int kScreenCount = 100; // visible K-lines of a new window
    static constexpr int kExtraPoints = 30;  // K-lines kept before it for the averages
    static constexpr int kRequestCount = 200;

    ChartPanelData();
    ~ChartPanelData();
    ChartPanelData(const ChartPanelData&) = delete;
    ChartPanelData& operator=(const ChartPanelData&) = delete;

    // Series 0: the K-line's start as chart time of its local calendar date
    // and time; 1 to 5: open, high, low, close, volume; any other 0.
    static double GetKDataValue(int series, const sKData& bar);
    // The seconds since 1970 of a chart time read as local time.
    static double ChartTimeToSeconds(double chartTime);

    const std::shared_ptr<HistoryQuote>& GetHistory() const { return m_history; }
    void SetHistory(std::shared_ptr<HistoryQuote> history) { m_history = std::move(history); }

    // The arrays of series 0 to 4, each over its own provider (series 5 has none).
    void CreateSeries();
    // Null for series 5 and before CreateSeries.
    ChartDataArray* GetSeriesArray(int series) const;
    // Of series 0; kScreenCount without arrays.
    int GetScreenCount() const;
    int GetValidCount() const;

    // Moves every array; true when one moved. Scrolling back to position 0
    // asks the history for the K-lines before its oldest one.
    bool Seek(int offset, int seekType);
    // The newest K-lines with the last 5% of the window free.
    void SeekToNewest();
    // Scales the visible points of every array by the factor, the window's
    // end in place; true when one changed. The cursor then stays on a valid
    // K-line (a zoom in would leave it past the window's end).
    bool Zoom(double factor);
    void ClearSeries();
    // Writes the K-line into one visible slot of every array.
    void SetBarValues(int slot, const sKData& bar);

    // A K-line added to the history: older ones arriving while the window
    // starts at 0 keep the first visible K-line in view.
    void OnKDataAdded(const sKData& bar);
    // A K-line added or changed: the window follows the newest K-line when
    // it shows it; the flags say what to draw.
    void UpdateKData(const sKData& bar);

    // The visible values of a series preceded by its leading points (the
    // free slots of the time series continue its spacing), and in `*extra`
    // how many leading points there are. Empty without K-lines.
    chartlib::DoubleArray GetSeries(int series, int* extra);

    // The chart says the K-line download failed while the history's last
    // download did. True when that changed since the last call, and then a
    // redraw is due.
    bool FollowFailure();
    bool ShowsFailure() const { return m_failureShown; }

    bool NeedsRedraw() const { return m_redraw; }
    void SetRedraw(bool redraw)
    {
        m_redraw = redraw;
        Requested(redraw);
    }
    bool NeedsCursor() const { return m_cursor; }
    void SetCursor(bool cursor)
    {
        m_cursor = cursor;
        Requested(cursor);
    }
    // Called whenever a redraw or the cursor is asked for: the page draws on
    // a timer that runs only then.
    void SetDrawListener(std::function<void()> listener) { m_drawListener = std::move(listener); }
    // Window index of the K-line under the cursor.
    int GetCursorX() const { return m_cursorX; }
    void SetCursorX(int x) { m_cursorX = x; }
    // Pixel row of the horizontal cursor line; -1 takes the K-line's close.
    int GetCursorY() const { return m_cursorY; }
    void SetCursorY(int y) { m_cursorY = y; }
    double GetLatestPrice() const { return m_latestPrice; }
    void SetLatestPrice(double price) { m_latestPrice = price; }
    // Whether the latest price is the market's now (quoted since the link
    // last came up); a stale one is drawn as such.
    bool IsLatestLive() const { return m_latestLive; }
    void SetLatestLive(bool live) { m_latestLive = live; }
    int GetPixelsPerBar() const { return m_pixelsPerBar; }
    void SetPixelsPerBar(int pixels) { m_pixelsPerBar = pixels; }

private:
    void CursorOnNewest();
    void Requested(bool set)
    {
        if(set && m_drawListener) {
            m_drawListener();
        }
    }

    std::shared_ptr<HistoryQuote> m_history;
    std::array<std::unique_ptr<ChartDataArray>, kSeriesCount> m_series;
    bool m_redraw = false;
    bool m_failureShown = false;
    bool m_cursor = false;
    int m_cursorX = 0;
    int m_cursorY = -1;
    double m_latestPrice = 0.0;
    bool m_latestLive = true;
    int m_pixelsPerBar = 15;
    std::function<void()> m_drawListener;
};
