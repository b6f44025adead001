// The compiled change operations of the tables of goods and warehouse bookings.
#include "db/RecordFactories.h"

TESSRIN_COMPILE_RECORD_TABLE(UserInventory)
template class SweptTable<UserInventory>;
TESSRIN_COMPILE_RECORD_TABLE(SymbolInventory)
template class SweptTable<SymbolInventory>;
TESSRIN_COMPILE_RECORD_TABLE(SymbolBookingInfo)
TESSRIN_COMPILE_RECORD_TABLE(BookingAddrInfo)
