// The positions, limit-order, closed-bill and delivery-order panes on the
// display, over the records of PaneTestRecords in a host notebook: what each
// builds (columns, menus, layout name), the clicks, menus and double clicks that open the order dialog, and
// the layout across a rebuild.
#include "../orders/OrderDialogHarness.h"
#include "NotebookHost.h"
#include "PaneTestRecords.h"
#include "common/SettingsAccessors.h"
#include "frame/RemoveNotebookPage.h"
#include "panes/CloseBillPane.h"
#include "panes/DeliveryOrderPane.h"
#include "panes/LimitOrderPane.h"
#include "panes/PositionPane.h"

#include <functional>
#include <gtest/gtest.h>
#include <pelmora/pmDataViewHyperlinkRenderer.h>
#include <wx/menu.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

extern "C" {
typedef struct _GtkMenu GtkMenu;
void gtk_menu_popdown(GtkMenu* menu);
}

namespace {

class TradingPanesTest : public ::testing::Test, protected PaneTestRecords
{
protected:
    ~TradingPanesTest() override
    {
        const std::vector<OrderDialog*> left = OrderDialog::GetOpenDialogs();
        for(OrderDialog* dialog : left) {
            delete dialog;
        }
        PumpPending();
        // The panes go before the store, as at unload.
        for(size_t i = m_host.GetOutputBook()->GetPageCount(); i-- > 0;) {
            m_host.GetOutputBook()->DeletePage(i);
        }
    }

    template <class Pane> Pane* Add(const wxString& label)
    {
        auto* pane = new Pane(&store, &m_host, m_host.GetOutputBook());
        m_host.GetOutputBook()->AddPage(pane, label, true);
        m_host.GetOutputBook()->Layout();
        return pane;
    }

    void AddPosition(int symbolId, double buyQuantity, double sellQuantity)
    {
        trade_Position position;
        position.accountKey = kAccount;
        position.symbolId = symbolId;
        position.buyQuantity = buyQuantity;
        position.buyAmount = buyQuantity * 5000 * 15;
        position.sellQuantity = sellQuantity;
        position.sellAmount = sellQuantity * 5000 * 15;
        ASSERT_TRUE(store.m_trade_Position_table->Insert(position).second);
    }

    void AddLimit(const char* code, int symbolId, int accountKey = kAccount)
    {
        trade_Limit order;
        order.orderCode = code;
        order.accountKey = accountKey;
        order.symbolId = symbolId;
        order.side = 's';
        order.limitType = '1';
        order.orderPrice = 5200;
        order.quantityOrder = 5.7;
        order.quantityComplete = 2;
        order.stopLoss = 5300;
        order.takeProfit = 5000;
        ASSERT_TRUE(store.m_trade_Limit_table->Insert(order).second);
    }

    // Makes the row the only selection.
    template <class Pane> void SelectRow(Pane* pane, unsigned int row)
    {
        pane->GetList()->UnselectAll();
        pane->GetList()->Select(pane->GetModel()->GetItem(row));
    }

    // A menu command as the control's context menu sends it to the pane.
    static void Command(wxWindow* pane, const char* id, int integer = 0)
    {
        wxCommandEvent event(wxEVT_MENU, XRCID(id));
        event.SetInt(integer);
        pane->GetEventHandler()->ProcessEvent(event);
    }

    // A double click (or Enter, column -1) on the row as the control reports it.
    template <class Pane> void Activate(Pane* pane, unsigned int row, int modelColumn)
    {
        SelectRow(pane, row);
        wxDataViewColumn* column =
            modelColumn < 0 ? nullptr : pane->GetList()->GetColumnByModelColumn(modelColumn);
        wxDataViewEvent event(wxEVT_DATAVIEW_ITEM_ACTIVATED, pane->GetList(), column,
                              pane->GetModel()->GetItem(row));
        pane->GetList()->ProcessWindowEvent(event);
    }

    static size_t OpenCount() { return OrderDialog::GetOpenDialogs().size(); }
    static OrderDialog* Last() { return OpenCount() ? OrderDialog::GetOpenDialogs().back() : nullptr; }
    static void CloseAll()
    {
        const std::vector<OrderDialog*> left = OrderDialog::GetOpenDialogs();
        for(OrderDialog* dialog : left) {
            delete dialog;
        }
        PumpPending();
    }

    // Waits until every row is laid out in every column.
    template <class Pane> static bool Painted(Pane* pane)
    {
        pmDataViewCtrl* list = pane->GetList();
        list->Refresh();
        return PumpUntil([&] {
            const unsigned int count = pane->GetModel()->GetCount();
            for(unsigned int pos = 0; count > 0 && pos < list->GetColumnCount(); ++pos) {
                if(list->GetItemRect(pane->GetModel()->GetItem(count - 1), list->GetColumn(pos)).width <= 0) {
                    return false;
                }
            }
            return count > 0;
        });
    }

    static bool MoveMouseTo(const wxPoint& at)
    {
        wxUIActionSimulator sim;
        sim.MouseMove(at);
        return PumpUntil([&] { return wxGetMousePosition() == at; });
    }

    NotebookHost m_host;
};

// Closes every popup menu of the window at once, after looking at it.
class MenuWatcher
{
public:
    MenuWatcher(wxWindow* window, std::function<void(wxMenu&)> look)
        : m_window(window), m_look(std::move(look))
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
            m_look(*menu);
            gtk_menu_popdown(reinterpret_cast<GtkMenu*>(menu->m_menu));
        }
    }
    wxWindow* m_window;
    std::function<void(wxMenu&)> m_look;
};

} // namespace

TEST_F(TradingPanesTest, EachPaneBuildsItsColumnsMenuAndConfigurationName)
{
    struct Expected
    {
        ListPane* pane;
        const char* configName;
        unsigned int columns;
        size_t menuItems;
    };
    const Expected panes[] = {
        {Add<PositionPane>("Position"), "PositionPaneCfg", 8, 5},
        {Add<CloseBillPane>("Close"), "CloseBillPane", 16, 0},
        {Add<DeliveryOrderPane>("Delivery"), "DeliveryOrderPane", 17, 0},
        {Add<LimitOrderPane>("Limit "), "LimitOrderPane", 13, 3},
    };
    for(const Expected& expected : panes) {
        pmDataViewCtrl* list = expected.pane->GetList();
        SCOPED_TRACE(expected.configName);
        EXPECT_EQ(expected.pane->GetConfigName(), expected.configName);
        ASSERT_EQ(list->GetColumnCount(), expected.columns);
        for(unsigned int pos = 0; pos < expected.columns; ++pos) {
            EXPECT_EQ(list->GetColumn(pos)->GetModelColumn(), pos);
        }
        ASSERT_NE(list->GetMenu(), nullptr);
        EXPECT_EQ(list->GetMenu()->GetMenuItemCount(), expected.menuItems);
        EXPECT_EQ(list->GetConfig(), expected.pane->GetColumnConfig());
    }

    // The positions pane: fixed widths as minimum widths, links in 5 and 6.
    pmDataViewCtrl* positions = panes[0].pane->GetList();
    const int widths[] = {45, 100, 100, 80, 80, 50, 50, 80};
    for(unsigned int column = 0; column < 8; ++column) {
        EXPECT_EQ(positions->GetColumn(column)->GetMinWidth(), widths[column]) << column;
        const bool link = dynamic_cast<pmDataViewHyperlinkRenderer*>(
                              positions->GetColumn(column)->GetRenderer()) != nullptr;
        EXPECT_EQ(link, column == PositionModel::eQuantityBuy || column == PositionModel::eQuantitySell)
            << column;
    }
    wxMenu* menu = positions->GetMenu();
    EXPECT_EQ(menu->FindItemByPosition(0)->GetId(), XRCID("new_order"));
    EXPECT_TRUE(menu->FindItemByPosition(1)->IsSeparator());
    EXPECT_EQ(menu->FindItemByPosition(2)->GetId(), XRCID("close_position_buy"));
    EXPECT_EQ(menu->FindItemByPosition(3)->GetId(), XRCID("close_position_sell"));
    EXPECT_TRUE(menu->FindItemByPosition(4)->IsSeparator());
    // The limit pane's menu: its three commands in order.
    wxMenu* limits = panes[3].pane->GetList()->GetMenu();
    EXPECT_EQ(limits->FindItemByPosition(0)->GetItemLabelText(), "New Order");
    EXPECT_EQ(limits->FindItemByPosition(1)->GetId(), XRCID("cancel_order"));
    EXPECT_EQ(limits->FindItemByPosition(2)->GetId(), XRCID("modify_order"));
}

TEST_F(TradingPanesTest, AClickOnASellQuantityLinkMakesItsRowTheSelectionAndOpensTheSellSidesCloseDialog)
{
    AddPosition(kSilver, 2, 3.9);
    AddPosition(kPlatinum, 1, 0);
    auto* pane = Add<PositionPane>("Position");
    ASSERT_TRUE(Painted(pane));
    // Another row selected before: the click must not add to it.
    SelectRow(pane, 1);

    pmDataViewCtrl* list = pane->GetList();
    const wxDataViewItem item = pane->GetModel()->GetItem(0);
    wxDataViewColumn* column = list->GetColumnByModelColumn(PositionModel::eQuantitySell);
    const wxRect cell = list->GetItemRect(item, column);
    wxVariant value;
    pane->GetModel()->GetValueByRow(value, 0, PositionModel::eQuantitySell);
    const std::vector<wxRect> links =
        static_cast<pmDataViewHyperlinkRenderer*>(column->GetRenderer())->LayoutTexts(value, cell);
    ASSERT_EQ(links.size(), 1u);
    // The one link is drawn in the middle of its centred cell.
    ASSERT_TRUE(MoveMouseTo(
        list->ClientToScreen(wxPoint(cell.x + cell.width / 2, links[0].y + links[0].height / 2))));
    wxUIActionSimulator().MouseClick();
    ASSERT_TRUE(PumpUntil([] { return OpenCount() == 1; }));

    OrderDialog* dialog = Last();
    EXPECT_EQ(dialog->m_openCloseType, eClosePosition);
    EXPECT_EQ(dialog->m_orderType, eMarketOrder);
    EXPECT_EQ(dialog->m_direction, 'b'); // buys back the sold side
    EXPECT_EQ(dialog->m_quantity, 3);    // truncated
    EXPECT_EQ(dialog->m_symbolId, kSilver);
    EXPECT_EQ(dialog->m_pPosition, &*store.m_trade_Position_table->GetIndexByPrimary().find(kSilver));
    EXPECT_EQ(dialog->m_pHoldBill, nullptr);
    EXPECT_TRUE(dialog->m_orderCodeRe.empty());
    EXPECT_EQ(pane->GetSelectedRecord()->symbolId, kSilver);

    // A second close of the symbol while its dialog is open: none.
    Command(pane, "close_position_buy");
    EXPECT_EQ(OpenCount(), 1u);
    CloseAll();
    // A side without quantity: none either.
    SelectRow(pane, 1);
    Command(pane, "close_position_sell");
    EXPECT_EQ(OpenCount(), 0u);
    // The total row is no position.
    SelectRow(pane, 2);
    Command(pane, "close_position_buy");
    Command(pane, "new_order");
    EXPECT_EQ(OpenCount(), 0u);
}

TEST_F(TradingPanesTest, TheRightClickMenuFollowsThePositionUnderThePointerAndLeavesTheTotalRowAlone)
{
    AddPosition(kSilver, 2, 0);
    AddPosition(kPlatinum, 0, 1);
    auto* pane = Add<PositionPane>("Position");
    pmDataViewCtrl* list = pane->GetList();
    wxMenu* menu = list->GetMenu();
    std::vector<std::pair<bool, bool>> shown; // buy, sell enabled when shown
    MenuWatcher watcher(list, [&](wxMenu& open) {
        shown.emplace_back(open.IsEnabled(XRCID("close_position_buy")),
                           open.IsEnabled(XRCID("close_position_sell")));
    });
    auto rightClick = [&](int row) {
        const wxDataViewItem item = row < 0 ? wxDataViewItem() : pane->GetModel()->GetItem(row);
        wxDataViewEvent event(wxEVT_DATAVIEW_ITEM_CONTEXT_MENU, list, item);
        list->ProcessWindowEvent(event);
    };
    rightClick(0);
    rightClick(1);
    ASSERT_EQ(shown, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}}));
    // The total row and empty space: no menu, the items as they were.
    rightClick(2);
    rightClick(-1);
    EXPECT_EQ(watcher.opened, 2);
    EXPECT_FALSE(menu->IsEnabled(XRCID("close_position_buy")));
    EXPECT_TRUE(menu->IsEnabled(XRCID("close_position_sell")));
}

TEST_F(TradingPanesTest, ADoubleClickActsByItsColumnAndTheSetting)
{
    AddPosition(kSilver, 2, 3);
    auto* pane = Add<PositionPane>("Position");
    struct Case
    {
        int column;
        int setting; // "DblClickHoldDetailClose": 1 opens a new order
        int kind;    // -1: no dialog
        char direction;
    };
    const Case cases[] = {
        {0, 0, -1, 0},
        {1, 0, -1, 0},
        {2, 0, -1, 0},
        {7, 0, -1, 0},
        {-1, 0, -1, 0}, // Enter: no column
        {3, 0, eClosePosition, 's'},
        {5, 0, eClosePosition, 's'},
        {4, 0, eClosePosition, 'b'},
        {6, 0, eClosePosition, 'b'},
        {3, 1, eOpen, 'b'},
        {6, 1, eOpen, 's'},
        {7, 1, -1, 0},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " setting " << c.setting);
        SetDblClickHoldDetailClose(c.setting);
        Activate(pane, 0, c.column);
        if(c.kind < 0) {
            EXPECT_EQ(OpenCount(), 0u);
            continue;
        }
        ASSERT_EQ(OpenCount(), 1u);
        EXPECT_EQ(Last()->m_openCloseType, c.kind);
        EXPECT_EQ(Last()->m_direction, c.direction);
        EXPECT_EQ(Last()->m_orderType, eMarketOrder);
        CloseAll();
    }
    // The total row: nothing.
    SetDblClickHoldDetailClose(0);
    Activate(pane, 1, 5);
    EXPECT_EQ(OpenCount(), 0u);
}

TEST_F(TradingPanesTest, ALimitOrderHasOneCancelOrModifyDialogAtATimeAndNewOrderIsALimitOrder)
{
    AddLimit("L0001", kSilver);
    AddLimit("L0002", kOrphan, 99); // its account is missing
    auto* pane = Add<LimitOrderPane>("Limit ");
    SelectRow(pane, 0);

    Command(pane, "modify_order");
    ASSERT_EQ(OpenCount(), 1u);
    OrderDialog* modify = Last();
    EXPECT_EQ(modify->m_openCloseType, eModify);
    EXPECT_EQ(modify->m_quantity, 5); // the full order, truncated; the pane shows the rest
    EXPECT_EQ(modify->m_orderCodeRe, "L0001");
    EXPECT_EQ(modify->m_limitPrice, 5200);
    wxVariant rest;
    pane->GetModel()->GetValueByRow(rest, 0, LimitOrderModel::eQuantity);
    EXPECT_EQ(rest.GetString(), "3.70");
    Command(pane, "cancel_order");
    Command(pane, "modify_order");
    EXPECT_EQ(OpenCount(), 1u);
    CloseAll();

    Command(pane, "cancel_order");
    ASSERT_EQ(OpenCount(), 1u);
    EXPECT_EQ(Last()->m_openCloseType, eCancel);
    Command(pane, "modify_order");
    EXPECT_EQ(OpenCount(), 1u);

    Command(pane, "new_order");
    ASSERT_EQ(OpenCount(), 2u);
    EXPECT_EQ(Last()->m_openCloseType, eOpen);
    EXPECT_EQ(Last()->m_orderType, eLimitOrder);
    EXPECT_EQ(Last()->m_symbolId, kSilver);
    Command(pane, "new_order"); // one new order per symbol
    EXPECT_EQ(OpenCount(), 2u);
    CloseAll();

    // Missing links, no selection, or several rows: nothing.
    SelectRow(pane, 1);
    for(const char* id : {"new_order", "cancel_order", "modify_order"}) {
        Command(pane, id);
    }
    pane->GetList()->SelectAll();
    Command(pane, "cancel_order");
    pane->GetList()->UnselectAll();
    Command(pane, "modify_order");
    EXPECT_EQ(OpenCount(), 0u);
}

TEST_F(TradingPanesTest, ClosedBillsAreSelectedByTheirExactCodeAndAHeaderClickKeepsTheirOrder)
{
    for(const char* code : {"C0002", "C0001", "C0003"}) {
        trade_CloseBill bill;
        bill.orderCode = code;
        bill.accountKey = kAccount;
        bill.symbolId = kSilver;
        ASSERT_TRUE(store.m_trade_CloseBill_table->Insert(bill).second);
    }
    auto* pane = Add<CloseBillPane>("Close");
    ASSERT_TRUE(Painted(pane));
    auto selected = [&] {
        return pane->GetSelectedRecord() ? pane->GetSelectedRecord()->orderCode : wxString();
    };
    EXPECT_TRUE(pane->SelectCloseBill("C0001"));
    EXPECT_EQ(selected(), "C0001");
    EXPECT_FALSE(pane->SelectCloseBill("c0003"));
    EXPECT_FALSE(pane->SelectCloseBill("C0009"));
    EXPECT_EQ(selected(), "C0001");

    // A click on the "OrderCode" header sorts nothing.
    pmDataViewCtrl* list = pane->GetList();
    const wxRect first = list->GetItemRect(pane->GetModel()->GetItem(0),
                                           list->GetColumnByModelColumn(CloseBillModel::eOrderCode));
    ASSERT_GT(first.y, 0); // the header stands above the first row
    ASSERT_TRUE(MoveMouseTo(list->ClientToScreen(wxPoint(first.x + first.width / 2, first.y / 2))));
    wxUIActionSimulator().MouseClick();
    PumpPending();
    EXPECT_EQ(list->GetSortingColumn(), nullptr);
    const char* order[] = {"C0002", "C0001", "C0003"};
    int above = 0;
    for(unsigned int row = 0; row < 3; ++row) {
        wxVariant code;
        pane->GetModel()->GetValueByRow(code, row, CloseBillModel::eOrderCode);
        EXPECT_EQ(code.GetString(), order[row]);
        // The control still shows the rows top to bottom in model order.
        const int y = list->GetItemRect(pane->GetModel()->GetItem(row)).y;
        EXPECT_GT(y, above) << row;
        above = y;
    }
}

TEST_F(TradingPanesTest, ColumnWidthsAndPlacesOfThePositionsPaneSurviveARebuild)
{
    AddPosition(kSilver, 2, 0);
    auto* pane = Add<PositionPane>("Position");
    pmDataViewCtrl* list = pane->GetList();
    list->GetColumnByModelColumn(PositionModel::eDynProfit)->SetWidth(150);
    std::vector<pmDataViewCtrlConfig::Column> layout = list->GetLayout();
    std::swap(layout[PositionModel::eMarket], layout[PositionModel::eSymbol]);
    for(size_t i = 0; i < layout.size(); ++i) {
        layout[i].position = static_cast<int>(i);
    }
    pane->GetColumnConfig()->SetColumns(layout);
    list->SetConfig(pane->GetColumnConfig());
    const std::vector<pmDataViewCtrlConfig::Column> arranged = list->GetLayout();
    ASSERT_EQ(arranged[1].modelColumn, static_cast<int>(PositionModel::eSymbol));

    RemoveNotebookPage(&m_host, pane);
    pane = Add<PositionPane>("Position");
    const std::vector<pmDataViewCtrlConfig::Column> restored = pane->GetList()->GetLayout();
    ASSERT_EQ(restored.size(), arranged.size());
    for(size_t i = 0; i < restored.size(); ++i) {
        EXPECT_EQ(restored[i].modelColumn, arranged[i].modelColumn) << i;
        EXPECT_EQ(restored[i].width, arranged[i].width) << i;
    }
    EXPECT_EQ(restored[PositionModel::eDynProfit].width, 150);
    EXPECT_EQ(pane->GetModel()->GetCount(), 2u); // the position and "Counter"
}
