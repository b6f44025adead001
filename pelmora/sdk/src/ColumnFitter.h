#pragma once

#include <bitset>
#include <map>
#include <wx/timer.h>

class wxDataViewColumn;
class wxDataViewCtrl;
class wxDataViewItem;
class wxDataViewModel;
class wxDataViewModelNotifier;
class wxVariant;

// Keeps the widths the program gave a list's columns readable: such a column
// is widened (never narrowed) to show its title and the values of the first
// rows whole, at the first idle time after it is added, after rows arrive
// near the top and, a second later, after they change. A width the user drags or a stored layout gives is
// theirs and stays; columns that size themselves to their contents are the toolkit's. Layouts store a fitted
// column with the width it was added with, so they keep meaning the same after the texts change.
class ColumnFitter
{
public:
    // Rows measured from the top: more than a pane shows at the host's
    // default size.
    static constexpr unsigned int kMeasuredRows = 20;

    explicit ColumnFitter(wxDataViewCtrl& ctrl);
    ~ColumnFitter();
    ColumnFitter(const ColumnFitter&) = delete;
    ColumnFitter& operator=(const ColumnFitter&) = delete;

    // Follows the rows of the control's new model (null: none).
    void Watch(wxDataViewModel* model);
    // A column just added: its given width is the program's.
    void Track(const wxDataViewColumn& column);
    // Whether the column still has a width the program gave.
    bool IsProgramSized(const wxDataViewColumn& column) const;
    // The width the column was added with; -1 when it is not tracked.
    int TableWidth(const wxDataViewColumn& column) const;
    // Gives the column a width as a layout does: the width it was added
    // with makes it the program's again.
    void SetWidth(wxDataViewColumn& column, int width);

    // At the next idle time, once.
    void ScheduleFit();
    void Fit();

    // Rows came, one changed, rows went or were all replaced (the model's
    // notices).
    void OnRowsAdded();
    void OnRowChanged(const wxDataViewItem& item);
    void OnRowsChanged();

private:
    struct Widths
    {
        int table;  // as the column was added
        int fitted; // as the program last set it
    };
    // Width of a cell's value in `column`, padding included; 0 for none.
    int ValueWidth(wxDataViewColumn& column, const wxVariant& value, bool bold) const;

    wxDataViewCtrl& m_ctrl;
    wxDataViewModel* m_model = nullptr;
    wxDataViewModelNotifier* m_watcher = nullptr; // owned by the model
    std::map<const wxDataViewColumn*, Widths> m_widths;
    std::map<const wxDataViewColumn*, int> m_wanted; // widest value measured
    unsigned int m_measuredRows = 0;
    std::bitset<kMeasuredRows> m_changedRows; // measured, then changed
    wxTimer m_changeTimer;
    bool m_fitPending = false;
};
