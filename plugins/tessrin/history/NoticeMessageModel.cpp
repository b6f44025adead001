#include "history/NoticeMessageModel.h"

#include "history/HistoryNoticeMgr.h"

#include <wx/intl.h>

NoticeMessageModel::NoticeMessageModel(const HistoryNoticeMgr& manager)
    : wxDataViewVirtualListModel(0), m_manager(manager)
{}

void NoticeMessageModel::GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const
{
    const HistoryNoticeMgr::NoticePtr notice = m_manager.GetNotice(row);
    wxString text;
    if(notice) {
        switch(column) {
        case eColRowNumber:
            text = wxString::Format("%u", row + 1);
            break;
        case eColTime:
            text = notice->FormatDate();
            break;
        case eColTitle:
            text = notice->title;
            break;
        case eColReadFlag:
            text = notice->is_read ? _("hasRead") : _("noRead");
            break;
        default:
            break;
        }
    }
    value = text;
}

bool NoticeMessageModel::GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const
{
    const HistoryNoticeMgr::NoticePtr notice = m_manager.GetNotice(row);
    if(column != eColTitle || !notice || notice->is_read) {
        return false;
    }
    attr.SetBold(true);
    return true;
}

bool NoticeMessageModel::SetValueByRow(const wxVariant& value, unsigned int row, unsigned int column)
{
    wxUnusedVar(value);
    wxUnusedVar(row);
    wxUnusedVar(column);
    return false; // the bulletins are the server's
}
