#pragma once

#include <tradeapi/FFixGoods.h>
#include <wx/string.h>

class RecordStore;
struct SymbolInventory;

// The sums and the request of goods financing; no windows.
namespace FinancingGoodsRules {

enum Mode { eApply = 0, eCancel = 1 };

// The largest quantity: for "Apply Goods" what the account may sell less what
// is financed already, for "Cancel Goods" what is financed; never negative.
int CalcMaximum(RecordStore* db, const SymbolInventory& row, int mode);
// The row of the same symbol whose key B is `keyB`, or null.
const SymbolInventory* FindVendorRow(RecordStore* db, int symbolId, int keyB);
// The request for `quantity` of the row; negative for a cancel.
sFFixFinancingGoods MakeRequest(int accountKey, const SymbolInventory& row, int mode, double quantity);
// Whether `text` is a whole quantity of 1 to `maximum`, put in `quantity`.
bool ParseQuantity(const wxString& text, int maximum, int* quantity);

} // namespace FinancingGoodsRules
