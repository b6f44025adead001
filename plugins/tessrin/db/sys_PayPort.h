#pragma once

#include <cstdint>
#include <wx/string.h>

// A bank pay port that the market offers.
struct sys_PayPort
{
    int sysPayPortId = 0;
    char completeFlag = 0; // '1': the registration is completed on the bank's side later
    wxString currency;
    wxString carriedText1;
    wxString bankName;
    wxString payPortCode; // "Ostrel" needs the bank's signing control
    wxString channelName;
    char needBankPassword = 0; // non-zero: the bank password goes with every money request
    uint32_t refreshSerial = 0;
};
