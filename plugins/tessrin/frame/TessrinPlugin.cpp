#include "frame/TessrinPlugin.h"

#include "common/ModalMessageBox.h"
#include "common/TessrinConfig.h"
#include "connection/Client.h"
#include "connection/ErrorTextTable.h"
#include "connection/RequestId.h"
#include "connection/RequestNotify.h"
#include "db/DateTimeText.h"
#include "db/RecordStore.h"
#include "frame/TessrinErrorArray.h"

#include <cstdlib>
#include <ctime>
#include <pelmora/BitmapLoader.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/OutputWindow.h>
#include <pelmora/clConfig.h>
#include <pelmora/pmStandardPaths.h>
#include <platform/BrowserLauncher.h>
#include <platform/ProcessLauncher.h>
#include <platform/SoundPlayer.h>
#include <platform/SystemBrowserLauncher.h>
#include <platform/SystemProcessLauncher.h>
#include <platform/SystemSoundPlayer.h>
#include <utility>
#include <wx/app.h>
#include <wx/arrstr.h>
#include <wx/aui/aui.h>
#include <wx/frame.h>
#include <wx/imaglist.h>
#include <wx/intl.h>

namespace {
constexpr int kPageImageSize = 16;
} // namespace

TessrinPlugin::TessrinPlugin(HostManager* manager, const PluginPartsFactory& makeParts)
    : IClientPlugin(manager), m_parts(makeParts(*this)), m_triggersRegistered(false), m_busConnected(false)
{
    m_firstName = _("TessrinPlugin");
    m_secondName = _("Kestrava trade plugin");
    EventNotifier::Get()->Bind(wxEVT_CMD_QUERY_SERVER_NAMES, &TessrinPlugin::OnQueryServerNames, this);
    ConnectHostEvents();
    m_busConnected = true;
    ConnectAppHandlers();
    ConnectCentreBook();
    m_parts.commands->Connect();
}

TessrinPlugin::~TessrinPlugin()
{
    // Also right when the host destroys the object without UnPlug.
    DisconnectFromHost();
    // The panes still in the host's notebooks go before the store, so that no
    // model unregisters from a table that no longer exists.
    RemovePanes();
    // Pages still in the centre notebook go while the store and the
    // histories they observe are here.
    wxString activeView;
    m_parts.charts->CloseChartPages(activeView);
    m_parts.charts->ReleaseManager(false);
    UnregisterTriggers();
    if(m_db) {
        m_parts.charts->ReleaseHistories(); // they observe the store that goes with this object
    }
    m_parts.panes->ReleaseShared();
    // The library must outlive the objects the Client made from it.
    StopTimers();
    ReleaseClient();
    UnloadTradeApiLibrary();
    if(g_errorTable == m_errorTable.get()) {
        g_errorTable = nullptr;
    }
    if(g_plugin == this) {
        g_plugin = nullptr; // a later CreatePlugin must not hand out a dead object
    }
}

void TessrinPlugin::DisconnectFromHost()
{
    DisconnectAppHandlers();
    DisconnectBus();
    DisconnectCentreBook();
    m_parts.commands->Disconnect();
}

void TessrinPlugin::Startup()
{
    LoadConfiguration();
    m_db = std::make_unique<RecordStore>();
    SetUpTimers();
    m_db->CreateTables();
    m_db->m_server_time_table->AddActionTrigger(this);
    m_db->m_symbol_Info_table->AddActionTrigger(this);
    m_triggersRegistered = true;
    LoadErrorTexts();
    LoadPageImages();
    m_pluginConfig.Load();
    m_parts.charts->Start();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    m_parts.panes->StartShared();
    CreatePanes();
    StartTimers();
}

void TessrinPlugin::UnPlug()
{
    ReleaseClient();
    StopTimers();
    m_config.reset();
    DisconnectFromHost();
    // The models of the panes unregister while the store is alive.
    RemovePanes();
    // Names are gathered while the pages close; each page's destructor
    // drops its symbol from the remembered list, so the list is written after.
    wxString activeView;
    const wxArrayString lastChartViews = m_parts.charts->CloseChartPages(activeView);
    m_pluginConfig.SetLastShowChartViews(lastChartViews);
    m_pluginConfig.SetLastActiveChartView(activeView);
    m_pluginConfig.Save();
    m_parts.charts->ReleaseManager(true);
    UnregisterTriggers();
    m_statusFields.Release();
    SendUnplugEvent();
    // The K-line histories observe the price table: they go before the store.
    m_parts.charts->ReleaseHistories();
    // The bulletin manager's poll would otherwise outlive the login it reads.
    m_parts.panes->ReleaseShared();
    m_db.reset();
    UnloadTradeApiLibrary();
    if(g_errorTable == m_errorTable.get()) {
        g_errorTable = nullptr;
    }
    m_errorTable.reset();
    m_pageImages.reset();
    RequestNotify::Release();
}

ErrorTextTable* TessrinPlugin::GetErrorTable()
{
    return m_errorTable.get();
}

RecordStore* TessrinPlugin::GetDatabase()
{
    return m_db.get();
}

clConfig* TessrinPlugin::GetConfig()
{
    return m_config.get();
}

CTradeApi* TessrinPlugin::GetTradeApi()
{
    return GetClient() ? GetClient()->GetTradeApi() : nullptr;
}

RequestNotify* TessrinPlugin::GetRequestNotify()
{
    return RequestNotify::Get();
}

int TessrinPlugin::NextRequestId()
{
    return ::NextRequestId();
}

void TessrinPlugin::afterUpdate(const server_time& stored, CTransaction* transaction, void* reserved)
{
    wxUnusedVar(transaction);
    wxUnusedVar(reserved);
    SetStatusField(6, FormatDateTime(stored.serverTime));
}

void TessrinPlugin::afterAdd(const symbol_Info& stored, CTransaction* transaction, void* reserved)
{
    wxUnusedVar(transaction);
    wxUnusedVar(reserved);
    switch(stored.marketType) {
    case '4':
        AddBinaryOptionPages();
        AddBinaryOptionSymbolPage();
        m_parts.panes->AddBinaryOptionHistoryPage();
        break;
    case '1':
        AddOtcSymbolPage();
        break;
    default:
        break;
    }
    AddAllSymbolPage();
}

void TessrinPlugin::OutputLog(const wxString& title, const wxString& text)
{
    OutputWindow* output = m_mgr ? m_mgr->GetOutputWindow() : nullptr;
    if(output) {
        // The login's own notices (its money, trades, alarms and bulletins)
        // must not be read by the next user at the desk.
        output->AppendText(title + "\n" + text, OutputWindow::FLAG_NOTICE,
                           GetClient() ? wxString(kLoginNoticesOwner) : wxString());
    }
}

const user_Account* TessrinPlugin::GetLoginUser() const
{
    if(!m_db || !m_db->m_user_Account_table) {
        return nullptr;
    }
    const auto& accounts = m_db->m_user_Account_table->GetIndexByPrimary();
    return accounts.empty() ? nullptr : &*accounts.begin();
}

void TessrinPlugin::SetStatusField(int field, const wxString& text)
{
    m_statusFields.SetField(field, text);
}

void TessrinPlugin::SetStatusFieldColour(int field, StatusColour colour)
{
    m_statusFields.SetFieldColour(field, StatusFields::ToColour(colour));
}

int TessrinPlugin::GetBlinkPhase() const
{
    return g_blinkPhase;
}

void TessrinPlugin::DrawStatusIcon(wxDC& dc, const wxString& text, long state, wxPoint& position)
{
    m_statusFields.DrawStatusIcon(dc, text, state, position);
}

void TessrinPlugin::ShowQuickOrderButton()
{
    m_statusFields.Create();
}

void TessrinPlugin::OnQueryServerNames(wxCommandEvent& event)
{
    wxArrayString* names = static_cast<wxArrayString*>(event.GetClientData());
    if(!names) {
        return;
    }
    for(const wxString& name : m_serverItem.GetServerNames()) {
        names->Add(name);
    }
    TellServerListUnread();
}

void TessrinPlugin::LoadConfiguration()
{
    m_config = std::make_unique<clConfig>(TessrinConfig::GetFilePath(), false);
    m_serverListUnread = !m_config->ReadItem(&m_serverItem) || m_serverItem.GetServers().empty();
    m_marketIds = TessrinConfig(m_config.get()).GetMarketIds();
}

void TessrinPlugin::TellServerListUnread()
{
    if(!m_serverListUnread || m_serverListTold) {
        return;
    }
    m_serverListTold = true;
    const wxString text =
        wxString::Format(_("The server list could not be read from %s."), TessrinConfig::GetFilePath());
    OutputLog(_("Server list"), text);
    // Not inside the host's query: its login dialog may be on its way.
    CallAfter([text] { ModalMessageBox::Show(text, _("ErrorMessage"), wxOK | wxICON_ERROR | wxCENTRE); });
}

void TessrinPlugin::LoadErrorTexts()
{
    m_errorTable = std::make_unique<ErrorTextTable>();
    g_errorTable = m_errorTable.get();
    m_errorTable->InitErrorTexts();
    TessrinErrorArray errors;
    if(m_config && m_config->ReadItem(&errors)) {
        errors.ApplyTo(*m_errorTable);
    }
}

void TessrinPlugin::LoadPageImages()
{
    BitmapLoader* loader = m_mgr ? m_mgr->GetImageLoader() : nullptr;
    if(!loader) {
        return;
    }
    m_pageImages = std::make_unique<wxImageList>(kPageImageSize, kPageImageSize, true);
    for(const char* name : {"common/16/unlogin", "common/16/login_success", "common/16/login_failed",
                            "output-pane/24/chart", "output-pane/16/Sales_report"}) {
        wxBitmap bitmap = loader->LoadBitmap(name);
        // Every image takes one slot, so the indices 0 to 4 hold.
        if(bitmap.IsOk() && (bitmap.GetWidth() != kPageImageSize || bitmap.GetHeight() != kPageImageSize)) {
            bitmap = wxBitmap(
                bitmap.ConvertToImage().Rescale(kPageImageSize, kPageImageSize, wxIMAGE_QUALITY_HIGH));
        }
        m_pageImages->Add(bitmap);
    }
}

void TessrinPlugin::DisconnectBus()
{
    if(m_busConnected) {
        EventNotifier::Get()->Unbind(wxEVT_CMD_QUERY_SERVER_NAMES, &TessrinPlugin::OnQueryServerNames, this);
        DisconnectHostEvents();
        m_busConnected = false;
    }
}

void TessrinPlugin::UnregisterTriggers()
{
    if(m_triggersRegistered && m_db) {
        m_db->m_server_time_table->RemoveActionTrigger(this);
        m_db->m_symbol_Info_table->RemoveActionTrigger(this);
    }
    m_triggersRegistered = false;
}

wxBitmap TessrinPlugin::GetPageImage(int index) const
{
    return m_pageImages && index >= 0 && m_pageImages->GetImageCount() > index
               ? m_pageImages->GetBitmap(index)
               : wxNullBitmap;
}

void TessrinPlugin::CreatePanes()
{
    m_parts.panes->CreatePanes();
    BuildToolBar(m_mgr ? m_mgr->GetMainFrame() : nullptr);
    ShowQuickOrderButton();
    m_parts.panes->DockPanes();
    if(Notebook* output = m_mgr ? m_mgr->GetOutputBook() : nullptr) {
        output->DisableTopBottomDrag();
    }
}

void TessrinPlugin::AddBinaryOptionPages()
{
    m_parts.panes->AddBinaryOptionPages();
}

void TessrinPlugin::AddBinaryOptionSymbolPage()
{
    m_parts.panes->AddBinaryOptionSymbolPage();
}

void TessrinPlugin::AddOtcSymbolPage()
{
    m_parts.panes->AddOtcSymbolPage();
}

void TessrinPlugin::AddAllSymbolPage()
{
    m_parts.panes->AddAllSymbolPage();
}

void TessrinPlugin::RemovePanes()
{
    m_parts.panes->RemovePanes();
}

SoundPlayer& TessrinPlugin::GetSoundPlayer()
{
    if(!m_soundPlayer) {
        m_soundPlayer = std::make_unique<SystemSoundPlayer>(pmStandardPaths::Get().GetBinFolder());
    }
    return *m_soundPlayer;
}

void TessrinPlugin::SetSoundPlayer(std::unique_ptr<SoundPlayer> player)
{
    m_soundPlayer = std::move(player);
}

void TessrinPlugin::ShowPayPortPage(const user_AttPay& row)
{
    m_parts.funds->ShowPayPortPage(row);
}

void TessrinPlugin::ShowInOutPage(const am_AmountInOut& row)
{
    m_parts.funds->ShowInOutPage(row);
}

void TessrinPlugin::ConnectAppHandlers()
{
    if(m_appHandlersConnected || !wxTheApp) {
        return;
    }
    wxTheApp->Bind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, this);
    m_lockScreen.Connect();
    m_appHandlersConnected = true;
}

void TessrinPlugin::DisconnectAppHandlers()
{
    if(!m_appHandlersConnected) {
        return;
    }
    m_lockScreen.Disconnect();
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, this);
    }
    m_appHandlersConnected = false;
}

void TessrinPlugin::SetIdleClock(IdleLockMonitor::Clock clock)
{
    m_lockScreen.SetIdleClock(std::move(clock));
}

void TessrinPlugin::OnLockScreen(wxCommandEvent& event)
{
    m_lockScreen.OnLockScreen(event);
}

void TessrinPlugin::SetProcessLauncher(std::unique_ptr<ProcessLauncher> launcher)
{
    m_processLauncher = std::move(launcher);
}

namespace {
// The launcher set by a test, else the system's, made on first use.
template <class System, class Launcher> Launcher& LauncherOrSystem(std::unique_ptr<Launcher>& launcher)
{
    if(!launcher) {
        launcher = std::make_unique<System>();
    }
    return *launcher;
}
} // namespace

ProcessLauncher& TessrinPlugin::GetProcessLauncher()
{
    return LauncherOrSystem<SystemProcessLauncher>(m_processLauncher);
}

void TessrinPlugin::SetBrowserLauncher(std::unique_ptr<BrowserLauncher> launcher)
{
    m_browserLauncher = std::move(launcher);
}

BrowserLauncher& TessrinPlugin::GetBrowserLauncher()
{
    return LauncherOrSystem<SystemBrowserLauncher>(m_browserLauncher);
}
