#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/string.h>

class RecordStore;
struct sys_PayPort;
struct user_Account;

// A pay port that the user registered.
struct user_Payport
{
    int carriedInt1 = 0;
    int sysPayPortId = 0;
    int64_t payportKey = 0; // the seat number
    wxString seatSuffix;
    wxString identityNumber;
    char identityType = 0; // '1'..'6'
    char registState = 0;  // '1' not registered
    wxString cardNumber;
    wxString accountName;
    wxString currency;
    uint32_t refreshSerial = 0;
    mutable CachedLink<sys_PayPort> cachedSysPayPort;

    bool GetSysPayPort(RecordStore* store) const;

    // The seat number: the first id in the high half, the second id in the low
    // half, both taken as unsigned 32-bit values.
    static int64_t MakePayportKey(int32_t firstId, int32_t secondId);
};
