#include "funds/StoreInEntry.h"

#include "common/MakeLocalOrderCode.h"
#include "funds/StoreOrderFactory.h"

#include <algorithm>
#include <wx/intl.h>

wxArrayString StoreInEntry::SplitStoreNames(const wxString& text)
{
    wxArrayString names;
    if(text.empty()) {
        return names;
    }
    wxString part;
    bool escaped = false;
    for(wxUniChar c : text) {
        if(escaped) {
            part += c;
            escaped = false;
        } else if(c == '\\') {
            escaped = true;
        } else if(c == ',') {
            names.Add(part);
            part.clear();
        } else {
            part += c;
        }
    }
    names.Add(part);
    return names;
}

namespace {

bool CodeTaken(const StoreOrderFactory& orders, const wxString& code)
{
    const auto& all = orders.GetIndexByPrimary();
    return std::any_of(all.begin(), all.end(),
                       [&](const StoreOrder& order) { return order.storeCode == code; });
}

const StoreInEntry::Symbol* FindSymbol(const std::vector<StoreInEntry::Symbol>& symbols, int chosen,
                                       const wxString& text)
{
    if(text.empty()) {
        return nullptr;
    }
    if(chosen >= 0 && static_cast<std::size_t>(chosen) < symbols.size() && symbols[chosen].name == text) {
        return &symbols[chosen];
    }
    const auto named = [&](const StoreInEntry::Symbol& entry) { return entry.name == text; };
    const auto first = std::find_if(symbols.begin(), symbols.end(), named);
    if(first == symbols.end() || std::find_if(first + 1, symbols.end(), named) != symbols.end()) {
        return nullptr;
    }
    return &*first;
}

} // namespace

StoreInEntry::Result StoreInEntry::Add(const std::vector<Symbol>& symbols, int chosen,
                                       const wxString& symbolText, const wxString& quantityText,
                                       const wxString& storeName, int userId, StoreOrderFactory& orders)
{
    const Symbol* symbol = FindSymbol(symbols, chosen, symbolText);
    if(!symbol) {
        return {false, _("Symbol Invalid"), -1};
    }
    unsigned long long quantity = 0;
    const wxString trimmed = wxString(quantityText).Trim(true).Trim(false);
    if(!trimmed.ToULongLong(&quantity) || quantity < 1 || quantity > 4294967295ULL) {
        return {false, _("Quantity Error!"), -1};
    }
    StoreOrder order;
    order.localId = orders.NextLocalId();
    order.userId = userId;
    order.symbolId = symbol->symbolId;
    order.symbolCode = symbol->name;
    do {
        order.storeCode = MakeLocalOrderCode();
    } while(CodeTaken(orders, order.storeCode));
    order.applyQuantity = static_cast<double>(quantity);
    order.quantity = static_cast<double>(quantity);
    order.storeTime = wxDateTime::Now();
    order.storeName = storeName;
    order.inoutStatus = StoreOrder::eStoreInPending;
    order.registStatus = 3;
    order.mortageStatus = 3;
    if(!orders.Insert(order, true).second) {
        return {false, wxEmptyString, 0};
    }
    return {true,
            wxString::Format(_("Store order %s added: %s, quantity %llu, warehouse %s"), order.storeCode,
                             order.symbolCode, quantity, storeName.empty() ? wxString("-") : storeName),
            0};
}
