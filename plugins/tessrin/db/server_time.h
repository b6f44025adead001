#pragma once

#include <wx/datetime.h>

// The server clock; the single row has the id 1.
struct server_time
{
    int id = 0;
    wxDateTime serverTime;
};
