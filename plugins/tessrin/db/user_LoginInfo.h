#pragma once

#include <wx/datetime.h>
#include <wx/string.h>

// The logged-in user.
struct user_LoginInfo
{
    int userId = 0;
    wxString userName;
    wxString loginAccount;
    wxDateTime tradingDay;
    wxDateTime carriedTime1;
};
