#pragma once

#include <wx/dynarray.h>

// The configured market list: empty keeps every market, otherwise only the
// markets it names pass.
inline bool PassesMarketFilter(const wxArrayInt& marketIds, int marketId)
{
    return marketIds.empty() || marketIds.Index(marketId) != wxNOT_FOUND;
}
