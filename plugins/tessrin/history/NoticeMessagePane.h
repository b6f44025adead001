#pragma once

#include "common/ListPane.h"

class HistoryNoticeMgr;
class NoticeMessageModel;
class NoticeTipDialog;

// The bulletin list: the manager's bulletins newest first, unread titles
// bold. A poll that brings bulletins writes each unread one of them to the
// output window (each bulletin once, the newest last), or opens the tips at
// the newest one on the first poll when the user wants them at start-up. The
// tips also open on a double click and on a click on a bulletin in the output
// window; once they close, the newest bulletin shown and all older ones are
// marked read. A logout empties the list and closes the tips.
class NoticeMessagePane : public ListPane
{
public:
    // Over the process's manager (HistoryNoticeMgr::Instance).
    NoticeMessagePane(RecordStore* db, HostManager* mgr, wxWindow* parent);
    // Over a manager that outlives the pane.
    NoticeMessagePane(RecordStore* db, HostManager* mgr, wxWindow* parent, HistoryNoticeMgr& manager);
    // Leaves the manager and the host bus; the layout is saved.
    ~NoticeMessagePane() override;

    // Opens the tips at the bulletin, modally; afterwards marks the newest one
    // shown and all older ones read and stores "NoticeStartShow" as the
    // dialog left it.
    void ShowNotice(int index);

    NoticeMessageModel* GetModel() const;

private:
    void OnNoticesUpdated(wxCommandEvent& event);
    void OnItemActivated(wxDataViewEvent& event);
    // Host bus 11113: the event id is the clicked text's content hash.
    void OnNoticeClicked(wxCommandEvent& event);
    // Row count of the model to the manager's list length.
    void ResetRows();

    HistoryNoticeMgr& m_manager;
    NoticeTipDialog* m_tips = nullptr; // while the tips are open
};
