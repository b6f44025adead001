#include "db/SymbolInventory.h"

SymbolInventory& AssignGoodsRecord(SymbolInventory& target, const SymbolInventory& source)
{
    // The member-wise assignment copies every field, so a field added later
    // cannot be forgotten here.
    target = source;
    return target;
}
