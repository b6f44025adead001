#pragma once

#include <cstdint>
#include <wx/string.h>

// One unit of fromCurrency expressed in toCurrency.
struct sys_CurrencyExchangeRate
{
    wxString fromCurrency;
    wxString toCurrency;
    double rate = 0.0;
    uint32_t refreshSerial = 0;
};
