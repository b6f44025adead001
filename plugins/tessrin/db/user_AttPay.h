#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/string.h>

class RecordStore;
struct sys_PayPort;

// A pay-port attachment announced by the bank-URL push.
struct user_AttPay
{
    int attPayId = 0;
    int sysPayPortId = 0;
    wxString bankUrl;
    uint32_t refreshSerial = 0;
    mutable CachedLink<sys_PayPort> cachedSysPayPort;

    bool GetSysPayPort(RecordStore* store) const;
};
