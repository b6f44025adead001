#pragma once

#include <wx/dataview.h>

class HistoryNoticeMgr;

// The rows of the notice pane: row i is the manager's bulletin i (newest
// first). It observes no table: the pane resets the row count whenever the
// manager's list grows.
class NoticeMessageModel : public wxDataViewVirtualListModel
{
public:
    enum Column {
        eColRowNumber = 0, // row + 1
        eColTime,          // "%Y-%m-%d %H:%M:%S"
        eColTitle,         // bold while unread
        eColReadFlag,      // "hasRead" or "noRead"
        eColCount
    };

    explicit NoticeMessageModel(const HistoryNoticeMgr& manager);

    // Every column is text; a row past the list is empty.
    void GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const override;
    bool GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const override;
    bool SetValueByRow(const wxVariant& value, unsigned int row, unsigned int column) override;

private:
    const HistoryNoticeMgr& m_manager;
};
