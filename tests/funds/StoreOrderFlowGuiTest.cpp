// Store orders and goods financing on the logged-in test bed as demo: the
// holding of silver mirrored in "Store ", following the market's pushes; a
// "Store In" order in the user's file at once; the goods page; an "Apply
// Goods" at the market and its "Cancel Goods" from the mirrored row; the
// order dialog's financing question; no page when it is hidden; and stored
// orders and risk rules that cannot be read.
#include "../orders/OrderDialogHarness.h"
#include "TestBed.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "funds/FinancingGoods.h"
#include "funds/FinancingGoodsPane.h"
#include "funds/FinancingGoodsRules.h"
#include "funds/GoodsMgrPanel.h"
#include "funds/StoreOrderDlg.h"
#include "funds/StoreOrderPane.h"
#include "orders/OrderKinds.h"
#include "risk/RiskCustomPanel.h"
#include "risk/RiskCustomPanelModel.h"
#include "risk/RiskParamsCustomConfig.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <pelmora/EditorConfig.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/OutputWindow.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/timer.h>
#include <wx/xrc/xmlres.h>

namespace {

using nlohmann::json;
constexpr int kSilver = 101;

template <class Page> Page* FindPage(Notebook& book, const wxString& caption)
{
    for(size_t i = 0; i < book.GetPageCount(); ++i) {
        if(book.GetPageText(i) == caption) {
            return dynamic_cast<Page*>(book.GetPage(i));
        }
    }
    return nullptr;
}

// The mirrored rows of the symbol: apply quantity by warehouse.
std::map<int, double> Mirrored(StoreOrderPane& pane, int symbolId)
{
    std::map<int, double> rows;
    for(const StoreOrder& order : pane.GetModel()->GetOrders().GetIndex<BySequence>()) {
        if(order.IsMirrored() && order.symbolId == symbolId) {
            rows[order.mirrorStoreId] = order.applyQuantity;
        }
    }
    return rows;
}

int RowOf(StoreOrderPane& pane, int storeId, int symbolId)
{
    const auto& rows = pane.GetModel()->GetOrders().GetIndex<BySequence>();
    for(std::size_t i = 0; i < rows.size(); ++i) {
        if(rows[i].IsMirrored() && rows[i].mirrorStoreId == storeId && rows[i].symbolId == symbolId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The "Store Name" cell of the mirrored row, and the name the market gives
// that store's silver.
std::pair<wxString, wxString> StoreNames(StoreOrderPane& pane, SimProcess& market, int storeId)
{
    wxVariant shown;
    const int row = RowOf(pane, storeId, kSilver);
    if(row >= 0) {
        pane.GetModel()->GetValueByRow(shown, static_cast<unsigned int>(row), StoreOrderModel::eStoreName);
    }
    wxString name = "?";
    const json state = market.State();
    for(const json& goods : state["userInventories"]) {
        if(goods.value("account", 0) == 11 && goods.value("symbol", 0) == kSilver &&
           goods.value("storeId", 0) == storeId) {
            name = wxString::FromUTF8(goods.value("name", ""));
        }
    }
    return {shown.IsNull() ? wxString("(no row)") : shown.GetString(), name};
}

// What the market holds for account 11 of silver in that store: quantity,
// financed; -1s when no such record.
std::pair<double, double> MarketGoods(SimProcess& market, int storeId)
{
    const json state = market.State();
    for(const json& goods : state["userInventories"]) {
        if(goods.value("account", 0) == 11 && goods.value("symbol", 0) == kSilver &&
           goods.value("storeId", 0) == storeId) {
            return {goods.value("quantity", -1.0), goods.value("financed", -1.0)};
        }
    }
    return {-1.0, -1.0};
}

json ReadJson(const wxString& path)
{
    wxFFile file(path, "rb");
    wxString text;
    if(!file.IsOpened() || !file.ReadAll(&text, wxConvUTF8)) {
        return nullptr;
    }
    return json::parse(text.utf8_string(), nullptr, false);
}

void Click(wxButton* button)
{
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

// Runs `act` once the modal dialog's loop runs; ends the dialog after 20 s
// should the test's expectations fail to close it.
int ActInLoop(wxDialog& dialog, std::function<void()> act)
{
    dialog.CallAfter(std::move(act));
    auto guard = std::make_shared<wxTimer>();
    guard->Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) {
        if(dialog.IsModal()) {
            dialog.EndModal(wxID_ABORT);
        }
    });
    guard->StartOnce(20000);
    dialog.Bind(wxEVT_DESTROY, [guard](wxWindowDestroyEvent& event) {
        guard->Stop();
        event.Skip();
    });
    return wxID_NONE;
}

TEST(StoreOrderFlow, MirrorStoreInApplyAndCancelGoodsAndTheFinancingQuestion)
{
    TestBed bed;
    // Another user's orders, which no save of demo's may drop.
    const wxString file = bed.UserDataDir() + "/config/storeorder.con";
    wxFileName::Mkdir(wxFileName(file).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    {
        wxFFile seed(file, "wb");
        ASSERT_TRUE(seed.IsOpened());
        seed.Write(wxString(R"({"StoreOrder":{"1002":[{"storeCode":"OTHER"}]}})"));
    }
    ASSERT_TRUE(bed.Start());
    Notebook& output = *bed.Host().Manager().GetOutputBook();
    Notebook& centre = *bed.Host().Manager().GetCentreBook();
    StoreOrderPane* pane = FindPage<StoreOrderPane>(output, "Store ");
    ASSERT_NE(pane, nullptr);

    // The holding of store 1 and its pushes.
    ASSERT_TRUE(PumpUntil([&] { return Mirrored(*pane, kSilver) == std::map<int, double>{{1, 3.0}}; }));
    const std::pair<wxString, wxString> loaded = StoreNames(*pane, bed.Market(), 1);
    EXPECT_EQ(loaded.first, loaded.second);
    EXPECT_FALSE(loaded.second.empty());
    ASSERT_EQ(bed.Market().Post("/admin/goods?account=11&store=1&symbol=101&delta=2"), 200);
    ASSERT_TRUE(PumpUntil([&] { return Mirrored(*pane, kSilver) == std::map<int, double>{{1, 5.0}}; }));
    EXPECT_EQ(StoreNames(*pane, bed.Market(), 1), loaded) << "the pushed row keeps its store name";
    // Nothing of these goods is financed: "Cancel Apply" says so, no goods page.
    pane->CancelApply(static_cast<unsigned int>(RowOf(*pane, 1, kSilver)));
    EXPECT_EQ(bed.Dialogs().Seen().back().title, "Cancel Apply");
    EXPECT_TRUE(bed.Dialogs().Seen().back().message.StartsWith("None of these goods is financed"));
    EXPECT_EQ(FindPage<GoodsMgrPanel>(centre, "FinancingGoods"), nullptr);
    ASSERT_EQ(bed.Market().Post("/admin/goods?account=11&store=1&symbol=101&delta=-5"), 200);
    ASSERT_TRUE(PumpUntil([&] { return Mirrored(*pane, kSilver).empty(); }));
    EXPECT_EQ(bed.Market().Post("/admin/goods?account=99&store=1&symbol=101&delta=1"), 400);

    // "Store In": in the file at once, beside the other user's array; the
    // market hears nothing.
    const json before = bed.Market().State();
    bed.Dialogs().Answer([](wxDialog& dialog) {
        auto& store = dynamic_cast<StoreOrderDlg&>(dialog);
        store.InitDialog();
        EXPECT_EQ(store.GetTitle(), "Store In");
        EXPECT_FALSE(store.GetComboBoxStoreOrder()->IsEnabled());
        store.GetComboBoxQty()->SetValue("2.5");
        Click(store.GetButtonOK());
        EXPECT_TRUE(store.GetStaticTextMessage()->GetLabel().EndsWith("Quantity Error!"));
        store.GetComboBoxQty()->SetValue("2");
        Click(store.GetButtonOK());
        const wxString added = store.GetStaticTextMessage()->GetLabel();
        EXPECT_TRUE(added.Contains("added") &&
                    added.EndsWith(wxString::FromUTF8("quantity 2, warehouse 华北一号库")))
            << added;
        return wxID_CANCEL;
    });
    wxCommandEvent storeIn(wxEVT_MENU, XRCID("store_in"));
    pane->OnStoreCommand(storeIn);
    ASSERT_EQ(pane->GetModel()->GetCount(), 1u);
    json saved = ReadJson(file);
    ASSERT_EQ(saved["StoreOrder"]["1001"].size(), 1u);
    EXPECT_EQ(saved["StoreOrder"]["1001"][0]["quantity"], "2");
    EXPECT_EQ(saved["StoreOrder"]["1002"][0]["storeCode"], "OTHER");
    const json after =
        json::parse(bed.Market().Get("/admin/state?logAfter=" + before["requestsLastSeq"].dump()));
    EXPECT_EQ(after["userInventories"], before["userInventories"]);
    // Only the client's own reads may have reached the market meanwhile.
    for(const json& request : after["requests"]) {
        EXPECT_TRUE(request.value("request", std::string()).rfind("ReqQry", 0) == 0 ||
                    request.value("method", std::string()) == "GET")
            << request.dump();
    }

    // "Store Regist" without a selection shows the first row, read-only.
    const wxString code = pane->GetModel()->GetOrders().GetIndex<BySequence>()[0].storeCode;
    bed.Dialogs().Answer([&code](wxDialog& dialog) {
        auto& regist = dynamic_cast<StoreOrderDlg&>(dialog);
        regist.InitDialog();
        EXPECT_EQ(regist.GetTitle(), "Store Regist");
        EXPECT_EQ(regist.GetComboBoxStoreOrder()->GetStringSelection(), code);
        EXPECT_EQ(regist.GetComboBoxQty()->GetValue(), "2");
        EXPECT_FALSE(regist.GetComboBoxQty()->IsEnabled() || regist.GetComboBoxStoreOrder()->IsEnabled());
        // Nothing to confirm: Close only.
        EXPECT_FALSE(regist.GetButtonOK()->IsShown());
        EXPECT_EQ(regist.GetButtonCancel()->GetLabel(), "Close");
        return wxID_CANCEL;
    });
    wxCommandEvent regist(wxEVT_MENU, XRCID("store_regist"));
    pane->GetList()->UnselectAll();
    pane->OnStoreCommand(regist);
    EXPECT_EQ(pane->GetModel()->GetCount(), 1u);

    // "Cancel Apply": No keeps the order and the file, Yes removes both.
    bed.Dialogs().AnswerWith(wxID_NO);
    pane->CancelApply(0);
    EXPECT_EQ(bed.Dialogs().Seen().back().title, "Cancel Apply");
    EXPECT_EQ(pane->GetModel()->GetCount(), 1u);
    EXPECT_EQ(ReadJson(file), saved);
    bed.Dialogs().AnswerWith(wxID_YES);
    pane->CancelApply(0);
    EXPECT_EQ(pane->GetModel()->GetCount(), 0u);
    saved = ReadJson(file);
    EXPECT_TRUE(saved["StoreOrder"]["1001"].empty());
    EXPECT_EQ(saved["StoreOrder"]["1002"][0]["storeCode"], "OTHER");

    // "Store Out" on an empty list opens nothing.
    const std::size_t dialogsSeen = bed.Dialogs().Seen().size();
    wxCommandEvent storeOut(wxEVT_MENU, XRCID("store_out"));
    pane->OnStoreCommand(storeOut);
    EXPECT_EQ(bed.Dialogs().Seen().size(), dialogsSeen);

    // The goods page: one page, however often it is asked for.
    wxCommandEvent borrow(wxEVT_MENU, XRCID("ReqBorrowInventory"));
    pane->OnBorrowInventory(borrow);
    pane->OnBorrowInventory(borrow);
    GoodsMgrPanel* goods = FindPage<GoodsMgrPanel>(centre, "FinancingGoods");
    ASSERT_NE(goods, nullptr);
    int pages = 0;
    for(size_t i = 0; i < centre.GetPageCount(); ++i) {
        pages += centre.GetPageText(i) == "FinancingGoods" ? 1 : 0;
    }
    EXPECT_EQ(pages, 1);
    FinancingGoodsModel& inventories = *goods->GetGoodsPane()->GetModel();
    ASSERT_TRUE(PumpUntil([&] { return inventories.GetCount() == 2u && !goods->IsWaiting(); }));
    EXPECT_FALSE(goods->GetRefreshButton()->IsEnabled()); // off for a second after the answer
    EXPECT_TRUE(goods->GetTimeLine()->GetValue().StartsWith("Last Update Time: "));
    int silverRow = -1;
    for(unsigned int row = 0; row < 2; ++row) {
        wxVariant sn;
        inventories.GetValueByRow(sn, row, FinancingGoodsModel::eInventorySN);
        silverRow = sn.GetString() == "INV-AG-01" ? static_cast<int>(row) : silverRow;
        EXPECT_TRUE(sn.GetString() == "INV-AG-01" || sn.GetString() == "INV-PT-01") << sn.GetString();
    }
    ASSERT_GE(silverRow, 0);

    // "Apply Goods" 1 of INV-AG-01: the dialog closes on the answer.
    int applyMaximum = -1;
    bed.Dialogs().Answer([&](wxDialog& dialog) {
        auto& apply = dynamic_cast<FinancingGoods&>(dialog);
        return ActInLoop(dialog, [&apply, &applyMaximum] {
            applyMaximum = apply.GetMaximum();
            apply.GetTextCtrlQuantity()->SetValue("1");
            Click(apply.GetButtonOK());
        });
    });
    goods->GetGoodsPane()->OpenFinancing(static_cast<unsigned int>(silverRow), FinancingGoodsRules::eApply);
    EXPECT_EQ(bed.Dialogs().Seen().back().answer, wxID_NONE);
    EXPECT_GT(applyMaximum, 0);
    EXPECT_EQ(MarketGoods(bed.Market(), 801), std::make_pair(1.0, 1.0));
    ASSERT_TRUE(PumpUntil([&] { return Mirrored(*pane, kSilver) == std::map<int, double>{{801, 1.0}}; }));
    const std::pair<wxString, wxString> financed = StoreNames(*pane, bed.Market(), 801);
    EXPECT_EQ(financed.first, financed.second) << "a row that came by push only";
    EXPECT_FALSE(financed.second.empty());

    // Its "Cancel Apply" asks nothing; the goods page's next answer opens
    // "Cancel Goods" for store 801, which returns the goods.
    wxString range;
    bed.Dialogs().Answer([&](wxDialog& dialog) {
        auto& cancel = dynamic_cast<FinancingGoods&>(dialog);
        return ActInLoop(dialog, [&cancel, &range] {
            range = cancel.GetStaticTextRange()->GetLabel();
            cancel.GetTextCtrlQuantity()->SetValue("1");
            Click(cancel.GetButtonOK());
        });
    });
    const std::size_t seen = bed.Dialogs().Seen().size();
    pane->CancelApply(static_cast<unsigned int>(RowOf(*pane, 801, kSilver)));
    ASSERT_TRUE(PumpUntil([&] { return bed.Dialogs().Seen().size() > seen; }, std::chrono::seconds(15)));
    EXPECT_EQ(bed.Dialogs().Seen()[seen].title, "Cancel Goods");
    EXPECT_EQ(range, "0 ~ 1");
    EXPECT_EQ(MarketGoods(bed.Market(), 801), std::make_pair(0.0, 0.0));
    ASSERT_TRUE(PumpUntil([&] { return Mirrored(*pane, kSilver).empty(); }));

    // Code 157 to a market sell of silver: No keeps the dialog, Yes opens
    // "Apply Goods" for it once the goods page has answered.
    ASSERT_TRUE(PumpUntil([&] { return goods->GetRefreshButton()->IsEnabled(); }));
    ASSERT_EQ(bed.Market().Post("/admin/answer?code=1009&mode=fail&error=157"), 200);
    auto* order = new TestOrderDialog(&bed.Store(), '1', &bed.Host().Manager());
    order->m_openCloseType = eOpen;
    order->m_orderType = eMarketOrder;
    order->m_direction = 's';
    order->m_pSymbolInfo = &*bed.Store().m_symbol_Info_table->GetIndexByPrimary().find(kSilver);
    order->m_symbolId = kSilver;
    OrderDialog::PlaceNearLast(order);
    PumpPending();
    bed.Dialogs().AnswerWith(wxID_NO);
    order->Click(order->m_marketOk);
    ASSERT_TRUE(PumpUntil([&] { return !order->IsWaitting(); }, std::chrono::seconds(10)));
    EXPECT_TRUE(bed.Dialogs().Seen().back().message.EndsWith("Are you sure financing goods?"));
    const auto& open = OrderDialog::GetOpenDialogs();
    ASSERT_NE(std::find(open.begin(), open.end(), order), open.end());
    EXPECT_TRUE(order->m_marketOk->IsEnabled());

    wxString title;
    bed.Dialogs().AnswerWith(wxID_YES);
    bed.Dialogs().Answer([&](wxDialog& dialog) {
        title = dialog.GetTitle();
        return wxID_CANCEL;
    });
    order->Click(order->m_marketOk);
    ASSERT_TRUE(PumpUntil([&] { return !title.empty(); }, std::chrono::seconds(15)));
    EXPECT_EQ(title, "Apply Goods");
    ASSERT_EQ(bed.Market().Post("/admin/answer?code=1009&mode=normal"), 200);

    // The unload takes the goods page with it.
    bed.Unload();
}

TEST(StoreOrderFlow, HiddenPaneGivesNoStorePage)
{
    TestBed bed;
    bed.SetConfigValue("HideStoreOrderPane", true);
    ASSERT_TRUE(bed.Start());
    Notebook& output = *bed.Host().Manager().GetOutputBook();
    for(size_t i = 0; i < output.GetPageCount(); ++i) {
        EXPECT_NE(output.GetPageText(i), "Store ");
    }
    EXPECT_NE(FindPage<wxWindow>(output, "Notice "), nullptr);
}

// The settings file as it stands, and written back whole.
json ReadSettings(TestBed& bed)
{
    return ReadJson(bed.UserDataDir() + "/config/editor.conf");
}

void WriteJson(const wxString& path, const json& value)
{
    wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFFile file(path, "wb");
    ASSERT_TRUE(file.IsOpened());
    file.Write(wxString::FromUTF8(value.dump()));
}

size_t Lines(TestBed& bed, const wxString& title)
{
    return static_cast<size_t>(
        std::count_if(bed.Host().appended.begin(), bed.Host().appended.end(),
                      [&](const OutputWindow::Entry& entry) { return entry.title == title; }));
}

TEST(StoredDataFlow, WhatCannotBeReadIsKeptAsideToldOnceAndTheRestWrittenBackUnchanged)
{
    TestBed bed;
    // Demo's store orders: one as the client writes it, three it cannot read.
    const json order = {{"userId", "1001"},  {"symbolId", "101"},    {"symbolCode", "白银"},
                        {"storeCode", "S1"}, {"quantity", "2.5"},    {"applyQuantity", "2.5"},
                        {"storeTime", ""},   {"storeName", "North"}, {"inoutStatus", 0},
                        {"registStatus", 3}, {"mortageStatus", 3}};
    const json junk = json::array({"junk",
                                   {{"storeCode", "W"}, {"symbolId", "99999999999"}},
                                   {{"storeCode", "N"}, {"quantity", "nan"}}});
    const wxString orders = bed.UserDataDir() + "/config/storeorder.con";
    json file = {{"StoreOrder", {{"1001", json::array({order, junk[0], junk[1], junk[2]})}}}};
    WriteJson(orders, file);
    // Risk rules of two logins with "RiskCustoms" as one text.
    const json price = {{"m_riskType", "mdWarning"}, {"m_riskItem", "白银"}, {"m_riskMaxVal", "5100.00"},
                        {"m_riskCondition", ""},     {"m_bSound", false},    {"m_bWindow", true}};
    const json rate = {{"m_riskType", "riskWarning"}, {"m_riskItem", ""}, {"m_riskMaxVal", "0.80"},
                       {"m_riskCondition", ""},       {"m_bSound", true}, {"m_bWindow", false}};
    json settings = ReadSettings(bed);
    settings["objects"][RiskParamsCustomConfig::kObjectName] = {{"RiskObjectVector.demo", {{"0", price}}},
                                                                {"RiskObjectVector.second", {{"0", rate}}},
                                                                {"RiskCustoms", "demo,second"}};
    WriteJson(bed.UserDataDir() + "/config/editor.conf", settings);
    EditorConfigST::Free();

    ASSERT_TRUE(bed.Start());
    Notebook& output = *bed.Host().Manager().GetOutputBook();
    auto* store = FindPage<StoreOrderPane>(output, "Store ");
    auto* risk = FindPage<RiskCustomPanel>(output, "RiskCustom");
    ASSERT_TRUE(store && risk);
    ASSERT_TRUE(PumpUntil([&] { return risk->GetLoginName() == "demo"; }));
    ASSERT_EQ(risk->GetModel()->GetCount(), 1u);
    EXPECT_DOUBLE_EQ(risk->GetModel()->GetRiskObjVec()[0]->m_riskMaxVal, 5100.0);
    std::vector<wxString> codes;
    for(const StoreOrder& row : store->GetModel()->GetOrders().GetIndex<BySequence>()) {
        if(!row.IsMirrored()) {
            codes.push_back(row.storeCode);
        }
    }
    EXPECT_EQ(codes, std::vector<wxString>{"S1"});
    EXPECT_EQ(Lines(bed, "Store orders"), 1u);
    EXPECT_EQ(Lines(bed, "Risk rules"), 1u);
    file = ReadJson(orders)["StoreOrder"];
    EXPECT_EQ(file["1001"], json::array({order}));
    EXPECT_EQ(file["1001.unreadable"], junk) << "kept as they stand";

    // A restart saves and reads everything again: nothing new to tell, and
    // what was read comes back as it was.
    ASSERT_TRUE(bed.Restart());
    risk = FindPage<RiskCustomPanel>(*bed.Host().Manager().GetOutputBook(), "RiskCustom");
    ASSERT_NE(risk, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return risk->GetLoginName() == "demo"; }));
    EXPECT_EQ(risk->GetModel()->GetCount(), 1u);
    EXPECT_EQ(Lines(bed, "Store orders"), 0u);
    EXPECT_EQ(Lines(bed, "Risk rules"), 0u);
    bed.Unload();
    file = ReadJson(orders)["StoreOrder"];
    EXPECT_EQ(file["1001"], json::array({order}));
    EXPECT_EQ(file["1001.unreadable"], junk);
    const json rules = ReadSettings(bed)["objects"][RiskParamsCustomConfig::kObjectName];
    EXPECT_EQ(rules["RiskObjectVector.demo"], json({{"0", price}}));
    EXPECT_EQ(rules["RiskObjectVector.second"], json({{"0", rate}}));
    EXPECT_EQ(rules["RiskCustoms"], json::array({"demo", "second"}));
    EXPECT_EQ(rules["RiskCustoms.unreadable"], "demo,second");
}

} // namespace
