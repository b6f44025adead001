#pragma once

#include <cstdint>
#include <wx/string.h>

// Nothing fills this table; it keeps its place in the store.
struct BookingAddrInfo
{
    wxString addrKey;
    uint32_t refreshSerial = 0;
};
