// A small plug-in that uses the host the way the trading plug-in does:
// pages, a status item, a tool bar, a menu item and the bus.
#include "TestPlugin.h"

#include "pelmora/EventNotifier.h"
#include "pelmora/HostEvents.h"
#include "pelmora/IPlugin.h"
#include "pelmora/Notebook.h"
#include "pelmora/OutputWindow.h"
#include "pelmora/PluginInfo.h"
#include "pelmora/pmStatusBar.h"

#include <cstdlib>
#include <wx/aui/auibar.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/stattext.h>

#ifndef TEST_PLUGIN_VERSION
#define TEST_PLUGIN_VERSION 1000
#endif

namespace {
TestPluginRecord g_record;
class TestPlugin;
TestPlugin* g_plugin = nullptr;

class TestPlugin : public IPlugin
{
public:
    explicit TestPlugin(HostManager* manager) : IPlugin(manager)
    {
        ++g_record.startups;
        EventNotifier::Get()->Bind(wxEVT_CMD_QUERY_SERVER_NAMES, &TestPlugin::OnQueryServers, this);
        EventNotifier::Get()->Bind(wxEVT_CMD_LOGIN_REQUEST, &TestPlugin::OnLogin, this);
        EventNotifier::Get()->Bind(wxEVT_CMD_LOGOUT_REQUEST, &TestPlugin::OnLogout, this);
        EventNotifier::Get()->Bind(wxEVT_CMD_NOTICE_CLICKED, &TestPlugin::OnNoticeClicked, this);
        m_page = new wxStaticText(manager->GetOutputBook(), wxID_ANY, "test page");
        manager->GetOutputBook()->AddPage(m_page, "TestPage", false, wxNullBitmap);
        m_statusItem = manager->GetHostStatusBar()->AppendItem(100, nullptr, 5, 2, 5, 0);
    }

    ~TestPlugin() override
    {
        ++g_record.destructions;
        g_plugin = nullptr;
    }

    wxAuiToolBar* BuildToolBar(wxWindow* parent) override
    {
        ++g_record.toolBarBuilds;
        if(!m_toolBar) {
            m_toolBar = new wxAuiToolBar(parent, wxID_ANY);
            m_toolBar->AddTool(wxID_HIGHEST + 1, "TestTool", wxNullBitmap, "test tool");
            m_toolBar->Realize();
        }
        return m_toolBar;
    }

    void BuildMenus() override { ++g_record.menuBuilds; }

    void UnPlug() override
    {
        ++g_record.unplugs;
        EventNotifier::Get()->Unbind(wxEVT_CMD_QUERY_SERVER_NAMES, &TestPlugin::OnQueryServers, this);
        EventNotifier::Get()->Unbind(wxEVT_CMD_LOGIN_REQUEST, &TestPlugin::OnLogin, this);
        EventNotifier::Get()->Unbind(wxEVT_CMD_LOGOUT_REQUEST, &TestPlugin::OnLogout, this);
        EventNotifier::Get()->Unbind(wxEVT_CMD_NOTICE_CLICKED, &TestPlugin::OnNoticeClicked, this);
        Notebook* book = m_mgr->GetOutputBook();
        const int index = book->GetPageIndex(m_page);
        if(index != wxNOT_FOUND) {
            book->RemovePage(static_cast<size_t>(index), false);
        }
        m_page->Destroy();
        m_page = nullptr;
    }

private:
    void OnQueryServers(wxCommandEvent& event)
    {
        ++g_record.serverQueries;
        auto* names = static_cast<wxArrayString*>(event.GetClientData());
        names->Add("Demo");
        names->Add("Backup");
    }

    void OnLogin(wxCommandEvent& event)
    {
        event.Skip();
        const auto* login = static_cast<const wxArrayString*>(event.GetClientData());
        if(!login || login->size() != 3) {
            return;
        }
        g_record.lastLogin = *login;
        m_mgr->GetHostStatusBar()->SetStatusText("Account [" + (*login)[1] + "]", m_statusItem->field);
        m_mgr->GetOutputWindow()->AppendText("Market Trade[B1]\nbought 1 lot", OutputWindow::FLAG_NOTICE);
        wxArrayString state;
        state.Add((*login)[0]);
        state.Add((*login)[1]);
        state.Add("127.0.0.1:1|3");
        state.Add("127.0.0.1:2|3");
        EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_CONNECTION_STATE, &state);
        // Users that make the plug-in open a modal window, as a kick-out or
        // an order dialog does, and leave it open.
        const wxString user = (*login)[1];
        if(user == "modal" || user == "nestedbox") {
            m_mgr->GetMainFrame()->CallAfter([this, user] { ShowModalWindow(user); });
        }
    }

    void ShowModalWindow(const wxString& user)
    {
        wxDialog dialog(m_mgr->GetMainFrame(), wxID_ANY, "TestPlugin dialog");
        if(user == "nestedbox") {
            // A message box over the dialog: two loops on the stack.
            dialog.CallAfter([&dialog] {
                wxGenericMessageDialog box(&dialog, "left open", "TestPlugin");
                box.ShowModal();
            });
        }
        const int rc = dialog.ShowModal();
        // Still the plug-in's own code, after the loop: the host must not be
        // gone yet.
        m_mgr->GetOutputWindow()->AppendText(wxString::Format("TestPlugin dialog ended\n%d", rc));
    }

    void OnLogout(wxCommandEvent& event)
    {
        event.Skip();
        ++g_record.logouts;
    }

    // Not skipped, as the trading plug-in does it.
    void OnNoticeClicked(wxCommandEvent& event)
    {
        g_record.noticeClicks.Add(*static_cast<wxString*>(event.GetClientData()));
    }

    wxWindow* m_page = nullptr;
    pmStatusBarItem* m_statusItem = nullptr;
    wxAuiToolBar* m_toolBar = nullptr;
};

} // namespace

extern "C" {
WXEXPORT int GetPluginInterfaceVersion()
{
    return TEST_PLUGIN_VERSION;
}

WXEXPORT void GetPluginInfo(PluginInfo& info)
{
    info.SetAuthor("Tests");
    info.SetName("TestPlugin");
    info.SetDescription("plug-in of the host tests");
    info.SetVersion("v0.1");
}

WXEXPORT IPlugin* CreatePlugin(HostManager* manager)
{
    // Lets a test see a call on a library it expects to be refused.
    setenv("PELMORA_TEST_PLUGIN_CREATED", "1", 1);
    ++g_record.createCalls;
    if(!g_plugin) {
        g_plugin = new TestPlugin(manager);
    }
    return g_plugin;
}

WXEXPORT TestPluginRecord* TestPluginRecordOf()
{
    return &g_record;
}
}
