#pragma once

#include "common/RowDeletionNotice.h"
#include "db/CObjectFactory.h"

#include <functional>
#include <string>
#include <wx/dataview.h>

class RecordStore;

// The model of a list pane: a virtual list over one record table that keeps
// no copy of the records. Row i shows the record at position i of the
// table's random-access index (its last index), so rows keep the order the
// records arrived in. The model is that table's action trigger: an added
// record appends its row, a changed one repaints its row, one about to go
// deletes its row while it is still stored. It never vetoes a change.
//
// A model answers the cells of a record (GetRecordValue, GetRecordAttr);
// column 0 is the row number. A record missing a linked record it needs
// (HasLinks false) shows an empty row. Rows past the records (a total row)
// are the model's own (GetExtraRow...; such a model also keeps its row count).
template <class R>
class RecordListModel : public wxDataViewVirtualListModel, public CActionTrigger<R>, public RowDeletionNotice
{
public:
    using Record = R;
    using Table = CObjectFactory<R>;
    using iterator = typename Table::iterator;

    unsigned int GetColumnCount() const override { return m_columnCount; }
    wxString GetColumnType(unsigned int /*column*/) const override { return "string"; }
    void GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const override;
    // The panes are read-only.
    bool SetValueByRow(const wxVariant& /*value*/, unsigned int /*row*/, unsigned int /*column*/) override
    {
        return true;
    }
    bool GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const override;

    void afterAdd(const R& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const R& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const R& stored, CTransaction* transaction, void* reserved) override;

    // The record's position in the table, or -1 for the table's end.
    int GetRecordRow(iterator node) const;
    unsigned int GetRecordCount() const;
    // The record of a row; null for a row past the records.
    const R* GetRecordAt(unsigned int row) const;
    const R* GetRecord(const wxDataViewItem& item) const;
    // The record of a selection of exactly one row; null for none, several
    // rows or a row past the records.
    const R* GetSelectedRecord(const wxDataViewItemArray& selection) const;
    // The first row whose record's key text (keyOf applied to the record)
    // equals `key`, case-sensitive; -1 when none does.
    template <class KeyOf> int FindRow(const wxString& key, KeyOf keyOf) const;
    RecordStore* GetDatabase() const { return m_db; }
    Table* GetTable() const { return m_table; }

protected:
    // Observes the table from now on; `name` names the model in assertions.
    RecordListModel(RecordStore* db, Table* table, unsigned int columnCount, const char* name);
    ~RecordListModel() override;
    RecordListModel(const RecordListModel&) = delete;
    RecordListModel& operator=(const RecordListModel&) = delete;

    // The stored record with the record's key (the table's first index).
    iterator Find(const R& record) const;

    virtual bool HasLinks(const R& /*record*/) const { return true; }
    // Columns 1 and up; an untouched value is an empty cell.
    virtual void GetRecordValue(const R& record, unsigned int column, wxVariant& value) const = 0;
    virtual void GetRecordAttr(const R& /*record*/, unsigned int /*column*/,
                               wxDataViewItemAttr& /*attr*/) const
    {}
    virtual void GetExtraRowValue(unsigned int /*row*/, unsigned int /*column*/, wxVariant& /*value*/) const
    {}
    virtual void GetExtraRowAttr(unsigned int /*row*/, unsigned int /*column*/,
                                 wxDataViewItemAttr& /*attr*/) const
    {}

private:
    static constexpr int kSequence = boost::mpl::size<typename Table::Container::index_type_list>::value - 1;
    static_assert(
        std::is_same<typename std::iterator_traits<typename Table::sequence_iterator>::iterator_category,
                     std::random_access_iterator_tag>::value,
        "a list model's table ends with a random-access index");

    RecordStore* m_db;
    Table* m_table;
    unsigned int m_columnCount;
    std::string m_afterAddName;
};

template <class R>
RecordListModel<R>::RecordListModel(RecordStore* db, Table* table, unsigned int columnCount, const char* name)
    : wxDataViewVirtualListModel(0), m_db(db), m_table(table), m_columnCount(columnCount),
      m_afterAddName(std::string(name) + "::afterAdd")
{
    if(m_table) {
        // Rows the table already holds are shown as well.
        Reset(GetRecordCount());
        m_table->AddActionTrigger(this);
    }
}

template <class R> RecordListModel<R>::~RecordListModel()
{
    if(m_table) {
        m_table->RemoveActionTrigger(this);
    }
}

template <class R>
void RecordListModel<R>::GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const
{
    if(column >= m_columnCount) {
        return;
    }
    const R* record = GetRecordAt(row);
    if(!record) {
        GetExtraRowValue(row, column, value);
        return;
    }
    if(!HasLinks(*record)) {
        return;
    }
    if(column == 0) {
        value = static_cast<long>(row) + 1;
        return;
    }
    GetRecordValue(*record, column, value);
}

template <class R>
bool RecordListModel<R>::GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const
{
    if(column >= m_columnCount) {
        return false;
    }
    if(const R* record = GetRecordAt(row)) {
        if(HasLinks(*record)) {
            GetRecordAttr(*record, column, attr);
        }
    } else {
        GetExtraRowAttr(row, column, attr);
    }
    return !attr.IsDefault();
}

template <class R> void RecordListModel<R>::afterAdd(const R& stored, CTransaction*, void*)
{
    const int row = GetRecordRow(Find(stored));
    wxASSERT_MSG_AT(row != (-1), "", __FILE__, __LINE__, m_afterAddName.c_str());
    if(row == -1) {
        return;
    }
    if(static_cast<unsigned int>(row) + 1 == GetRecordCount()) {
        RowAppended();
    } else {
        RowInserted(static_cast<unsigned int>(row));
    }
}

template <class R> void RecordListModel<R>::afterUpdate(const R& stored, CTransaction*, void*)
{
    const int row = GetRecordRow(Find(stored));
    if(row != -1) {
        RowChanged(static_cast<unsigned int>(row));
    }
}

template <class R> bool RecordListModel<R>::beforeRemove(const R& stored, CTransaction*, void*)
{
    const int row = GetRecordRow(Find(stored));
    if(row != -1) {
        NotifyRowDeleting(static_cast<unsigned int>(row));
        RowDeleted(static_cast<unsigned int>(row));
        NotifyRowDeleted(static_cast<unsigned int>(row));
    }
    return true;
}

template <class R> auto RecordListModel<R>::Find(const R& record) const -> iterator
{
    const auto& primary = m_table->GetIndexByPrimary();
    return primary.find(primary.key_extractor()(record));
}

template <class R> int RecordListModel<R>::GetRecordRow(iterator node) const
{
    if(!m_table || node == m_table->GetIndexByPrimary().end()) {
        return -1;
    }
    const auto& container = m_table->GetContainer();
    return static_cast<int>(container.template project<kSequence>(node) -
                            container.template get<kSequence>().begin());
}

template <class R> unsigned int RecordListModel<R>::GetRecordCount() const
{
    return m_table ? static_cast<unsigned int>(m_table->GetContainer().size()) : 0;
}

template <class R> const R* RecordListModel<R>::GetRecordAt(unsigned int row) const
{
    if(row >= GetRecordCount()) {
        return nullptr;
    }
    return &m_table->GetContainer().template get<kSequence>()[row];
}

template <class R> const R* RecordListModel<R>::GetRecord(const wxDataViewItem& item) const
{
    return item.IsOk() ? GetRecordAt(GetRow(item)) : nullptr;
}

template <class R> const R* RecordListModel<R>::GetSelectedRecord(const wxDataViewItemArray& selection) const
{
    return selection.size() == 1 ? GetRecord(selection[0]) : nullptr;
}

template <class R>
template <class KeyOf>
int RecordListModel<R>::FindRow(const wxString& key, KeyOf keyOf) const
{
    for(unsigned int row = 0; row < GetCount(); ++row) {
        const R* record = GetRecordAt(row);
        if(record && std::invoke(keyOf, *record) == key) {
            return static_cast<int>(row);
        }
    }
    return -1;
}
