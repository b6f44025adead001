// The panes the plug-in builds in the host's notebooks and docking manager,
// the quote boards' workspace pages, and their removal at shut-down.
#include "common/TessrinConfig.h"
#include "frame/RemoveNotebookPage.h"
#include "frame/TessrinPlugin.h"
#include "funds/StoreOrderPane.h"
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
#include "risk/RiskCustomPanel.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <wx/aui/aui.h>
#include <wx/frame.h>
#include <wx/intl.h>

void TessrinPlugin::CreatePanes()
{
    Notebook* output = m_mgr ? m_mgr->GetOutputBook() : nullptr;
    Notebook* workspace = m_mgr ? m_mgr->GetWorkspaceBook() : nullptr;
    const bool hideStoreOrderPane = TessrinConfig(m_config.get()).IsHideStoreOrderPane();
    // Each pane is built here, before the tool bar: output panes as pages of
    // `output`, the quote boards for `workspace` (a page once their market
    // arrives), the store-order pane only unless hidden.
    RecordStore* db = m_db.get();
    wxFrame* frame = m_mgr ? m_mgr->GetMainFrame() : nullptr;
    if(frame) {
        m_transcationPanel = new TranscationPanel(db, m_mgr, frame);
    }
    if(output) {
        m_userAccountPane = new UserAccountPane(db, output);
        m_holdDetailPane = new HoldDetailPane(db, m_mgr, output);
        m_positionPane = new PositionPane(db, m_mgr, output);
        m_closeBillPane = new CloseBillPane(db, m_mgr, output);
        m_limitOrderPane = new LimitOrderPane(db, m_mgr, output);
        m_inOutMoneyPane = new InOutMoneyPane(db, m_mgr, output);
        m_historyPane = new HistoryPane(db, m_mgr, output);
        m_noticeMessagePane = new NoticeMessagePane(db, m_mgr, output);
        if(!hideStoreOrderPane) {
            m_storeOrderPane = new StoreOrderPane(db, m_mgr, output);
        }
        m_riskCustomPanel = new RiskCustomPanel(db, m_mgr, output);
        m_deliveryOrderPane = new DeliveryOrderPane(db, m_mgr, output);
    }
    if(workspace) {
        m_binaryOptionSymbolPane = new SymbolPane(db, m_transcationPanel, m_mgr, workspace, '4');
        m_otcSymbolPane = new SymbolPane(db, m_transcationPanel, m_mgr, workspace, '1');
        // Every market type: the one board that reaches the '2' and '3' symbols.
        m_allSymbolPane = new SymbolPane(db, m_transcationPanel, m_mgr, workspace, 0);
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

    BuildToolBar(frame);
    ShowQuickOrderButton();
    wxAuiManager* aui = m_mgr ? m_mgr->GetAuiManager() : nullptr;
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
    if(output) {
        output->DisableTopBottomDrag();
    }
}

void TessrinPlugin::AddBinaryOptionPages()
{
    Notebook* output = m_mgr ? m_mgr->GetOutputBook() : nullptr;
    if(m_minTradeOrderPane || !output || !m_db) {
        return;
    }
    m_minTradeOrderPane = new MinTradeOrderPane(m_db.get(), m_mgr, output);
    output->AddPage(m_minTradeOrderPane, _("BinaryOp "), false, wxNullBitmap);
}

void TessrinPlugin::AddBinaryOptionSymbolPage()
{
    AddSymbolPage(m_binaryOptionSymbolPane, _("BinaryOp"));
}

void TessrinPlugin::AddOtcSymbolPage()
{
    Notebook* workspace = m_mgr ? m_mgr->GetWorkspaceBook() : nullptr;
    const int all = workspace && m_allSymbolPane ? workspace->GetPageIndex(m_allSymbolPane) : wxNOT_FOUND;
    if(all != wxNOT_FOUND && m_otcSymbolPane && workspace->GetPageIndex(m_otcSymbolPane) == wxNOT_FOUND) {
        // "All" stays after "OTC", whichever market arrived first.
        workspace->InsertPage(static_cast<size_t>(all), m_otcSymbolPane, _("OTC"), false, wxNullBitmap);
        return;
    }
    AddSymbolPage(m_otcSymbolPane, _("OTC"));
}

void TessrinPlugin::AddAllSymbolPage()
{
    Notebook* workspace = m_mgr ? m_mgr->GetWorkspaceBook() : nullptr;
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

void TessrinPlugin::AddSymbolPage(SymbolPane* board, const wxString& label)
{
    Notebook* workspace = m_mgr ? m_mgr->GetWorkspaceBook() : nullptr;
    if(workspace && board && workspace->GetPageIndex(board) == wxNOT_FOUND) {
        workspace->AddPage(board, label, false, wxNullBitmap);
    }
}

void TessrinPlugin::RemovePanes()
{
    // Each pane is removed and destroyed here in its place of the shut-down
    // order, and its pointer cleared: account, hold details,
    RemoveNotebookPage(m_mgr, m_userAccountPane);
    m_userAccountPane = nullptr;
    RemoveNotebookPage(m_mgr, m_holdDetailPane);
    m_holdDetailPane = nullptr;
    // the quote boards ('1', every market, then '4'),
    RemoveNotebookPage(m_mgr, m_otcSymbolPane);
    m_otcSymbolPane = nullptr;
    RemoveNotebookPage(m_mgr, m_allSymbolPane);
    m_allSymbolPane = nullptr;
    RemoveNotebookPage(m_mgr, m_binaryOptionSymbolPane);
    m_binaryOptionSymbolPane = nullptr;
    // then these.
    RemoveNotebookPage(m_mgr, m_closeBillPane);
    m_closeBillPane = nullptr;
    RemoveNotebookPage(m_mgr, m_limitOrderPane);
    m_limitOrderPane = nullptr;
    RemoveNotebookPage(m_mgr, m_inOutMoneyPane);
    m_inOutMoneyPane = nullptr;
    // History, then the notices.
    RemoveNotebookPage(m_mgr, m_historyPane);
    m_historyPane = nullptr;
    RemoveNotebookPage(m_mgr, m_noticeMessagePane);
    m_noticeMessagePane = nullptr;
    RemoveNotebookPage(m_mgr, m_storeOrderPane);
    m_storeOrderPane = nullptr;
    RemoveNotebookPage(m_mgr, m_minTradeOrderPane);
    m_minTradeOrderPane = nullptr;
    RemoveNotebookPage(m_mgr, m_riskCustomPanel);
    m_riskCustomPanel = nullptr;
    RemoveNotebookPage(m_mgr, m_deliveryOrderPane);
    m_deliveryOrderPane = nullptr;
    RemoveNotebookPage(m_mgr, m_positionPane);
    m_positionPane = nullptr;
    if(m_transcationPanel) {
        // The docking manager lets go of the pane first: the host frame's
        // manager would otherwise reach a destroyed window.
        if(wxAuiManager* aui = m_mgr ? m_mgr->GetAuiManager() : nullptr) {
            aui->DetachPane(m_transcationPanel);
            aui->Update();
        }
        m_transcationPanel->Destroy();
        m_transcationPanel = nullptr;
    }
}
