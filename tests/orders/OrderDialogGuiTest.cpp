// The order dialog as a window on a real record store: what each kind shows,
// the deferred refresh, opening and closing, the wait for the answer and the
// message line. Requests go to a recording sender; answers and time-outs come
// from a registry on a clock of the test's own.
#include "OrderDialogHarness.h"
#include "OrderTestMarket.h"
#include "common/PluginEvents.h"
#include "common/SettingsAccessors.h"
#include "layouts/OrderDialogBase.h"
#include "layouts/wxSpinCtrlDouble_.h"
#include "orders/MarketOrderConfirm.h"
#include "orders/OrderRules.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <wx/frame.h>
#include <wx/regex.h>
#include <wx/timer.h>

namespace {

class OrderDialogTest : public ::testing::Test
{
protected:
    OrderDialogTest() : registry([this] { return now; })
    {
        hold = market.AddHold("H1", 'b', 3);
        market.AddHold("H2", 'b', 2, '2');
        limit = market.AddLimit("L1", 'b', 9.5, 4);
        position = market.AddPosition(11, 6, 9);
    }
    ~OrderDialogTest() override
    {
        const std::vector<OrderDialog*> left = OrderDialog::GetOpenDialogs();
        for(OrderDialog* dialog : left) {
            delete dialog;
        }
        PumpPending();
    }

    using Fill = std::function<void(TestOrderDialog&)>;

    // Opens a dialog as a pane would: fields of the kind, then PlaceNearLast.
    TestOrderDialog* Open(int kind, int orderType, char side, const Fill& fill = Fill())
    {
        auto* dialog = new TestOrderDialog(&market.store, '1');
        dialog->m_openCloseType = kind;
        dialog->m_orderType = orderType;
        dialog->m_direction = side;
        dialog->m_symbolId = 101;
        dialog->m_pSymbolInfo = market.Symbol(101);
        if(fill) {
            fill(*dialog);
        }
        auto recording = std::make_unique<RecordingOrderSender>();
        recording->nextId = m_nextIds;
        m_nextIds += 100; // ids of two dialogs never meet
        sender = recording.get();
        dialog->SetSender(std::move(recording));
        dialog->SetRequestNotify(&registry);
        dialog->GetMessageLine().SetBoxFunction([this](const wxString& message, const wxString& caption) {
            boxes.emplace_back(message, caption);
        });
        OrderDialog::PlaceNearLast(dialog);
        PumpPending();
        return dialog;
    }

    Fill Bill(const char* code)
    {
        return [this, code](TestOrderDialog& d) {
            d.m_pHoldBill = &*market.store.m_trade_HoldBill_table->Find(code);
            d.m_orderCodeRe = code;
            d.m_quantity = static_cast<int>(d.m_pHoldBill->quantity);
        };
    }
    Fill Limit()
    {
        return [this](TestOrderDialog& d) {
            d.SetLimitOrder(limit);
            d.m_limitPrice = limit->orderPrice;
            d.m_quantity = static_cast<int>(limit->quantityOrder);
        };
    }
    Fill Position()
    {
        return [this](TestOrderDialog& d) {
            d.m_pPosition = position;
            d.m_quantity = 9;
        };
    }

    std::size_t PriceTriggers() const { return market.store.m_symbol_price_table->GetActionTriggerCount(); }
    std::size_t AccountTriggers() const { return market.store.m_user_Account_table->GetActionTriggerCount(); }
    static bool IsTopLevel(const wxWindow* window)
    {
        return std::find(wxTopLevelWindows.begin(), wxTopLevelWindows.end(), window) !=
               wxTopLevelWindows.end();
    }
    static bool Matches(const wxString& text, const char* pattern)
    {
        return wxRegEx(pattern, wxRE_ADVANCED).Matches(text);
    }

    ScratchSettings settings;
    OrderTestMarket market;
    const trade_HoldBill* hold = nullptr;
    const trade_Limit* limit = nullptr;
    const trade_Position* position = nullptr;
    wxDateTime now = wxDateTime::Now();
    RequestNotify registry;
    RecordingOrderSender* sender = nullptr; // the last opened dialog's
    std::vector<std::pair<wxString, wxString>> boxes;

private:
    int m_nextIds = 500;
};

} // namespace

TEST(OrderDialogLayout, IsATopLevelWindowWithItsRangesAndOneHandlerForBothSides)
{
    struct CountingBase : OrderDialogBase
    {
        explicit CountingBase(wxWindow* parent) : OrderDialogBase(parent) {}
        void OnDirectionChanged(wxCommandEvent& event) override
        {
            ++directionEvents;
            event.Skip();
        }
        void Raise(wxRadioButton* radio)
        {
            wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
            event.SetEventObject(radio);
            radio->ProcessWindowEvent(event);
        }
        int directionEvents = 0;
        using OrderDialogBase::m_buyRadio;
        using OrderDialogBase::m_cancelButton;
        using OrderDialogBase::m_pointDiffSpin;
        using OrderDialogBase::m_priceSpin;
        using OrderDialogBase::m_quantitySpin;
        using OrderDialogBase::m_sellRadio;
    };
    auto* frame = new wxFrame(nullptr, wxID_ANY, "owner");
    {
        CountingBase layout(frame);
        EXPECT_EQ(nullptr, layout.GetParent());
        EXPECT_TRUE(layout.HasFlag(wxRESIZE_BORDER));
        // The toolkit keeps what is typed within the range: 0, -5 and 9999
        // stay as typed, for the dialog to refuse.
        EXPECT_GT(0, layout.m_quantitySpin->GetMin());
        EXPECT_LT(10000000, layout.m_quantitySpin->GetMax());
        EXPECT_EQ(1, layout.m_quantitySpin->GetValue());
        EXPECT_EQ(0, layout.m_pointDiffSpin->GetMin());
        EXPECT_EQ(10000, layout.m_pointDiffSpin->GetMax());
        EXPECT_GT(-10000.0, layout.m_priceSpin->GetMin());
        EXPECT_EQ(1001, layout.m_buyRadio->GetId());
        EXPECT_EQ(1002, layout.m_sellRadio->GetId());
        EXPECT_EQ(wxID_CANCEL, layout.m_cancelButton->GetId());
        EXPECT_TRUE(layout.m_buyRadio->GetValue());
        EXPECT_FALSE(layout.m_sellRadio->GetValue());
        layout.Raise(layout.m_buyRadio);
        layout.Raise(layout.m_sellRadio);
        EXPECT_EQ(2, layout.directionEvents);
    }
    frame->Destroy();
    PumpPending();
}

TEST_F(OrderDialogTest, EachKindShowsItsControlsAndClosesWithoutLeavingTriggers)
{
    struct Case
    {
        const char* name;
        int kind;
        int orderType;
        char side;
        Fill fill;
        const char* title;
        bool orderTypeShown, limitShown, stopsShown, stopsEnabled, pointDiffShown, symbolEnabled,
            quantityEnabled;
        const char* range;
        const char* price1;
    };
    const Case cases[] = {
        {"new market buy",
         eOpen,
         eMarketOrder,
         'b',
         {},
         "New Order:OTC",
         true,
         false,
         true,
         true,
         true,
         true,
         true,
         "1~50",
         "10.03"},
        {"new limit sell", eOpen, eLimitOrder, 's', [](TestOrderDialog& d) { d.m_limitPrice = 10.5; },
         "New Order:OTC", true, true, true, true, false, true, true, "1~50", ">= 10.08"},
        {"close", eClose, eMarketOrder, 's', Bill("H1"), "Close Order[H1]:OTC", true, false, false, false,
         true, false, true, "1~3", "9.98"},
        {"modify a bill", eModify, eMarketOrder, 'b', Bill("H1"), "Modify Order[H1]:OTC", true, false, true,
         true, false, false, false, "1~3", "10.03"},
        {"modify a limit order", eModify, eLimitOrder, 'b', Limit(), "Modify Order[L1]:OTC", true, true, true,
         true, false, false, false, "1~4", ">= 10.13"},
        {"cancel", eCancel, eLimitOrder, 'b', Limit(), "Cancel Order[L1]:OTC", true, true, true, false, false,
         false, false, "1~4", ">= 10.13"},
        {"delivery", eDelivery, eMarketOrder, 'b', Bill("H2"), "UnDelivery Order[H2]:OTC", false, false,
         false, false, false, false, false, "1~2", nullptr},
        {"close the sell side of a position", eClosePosition, eMarketOrder, 'b', Position(),
         "Close Position[Silver]:OTC", true, false, false, false, true, false, true, "1~9", "10.03"},
    };
    const std::size_t priceTriggers = PriceTriggers();
    const std::size_t accountTriggers = AccountTriggers();
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestOrderDialog* dialog = Open(c.kind, c.orderType, c.side, c.fill);
        EXPECT_EQ(c.title, dialog->GetTitle());
        EXPECT_EQ(c.orderTypeShown, dialog->m_orderTypeCombo->IsShown());
        EXPECT_EQ(c.limitShown, dialog->m_priceSpin->IsShown());
        EXPECT_EQ(c.stopsShown, dialog->m_stopLossSpin->IsShown());
        EXPECT_EQ(c.stopsEnabled, dialog->m_stopLossSpin->IsEnabled());
        EXPECT_EQ(c.pointDiffShown, dialog->m_pointDiffCheck->IsShown());
        EXPECT_EQ(c.symbolEnabled, dialog->m_symbolCombo->IsEnabled());
        EXPECT_EQ(c.quantityEnabled, dialog->m_quantitySpin->IsEnabled());
        EXPECT_EQ(c.range, dialog->m_ordRangeLabel->GetLabel());
        // "Max" takes the top of the range shown, wherever the quantity is the trader's.
        EXPECT_EQ(c.quantityEnabled, dialog->m_maxButton->IsEnabled());
        if(c.quantityEnabled) {
            dialog->Click(dialog->m_maxButton);
            EXPECT_EQ(wxString(c.range), wxString::Format("1~%d", dialog->m_quantity));
        }
        EXPECT_EQ(c.side == 'b', dialog->m_buyRadio->GetValue());
        if(c.price1) {
            EXPECT_EQ(c.price1, dialog->m_priceText1->GetValue());
        }
        EXPECT_EQ("Silver", dialog->m_symbolCombo->GetStringSelection());
        EXPECT_EQ(priceTriggers + 1, PriceTriggers());
        EXPECT_EQ(accountTriggers + 1, AccountTriggers());

        dialog->Close();
        EXPECT_TRUE(PumpUntilDeleted(dialog));
        EXPECT_TRUE(OrderDialog::GetOpenDialogs().empty());
        EXPECT_EQ(priceTriggers, PriceTriggers());
        EXPECT_EQ(accountTriggers, AccountTriggers());
    }
}

TEST_F(OrderDialogTest, ALimitOrderDialogShowsTheLimitOrdersPriceAndBoundaries)
{
    TestOrderDialog* dialog = Open(eModify, eLimitOrder, 'b', Limit());
    EXPECT_DOUBLE_EQ(9.5, dialog->m_limitPrice);
    EXPECT_EQ(">= 10.13", dialog->m_priceText1->GetValue());
    EXPECT_EQ("<= 9.93", dialog->m_priceText2->GetValue());
    EXPECT_FALSE(dialog->m_priceSpin->IsEnabled());
}

TEST_F(OrderDialogTest, TenQuickQuantityChangesGiveOneRefresh)
{
    TestOrderDialog* dialog = Open(eOpen, eMarketOrder, 'b');
    dialog->refreshes = 0;
    for(int quantity = 1; quantity <= 10; ++quantity) {
        dialog->TypeQuantity(wxString::Format("%d", quantity));
    }
    EXPECT_EQ(0, dialog->refreshes);
    EXPECT_TRUE(PumpUntil([&] { return dialog->refreshes > 0; }));
    PumpPending();
    EXPECT_EQ(1, dialog->refreshes);
    EXPECT_EQ(10, dialog->m_quantity);
    EXPECT_EQ(10, dialog->m_quantitySpin->GetValue());

    // Not a number is no quantity (nothing to send), never 1.
    dialog->TypeQuantity("ten");
    EXPECT_EQ(0, dialog->m_quantity);
}

TEST_F(OrderDialogTest, TheUnloadEventClosesEveryOpenDialogAtOnce)
{
    const std::size_t priceTriggers = PriceTriggers();
    const std::size_t accountTriggers = AccountTriggers();
    TestOrderDialog* first = Open(eOpen, eMarketOrder, 'b');
    TestOrderDialog* second = Open(eClose, eMarketOrder, 's', Bill("H1"));
    TestOrderDialog* closing = Open(eCancel, eLimitOrder, 'b', Limit());
    closing->Click(closing->m_marketOk); // waiting for its answer
    closing->Close();                    // and closed, its deletion still pending
    first->TypeQuantity("3");            // a refresh queued
    second->Click(second->m_marketOk);   // waiting for its answer
    ASSERT_EQ(2u, OrderDialog::GetOpenDialogs().size());
    ASSERT_EQ(1u, registry.GetCount());

    wxCommandEvent unplug(wxEVT_PLUGIN_UNPLUG, 0);
    wxTheApp->ProcessEvent(unplug);

    // Nothing of the plug-in is held any more: the tables and the registry
    // may go now.
    EXPECT_TRUE(OrderDialog::GetOpenDialogs().empty());
    EXPECT_EQ(priceTriggers, PriceTriggers());
    EXPECT_EQ(accountTriggers, AccountTriggers());
    EXPECT_EQ(0u, registry.GetCount());
    EXPECT_FALSE(first->IsShown());
    EXPECT_FALSE(second->IsShown());
    first->refreshes = 0;
    wxTheApp->ProcessPendingEvents(); // the queued refresh finds the dialog closed
    EXPECT_EQ(0, first->refreshes);
    EXPECT_TRUE(PumpUntilDeleted(first));
    EXPECT_TRUE(PumpUntilDeleted(second));
    EXPECT_TRUE(PumpUntilDeleted(closing));
}

TEST_F(OrderDialogTest, EveryKindWaitsForItsAnswerAndTimesOut)
{
    struct Case
    {
        const char* name;
        int kind;
        int orderType;
        char side;
        Fill fill;
        bool okEnabledWhileWaiting;
    };
    auto stopsChanged = [this](Fill fill) {
        return [fill](TestOrderDialog& d) {
            fill(d);
            d.m_stopLossPrice = 9.0;
        };
    };
    const Case cases[] = {
        {"new market order", eOpen, eMarketOrder, 'b', {}, false},
        {"new limit order", eOpen, eLimitOrder, 'b', [](TestOrderDialog& d) { d.m_limitPrice = 10.5; }, true},
        {"close", eClose, eMarketOrder, 's', Bill("H1"), false},
        {"modify a bill", eModify, eMarketOrder, 'b', stopsChanged(Bill("H1")), false},
        {"modify a limit order", eModify, eLimitOrder, 'b', stopsChanged(Limit()), false},
        {"cancel", eCancel, eLimitOrder, 'b', Limit(), true},
        {"delivery", eDelivery, eMarketOrder, 'b', Bill("H1"), false},
        {"close a position", eClosePosition, eMarketOrder, 'b', Position(), false},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestOrderDialog* dialog = Open(c.kind, c.orderType, c.side, c.fill);
        boxes.clear();
        dialog->Click(dialog->m_marketOk);
        ASSERT_EQ(1u, sender->Count());
        const int id = dialog->GetWaitRequestId();
        EXPECT_TRUE(dialog->IsWaitting());
        EXPECT_TRUE(registry.IsWaiting(id));
        EXPECT_EQ(now + wxTimeSpan::Milliseconds(10000), registry.GetDeadline(id));
        EXPECT_EQ(c.okEnabledWhileWaiting, dialog->m_marketOk->IsEnabled());

        dialog->OnResponse(id + 1, 0, wxString()); // another request's answer
        EXPECT_TRUE(dialog->IsWaitting());
        registry.CheckTimeOut(now + wxTimeSpan::Milliseconds(9999));
        EXPECT_TRUE(dialog->IsWaitting());

        registry.CheckTimeOut(now + wxTimeSpan::Milliseconds(10000));
        EXPECT_FALSE(dialog->IsWaitting());
        // Its fate unknown: OK stays as it was while waiting, and sends nothing.
        EXPECT_TRUE(dialog->IsUnsettled());
        EXPECT_EQ(c.okEnabledWhileWaiting, dialog->m_marketOk->IsEnabled());
        ASSERT_EQ(1u, boxes.size());
        EXPECT_TRUE(
            Matches(boxes[0].first, R"(^\[\d\d:\d\d:\d\d\]No answer yet: .+ check the Trade page$)"))
            << boxes[0].first;
        EXPECT_EQ("ErrorMessage", boxes[0].second);
        EXPECT_TRUE(IsTopLevel(dialog));
        delete dialog;
    }
}

TEST_F(OrderDialogTest, OkWhilePendingSendsNothingAndAFailedAnswerEnablesOkAgain)
{
    TestOrderDialog* limitDialog =
        Open(eOpen, eLimitOrder, 'b', [](TestOrderDialog& d) { d.m_limitPrice = 10.5; });
    RecordingOrderSender* limitSender = sender;
    limitDialog->Click(limitDialog->m_marketOk);
    limitDialog->Click(limitDialog->m_marketOk);
    EXPECT_EQ(1u, limitSender->Count());

    TestOrderDialog* market = Open(eOpen, eMarketOrder, 'b');
    market->Click(market->m_marketOk);
    const int id = market->GetWaitRequestId();
    ASSERT_FALSE(market->m_marketOk->IsEnabled());
    boxes.clear();
    registry.NotifyResponse(id, 31, "price moved");
    EXPECT_TRUE(market->m_marketOk->IsEnabled());
    EXPECT_FALSE(market->IsWaitting());
    ASSERT_EQ(1u, boxes.size());
    EXPECT_TRUE(Matches(boxes[0].first, R"(^\[\d\d:\d\d:\d\d\]price moved\[31\]$)")) << boxes[0].first;
    EXPECT_TRUE(IsTopLevel(market));
}

TEST_F(OrderDialogTest, SuccessClosesAndClosingWhileWaitingDropsTheWait)
{
    TestOrderDialog* dialog = Open(eOpen, eMarketOrder, 'b');
    dialog->Click(dialog->m_marketOk);
    registry.NotifyResponse(dialog->GetWaitRequestId(), 0, wxString());
    EXPECT_TRUE(OrderDialog::GetOpenDialogs().empty());
    EXPECT_TRUE(PumpUntilDeleted(dialog));

    TestOrderDialog* cancel = Open(eCancel, eLimitOrder, 'b', Limit());
    cancel->Click(cancel->m_marketOk);
    const int id = cancel->GetWaitRequestId();
    ASSERT_TRUE(registry.IsWaiting(id));
    cancel->Close();
    EXPECT_EQ(0u, registry.GetCount());
    registry.NotifyResponse(id, 0, wxString()); // reaches nobody
    EXPECT_TRUE(PumpUntilDeleted(cancel));
}

TEST_F(OrderDialogTest, ModifyWithUnchangedPricesClosesWithoutARequest)
{
    market.AddHold("H5", 'b', 1, 0, 9.5, 10.5);
    TestOrderDialog* dialog = Open(eModify, eMarketOrder, 'b', [this](TestOrderDialog& d) {
        Bill("H5")(d);
        d.m_stopLossPrice = 9.5;
        d.m_takeProfitPrice = 10.5;
    });
    EXPECT_DOUBLE_EQ(9.5, dialog->m_stopLossSpin->GetValue());
    dialog->Click(dialog->m_marketOk);
    EXPECT_EQ(0u, sender->Count());
    EXPECT_TRUE(OrderDialog::GetOpenDialogs().empty());
}

TEST_F(OrderDialogTest, RefusedRequestsShowTheirFailureText)
{
    struct Case
    {
        int kind;
        int orderType;
        Fill fill;
        const char* text;
    };
    const Case cases[] = {
        {eOpen, eMarketOrder, {}, "Set Order Failed!"},
        {eModify, eMarketOrder,
         [this](TestOrderDialog& d) {
             Bill("H1")(d);
             d.m_stopLossPrice = 9.0;
         },
         "Modify Order Failed!"},
        {eCancel, eLimitOrder, Limit(), "Cancel Order Failed!"},
        {eDelivery, eMarketOrder, Bill("H1"), "Delivery Request Failed!"},
        {eClosePosition, eMarketOrder, Position(), "Close Poistion Failed!"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TestOrderDialog* dialog = Open(c.kind, c.orderType, 'b', c.fill);
        sender->refuse = true;
        boxes.clear();
        dialog->Click(dialog->m_marketOk);
        EXPECT_EQ(1u, sender->Count());
        EXPECT_FALSE(dialog->IsWaitting());
        EXPECT_TRUE(dialog->m_marketOk->IsEnabled());
        ASSERT_EQ(1u, boxes.size());
        EXPECT_TRUE(boxes[0].first.Contains(wxString(c.text))) << boxes[0].first;
        delete dialog;
    }
}

TEST_F(OrderDialogTest, InvalidPricesAndZeroQuantityStopOk)
{
    struct Case
    {
        const char* name;
        int orderType;
        double stopLoss, takeProfit, limitPrice;
        const char* text;
    };
    // Buy quotes 9.98 / 10.03: stop-loss at most 9.93, take-profit at least
    // 10.03, a limit price at least 0.10 from 10.03.
    const Case cases[] = {
        {"take-profit under its bound", eMarketOrder, 0.0, 10.02, 0.0, "Take Profit Price Invalid"},
        {"stop-loss over its bound", eMarketOrder, 9.94, 0.0, 0.0, "Stop Loss Price Invalid"},
        {"limit price too near", eLimitOrder, 0.0, 0.0, 10.05, "Limit Price Invalid"},
        {"limit price cleared", eLimitOrder, 0.0, 0.0, 0.0, "Limit Price Invalid"},
        {"both at their bounds", eMarketOrder, 9.93, 10.03, 0.0, nullptr},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestOrderDialog* dialog = Open(eOpen, c.orderType, 'b');
        dialog->Spin(dialog->m_priceSpin, c.limitPrice);
        dialog->m_stopLossSpin->SetValue(c.stopLoss);
        dialog->m_takeProfitSpin->SetValue(c.takeProfit);
        boxes.clear();
        dialog->Click(dialog->m_marketOk);
        if(c.text) {
            EXPECT_EQ(0u, sender->Count());
            ASSERT_EQ(1u, boxes.size());
            EXPECT_TRUE(boxes[0].first.Contains(c.text)) << boxes[0].first;
        } else {
            ASSERT_EQ(1u, sender->setOrders.size());
            EXPECT_DOUBLE_EQ(9.93, sender->setOrders[0].stopLoss);
            EXPECT_DOUBLE_EQ(10.03, sender->setOrders[0].takeProfit);
            EXPECT_NEAR(10.03, sender->setOrders[0].price, 1e-9);
            EXPECT_EQ('1', sender->setOrders[0].orderType);
            EXPECT_EQ(20, sender->setOrders[0].pointDiff);
        }
        delete dialog;
    }
}

TEST_F(OrderDialogTest, CreateRefusesASecondDialogWhenMultipleDialogsAreOffAndCascadesOtherwise)
{
    SetShowMultiOrderDialog(false);
    OrderDialog* only = OrderDialog::Create(&market.store, nullptr, '1');
    ASSERT_NE(nullptr, only);
    EXPECT_EQ(nullptr, OrderDialog::Create(&market.store, nullptr, '1'));
    delete only;

    SetShowMultiOrderDialog(true);
    std::vector<wxPoint> positions;
    for(int i = 0; i < 3; ++i) {
        OrderDialog* dialog = OrderDialog::Create(&market.store, nullptr, '1');
        ASSERT_NE(nullptr, dialog);
        dialog->m_symbolId = 101;
        dialog->GetMessageLine().SetBoxFunction([](const wxString&, const wxString&) {});
        OrderDialog::PlaceNearLast(dialog);
        PumpPending();
        positions.push_back(dialog->GetPosition());
    }
    EXPECT_EQ(positions[0] + wxPoint(50, 50), positions[1]);
    EXPECT_EQ(positions[0] + wxPoint(100, 100), positions[2]);
}

TEST_F(OrderDialogTest, DuplicateTestsMatchTheKindAndTheExactKey)
{
    Open(eOpen, eMarketOrder, 'b');
    Open(eClose, eMarketOrder, 's', Bill("H1"));
    Open(eModify, eMarketOrder, 'b', Bill("H2"));
    Open(eCancel, eLimitOrder, 'b', Limit());
    Open(eClosePosition, eMarketOrder, 'b', Position());

    EXPECT_TRUE(OrderDialog::HasNewOrderDialog(101));
    EXPECT_FALSE(OrderDialog::HasNewOrderDialog(201));
    EXPECT_TRUE(OrderDialog::HasCloseOrderDialog("H1"));
    EXPECT_FALSE(OrderDialog::HasCloseOrderDialog("h1"));
    EXPECT_FALSE(OrderDialog::HasCloseOrderDialog("H2"));
    EXPECT_TRUE(OrderDialog::HasModifyOrderDialog("H2"));
    EXPECT_FALSE(OrderDialog::HasModifyOrderDialog("L1"));
    EXPECT_TRUE(OrderDialog::HasCancelOrderDialog("L1"));
    EXPECT_FALSE(OrderDialog::HasDeliveryOrderDialog("H1"));
    EXPECT_TRUE(OrderDialog::HasClosePositionDialog(101));
    EXPECT_FALSE(OrderDialog::HasClosePositionDialog(201));
}

TEST_F(OrderDialogTest, MessageLineIsBlueForCodeZeroAndRedOtherwise)
{
    TestOrderDialog* dialog = Open(eOpen, eMarketOrder, 'b');
    boxes.clear();
    dialog->ShowError("done", 0, false, true);
    EXPECT_TRUE(Matches(dialog->m_messageText->GetValue(), R"(^\[\d\d:\d\d:\d\d\]done\[0\]$)"));
    EXPECT_EQ(*wxBLUE, dialog->m_messageText->GetForegroundColour());
    dialog->ShowError(wxString(), 31, false, true); // no text: the error table's
    EXPECT_TRUE(Matches(dialog->m_messageText->GetValue(), R"(^\[\d\d:\d\d:\d\d\]unknow error\[31\]$)"));
    EXPECT_EQ(*wxRED, dialog->m_messageText->GetForegroundColour());
    EXPECT_TRUE(boxes.empty());

    const wxString line = dialog->m_messageText->GetValue();
    dialog->ShowError("boxed", 5, true, true); // "showErrMsgBox" is on without a configuration
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(line, dialog->m_messageText->GetValue());
}

TEST_F(OrderDialogTest, PointDifferenceMemoryFollowsTheCheckBox)
{
    TestOrderDialog* dialog = Open(eOpen, eMarketOrder, 'b');
    EXPECT_EQ(20, dialog->m_pointDiffSpin->GetValue());
    dialog->m_pointDiffCheck->SetValue(false);
    dialog->Click(dialog->m_pointDiffCheck, wxEVT_CHECKBOX);
    EXPECT_EQ("", dialog->m_pointDiffSpin->GetTextValue());
    EXPECT_FALSE(dialog->m_pointDiffSpin->IsEnabled());
    const OrderDialogConfig stored = OrderDialogConfig::Load("AG", false);
    EXPECT_FALSE(stored.m_usePointDiff);
    EXPECT_EQ(-1, stored.m_pointDiff);
    dialog->Close();
    PumpUntilDeleted(dialog);

    TestOrderDialog* again = Open(eOpen, eMarketOrder, 'b');
    EXPECT_EQ("", again->m_pointDiffSpin->GetTextValue());
    EXPECT_FALSE(again->m_pointDiffCheck->GetValue());
    again->m_pointDiffCheck->SetValue(true);
    again->Click(again->m_pointDiffCheck, wxEVT_CHECKBOX);
    EXPECT_EQ(20, again->m_pointDiffSpin->GetValue());
    EXPECT_TRUE(again->m_pointDiffSpin->IsEnabled());
    EXPECT_TRUE(OrderDialogConfig::Load("AG", false).m_usePointDiff);
}

TEST_F(OrderDialogTest, AConfirmedMarketOrderCarriesTheBuyQuoteOfTheLastPriceShown)
{
    SetOrderPreConfirm(true);
    TestOrderDialog* dialog = Open(eOpen, eMarketOrder, 'b');
    wxString shownPrice;
    bool confirmed = false;
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        for(wxWindow* window : wxTopLevelWindows) {
            auto* confirm = dynamic_cast<MarketOrderConfirm*>(window);
            if(!confirm || !confirm->IsModal() || confirmed) {
                continue;
            }
            confirmed = true;
            for(double last : {10.5, 11.0, 11.25}) {
                market.SetPrice(101, last);
            }
            market.SetPrice(201, 70000.0); // another symbol changes nothing
            shownPrice = confirm->GetRowValue(2);
            confirm->EndModal(wxID_OK);
        }
    });
    poll.Start(20);
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
        for(wxWindow* window : wxTopLevelWindows) {
            if(auto* confirm = dynamic_cast<MarketOrderConfirm*>(window)) {
                confirm->EndModal(wxID_CANCEL);
            }
        }
    });
    guard.StartOnce(5000);
    dialog->Click(dialog->m_marketOk);
    poll.Stop();
    guard.Stop();
    ASSERT_TRUE(confirmed);
    ASSERT_EQ(1u, sender->setOrders.size());
    EXPECT_NEAR(11.28, sender->setOrders[0].price, 1e-9);
    EXPECT_EQ("11.28", shownPrice);
    EXPECT_TRUE(dialog->IsWaitting());
}

TEST_F(OrderDialogTest, ACancelledConfirmationSendsNothing)
{
    SetOrderPreConfirm(true);
    TestOrderDialog* dialog = Open(eCancel, eLimitOrder, 'b', Limit());
    wxTimer close;
    close.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
        for(wxWindow* window : wxTopLevelWindows) {
            if(auto* confirm = dynamic_cast<MarketOrderConfirm*>(window)) {
                confirm->Close(); // the close box
            }
        }
    });
    close.Start(20);
    dialog->Click(dialog->m_marketOk);
    close.Stop();
    EXPECT_EQ(0u, sender->Count());
    EXPECT_FALSE(dialog->IsWaitting());
}

TEST_F(OrderDialogTest, QuotesOfItsSymbolUpdateThePricesAtOnce)
{
    TestOrderDialog* dialog = Open(eOpen, eMarketOrder, 'b');
    EXPECT_EQ("10.03", dialog->m_priceText1->GetValue());
    EXPECT_EQ("  <=    9.93", dialog->m_stopLoss10Point->GetLabel());
    EXPECT_EQ("  >=    10.03", dialog->m_takeProfit10Point->GetLabel());
    dialog->refreshes = 0;
    market.SetPrice(101, 11.0);
    EXPECT_EQ("11.03", dialog->m_priceText1->GetValue());
    EXPECT_EQ("  <=    10.93", dialog->m_stopLoss10Point->GetLabel());
    market.SetPrice(201, 70000.0);
    EXPECT_EQ("11.03", dialog->m_priceText1->GetValue());
    EXPECT_EQ(0, dialog->refreshes);

    user_Account other;
    other.accountKey = 12;
    market.store.m_user_Account_table->Insert(other);
    market.store.m_user_Account_table->Insert((other.accountKey = 13, other));
    EXPECT_TRUE(PumpUntil([&] { return dialog->refreshes > 0; }));
    PumpPending();
    EXPECT_EQ(1, dialog->refreshes);
}

TEST_F(OrderDialogTest, SpinChangesStartAtTheirBound)
{
    struct Case
    {
        const char* name;
        int orderType;
        char side;
        std::function<wxSpinCtrlDouble_*(TestOrderDialog&)> spin;
        std::function<double(TestOrderDialog&)> price;
        double first;  // after a first change away from 0
        double second; // after a change to 9.5
    };
    const Case cases[] = {
        {"stop-loss of a buy", eMarketOrder, 'b', [](TestOrderDialog& d) { return d.m_stopLossSpin; },
         [](TestOrderDialog& d) { return d.m_stopLossPrice; }, 9.93, 9.5},
        {"take-profit of a sell", eMarketOrder, 's', [](TestOrderDialog& d) { return d.m_takeProfitSpin; },
         [](TestOrderDialog& d) { return d.m_takeProfitPrice; }, 9.98, 9.5},
        {"limit price", eLimitOrder, 'b', [](TestOrderDialog& d) { return d.m_priceSpin; },
         [](TestOrderDialog& d) { return d.m_limitPrice; }, 10.13, 9.5},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestOrderDialog* dialog = Open(eOpen, c.orderType, c.side);
        dialog->Spin(c.spin(*dialog), 0.0); // a limit price opens at its side's start
        dialog->Spin(c.spin(*dialog), 0.01);
        EXPECT_NEAR(c.first, c.price(*dialog), 1e-9);
        dialog->Spin(c.spin(*dialog), 9.5);
        EXPECT_NEAR(c.second, c.price(*dialog), 1e-9);
        PumpPending();
        EXPECT_DOUBLE_EQ(c.second, c.spin(*dialog)->GetValue());
        delete dialog;
    }
}

TEST_F(OrderDialogTest, ChoosingASeparatorTakesTheSymbolAboveIt)
{
    market.AddSymbol(102, "PT", "Platinum", '1', 2, 380.5);
    TestOrderDialog* dialog = Open(eOpen, eMarketOrder, 'b', [](TestOrderDialog& d) {
        wxArrayString metals;
        metals.Add("AG");
        d.m_symbolGroups.SetGroup("Metals", metals);
    });
    ASSERT_EQ(3u, dialog->m_symbolCombo->GetCount());
    EXPECT_EQ("Silver", dialog->m_symbolCombo->GetString(0));
    EXPECT_EQ("-------------------", dialog->m_symbolCombo->GetString(1));
    EXPECT_EQ("Platinum", dialog->m_symbolCombo->GetString(2));

    dialog->ChooseSymbolEntry(2);
    PumpPending();
    EXPECT_EQ(102, dialog->m_symbolId);
    EXPECT_EQ("Platinum", dialog->m_symbolCombo->GetStringSelection());
    EXPECT_EQ("380.53", dialog->m_priceText1->GetValue());

    dialog->ChooseSymbolEntry(1);
    PumpPending();
    EXPECT_EQ(101, dialog->m_symbolId);
    EXPECT_EQ(0, dialog->m_symbolCombo->GetSelection());
}
