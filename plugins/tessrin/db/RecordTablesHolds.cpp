// The compiled change operations of the tables of hold bills, positions and closed bills.
#include "db/RecordFactories.h"

TESSRIN_COMPILE_RECORD_TABLE(trade_HoldBill)
template class SweptTable<trade_HoldBill>;
TESSRIN_COMPILE_RECORD_TABLE(trade_Position)
template class SweptTable<trade_Position>;
TESSRIN_COMPILE_RECORD_TABLE(trade_CloseBill)
template class SweptTable<trade_CloseBill>;
