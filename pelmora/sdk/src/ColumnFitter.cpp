#include "ColumnFitter.h"

#include "GtkTreeColumns.h"
#include "pelmora/pmDataViewTextRenderer.h"

#include <algorithm>
#include <wx/dataview.h>

namespace {
constexpr int kChangedRowsDelayMs = 1000;
// A cell's text lies inside the renderer's padding (2 on each side), the
// list's column separator (4) and the rule between columns.
constexpr int kCellPadding = 10;
// Between a cell's icon and its text.
constexpr int kIconGap = 4;

// Tells the fitter what happens to the rows; the model owns it.
class RowWatcher : public wxDataViewModelNotifier
{
public:
    explicit RowWatcher(ColumnFitter& fitter) : m_fitter(fitter) {}

    bool ItemAdded(const wxDataViewItem&, const wxDataViewItem&) override
    {
        m_fitter.OnRowsAdded();
        return true;
    }
    bool ItemsAdded(const wxDataViewItem&, const wxDataViewItemArray&) override
    {
        m_fitter.OnRowsAdded();
        return true;
    }
    bool ItemDeleted(const wxDataViewItem&, const wxDataViewItem&) override
    {
        m_fitter.OnRowsChanged();
        return true;
    }
    bool ItemsDeleted(const wxDataViewItem&, const wxDataViewItemArray&) override
    {
        m_fitter.OnRowsChanged();
        return true;
    }
    bool Cleared() override
    {
        m_fitter.OnRowsChanged();
        return true;
    }
    bool ItemChanged(const wxDataViewItem& item) override
    {
        m_fitter.OnRowChanged(item);
        return true;
    }
    bool ValueChanged(const wxDataViewItem& item, unsigned int) override
    {
        m_fitter.OnRowChanged(item);
        return true;
    }
    void Resort() override {}

private:
    ColumnFitter& m_fitter;
};
} // namespace

ColumnFitter::ColumnFitter(wxDataViewCtrl& ctrl) : m_ctrl(ctrl)
{
    m_changeTimer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { ScheduleFit(); });
}

ColumnFitter::~ColumnFitter()
{
    Watch(nullptr);
}

void ColumnFitter::Watch(wxDataViewModel* model)
{
    if(m_model && m_watcher) {
        m_model->RemoveNotifier(m_watcher); // deletes it
    }
    m_watcher = nullptr;
    m_model = model;
    m_measuredRows = 0;
    if(m_model) {
        m_watcher = new RowWatcher(*this);
        m_model->AddNotifier(m_watcher);
        ScheduleFit();
    }
}

void ColumnFitter::Track(const wxDataViewColumn& column)
{
    const int given = GtkTreeColumns::GetGivenWidth(&column);
    if(given > 0) {
        m_widths[&column] = Widths{given, given};
    } else {
        m_widths.erase(&column);
    }
    m_wanted.erase(&column);
    ScheduleFit();
}

bool ColumnFitter::IsProgramSized(const wxDataViewColumn& column) const
{
    const auto found = m_widths.find(&column);
    return found != m_widths.end() && GtkTreeColumns::GetGivenWidth(&column) == found->second.fitted;
}

int ColumnFitter::TableWidth(const wxDataViewColumn& column) const
{
    const auto found = m_widths.find(&column);
    return found == m_widths.end() ? -1 : found->second.table;
}

void ColumnFitter::SetWidth(wxDataViewColumn& column, int width)
{
    const auto found = m_widths.find(&column);
    if(found != m_widths.end() && width == found->second.table) {
        if(IsProgramSized(column)) {
            return; // already the program's, perhaps fitted wider
        }
        found->second.fitted = width;
        ScheduleFit();
    }
    column.SetWidth(width);
}

void ColumnFitter::ScheduleFit()
{
    if(m_fitPending) {
        return;
    }
    m_fitPending = true;
    // Queued on the control: a control that goes first takes the call with it.
    m_ctrl.CallAfter([this] {
        m_fitPending = false;
        Fit();
    });
}

void ColumnFitter::OnRowsAdded()
{
    if(m_measuredRows < kMeasuredRows) {
        ScheduleFit();
    }
}

void ColumnFitter::OnRowChanged(const wxDataViewItem& item)
{
    auto* rows = dynamic_cast<wxDataViewListModel*>(m_model);
    const unsigned int row = rows ? rows->GetRow(item) : kMeasuredRows;
    if(row >= std::min(m_measuredRows, kMeasuredRows)) {
        return; // not measured yet, or below the rows that are
    }
    m_changedRows.set(row);
    // Prices change many times a second: their rows are measured again once
    // a second at most.
    if(!m_changeTimer.IsRunning()) {
        m_changeTimer.StartOnce(kChangedRowsDelayMs);
    }
}

void ColumnFitter::OnRowsChanged()
{
    // The rows near the top may be others now.
    m_measuredRows = 0;
    m_changedRows.reset();
    m_wanted.clear();
    ScheduleFit();
}

void ColumnFitter::Fit()
{
    auto* rows = dynamic_cast<wxDataViewListModel*>(m_model);
    const unsigned int count = rows ? std::min(rows->GetCount(), kMeasuredRows) : 0;
    const unsigned int from = std::min(m_measuredRows, count);
    for(unsigned int position = 0; position < m_ctrl.GetColumnCount(); ++position) {
        wxDataViewColumn* column = m_ctrl.GetColumn(position);
        if(!column || !IsProgramSized(*column)) {
            continue;
        }
        int& wanted = m_wanted[column];
        for(unsigned int row = 0; row < count; ++row) {
            if(row < from && !m_changedRows.test(row)) {
                continue;
            }
            wxVariant value;
            rows->GetValueByRow(value, row, column->GetModelColumn());
            wxDataViewItemAttr attr;
            rows->GetAttrByRow(row, column->GetModelColumn(), attr);
            wanted = std::max(wanted, ValueWidth(*column, value, attr.GetBold()));
        }
        const int needed = std::max(wanted, GtkTreeColumns::GetTitleWidth(column));
        Widths& widths = m_widths[column];
        if(needed > widths.fitted) {
            widths.fitted = needed;
            column->SetWidth(needed);
        }
    }
    m_measuredRows = count;
    m_changedRows.reset();
}

int ColumnFitter::ValueWidth(wxDataViewColumn& column, const wxVariant& value, bool bold) const
{
    if(value.IsNull()) {
        return 0;
    }
    wxDataViewRenderer* renderer = column.GetRenderer();
    if(auto* custom = dynamic_cast<wxDataViewCustomRenderer*>(renderer)) {
        // A drawn cell says itself how wide it wants to be.
        custom->SetValue(value);
        return custom->GetSize().x + kCellPadding;
    }
    wxString text;
    int icon = 0;
    if(value.GetType() == wxDataViewIconTextRenderer::GetDefaultType()) {
        wxDataViewIconText iconText;
        iconText << value;
        text = iconText.GetText();
        icon = iconText.GetIcon().IsOk() ? iconText.GetIcon().GetWidth() + kIconGap : 0;
    } else {
        text = pmDataViewTextRenderer::ValueText(value);
    }
    if(text.empty()) {
        return 0;
    }
    wxFont font = m_ctrl.GetFont();
    if(bold) {
        font.MakeBold();
    }
    int width = 0;
    int height = 0;
    m_ctrl.GetTextExtent(text, &width, &height, nullptr, nullptr, &font);
    return width + icon + kCellPadding;
}
