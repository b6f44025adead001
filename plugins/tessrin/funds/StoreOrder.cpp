#include "funds/StoreOrder.h"

#include "db/RecordStore.h"

#include <wx/intl.h>

bool StoreOrder::GetSymbolInfo(RecordStore* store) const
{
    auto* table = store ? store->m_symbol_Info_table.get() : nullptr;
    if(!table) {
        cachedSymbolInfo.Reset();
        return false;
    }
    const uint64_t removals = table->GetRemovalCount();
    if(cachedSymbolInfo && cachedSymbolInfo.Epoch() == removals && cachedSymbolInfo->symbolId == symbolId) {
        return true;
    }
    cachedSymbolInfo.Reset();
    const auto found = table->GetIndexByPrimary().find(symbolId);
    if(found == table->GetIndexByPrimary().end()) {
        return false;
    }
    cachedSymbolInfo.Set(&*found, removals);
    return true;
}

wxString InOutStatusText(int status)
{
    switch(status) {
    case 0:
        return _("StoreIn Pending");
    case 1:
        return _("StoreIn");
    case 2:
        return _("StoreOut Pending");
    case 3:
        return _("StoreOut");
    case 4:
        return _("StoreFinancing");
    default:
        return wxEmptyString;
    }
}

wxString RegistStatusText(int status)
{
    switch(status) {
    case 0:
        return _("StoreRegist Pending");
    case 1:
        return _("StoreRegist");
    case 2:
        return _("StoreUnRegist Pending");
    case 3:
        return _("StoreUnRegist");
    default:
        return wxEmptyString;
    }
}

wxString MortgageStatusText(int status)
{
    switch(status) {
    case 0:
        return _("Mortgage Pending");
    case 1:
        return _("Mortgage");
    case 2:
        return _("UnMortgage Pending");
    case 3:
        return _("UnMortgage");
    default:
        return wxEmptyString;
    }
}
