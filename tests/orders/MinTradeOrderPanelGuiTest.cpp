// The binary-option quick order with a fake sender, its own request registry
// and clock: every order sent is reported, whichever answers first; the
// confirmation follows its own symbol only and hides a zero charge.
#include "DialogScript.h"
#include "EventPump.h"
#include "RecordingOrderSender.h"
#include "connection/RequestNotify.h"
#include "db/RecordStore.h"
#include "db/symbol_Info.h"
#include "db/symbol_Property.h"
#include "orders/BinaryOpQuickOrderConfirm.h"
#include "orders/MinTradeOrderPanel.h"

#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>
#include <wx/frame.h>

namespace {

class MinTradeOrderPanelTest : public ::testing::Test
{
protected:
    MinTradeOrderPanelTest() : m_registry([this] { return m_now; })
    {
        m_db.CreateTables();
        m_db.m_user_LoginInfo_table->Insert(user_LoginInfo{});
        AddSymbol(401, "EURUSD", "Euro", 1.08345);
        AddSymbol(402, "EURUSD2", "Euro", 2.5);
        trade_Contract contract;
        contract.contractId = 9001;
        contract.symbolId = 401;
        contract.contractState = '2';
        contract.periodCount = 60;
        contract.periodUnit = '1';
        contract.minInvestAmount = 10;
        contract.maxInvestAmount = 5000;
        contract.chargeRate = 0.02;
        m_db.m_trade_Contract_table->Insert(contract);
        m_frame = new wxFrame(nullptr, wxID_ANY, "binary");
        m_dialogs.SetDefaultAnswer(wxID_OK);
    }
    ~MinTradeOrderPanelTest() override { m_frame->Destroy(); }

    void AddSymbol(int id, const char* code, const char* name, double price)
    {
        symbol_Info symbol;
        symbol.symbolId = id;
        symbol.accountKey = 14;
        symbol.symbolCode = code;
        symbol.marketType = '4';
        m_db.m_symbol_Info_table->Insert(symbol);
        symbol_Property property;
        property.symbolId = id;
        property.symbolCode = code;
        property.symbolName = wxString::FromUTF8(name);
        property.digits = 5;
        m_db.m_symbol_Property_table->Insert(property);
        symbol_price quote;
        quote.symbolId = id;
        quote.lastPrice = price;
        quote.live = true;
        m_db.m_symbol_price_table->Insert(quote);
    }
    void MovePrice(int id, double price)
    {
        auto& table = *m_db.m_symbol_price_table;
        const auto stored = table.GetIndexByPrimary().find(id);
        symbol_price moved = *stored;
        moved.lastPrice = price;
        table.Update(stored, moved);
    }
    void SetLive(int id, bool live)
    {
        auto& table = *m_db.m_symbol_price_table;
        const auto stored = table.GetIndexByPrimary().find(id);
        symbol_price changed = *stored;
        changed.live = live;
        table.Update(stored, changed);
    }
    std::unique_ptr<MinTradeOrderPanel> MakePanel()
    {
        const symbol_Info& symbol = *m_db.m_symbol_Info_table->GetIndexByPrimary().find(401);
        auto panel = std::make_unique<MinTradeOrderPanel>(&m_db, nullptr, m_frame, &symbol);
        auto sender = std::make_unique<RecordingOrderSender>();
        sender->nextId = 71;
        m_sender = sender.get();
        panel->SetSender(std::move(sender));
        panel->SetRegistry(&m_registry);
        panel->SetConfirm([this](const MinTradeOrderPanel::Confirmation& confirmation) {
            m_confirmed.push_back(confirmation);
            return m_confirmAnswer;
        });
        return panel;
    }
    std::vector<wxString> Messages() const
    {
        std::vector<wxString> messages;
        for(const auto& record : m_dialogs.Seen()) {
            messages.push_back(record.message);
        }
        return messages;
    }

    RecordStore m_db;
    wxFrame* m_frame;
    wxDateTime m_now = wxDateTime(1, wxDateTime::Jan, 2026, 9, 0, 0);
    RequestNotify m_registry;
    DialogScript m_dialogs;
    RecordingOrderSender* m_sender = nullptr; // the last panel's
    std::vector<MinTradeOrderPanel::Confirmation> m_confirmed;
    bool m_confirmAnswer = true;
};

const MinTradeRules::Query kUp100{{"direction", "b"}, {"invest", "100"}, {"timelimit", "60"}};

} // namespace

TEST_F(MinTradeOrderPanelTest, AConfirmedOrderLeavesWithThePriceOfTheMomentAndCancelSendsNothing)
{
    auto panel = MakePanel();
    m_confirmAnswer = false;
    panel->SetOrder(kUp100);
    ASSERT_EQ(m_confirmed.size(), 1u);
    EXPECT_EQ(m_confirmed[0].symbolName, "Euro");
    EXPECT_EQ(m_confirmed[0].price, "1.08345");
    EXPECT_EQ(m_confirmed[0].amount, "98");
    EXPECT_EQ(m_confirmed[0].charge, "2");
    EXPECT_EQ(m_confirmed[0].side, "Buy Up");
    EXPECT_TRUE(m_confirmed[0].showCharge);
    EXPECT_TRUE(m_sender->setOrders.empty());
    EXPECT_TRUE(Messages().empty());

    m_confirmAnswer = true;
    panel->SetOrder(kUp100);
    ASSERT_EQ(m_sender->setOrders.size(), 1u);
    EXPECT_EQ(m_sender->setOrders[0].contractKey, 9001);
    EXPECT_EQ(m_sender->setOrders[0].quantity, 100.0);
    EXPECT_EQ(m_sender->setOrders[0].side, 'b');
    EXPECT_EQ(m_sender->setOrders[0].price, 1.08345);
    EXPECT_TRUE(m_registry.IsWaiting(71));
    m_registry.NotifyResponse(71, 1009, "refused"); // answered: the next may go

    // A price the market-data link has not sent since it came back is not
    // traded on, before the confirmation or at its OK.
    SetLive(401, false);
    panel->SetOrder(kUp100);
    EXPECT_EQ(m_confirmed.size(), 2u);
    SetLive(401, true);
    panel->SetConfirm([this](const MinTradeOrderPanel::Confirmation&) {
        SetLive(401, false);
        return true;
    });
    panel->SetOrder(kUp100);
    EXPECT_EQ(m_sender->setOrders.size(), 1u);
    ASSERT_EQ(Messages().size(), 3u);
    for(const wxString& message : {Messages()[1], Messages()[2]}) {
        EXPECT_TRUE(message.EndsWith("]Price not live, wait for a fresh quote")) << message;
    }
}

TEST_F(MinTradeOrderPanelTest, AnOrderAwaitedOrOfUnknownFateStopsTheNextAndALateSuccessIsANotice)
{
    auto panel = MakePanel();
    panel->SetOrder(kUp100);
    panel->SetOrder(kUp100);
    ASSERT_EQ(m_sender->setOrders.size(), 1u);
    EXPECT_TRUE(Messages().back().EndsWith("]The last order is still awaiting its answer"))
        << Messages().back();
    m_registry.NotifyResponse(71, 1009, "refused");
    EXPECT_TRUE(Messages().back().EndsWith("refused[1009]")) << Messages().back();

    // An id never sent, or already settled, changes nothing.
    const std::size_t told = Messages().size();
    panel->OnResponse(71, 1, "again");
    panel->OnResponseTimeOut(99);
    EXPECT_EQ(Messages().size(), told);

    // Timed out, it may still be carried out: nothing more goes until its
    // late answer, told as a notice.
    panel->SetOrder(kUp100);
    m_registry.CheckTimeOut(m_now + wxTimeSpan::Milliseconds(MinTradeOrderPanel::kTimeoutMs));
    EXPECT_TRUE(Messages().back().EndsWith(
        "]No answer yet: the order may still be carried out; check the Trade page"))
        << Messages().back();
    panel->SetOrder(kUp100);
    EXPECT_EQ(m_sender->setOrders.size(), 2u);
    m_registry.NotifyResponse(72, 0, "");
    PumpEvents();
    EXPECT_TRUE(Messages().back().EndsWith("had no answer was carried out[0]")) << Messages().back();
    EXPECT_EQ(m_dialogs.Seen().back().title, "NoticeMessage");
    EXPECT_FALSE(panel->IsUnsettled());

    // A refused check is reported before anything is confirmed.
    panel->SetOrder({{"direction", "b"}, {"invest", "nan"}, {"timelimit", "60"}});
    EXPECT_TRUE(Messages().back().EndsWith("]Invalid invest amount")) << Messages().back();
    EXPECT_EQ(m_confirmed.size(), 2u);
}

TEST_F(MinTradeOrderPanelTest, TheConfirmationFollowsItsOwnSymbolAndHidesAZeroCharge)
{
    for(const bool charged : {true, false}) {
        BinaryOpQuickOrderConfirm confirm(&m_db, 401, "Order Confirm");
        confirm.SetTexts("Euro", "1.08345", "98", "Buy Up", charged ? "2" : "0", charged);
        EXPECT_EQ(confirm.IsChargeShown(), charged);
        // Another symbol of the same name leaves the price alone.
        MovePrice(402, 3.0);
        EXPECT_EQ(confirm.GetPriceText(), "1.08345");
        MovePrice(401, 1.1);
        EXPECT_EQ(confirm.GetPriceText(), "1.10000");
        MovePrice(401, 1.08345);
    }
}
