#include "history/NoticeMessagePane.h"

#include "common/IClientPlugin.h"
#include "common/SettingsAccessors.h"
#include "history/HistoryNoticeMgr.h"
#include "history/NoticeMessageModel.h"
#include "history/NoticeTipDialog.h"
#include "history/NoticeTipProvider.h"

#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <pelmora/OutputWindow.h>
#include <vector>
#include <wx/app.h>
#include <wx/intl.h>
#include <wx/xrc/xmlres.h>

namespace {

std::vector<ListColumn> Columns()
{
    // Translated when the pane is made, so a catalogue loaded by then applies.
    return {
        RowNumberColumn(30),
        {_("Time"), NoticeMessageModel::eColTime, wxDATAVIEW_CELL_INERT, 120, wxALIGN_CENTER_HORIZONTAL},
        {_("Title"), NoticeMessageModel::eColTitle, wxDATAVIEW_CELL_INERT, 400, wxALIGN_CENTER_HORIZONTAL},
        {_("ReadFlag"), NoticeMessageModel::eColReadFlag, wxDATAVIEW_CELL_INERT, 120,
         wxALIGN_CENTER_HORIZONTAL},
    };
}

} // namespace

NoticeMessagePane::NoticeMessagePane(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : NoticeMessagePane(db, mgr, parent, *HistoryNoticeMgr::Instance())
{}

NoticeMessagePane::NoticeMessagePane(RecordStore* db, HostManager* mgr, wxWindow* parent,
                                     HistoryNoticeMgr& manager)
    : ListPane(db, mgr, parent), m_manager(manager)
{
    CreateList(new NoticeMessageModel(m_manager));
    AppendColumns(Columns());
    LoadImages({"common/16/close"});
    PlaceList();
    if(OutputWindow* output = mgr ? mgr->GetOutputWindow() : nullptr) {
        output->AddCommand(XRCID("readnotifybtn"), _("Read Notice"));
        output->AddCommand(XRCID("closenotifybtn"), _("Hide Notice"));
    }
    IgnoreColumnSort();
    GetList()->Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &NoticeMessagePane::OnItemActivated, this);
    LoadColumnConfig("NoticeMessagePane");
    // Bound after the plug-in's own handler, so this one is asked first and
    // passes the click on.
    EventNotifier::Get()->Bind(wxEVT_CMD_NOTICE_CLICKED, &NoticeMessagePane::OnNoticeClicked, this);
    m_manager.Bind(wxEVT_CMD_NOTICES_UPDATED, &NoticeMessagePane::OnNoticesUpdated, this);
    // Bulletins the manager got before the pane was made.
    ResetRows();
}

NoticeMessagePane::~NoticeMessagePane()
{
    m_manager.Unbind(wxEVT_CMD_NOTICES_UPDATED, &NoticeMessagePane::OnNoticesUpdated, this);
    EventNotifier::Get()->Unbind(wxEVT_CMD_NOTICE_CLICKED, &NoticeMessagePane::OnNoticeClicked, this);
    GetList()->Unbind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &NoticeMessagePane::OnItemActivated, this);
}

NoticeMessageModel* NoticeMessagePane::GetModel() const
{
    return static_cast<NoticeMessageModel*>(GetModelBase());
}

void NoticeMessagePane::ResetRows()
{
    if(NoticeMessageModel* model = GetModel()) {
        model->Reset(static_cast<unsigned int>(m_manager.GetCount()));
    }
}

void NoticeMessagePane::OnNoticesUpdated(wxCommandEvent& event)
{
    ResetRows();
    if(m_manager.GetCount() == 0 && m_tips) {
        m_tips->EndModal(wxID_CANCEL); // the bulletins of a login that has ended
    }
    // Each bulletin is announced once: those the poll brought, every one of
    // them (several may share a second).
    std::vector<HistoryNoticeMgr::NoticePtr> unread;
    for(const HistoryNoticeMgr::NoticePtr& notice : m_manager.GetLastAdded()) {
        if(!notice->is_read) {
            unread.push_back(notice);
        }
    }
    if(unread.empty()) {
        return;
    }
    if(event.GetInt() != 0 && IsNoticeStartShow()) {
        ShowNotice(0);
        return;
    }
    if(!g_plugin) {
        return;
    }
    // Oldest first: the newest stands last, where the output window's newest
    // entries are.
    for(auto notice = unread.rbegin(); notice != unread.rend(); ++notice) {
        // The output window takes the first line as the title.
        wxString title = (*notice)->title;
        title.Replace("\n", " ");
        g_plugin->OutputLog(title, (*notice)->content);
    }
}

void NoticeMessagePane::OnItemActivated(wxDataViewEvent& event)
{
    const wxDataViewItem item = event.GetItem();
    if(!item.IsOk() || !GetModel()) {
        return;
    }
    ShowNotice(static_cast<int>(GetModel()->GetRow(item)));
}

void NoticeMessagePane::OnNoticeClicked(wxCommandEvent& event)
{
    event.Skip();
    // The host puts the 32-bit hash into the int id: compare the bits.
    const int index = m_manager.FindNoticeByHash(static_cast<wxUint32>(event.GetId()));
    if(index >= 0) {
        ShowNotice(index);
    }
}

void NoticeMessagePane::ShowNotice(int index)
{
    if(index < 0 || static_cast<size_t>(index) >= m_manager.GetCount()) {
        return;
    }
    NoticeTipProvider tips(m_manager, static_cast<size_t>(index));
    bool showAtStartup = IsNoticeStartShow();
    {
        NoticeTipDialog dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, &tips, showAtStartup);
        m_tips = &dialog;
        dialog.ShowModal();
        m_tips = nullptr;
        showAtStartup = dialog.ShowAtStartup();
    }
    const size_t lowest = tips.GetLowestIndex();
    m_manager.MarkNoticeReaded(static_cast<int>(lowest));
    SetNoticeStartShow(showAtStartup);
    NoticeMessageModel* model = GetModel();
    for(size_t row = lowest; model && row < model->GetCount(); ++row) {
        model->RowChanged(static_cast<unsigned int>(row));
    }
}
