// Hang-order panes of two symbols over the process-wide store: what each
// shows, how it follows the store and the login, its columns, its commands,
// and the store written when a pane goes.
#include "DialogScript.h"
#include "EventPump.h"
#include "FileEnvironment.h"
#include "HangOrderTestSupport.h"
#include "orders/HandOrderDlg.h"
#include "orders/HangOrderPane.h"

#include <gmock/gmock.h>
#include <pelmora/pmDataViewTextRenderer.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

HangOrderFolders* g_folders = AddFileEnvironment<HangOrderFolders>(__FILE__);

HangOrder MakeOrder(const wxString& code, const wxString& symbol, double price = 10, double quantity = 10)
{
    HangOrder order;
    order.orderCode = code;
    order.symbolName = symbol;
    order.unitName = "Kg";
    order.bsCode = "Buy";
    order.priceOrder = price;
    order.storeName = "A";
    order.quantityOrder = quantity;
    order.quantityComplete = 3;
    return order;
}

std::vector<wxString> Rows(const HangOrderPane& pane)
{
    std::vector<wxString> codes;
    const HangOrderModel& model = *pane.GetModel();
    for(unsigned int row = 0; row < model.GetCount(); ++row) {
        const HangOrder* order = model.GetRecordAt(row);
        codes.push_back(order ? order->orderCode : "(none)");
    }
    return codes;
}

wxVariant Cell(const HangOrderPane& pane, unsigned int row, unsigned int column)
{
    wxVariant value;
    pane.GetModel()->GetValueByRow(value, row, column);
    return value;
}

class HangOrderPanes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        store.Clear(); // each test starts from an empty store
        frame->SetSizer(new wxBoxSizer(wxVERTICAL));
        frame->Show();
    }
    void TearDown() override { delete frame; }

    HangOrderPane* AddPane(int symbolId)
    {
        auto* pane = new HangOrderPane(frame, db.get(), SymbolOf(*db, symbolId), nullptr);
        frame->GetSizer()->Add(pane, 1, wxEXPAND);
        frame->Layout();
        return pane;
    }
    CActionTrigger<user_LoginInfo>& LoginTrigger(HangOrderPane* pane) { return *pane; }

    std::unique_ptr<RecordStore> db = MakeStore(
        {{301, '3', "OIL", "Crude Oil"}, {302, '3', "BRT", "Brent"}, {303, '3', "oil", "crude oil"}});
    HangOrderFactory& store = GetHangOrderFactory();
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "hang orders", wxDefaultPosition, wxSize(1200, 500));
    DialogScript dialogs;
};

TEST_F(HangOrderPanes, AnOrderShowsOnlyInThePaneOfItsSymbolNameAtTheEndAndFollowsTheStore)
{
    store.Insert(MakeOrder("A", "Crude Oil"), true);
    HangOrderPane* oil = AddPane(301);
    HangOrderPane* brent = AddPane(302);
    EXPECT_EQ(oil->GetCaption(), "OIL");
    EXPECT_EQ(oil->GetSymbolName(), "Crude Oil");
    EXPECT_THAT(Rows(*oil), ElementsAre("A"));

    store.Insert(MakeOrder("B", "Brent"), true);
    store.Insert(MakeOrder("C", "Crude Oil"), true);
    store.Insert(MakeOrder("D", "crude oil"), true); // another name by its case
    EXPECT_THAT(Rows(*oil), ElementsAre("A", "C"));
    EXPECT_THAT(Rows(*brent), ElementsAre("B"));

    ASSERT_TRUE(store.Upsert(MakeOrder("A", "Crude Oil", 9.5)));
    EXPECT_EQ(Cell(*oil, 0, HangOrderModel::ePriceOrder).GetString(), "9.50");
    store.Remove(store.Find("A"), true);
    EXPECT_THAT(Rows(*oil), ElementsAre("C"));
    EXPECT_EQ(Cell(*oil, 0, HangOrderModel::eRowNumber).GetLong(), 1);
}

TEST_F(HangOrderPanes, TheLoginGoingEmptiesThePaneAndALoginFillsItAgainInTheStoresOrder)
{
    for(const char* code : {"X1", "X2", "X3"}) {
        store.Insert(MakeOrder(code, "Crude Oil"), true);
    }
    store.Insert(MakeOrder("Y1", "Brent"), true);
    HangOrderPane* oil = AddPane(301);
    std::vector<wxString> stored;
    const auto range = store.GetIndex<BySymbolName>().equal_range(wxString("Crude Oil"));
    for(auto it = range.first; it != range.second; ++it) {
        stored.push_back(it->orderCode);
    }
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_THAT(Rows(*oil), ElementsAreArray(stored));

    // The login table offers no removal; the pane still answers the call.
    user_LoginInfo login;
    login.userId = 7;
    EXPECT_TRUE(LoginTrigger(oil).beforeRemove(login, nullptr, nullptr));
    EXPECT_TRUE(Rows(*oil).empty());
    EXPECT_EQ(store.GetContainer().size(), 4u); // the store keeps its orders

    ASSERT_TRUE(db->m_user_LoginInfo_table->Upsert(login));
    EXPECT_THAT(Rows(*oil), ElementsAreArray(stored));
    login.userName = "again";
    ASSERT_TRUE(db->m_user_LoginInfo_table->Upsert(login));
    EXPECT_THAT(Rows(*oil), ElementsAreArray(stored));
}

TEST_F(HangOrderPanes, TwelveColumnsTwoHiddenAndColumnNineANumberWithTwoDecimals)
{
    store.Insert(MakeOrder("A", "Crude Oil", 4520.5, 10), true);
    HangOrderPane* oil = AddPane(301);
    pmDataViewCtrl* list = oil->GetList();
    ASSERT_EQ(oil->GetModel()->GetColumnCount(), 12u);
    ASSERT_EQ(list->GetColumnCount(), 12u);
    const char* titles[] = {
        "",       "orderCode",  "symbolName", "unitName",      "quantityRem", "quantityComplete",
        "bsCode", "priceOrder", "storeName",  "quantityOrder", "opBuy",       "opPrice"};
    for(unsigned int column = 0; column < 12; ++column) {
        wxDataViewColumn* shown = list->GetColumnByModelColumn(column);
        ASSERT_NE(shown, nullptr) << column;
        EXPECT_EQ(shown->GetTitle(), titles[column]);
        EXPECT_EQ(shown->IsHidden(), column == 10 || column == 11) << column;
    }
    const struct
    {
        unsigned int column;
        const char* text;
    } texts[] = {{1, "A"},   {2, "Crude Oil"}, {3, "Kg"}, {4, "7.00"},    {5, "3.00"},
                 {6, "Buy"}, {7, "4520.50"},   {8, "A"},  {10, "ZaiPai"}, {11, "HuanJia"}};
    for(const auto& t : texts) {
        EXPECT_EQ(Cell(*oil, 0, t.column).GetString(), t.text) << t.column;
    }
    EXPECT_EQ(Cell(*oil, 0, 0).GetLong(), 1);
    const wxVariant quantity = Cell(*oil, 0, HangOrderModel::eQuantityOrder);
    EXPECT_EQ(quantity.GetType(), "double");
    EXPECT_DOUBLE_EQ(quantity.GetDouble(), 10.0);
    EXPECT_TRUE(Cell(*oil, 1, 1).IsNull()); // past the records

    // The cell of column 9 takes the number (a wrong type would fail an
    // assertion here) and writes it with two decimals.
    wxDataViewRenderer* renderer =
        list->GetColumnByModelColumn(HangOrderModel::eQuantityOrder)->GetRenderer();
    auto* text = dynamic_cast<pmDataViewTextRenderer*>(renderer);
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(
        text->PrepareForItem(oil->GetModel(), oil->GetModel()->GetItem(0), HangOrderModel::eQuantityOrder));
    wxVariant shown;
    text->GetValue(shown);
    EXPECT_EQ(pmDataViewTextRenderer::ValueText(shown), "10.00");
    list->Refresh();
    list->Update();
    PumpEvents();
}

TEST_F(HangOrderPanes, MenuAndActivationShowTheFocusedOrderInTheirModeAndChangeNothing)
{
    store.Insert(MakeOrder("A", "Crude Oil"), true);
    store.Insert(MakeOrder("B", "Crude Oil"), true);
    HangOrderPane* oil = AddPane(301);
    std::vector<std::pair<int, wxString>> shown;
    auto record = [&shown](wxDialog& dialog) {
        auto& hang = dynamic_cast<HandOrderDlg&>(dialog);
        shown.emplace_back(hang.GetMode(), hang.GetHangOrder().orderCode);
        return wxID_CANCEL;
    };
    auto menu = [oil](const char* id) {
        wxCommandEvent command(wxEVT_MENU, XRCID(id));
        oil->GetEventHandler()->ProcessEvent(command);
    };

    menu("zaipai"); // no focused row: nothing
    menu("huanjia");
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(dialogs.Seen().empty());

    const std::vector<wxString> rows = Rows(*oil);
    ASSERT_EQ(rows.size(), 2u);
    const wxString focused = rows[1];
    oil->GetList()->SetCurrentItem(oil->GetModel()->GetItem(1));
    for(int i = 0; i < 3; ++i) {
        dialogs.Answer(record);
    }
    menu("zaipai");
    menu("huanjia");
    wxDataViewEvent activated(wxEVT_DATAVIEW_ITEM_ACTIVATED, oil->GetList(), oil->GetModel()->GetItem(1));
    oil->GetList()->GetEventHandler()->ProcessEvent(activated);
    EXPECT_THAT(shown, ElementsAre(std::make_pair(1, focused), std::make_pair(2, focused),
                                   std::make_pair(1, focused)));
    EXPECT_EQ(Rows(*oil), rows);
    EXPECT_EQ(store.GetContainer().size(), 2u);
}

TEST_F(HangOrderPanes, APaneGoingWritesTheWholeStoreToTheFile)
{
    HangOrderPane* oil = AddPane(301);
    store.Insert(MakeOrder("O1", "Crude Oil"), true);
    store.Insert(MakeOrder("B1", "Brent"), true);
    delete oil;
    const auto json = ReadJsonFile(g_folders->StoreFile());
    ASSERT_TRUE(json.contains("HangOrder")) << json.dump();
    std::vector<std::string> codes;
    for(const auto& item : json["HangOrder"]) {
        codes.push_back(item["orderCode"]);
    }
    EXPECT_THAT(codes, ::testing::UnorderedElementsAre("O1", "B1"));
}

} // namespace
