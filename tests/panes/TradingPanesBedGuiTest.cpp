// The "Position", "Close", "Limit " and "Delivery" pages of the real plug-in
// on the logged-in test bed: profits to the cent against the market, closing
// a side from its link, a clicked notice, modifying and cancelling a limit
// order, a delivery through its confirmation, and the layout across a restart.
#include "../orders/OrderDialogHarness.h"
#include "TestBed.h"
#include "connection/Client.h"
#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "panes/CloseBillPane.h"
#include "panes/DeliveryOrderPane.h"
#include "panes/HoldDetailModel.h"
#include "panes/HoldDetailPane.h"
#include "panes/LimitOrderModel.h"
#include "panes/LimitOrderPane.h"
#include "panes/PositionPane.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmDataViewHyperlinkRenderer.h>
#include <set>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

extern "C" {
typedef struct _cairo cairo_t;
typedef struct _GtkTreeView GtkTreeView;
typedef struct _GtkWidget GtkWidget;
void gtk_tree_view_scroll_to_point(GtkTreeView* treeView, int treeX, int treeY);
int gtk_widget_get_allocated_width(GtkWidget* widget);
int gtk_widget_get_allocated_height(GtkWidget* widget);
void gtk_widget_draw(GtkWidget* widget, cairo_t* cr);
}

namespace {

using nlohmann::json;

class TradingPanesOnTheBed : public LoggedInTest
{
protected:
    ~TradingPanesOnTheBed() override
    {
        const std::vector<OrderDialog*> left = OrderDialog::GetOpenDialogs();
        for(OrderDialog* dialog : left) {
            delete dialog;
        }
        PumpPending();
    }

    Notebook* Output() { return bed.Host().Manager().GetOutputBook(); }
    int PageOf(const wxString& label)
    {
        for(size_t i = 0; i < Output()->GetPageCount(); ++i) {
            if(Output()->GetPageText(i) == label) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    template <class Pane> Pane* PaneOf(const wxString& label)
    {
        const int page = PageOf(label);
        return page < 0 ? nullptr : dynamic_cast<Pane*>(Output()->GetPage(static_cast<size_t>(page)));
    }

    template <class Pane> static wxString Cell(Pane* pane, unsigned int row, unsigned int column)
    {
        wxVariant value;
        pane->GetModel()->GetValueByRow(value, row, column);
        if(value.GetType() == "arrstring") {
            return value.GetArrayString().empty() ? wxString() : value.GetArrayString()[0];
        }
        return value.IsNull() ? wxString() : value.MakeString();
    }
    // The row of the record whose key the function gives; -1 when none.
    template <class Pane, class KeyOf, class Key> static int RowOf(Pane* pane, KeyOf keyOf, const Key& key)
    {
        for(unsigned int row = 0; row < pane->GetModel()->GetRecordCount(); ++row) {
            if(std::invoke(keyOf, *pane->GetModel()->GetRecordAt(row)) == key) {
                return static_cast<int>(row);
            }
        }
        return -1;
    }
    template <class Pane> static void Command(Pane* pane, const char* id)
    {
        wxCommandEvent event(wxEVT_MENU, XRCID(id));
        pane->GetEventHandler()->ProcessEvent(event);
    }
    template <class Pane> static void SelectRow(Pane* pane, int row)
    {
        pane->GetList()->UnselectAll();
        pane->GetList()->Select(pane->GetModel()->GetItem(static_cast<unsigned int>(row)));
    }

    // The first control of its kind after the label among the dialog's
    // children, as the trader finds a field by its caption.
    template <class Control> static Control* After(wxWindow* dialog, const wxString& label)
    {
        bool found = false;
        for(wxWindow* child : dialog->GetChildren()) {
            if(found) {
                if(auto* control = dynamic_cast<Control*>(child)) {
                    return control;
                }
                continue;
            }
            auto* text = dynamic_cast<wxStaticText*>(child);
            found = text && text->GetLabel() == label;
        }
        return nullptr;
    }
    static wxButton* OkButton(wxWindow* dialog)
    {
        for(wxWindow* child : dialog->GetChildren()) {
            auto* button = dynamic_cast<wxButton*>(child);
            if(button && button->GetLabel() == "Ok") {
                return button;
            }
        }
        return nullptr;
    }
    static void Spin(wxSpinCtrlDouble_* spin, double value)
    {
        // Each spin first jumps to its bound, then takes the price typed.
        for(double typed : {1.0, value}) {
            wxSpinDoubleEvent event(wxEVT_SPINCTRLDOUBLE, spin->GetId(), typed);
            event.SetEventObject(spin);
            spin->ProcessWindowEvent(event);
        }
    }
    static bool IsOpen(const OrderDialog* dialog)
    {
        const auto& open = OrderDialog::GetOpenDialogs();
        return std::find(open.begin(), open.end(), dialog) != open.end();
    }
    ::testing::AssertionResult SendAndClose(OrderDialog* dialog)
    {
        wxButton* ok = OkButton(dialog);
        if(!ok) {
            return ::testing::AssertionFailure() << "no Ok button";
        }
        wxCommandEvent click(wxEVT_BUTTON, ok->GetId());
        click.SetEventObject(ok);
        ok->ProcessWindowEvent(click);
        if(!PumpUntil([&] { return !IsOpen(dialog); }, std::chrono::seconds(10))) {
            return ::testing::AssertionFailure() << "the dialog stays open";
        }
        return ::testing::AssertionSuccess();
    }

    static json Find(const json& list, const char* key, const std::string& value)
    {
        for(const json& entry : list) {
            if(entry.value(key, std::string()) == value) {
                return entry;
            }
        }
        return json();
    }
    double LastPrice(int symbolId)
    {
        const auto& prices = bed.Store().m_symbol_price_table->GetIndexByPrimary();
        const auto found = prices.find(symbolId);
        return found == prices.end() ? 0.0 : found->lastPrice;
    }
};

} // namespace

TEST_F(TradingPanesOnTheBed, PositionsFollowTheMarketToTheCentCloseFromTheirLinkAndLimitOrdersChangeAndGo)
{
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    // The pages stand in their order.
    const int position = PageOf("Position");
    ASSERT_GE(position, 0);
    EXPECT_LT(position, PageOf("Close"));
    EXPECT_LT(PageOf("Close"), PageOf("Delivery"));
    EXPECT_LT(PageOf("Delivery"), PageOf("Limit "));
    auto* positions = PaneOf<PositionPane>("Position");
    auto* closed = PaneOf<CloseBillPane>("Close");
    auto* limits = PaneOf<LimitOrderPane>("Limit ");
    ASSERT_TRUE(positions && closed && limits);

    // Every position the market has for the user in the markets the client
    // follows, then "Counter".
    const json start = bed.Market().State();
    std::set<int> accounts;
    for(const json& account : start["accounts"]) {
        if(account["login"] == "demo") {
            accounts.insert(account["key"].get<int>());
        }
    }
    const auto& symbols = bed.Store().m_symbol_Info_table->GetIndexByPrimary();
    std::set<int> heldSymbols;
    for(const json& held : start["positions"]) {
        const int symbol = held["symbol"].get<int>();
        if(accounts.count(held["account"].get<int>()) && symbols.find(symbol) != symbols.end()) {
            heldSymbols.insert(symbol);
        }
    }
    ASSERT_TRUE(heldSymbols.count(101));
    PositionModel* model = positions->GetModel();
    ASSERT_TRUE(PumpUntil([&] { return model->GetRecordCount() == heldSymbols.size(); }));
    for(int symbol : heldSymbols) {
        EXPECT_GE(RowOf(positions, &trade_Position::symbolId, symbol), 0) << symbol;
    }
    EXPECT_EQ(model->GetCount(), heldSymbols.size() + 1);
    EXPECT_EQ(Cell(positions, model->GetRecordCount(), PositionModel::eRowNumber), "Counter");

    // A new AG price: each symbol's profit is the sum of its holds' profits
    // at the market, the total the sum of the rows.
    ASSERT_EQ(bed.Market().Post("/admin/price?symbol=101&price=5100"), 200);
    ASSERT_TRUE(PumpUntil([&] { return LastPrice(101) == 5100; }));
    const json state = bed.Market().State();
    double rowSum = 0;
    for(int symbol : heldSymbols) {
        double profit = 0;
        for(const json& hold : state["holds"]) {
            if(hold["symbol"] == symbol && accounts.count(hold["account"].get<int>())) {
                profit += hold["profit"].get<double>();
            }
        }
        const int row = RowOf(positions, &trade_Position::symbolId, symbol);
        ASSERT_GE(row, 0) << symbol;
        EXPECT_EQ(Cell(positions, row, PositionModel::eDynProfit), FormatMoney(profit)) << symbol;
        rowSum += std::round(profit * 100) / 100;
    }
    EXPECT_EQ(Cell(positions, model->GetRecordCount(), PositionModel::eDynProfit), FormatMoney(rowSum));

    // The AG buy quantity's link opens the close of the buy side.
    const int silver = RowOf(positions, &trade_Position::symbolId, 101);
    ASSERT_GE(silver, 0);
    EXPECT_EQ(Cell(positions, silver, PositionModel::eQuantityBuy), "2.00");
    pmDataViewCtrl* list = positions->GetList();
    wxDataViewEvent link(wxEVT_DATAVIEW_LINK_CLICKED, list,
                         list->GetColumnByModelColumn(PositionModel::eQuantityBuy),
                         model->GetItem(static_cast<unsigned int>(silver)));
    list->ProcessWindowEvent(link);
    ASSERT_EQ(OrderDialog::GetOpenDialogs().size(), 1u);
    OrderDialog* close = OrderDialog::GetOpenDialogs().back();
    EXPECT_EQ(close->m_openCloseType, eClosePosition);
    EXPECT_EQ(close->m_direction, 's');
    EXPECT_EQ(close->m_quantity, 2);
    ASSERT_TRUE(SendAndClose(close));
    EXPECT_FALSE(Find(bed.Market().State()["holds"], "code", "H0001").is_object());

    // "Close" gains the closed bill; its notice brings page and row forward.
    const json bill = Find(bed.Market().State()["closeBills"], "codeRe", "H0001");
    ASSERT_TRUE(bill.is_object());
    const wxString billCode = wxString::FromUTF8(bill["code"].get<std::string>());
    ASSERT_TRUE(PumpUntil([&] { return RowOf(closed, &trade_CloseBill::orderCode, billCode) >= 0; }));
    OutputWindow& notices = bed.Host().Output();
    int notice = -1;
    ASSERT_TRUE(PumpUntil([&] {
        for(size_t i = 0; i < notices.GetEntryCount(); ++i) {
            if(notices.GetEntry(i).IsNotice() &&
               notices.GetEntry(i).title == "Close Trade[" + billCode + "]") {
                notice = static_cast<int>(i);
            }
        }
        return notice >= 0;
    }));
    Output()->SetSelection(static_cast<size_t>(position), false);
    ASSERT_TRUE(notices.ClickEntry(static_cast<size_t>(notice)));
    EXPECT_EQ(Output()->GetSelection(), PageOf("Close"));
    ASSERT_NE(closed->GetSelectedRecord(), nullptr);
    EXPECT_EQ(closed->GetSelectedRecord()->orderCode, billCode);
    // The AG position is gone with its last hold; the rows still add up.
    ASSERT_TRUE(PumpUntil([&] { return RowOf(positions, &trade_Position::symbolId, 101) < 0; }));
    EXPECT_EQ(model->GetCount(), model->GetRecordCount() + (model->GetRecordCount() > 0 ? 1 : 0));

    // L0001 modified through the menu: its cells follow the market's push.
    const int limitRow = RowOf(limits, &trade_Limit::orderCode, wxString("L0001"));
    ASSERT_GE(limitRow, 0);
    SelectRow(limits, limitRow);
    Command(limits, "modify_order");
    ASSERT_EQ(OrderDialog::GetOpenDialogs().size(), 1u);
    OrderDialog* modify = OrderDialog::GetOpenDialogs().back();
    EXPECT_EQ(modify->m_openCloseType, eModify);
    PumpPending();
    auto* stopLoss = After<wxSpinCtrlDouble_>(modify, "StopLoss:");
    auto* takeProfit = After<wxSpinCtrlDouble_>(modify, "TakeProfit:");
    ASSERT_TRUE(stopLoss && takeProfit);
    Spin(stopLoss, 4700);
    Spin(takeProfit, 4900);
    PumpPending();
    ASSERT_TRUE(SendAndClose(modify));
    ASSERT_TRUE(PumpUntil([&] { return Cell(limits, limitRow, LimitOrderModel::eStopLoss) == "4700"; }));
    EXPECT_EQ(Cell(limits, limitRow, LimitOrderModel::eTakeProfit), "4900");
    const json modified = Find(bed.Market().State()["limits"], "code", "L0001");
    EXPECT_EQ(modified["stopLoss"], 4700.0);
    EXPECT_EQ(modified["takeProfit"], 4900.0);

    // Its notice selects the "Limit " page; Cancel takes it away.
    SelectRow(limits, limitRow);
    Command(limits, "cancel_order");
    ASSERT_EQ(OrderDialog::GetOpenDialogs().size(), 1u);
    EXPECT_EQ(OrderDialog::GetOpenDialogs().back()->m_openCloseType, eCancel);
    ASSERT_TRUE(SendAndClose(OrderDialog::GetOpenDialogs().back()));
    ASSERT_TRUE(PumpUntil([&] { return RowOf(limits, &trade_Limit::orderCode, wxString("L0001")) < 0; }));
    EXPECT_FALSE(Find(bed.Market().State()["limits"], "code", "L0001").is_object());
    int cancelNotice = -1;
    ASSERT_TRUE(PumpUntil([&] {
        for(size_t i = 0; i < notices.GetEntryCount(); ++i) {
            if(notices.GetEntry(i).IsNotice() && notices.GetEntry(i).title == "Limit Cancel[L0001]") {
                cancelNotice = static_cast<int>(i);
            }
        }
        return cancelNotice >= 0;
    }));
    ASSERT_TRUE(notices.ClickEntry(static_cast<size_t>(cancelNotice)));
    EXPECT_EQ(Output()->GetSelection(), PageOf("Limit "));

    // A width the trader gave "DynProfit" is there after a restart.
    list->GetColumnByModelColumn(PositionModel::eDynProfit)->SetWidth(133);
    ASSERT_TRUE(bed.Restart());
    positions = PaneOf<PositionPane>("Position");
    ASSERT_NE(positions, nullptr);
    bool widthKept = false;
    for(const pmDataViewCtrlConfig::Column& column : positions->GetList()->GetLayout()) {
        if(column.modelColumn == PositionModel::eDynProfit) {
            widthKept = column.width == 133;
        }
    }
    EXPECT_TRUE(widthKept);
}

TEST_F(TradingPanesOnTheBed, ADeliveryWaitsWithThreeDashesThenShowsItsConfirmationAsTheMarketSays)
{
    auto* deliveries = PaneOf<DeliveryOrderPane>("Delivery");
    ASSERT_NE(deliveries, nullptr);
    const unsigned int before = deliveries->GetModel()->GetRecordCount();

    // Applied on H0001 through the order dialog, as the hold-detail pane opens it.
    const auto found = bed.Store().m_trade_HoldBill_table->Find("H0001");
    ASSERT_NE(found, bed.Store().m_trade_HoldBill_table->GetIndexByPrimary().end());
    const trade_HoldBill* hold = &*found;
    auto* dialog = new TestOrderDialog(&bed.Store(), '1');
    dialog->m_openCloseType = eDelivery;
    dialog->m_orderType = eMarketOrder;
    dialog->m_direction = hold->side;
    dialog->m_symbolId = hold->symbolId;
    dialog->m_pSymbolInfo = &*bed.Store().m_symbol_Info_table->GetIndexByPrimary().find(hold->symbolId);
    dialog->m_pHoldBill = hold;
    dialog->m_orderCodeRe = "H0001";
    dialog->m_quantity = static_cast<int>(hold->quantity);
    OrderDialog::PlaceNearLast(dialog);
    PumpPending();
    ASSERT_TRUE(SendAndClose(dialog));

    // The market pairs it once the pairing delay (10 s) has passed: the
    // order arrives, not yet confirmed.
    DeliveryOrderModel* model = deliveries->GetModel();
    EXPECT_EQ(model->GetRecordCount(), before);
    ASSERT_EQ(bed.Market().Post("/admin/clock?offsetMs=11000"), 200);
    ASSERT_TRUE(PumpUntil([&] { return model->GetRecordCount() == before + 1; }, std::chrono::seconds(10)));
    const int row = RowOf(deliveries, &trade_DeliveryOrder::orderCodeRe, wxString("H0001"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(Cell(deliveries, row, DeliveryOrderModel::eConfirmTime), "---");
    EXPECT_EQ(Cell(deliveries, row, DeliveryOrderModel::eConfirmStatus), "eDELCS_WaitConfirm");
    const wxString code = Cell(deliveries, row, DeliveryOrderModel::eOrderCode);
    json delivery = Find(bed.Market().State()["deliveries"], "code", code.utf8_string());
    ASSERT_TRUE(delivery.is_object());
    EXPECT_EQ(delivery["confirmState"], "1");

    // Another delay on, the market confirms it and pushes the change.
    ASSERT_EQ(bed.Market().Post("/admin/clock?offsetMs=22000"), 200);
    ASSERT_TRUE(PumpUntil([&] { return Cell(deliveries, row, DeliveryOrderModel::eConfirmTime) != "---"; },
                          std::chrono::seconds(15)));
    delivery = Find(bed.Market().State()["deliveries"], "code", code.utf8_string());
    EXPECT_EQ(delivery["confirmState"], "2");
    EXPECT_EQ(Cell(deliveries, row, DeliveryOrderModel::eConfirmStatus), "eDELCS_Success");
    EXPECT_EQ(
        Cell(deliveries, row, DeliveryOrderModel::eConfirmTime),
        FormatDateTime(ParseCompactDateTime(wxString::FromUTF8(delivery["confirmTime"].get<std::string>()))));
}

TEST_F(TradingPanesOnTheBed, AHoldDetailSummaryRowDrawsTheFiveTotalsOfItsAccount)
{
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    const auto& prices = bed.Store().m_symbol_price_table->GetIndexByPrimary();
    const int settled = prices.find(101)->lastPrice == 5000 ? 5001 : 5000;
    ASSERT_EQ(bed.Market().Post("/admin/price?symbol=101&price=" + std::to_string(settled)), 200);
    ASSERT_TRUE(PumpUntil([&] { return prices.find(101)->lastPrice == settled; }));

    auto* pane = PaneOf<HoldDetailPane>("Trade");
    ASSERT_NE(pane, nullptr);
    Output()->SetSelection(static_cast<size_t>(PageOf("Trade")));
    auto* model = dynamic_cast<HoldDetailModel*>(pane->GetList()->GetModel());
    ASSERT_NE(model, nullptr);
    int summary = -1;
    for(unsigned int row = 0; row < model->GetCount(); ++row) {
        const user_Account* account = model->GetRowAccount(row);
        if(model->IsSummaryRow(row) && account && account->accountKey == 11) {
            summary = static_cast<int>(row);
        }
    }
    ASSERT_GE(summary, 0);
    const user_Account& account = *model->GetRowAccount(static_cast<unsigned int>(summary));

    // The market's figures of account 11's bills.
    double profit = 0, margin = 0, charge = 0;
    const nlohmann::json state = bed.Market().State();
    for(const auto& hold : state["holds"]) {
        if(hold["account"] == 11) {
            profit += hold["profit"].get<double>();
            margin += hold["margin"].get<double>();
            charge += hold["chargeOpen"].get<double>();
        }
    }
    struct Total
    {
        unsigned int column;
        double value;
    };
    const Total totals[] = {{HoldDetailModel::eDynProfit, profit},
                            {HoldDetailModel::eAccuProfit, profit}, // bills opened at their hold price
                            {HoldDetailModel::eMarginUsed, margin},
                            {HoldDetailModel::eChargeOpen, charge},
                            {HoldDetailModel::eTotalChargeInterest, charge}};

    // What the list draws in each total's cell: its text in a colour of its
    // own over the band (a cell left blank shows the band alone).
    pmDataViewCtrl& list = *pane->GetList();
    const wxDataViewItem item = model->GetItem(static_cast<unsigned int>(summary));
    ASSERT_TRUE(PumpUntil([&] {
        wxTheApp->ProcessIdle();
        return list.GetItemRect(item, list.GetColumn(0)).height > 0;
    }));
    for(const Total& total : totals) {
        SCOPED_TRACE(total.column);
        EXPECT_EQ(model->GetSummaryText(account, total.column),
                  FormatMoney(std::round(total.value * 100) / 100));
        wxDataViewColumn* column = nullptr;
        for(unsigned int i = 0; i < list.GetColumnCount(); ++i) {
            if(list.GetColumn(i)->GetModelColumn() == total.column) {
                column = list.GetColumn(i);
            }
        }
        ASSERT_NE(column, nullptr);
        // The bottom row is narrower than all the columns: scrolled to the
        // cell, as the trader would.
        int columnX = 0;
        for(unsigned int i = 0; i < list.GetColumnCount(); ++i) {
            wxDataViewColumn* before = list.GetColumn(i);
            if(list.GetColumnPosition(before) < list.GetColumnPosition(column) && !before->IsHidden()) {
                columnX += before->GetWidth();
            }
        }
        GtkWidget* tree = list.GtkGetTreeView();
        gtk_tree_view_scroll_to_point(reinterpret_cast<GtkTreeView*>(tree), columnX, -1);
        // The list draws itself into a bitmap: the screen read back inside
        // the program may stay an older picture (the list before the scroll)
        // on a busy display. The list may be filled anew meanwhile, so the
        // cell is looked up at every drawing.
        wxRect cell;
        int inked = 0;
        EXPECT_TRUE(PumpUntil([&] {
            wxTheApp->ProcessIdle();
            cell = list.GetItemRect(item, column);
            const wxRect shown(0, 0, gtk_widget_get_allocated_width(tree),
                               gtk_widget_get_allocated_height(tree));
            if(cell.width <= 0 || !shown.Contains(cell)) {
                return false;
            }
            wxBitmap shot(shown.GetSize());
            {
                wxMemoryDC memory(shot);
                memory.SetBackground(*wxWHITE_BRUSH);
                memory.Clear();
                gtk_widget_draw(tree, static_cast<cairo_t*>(memory.GetGraphicsContext()->GetNativeContext()));
            }
            const wxImage image = shot.ConvertToImage().GetSubImage(wxRect(cell).Deflate(2));
            inked = 0;
            for(int y = 0; y < image.GetHeight(); ++y) {
                for(int x = 0; x < image.GetWidth(); ++x) {
                    inked += image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y) < 480;
                }
            }
            return inked > 10;
        })) << "no text drawn in the cell at "
            << cell.x << "," << cell.y << "+" << cell.width << " of " << gtk_widget_get_allocated_width(tree)
            << ": " << inked << " dark pixels";
    }
}

TEST_F(TradingPanesOnTheBed, WhenTheSelectedLimitOrderGoesNothingIsSelectedAndEnterActsOnNothing)
{
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    auto* limits = PaneOf<LimitOrderPane>("Limit ");
    ASSERT_NE(limits, nullptr);
    Output()->SetSelection(static_cast<size_t>(PageOf("Limit ")));
    const auto& table = bed.Store().m_trade_Limit_table->GetContainer();
    const std::size_t before = table.size();
    for(double price : {4000.0, 3900.0}) {
        sFFixSetOrder order{};
        order.accountKey = 11;
        order.side = 'b';
        order.price = price;
        order.quantity = 1;
        order.orderType = '3';
        order.symbolId = 101;
        order.validDateType = '1';
        order.pointDiff = 100000;
        ASSERT_GE(bed.GetClient()->ReqSetOrder(&order), 0);
        ASSERT_TRUE(PumpUntil([&] { return table.size() == before + 1 + (price < 4000.0); }));
    }
    pmDataViewCtrl& list = *limits->GetList();
    LimitOrderModel& model = *limits->GetModel();
    ASSERT_EQ(model.GetCount(), before + 2);
    // The trader picks the first new one, not the last row; the market
    // cancels it.
    unsigned int row = 0;
    while(row + 1 < model.GetCount() && model.GetRecordAt(row)->orderPrice != 4000.0) {
        ++row;
    }
    ASSERT_EQ(model.GetRecordAt(row)->orderPrice, 4000.0);
    ASSERT_LT(row + 1, model.GetCount());
    const wxDataViewItem first = model.GetItem(row);
    list.SetCurrentItem(first);
    list.Select(first);
    const trade_Limit* chosen = limits->GetSelectedRecord();
    ASSERT_NE(chosen, nullptr);
    sFFixCancelOrder cancel{};
    std::strncpy(cancel.orderCode, chosen->orderCode.utf8_str(), sizeof cancel.orderCode);
    ASSERT_GE(bed.GetClient()->ReqCancelOrder(&cancel), 0);
    ASSERT_TRUE(PumpUntil([&] { return table.size() == before + 1; }));
    PumpPending();
    EXPECT_FALSE(list.HasSelection());
    EXPECT_EQ(limits->GetSelectedRecord(), nullptr);
    // Enter on the row the toolkit moved to opens nothing.
    wxDataViewEvent enter(wxEVT_DATAVIEW_ITEM_ACTIVATED, &list, list.GetColumn(1), list.GetCurrentItem());
    list.GetEventHandler()->ProcessEvent(enter);
    PumpPending();
    EXPECT_TRUE(OrderDialog::GetOpenDialogs().empty());
}
