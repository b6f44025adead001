#pragma once

#include "common/IClientPlugin.h"
#include "common/RefreshClock.h"
#include "common/TessrinPluginConfig.h"
#include "connection/IConnectionHost.h"
#include "db/CActionTrigger.h"
#include "frame/IdleLockMonitor.h"
#include "frame/LockScreenFlow.h"
#include "frame/LoginFlow.h"
#include "frame/PluginMenus.h"
#include "frame/PluginParts.h"
#include "frame/PluginToolBar.h"
#include "frame/StatusFields.h"
#include "frame/TessrinServerArray.h"

#include <memory>
#include <pelmora/Notebook.h>
#include <tradeapi/ClientApi.h>
#include <vector>
#include <wx/bitmap.h>
#include <wx/datetime.h>
#include <wx/dynarray.h>
#include <wx/gdicmn.h>
#include <wx/timer.h>
#include <wx/weakref.h>

struct am_AmountInOut;
struct server_time;
struct symbol_Info;
struct user_Account;
struct user_AttPay;
class CharViewPanelMgr;
class ChartViewerPanel;
class Client;
class HistoryPane;
class Notebook;
class SoundPlayer;
class SymbolPane;
class TranscationPanel;
class ProcessLauncher;
class BrowserLauncher;
struct pmStatusBarItem;
class wxAuiNotebookEvent;
class wxAuiToolBarEvent;
class wxDC;
class wxImageList;

// The plug-in object: what the host loads, and what every pane and dialog
// reaches through g_plugin. It owns the configuration, the record database,
// the error texts and the login's trade API objects; the host's windows own
// the panes once they are placed. What knows the features (panes, symbol
// pages, money windows, commands) are its parts, made by the composition
// root. GUI thread only.
class TessrinPlugin : public IClientPlugin,
                      public CActionTrigger<server_time>,
                      public CActionTrigger<symbol_Info>,
                      public IConnectionHost
{
public:
    TessrinPlugin(HostManager* manager, const PluginPartsFactory& makeParts);
    ~TessrinPlugin() override;

    // Reads the configuration and builds the shared objects; run once by
    // CreatePlugin.
    void Startup();

    wxAuiToolBar* BuildToolBar(wxWindow* parent) override;
    void BuildMenus() override;
    void UnPlug() override;

    ErrorTextTable* GetErrorTable() override;
    RecordStore* GetDatabase() override;
    clConfig* GetConfig() override;
    CTradeApi* GetTradeApi() override;
    wxAuiToolBar* GetToolBar() override;
    RequestNotify* GetRequestNotify() override;
    int NextRequestId() override;

    // Server time into status field 6.
    void afterUpdate(const server_time& stored, CTransaction* transaction, void* reserved) override;
    // The first symbol of a binary-option or OTC market brings its pages.
    void afterAdd(const symbol_Info& stored, CTransaction* transaction, void* reserved) override;

    // A notice in the host's output window: the title, a line feed, the text.
    // Written while a login is in place, it goes again when the login ends.
    void OutputLog(const wxString& title, const wxString& text) override;
    // The first trading account; null before the accounts arrive.
    const user_Account* GetLoginUser() const override;

    const TessrinServerArray& GetServerItem() const { return m_serverItem; }
    // "markets": rows of other markets are dropped; empty keeps every market.
    const wxArrayInt& GetMarketIds() const override { return m_marketIds; }
    TessrinPluginConfig& GetPluginConfig() override { return m_pluginConfig; }
    // The clock the panes repaint price-driven figures on.
    RefreshClock& GetRefreshClock() override { return m_refreshClock; }
    HostManager* GetManager() const { return m_mgr; }

    // Writes status field 1 to 6 of the plug-in; other fields are ignored.
    void SetStatusField(int field, const wxString& text) override;
    // Draws the connection icon of a login state and moves the position on.
    void DrawStatusIcon(wxDC& dc, const wxString& text, long state, wxPoint& position);
    std::vector<pmStatusBarItem*> GetStatusItems() const { return m_statusFields.GetItems(); }

    // The text colour of a status field's window (field 2: the account line).
    void SetStatusFieldColour(int field, StatusColour colour) override;
    int GetBlinkPhase() const override;
    // Builds the panes, the tool bar and the status-bar fields shown from
    // start-up.
    void CreatePanes();
    HistoryPane* GetHistoryPane() const { return m_parts.panes->GetHistoryPane(); }
    // The seven status-bar fields, the quick-order button in field 0.
    void ShowQuickOrderButton();

    bool IsShowNotify(int kind) const override;
    // Modal, without parent, with an OK button.
    void ShowMessageBox(const wxString& message, const wxString& caption) override;
    bool ReadConfigBool(const wxString& key, bool defaultValue) const override;
    // The lock screen asks for the password the market last accepted.
    void OnLoginAccepted(const wxString& password) override;
    // At a logout, a kick-out and a login that replaces another: the
    // trading records, the login's notices in the output window, its pages
    // and bulletins go, the status fields say so and no quote stays live.
    void ShowLoggedOut() override;
    // The server of the current login.
    wxString GetServerText() const override;
    const wxArrayString& GetTradeAddresses() const override;
    const wxArrayString& GetMdAddresses() const override;

    // The Client of the current login; empty before the first login and
    // after logout.
    const std::shared_ptr<Client>& GetClient() const override { return m_login.GetClient(); }
    // The server record of the current login (its "noticehistory",
    // "history", "mdhistory" and "reporthistory" lists); null while there is
    // no Client.
    const ServerInfo* GetLoginServer() const override
    {
        return m_login.GetClient() ? &m_login.GetLoginServer() : nullptr;
    }
    // Loads (or keeps) the trade API library of that name and binds its five
    // exports; false leaves no library loaded.
    bool LoadTradeApiLibrary(const wxString& name);

    // A new "PayPort" page in the centre notebook loading the attachment's
    // bank page; nothing for an empty address or an unknown pay port.
    void ShowPayPortPage(const user_AttPay& row) override;

    // The binary-options quote board; null before the panes are built.
    SymbolPane* GetBinaryOptionSymbolPane() const override
    {
        return m_parts.panes->GetBinaryOptionSymbolPane();
    }
    SymbolPane* GetOtcSymbolPane() const { return m_parts.panes->GetOtcSymbolPane(); }
    // The board of every market type, page "All".
    SymbolPane* GetAllSymbolPane() const { return m_parts.panes->GetAllSymbolPane(); }
    TranscationPanel* GetTranscationPanel() const { return m_parts.panes->GetTranscationPanel(); }

    void AddBinaryOptionPages();
    void AddBinaryOptionSymbolPage();
    void AddOtcSymbolPage();
    // The "All" board after "OTC" (or last while there is none).
    void AddAllSymbolPage();

    // Tool bar and menus. Without a tool bar (the host wanted none) the tool
    // operations do nothing.
    // Put back the held money items: "transfer_Acc" and "change_MainAcc"
    // (more than one account), "setsurety_Money" (an account of kind '3').
    void AppendMoneyMenuItem() override;
    void AppendMoneyMenuItem2() override;
    // "toolsMgr" and "moneyMgr" pop up the host menu of that name.
    void OnToolDropDown(wxAuiToolBarEvent& event);
    // F1 full screen, Escape back; every key release tells the bus (11112).
    void OnKeyUp(wxKeyEvent& event);
    void UpdatePeriodTools(bool enable);
    void UpdateOrderTools(bool enable);
    void UpdateChartTypeTools(bool enable);
    // 0 HOLC, 1 candlestick, 2 time-shared; others HOLC.
    void ToggleChartTypeTool(int barType);
    int ToolIdFromPeriod(int period) const;
    int PeriodFromToolId(int toolId) const;

    // Lock screen: menu command "lockScreen"; nothing before the first login
    // or while the screen is locked.
    void OnLockScreen(wxCommandEvent& event);

    // The page of a symbol in the centre notebook: its chart page, or for
    // market type '3' its hang-order pane (found by the symbol's code). An
    // open page is selected without a page event; otherwise one is added
    // with the symbol's name as label.
    void ShowChartWindow(const symbol_Info& symbol, bool select) override;
    // The manager of the open chart pages; null before start-up and after
    // shut-down.
    CharViewPanelMgr* GetChartViewMgr() const override { return m_parts.charts->GetChartViewMgr(); }
    // The chart page at the centre notebook's selection; null when there is
    // no page or the page is of another kind.
    ChartViewerPanel* GetChartInFront() const;
    // The symbol of the chart page in front; null without one.
    const symbol_Info* GetChartSymbolInFront() const override;
    // The chart, period and order tools follow the page in front.
    void OnNotebookPageChanging(wxAuiNotebookEvent& event);
    // A closed chart page leaves the manager; the last one disables the tools.
    void OnNotebookPageClose(wxAuiNotebookEvent& event);

    // The image of the page image list at `index` (3 the chart, 4 the sales
    // report); an empty bitmap when there is none.
    wxBitmap GetPageImage(int index) const;
    // The host's centre notebook, taken by the constructor; null once it has
    // gone.
    Notebook* CentreBook() const;
    // What starts programs; tests put a fake in.
    void SetProcessLauncher(std::unique_ptr<ProcessLauncher> launcher);
    // The system's launcher until a fake is put in.
    ProcessLauncher& GetProcessLauncher() override;
    // What opens addresses in a browser outside the host; tests put a fake in.
    void SetBrowserLauncher(std::unique_ptr<BrowserLauncher> launcher);
    BrowserLauncher& GetBrowserLauncher() override;
    // What plays sounds; the system's until a fake is put in.
    SoundPlayer& GetSoundPlayer() override;
    void SetSoundPlayer(std::unique_ptr<SoundPlayer> player);
    // The bank page of a money movement: nothing without its address, account
    // or login; in a browser when "ShowInoutInBrower" or the setting
    // "ShowInOutUrlInBrower" is on; else a new selected centre page "InOut".
    void ShowInOutPage(const am_AmountInOut& row) override;
    bool IsScreenLocked() const { return m_lockScreen.IsLocked(); }
    // The clock of the idle lock; tests move it by hand.
    void SetIdleClock(IdleLockMonitor::Clock clock);

private:
    // The owner of the output window's entries written during a login.
    static constexpr const char* kLoginNoticesOwner = "Tessrin login";

    // Host bus 10000: the server names, in ascending name hash.
    void OnQueryServerNames(wxCommandEvent& event);
    // Host bus 10001 and 10002: log in to a configured server, log out.
    void OnLoginRequest(wxCommandEvent& event);
    void OnLogoutRequest(wxCommandEvent& event);
    // Bus 10006 (the plug-in's own, queued): the market logged the user out.
    void OnUserKicked(wxCommandEvent& event);
    // Bus 10005 (sent by the password dialog): the lock screen follows.
    void OnLoginPasswordChanged(wxCommandEvent& event);
    // Host bus 11111 with the login: the first account line.
    void OnRefreshViews(wxCommandEvent& event);
    // Host bus 10003: nothing to do.
    void OnHostReserved(wxCommandEvent& event);
    // Host bus 11113: a trade notice of the output window was clicked.
    void OnNoticeClicked(wxCommandEvent& event);
    void ConnectHostEvents();
    void DisconnectHostEvents();
    // Every 500 ms: late queries, the blink phase, request time-outs, run
    // by Tick once the timer's call has returned.
    void OnTickTimer(wxTimerEvent& event);
    void Tick();
    // Every 8000 ms until decided: the prompt to change the login password.
    void OnModifyPasswordTimer(wxTimerEvent& event);
    // Every 5000 ms: the next account line in the status bar.
    void OnClientTimer(wxTimerEvent& event);
    void SetUpTimers();
    void StartTimers();
    void StopTimers();
    void SendUnplugEvent();
    // Releases the Client's library objects and drops it.
    void ReleaseClient();
    void UnloadTradeApiLibrary();
    void LoadConfiguration();
    // Once: the output window and a box say that the server list could not
    // be read, when the host first asks for it or for a login.
    void TellServerListUnread();
    void LoadErrorTexts();
    void LoadPageImages();
    void DisconnectBus();
    // Takes every pane off the host's notebooks and destroys it.
    void RemovePanes();
    void UnregisterTriggers();
    void ConnectCentreBook();
    void DisconnectCentreBook();
    // Every handler on the host's windows and the bus, and the commands:
    // from here on nothing calls into the panes.
    void DisconnectFromHost();

    PluginParts m_parts; // made first: the constructor connects the commands
    StatusFields m_statusFields{m_mgr, [this] { return m_pageImages.get(); }};

    TessrinPluginConfig m_pluginConfig;
    std::unique_ptr<clConfig> m_config;
    TessrinServerArray m_serverItem;
    bool m_serverListUnread = false; // Tessrin.con gave no server (missing, cut short, empty)
    bool m_serverListTold = false;
    wxArrayInt m_marketIds;
    LoginFlow m_login{*this}; // the Client of the current login and its library
    std::unique_ptr<RecordStore> m_db;
    RefreshClock m_refreshClock;
    wxTimer m_tickTimer;
    bool m_tickQueued = false;
    wxTimer m_accountStatusTimer;
    std::unique_ptr<ErrorTextTable> m_errorTable; // also g_errorTable
    std::unique_ptr<wxImageList> m_pageImages;
    wxTimer m_passwordPromptTimer;
    PluginToolBar m_toolBar{m_mgr};
    bool m_triggersRegistered;
    bool m_busConnected;
    wxWeakRef<Notebook> m_centreBook; // the host's, taken by the constructor
    bool m_centreBookConnected = false;
    std::unique_ptr<ProcessLauncher> m_processLauncher;
    std::unique_ptr<BrowserLauncher> m_browserLauncher;

    // Application-wide handlers of the tool bar and the lock screen.
    void ConnectAppHandlers();
    void DisconnectAppHandlers();

    PluginMenus m_menus;
    LockScreenFlow m_lockScreen{m_mgr, *this};
    bool m_appHandlersConnected = false;
    std::unique_ptr<SoundPlayer> m_soundPlayer;

    wxDECLARE_EVENT_TABLE();
};

// The plug-in object behind g_plugin; null when there is none. Only the
// plug-in's own core and its composition root need more than the interface.
inline TessrinPlugin* ThePlugin()
{
    return static_cast<TessrinPlugin*>(g_plugin);
}
