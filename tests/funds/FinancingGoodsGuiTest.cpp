// The goods financing dialog over a record store of its own: the vendors of
// the symbol, a vendor change, the maximum of "Cancel Goods" without a
// holding, and the refusals before anything is sent.
#include "DialogScript.h"
#include "db/RecordStore.h"
#include "funds/FinancingGoods.h"

#include <gtest/gtest.h>

namespace {

SymbolInventory Vendor(const char* sn, const char* name, int keyB, double amount)
{
    SymbolInventory row;
    row.inventorySN = sn;
    row.symbolId = 101;
    row.inventoryKeyA = 70;
    row.inventoryKeyB = keyB;
    row.vendorName = name;
    row.inventoryAmount = amount;
    row.inventoryAvailable = amount / 2;
    return row;
}

TEST(FinancingGoodsDialog, VendorChangeCancelMaximumAndRefusals)
{
    RecordStore db;
    db.CreateTables();
    symbol_Info silver;
    silver.symbolId = 101;
    silver.accountKey = 11;
    db.m_symbol_Info_table->Insert(silver);
    symbol_Property property;
    property.symbolId = 101;
    property.symbolName = "Silver";
    db.m_symbol_Property_table->Insert(property);
    db.m_SymbolInventory_table->Insert(Vendor("INV-1", "North", 801, 100));
    db.m_SymbolInventory_table->Insert(Vendor("INV-2", "South", 802, 40));

    DialogScript dialogs;
    dialogs.SetDefaultAnswer(wxID_OK);
    int sent = 0;
    FinancingGoods dialog(&db, nullptr, 1, *db.m_SymbolInventory_table->GetIndex<BySymbolId>().find(101));
    dialog.SetSender([&sent](sFFixFinancingGoods*) { return ++sent; });
    dialog.InitDialog();
    EXPECT_EQ(dialog.GetTitle(), "Cancel Goods");
    EXPECT_EQ(dialog.GetComboBoxVendor()->GetCount(), 2u);
    EXPECT_EQ(dialog.GetTextCtrlSymbol()->GetValue(), "Silver");
    EXPECT_EQ(dialog.GetStaticTextRange()->GetLabel(), "0 ~ 0");
    EXPECT_EQ(dialog.GetMaximum(), 0);

    // The other vendor's row, found by its key B.
    const wxString before = dialog.GetRow().vendorName;
    const int other = dialog.GetComboBoxVendor()->FindString(before == "North" ? "South" : "North");
    dialog.GetComboBoxVendor()->SetSelection(other);
    wxCommandEvent pick(wxEVT_COMBOBOX, dialog.GetComboBoxVendor()->GetId());
    pick.SetInt(other);
    dialog.GetComboBoxVendor()->GetEventHandler()->ProcessEvent(pick);
    EXPECT_NE(dialog.GetRow().vendorName, before);
    EXPECT_EQ(dialog.GetTextCtrlAmount()->GetValue(), dialog.GetRow().inventoryKeyB == 802 ? "40" : "100");

    // No account: refused before the quantity is looked at; nothing sent.
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    dialog.GetButtonOK()->GetEventHandler()->ProcessEvent(ok);
    ASSERT_FALSE(dialogs.Seen().empty());
    EXPECT_TRUE(dialogs.Seen().back().message.Contains("Account Invalid, Maybe Disconnected!"));
    EXPECT_EQ(sent, 0);
    EXPECT_FALSE(dialog.GetWait().IsWaiting());
}

} // namespace
