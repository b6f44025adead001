#pragma once

#include "db/CActionTrigger.h"
#include "db/trade_priceLevel.h"

#include <wx/dataview.h>

class RecordStore;

// The depth of one symbol as a fixed grid of 12 rows by 4 columns: a summary
// row (order ratio and difference of the two sides), five sell levels from
// the farthest down, an empty row, five buy levels from the nearest. The
// model observes the price-level table and repaints the whole grid on any
// change of it, whichever symbol changed.
class PriceReportModel : public wxDataViewVirtualListModel, public CActionTrigger<trade_priceLevel>
{
public:
    // A level row: its label, price, nothing, volume. The summary row: "Buy
    // Ratio", the ratio, "Sell Ratio", the difference.
    enum Column { eLabel, ePrice, eGap, eVolume, eColumnCount };
    static constexpr unsigned kRows = 12;
    static constexpr unsigned kColumns = eColumnCount;

    PriceReportModel(RecordStore* db, int symbolId);
    ~PriceReportModel() override;
    PriceReportModel(const PriceReportModel&) = delete;
    PriceReportModel& operator=(const PriceReportModel&) = delete;

    // The text of one cell for a record (null: the symbol has none; every
    // cell is then empty).
    static wxString CellText(const trade_priceLevel* levels, unsigned row, unsigned column);
    // B * 200 / (B + S) - 100 over the five volumes of each side; 0 when
    // both sides are (nearly) empty.
    static double OrderRatio(const trade_priceLevel& levels);
    static double OrderDifference(const trade_priceLevel& levels);

    // The symbol's record in the table; null when there is none.
    const trade_priceLevel* FindLevels() const;
    int GetSymbolId() const { return m_symbolId; }

    unsigned int GetColumnCount() const override { return kColumns; }
    wxString GetColumnType(unsigned int /*column*/) const override { return "string"; }
    void GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const override;
    bool SetValueByRow(const wxVariant& /*value*/, unsigned int /*row*/, unsigned int /*column*/) override
    {
        return true;
    }
    bool GetAttrByRow(unsigned int /*row*/, unsigned int /*column*/,
                      wxDataViewItemAttr& /*attr*/) const override
    {
        return false;
    }

    // Repaint after the new levels are stored, and when a record goes.
    void afterAdd(const trade_priceLevel& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const trade_priceLevel& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const trade_priceLevel& stored, CTransaction* transaction, void* reserved) override;

private:
    void RepaintAll();

    RecordStore* m_pDb;
    int m_symbolId;
};
