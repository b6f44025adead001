// The quote boards, the symbol information and the quick-trade panel on the
// logged-in test bed: rows and colours follow the market's prices, the
// board's commands open the order dialog, Up and Down make an order that
// survives a restart, and the panel's Buy becomes a hold bill at the market.
#include "RecordingOrderSender.h"
#include "SpinTyping.h"
#include "SymbolBoardFixture.h"
#include "TestBed.h"
#include "charts/ChartViewerPanel.h"
#include "common/Colours.h"
#include "common/SettingsAccessors.h"
#include "common/pmSymbolPaneConfig.h"
#include "connection/RequestNotify.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "orders/HandOrderDlg.h"
#include "orders/HangOrderPane.h"
#include "orders/OrderDialog.h"
#include "orders/SymbolOrders.h"
#include "panes/QuickOrderQuote.h"
#include "panes/SymbolInfoDlg.h"
#include "panes/SymbolModel.h"
#include "panes/SymbolPane.h"
#include "panes/TranscationPanel.h"

#include <gtest/gtest.h>
#include <pelmora/Archive.h>
#include <pelmora/ColoursAndFontsManager.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmColourButton.h>
#include <set>
#include <wx/aui/aui.h>
#include <wx/gbsizer.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

namespace {

std::vector<std::string> BoardCodes(const SymbolPane& board)
{
    std::vector<std::string> codes;
    for(const wxString& code : board.GetModel()->GetSymbolCodes()) {
        codes.push_back(code.ToStdString());
    }
    return codes;
}

std::vector<std::string> Published(char marketType)
{
    std::vector<std::string> codes;
    for(const wxString& code : g_symbolOrders[marketType]) {
        codes.push_back(code.ToStdString());
    }
    return codes;
}

// A child control of the panel: the button with that label, or the n-th
// price spin (stop-loss, take-profit).
wxWindow* PanelButton(wxWindow& panel, const wxString& label)
{
    for(wxWindow* child : panel.GetChildren()) {
        if(dynamic_cast<pmColourButton*>(child) && child->GetLabel() == label) {
            return child;
        }
    }
    return nullptr;
}

wxSpinCtrlDouble* PanelSpin(wxWindow& panel, int index)
{
    for(wxWindow* child : panel.GetChildren()) {
        if(auto* spin = dynamic_cast<wxSpinCtrlDouble*>(child); spin && index-- == 0) {
            return spin;
        }
    }
    return nullptr;
}

wxComboBox* PanelQuantity(wxWindow& panel)
{
    for(wxWindow* child : panel.GetChildren()) {
        if(auto* combo = dynamic_cast<wxComboBox*>(child)) {
            return combo;
        }
    }
    return nullptr;
}

void ClickButton(wxWindow* button)
{
    ASSERT_NE(button, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

int PageCount(Notebook& book, const wxString& label)
{
    int count = 0;
    for(size_t i = 0; i < book.GetPageCount(); ++i) {
        count += book.GetPageText(i) == label ? 1 : 0;
    }
    return count;
}

void CloseOrderDialogs()
{
    const std::vector<OrderDialog*> open = OrderDialog::GetOpenDialogs();
    for(OrderDialog* dialog : open) {
        dialog->Destroy();
    }
    PumpUntil([] { return OrderDialog::GetOpenDialogs().empty(); });
}

void DoubleClick(SymbolPane& board, unsigned int modelColumn)
{
    pmDataViewCtrl* list = board.GetList();
    wxDataViewEvent event(wxEVT_DATAVIEW_ITEM_ACTIVATED, list, list->GetColumnByModelColumn(modelColumn),
                          board.GetModel()->GetItem(0));
    list->ProcessWindowEvent(event);
}

std::set<std::string> HoldCodes(SimProcess& market)
{
    std::set<std::string> codes;
    const nlohmann::json state = market.State();
    for(const auto& hold : state["holds"]) {
        codes.insert(hold.value("code", std::string()));
    }
    return codes;
}

// The open price of the one hold whose code is not in `before`; -1 for none.
double NewHoldPrice(SimProcess& market, const std::set<std::string>& before)
{
    const nlohmann::json state = market.State();
    for(const auto& hold : state["holds"]) {
        if(!before.count(hold.value("code", std::string()))) {
            return hold.value("openPrice", 0.0);
        }
    }
    return -1.0;
}

// Counts the board's rebuilds; the board's own handler runs after it.
struct RebuildCounter
{
    explicit RebuildCounter(SymbolPane& board) : m_board(board)
    {
        m_board.Bind(wxEventTypeTag<wxCommandEvent>(SymbolPane::kRebuildEventType),
                     &RebuildCounter::OnRebuild, this);
    }
    ~RebuildCounter()
    {
        m_board.Unbind(wxEventTypeTag<wxCommandEvent>(SymbolPane::kRebuildEventType),
                       &RebuildCounter::OnRebuild, this);
    }
    void OnRebuild(wxCommandEvent& event)
    {
        ++count;
        event.Skip();
    }
    int count = 0;

private:
    SymbolPane& m_board;
};

} // namespace

TEST(QuoteBoardConfig, RoundTripsItsKeysAndReadsAnUnknownSortTypeAsNone)
{
    pmSymbolPaneConfig config;
    config.m_sortType = pmSymbolPaneConfig::eColumnSort;
    config.m_customSymbols.Add("PT");
    config.m_customSymbols.Add("AG");
    config.m_nSortColumn = 3;
    config.m_bSortAsc = true;
    Archive archive;
    config.Serialize(archive);
    const wxString text = archive.GetElement().format(false);
    EXPECT_LT(text.Find("\"m_sortType\""), text.Find("\"m_customSymbols\""));
    EXPECT_LT(text.Find("\"m_nSortColumn\""), text.Find("\"m_bSortAsc\""));
    pmSymbolPaneConfig read;
    read.DeSerialize(archive);
    EXPECT_EQ(read.m_sortType, pmSymbolPaneConfig::eColumnSort);
    EXPECT_EQ(read.m_customSymbols, config.m_customSymbols);
    EXPECT_EQ(read.m_nSortColumn, 3);
    EXPECT_TRUE(read.m_bSortAsc);

    for(int stored : {7, -1, 3}) {
        Archive odd;
        odd.Write("m_sortType", stored);
        pmSymbolPaneConfig fromOdd;
        fromOdd.DeSerialize(odd);
        EXPECT_EQ(fromOdd.m_sortType, pmSymbolPaneConfig::eNoSort) << stored;
    }
    EXPECT_EQ(pmSymbolPaneConfig::EntryName('1'), "SymbolPaneCfg.OTC");
    EXPECT_EQ(pmSymbolPaneConfig::EntryName('4'), "SymbolPaneCfg");
}

TEST(QuoteBoardOnTheTestBed, PricesColoursOrdersAndTheQuickTradePanel)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    TessrinPlugin& plugin = bed.Plugin();
    HostManager& host = bed.Host().Manager();
    Notebook& workspace = *host.GetWorkspaceBook();
    ASSERT_NE(plugin.GetOtcSymbolPane(), nullptr);
    SymbolPane& otc = *plugin.GetOtcSymbolPane();
    SymbolPane& binary = *plugin.GetBinaryOptionSymbolPane();

    // Each board is a page once its market arrived, and lists its symbols in
    // the server's order.
    EXPECT_EQ(PageCount(workspace, "OTC"), 1);
    EXPECT_EQ(PageCount(workspace, "BinaryOp"), 1);
    ASSERT_TRUE(PumpUntil([&] { return otc.GetModel()->GetCount() == 2; }));
    EXPECT_EQ(BoardCodes(otc), std::vector<std::string>({"AG", "PT"}));
    EXPECT_EQ(Published('1'), BoardCodes(otc));
    EXPECT_EQ(BoardCodes(binary), std::vector<std::string>({"EURUSD"}));
    EXPECT_TRUE(otc.GetList()->GetMenu()->IsEnabled(XRCID("new_order")));
    EXPECT_FALSE(binary.GetList()->GetMenu()->IsEnabled(XRCID("new_order")));

    // A price above the last one turns AG's prices to the up colour.
    const symbol_Info* ag = FindBoardSymbol(bed.Store(), 101);
    ASSERT_NE(ag, nullptr);
    ASSERT_TRUE(ag->GetSymbolProperty(&bed.Store()) &&
                ag->cachedSymbolProperty->GetSymbolPrice(&bed.Store()));
    const double last = ag->cachedSymbolProperty->cachedSymbolPrice->lastPrice;
    ASSERT_EQ(bed.Market().Post("/admin/price?symbol=101&price=" + std::to_string(last + 20)), 200);
    ASSERT_TRUE(PumpUntil([&] { return otc.GetModel()->GetRowAt(0)->m_mark == SymbolModel::eUp; }));
    for(unsigned int column : {SymbolModel::eBid, SymbolModel::eAsk, SymbolModel::eLast}) {
        wxDataViewItemAttr attr;
        otc.GetModel()->GetAttrByRow(0, column, attr);
        EXPECT_EQ(attr.GetColour(), Colours::BoardPriceText(true, ColoursAndFontsManager::Get().IsDark()))
            << column;
    }
    EXPECT_TRUE(PumpUntil([&] { return otc.GetModel()->GetHighlightCount() == 0; })); // the timer expires it

    // Double clicks: Ask buys, once; Bid sells; the name column opens no order.
    CloseOrderDialogs();
    DoubleClick(otc, SymbolModel::eAsk);
    DoubleClick(otc, SymbolModel::eAsk);
    ASSERT_EQ(OrderDialog::GetOpenDialogs().size(), 1u);
    EXPECT_EQ(OrderDialog::GetOpenDialogs()[0]->m_direction, 'b');
    EXPECT_EQ(OrderDialog::GetOpenDialogs()[0]->m_symbolId, 101);
    CloseOrderDialogs();
    struct Click
    {
        unsigned int column;
        char side; // 0: no order
    };
    for(const Click& click : {Click{SymbolModel::eBid, 's'}, Click{SymbolModel::eLast, 's'},
                              Click{SymbolModel::eSymbol, 0}, Click{SymbolModel::eTime, 0}}) {
        DoubleClick(otc, click.column);
        ASSERT_EQ(OrderDialog::GetOpenDialogs().size(), click.side ? 1u : 0u) << click.column;
        if(click.side) {
            EXPECT_EQ(OrderDialog::GetOpenDialogs()[0]->m_direction, click.side);
        }
        CloseOrderDialogs();
    }
    // With no chart in front (the login opened AG's: another page goes in
    // front), the host's sell tool reaches the OTC board.
    Notebook& centre = *host.GetCentreBook();
    centre.AddPage(new wxPanel(&centre), "other", true);
    ASSERT_EQ(plugin.GetChartSymbolInFront(), nullptr);
    otc.SelectRow(1);
    EXPECT_TRUE(bed.Host().SendMenuCommand("new_sell_order"));
    ASSERT_EQ(OrderDialog::GetOpenDialogs().size(), 1u);
    EXPECT_EQ(OrderDialog::GetOpenDialogs()[0]->m_symbolId, 102);
    EXPECT_EQ(OrderDialog::GetOpenDialogs()[0]->m_direction, 's');
    CloseOrderDialogs();

    // With AG's chart in front, the buy tool orders AG, not the board's PT.
    plugin.ShowChartWindow(*FindBoardSymbol(bed.Store(), 101), true);
    ASSERT_NE(plugin.GetChartSymbolInFront(), nullptr);
    ASSERT_EQ(plugin.GetChartSymbolInFront()->symbolId, 101);
    otc.SelectRow(1);
    ASSERT_EQ(otc.GetSelectedSymbol()->symbolId, 102);
    EXPECT_TRUE(bed.Host().SendMenuCommand("new_buy_order"));
    ASSERT_EQ(OrderDialog::GetOpenDialogs().size(), 1u);
    EXPECT_EQ(OrderDialog::GetOpenDialogs()[0]->m_symbolId, 101);
    EXPECT_EQ(OrderDialog::GetOpenDialogs()[0]->m_direction, 'b');
    CloseOrderDialogs();

    // "All", right after "OTC", lists every market of the user: the chart
    // of the aggregate CU comes with its depth of market, OIL's page is its
    // hang orders, and a hang order entered from the board lands there.
    ASSERT_NE(plugin.GetAllSymbolPane(), nullptr);
    SymbolPane& all = *plugin.GetAllSymbolPane();
    EXPECT_EQ(workspace.GetPageIndex(&all), workspace.GetPageIndex(&otc) + 1);
    EXPECT_EQ(workspace.GetPageText(static_cast<size_t>(workspace.GetPageIndex(&all))), "All");
    ASSERT_TRUE(PumpUntil([&] { return all.GetModel()->GetCount() == 5; }));
    EXPECT_EQ(BoardCodes(all), std::vector<std::string>({"AG", "PT", "CU", "OIL", "EURUSD"}));
    EXPECT_TRUE(all.GetList()->GetMenu()->IsEnabled(XRCID("new_order")));
    auto rowOf = [&](int symbolId) {
        for(unsigned int row = 0; row < all.GetModel()->GetCount(); ++row) {
            if(all.GetModel()->GetSymbolAt(row)->symbolId == symbolId) {
                return static_cast<int>(row);
            }
        }
        return -1;
    };
    auto command = [&](const char* name) {
        wxCommandEvent menu(wxEVT_MENU, XRCID(name));
        all.ProcessWindowEvent(menu);
    };
    all.SelectRow(rowOf(201));
    command("new_chart");
    ASSERT_NE(plugin.GetChartSymbolInFront(), nullptr);
    EXPECT_EQ(plugin.GetChartSymbolInFront()->symbolId, 201);
    EXPECT_NE(plugin.GetChartInFront()->GetPriceReportPane(), nullptr);
    all.SelectRow(rowOf(301));
    command("new_chart");
    auto* hang = dynamic_cast<HangOrderPane*>(centre.GetPage(static_cast<size_t>(centre.GetSelection())));
    ASSERT_NE(hang, nullptr);
    EXPECT_EQ(hang->GetCaption(), "OIL");
    const unsigned int hangRows = hang->GetModel()->GetCount();
    bed.Dialogs().Answer(
        [](wxDialog& dialog) {
            auto& entry = static_cast<HandOrderDlg&>(dialog);
            EXPECT_EQ(entry.GetMode(), 0);
            entry.CallAfter([&entry] {
                entry.GetTextCtrlPrice()->ChangeValue("73.25");
                entry.GetComboBoxQty()->ChangeValue("5");
                wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
                ok.SetEventObject(entry.GetButtonOK());
                entry.GetButtonOK()->GetEventHandler()->ProcessEvent(ok);
            });
            return wxID_NONE; // shown, filled and confirmed inside its loop
        },
        [](wxDialog& dialog) { return dynamic_cast<HandOrderDlg*>(&dialog) != nullptr; });
    command("new_order");
    EXPECT_EQ(bed.Dialogs().PendingScripts(), 0u);
    ASSERT_EQ(hang->GetModel()->GetCount(), hangRows + 1);
    EXPECT_DOUBLE_EQ(hang->GetModel()->GetRecordAt(hangRows)->priceOrder, 73.25);

    // The symbol information shows each value in its cell.
    {
        ASSERT_TRUE(ag->GetSymbolProperty(&bed.Store()));
        SymbolInfoDlg dialog(nullptr, wxID_ANY, "info");
        dialog.SetSymbol(*ag);
        auto* grid = dynamic_cast<wxGridBagSizer*>(dialog.GetSizer()->GetItem(size_t(0))->GetSizer());
        ASSERT_NE(grid, nullptr);
        auto cell = [&](int row, int column) {
            wxSizerItem* item = grid->FindItemAtPosition(wxGBPosition(row, column));
            auto* field = item ? dynamic_cast<wxTextCtrl*>(item->GetWindow()) : nullptr;
            return field ? field->GetValue() : wxString("<none>");
        };
        EXPECT_EQ(cell(0, 3), "AG");
        EXPECT_EQ(cell(1, 1), "15"); // contract unit
        EXPECT_EQ(cell(2, 1), "500");
        EXPECT_EQ(cell(2, 3), "50");
        EXPECT_EQ(cell(3, 1), wxString::Format("%d", ag->askSpreadPoints));
        EXPECT_EQ(cell(3, 3), wxString::Format("%d", ag->bidSpreadPoints));
        EXPECT_EQ(cell(4, 1), wxString::Format("%d", ag->stopLossPoints));
        EXPECT_EQ(cell(4, 3), wxString::Format("%d", ag->takeProfitPoints));
    }

    // The menu's "SymbolInfo" opens the dialog modally for the selection.
    otc.SelectRow(0);
    const std::size_t infoSeen = bed.Dialogs().CountSeen("SymbolInfoDlg");
    bed.Dialogs().AnswerWith(wxID_CANCEL,
                             [](wxDialog& dialog) { return dynamic_cast<SymbolInfoDlg*>(&dialog); });
    wxCommandEvent info(wxEVT_MENU, XRCID("show_symbolInfo"));
    otc.ProcessWindowEvent(info);
    EXPECT_EQ(bed.Dialogs().CountSeen("SymbolInfoDlg"), infoSeen + 1);

    // Ctrl and the wheel zoom the list's font; the wheel alone does not.
    const int points = otc.GetList()->GetFont().GetPointSize();
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = 120;
    otc.GetList()->ProcessWindowEvent(wheel);
    EXPECT_EQ(otc.GetList()->GetFont().GetPointSize(), points);
    wheel.m_controlDown = true;
    otc.GetList()->ProcessWindowEvent(wheel);
    EXPECT_GT(otc.GetList()->GetFont().GetPointSize(), points);
    wheel.m_wheelRotation = -120;
    otc.GetList()->ProcessWindowEvent(wheel);
    EXPECT_EQ(otc.GetList()->GetFont().GetPointSize(), points);

    // Up on the first row and Down on the last change nothing but switch to
    // the custom order; Up on PT puts it first.
    otc.GetConfig()->m_sortType = pmSymbolPaneConfig::eNoSort;
    otc.SelectRow(0);
    EXPECT_EQ(otc.MoveSelected(-1), 0);
    EXPECT_EQ(otc.GetConfig()->m_sortType, pmSymbolPaneConfig::eCustomSort);
    otc.GetConfig()->m_sortType = pmSymbolPaneConfig::eNoSort;
    otc.SelectRow(1);
    EXPECT_EQ(otc.MoveSelected(1), 1);
    EXPECT_EQ(otc.GetConfig()->m_sortType, pmSymbolPaneConfig::eCustomSort);
    EXPECT_EQ(BoardCodes(otc), std::vector<std::string>({"AG", "PT"}));
    EXPECT_EQ(otc.MoveSelected(-1), 0);
    EXPECT_EQ(BoardCodes(otc), std::vector<std::string>({"PT", "AG"}));
    EXPECT_EQ(Published('1'), BoardCodes(otc));
    // Restore without a selection shows the server's order, keeps the state.
    otc.GetList()->UnselectAll();
    otc.RestoreDefaultOrder();
    EXPECT_EQ(BoardCodes(otc), std::vector<std::string>({"AG", "PT"}));
    EXPECT_EQ(otc.GetConfig()->m_sortType, pmSymbolPaneConfig::eCustomSort);
    otc.SortRows();
    EXPECT_EQ(BoardCodes(otc), std::vector<std::string>({"PT", "AG"}));

    // 100 new symbols in one burst: one rebuild lists them all.
    {
        RebuildCounter rebuilds(otc);
        const int userId = ag->userId;
        for(int i = 0; i < 100; ++i) {
            BoardSymbol extra{5000 + i, "", "", '1', 1000 + i};
            const std::string code = "X" + std::to_string(i);
            extra.code = code.c_str();
            extra.name = code.c_str();
            extra.userId = userId;
            AddBoardSymbol(bed.Store(), extra);
        }
        ASSERT_TRUE(PumpUntil([&] { return otc.GetModel()->GetCount() == 102; }));
        PumpFor(std::chrono::milliseconds(300));
        EXPECT_EQ(rebuilds.count, 1);
        auto& symbols = *bed.Store().m_symbol_Info_table;
        for(int i = 0; i < 100; ++i) {
            symbols.Remove(symbols.GetIndexByPrimary().find(5000 + i));
        }
        EXPECT_EQ(otc.GetModel()->GetCount(), 2u);
    }

    // The panel takes the selected symbol; its Buy becomes a hold bill at the
    // caption's buy quote.
    TranscationPanel& panel = *plugin.GetTranscationPanel();
    otc.SelectRow(1); // AG, after PT
    wxDataViewEvent selected(wxEVT_DATAVIEW_SELECTION_CHANGED, otc.GetList(), nullptr,
                             otc.GetModel()->GetItem(1));
    otc.GetList()->ProcessWindowEvent(selected);
    ASSERT_EQ(panel.GetSymbolId(), 101);
    const wxString caption = panel.GetCaption();
    const wxString prefix = ag->cachedSymbolProperty->symbolName + " : ";
    ASSERT_TRUE(caption.StartsWith(prefix)) << caption;
    double buyQuote = 0.0;
    ASSERT_TRUE(caption.Mid(prefix.size()).BeforeFirst(' ').ToCDouble(&buyQuote)) << caption;
    const std::set<std::string> before = HoldCodes(bed.Market());
    panel.SendOrder('b');
    ASSERT_TRUE(panel.IsWaitting());
    panel.SendOrder('b'); // one click, one order
    ASSERT_TRUE(PumpUntil([&] { return !panel.IsWaitting(); }));
    EXPECT_EQ(HoldCodes(bed.Market()).size(), before.size() + 1);
    EXPECT_DOUBLE_EQ(NewHoldPrice(bed.Market(), before), buyQuote);
    EXPECT_FALSE(panel.IsMessageShown()) << panel.GetMessageText();

    // A double click on Buy, its first answer back before the second click
    // comes: one order. A click after the double-click time orders again.
    wxLongLong clickMs = 1000000;
    panel.SetClock([&] { return clickMs; });
    SetOrderPreConfirm(false);
    const int64_t clicksFrom = bed.Market().State()["requestsLastSeq"].get<int64_t>();
    nlohmann::json lastOrder;
    auto ordersSince = [&] {
        const nlohmann::json logged = nlohmann::json::parse(
            bed.Market().Get("/admin/state?logAfter=" + std::to_string(clicksFrom)), nullptr, false);
        int count = 0;
        for(const auto& request : logged.value("requests", nlohmann::json::array())) {
            if(request.value("request", std::string()) == "ReqSetOrder") {
                ++count;
                lastOrder = request["fields"];
            }
        }
        return count;
    };
    ClickButton(PanelButton(panel, "buy"));
    ASSERT_TRUE(PumpUntil([&] { return !panel.IsWaitting() && ordersSince() == 1; }));
    clickMs += 100;
    ClickButton(PanelButton(panel, "buy"));
    EXPECT_FALSE(panel.IsWaitting());
    EXPECT_EQ(ordersSince(), 1);
    clickMs += 5000;
    ClickButton(PanelButton(panel, "buy"));
    ASSERT_TRUE(PumpUntil([&] { return !panel.IsWaitting() && ordersSince() == 2; }));
    EXPECT_EQ(HoldCodes(bed.Market()).size(), before.size() + 3);

    // 11111 with client data, as the host sends it, shows the panel when the
    // setting is on.
    wxAuiManager& aui = *host.GetAuiManager();
    SetShowTranscationPanel(true);
    PumpFor(std::chrono::milliseconds(50));
    int data = 1;
    wxCommandEvent refresh(wxEVT_CMD_REFRESH_VIEWS);
    refresh.SetClientData(&data);
    EventNotifier::Get()->ProcessEvent(refresh);
    EXPECT_TRUE(aui.GetPane(TranscationPanel::kPaneName).IsShown());

    // Keys go to the field clicked: Down in the empty Stop Loss starts at a
    // buy's bound, a price typed into Take Profit stays; Buy keeps the focus.
    wxUIActionSimulator sim;
    auto click = [&](wxWindow* target) {
        const wxPoint at = target->GetScreenRect().GetLeftTop() + wxPoint(10, target->GetSize().y / 2);
        sim.MouseMove(at);
        EXPECT_TRUE(PumpUntil([&] { return wxGetMousePosition() == at; }));
        sim.MouseClick();
    };
    const double sellQuote = QuickOrderQuote(&bed.Store(), *ag).GetSellQuote();
    click(PanelSpin(panel, 0));
    sim.Char(WXK_DOWN);
    sim.Char(WXK_DOWN);
    click(PanelSpin(panel, 1));
    sim.Char('a', wxMOD_CONTROL);
    sim.Text("6000");
    clickMs += 5000;
    click(PanelButton(panel, "buy"));
    ASSERT_TRUE(PumpUntil([&] { return !panel.IsWaitting() && ordersSince() == 3; }));
    EXPECT_EQ(wxWindow::FindFocus(), PanelSpin(panel, 1));
    EXPECT_EQ(lastOrder["stopLoss"], sellQuote - 1);
    EXPECT_EQ(lastOrder["takeProfit"], 6000);
    EXPECT_EQ(lastOrder["quantity"], 1);
    EXPECT_EQ(PanelQuantity(panel)->GetValue(), "1");
    panel.SetSymbol(FindBoardSymbol(bed.Store(), 102)); // PT starts without AG's stops
    EXPECT_EQ(PanelSpin(panel, 1)->GetValue(), 0.0);

    // Binary options in front hide the panel, which does not trade them; the
    // trader's setting stays, and the panel is back once they are not.
    const int otcPage = workspace.GetSelection();
    workspace.SetSelection(static_cast<size_t>(workspace.GetPageIndex(&binary)));
    EXPECT_TRUE(PumpUntil([&] { return !aui.GetPane(TranscationPanel::kPaneName).IsShown(); }));
    EXPECT_TRUE(IsShowTranscationPanel());
    workspace.SetSelection(static_cast<size_t>(otcPage));
    EXPECT_TRUE(PumpUntil([&] { return aui.GetPane(TranscationPanel::kPaneName).IsShown(); }));
    // So does a binary option's chart in front.
    bed.Plugin().ShowChartWindow(*FindBoardSymbol(bed.Store(), 401), true);
    EXPECT_TRUE(PumpUntil([&] { return !aui.GetPane(TranscationPanel::kPaneName).IsShown(); }));
    EXPECT_TRUE(IsShowTranscationPanel());

    // "QuickBtnColours" of other than three items gives the default colours;
    // an empty one leaves the buttons' own.
    struct ColourCase
    {
        const char* setting;
        wxColour buy;
    };
    auto* probe = new pmColourButton(&panel, wxID_ANY, "own");
    const wxColour own = probe->GetBackgroundColour();
    probe->Destroy();
    for(const ColourCase& c :
        {ColourCase{"#000000,#FFFFFF", wxColour("#FF8040")},
         ColourCase{"#102030,#405060,#708090", wxColour("#102030")}, ColourCase{"", own}}) {
        bed.SetConfigValue("QuickBtnColours", c.setting);
        auto* fresh = new TranscationPanel(&bed.Store(), nullptr, host.GetMainFrame());
        pmColourButton* buy = nullptr;
        for(wxWindow* child : fresh->GetChildren()) {
            auto* button = dynamic_cast<pmColourButton*>(child);
            if(button && button->GetLabel() == "buy") {
                buy = button;
            }
        }
        ASSERT_NE(buy, nullptr);
        EXPECT_EQ(buy->GetBackgroundColour(), c.buy) << c.setting;
        fresh->Destroy();
    }

    // Logged out, the caption shows no prices and Buy says why nothing goes.
    bed.Logout();
    EXPECT_EQ(panel.GetCaption(), "QuickOrderPanel");
    panel.SendOrder('b');
    EXPECT_TRUE(panel.GetMessageText().EndsWith("]Not logged in")) << panel.GetMessageText();

    // Unloading takes the panel out of the docking manager.
    bed.Host().UnloadPlugin();
    EXPECT_FALSE(aui.GetPane(TranscationPanel::kPaneName).IsOk());

    // The custom order survives a restart.
    ASSERT_TRUE(bed.Restart());
    SymbolPane& again = *bed.Plugin().GetOtcSymbolPane();
    ASSERT_TRUE(PumpUntil([&] { return again.GetModel()->GetCount() == 2; }));
    EXPECT_EQ(BoardCodes(again), std::vector<std::string>({"PT", "AG"}));
}

TEST(QuickTradePanel, AdoptsAQuotedSymbolWaitsForItsOwnAnswerAndSendsOneOrderAtATime)
{
    RecordStore store;
    store.CreateTables();
    user_LoginInfo login;
    login.userId = 1001;
    ASSERT_TRUE(store.m_user_LoginInfo_table->Insert(login).second);
    AddBoardSymbol(store, {401, "EURUSD", "Euro", '4', 1, 5, 1.08345});
    AddBoardSymbol(store, {101, "AG", "Silver", '1', 2, 0, 5000, 2, 2});
    // Room for 40 at 100 a unit, of at most 30 an order: the bound is 30.
    user_Account account;
    account.accountKey = 11;
    account.currency = "CNY";
    account.netValue = 4000;
    ASSERT_TRUE(store.m_user_Account_table->Insert(account).second);
    ASSERT_TRUE(store.m_sys_CurrencyExchangeRate_table->Insert({"CNY", "CNY", 1.0}).second);
    auto& silver =
        const_cast<symbol_Property&>(*store.m_symbol_Property_table->GetIndexByPrimary().find(101));
    silver.currency = "CNY";
    silver.maxOrderQuantity = silver.maxHoldQuantity = 30;
    store.m_symbol_Info_table->Modify(101, [](symbol_Info& info) {
        info.marginType = '1';
        info.buyMarginList = info.sellMarginList = wxArrayString(1, "100");
    });
    auto* frame = new wxFrame(nullptr, wxID_ANY, "panel");
    auto* panel = new TranscationPanel(&store, nullptr, frame);
    panel->SetLoggedIn(true);
    auto sender = std::make_unique<RecordingOrderSender>();
    sender->nextId = 41;
    RecordingOrderSender& senderRef = *sender;
    const std::vector<sFFixSetOrder>& sent = senderRef.setOrders;
    panel->SetSender(std::move(sender));
    wxDateTime now(1, wxDateTime::Mar, 2026, 10, 0, 0);
    RequestNotify registry([&] { return now; });
    panel->SetRequestNotify(&registry);
    std::vector<wxString> boxes;
    panel->GetMessageLine().SetBoxFunction(
        [&](const wxString& message, const wxString&) { boxes.push_back(message); });

    // Without a symbol Buy only says so.
    panel->SendOrder('b');
    EXPECT_TRUE(sent.empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes.back().Contains("please select a symbol!")) << boxes.back();

    // A binary option's quote is never adopted; the first other one is, and
    // a quote of another symbol leaves the caption alone.
    MoveLast(store, 401, 1.08400);
    EXPECT_EQ(panel->GetSymbolId(), -1);
    MoveLast(store, 101, 5010);
    EXPECT_EQ(panel->GetSymbolId(), 101);
    EXPECT_EQ(panel->GetCaption(), "Silver : 5012 / 5008");
    MoveLast(store, 401, 1.08500);
    EXPECT_EQ(panel->GetCaption(), "Silver : 5012 / 5008");

    panel->SendOrder('b');
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].price, 5012.0);
    EXPECT_TRUE(panel->IsWaitting());
    EXPECT_EQ(panel->GetRequestId(), 41);
    panel->SendOrder('s'); // while waiting: nothing
    EXPECT_EQ(sent.size(), 1u);

    // Another id's answer keeps the wait; the time-out ends it.
    registry.WaitResponse(99, panel, 10000);
    registry.NotifyResponse(99, 5, "other");
    EXPECT_TRUE(panel->IsWaitting());
    now += wxTimeSpan::Seconds(11);
    registry.CheckTimeOut(now);
    EXPECT_FALSE(panel->IsWaitting());
    EXPECT_EQ(panel->GetRequestId(), -1);
    EXPECT_TRUE(boxes.back().Contains("No answer yet: the order may still be carried out")) << boxes.back();
    panel->SendOrder('s'); // its fate unknown: nothing more goes until the late answer tells it
    EXPECT_EQ(sent.size(), 1u);
    registry.NotifyResponse(41, 0, "");
    PumpEvents();
    EXPECT_TRUE(boxes.back().EndsWith("had no answer was carried out[0]")) << boxes.back();

    // A server error shows its text and code; the next order may go.
    panel->SendOrder('s');
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].price, 5008.0);
    registry.NotifyResponse(42, 7, "no money");
    EXPECT_FALSE(panel->IsWaitting());
    EXPECT_TRUE(boxes.back().EndsWith("no money[7]")) << boxes.back();

    // Typed numbers as typed: 0 sends nothing and says nothing, more than
    // the order dialog allows is refused with its bound, a stop-loss below
    // 0 is no "no stop".
    const std::size_t boxesBefore = boxes.size();
    PanelQuantity(*panel)->ChangeValue("0");
    panel->SendOrder('b');
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_EQ(boxes.size(), boxesBefore);
    PanelQuantity(*panel)->ChangeValue("31");
    panel->SendOrder('b');
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_TRUE(boxes.back().Contains("Quantity Error! (1~30)")) << boxes.back();
    PanelQuantity(*panel)->ChangeValue("1");
    TypeIntoSpin(PanelSpin(*panel, 0), "-5");
    EXPECT_EQ(PanelSpin(*panel, 0)->GetValue(), -5);
    panel->SendOrder('b');
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_TRUE(boxes.back().Contains("Stop Loss Price Invalid")) << boxes.back();
    TypeIntoSpin(PanelSpin(*panel, 0), "0");

    // A stale quote says so in the caption and prices no order.
    ASSERT_TRUE(store.m_symbol_price_table->Modify(101, [](symbol_price& price) { price.live = false; }));
    EXPECT_TRUE(panel->GetCaption().EndsWith(" (stale)")) << panel->GetCaption();
    panel->SendOrder('b');
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_TRUE(boxes.back().Contains("Price not live")) << boxes.back();

    // A symbol dropped by a later query: the limit button finds it gone.
    store.m_symbol_Info_table->Remove(store.m_symbol_Info_table->GetIndexByPrimary().find(101));
    ClickButton(PanelButton(*panel, "limitPrice"));
    EXPECT_TRUE(OrderDialog::GetOpenDialogs().empty());
    EXPECT_TRUE(boxes.back().Contains("please select a symbol!")) << boxes.back();

    panel->SetRequestNotify(nullptr); // the registry goes before the window
    frame->Destroy();
    PumpEvents();
}
