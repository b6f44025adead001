#pragma once

#include "common/DirtyRows.h"
#include "db/CActionTrigger.h"
#include "panes/SymbolModelFactory.h"

#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/sequenced_index.hpp>
#include <boost/multi_index_container.hpp>
#include <functional>
#include <wx/arrstr.h>
#include <wx/dataview.h>
#include <wx/datetime.h>

class RecordStore;
class wxImageList;
struct symbol_price;

// The quote board's model: a row table of its own (the board decides which
// symbols have rows and in which order) answered cell by cell from the
// symbol, its property and its quote. Every quote colours the row by the
// direction of its last price and flashes the price cells for at least
// kHighlightMs. A quote the market-data link has not sent since it came up
// greys its row. Quotes repaint their rows at the refresh clock's next tick,
// many at once as one repaint of the rows shown. GUI thread only.
class SymbolModel : public wxDataViewVirtualListModel,
                    public CActionTrigger<symbol_price>,
                    public CActionTrigger<SymbolModelRow>
{
public:
    enum Column {
        eSymbol = 0,
        eBid,
        eAsk,
        eSettlementPrice,
        eHigh,
        eLow,
        eLast,
        eTime,
        eColumnCount,
    };
    enum Mark { eNoMark = 0, eUp = 1, eDown = 2 };
    static constexpr int kHighlightMs = 500;
    using Clock = std::function<wxDateTime()>;

    // Images 0, 1 and 2 of `images` (not owned) are the up, down and
    // no-change icons of the name column. Without a clock rows repaint at once.
    SymbolModel(RecordStore* db, wxImageList* images, RefreshClock* clock = nullptr);
    ~SymbolModel() override;

    unsigned int GetColumnCount() const override { return eColumnCount; }
    // The name column holds an icon with its text, as its renderer expects.
    wxString GetColumnType(unsigned int column) const override
    {
        return column == eSymbol ? "wxDataViewIconText" : "string";
    }
    void GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const override;
    bool SetValueByRow(const wxVariant& /*value*/, unsigned int /*row*/, unsigned int /*column*/) override
    {
        return true;
    }
    bool GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const override;

    // Quotes: a new one stamps its row as an update with no previous price.
    void afterAdd(const symbol_price& stored, CTransaction* transaction, void* reserved) override;
    bool beforeUpdate(const symbol_price& current, const symbol_price& next, CTransaction* transaction,
                      void* reserved) override;
    // Rows: the control follows the row table.
    void afterAdd(const SymbolModelRow& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const SymbolModelRow& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const SymbolModelRow& stored, CTransaction* transaction, void* reserved) override;

    // Logged out, the figures of the rows are blank: there is no market to
    // keep them live. Repaints every row when it changes.
    void SetQuotesLive(bool live);
    bool AreQuotesLive() const { return m_quotesLive; }

    // Repaints the row of every flash older than kHighlightMs and
    // drops it; true when no flash is left. A stamp in the future (the clock
    // was set back) stays.
    bool ExpireHighlights();
    // Milliseconds until the oldest flash may be expired: 0 when it may now,
    // kHighlightMs without a flash or with a stamp in the future.
    int GetMsToNextExpiry() const;
    bool IsHighlighted(const symbol_Info* symbol) const;
    std::size_t GetHighlightCount() const { return m_highlights.size(); }

    // Arrival order of the symbols (the server's order).
    void SortByDefaultOrder();
    // By the symbols' names, whatever the column; ties by record address.
    void SortByColumn(unsigned int column, bool ascending);
    // By position of the symbol codes in `codes`; codes not listed first.
    void SortByCustomOrder(const wxArrayString& codes);

    SymbolModelFactory& GetRows() { return m_rows; }
    const SymbolModelFactory& GetRows() const { return m_rows; }
    const SymbolModelRow* GetRowAt(unsigned int row) const { return m_rows.GetAt(row); }
    const symbol_Info* GetSymbolAt(unsigned int row) const;
    // The row showing the symbol; -1 when none does.
    int GetSymbolRow(const symbol_Info* symbol) const;
    // The symbol codes in display order.
    wxArrayString GetSymbolCodes() const;
    RecordStore* GetDatabase() const { return m_db; }

    // Tests replace the clock of the flashes.
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    // Called when a quote starts a flash: the board expires them while any is left.
    void SetFlashListener(std::function<void()> listener) { m_flashListener = std::move(listener); }
    // The control repainted whole when many rows changed at once.
    void SetRepaintControl(pmDataViewCtrl* control) { m_dirty.SetControl(control); }
    // Tells the control of the rows changed since the last tick, now.
    void FlushChanges() { m_dirty.Flush(); }

private:
    struct SymbolHighlight
    {
        const symbol_Info* symbol;
        wxDateTime stamp;
    };
    using Highlights = boost::multi_index_container<
        SymbolHighlight,
        boost::multi_index::indexed_by<boost::multi_index::hashed_unique<boost::multi_index::member<
                                           SymbolHighlight, const symbol_Info*, &SymbolHighlight::symbol>>,
                                       boost::multi_index::sequenced<>>>;

    // Bid and ask are dashes: no last price yet.
    static bool ShowsDashes(const symbol_price& quote);
    // The distance of bid or ask from the last price.
    static double SpreadPrice(const symbol_Info& symbol, int points, int digits);
    const symbol_price* QuoteOf(const symbol_Info& symbol) const;
    wxDateTime Now() const { return m_clock ? m_clock() : wxDateTime::UNow(); }

    SymbolModelFactory m_rows;
    RecordStore* m_db;
    Highlights m_highlights;
    wxImageList* m_images; // the pane's
    Clock m_clock;
    std::function<void()> m_flashListener;
    DirtyRows m_dirty;
    bool m_quotesLive = true;
};
