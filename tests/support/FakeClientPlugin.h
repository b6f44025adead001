#pragma once
// The plug-in object as the features see it (IClientPlugin), without the
// host, the frame or a market: a record store of its own, a Client over the
// recording library objects once logged in, and what the features asked of
// it. It is g_plugin while it lives. Its program links the plug-in (its
// parts or libTessrin.so) and tessrin_platform_fakes.
//
//     FakeClientPlugin plugin;
//     plugin.LogIn();
//     PluginOrderSender().SetOrder(order);
//     EXPECT_EQ(plugin.trade.Operations(), std::vector<std::string>{"ReqSetOrder"});
#include "FakeApis.h"
#include "FakeConnectionHost.h"
#include "common/IClientPlugin.h"
#include "common/RefreshClock.h"
#include "common/TessrinPluginConfig.h"
#include "connection/Client.h"
#include "connection/ErrorTextTable.h"
#include "connection/RequestId.h"
#include "connection/RequestNotify.h"
#include "db/RecordStore.h"
#include "platform/FakeBrowserLauncher.h"
#include "platform/FakeProcessLauncher.h"
#include "platform/FakeSoundPlayer.h"

#include <memory>
#include <vector>

class FakeClientPlugin : public IClientPlugin
{
public:
    FakeClientPlugin() : IClientPlugin(nullptr), m_previous(g_plugin)
    {
        db.CreateTables();
        errors.InitErrorTexts();
        g_plugin = this;
    }
    ~FakeClientPlugin() override
    {
        LogOut();
        g_plugin = m_previous;
    }

    // A Client of the login name over `trade` and `md`, as a login leaves
    // it: the library objects set, no machine started.
    Client& LogIn(const wxString& loginName = "demo")
    {
        LogOut();
        m_client = std::make_shared<Client>(loginName, &db, &connection);
        m_client->SetTradeApi(&trade);
        m_client->SetMdApi(&md);
        return *m_client;
    }
    // Releases the Client and drops it, as a logout does.
    void LogOut()
    {
        if(m_client) {
            m_client->Release();
            m_client.reset();
        }
    }

    ErrorTextTable* GetErrorTable() override { return &errors; }
    RecordStore* GetDatabase() override { return &db; }
    clConfig* GetConfig() override { return nullptr; }
    CTradeApi* GetTradeApi() override { return m_client ? m_client->GetTradeApi() : nullptr; }
    wxAuiToolBar* GetToolBar() override { return nullptr; }
    RequestNotify* GetRequestNotify() override { return RequestNotify::Get(); }
    int NextRequestId() override { return ::NextRequestId(); }
    const std::shared_ptr<Client>& GetClient() const override { return m_client; }
    const ServerInfo* GetLoginServer() const override { return nullptr; }
    wxString GetServerText() const override { return connection.serverText; }
    const user_Account* GetLoginUser() const override
    {
        const auto& accounts = db.m_user_Account_table->GetIndexByPrimary();
        return accounts.empty() ? nullptr : &*accounts.begin();
    }
    void OutputLog(const wxString& title, const wxString& text) override
    {
        outputs.push_back(title + "|" + text);
    }
    TessrinPluginConfig& GetPluginConfig() override { return pluginConfig; }
    RefreshClock& GetRefreshClock() override { return refreshClock; }
    ProcessLauncher& GetProcessLauncher() override { return processes; }
    BrowserLauncher& GetBrowserLauncher() override { return browser; }
    SoundPlayer& GetSoundPlayer() override { return sounds; }
    void ShowChartWindow(const symbol_Info& symbol, bool /*select*/) override { charts.push_back(&symbol); }
    void ShowPayPortPage(const user_AttPay& row) override { payPortPages.push_back(&row); }
    void ShowInOutPage(const am_AmountInOut& row) override { inOutPages.push_back(&row); }
    CharViewPanelMgr* GetChartViewMgr() const override { return nullptr; }
    const symbol_Info* GetChartSymbolInFront() const override { return nullptr; }
    SymbolPane* GetBinaryOptionSymbolPane() const override { return nullptr; }
    void AppendMoneyMenuItem() override {}
    void AppendMoneyMenuItem2() override {}
    wxAuiToolBar* BuildToolBar(wxWindow* /*parent*/) override { return nullptr; }
    void BuildMenus() override {}
    void UnPlug() override { LogOut(); }

    RecordStore db;
    ErrorTextTable errors;
    FakeTradeApi trade;
    FakeMdApi md;
    FakeConnectionHost connection; // what the Client tells the plug-in
    TessrinPluginConfig pluginConfig;
    RefreshClock refreshClock;
    FakeProcessLauncher processes;
    FakeBrowserLauncher browser;
    FakeSoundPlayer sounds;
    std::vector<wxString> outputs; // "title|text"
    // The rows the openers were handed; valid while their tables keep them.
    std::vector<const symbol_Info*> charts;
    std::vector<const user_AttPay*> payPortPages;
    std::vector<const am_AmountInOut*> inOutPages;

private:
    IClientPlugin* m_previous;
    std::shared_ptr<Client> m_client;
};
