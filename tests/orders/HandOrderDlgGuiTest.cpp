// The hang-order dialog on the display: what each mode shows, what OK does,
// and that a dialog closed by OK ends its modal loop and is destroyed by its
// opener.
#include "EventPump.h"
#include "FileEnvironment.h"
#include "HangOrderTestSupport.h"
#include "common/MakeLocalOrderCode.h"
#include "orders/HandOrderDlg.h"
#include "orders/HangOrderFactory.h"

#include <functional>
#include <gmock/gmock.h>
#include <wx/regex.h>

using ::testing::ElementsAre;

namespace {

HangOrderFolders* g_folders = AddFileEnvironment<HangOrderFolders>(__FILE__);

std::vector<wxString> Entries(wxComboBox* box)
{
    std::vector<wxString> entries;
    for(unsigned int i = 0; i < box->GetCount(); ++i) {
        entries.push_back(box->GetString(i));
    }
    return entries;
}

HangOrder ShownOrder()
{
    HangOrder order;
    order.orderCode = "C1";
    order.symbolName = "Crude Oil";
    order.unitName = "Kg";
    order.quantityComplete = 3;
    order.bsCode = "Sell";
    order.priceOrder = 4520.5;
    order.storeName = "B,C";
    order.quantityOrder = 10;
    return order;
}

class HandOrderDialog : public ::testing::Test
{
protected:
    std::unique_ptr<RecordStore> db =
        MakeStore({{302, '3', "BRT", "Brent"}, {101, '1', "AG", "Silver"}, {301, '3', "OIL", "Crude Oil"}});
    HangOrderFactory& store = GetHangOrderFactory();
};

TEST_F(HandOrderDialog, OpeningForASymbolPreselectsSideSymbolAndFirstWarehouse)
{
    for(char side : {'s', 'b'}) {
        HandOrderDlg dialog(nullptr, db.get());
        dialog.SetSide(side);
        dialog.SetSymbolName("Brent");
        RunModal(dialog, [side](HandOrderDlg& d) {
            EXPECT_EQ(d.GetParent(), nullptr);
            // Market-'3' symbols only, in ascending id, with the id as client data.
            EXPECT_THAT(Entries(d.GetComboBoxSymbol()), ElementsAre("Crude Oil", "Brent"));
            EXPECT_EQ(reinterpret_cast<intptr_t>(d.GetComboBoxSymbol()->GetClientData(1)), 302);
            EXPECT_EQ(d.GetComboBoxSymbol()->GetValue(), "Brent");
            EXPECT_THAT(Entries(d.GetComboBoxBS()), ElementsAre("Buy", "Sell"));
            EXPECT_EQ(d.GetComboBoxBS()->GetValue(), side == 'b' ? "Buy" : "Sell");
            EXPECT_THAT(Entries(d.GetComboBoxWareHouse()), ElementsAre("A", "B,C"));
            EXPECT_EQ(d.GetComboBoxWareHouse()->GetValue(), "A");
            EXPECT_EQ(d.GetComboBoxQty()->GetValue(), "1");
            EXPECT_EQ(d.GetComboBoxMinQty()->GetValue(), "1");
            EXPECT_NE(d.GetComboBoxQty()->GetValidator(), nullptr);
            EXPECT_NE(d.GetComboBoxMinQty()->GetValidator(), nullptr);
            EXPECT_EQ(d.GetTitle(), "GuaPai");
            EXPECT_EQ(d.GetButtonOK()->GetLabel(), "GuaPai");
            EXPECT_TRUE(d.GetComboBoxSymbol()->IsEnabled());
            EXPECT_TRUE(d.GetTextCtrlPrice()->IsEnabled());
        });
    }
}

TEST_F(HandOrderDialog, OkWithoutASymbolShowsTheAttemptInRedAndStaysOpen)
{
    const auto noHangSymbols = MakeStore({{101, '1', "AG", "Silver"}});
    const std::size_t before = store.GetContainer().size();
    HandOrderDlg dialog(nullptr, noHangSymbols.get());
    wxString status;
    wxColour colour;
    EXPECT_EQ(RunModal(dialog,
                       [&](HandOrderDlg& d) {
                           d.GetTextCtrlPrice()->SetValue("10");
                           PressOk(d);
                           status = d.GetTextCtrlStatus()->GetValue();
                           colour = d.GetTextCtrlStatus()->GetForegroundColour();
                       }),
              kStillOpen);
    EXPECT_TRUE(wxRegEx(R"(^\[[0-9]{2}:[0-9]{2}:[0-9]{2}\]Symbol Invalid$)").Matches(status)) << status;
    EXPECT_EQ(colour, *wxRED);
    EXPECT_EQ(store.GetContainer().size(), before);
}

TEST_F(HandOrderDialog, ABadQuantityMinimumOrPriceIsRefusedOnTheLineAndStoresNothing)
{
    const struct
    {
        const char* quantity;
        const char* minQuantity;
        const char* price;
        const char* message;
    } cases[] = {{"", "1", "10", "Quantity Error!"}, {"x", "1", "10", "Quantity Error!"},
                 {"1", "", "10", "Quantity Error!"}, {"1", "1", "", "Price Invalid"},
                 {"1", "1", "ten", "Price Invalid"}, {"1", "1", "-5", "Price Invalid"},
                 {"1", "1", "0", "Price Invalid"}};
    const std::size_t before = store.GetContainer().size();
    for(const auto& c : cases) {
        HandOrderDlg dialog(nullptr, db.get());
        wxString status;
        EXPECT_EQ(RunModal(dialog,
                           [&](HandOrderDlg& d) {
                               d.GetComboBoxQty()->ChangeValue(c.quantity);
                               d.GetComboBoxMinQty()->ChangeValue(c.minQuantity);
                               d.GetTextCtrlPrice()->ChangeValue(c.price);
                               PressOk(d);
                               status = d.GetTextCtrlStatus()->GetValue();
                           }),
                  kStillOpen)
            << c.quantity << "|" << c.minQuantity << "|" << c.price;
        EXPECT_TRUE(status.EndsWith(wxString(c.message))) << status;
    }
    EXPECT_EQ(store.GetContainer().size(), before);
}

TEST_F(HandOrderDialog, OkInModeZeroStoresUnderAFreeCodeSavesEndsTheLoopAndTheOpenerDestroysIt)
{
    const wxDateTime when(7, wxDateTime::Jan, 2026, 15, 30, 12);
    int random = 42;
    LocalOrderCodeSource source([when] { return when; }, [&random] { return random++; });
    HangOrder taken = ShownOrder();
    taken.orderCode = "2600071530120042";
    ASSERT_TRUE(store.Insert(taken, true).second);

    auto* dialog = new HandOrderDlg(nullptr, db.get());
    dialog->SetSide('b');
    dialog->SetSymbolName("Crude Oil");
    const int answer = RunModal(*dialog, [](HandOrderDlg& d) {
        d.GetTextCtrlPrice()->ChangeValue("4520.5");
        d.GetComboBoxQty()->ChangeValue("12");
        d.GetComboBoxWareHouse()->SetSelection(1);
        PressOk(d);
    });
    EXPECT_EQ(answer, wxID_OK);
    delete dialog; // as the opener does once ShowModal returns
    PumpEvents();  // a delayed deletion of the dialog would run here

    const auto stored = store.Find("2600071530120043");
    ASSERT_TRUE(stored != store.GetIndexByPrimary().end());
    EXPECT_EQ(stored->symbolName, "Crude Oil");
    EXPECT_EQ(stored->bsCode, "Buy");
    EXPECT_EQ(stored->unitName, "Kg");
    EXPECT_EQ(stored->storeName, "B,C");
    EXPECT_DOUBLE_EQ(stored->quantityOrder, 12.0);
    EXPECT_DOUBLE_EQ(stored->priceOrder, 4520.5);

    // In the file at once, no pane being open.
    const auto json = ReadJsonFile(g_folders->StoreFile());
    ASSERT_TRUE(json.contains("HangOrder")) << json.dump();
    bool found = false;
    for(const auto& item : json["HangOrder"]) {
        if(item["orderCode"] == "2600071530120043") {
            found = true;
            EXPECT_EQ(item["priceOrder"], "4520.50");
            EXPECT_EQ(item["quantityOrder"], "12.00");
        }
    }
    EXPECT_TRUE(found) << json.dump();
}

TEST_F(HandOrderDialog, ShownOrdersDisableTheFieldsAndOkKeepsTheOrderOrStoresItsNewPrice)
{
    const struct
    {
        int mode;
        const char* title;
        const char* label;
        bool priceEnabled;
        double stored;
    } cases[] = {{1, "ZaiPai[C1]", "ZaiPai", false, 4520.5}, {2, "HuanJia[C1]", "HuanJia", true, 1.0}};
    store.Upsert(ShownOrder());
    const std::size_t before = store.GetContainer().size();
    for(const auto& c : cases) {
        HandOrderDlg dialog(nullptr, db.get());
        dialog.SetHangOrder(ShownOrder());
        dialog.SetMode(c.mode);
        const int answer = RunModal(dialog, [&c](HandOrderDlg& d) {
            EXPECT_EQ(d.GetTitle(), c.title);
            EXPECT_EQ(d.GetButtonOK()->GetLabel(), c.label);
            for(wxWindow* field :
                {static_cast<wxWindow*>(d.GetComboBoxSymbol()), static_cast<wxWindow*>(d.GetComboBoxBS()),
                 static_cast<wxWindow*>(d.GetComboBoxQty()), static_cast<wxWindow*>(d.GetComboBoxMinQty()),
                 static_cast<wxWindow*>(d.GetComboBoxWareHouse()),
                 static_cast<wxWindow*>(d.GetTextCtrlEffectiveDay())}) {
                EXPECT_FALSE(field->IsEnabled()) << c.mode;
            }
            EXPECT_EQ(d.GetTextCtrlPrice()->IsEnabled(), c.priceEnabled);
            EXPECT_EQ(d.GetTextCtrlPrice()->GetValue(), "4520.50");
            EXPECT_EQ(d.GetComboBoxSymbol()->GetValue(), "Crude Oil");
            EXPECT_EQ(d.GetComboBoxBS()->GetValue(), "Sell");
            EXPECT_EQ(d.GetComboBoxQty()->GetValue(), "7.00");
            EXPECT_EQ(d.GetComboBoxWareHouse()->GetValue(), "B,C");
            d.GetTextCtrlPrice()->ChangeValue("1.00");
            PressOk(d);
        });
        EXPECT_EQ(answer, wxID_OK) << c.mode;
        EXPECT_EQ(store.Find("C1")->priceOrder, c.stored) << c.mode;
    }
    EXPECT_EQ(store.GetContainer().size(), before);
    store.Remove(store.Find("C1"));
}

} // namespace
