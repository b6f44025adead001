#pragma once

#include <memory>
#include <pelmora/IPlugin.h>
#include <wx/string.h>

struct am_AmountInOut;
struct symbol_Info;
struct user_Account;
struct user_AttPay;
class BrowserLauncher;
class CTradeApi;
class CharViewPanelMgr;
class Client;
class ErrorTextTable;
class ProcessLauncher;
class RecordStore;
class RefreshClock;
class RequestNotify;
struct ServerInfo;
class SoundPlayer;
class SymbolPane;
class TessrinPluginConfig;
class clConfig;
class wxAuiToolBar;

// What the panes and dialogs of the plug-in ask of the plug-in object beyond
// the host interface. The order of the virtual operations is fixed: append,
// never reorder.
class IClientPlugin : public IPlugin
{
public:
    explicit IClientPlugin(HostManager* manager) : IPlugin(manager) {}
    ~IClientPlugin() override = default;

    virtual ErrorTextTable* GetErrorTable() = 0;
    virtual RecordStore* GetDatabase() = 0;
    // The configuration over Tessrin.con; null before start-up and after unload.
    virtual clConfig* GetConfig() = 0;
    // The trade API object of the current login; null while there is none.
    virtual CTradeApi* GetTradeApi() = 0;
    virtual wxAuiToolBar* GetToolBar() = 0;
    // The pending-request registry, created on first use.
    virtual RequestNotify* GetRequestNotify() = 0;
    // Takes the next id of the one request counter.
    virtual int NextRequestId() = 0;

    // The Client of the current login; empty before the first login and
    // after logout.
    virtual const std::shared_ptr<Client>& GetClient() const = 0;
    // The server record of the current login; null while there is no Client.
    virtual const ServerInfo* GetLoginServer() const = 0;
    // The server of the current login.
    virtual wxString GetServerText() const = 0;
    // The first trading account; null before the accounts arrive.
    virtual const user_Account* GetLoginUser() const = 0;
    // A notice in the host's output window: the title, a line feed, the text.
    virtual void OutputLog(const wxString& title, const wxString& text) = 0;
    // The remembered chart pages and the page in front.
    virtual TessrinPluginConfig& GetPluginConfig() = 0;
    // The clock the panes repaint price-driven figures on.
    virtual RefreshClock& GetRefreshClock() = 0;

    // What starts programs, opens addresses outside the host and plays
    // sounds: the system's until a test puts a fake in.
    virtual ProcessLauncher& GetProcessLauncher() = 0;
    virtual BrowserLauncher& GetBrowserLauncher() = 0;
    virtual SoundPlayer& GetSoundPlayer() = 0;

    // Page openers of the centre notebook.
    // The chart page of a symbol (its hang-order pane for market type '3'),
    // added when it is not open.
    virtual void ShowChartWindow(const symbol_Info& symbol, bool select) = 0;
    // A new "PayPort" page loading the attachment's bank page.
    virtual void ShowPayPortPage(const user_AttPay& row) = 0;
    // The bank page of a money movement, in a browser or a new "InOut" page.
    virtual void ShowInOutPage(const am_AmountInOut& row) = 0;
    // The manager of the open chart pages; null before start-up and after
    // shut-down.
    virtual CharViewPanelMgr* GetChartViewMgr() const = 0;
    // The symbol of the chart page in front; null without one.
    virtual const symbol_Info* GetChartSymbolInFront() const = 0;
    // The binary-options quote board; null before the panes are built.
    virtual SymbolPane* GetBinaryOptionSymbolPane() const = 0;

    // Puts back the held money menu items the accounts allow.
    virtual void AppendMoneyMenuItem() = 0;
    virtual void AppendMoneyMenuItem2() = 0;
};

// The plug-in object, set by CreatePlugin; null when there is none.
extern IClientPlugin* g_plugin;

// The Client of the current login, through which every request of a window
// leaves (Client::ReqX); null without the plug-in object or a login.
Client* LoginClient();
