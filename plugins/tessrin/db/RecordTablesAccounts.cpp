// The compiled change operations of the tables of logins, accounts, risk notices and exchange rates.
#include "db/RecordFactories.h"

TESSRIN_COMPILE_RECORD_TABLE(user_LoginInfo)
TESSRIN_COMPILE_RECORD_TABLE(user_Account)
template class SweptTable<user_Account>;
TESSRIN_COMPILE_RECORD_TABLE(risk_notice)
TESSRIN_COMPILE_RECORD_TABLE(sys_CurrencyExchangeRate)
template class SweptTable<sys_CurrencyExchangeRate>;
