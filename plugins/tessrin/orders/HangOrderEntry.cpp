#include "orders/HangOrderEntry.h"

#include "common/MakeLocalOrderCode.h"
#include "orders/HangOrderFactory.h"

#include <cmath>
#include <cstdint>
#include <wx/intl.h>
#include <wx/wxcrt.h>

wxString HangOrderEntry::ModeText(int mode)
{
    switch(mode) {
    case eGuaPai:
        return _("GuaPai");
    case eZaiPai:
        return _("ZaiPai");
    case eHuanJia:
        return _("HuanJia");
    default:
        return wxEmptyString;
    }
}

wxString HangOrderEntry::TitleText(int mode, const wxString& orderCode)
{
    if(mode == eZaiPai || mode == eHuanJia) {
        return wxString::Format("%s[%s]", ModeText(mode), orderCode);
    }
    return ModeText(mode);
}

wxArrayString HangOrderEntry::SplitStoreNames(const wxString& text)
{
    return wxSplit(text, ',', '\\');
}

bool HangOrderEntry::ParseQuantity(const wxString& text, double* quantity)
{
    unsigned long long value = 0;
    // Digits only: the conversion alone would take a sign or leading blanks.
    if(text.empty() || !wxIsdigit(text[0]) || !text.ToULongLong(&value, 10) || value < 1 ||
       value > UINT32_MAX) {
        return false;
    }
    *quantity = static_cast<double>(value);
    return true;
}

bool HangOrderEntry::ParsePrice(const wxString& text, double* price)
{
    double value = 0.0;
    if(!text.ToDouble(&value) || !std::isfinite(value) || !(value > 0.0)) {
        return false;
    }
    *price = value;
    return true;
}

wxString HangOrderEntry::KeyOf(const wxString& shown)
{
    for(const char* key : {wxTRANSLATE("Buy"), wxTRANSLATE("Sell"), wxTRANSLATE("Kg")}) {
        if(shown == wxGetTranslation(key)) {
            return key;
        }
    }
    return shown;
}

HangOrderEntry::Result HangOrderEntry::Confirm(int mode, const Fields& fields, HangOrderFactory& store,
                                               HangOrder* added, const wxString& orderCode)
{
    if(fields.symbolName.empty()) {
        return eSymbolInvalid;
    }
    if(mode != eGuaPai && mode != eHuanJia) {
        return eClose;
    }
    double price = 0.0;
    if(!ParsePrice(fields.price, &price)) {
        return eBadPrice;
    }
    if(mode == eHuanJia) {
        const auto found = store.Find(orderCode);
        if(found == store.GetIndexByPrimary().end()) {
            return eOrderGone;
        }
        HangOrder changed = *found;
        changed.priceOrder = price;
        return store.Upsert(changed) ? ePriceChanged : eRefused;
    }
    double quantity = 0.0;
    double minQuantity = 0.0;
    if(!ParseQuantity(fields.quantity, &quantity) || !ParseQuantity(fields.minQuantity, &minQuantity)) {
        return eBadQuantity;
    }

    HangOrder order;
    // A code already stored would make the insert fail and lose the order.
    bool free = false;
    for(int attempt = 0; attempt < kCodeAttempts && !free; ++attempt) {
        order.orderCode = MakeLocalOrderCode();
        free = store.Find(order.orderCode) == store.GetIndexByPrimary().end();
    }
    if(!free) {
        return eNoFreeCode;
    }
    order.symbolName = fields.symbolName;
    order.unitName = "Kg";
    order.quantityComplete = 0.0;
    order.bsCode = KeyOf(fields.side);
    order.priceOrder = price;
    order.storeName = fields.storeName;
    order.quantityOrder = quantity;
    order.minQuantity = minQuantity;
    order.effectiveDay = wxString(fields.effectiveDay).Trim(true).Trim(false);
    if(!store.Insert(order, true).second) {
        return eRefused;
    }
    if(added) {
        *added = order;
    }
    return eAdded;
}
