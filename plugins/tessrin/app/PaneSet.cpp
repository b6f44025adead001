#include "app/PaneSet.h"

#include "common/TessrinConfig.h"
#include "frame/NoticeClick.h"
#include "frame/RemoveNotebookPage.h"
#include "frame/TessrinPlugin.h"
#include "funds/StoreOrderPane.h"
#include "history/HistoryNoticeMgr.h"
#include "history/HistoryPane.h"
#include "history/NoticeMessagePane.h"
#include "orders/MinTradeOrderPane.h"
#include "panes/CloseBillPane.h"
#include "panes/DeliveryOrderPane.h"
#include "panes/HoldDetailPane.h"
#include "panes/InOutMoneyPane.h"
#include "panes/LimitOrderPane.h"
#include "panes/PositionPane.h"
#include "panes/SymbolPane.h"
#include "panes/TranscationPanel.h"
#include "panes/UserAccountPane.h"
#include "risk/AlarmSound.h"
#include "risk/RiskCustomPanel.h"

#include <memory>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmStandardPaths.h>
#include <platform/SystemSoundPlayer.h>
#include <wx/aui/aui.h>
#include <wx/frame.h>
#include <wx/intl.h>

namespace {
// Brings the pane's page of the output notebook forward, without a page
// event; false when the pane has no page there.
bool SelectOutputPage(HostManager* manager, wxWindow* pane)
{
    Notebook* output = manager ? manager->GetOutputBook() : nullptr;
    const int index = output && pane ? output->GetPageIndex(pane) : wxNOT_FOUND;
    if(index == wxNOT_FOUND) {
        return false;
    }
    output->SetSelection(static_cast<size_t>(index), false);
    return true;
}
} // namespace

PaneSet::PaneSet(TessrinPlugin& plugin) : m_plugin(plugin) {}

void PaneSet::StartShared()
{
    AlarmSound::Create(std::make_unique<SystemSoundPlayer>(pmStandardPaths::Get().GetBinFolder()));
}

void PaneSet::CreatePanes()
{
    HostManager* mgr = m_plugin.GetManager();
    Notebook* output = mgr ? mgr->GetOutputBook() : nullptr;
    Notebook* workspace = mgr ? mgr->GetWorkspaceBook() : nullptr;
    const bool hideStoreOrderPane = TessrinConfig(m_plugin.GetConfig()).IsHideStoreOrderPane();
    // Each pane is built here, before the tool bar: output panes as pages of
    // `output`, the quote boards for `workspace` (a page once their market
    // arrives), the store-order pane only unless hidden.
    RecordStore* db = m_plugin.GetDatabase();
    wxFrame* frame = mgr ? mgr->GetMainFrame() : nullptr;
    if(frame) {
        m_transcationPanel = new TranscationPanel(db, mgr, frame);
    }
    if(output) {
        m_userAccountPane = new UserAccountPane(db, output);
        m_holdDetailPane = new HoldDetailPane(db, mgr, output);
        m_positionPane = new PositionPane(db, mgr, output);
        m_closeBillPane = new CloseBillPane(db, mgr, output);
        m_limitOrderPane = new LimitOrderPane(db, mgr, output);
        m_inOutMoneyPane = new InOutMoneyPane(db, mgr, output);
        m_historyPane = new HistoryPane(db, mgr, output);
        m_noticeMessagePane = new NoticeMessagePane(db, mgr, output);
        if(!hideStoreOrderPane) {
            m_storeOrderPane = new StoreOrderPane(db, mgr, output);
        }
        m_riskCustomPanel = new RiskCustomPanel(db, mgr, output);
        m_deliveryOrderPane = new DeliveryOrderPane(db, mgr, output);
    }
    if(workspace) {
        m_binaryOptionSymbolPane = new SymbolPane(db, m_transcationPanel, mgr, workspace, '4');
        m_otcSymbolPane = new SymbolPane(db, m_transcationPanel, mgr, workspace, '1');
        // Every market type: the one board that reaches the '2' and '3' symbols.
        m_allSymbolPane = new SymbolPane(db, m_transcationPanel, mgr, workspace, 0);
        // Hidden until their market's first symbol makes them a page.
        m_binaryOptionSymbolPane->Hide();
        m_otcSymbolPane->Hide();
        m_allSymbolPane->Hide();
    }
    if(output) {
        // The output pages, in their order:
        output->AddPage(m_userAccountPane, _("Account"), false, wxNullBitmap);
        output->AddPage(m_holdDetailPane, _("Trade"), false, wxNullBitmap);
        output->AddPage(m_positionPane, _("Position"), false, wxNullBitmap);
        output->AddPage(m_closeBillPane, _("Close"), false, wxNullBitmap);
        output->AddPage(m_deliveryOrderPane, _("Delivery"), false, wxNullBitmap);
        output->AddPage(m_limitOrderPane, _("Limit "), false, wxNullBitmap);
        output->AddPage(m_inOutMoneyPane, _("Money "), false, wxNullBitmap);
        output->AddPage(m_historyPane, _("History "), false, wxNullBitmap);
        output->AddPage(m_noticeMessagePane, _("Notice "), false, wxNullBitmap);
        if(m_storeOrderPane) {
            output->AddPage(m_storeOrderPane, _("Store "), false, wxNullBitmap);
        }
        output->AddPage(m_riskCustomPanel, _("RiskCustom"), false, wxNullBitmap);
    }
}

void PaneSet::DockPanes()
{
    HostManager* mgr = m_plugin.GetManager();
    wxAuiManager* aui = mgr ? mgr->GetAuiManager() : nullptr;
    if(aui && m_transcationPanel) {
        aui->AddPane(m_transcationPanel, wxAuiPaneInfo()
                                             .Name(TranscationPanel::kPaneName)
                                             .Caption(_("QuickOrderPanel"))
                                             .BestSize(380, 257)
                                             .MaxSize(380, 257)
                                             .Left()
                                             .Layer(2)
                                             .Position(1)
                                             .Floatable(false)
                                             .Movable(false)
                                             .Fixed());
        aui->Update();
    }
}

void PaneSet::AddBinaryOptionPages()
{
    HostManager* mgr = m_plugin.GetManager();
    Notebook* output = mgr ? mgr->GetOutputBook() : nullptr;
    RecordStore* db = m_plugin.GetDatabase();
    if(m_minTradeOrderPane || !output || !db) {
        return;
    }
    m_minTradeOrderPane = new MinTradeOrderPane(db, mgr, output);
    output->AddPage(m_minTradeOrderPane, _("BinaryOp "), false, wxNullBitmap);
}

void PaneSet::AddBinaryOptionSymbolPage()
{
    AddSymbolPage(m_binaryOptionSymbolPane, _("BinaryOp"));
}

void PaneSet::AddOtcSymbolPage()
{
    HostManager* mgr = m_plugin.GetManager();
    Notebook* workspace = mgr ? mgr->GetWorkspaceBook() : nullptr;
    const int all = workspace && m_allSymbolPane ? workspace->GetPageIndex(m_allSymbolPane) : wxNOT_FOUND;
    if(all != wxNOT_FOUND && m_otcSymbolPane && workspace->GetPageIndex(m_otcSymbolPane) == wxNOT_FOUND) {
        // "All" stays after "OTC", whichever market arrived first.
        workspace->InsertPage(static_cast<size_t>(all), m_otcSymbolPane, _("OTC"), false, wxNullBitmap);
        return;
    }
    AddSymbolPage(m_otcSymbolPane, _("OTC"));
}

void PaneSet::AddAllSymbolPage()
{
    HostManager* mgr = m_plugin.GetManager();
    Notebook* workspace = mgr ? mgr->GetWorkspaceBook() : nullptr;
    if(!workspace || !m_allSymbolPane || workspace->GetPageIndex(m_allSymbolPane) != wxNOT_FOUND) {
        return;
    }
    const int otc = m_otcSymbolPane ? workspace->GetPageIndex(m_otcSymbolPane) : wxNOT_FOUND;
    if(otc == wxNOT_FOUND) {
        workspace->AddPage(m_allSymbolPane, _("All"), false, wxNullBitmap);
    } else {
        workspace->InsertPage(static_cast<size_t>(otc) + 1, m_allSymbolPane, _("All"), false, wxNullBitmap);
    }
}

void PaneSet::AddBinaryOptionHistoryPage()
{
    if(m_historyPane) {
        m_historyPane->AddBinaryOptionPage();
    }
}

void PaneSet::AddSymbolPage(SymbolPane* board, const wxString& label)
{
    HostManager* mgr = m_plugin.GetManager();
    Notebook* workspace = mgr ? mgr->GetWorkspaceBook() : nullptr;
    if(workspace && board && workspace->GetPageIndex(board) == wxNOT_FOUND) {
        workspace->AddPage(board, label, false, wxNullBitmap);
    }
}

void PaneSet::SetLoggedIn(bool loggedIn)
{
    for(SymbolPane* board : {m_binaryOptionSymbolPane, m_otcSymbolPane, m_allSymbolPane}) {
        if(board) {
            board->SetQuotesLive(loggedIn);
        }
    }
    if(m_transcationPanel) {
        m_transcationPanel->SetLoggedIn(loggedIn);
    }
    if(loggedIn) {
        return;
    }
    // What the panes keep beside the record tables: no page shows the next
    // user what the last one asked for or received.
    if(m_historyPane) {
        m_historyPane->ForgetLogin();
    }
    if(HistoryNoticeMgr* notices = HistoryNoticeMgr::Find()) {
        notices->ForgetLogin();
    }
    if(m_riskCustomPanel) {
        m_riskCustomPanel->ForgetLogin();
    }
}

void PaneSet::ShowNoticeTarget(const NoticeClick& click)
{
    HostManager* mgr = m_plugin.GetManager();
    switch(click.GetKind()) {
    case NoticeClick::eCloseTrade:
        if(SelectOutputPage(mgr, m_closeBillPane)) {
            m_closeBillPane->SelectCloseBill(click.GetKey());
        }
        break;
    case NoticeClick::eLimitCancel:
    case NoticeClick::eLimitSet:
        SelectOutputPage(mgr, m_limitOrderPane);
        break;
    case NoticeClick::eLimitTrade:
    case NoticeClick::eMarketTrade:
        if(SelectOutputPage(mgr, m_holdDetailPane)) {
            m_holdDetailPane->SelectHoldBill(click.GetKey());
        }
        break;
    case NoticeClick::eInOutNotify:
        SelectOutputPage(mgr, m_inOutMoneyPane);
        break;
    case NoticeClick::eMinOrderTrade:
        if(SelectOutputPage(mgr, m_minTradeOrderPane)) {
            m_minTradeOrderPane->SelectOrder(click.GetKey());
        }
        break;
    default:
        break;
    }
}

void PaneSet::RemovePanes()
{
    HostManager* mgr = m_plugin.GetManager();
    // Each pane is removed and destroyed here in its place of the shut-down
    // order, and its pointer cleared: account, hold details,
    RemoveNotebookPage(mgr, m_userAccountPane);
    m_userAccountPane = nullptr;
    RemoveNotebookPage(mgr, m_holdDetailPane);
    m_holdDetailPane = nullptr;
    // the quote boards ('1', every market, then '4'),
    RemoveNotebookPage(mgr, m_otcSymbolPane);
    m_otcSymbolPane = nullptr;
    RemoveNotebookPage(mgr, m_allSymbolPane);
    m_allSymbolPane = nullptr;
    RemoveNotebookPage(mgr, m_binaryOptionSymbolPane);
    m_binaryOptionSymbolPane = nullptr;
    // then these.
    RemoveNotebookPage(mgr, m_closeBillPane);
    m_closeBillPane = nullptr;
    RemoveNotebookPage(mgr, m_limitOrderPane);
    m_limitOrderPane = nullptr;
    RemoveNotebookPage(mgr, m_inOutMoneyPane);
    m_inOutMoneyPane = nullptr;
    // History, then the notices.
    RemoveNotebookPage(mgr, m_historyPane);
    m_historyPane = nullptr;
    RemoveNotebookPage(mgr, m_noticeMessagePane);
    m_noticeMessagePane = nullptr;
    RemoveNotebookPage(mgr, m_storeOrderPane);
    m_storeOrderPane = nullptr;
    RemoveNotebookPage(mgr, m_minTradeOrderPane);
    m_minTradeOrderPane = nullptr;
    RemoveNotebookPage(mgr, m_riskCustomPanel);
    m_riskCustomPanel = nullptr;
    RemoveNotebookPage(mgr, m_deliveryOrderPane);
    m_deliveryOrderPane = nullptr;
    RemoveNotebookPage(mgr, m_positionPane);
    m_positionPane = nullptr;
    if(m_transcationPanel) {
        // The docking manager lets go of the pane first: the host frame's
        // manager would otherwise reach a destroyed window.
        if(wxAuiManager* aui = mgr ? mgr->GetAuiManager() : nullptr) {
            aui->DetachPane(m_transcationPanel);
            aui->Update();
        }
        m_transcationPanel->Destroy();
        m_transcationPanel = nullptr;
    }
}

void PaneSet::ReleaseShared()
{
    HistoryNoticeMgr::Release();
    AlarmSound::Release();
}
