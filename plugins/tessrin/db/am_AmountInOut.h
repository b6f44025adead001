#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/datetime.h>
#include <wx/string.h>

struct user_Account;

// One deposit or withdrawal request. Its account link is resolved by
// symbol_Info::GetAccount.
struct am_AmountInOut
{
    int inOutId = 0;
    int accountKey = 0;
    double amount = 0.0;
    char carriedChar1 = 0;
    int carriedInt1 = 0;
    char inOutType = 0;    // '1' in, '2' out
    char approveState = 0; // '1'..'5'
    wxString carriedText1;
    wxDateTime changeTime;
    wxDateTime confirmTime;
    char carriedChar2 = 0;
    int carriedInt2 = 0;
    wxString serialCode;
    wxString bankUrl;
    wxString marketName;
    uint32_t refreshSerial = 0;
    mutable CachedLink<user_Account> cachedAccount;
};
