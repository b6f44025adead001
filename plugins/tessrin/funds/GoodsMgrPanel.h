#pragma once

#include "connection/RequestCallBack.h"
#include "connection/RequestWait.h"

#include <functional>
#include <wx/panel.h>
#include <wx/timer.h>

class FinancingGoodsPane;
class HostManager;
class RecordStore;
class wxButton;
class wxTextCtrl;

// The centre page "FinancingGoods": the goods inventories of the vendors,
// refreshed from the trade server. At most one exists. A callback handed in
// runs after the next inventory answer that is not an error.
class GoodsMgrPanel : public wxPanel, public RequestCallBack
{
public:
    using Callback = std::function<void()>;
    static constexpr unsigned kWaitMs = 10000;
    static constexpr int kButtonPauseMs = 1000;

    GoodsMgrPanel(RecordStore* db, HostManager* mgr, wxWindow* parent);
    ~GoodsMgrPanel() override;

    // Selects the page, or makes it; either way the callback is handed in.
    static void ShowGoodsPage(RecordStore* db, HostManager* mgr, Callback callback);
    // Selects the page if open, hands it the callback and queries again;
    // false when there is none.
    static bool FindGoodsPage(Callback callback, HostManager* mgr);
    static wxString GetCaption();
    // "Cancel Goods" for the vendor inventory of the holding (store as key B).
    static void ShowCancelGoods(RecordStore* db, HostManager* mgr, int storeId, int symbolId);

    void SetCallback(Callback callback) { m_callback = std::move(callback); }
    bool IsWaiting() const { return m_wait.IsWaiting(); }
    RequestWait& GetWait() { return m_wait; }
    wxButton* GetRefreshButton() const { return m_refresh; }
    wxTextCtrl* GetTimeLine() const { return m_timeLine; }
    FinancingGoodsPane* GetGoodsPane() const { return m_goods; }

    // Sends the inventory query unless one is pending or there is no client.
    void Query();
    void StartWaitting(int requestId);

    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;

private:
    void CreateControls();
    void OnRefresh(wxCommandEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnPluginUnplug(wxCommandEvent& event);

    RecordStore* m_db;
    HostManager* m_mgr;
    Callback m_callback;
    wxTimer m_timer;
    bool m_answered = false;        // the button stays off until the timer
    bool m_queryAfterPause = false; // asked for during that pause
    RequestWait m_wait;
    wxButton* m_refresh = nullptr;
    wxTextCtrl* m_timeLine = nullptr;
    FinancingGoodsPane* m_goods = nullptr;
};
