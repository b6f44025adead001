// The compiled change operations of the tables of symbols, prices, properties and the server time.
#include "db/RecordFactories.h"

TESSRIN_COMPILE_RECORD_TABLE(symbol_Info)
template class SweptTable<symbol_Info>;
TESSRIN_COMPILE_RECORD_TABLE(symbol_price)
TESSRIN_COMPILE_RECORD_TABLE(symbol_Property)
TESSRIN_COMPILE_RECORD_TABLE(server_time)
