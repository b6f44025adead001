// The compiled change operations of the tables of limit and delivery orders.
#include "db/RecordFactories.h"

TESSRIN_COMPILE_RECORD_TABLE(trade_Limit)
template class SweptTable<trade_Limit>;
TESSRIN_COMPILE_RECORD_TABLE(trade_DeliveryOrder)
template class SweptTable<trade_DeliveryOrder>;
