#include "orders/SymbolOrders.h"

std::map<char, wxArrayString> g_symbolOrders;
