#include "pelmora/pmDataViewCtrlConfig.h"

#include "pelmora/Archive.h"
#include "pelmora/pmDataViewCtrl.h"

#include <algorithm>

namespace {
// More columns than any list has: a stored count beyond it is not believed.
constexpr int kMaxStoredColumns = 256;
// Wider than any screen: a stored width beyond it is not believed.
constexpr int kMaxStoredWidth = 10000;

// One column of the layout, as one nested object.
class StoredColumn : public SerializedObject
{
public:
    explicit StoredColumn(pmDataViewCtrlConfig::Column& column) : m_column(column) {}

    void Serialize(Archive& arch) override
    {
        arch.Write("model", m_column.modelColumn);
        arch.Write("width", m_column.width);
        arch.Write("position", m_column.position);
        arch.Write("shown", m_column.shown);
    }
    void DeSerialize(Archive& arch) override
    {
        m_found = arch.Read("model", m_column.modelColumn);
        arch.Read("width", m_column.width);
        arch.Read("position", m_column.position);
        arch.Read("shown", m_column.shown);
    }
    bool Found() const { return m_found; }

private:
    pmDataViewCtrlConfig::Column& m_column;
    bool m_found = false;
};

// The columns as "count" and one nested object per column under "0", "1", ...
class StoredColumns : public SerializedObject
{
public:
    explicit StoredColumns(std::vector<pmDataViewCtrlConfig::Column>& columns) : m_columns(columns) {}

    void Serialize(Archive& arch) override
    {
        arch.Write("count", static_cast<int>(m_columns.size()));
        for(size_t i = 0; i < m_columns.size(); ++i) {
            StoredColumn column(m_columns[i]);
            arch.Write(wxString::Format("%zu", i), &column);
        }
    }
    void DeSerialize(Archive& arch) override
    {
        int count = 0;
        arch.Read("count", count);
        count = std::max(0, std::min(count, kMaxStoredColumns));
        m_columns.clear();
        for(int i = 0; i < count; ++i) {
            pmDataViewCtrlConfig::Column read{-1, wxCOL_WIDTH_AUTOSIZE, i, true};
            StoredColumn column(read);
            if(arch.Read(wxString::Format("%d", i), &column) && column.Found() && read.modelColumn >= 0) {
                m_columns.push_back(read);
            }
        }
    }

private:
    std::vector<pmDataViewCtrlConfig::Column>& m_columns;
};
} // namespace

pmDataViewCtrlConfig::pmDataViewCtrlConfig(pmDataViewCtrl* ctrl) : m_ctrl(ctrl) {}

pmDataViewCtrlConfig::~pmDataViewCtrlConfig()
{
    pmDataViewCtrl* ctrl = GetCtrl();
    if(ctrl && ctrl->GetConfig() == this) {
        ctrl->SetConfig(nullptr);
    }
}

pmDataViewCtrl* pmDataViewCtrlConfig::GetCtrl() const
{
    return static_cast<pmDataViewCtrl*>(m_ctrl.get());
}

void pmDataViewCtrlConfig::AddDynColumn(const wxString& key, int modelColumn, bool shownByDefault)
{
    for(const DynColumn& column : m_dynColumns) {
        if(column.key == key) {
            return;
        }
    }
    m_dynColumns.push_back(DynColumn{key, modelColumn, shownByDefault});
}

const pmDataViewCtrlConfig::DynColumn* pmDataViewCtrlConfig::FindDynColumn(int modelColumn) const
{
    for(const DynColumn& column : m_dynColumns) {
        if(column.modelColumn == modelColumn) {
            return &column;
        }
    }
    return nullptr;
}

void pmDataViewCtrlConfig::SetDynColumnShown(int modelColumn, bool shown)
{
    for(DynColumn& column : m_dynColumns) {
        if(column.modelColumn == modelColumn) {
            column.shown = shown;
        }
    }
}

std::vector<pmDataViewCtrlConfig::Column>
pmDataViewCtrlConfig::Arrange(const std::vector<Column>& current) const
{
    std::vector<Column> arranged = current;
    std::vector<bool> matched(current.size(), false);
    std::vector<std::pair<int, size_t>> placed; // stored position, index in `current`
    for(const Column& stored : m_columns) {
        const auto found = std::find_if(current.begin(), current.end(), [&](const Column& column) {
            return column.modelColumn == stored.modelColumn && !matched[&column - &current[0]];
        });
        if(found == current.end()) {
            continue;
        }
        const size_t index = static_cast<size_t>(found - current.begin());
        matched[index] = true;
        if(stored.width > 0 && stored.width <= kMaxStoredWidth) {
            arranged[index].width = stored.width;
        }
        placed.emplace_back(stored.position, index);
    }
    for(const DynColumn& dyn : m_dynColumns) {
        for(Column& column : arranged) {
            if(column.modelColumn == dyn.modelColumn) {
                column.shown = dyn.shown;
            }
        }
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Column> ordered = arranged;
    size_t next = 0;
    for(size_t slot = 0; slot < current.size(); ++slot) {
        if(matched[slot]) {
            ordered[slot] = arranged[placed[next++].second];
        }
    }
    for(size_t position = 0; position < ordered.size(); ++position) {
        ordered[position].position = static_cast<int>(position);
    }
    return ordered;
}

void pmDataViewCtrlConfig::Serialize(Archive& arch)
{
    if(pmDataViewCtrl* ctrl = GetCtrl()) {
        ctrl->StoreLayout(*this);
    }
    for(const DynColumn& column : m_dynColumns) {
        arch.Write(column.key, column.shown);
    }
    StoredColumns columns(m_columns);
    arch.Write("columns", &columns);
}

void pmDataViewCtrlConfig::DeSerialize(Archive& arch)
{
    for(DynColumn& column : m_dynColumns) {
        arch.Read(column.key, column.shown);
    }
    StoredColumns columns(m_columns);
    arch.Read("columns", &columns);
}
