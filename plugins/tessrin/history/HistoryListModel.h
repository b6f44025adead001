#pragma once

#include <pelmora/JSONElement.h>
#include <vector>
#include <wx/dataview.h>

class RecordStore;

// The model of a history page: a virtual list over the rows of the last
// reply, held by value and entered in no record table. Column 0 is the row's
// number within the whole result. A row missing a record it links to
// (HasLinks false) is counted but shows nothing, its number included.
//
// A page's model gives its row reader (static Row ReadRow(const
// JSONElement&)), its cells and its colours.
template <class Row> class HistoryListModel : public wxDataViewVirtualListModel
{
public:
    // Each page's column enum starts with it.
    static constexpr unsigned int kRowNumberColumn = 0;

    unsigned int GetColumnCount() const override { return m_columnCount; }
    wxString GetColumnType(unsigned int /*column*/) const override { return "string"; }
    void GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const override
    {
        if(row >= m_rows.size() || column >= m_columnCount || !HasLinks(m_rows[row])) {
            return;
        }
        if(column == kRowNumberColumn) {
            value = static_cast<long>(m_firstRowNumber) + static_cast<long>(row);
            return;
        }
        GetRowValue(m_rows[row], column, value);
    }
    // The pages are read-only.
    bool SetValueByRow(const wxVariant& /*value*/, unsigned int /*row*/, unsigned int /*column*/) override
    {
        return true;
    }
    bool GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const override
    {
        if(row >= m_rows.size() || column >= m_columnCount || !HasLinks(m_rows[row])) {
            return false;
        }
        GetRowAttr(m_rows[row], column, attr);
        return !attr.IsDefault();
    }

    // Replaces the rows by those of a reply's "data" array, read by `read`.
    template <class Reader> void Fill(int firstRowNumber, const JSONElement& data, Reader read)
    {
        m_rows.clear();
        Reset(0);
        // The control may read cells while rows are appended (to size its
        // automatic columns): the numbers are right from the first row on.
        m_firstRowNumber = firstRowNumber;
        const int count = data.arraySize();
        m_rows.reserve(count > 0 ? static_cast<size_t>(count) : 0);
        for(int i = 0; i < count; ++i) {
            m_rows.push_back(read(data.arrayItem(i)));
            RowAppended();
        }
    }

    const std::vector<Row>& GetRows() const { return m_rows; }
    int GetFirstRowNumber() const { return m_firstRowNumber; }
    RecordStore* GetDatabase() const { return m_db; }

protected:
    HistoryListModel(RecordStore* db, unsigned int columnCount)
        : wxDataViewVirtualListModel(0), m_db(db), m_columnCount(columnCount)
    {}

    virtual bool HasLinks(const Row& /*row*/) const { return true; }
    // Columns 1 and up; an untouched value is an empty cell.
    virtual void GetRowValue(const Row& row, unsigned int column, wxVariant& value) const = 0;
    virtual void GetRowAttr(const Row& /*row*/, unsigned int /*column*/, wxDataViewItemAttr& /*attr*/) const
    {}

private:
    int m_firstRowNumber = 1;
    RecordStore* m_db;
    unsigned int m_columnCount;
    std::vector<Row> m_rows;
};
