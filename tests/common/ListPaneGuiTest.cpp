// The list-pane pattern on the display: a test-only pane over the hold bills
// in a host notebook, its menus, links and stored layout, and taking panes
// off the host's notebooks.
#include "../frame/FakeHost.h"
#include "../panes/NotebookHost.h"
#include "EventPump.h"
#include "HoldBillTestPane.h"
#include "WrongTypeLog.h"
#include "app/PluginExports.h"
#include "frame/RemoveNotebookPage.h"
#include "frame/TessrinPlugin.h"

#include <gtest/gtest.h>
#include <pelmora/Notebook.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>
#include <wx/xrc/xmlres.h>

extern "C" {
typedef struct _GtkMenu GtkMenu;
void gtk_menu_popdown(GtkMenu* menu);
}

namespace {

trade_HoldBill Bill(const char* code, double quantity = 2)
{
    trade_HoldBill bill;
    bill.orderCode = code;
    bill.symbolId = 101;
    bill.quantity = quantity;
    bill.accountKey = 11;
    bill.side = 'b';
    return bill;
}

class ListPaneTest : public ::testing::Test
{
protected:
    ListPaneTest() { m_db.CreateTables(); }
    ~ListPaneTest() override
    {
        // The panes go before the store, as at unload.
        for(size_t i = m_host.GetOutputBook()->GetPageCount(); i-- > 0;) {
            m_host.GetOutputBook()->DeletePage(i);
        }
    }

    HoldBillTestPane* AddPane(const wxString& label = "Bills")
    {
        auto* pane = new HoldBillTestPane(&m_db, &m_host, m_host.GetOutputBook());
        m_host.GetOutputBook()->AddPage(pane, label, true);
        m_host.GetOutputBook()->Layout();
        return pane;
    }

    // Waits until every row of the pane is laid out in every shown column.
    static bool Painted(HoldBillTestPane* pane)
    {
        pmDataViewCtrl* list = pane->GetList();
        list->Refresh();
        return PumpUntil([&] {
            const unsigned int count = pane->GetModel()->GetCount();
            for(unsigned int pos = 0; count > 0 && pos < list->GetColumnCount(); ++pos) {
                wxDataViewColumn* column = list->GetColumn(pos);
                if(!column->IsHidden() &&
                   list->GetItemRect(pane->GetModel()->GetItem(count - 1), column).width <= 0) {
                    return false;
                }
            }
            return count > 0;
        });
    }

    trade_HoldBillFactory& Bills() { return *m_db.m_trade_HoldBill_table; }

    NotebookHost m_host;
    RecordStore m_db;
};

// Counts a notebook's page-changing and page-changed events while it lives.
class PageEventCounter
{
public:
    explicit PageEventCounter(Notebook* book) : m_book(book)
    {
        m_book->Bind(wxEVT_AUINOTEBOOK_PAGE_CHANGING, &PageEventCounter::OnPage, this);
        m_book->Bind(wxEVT_AUINOTEBOOK_PAGE_CHANGED, &PageEventCounter::OnPage, this);
    }
    ~PageEventCounter()
    {
        m_book->Unbind(wxEVT_AUINOTEBOOK_PAGE_CHANGING, &PageEventCounter::OnPage, this);
        m_book->Unbind(wxEVT_AUINOTEBOOK_PAGE_CHANGED, &PageEventCounter::OnPage, this);
    }
    int count = 0;

private:
    void OnPage(wxAuiNotebookEvent& event)
    {
        ++count;
        event.Skip();
    }
    Notebook* m_book;
};

// Closes every popup menu of the window at once, after an action on it.
class MenuWatcher
{
public:
    MenuWatcher(wxWindow* window, std::function<void(wxMenu&)> action) : m_window(window), m_action(action)
    {
        m_window->Bind(wxEVT_MENU_OPEN, &MenuWatcher::OnOpen, this);
    }
    ~MenuWatcher() { m_window->Unbind(wxEVT_MENU_OPEN, &MenuWatcher::OnOpen, this); }
    int opened = 0;

private:
    void OnOpen(wxMenuEvent& event)
    {
        if(wxMenu* menu = event.GetMenu()) {
            ++opened;
            m_action(*menu);
            gtk_menu_popdown(reinterpret_cast<GtkMenu*>(menu->m_menu));
        }
    }
    wxWindow* m_window;
    std::function<void(wxMenu&)> m_action;
};

} // namespace

TEST_F(ListPaneTest, ColumnsFollowTheModelColumnsAndEveryCellDrawsWithoutAWrongTypeDiagnostic)
{
    WrongTypeLog log;
    Bills().Insert(Bill("H0001", 12));
    Bills().Insert(Bill("H0002", 0));
    HoldBillTestPane* pane = AddPane();
    Bills().Insert(Bill("H0003"));
    ASSERT_TRUE(Painted(pane));
    pmDataViewCtrl* list = pane->GetList();
    ASSERT_EQ(list->GetColumnCount(), static_cast<unsigned int>(eBillColumns));
    for(unsigned int pos = 0; pos < list->GetColumnCount(); ++pos) {
        EXPECT_EQ(list->GetColumn(pos)->GetModelColumn(), pos);
        EXPECT_TRUE(list->GetColumn(pos)->IsResizeable()) << pos;
    }
    EXPECT_EQ(list->GetColumnByModelColumn(eBillCode)->GetMinWidth(), 100);
    EXPECT_TRUE(list->GetColumnByModelColumn(eBillSide)->IsHidden()); // optional, hidden by default
    EXPECT_EQ(pane->GetModel()->GetCount(), 3u);
    EXPECT_EQ(log.wrongTypes, 0);
    EXPECT_EQ(pane->GetImages()->GetImageCount(), 2);
    EXPECT_EQ(pane->GetConfigName(), "HoldBillTestPane");
}

TEST_F(ListPaneTest, MenuCommandsActOnTheOneSelectedRecordOnly)
{
    for(const char* code : {"H0001", "H0002", "H0003"}) {
        Bills().Insert(Bill(code));
    }
    HoldBillTestPane* pane = AddPane();
    pmDataViewCtrl* list = pane->GetList();
    wxMenu* menu = list->GetMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->GetMenuItemCount(), 3u);
    EXPECT_EQ(menu->FindItemByPosition(0)->GetId(), XRCID("close_order"));
    EXPECT_TRUE(menu->FindItemByPosition(0)->GetBitmap().IsOk());
    EXPECT_TRUE(menu->FindItemByPosition(1)->IsSeparator());
    EXPECT_EQ(menu->FindItemByPosition(2)->GetItemLabelText(), "New Order");

    int hooked = 0;
    bool noMenu = false;
    list->HookPopupMenu([&](wxDataViewEvent&) {
        ++hooked;
        return noMenu;
    });
    MenuWatcher watcher(list, [](wxMenu& shown) { shown.SendEvent(XRCID("close_order")); });
    auto rightClick = [&](std::initializer_list<unsigned int> rows) {
        wxDataViewItemArray selection;
        for(unsigned int row : rows) {
            selection.push_back(pane->GetModel()->GetItem(row));
        }
        list->SetSelections(selection);
        wxDataViewEvent event(wxEVT_DATAVIEW_ITEM_CONTEXT_MENU, list,
                              selection.empty() ? wxDataViewItem() : selection[0]);
        list->ProcessWindowEvent(event);
    };
    rightClick({1});
    rightClick({});
    rightClick({0, 2});
    EXPECT_EQ(watcher.opened, 3);
    EXPECT_EQ(pane->closed, std::vector<wxString>{"H0002"});

    noMenu = true; // the hook says no menu
    rightClick({0});
    EXPECT_EQ(hooked, 4);
    EXPECT_EQ(watcher.opened, 3);
    EXPECT_EQ(pane->closed.size(), 1u);

    EXPECT_TRUE(pane->SelectRecord("H0003", &trade_HoldBill::orderCode));
    EXPECT_EQ(pane->GetSelectedRecord()->orderCode, "H0003");
    EXPECT_FALSE(pane->SelectRecord("h0001", &trade_HoldBill::orderCode)); // case counts
    EXPECT_EQ(pane->GetSelectedRecord()->orderCode, "H0003");
}

TEST_F(ListPaneTest, AClickOnTheSecondLinkReachesThePaneWithItemModelColumnAndLinkIndex)
{
    Bills().Insert(Bill("H0001"));
    Bills().Insert(Bill("H0002"));
    HoldBillTestPane* pane = AddPane();
    ASSERT_TRUE(Painted(pane));
    pmDataViewCtrl* list = pane->GetList();
    const wxDataViewItem item = pane->GetModel()->GetItem(1);
    wxDataViewColumn* column = list->GetColumnByModelColumn(eBillLinks);
    const wxRect cell = list->GetItemRect(item, column);
    wxVariant value;
    pane->GetModel()->GetValueByRow(value, 1, eBillLinks);
    const std::vector<wxRect> links =
        static_cast<pmDataViewHyperlinkRenderer*>(column->GetRenderer())->LayoutTexts(value, cell);
    ASSERT_EQ(links.size(), 2u);
    const wxPoint at =
        list->ClientToScreen(wxPoint(links[1].x + links[1].width / 2, cell.y + cell.height / 2));
    wxUIActionSimulator sim;
    sim.MouseMove(at);
    ASSERT_TRUE(PumpUntil([&] { return wxGetMousePosition() == at; }));
    sim.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return !pane->linkClicks.empty(); }));
    ASSERT_EQ(pane->linkClicks.size(), 1u);
    const wxDataViewEvent& click = pane->linkClicks[0];
    EXPECT_EQ(click.GetEventType(), 17783);
    EXPECT_EQ(click.GetItem(), item);
    EXPECT_EQ(click.GetColumn(), static_cast<int>(eBillLinks));
    EXPECT_EQ(click.GetInt(), 1);
}

TEST_F(ListPaneTest, WidthsPositionsAndShownColumnsSurviveDestroyingAndRebuildingThePane)
{
    Bills().Insert(Bill("H0001"));
    HoldBillTestPane* pane = AddPane();
    pmDataViewCtrl* list = pane->GetList();
    // The user widens "Code", moves "Quantity" to the front and shows "Side".
    list->GetColumnByModelColumn(eBillCode)->SetWidth(140);
    std::vector<pmDataViewCtrlConfig::Column> layout = list->GetLayout();
    std::rotate(layout.begin(), layout.begin() + eBillQuantity, layout.begin() + eBillQuantity + 1);
    for(size_t i = 0; i < layout.size(); ++i) {
        layout[i].position = static_cast<int>(i);
    }
    pane->GetColumnConfig()->SetColumns(layout);
    list->SetConfig(pane->GetColumnConfig());
    EXPECT_TRUE(list->ShowDynColumn("m_bShowSide", true));
    const std::vector<unsigned int> order = {eBillQuantity, eBillRow,  eBillCode,   eBillSymbol,
                                             eBillLinks,    eBillSide, eBillAccount};
    auto displayOrder = [](pmDataViewCtrl* ctrl) {
        std::vector<unsigned int> models;
        for(unsigned int pos = 0; pos < ctrl->GetColumnCount(); ++pos) {
            models.push_back(ctrl->GetColumn(pos)->GetModelColumn());
        }
        return models;
    };
    ASSERT_EQ(displayOrder(list), order);

    RemoveNotebookPage(&m_host, pane);
    HoldBillTestPane* rebuilt = AddPane();
    pmDataViewCtrl* again = rebuilt->GetList();
    EXPECT_EQ(displayOrder(again), order);
    EXPECT_FALSE(again->GetColumnByModelColumn(eBillSide)->IsHidden());
    const std::vector<pmDataViewCtrlConfig::Column> restored = again->GetLayout();
    EXPECT_EQ(restored[2].width, 140); // "Code"
    EXPECT_EQ(restored[0].width, -2);  // "Quantity" still sizes itself
    EXPECT_EQ(restored[1].width, 45);  // the row number
    EXPECT_EQ(rebuilt->GetModel()->GetCount(), 1u);
}

TEST_F(ListPaneTest, RemovingAPageSelectsThePageBeforeWithoutEventsAndDestroysThePane)
{
    Notebook* output = m_host.GetOutputBook();
    Notebook* workspace = m_host.GetWorkspaceBook();
    output->AddPage(new wxPanel(output), "First", false);
    wxWeakRef<HoldBillTestPane> pane = AddPane("Bills");
    output->AddPage(new wxPanel(output), "Third", false);
    output->SetSelection(1, false);
    PageEventCounter pageEvents(output);

    RemoveNotebookPage(&m_host, nullptr); // nothing
    EXPECT_EQ(output->GetPageCount(), 3u);

    RemoveNotebookPage(&m_host, pane.get());
    EXPECT_EQ(pane.get(), nullptr); // destroyed
    ASSERT_EQ(output->GetPageCount(), 2u);
    EXPECT_EQ(output->GetSelection(), 0);
    EXPECT_EQ(output->GetPageText(1), "Third");
    EXPECT_EQ(pageEvents.count, 0);
    // The pane saved its layout on its way out.
    pmDataViewCtrlConfig saved;
    EXPECT_TRUE(EditorConfigST::Get()->LoadObject(HoldBillTestPane::kConfigName, &saved));
    EXPECT_EQ(saved.GetColumns().size(), static_cast<size_t>(eBillColumns));
    // Its model no longer observes the table.
    Bills().Insert(Bill("H0009"));

    // First page of the workspace notebook: page 1 is selected.
    wxWeakRef<HoldBillTestPane> first = new HoldBillTestPane(&m_db, &m_host, workspace);
    workspace->AddPage(first.get(), "Bills", true);
    workspace->AddPage(new wxPanel(workspace), "Other", false);
    RemoveNotebookPage(&m_host, first.get());
    EXPECT_EQ(first.get(), nullptr);
    ASSERT_EQ(workspace->GetPageCount(), 1u);
    EXPECT_EQ(workspace->GetPageText(0), "Other");
    EXPECT_EQ(workspace->GetSelection(), 0);

    // A pane on no notebook is destroyed all the same.
    wxWeakRef<wxPanel> loose = new wxPanel(m_host.GetMainFrame());
    RemoveNotebookPage(&m_host, loose.get());
    EXPECT_EQ(loose.get(), nullptr);
}

TEST_F(ListPaneTest, APluginUnloadedOrDestroyedWithoutUnPlugLeavesTheHostsOtherPages)
{
    m_host.GetOutputBook()->AddPage(new wxPanel(m_host.GetOutputBook()), "Host page", false);
    for(bool unplug : {true, false}) {
        auto* plugin = static_cast<TessrinPlugin*>(CreatePlugin(&m_host));
        ASSERT_NE(plugin, nullptr);
        ASSERT_NE(plugin->GetDatabase(), nullptr);
        if(unplug) {
            plugin->UnPlug();
            EXPECT_EQ(plugin->GetDatabase(), nullptr);
        }
        delete plugin;
        ASSERT_EQ(m_host.GetOutputBook()->GetPageCount(), 1u) << unplug;
        EXPECT_EQ(m_host.GetOutputBook()->GetPageText(0), "Host page");
    }
}
