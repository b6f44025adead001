// The order dialog on the logged-in test bed: every kind of request goes
// through the real plug-in, library and market, and shows in the market's
// state; failures, a swallowed answer and the confirmation as the trader
// meets them; the unload closes what is open.
#include "OrderDialogHarness.h"
#include "SpinTyping.h"
#include "TestBed.h"
#include "common/Colours.h"
#include "common/SettingsAccessors.h"
#include "connection/Client.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "orders/MarketOrderConfirm.h"
#include "panes/SymbolModel.h"
#include "panes/SymbolPane.h"
#include "panes/TranscationPanel.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/regex.h>
#include <wx/stattext.h>

namespace {

using nlohmann::json;
using Fill = std::function<void(TestOrderDialog&)>;

class OrderDialogEndToEnd : public LoggedInTest
{
protected:
    // Opens a dialog on a symbol (AG unless said) as a pane would: Create's
    // place in the list, the fields of the kind, then PlaceNearLast.
    TestOrderDialog* Open(int kind, int orderType, char side, const Fill& fill = Fill(), int symbolId = 101)
    {
        const symbol_Info& symbol = *bed.Store().m_symbol_Info_table->GetIndexByPrimary().find(symbolId);
        auto* dialog = new TestOrderDialog(&bed.Store(), symbol.marketType);
        dialog->m_openCloseType = kind;
        dialog->m_orderType = orderType;
        dialog->m_direction = side;
        dialog->m_pSymbolInfo = &symbol;
        dialog->m_symbolId = symbolId;
        if(fill) {
            fill(*dialog);
        }
        OrderDialog::PlaceNearLast(dialog);
        PumpPending();
        return dialog;
    }
    // The fields the hold-detail pane writes for a bill.
    Fill Bill(const wxString& code, bool close)
    {
        return [this, code, close](TestOrderDialog& d) {
            const trade_HoldBill& bill = *bed.Store().m_trade_HoldBill_table->Find(code);
            d.m_pHoldBill = &bill;
            d.m_orderCodeRe = code;
            d.m_quantity = static_cast<int>(bill.quantity);
            d.m_direction = close ? (bill.side == 'b' ? 's' : 'b') : bill.side;
            d.m_stopLossPrice = bill.stopLoss;
            d.m_takeProfitPrice = bill.takeProfit;
        };
    }
    // Clicks OK and waits until the dialog has closed on its answer.
    ::testing::AssertionResult SendAndClose(TestOrderDialog* dialog)
    {
        dialog->Click(dialog->m_marketOk);
        if(!PumpUntil([&] { return !IsOpen(dialog); }, std::chrono::seconds(10))) {
            return ::testing::AssertionFailure() << "still open: " << dialog->m_messageText->GetValue();
        }
        return ::testing::AssertionSuccess();
    }
    static bool IsOpen(const OrderDialog* dialog)
    {
        const auto& open = OrderDialog::GetOpenDialogs();
        return std::find(open.begin(), open.end(), dialog) != open.end();
    }
    std::set<wxString> BillCodes()
    {
        std::set<wxString> codes;
        for(const trade_HoldBill& bill : bed.Store().m_trade_HoldBill_table->GetIndexByPrimary()) {
            codes.insert(bill.orderCode);
        }
        return codes;
    }
    // The bill that is in the store now and was not in `before`.
    wxString NewBill(const std::set<wxString>& before)
    {
        wxString added;
        PumpUntil([&] {
            for(const wxString& code : BillCodes()) {
                if(!before.count(code)) {
                    added = code;
                    return true;
                }
            }
            return false;
        });
        return added;
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
    const symbol_price& Quote(int symbolId)
    {
        return *bed.Store().m_symbol_price_table->GetIndexByPrimary().find(symbolId);
    }
    double LastPrice(int symbolId) { return Quote(symbolId).lastPrice; }
    // The requests of that operation the market logged after `seq`.
    std::vector<json> RequestsSince(int64_t seq, const std::string& operation = "ReqSetOrder")
    {
        const json logged =
            json::parse(bed.Market().Get("/admin/state?logAfter=" + std::to_string(seq)), nullptr, false);
        std::vector<json> found;
        for(const json& request : logged.value("requests", json::array())) {
            if(request.value("request", std::string()) == operation) {
                found.push_back(request);
            }
        }
        return found;
    }
    // Types into a spin (if any), clicks OK and expects the message and nothing sent.
    void Refused(TestOrderDialog* dialog, wxSpinCtrlBase* spin, const wxString& typed,
                 const wxString& message)
    {
        const int64_t seq = LogSeq();
        if(spin) {
            TypeIntoSpin(spin, typed);
        }
        PumpPending();
        dialog->Click(dialog->m_marketOk);
        EXPECT_FALSE(dialog->IsWaitting()) << typed;
        EXPECT_TRUE(dialog->m_messageText->GetValue().EndsWith(wxString("]") + message))
            << typed << ": " << dialog->m_messageText->GetValue();
        // No order reached the market; the client's own queries may have meanwhile.
        for(const char* order : {"ReqSetOrder", "ReqModifyOrder", "ReqCancelOrder", "ReqPositionCloseOrder",
                                 "ReqHoldBillDelivery"}) {
            EXPECT_TRUE(RequestsSince(seq, order).empty()) << typed << ": " << order;
        }
    }
    int64_t LogSeq() { return bed.Market().State()["requestsLastSeq"].get<int64_t>(); }
};

// What a trader would see wrong in the drawn dialog: two shown controls that
// cover each other, a label, button or price narrower than its text, or a
// dialog beyond the host's default screen. Empty when nothing is.
std::string LayoutFaults(const wxWindow& dialog)
{
    std::string faults;
    std::vector<const wxWindow*> shown;
    for(const wxWindow* child : dialog.GetChildren()) {
        if(child->IsShown()) {
            shown.push_back(child);
        }
    }
    auto name = [](const wxWindow* w) {
        return (w->GetLabel().empty() ? wxString(w->GetClassInfo()->GetClassName()) : w->GetLabel())
            .utf8_string();
    };
    for(std::size_t i = 0; i < shown.size(); ++i) {
        for(std::size_t j = i + 1; j < shown.size(); ++j) {
            if(shown[i]->GetRect().Intersects(shown[j]->GetRect())) {
                faults += name(shown[i]) + " covers " + name(shown[j]) + "; ";
            }
        }
        const wxWindow* w = shown[i];
        const bool labelled = dynamic_cast<const wxStaticText*>(w) || dynamic_cast<const wxButton*>(w) ||
                              dynamic_cast<const wxCheckBox*>(w) || dynamic_cast<const wxRadioButton*>(w);
        if(labelled && w->GetSize().x < w->GetTextExtent(w->GetLabel()).x) {
            faults += name(w) + " cut; ";
        }
        if(const auto* text = dynamic_cast<const wxTextCtrl*>(w)) {
            if(text->GetSize().x < text->GetTextExtent(text->GetValue()).x) {
                faults += text->GetValue().utf8_string() + " cut; ";
            }
        }
    }
    if(dialog.GetSize().x > 1280 || dialog.GetSize().y > 800) {
        faults += "larger than 1280x800; ";
    }
    return faults;
}

} // namespace

TEST_F(OrderDialogEndToEnd, EveryKindReachesTheMarketAndFailuresShowOnTheLine)
{
    ASSERT_EQ(200, bed.Market().Post("/admin/walk?rate=0"));
    // Moves sent before the walk stopped may still be on the way: a price set
    // after them, once seen here, means the quote the dialog shows is final.
    const int settled = LastPrice(101) == 5000 ? 5001 : 5000;
    ASSERT_EQ(200, bed.Market().Post("/admin/price?symbol=101&price=" + std::to_string(settled)));
    ASSERT_TRUE(PumpUntil([&] { return LastPrice(101) == settled; }));

    // A market buy of 2 becomes a hold bill at the buy quote shown.
    std::set<wxString> before = BillCodes();
    TestOrderDialog* buy = Open(eOpen, eMarketOrder, 'b', [](TestOrderDialog& d) { d.m_quantity = 2; });
    const wxString shownQuote = buy->m_priceText1->GetValue();
    ASSERT_TRUE(SendAndClose(buy));
    const wxString bill = NewBill(before);
    ASSERT_FALSE(bill.empty());
    json hold = Find(bed.Market().State()["holds"], "code", bill.utf8_string());
    ASSERT_TRUE(hold.is_object());
    EXPECT_EQ(2.0, hold["quantity"].get<double>());
    EXPECT_EQ(shownQuote, wxString::Format("%g", hold["openPrice"].get<double>()));

    // Its stop-loss and take-profit through kind 2, checked as a new order's:
    // beyond their bounds or below 0 refused, nothing sent.
    TestOrderDialog* modify = Open(eModify, eMarketOrder, 'b', Bill(bill, false));
    Refused(modify, modify->m_stopLossSpin, wxString::Format("%d", settled), "Stop Loss Price Invalid");
    Refused(modify, modify->m_stopLossSpin, "-5", "Stop Loss Price Invalid");
    TypeIntoSpin(modify->m_stopLossSpin, ""); // emptied: no stop loss, not the field's lowest number
    EXPECT_EQ("0", modify->m_stopLossSpin->GetTextValue());
    Refused(modify, modify->m_takeProfitSpin, wxString::Format("%d", settled - 100),
            "Take Profit Price Invalid");
    TypeIntoSpin(modify->m_takeProfitSpin, "0");
    PumpPending();
    // Each spin first jumps to its bound, then takes the price typed.
    modify->Spin(modify->m_stopLossSpin, 1);
    modify->Spin(modify->m_stopLossSpin, 4900);
    modify->Spin(modify->m_takeProfitSpin, 1);
    modify->Spin(modify->m_takeProfitSpin, 5100);
    PumpPending();
    ASSERT_TRUE(SendAndClose(modify));
    ASSERT_TRUE(PumpUntil([&] { return bed.Store().m_trade_HoldBill_table->Find(bill)->stopLoss == 4900; }));
    hold = Find(bed.Market().State()["holds"], "code", bill.utf8_string());
    EXPECT_EQ(4900.0, hold["stopLoss"].get<double>());
    EXPECT_EQ(5100.0, hold["takeProfit"].get<double>());

    // Closed through kind 1.
    ASSERT_TRUE(SendAndClose(Open(eClose, eMarketOrder, 's', Bill(bill, true))));
    json state = bed.Market().State();
    EXPECT_FALSE(Find(state["holds"], "code", bill.utf8_string()).is_object());
    EXPECT_TRUE(Find(state["closeBills"], "codeRe", bill.utf8_string()).is_object());

    // A limit order and its cancel.
    std::set<std::string> limitsBefore;
    for(const json& limit : state["limits"]) {
        limitsBefore.insert(limit["code"].get<std::string>());
    }
    TestOrderDialog* limit = Open(eOpen, eLimitOrder, 'b');
    limit->Spin(limit->m_priceSpin, 1);
    limit->Spin(limit->m_priceSpin, 4700);
    PumpPending();
    ASSERT_TRUE(SendAndClose(limit));
    std::string limitCode;
    state = bed.Market().State();
    for(const json& entry : state["limits"]) {
        if(!limitsBefore.count(entry["code"].get<std::string>())) {
            limitCode = entry["code"].get<std::string>();
            EXPECT_EQ(4700.0, entry["price"].get<double>());
        }
    }
    ASSERT_FALSE(limitCode.empty());
    const wxString limitKey = wxString::FromUTF8(limitCode);
    const auto& limits = bed.Store().m_trade_Limit_table->GetIndexByPrimary();
    ASSERT_TRUE(PumpUntil([&] { return limits.find(limitKey) != limits.end(); }));
    // A stop-loss above the buy limit's price would stop it out as it fills.
    TestOrderDialog* limitModify = Open(eModify, eLimitOrder, 'b', [&](TestOrderDialog& d) {
        d.SetLimitOrder(&*limits.find(limitKey));
        d.m_limitPrice = 4700;
    });
    Refused(limitModify, limitModify->m_stopLossSpin, "4750", "Stop Loss Price Invalid");
    limitModify->Close();
    ASSERT_TRUE(SendAndClose(Open(eCancel, eLimitOrder, 'b', [&](TestOrderDialog& d) {
        const trade_Limit& order = *limits.find(limitKey);
        d.SetLimitOrder(&order);
        d.m_limitPrice = order.orderPrice;
        d.m_quantity = static_cast<int>(order.quantityOrder);
    })));
    EXPECT_FALSE(Find(bed.Market().State()["limits"], "code", limitCode).is_object());

    // A delivery application for the demo bill.
    ASSERT_TRUE(SendAndClose(Open(eDelivery, eMarketOrder, 'b', Bill("H0001", false))));
    EXPECT_FALSE(Find(bed.Market().State()["holds"], "code", "H0001")["delivery"].is_null());
    // The market's push marks the bill applied: the same command now
    // withdraws, and the market drops the application.
    auto deliveryType = [&] { return bed.Store().m_trade_HoldBill_table->Find("H0001")->deliveryType; };
    ASSERT_TRUE(PumpUntil([&] { return deliveryType() == '2'; }));
    TestOrderDialog* withdraw = Open(eDelivery, eMarketOrder, 'b', Bill("H0001", false));
    EXPECT_TRUE(withdraw->GetTitle().StartsWith("UnDelivery Order")) << withdraw->GetTitle();
    // No empty band where the order type and the prices of other kinds are.
    std::vector<wxRect> shown;
    for(wxWindow* child : withdraw->GetChildren()) {
        if(child->IsShown()) {
            shown.push_back(child->GetRect());
        }
    }
    std::sort(shown.begin(), shown.end(), [](const wxRect& a, const wxRect& b) { return a.y < b.y; });
    int covered = 0;
    for(const wxRect& rect : shown) {
        EXPECT_LE(rect.y - covered, 20) << "an empty band above " << rect.y;
        covered = std::max(covered, rect.GetBottom() + 1);
    }
    ASSERT_TRUE(SendAndClose(withdraw));
    EXPECT_TRUE(Find(bed.Market().State()["holds"], "code", "H0001")["delivery"].is_null());
    ASSERT_TRUE(PumpUntil([&] { return deliveryType() == '1'; }));
    // Applied again and paired: neither applied for nor withdrawn any more;
    // the dialog says so and sends nothing.
    ASSERT_TRUE(SendAndClose(Open(eDelivery, eMarketOrder, 'b', Bill("H0001", false))));
    ASSERT_EQ(200, bed.Market().Post("/admin/clock?offsetMs=15000"));
    ASSERT_TRUE(
        PumpUntil([&] { return bed.Store().m_trade_HoldBill_table->Find("H0001")->deliveryStatus == '3'; },
                  std::chrono::seconds(10)));
    TestOrderDialog* late = Open(eDelivery, eMarketOrder, 'b', Bill("H0001", false));
    Refused(late, nullptr, "", "Delivery can no longer be applied for or withdrawn");
    late->Close();
    // Carried out: one charge in the ledger, the close it makes books none
    // of its own.
    ASSERT_EQ(200, bed.Market().Post("/admin/clock?offsetMs=25000"));
    json delivered;
    ASSERT_TRUE(PumpUntil(
        [&] {
            delivered = Find(bed.Market().State()["deliveries"], "holdCode", "H0001");
            return delivered.is_object() && delivered.value("confirmState", std::string()) == "2";
        },
        std::chrono::seconds(10)));
    ASSERT_EQ(200, bed.Market().Post("/admin/clock?offsetMs=0"));
    state = bed.Market().State();
    const std::string closeCode = Find(state["closeBills"], "codeRe", "H0001").value("code", std::string());
    int charges = 0;
    for(const json& entry : state["cashLedger"]) {
        const std::string ref = entry.value("ref", std::string());
        charges += (ref == delivered["code"].get<std::string>() && entry["type"] == "G") ||
                   (ref == closeCode && entry["type"] == "5");
    }
    EXPECT_EQ(1, charges);

    // A sell, then the position's sell side closed.
    before = BillCodes();
    ASSERT_TRUE(SendAndClose(Open(eOpen, eMarketOrder, 's')));
    const wxString sell = NewBill(before);
    ASSERT_FALSE(sell.empty());
    const auto& positions = bed.Store().m_trade_Position_table->GetIndexByPrimary();
    ASSERT_TRUE(PumpUntil([&] {
        const auto position = positions.find(101);
        return position != positions.end() && position->sellQuantity == 1;
    }));
    ASSERT_TRUE(SendAndClose(Open(eClosePosition, eMarketOrder, 'b', [&](TestOrderDialog& d) {
        d.m_pPosition = &*positions.find(101);
        d.m_quantity = 1;
    })));
    state = bed.Market().State();
    EXPECT_FALSE(Find(state["holds"], "code", sell.utf8_string()).is_object());
    for(const json& position : state["positions"]) {
        if(position["account"] == 11 && position["symbol"] == 101) {
            EXPECT_EQ(0.0, position["sellQuantity"].get<double>());
        }
    }

    // A refused order leaves the dialog open with the answer in red.
    ASSERT_EQ(200, bed.Market().Post("/admin/answer?code=1009&mode=fail&error=31"));
    TestOrderDialog* failing = Open(eOpen, eMarketOrder, 'b');
    failing->Click(failing->m_marketOk);
    ASSERT_TRUE(PumpUntil([&] { return !failing->IsWaitting(); }, std::chrono::seconds(10)));
    EXPECT_TRUE(IsOpen(failing));
    EXPECT_TRUE(
        wxRegEx(R"(^\[\d\d:\d\d:\d\d\].+\[31\]$)", wxRE_ADVANCED).Matches(failing->m_messageText->GetValue()))
        << failing->m_messageText->GetValue();
    EXPECT_EQ(*wxRED, failing->m_messageText->GetForegroundColour());
    EXPECT_TRUE(failing->m_marketOk->IsEnabled());

    // An answer later than the plug-in's sweep: after the time-out the order
    // may still be carried out, so the dialog says so, whole, and sends
    // nothing more until the late answer tells, as a notice.
    ASSERT_EQ(200, bed.Market().Post("/admin/answer?code=1009&mode=delay&ms=1500"));
    const int64_t lateSeq = LogSeq();
    failing->Click(failing->m_marketOk);
    ASSERT_TRUE(failing->IsWaitting());
    RequestNotify::Get()->CheckTimeOut(wxDateTime::UNow() + wxTimeSpan::Milliseconds(OrderDialog::kWaitMs));
    EXPECT_TRUE(failing->IsUnsettled());
    EXPECT_TRUE(failing->m_messageText->GetValue().EndsWith(
        "]No answer yet: the order may still be carried out; check the Trade page"))
        << failing->m_messageText->GetValue();
    EXPECT_EQ("", LayoutFaults(*failing));
    EXPECT_FALSE(failing->m_marketOk->IsEnabled());
    failing->Click(failing->m_marketOk);
    bed.SetConfigValue("showErrMsgBox", true);
    ASSERT_TRUE(PumpUntil([&] { return !failing->IsUnsettled(); }));
    ASSERT_TRUE(PumpUntil([&] { return bed.Dialogs().Seen().back().message.EndsWith("carried out[0]"); }));
    EXPECT_EQ("NoticeMessage", bed.Dialogs().Seen().back().title);
    bed.SetConfigValue("showErrMsgBox", false);
    EXPECT_EQ(1u, RequestsSince(lateSeq).size());
    EXPECT_TRUE(failing->m_marketOk->IsEnabled());
    failing->Close();
    ASSERT_EQ(200, bed.Market().Post("/admin/answer?code=1009&mode=normal"));

    // With the confirmation on, the order carries the buy quote of the last
    // price set while the confirmation was open.
    SetOrderPreConfirm(true);
    const int64_t logSeq = bed.Market().State()["requestsLastSeq"].get<int64_t>();
    bed.Dialogs().Answer(
        [this](wxDialog&) {
            for(int price : {5010, 5020, 5030}) {
                EXPECT_EQ(200, bed.Market().Post("/admin/price?symbol=101&price=" + std::to_string(price)));
                EXPECT_TRUE(PumpUntil([&] { return LastPrice(101) == price; }));
            }
            return wxID_OK;
        },
        [](wxDialog& dialog) { return dynamic_cast<MarketOrderConfirm*>(&dialog) != nullptr; });
    ASSERT_TRUE(SendAndClose(Open(eOpen, eMarketOrder, 'b')));
    EXPECT_EQ(0u, bed.Dialogs().PendingScripts());
    const json logged =
        json::parse(bed.Market().Get("/admin/state?logAfter=" + std::to_string(logSeq)), nullptr, false);
    json setOrder;
    for(const json& request : logged.value("requests", json::array())) {
        if(request.value("request", std::string()) == "ReqSetOrder") {
            setOrder = request;
        }
    }
    ASSERT_TRUE(setOrder.is_object());
    EXPECT_EQ(5032.0, setOrder["fields"]["price"].get<double>());
    EXPECT_EQ(0, setOrder["errorId"].get<int>());

    // Into a muted trade link: when the link drops, the order's fate is
    // unknown; the records read after it comes back tell it was not carried out.
    SetOrderPreConfirm(false);
    for(const char* front : {"trade1", "trade2"}) {
        ASSERT_EQ(200, bed.Market().Post(std::string("/admin/front?name=") + front + "&action=mute"));
    }
    TestOrderDialog* muted = Open(eOpen, eMarketOrder, 'b');
    muted->Click(muted->m_marketOk);
    const wxTextCtrl& mutedLine = *muted->m_messageText;
    EXPECT_TRUE(PumpUntil([&] { return mutedLine.GetValue().Contains("dropped before the answer"); },
                          std::chrono::seconds(20)))
        << mutedLine.GetValue();
    for(const char* front : {"trade1", "trade2"}) {
        ASSERT_EQ(200, bed.Market().Post(std::string("/admin/front?name=") + front + "&action=unmute"));
    }
    EXPECT_TRUE(PumpUntil([&] { return mutedLine.GetValue().EndsWith("was not carried out"); },
                          std::chrono::seconds(60)))
        << mutedLine.GetValue();
    EXPECT_TRUE(muted->CanSend());
    muted->Close();

    // With the trade link down nothing goes, and the line says why.
    for(const char* action : {"refuse", "drop"}) {
        for(const char* front : {"trade1", "trade2"}) {
            ASSERT_EQ(200,
                      bed.Market().Post(std::string("/admin/front?name=") + front + "&action=" + action));
        }
    }
    ASSERT_TRUE(
        PumpUntil([&] { return bed.GetClient()->GetTradeConnecter().GetStatus() != eLS_LoginSuccess; }));
    const int64_t downSeq = LogSeq();
    failing = Open(eOpen, eMarketOrder, 'b');
    failing->Click(failing->m_marketOk);
    EXPECT_TRUE(
        failing->m_messageText->GetValue().EndsWith("]Set Order Failed! The trade server is not connected."))
        << failing->m_messageText->GetValue();
    EXPECT_TRUE(RequestsSince(downSeq).empty());

    // The unload closes every open dialog.
    Open(eOpen, eMarketOrder, 'b');
    ASSERT_FALSE(OrderDialog::GetOpenDialogs().empty());
    bed.Unload();
    EXPECT_TRUE(OrderDialog::GetOpenDialogs().empty());
}

TEST_F(OrderDialogEndToEnd, TypedNumbersAndPricesAreSentAsShownOrNotAtAllAndEveryOrderTypeLaysOutAgain)
{
    ASSERT_EQ(200, bed.Market().Post("/admin/walk?rate=0"));
    const int settled = LastPrice(101) == 5000 ? 5001 : 5000;
    ASSERT_EQ(200, bed.Market().Post("/admin/price?symbol=101&price=" + std::to_string(settled)));
    ASSERT_TRUE(PumpUntil([&] { return LastPrice(101) == settled; }));

    // AG has no decimals: no placeholder message, prices without decimals.
    TestOrderDialog* dialog = Open(eOpen, eMarketOrder, 'b');
    EXPECT_EQ("", dialog->m_messageText->GetValue());
    for(wxSpinCtrlDouble_* spin : {dialog->m_stopLossSpin, dialog->m_takeProfitSpin, dialog->m_priceSpin}) {
        EXPECT_EQ("0", spin->GetTextValue());
    }
    EXPECT_EQ("", LayoutFaults(*dialog));

    // An 8 % margin reads as such.
    EXPECT_TRUE(dialog->m_orderInfoText->GetValue().StartsWith("proportion of deposit[8%],used margin["))
        << dialog->m_orderInfoText->GetValue();

    // A typed 0 and one above the range shown (money, and at most AG's 50
    // an order) are refused on the line, saying why. Neither becomes another
    // number.
    const int64_t seq = LogSeq();
    long most = 0;
    ASSERT_TRUE(dialog->m_ordRangeLabel->GetLabel().AfterFirst('~').ToLong(&most))
        << dialog->m_ordRangeLabel->GetLabel();
    EXPECT_LE(most, 50);
    Refused(dialog, dialog->m_quantitySpin, "0", wxString::Format("Quantity Error! (1~%ld)", most));
    EXPECT_EQ(0, dialog->m_quantitySpin->GetValue());
    Refused(dialog, dialog->m_quantitySpin, wxString::Format("%ld", most + 1),
            wxString::Format("Quantity Error! (1~%ld)", most));
    EXPECT_EQ(most + 1, dialog->m_quantitySpin->GetValue());

    // Limit order: the price row and validity join the dialog, laid out
    // anew, nothing covered or cut. It starts at the buy quote (AG has no
    // limit distance: one price box, named) with the Max at that price.
    TypeIntoSpin(dialog->m_quantitySpin, "1");
    dialog->m_orderTypeCombo->SetSelection(1);
    dialog->Click(dialog->m_orderTypeCombo, wxEVT_COMBOBOX);
    PumpPending();
    ASSERT_EQ(eLimitOrder, dialog->m_orderType);
    ASSERT_TRUE(dialog->m_priceSpin->IsShown());
    EXPECT_EQ("", LayoutFaults(*dialog));
    const wxString buyQuote = wxString::Format("%d", settled + 2);
    EXPECT_EQ(buyQuote, dialog->m_priceSpin->GetTextValue());
    EXPECT_EQ("Buy " + buyQuote, dialog->m_priceText1->GetValue());
    EXPECT_FALSE(dialog->m_priceText2->IsShown());
    EXPECT_NE("1~0", dialog->m_ordRangeLabel->GetLabel());

    // A typed -5 is red and refused, never sent as -0.01.
    TypeIntoSpin(dialog->m_priceSpin, "-5");
    PumpPending();
    EXPECT_EQ(-5.0, dialog->m_limitPrice);
    EXPECT_EQ(wxColour(255, 0, 0), dialog->m_priceSpin->GetBackgroundColour());
    dialog->Click(dialog->m_marketOk);
    EXPECT_FALSE(dialog->IsWaitting());
    EXPECT_TRUE(dialog->m_messageText->GetValue().EndsWith("]Limit Price Invalid"))
        << dialog->m_messageText->GetValue();
    EXPECT_TRUE(RequestsSince(seq).empty());

    // A price typed into the empty stop-loss is kept, not replaced by the
    // bound; so is a limit price typed and not left, over a change of side.
    // Both are what the market gets.
    gtk_entry_set_text(reinterpret_cast<GtkEntry*>(dialog->m_priceSpin->GetHandle()), "4900");
    for(wxRadioButton* side : {dialog->m_sellRadio, dialog->m_buyRadio}) {
        side->SetValue(true);
        dialog->Click(side, wxEVT_RADIOBUTTON);
        PumpPending();
    }
    EXPECT_EQ(4900.0, dialog->m_limitPrice);
    EXPECT_EQ("4900", dialog->m_priceSpin->GetTextValue());
    TypeIntoSpin(dialog->m_stopLossSpin, "4000");
    PumpPending();
    EXPECT_EQ(4000.0, dialog->m_stopLossPrice);
    EXPECT_EQ("", LayoutFaults(*dialog));
    ASSERT_TRUE(SendAndClose(dialog));
    const std::vector<json> sent = RequestsSince(seq);
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ(4900.0, sent[0]["fields"]["price"].get<double>());
    EXPECT_EQ(4000.0, sent[0]["fields"]["stopLoss"].get<double>());
    EXPECT_EQ(1.0, sent[0]["fields"]["quantity"].get<double>());

    // Copper (market '2') shows and fills at its last price, with a margin
    // per unit; crude oil (market '3') closes at the price its dialog shows.
    ASSERT_EQ(200, bed.Market().Post("/admin/price?symbol=201&price=68504.4"));
    ASSERT_TRUE(PumpUntil([&] { return LastPrice(201) == 68504.4; }));
    const std::set<wxString> before = BillCodes();
    TestOrderDialog* copper = Open(eOpen, eMarketOrder, 'b', Fill(), 201);
    EXPECT_EQ("68504.4", copper->m_priceText1->GetValue());
    EXPECT_TRUE(
        copper->m_orderInfoText->GetValue().StartsWith("deposit per unit[3000.00],used margin[3000.00]"))
        << copper->m_orderInfoText->GetValue();
    ASSERT_TRUE(SendAndClose(copper));
    EXPECT_EQ(68504.4,
              Find(bed.Market().State()["holds"], "code", NewBill(before).utf8_string())["openPrice"]);
    TestOrderDialog* close = Open(eClose, eMarketOrder, 'b', Bill("H0002", true), 301);
    const wxString closePrice = close->m_priceText1->GetValue();
    ASSERT_TRUE(SendAndClose(close));
    EXPECT_EQ(
        closePrice,
        wxString::Format(
            "%.3f", Find(bed.Market().State()["closeBills"], "codeRe", "H0002").value("closePrice", 0.0)));

    // Market data down: the board greys the row, the dialog's price says it
    // is stale and no market order goes; back with a fresh quote, it goes at
    // the price it shows.
    ASSERT_EQ(200, bed.Market().Post("/admin/front?name=md&action=refuse"));
    ASSERT_EQ(200, bed.Market().Post("/admin/front?name=md&action=drop"));
    ASSERT_TRUE(PumpUntil([&] { return !Quote(101).live; }, std::chrono::seconds(10)));
    SymbolModel& board = *bed.Plugin().GetOtcSymbolPane()->GetModel();
    wxDataViewItemAttr attr;
    board.GetAttrByRow(board.GetSymbolRow(&*bed.Store().m_symbol_Info_table->GetIndexByPrimary().find(101)),
                       SymbolModel::eAsk, attr);
    EXPECT_EQ(wxColour(Colours::kStaleQuoteText), attr.GetColour());
    dialog = Open(eOpen, eMarketOrder, 'b');
    EXPECT_TRUE(dialog->m_priceText1->GetValue().EndsWith(" (stale)")) << dialog->m_priceText1->GetValue();
    EXPECT_EQ("", LayoutFaults(*dialog));
    Refused(dialog, nullptr, "", "Price not live, wait for a fresh quote");
    const int64_t staleSeq = LogSeq();
    ASSERT_EQ(200, bed.Market().Post("/admin/front?name=md&action=accept"));
    ASSERT_TRUE(PumpUntil([&] { return Quote(101).live; }, std::chrono::seconds(30)));
    const wxString fresh = dialog->m_priceText1->GetValue();
    ASSERT_TRUE(SendAndClose(dialog));
    EXPECT_EQ(fresh, wxString::Format("%g", RequestsSince(staleSeq).at(0)["fields"]["price"].get<double>()));
}

TEST_F(OrderDialogEndToEnd, TheFinalOkChecksWithItsOwnPricesAndTheMaxStopsShortOfTheForceCloseLine)
{
    ASSERT_EQ(200, bed.Market().Post("/admin/walk?rate=0"));
    const int settled = LastPrice(101) == 5000 ? 5001 : 5000;
    ASSERT_EQ(200, bed.Market().Post("/admin/price?symbol=101&price=" + std::to_string(settled)));
    ASSERT_TRUE(PumpUntil([&] { return LastPrice(101) == settled; }));
    SetOrderPreConfirm(true);
    auto whileConfirming = [this](std::function<void()> move) {
        bed.Dialogs().Answer(
            [move](wxDialog&) {
                move();
                return wxID_OK;
            },
            [](wxDialog& dialog) { return dynamic_cast<MarketOrderConfirm*>(&dialog) != nullptr; });
    };
    auto movePrice = [this](int price) {
        EXPECT_EQ(200, bed.Market().Post("/admin/price?symbol=101&price=" + std::to_string(price)));
        EXPECT_TRUE(PumpUntil([&] { return LastPrice(101) == price; }));
    };

    // The demo bill's stop loss, valid when typed; the price falls through it
    // while the confirmation is up: its OK sends nothing and says why.
    TestOrderDialog* modify = Open(eModify, eMarketOrder, 'b', Bill("H0001", false));
    TypeIntoSpin(modify->m_stopLossSpin, wxString::Format("%d", settled - 10));
    PumpPending();
    whileConfirming([&] { movePrice(settled - 20); });
    Refused(modify, nullptr, "", "Stop Loss Price Invalid");
    EXPECT_EQ(wxColour(255, 0, 0), modify->m_stopLossSpin->GetBackgroundColour());
    EXPECT_TRUE(RequestsSince(0, "ReqModifyOrder").empty());
    modify->Close();

    // The quick panel, by the same rule: a quote gone stale under its
    // confirmation is refused with the reason.
    TranscationPanel& panel = *bed.Plugin().GetTranscationPanel();
    panel.SetSymbol(&*bed.Store().m_symbol_Info_table->GetIndexByPrimary().find(101));
    const int64_t quickSeq = LogSeq();
    whileConfirming([&] {
        ASSERT_EQ(200, bed.Market().Post("/admin/front?name=md&action=refuse"));
        ASSERT_EQ(200, bed.Market().Post("/admin/front?name=md&action=drop"));
        ASSERT_TRUE(PumpUntil([&] { return !Quote(101).live; }, std::chrono::seconds(10)));
    });
    panel.SendOrder('b');
    EXPECT_TRUE(panel.GetMessageText().EndsWith("]Price not live, wait for a fresh quote"))
        << panel.GetMessageText();
    EXPECT_TRUE(RequestsSince(quickSeq).empty());
    ASSERT_EQ(200, bed.Market().Post("/admin/front?name=md&action=accept"));
    ASSERT_TRUE(PumpUntil([&] { return Quote(101).live; }, std::chrono::seconds(30)));
    movePrice(settled);

    // "Max" is short of what free money pays for: the account stays short of
    // its force-close line at that quantity, and its confirmation warns of
    // the warning line it passes.
    const json account = Find(bed.Market().State()["accounts"], "name", "A11");
    TestOrderDialog* buy = Open(eOpen, eMarketOrder, 'b');
    long most = 0;
    ASSERT_TRUE(buy->m_ordRangeLabel->GetLabel().AfterFirst('~').ToLong(&most));
    const double unitMargin = (settled + 2) * 15 * 0.08;
    EXPECT_LT(most, std::floor(account["marginFree"].get<double>() / unitMargin));
    Refused(buy, buy->m_quantitySpin, wxString::Format("%ld", most + 1),
            wxString::Format("Quantity Error! (1~%ld)", most));
    TypeIntoSpin(buy->m_quantitySpin, wxString::Format("%ld", most));
    PumpPending();
    wxString warning;
    bed.Dialogs().Answer(
        [&](wxDialog& dialog) {
            dialog.InitDialog(); // filled as it shows
            warning = static_cast<MarketOrderConfirm&>(dialog).GetRiskWarning();
            return wxID_OK;
        },
        [](wxDialog& dialog) { return dynamic_cast<MarketOrderConfirm*>(&dialog) != nullptr; });
    ASSERT_TRUE(SendAndClose(buy));
    EXPECT_TRUE(warning.Contains("past its warning line of 80.00%")) << warning;
    // The market's risk check that saw the warning line would have closed
    // by force in the same pass: its margin call is the sign it has run.
    const int key = account["key"].get<int>();
    ASSERT_TRUE(PumpUntil([&] {
        for(const risk_notice& notice : bed.Store().m_risk_notice_table->GetIndexByPrimary()) {
            if(notice.accountKey == key && notice.noticeKind == '2') {
                return true;
            }
        }
        return false;
    }));
    const json after = Find(bed.Market().State()["accounts"], "name", "A11");
    EXPECT_LT(after["riskRate"].get<double>(), after["forceCloseLine"].get<double>());
    EXPECT_GE(after["riskRate"].get<double>(), after["warningLine"].get<double>());
    EXPECT_TRUE(Find(bed.Market().State()["holds"], "code", "H0001").is_object()); // nothing closed by force
}
