#include "funds/FinancingGoodsRules.h"

#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"

#include <cmath>

namespace FinancingGoodsRules {

int CalcMaximum(RecordStore* db, const SymbolInventory& row, int mode)
{
    if(!row.GetSymbolInfo(db) || !row.cachedSymbolInfo->GetSymbolProperty(db)) {
        return 0;
    }
    const int financed =
        row.GetUserInventory(db) ? static_cast<int>(row.cachedUserInventory->financedQuantity) : 0;
    int maximum = financed;
    if(mode == eApply) {
        const double sellable = CalcMaxOrderQuantity(db, *row.cachedSymbolInfo, 's', 0, false, 0.0);
        maximum = static_cast<int>(std::trunc(sellable)) - financed;
    }
    return maximum < 0 ? 0 : maximum;
}

const SymbolInventory* FindVendorRow(RecordStore* db, int symbolId, int keyB)
{
    if(!db || !db->m_SymbolInventory_table) {
        return nullptr;
    }
    const auto range = db->m_SymbolInventory_table->GetIndex<BySymbolId>().equal_range(symbolId);
    for(auto it = range.first; it != range.second; ++it) {
        if(it->inventoryKeyB == keyB) {
            return &*it;
        }
    }
    return nullptr;
}

sFFixFinancingGoods MakeRequest(int accountKey, const SymbolInventory& row, int mode, double quantity)
{
    sFFixFinancingGoods request{};
    request.accountKey = accountKey;
    request.symbolId = row.symbolId;
    request.inventoryKeyA = row.inventoryKeyA;
    request.inventoryKeyB = row.inventoryKeyB;
    request.quantity = mode == eApply ? quantity : -quantity;
    return request;
}

bool ParseQuantity(const wxString& text, int maximum, int* quantity)
{
    long value = 0;
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    if(!trimmed.ToLong(&value) || value < 1 || value > maximum) {
        return false;
    }
    *quantity = static_cast<int>(value);
    return true;
}

} // namespace FinancingGoodsRules
