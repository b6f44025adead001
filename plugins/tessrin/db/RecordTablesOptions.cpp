// The compiled change operations of the tables of binary-option orders and contracts, price levels and lists.
#include "db/RecordFactories.h"

TESSRIN_COMPILE_RECORD_TABLE(trade_BinaryOrder)
template class SweptTable<trade_BinaryOrder>;
TESSRIN_COMPILE_RECORD_TABLE(trade_Contract)
template class SweptTable<trade_Contract>;
TESSRIN_COMPILE_RECORD_TABLE(trade_priceLevel)
template class SweptTable<trade_priceLevel>;
TESSRIN_COMPILE_RECORD_TABLE(trade_priceList)
