// The hold-detail pane on the display over a real store: what its links,
// double clicks and menu commands open, the one-second debounce, the menu
// before it pops up, summary rows that never stay selected, bills found by
// code, and the summary band a cell paints.
#include "EventPump.h"
#include "PaneTestStore.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "common/SettingsAccessors.h"
#include "orders/OrderDialog.h"
#include "panes/AccountInfoRenderer.h"
#include "panes/HoldBillLinkRenderer.h"
#include "panes/HoldDetailModel.h"
#include "panes/HoldDetailPane.h"
#include "panes/SummaryBand.h"

#include <pelmora/EditorConfig.h>
#include <pelmora/pmDataViewHyperlinkRenderer.h>
#include <wx/dcmemory.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

namespace {

using Lines = std::vector<std::string>;

class HoldDetailPaneTest : public ::testing::Test
{
protected:
    HoldDetailPaneTest()
        : folder("hold-pane"), dataEnv("PELMORA_DATA_DIR", folder.Path() + "/data"),
          userEnv("PELMORA_USER_DATA_DIR", folder.Path() + "/user")
    {
        wxFileName::Mkdir(folder.Path() + "/data/config", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        wxFileName::Mkdir(folder.Path() + "/user", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        EditorConfigST::Free(); // settings of this folder only

        user_Account master = data.MakeAccount(11, '1', "M1");
        master.accountState = '1';
        data.AddAccount(master);
        data.AddAccount(12, '2', "M2");
        data.AddSymbol(101, 11);
        data.AddSymbol(102, 11);
        data.AddSymbol(201, 12);
        trade_HoldBill b1 = data.MakeBill("B1", 11, 101, 'b', 3);
        b1.stopLoss = 95;
        b1.takeProfit = 110;
        b1.marginUsed = 30;
        data.AddBill(b1);
        trade_HoldBill b2 = data.MakeBill("B2", 11, 102, 's', 2);
        b2.deliveryStatus = '2';
        b2.marginUsed = 12.5;
        data.AddBill(b2);
        data.AddBill("C1", 12, 201, 'b', 1);
        frame = new wxFrame(nullptr, wxID_ANY, "Trade", wxPoint(0, 0), wxSize(1400, 400));
    }
    ~HoldDetailPaneTest() override
    {
        CloseDialogs();
        if(pane) {
            pane->Destroy(); // before the store it observes
        }
        frame->Destroy();
        PumpEvents();
        EditorConfigST::Free();
    }

    HoldDetailPane* Build()
    {
        if(pane) {
            pane->Destroy();
        }
        pane = new HoldDetailPane(&data.store, nullptr, frame);
        pane->SetClock([this] { return now; });
        frame->SendSizeEvent();
        frame->Show();
        return pane;
    }
    void WriteTemplate()
    {
        wxFFile file(folder.Path() + "/data/config/ordercontract.html", "w");
        ASSERT_TRUE(file.IsOpened());
        file.Write("<html><body>$account $name $symbolname</body></html>");
    }

    // "<kind> <code> <side> <quantity> <symbol>" of each open order dialog,
    // which are closed then.
    Lines TakeDialogs()
    {
        Lines opened;
        for(const OrderDialog* dialog : OrderDialog::GetOpenDialogs()) {
            opened.push_back(wxString::Format("%d %s %c %d %d", dialog->m_openCloseType,
                                              dialog->m_orderCodeRe, dialog->m_direction, dialog->m_quantity,
                                              dialog->m_symbolId)
                                 .utf8_string());
        }
        CloseDialogs();
        return opened;
    }
    static void CloseDialogs()
    {
        const std::vector<OrderDialog*> open = OrderDialog::GetOpenDialogs();
        for(OrderDialog* dialog : open) {
            delete dialog;
        }
        PumpEvents();
    }

    wxDataViewItem Item(unsigned int row) const { return pane->GetModel()->GetItem(row); }
    void ClickLink(unsigned int row, unsigned int column)
    {
        wxDataViewEvent event(wxEVT_DATAVIEW_LINK_CLICKED, pane->GetList(), Item(row));
        event.SetColumn(static_cast<int>(column));
        pane->GetList()->ProcessWindowEvent(event);
    }
    void Activate(unsigned int row)
    {
        wxDataViewEvent event(wxEVT_DATAVIEW_ITEM_ACTIVATED, pane->GetList(), Item(row));
        pane->GetList()->ProcessWindowEvent(event);
    }
    void Command(const char* id)
    {
        wxCommandEvent event(wxEVT_MENU, XRCID(id));
        pane->GetList()->ProcessWindowEvent(event);
    }
    // The row as the user selects it: the control's selection, then its event.
    void SelectRow(unsigned int row)
    {
        pane->GetList()->UnselectAll();
        pane->GetList()->Select(Item(row));
        wxDataViewEvent event(wxEVT_DATAVIEW_SELECTION_CHANGED, pane->GetList(), Item(row));
        pane->GetList()->ProcessWindowEvent(event);
    }
    int SelectedRow() const
    {
        wxDataViewItemArray selection;
        pane->GetList()->GetSelections(selection);
        return selection.size() == 1 ? static_cast<int>(pane->GetModel()->GetRow(selection[0])) : -1;
    }

    ScratchFolder folder;
    ScopedEnv dataEnv;
    ScopedEnv userEnv;
    PaneTestStore data;
    wxFrame* frame;
    HoldDetailPane* pane = nullptr;
    wxDateTime now = wxDateTime(4, wxDateTime::May, 2016, 13, 20, 0);
};

enum Row : unsigned int { eB1 = 0, eB2, eSummary11, eC1, eSummary12 };

} // namespace

TEST_F(HoldDetailPaneTest, LinksAndMenuCommandsOpenTheOrderDialogOfTheirKind)
{
    Build();
    ASSERT_EQ(pane->GetModel()->GetCount(), 5u);
    now += wxTimeSpan::Seconds(5);
    const struct
    {
        const char* name;
        int selectRow;           // -1: none; a summary row is remembered, not selected
        int linkRow;             // -1: a menu command instead
        unsigned int linkColumn; // or the command
        const char* command;
        Lines opened;
    } cases[] = {
        {"Quantity link closes", eB1, eB1, HoldDetailModel::eQuantity, nullptr, {"1 B1 s 3 101"}},
        {"StopLoss link modifies", eB1, eB1, HoldDetailModel::eStopLoss, nullptr, {"2 B1 b 3 101"}},
        {"TakeProfit link modifies", eB1, eB1, HoldDetailModel::eTakeProfit, nullptr, {"2 B1 b 3 101"}},
        {"DeliveryStatus link", eB2, eB2, HoldDetailModel::eDeliveryStatus, nullptr, {"4 B2 s 2 102"}},
        {"a link selects its own row", eB1, eC1, HoldDetailModel::eQuantity, nullptr, {"1 C1 s 1 201"}},
        {"OpenTime is no link", eB1, eB1, HoldDetailModel::eOpenTime, nullptr, {}},
        {"close_order", eB2, -1, 0, "close_order", {"1 B2 b 2 102"}},
        {"modify_order", eB1, -1, 0, "modify_order", {"2 B1 b 3 101"}},
        {"delivery_order", eB1, -1, 0, "delivery_order", {"4 B1 b 3 101"}},
        {"delivery_cancel", eB2, -1, 0, "delivery_cancel", {"4 B2 s 2 102"}},
        {"new_order on a bill: its symbol and side", eB2, -1, 0, "new_order", {"0  s 1 102"}},
        {"new_order on a summary row: the first symbol", eSummary12, -1, 0, "new_order", {"0  b 1 101"}},
        {"close_order without a bill", eSummary11, -1, 0, "close_order", {}},
        {"nothing selected", -1, -1, 0, "modify_order", {}},
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pane->GetList()->UnselectAll();
        if(c.selectRow >= 0) {
            SelectRow(static_cast<unsigned int>(c.selectRow));
        }
        if(c.command) {
            Command(c.command);
        } else {
            ClickLink(static_cast<unsigned int>(c.linkRow), c.linkColumn);
        }
        EXPECT_EQ(TakeDialogs(), c.opened);
    }
    EXPECT_EQ(HoldDetailPane::LinkAction(HoldDetailModel::eSymbol), HoldDetailPane::eNoAction);

    // A second close of the same bill while its dialog is open opens nothing.
    SelectRow(eB1);
    Command("close_order");
    Command("close_order");
    EXPECT_EQ(TakeDialogs(), Lines{"1 B1 s 3 101"});
}

TEST_F(HoldDetailPaneTest, ADoubleClickWithinASecondOfTheLastIsIgnored)
{
    const wxDateTime built = now;
    Build();
    SelectRow(eB1);
    const struct
    {
        const char* name;
        double seconds; // since the pane was built
        int setting;    // "DblClickHoldDetailClose": 1 "open", 2 close
        bool link;      // a Quantity link click instead of a double click
        Lines opened;
    } steps[] = {
        {"too soon after the pane was built", 0.5, 2, false, {}},
        {"a second later: close", 1.5, 2, false, {"1 B1 s 3 101"}},
        {"half a second after that", 2.0, 2, false, {}},
        {"a whole second after the last that counted", 2.6, 2, false, {"1 B1 s 3 101"}},
        {"\"open\" opens a new order", 4.0, 1, false, {"0  b 1 101"}},
        {"a link click", 6.0, 1, true, {"1 B1 s 3 101"}},
        {"counts as the last activation", 6.5, 1, false, {}},
    };
    for(const auto& s : steps) {
        SCOPED_TRACE(s.name);
        now = built + wxTimeSpan::Milliseconds(static_cast<long>(s.seconds * 1000));
        SetDblClickHoldDetailClose(s.setting);
        if(s.link) {
            ClickLink(eB1, HoldDetailModel::eQuantity);
        } else {
            Activate(eB1);
        }
        EXPECT_EQ(TakeDialogs(), s.opened);
    }
}

TEST_F(HoldDetailPaneTest, ThePopupMenuFitsTheRowAndOffersTheContractOnlyWithItsTemplate)
{
    Build();
    wxMenu* menu = pane->GetList()->GetMenu();
    ASSERT_NE(menu, nullptr);
    const std::vector<const char*> ids = {"new_order",      "close_order",     "modify_order", nullptr,
                                          "delivery_order", "delivery_cancel", nullptr};
    ASSERT_EQ(menu->GetMenuItemCount(), ids.size()); // ends with the second separator
    for(size_t i = 0; i < ids.size(); ++i) {
        const wxMenuItem* item = menu->FindItemByPosition(i);
        EXPECT_EQ(item->IsSeparator(), ids[i] == nullptr) << i;
        if(ids[i]) {
            EXPECT_EQ(item->GetId(), XRCID(ids[i])) << i;
        }
    }
    EXPECT_EQ(menu->FindItemByPosition(0)->GetItemLabel(), "New Order\tF9");

    const struct
    {
        const char* name;
        int row;
        bool noMenu;
        bool deliveryEnabled;
    } cases[] = {
        {"no row", -1, false, false},
        {"summary row: no menu", eSummary11, true, false},
        {"bill waiting for delivery", eB2, false, false},
        {"bill not delivered", eB1, false, true},
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(c.name);
        wxDataViewEvent event(wxEVT_DATAVIEW_ITEM_CONTEXT_MENU, pane->GetList(),
                              c.row < 0 ? wxDataViewItem() : Item(static_cast<unsigned int>(c.row)));
        EXPECT_EQ(pane->OnPopupMenu(event), c.noMenu);
        if(c.row == eB1 || c.row == eB2) {
            EXPECT_EQ(menu->IsEnabled(XRCID("delivery_order")), c.deliveryEnabled);
            EXPECT_EQ(menu->IsEnabled(XRCID("delivery_cancel")), !c.deliveryEnabled);
        }
    }
    // Paired by the market: neither applied for again nor withdrawn.
    auto& bills = *data.store.m_trade_HoldBill_table;
    trade_HoldBill paired = *bills.Find("B2");
    paired.deliveryType = '2';
    paired.deliveryStatus = '3';
    ASSERT_TRUE(bills.Update(bills.Find("B2"), paired));
    wxDataViewEvent pairedMenu(wxEVT_DATAVIEW_ITEM_CONTEXT_MENU, pane->GetList(), Item(eB2));
    pane->OnPopupMenu(pairedMenu);
    EXPECT_FALSE(menu->IsEnabled(XRCID("delivery_order")));
    EXPECT_FALSE(menu->IsEnabled(XRCID("delivery_cancel")));

    WriteTemplate();
    Build();
    menu = pane->GetList()->GetMenu();
    ASSERT_EQ(menu->GetMenuItemCount(), ids.size() + 1);
    EXPECT_EQ(menu->FindItemByPosition(ids.size())->GetId(), XRCID("show_order_contract"));
    EXPECT_EQ(menu->FindItemByPosition(ids.size())->GetItemLabelText(), "Order Contract");
}

TEST_F(HoldDetailPaneTest, AClickedSummaryRowIsRememberedNotSelectedAndBillsAreFoundByCode)
{
    Build();
    pmDataViewCtrl* list = pane->GetList();
    wxDataViewColumn* codeColumn = list->GetColumnByModelColumn(HoldDetailModel::eOrderCode);
    ASSERT_TRUE(PumpUntil([&] { return list->GetItemRect(Item(eSummary12), codeColumn).height > 0; }));
    wxUIActionSimulator sim;
    auto click = [&](unsigned int row) {
        const wxRect cell = list->GetItemRect(Item(row), codeColumn);
        const wxPoint at = list->ClientToScreen(wxPoint(cell.x + cell.width / 2, cell.y + cell.height / 2));
        sim.MouseMove(at);
        EXPECT_TRUE(PumpUntil([&] { return wxGetMousePosition() == at; }));
        sim.MouseClick();
    };
    EXPECT_EQ(pane->GetRememberedRow(), 0);
    click(eSummary12);
    EXPECT_TRUE(PumpUntil([&] { return pane->GetRememberedRow() == eSummary12; }));
    EXPECT_EQ(list->GetSelectedItemsCount(), 0);
    click(eC1);
    EXPECT_TRUE(PumpUntil([&] { return SelectedRow() == eC1; }));
    EXPECT_EQ(pane->GetRememberedRow(), eSummary12);

    EXPECT_TRUE(pane->SelectHoldBill("B2"));
    EXPECT_EQ(SelectedRow(), eB2);
    EXPECT_TRUE(pane->SelectHoldBill("C1")); // past the first summary row
    EXPECT_EQ(SelectedRow(), eC1);
    EXPECT_FALSE(pane->SelectHoldBill("c1"));
    EXPECT_FALSE(pane->SelectHoldBill(""));
    EXPECT_EQ(SelectedRow(), eC1);
}

TEST_F(HoldDetailPaneTest, ASummaryCellPaintsTheBandAndItsGroupSum)
{
    Build();
    HoldDetailModel* model = pane->GetModel();
    wxDataViewColumn* column = pane->GetList()->GetColumnByModelColumn(HoldDetailModel::eMarginUsed);
    auto* renderer = dynamic_cast<AccountInfoRenderer*>(column->GetRenderer());
    ASSERT_NE(renderer, nullptr);

    wxVariant value;
    model->GetValueByRow(value, eSummary11, HoldDetailModel::eMarginUsed);
    renderer->SetValue(value);
    ASSERT_NE(renderer->GetAccount(), nullptr);
    EXPECT_EQ(renderer->GetAccount()->accountKey, 11);
    EXPECT_EQ(renderer->GetCellText(), "42.50");

    // Each cell paints the band across its own column, wherever the toolkit
    // placed the cell's rectangle within it, and nothing past the column.
    pmDataViewCtrl* list = pane->GetList();
    ASSERT_TRUE(PumpUntil([&] { return list->GetItemRect(Item(eSummary11), column).width > 0; }));
    const wxColour band = model->GetSummaryBackground();
    auto paint = [&](wxDataViewColumn* cellColumn, const std::function<void(wxDC&, const wxRect&)>& draw) {
        const int left = SummaryBand::ColumnLeft(*list, *cellColumn);
        const int width = cellColumn->GetWidth();
        wxBitmap bitmap(left + width + 20, 30);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxBLACK_BRUSH);
            dc.Clear();
            draw(dc, wxRect(left + width / 2 - 10, 4, 20, 20)); // a cell of 20 by 20, centred
        }
        const wxImage image = bitmap.ConvertToImage();
        auto at = [&](int x) {
            return wxColour(image.GetRed(x, 3), image.GetGreen(x, 3), image.GetBlue(x, 3)); // above the text
        };
        EXPECT_EQ(at(left + 1), band);
        EXPECT_EQ(at(left + width - 2), band);
        EXPECT_EQ(at(left + width + 5), *wxBLACK);
        EXPECT_EQ(at(left - 1), left > 0 ? *wxBLACK : band);
    };
    // The toolkit draws the text itself, only while it paints the list.
    paint(column, [&](wxDC& dc, const wxRect& cell) { renderer->RenderBackground(&dc, cell); });

    // A link cell of the summary row paints its slice of the band too.
    wxDataViewColumn* quantity = list->GetColumnByModelColumn(HoldDetailModel::eQuantity);
    auto* links = dynamic_cast<HoldBillLinkRenderer*>(quantity->GetRenderer());
    ASSERT_NE(links, nullptr);
    model->GetValueByRow(value, eSummary11, HoldDetailModel::eQuantity);
    links->SetValue(value);
    paint(quantity, [&](wxDC& dc, const wxRect& cell) { links->Render(cell, &dc, 0); });

    // A bill row's cell keeps its own text and paints no band.
    model->GetValueByRow(value, eB1, HoldDetailModel::eMarginUsed);
    renderer->SetValue(value);
    EXPECT_EQ(renderer->GetAccount(), nullptr);
    EXPECT_EQ(renderer->GetCellText(), "30.00");
}
