#pragma once

#include "db/CachedLink.h"

#include <wx/datetime.h>

class RecordStore;
struct user_Account;

// A risk notice of an account.
struct risk_notice
{
    int accountKey = 0;
    char noticeKind = 0; // '2' add deposit, '3' forced transfer
    char riskKind = 0;   // '1'..'3'
    double riskRate = 0.0;
    double carriedDouble1 = 0.0;
    double carriedDouble2 = 0.0;
    double carriedDouble3 = 0.0;
    wxDateTime noticeTime;
    char isNew = 0; // 1 for the first notification kind, 0 for the second
    mutable CachedLink<user_Account> cachedAccount;

    bool GetAccount(RecordStore* store) const;
};
