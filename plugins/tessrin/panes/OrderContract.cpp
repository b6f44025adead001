#include "panes/OrderContract.h"

#include "db/NumberFormat.h"
#include "db/RecordStore.h"

#include <pelmora/pmStandardPaths.h>
#include <utility>
#include <wx/convauto.h>
#include <wx/ffile.h>
#include <wx/filename.h>

wxString OrderContractPath()
{
    const wxString sep = wxFileName::GetPathSeparator();
    return pmStandardPaths::Get().GetDataDir() + sep + "config" + sep + "ordercontract.html";
}

bool LoadOrderContract(wxString& text)
{
    const wxString path = OrderContractPath();
    if(!wxFileName::FileExists(path)) {
        return false;
    }
    wxFFile file(path, "rb");
    wxString content;
    if(!file.IsOpened() || !file.ReadAll(&content, wxConvAuto())) {
        return false;
    }
    text = content;
    return true;
}

namespace {
wxString HtmlText(const wxString& value)
{
    wxString text;
    for(const wxUniChar c : value) {
        if(c == '&') {
            text += "&amp;";
        } else if(c == '<') {
            text += "&lt;";
        } else if(c == '>') {
            text += "&gt;";
        } else {
            text += c;
        }
    }
    return text;
}
} // namespace

bool FillOrderContract(RecordStore* db, const trade_HoldBill& bill, wxString& text)
{
    wxString page;
    if(!LoadOrderContract(page)) {
        return false;
    }
    if(!bill.GetAccount(db) || !bill.cachedAccount->GetLoginInfo(db) || !bill.GetSymbolInfo(db) ||
       !bill.cachedSymbolInfo->GetSymbolProperty(db)) {
        return false;
    }
    const user_LoginInfo& login = *bill.cachedAccount->cachedLoginInfo;
    const symbol_Property& property = *bill.cachedSymbolInfo->cachedSymbolProperty;
    // One pass over the page, so that a value put in (a name holding
    // "$price") is never searched again. Values go in as HTML text.
    const std::pair<const char*, wxString> placeholders[] = {
        {"$symbolname", property.symbolName},
        {"$quantity", FormatMoney(bill.quantity)},
        {"$account", login.loginAccount},
        {"$charge", FormatMoney(bill.chargeOpen)},
        {"$price", FormatPrice(bill.holdPrice, property.digits)},
        {"$name", login.userName},
        {"$unit", wxString::Format("%d", property.contractSize)},
    };
    wxString filled;
    size_t from = 0;
    for(size_t dollar = page.find('$'); dollar != wxString::npos; dollar = page.find('$', dollar + 1)) {
        for(const auto& [placeholder, value] : placeholders) {
            const wxString key(placeholder);
            if(page.compare(dollar, key.length(), key) == 0) {
                filled += page.substr(from, dollar - from) + HtmlText(value);
                from = dollar + key.length();
                dollar = from - 1;
                break;
            }
        }
    }
    text = filled + page.substr(from);
    return true;
}
