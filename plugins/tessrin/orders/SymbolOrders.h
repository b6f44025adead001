#pragma once

#include <map>
#include <wx/arrstr.h>

// The display order of each quote board: market-type character to the codes
// of its symbols as the board shows them. The board of a market writes its
// entry after every sort; the order dialog lists its symbols in that order.
// An entry no board writes stays empty. GUI thread only.
extern std::map<char, wxArrayString> g_symbolOrders;
