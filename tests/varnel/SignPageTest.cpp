#include "MyDialog.h"
#include "SignPageResources.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(SignPage, ThreePiecesUnderTheStringLimitMakeThePage)
{
    for(const int id : kSignPagePieces) {
        const char* piece = LoadResourceString(id);
        ASSERT_NE(nullptr, piece) << id;
        EXPECT_GT(std::strlen(piece), 0u) << id;
        EXPECT_LT(std::strlen(piece), 4096u) << id;
    }
    EXPECT_EQ(nullptr, LoadResourceString(103));
    EXPECT_EQ(nullptr, LoadResourceString(107));

    const wxString page = MyDialog::LoadSignPage();
    const char* expected[] = {
        "<title>Brundek网上支付平台-商户接口范例-签约请求</title>",
        "id=\"InfoSecNetSign1\" classid=\"clsid:62B938C4-4190-4F37-8CF0-A92B0A91CC77\" width=\"0\" "
        "height=\"0\"",
        "function doRegist(RequestID, MerchantID, MerchantName, CustName)",
        "function doUnRegist(RequestID, MerchantID, MerchantName, CustName)",
        "function doInMoney(RequestID, PayAmount)",
        "请确认您要提交的签名信息:\\n\\n",
        "</html>",
    };
    for(const char* text : expected) {
        EXPECT_NE(wxNOT_FOUND, page.Find(wxString::FromUTF8(text))) << text;
    }
    EXPECT_EQ(wxNOT_FOUND, page.Find("codebase")) << "no OLE data, no download";
}

} // namespace
