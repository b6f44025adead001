// The compiled change operations of the tables of money movements and pay ports.
#include "db/RecordFactories.h"

TESSRIN_COMPILE_RECORD_TABLE(am_AmountInOut)
template class SweptTable<am_AmountInOut>;
TESSRIN_COMPILE_RECORD_TABLE(user_AttPay)
TESSRIN_COMPILE_RECORD_TABLE(sys_PayPort)
template class SweptTable<sys_PayPort>;
TESSRIN_COMPILE_RECORD_TABLE(user_Payport)
template class SweptTable<user_Payport>;
