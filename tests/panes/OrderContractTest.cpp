// The order contract page: the template of the data folder with the bill's values.
#include "panes/OrderContract.h"

#include "PaneTestStore.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"

#include <wx/ffile.h>

namespace {

class OrderContractPage : public ::testing::Test
{
protected:
    OrderContractPage() : dataDir("PELMORA_DATA_DIR", folder.Path())
    {
        wxFileName::Mkdir(folder.File("config"), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        data.AddAccount(11);
        data.AddSymbol(101, 11, '1', 100.0, 3, 0, 0, 15);
        trade_HoldBill bill = data.MakeBill("H1", 11, 101, 'b', 2.5, 4980.125);
        bill.chargeOpen = 44.5;
        data.AddBill(bill);
    }

    void WriteTemplate(const wxString& text, const wxMBConv& conv = wxConvUTF8)
    {
        wxFFile file(folder.File("config/ordercontract.html"), "wb");
        ASSERT_TRUE(file.Write(text, conv));
    }
    const trade_HoldBill& Bill() const { return *data.store.m_trade_HoldBill_table->Find("H1"); }

    ScratchFolder folder;
    ScopedEnv dataDir;
    PaneTestStore data;
};

} // namespace

TEST_F(OrderContractPage, EveryPlaceholderIsReplacedEverywhere)
{
    WriteTemplate("<p>$account/$name/$symbolname/$unit/$quantity/$price/$charge</p>"
                  "<p>$account $quantity $symbolname$name</p><p>$other $ and $$price</p>");
    wxString page;
    ASSERT_TRUE(FillOrderContract(&data.store, Bill(), page));
    EXPECT_EQ(page, "<p>demo/Trader Name/Sym101/15/2.50/4980.125/44.50</p>"
                    "<p>demo 2.50 Sym101Trader Name</p><p>$other $ and $4980.125</p>");
}

TEST_F(OrderContractPage, ValuesGoInAsTextAndAreNotSearchedAgain)
{
    auto& logins = *data.store.m_user_LoginInfo_table;
    user_LoginInfo login = *logins.GetIndexByPrimary().begin();
    login.userName = "<b>A&B $price</b>";
    ASSERT_TRUE(logins.Update(logins.GetIndexByPrimary().begin(), login));
    WriteTemplate("$name|$price");
    wxString page;
    ASSERT_TRUE(FillOrderContract(&data.store, Bill(), page));
    EXPECT_EQ(page, "&lt;b&gt;A&amp;B $price&lt;/b&gt;|4980.125");
}

TEST_F(OrderContractPage, TheTemplateIsReadInItsOwnEncoding)
{
    const wxString text = wxString::FromUTF8("\xe5\x90\x88\xe5\x90\x8c $symbolname");
    wxString loaded;
    WriteTemplate(text);
    ASSERT_TRUE(LoadOrderContract(loaded));
    EXPECT_EQ(loaded, text);

    // UTF-16 with its byte-order mark.
    WriteTemplate(wxString(wxUniChar(0xFEFF)) + text, wxMBConvUTF16LE());
    ASSERT_TRUE(LoadOrderContract(loaded));
    EXPECT_EQ(loaded, text);
}

TEST_F(OrderContractPage, NoPageWithoutTheTemplateOrTheBillsRecords)
{
    wxString page = "untouched";
    EXPECT_FALSE(LoadOrderContract(page));
    EXPECT_FALSE(FillOrderContract(&data.store, Bill(), page));
    EXPECT_EQ(page, "untouched");

    WriteTemplate("$name");
    trade_HoldBill orphan = data.MakeBill("H2", 99, 101); // no such account
    EXPECT_FALSE(FillOrderContract(&data.store, data.AddBill(orphan), page));
    trade_HoldBill unknownSymbol = data.MakeBill("H3", 11, 999);
    EXPECT_FALSE(FillOrderContract(&data.store, data.AddBill(unknownSymbol), page));
    EXPECT_EQ(page, "untouched");
    EXPECT_TRUE(FillOrderContract(&data.store, Bill(), page));
}
