#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/string.h>

class RecordStore;
struct user_LoginInfo;

// One trading account.
struct user_Account
{
    wxString accountName;
    int userId = 0;
    int accountKey = 0;
    int dealerId = 0;
    int organisationId = 0;
    int exchangeId = 0;
    double marginFree = 0.0;
    double marginFreezed = 0.0;
    double marginRemain = 0.0;
    double marginUsed = 0.0;
    double withdrawableMoney = 0.0; // as the server reports it; also written by the money push
    double lastDelayCharge = 0.0;
    double carriedDouble1 = 0.0;
    wxString currency;
    double netValue = 0.0;
    double profitClose = 0.0;
    double profitDyn = 0.0;
    double dailyCharge = 0.0;
    double riskRate = 0.0;
    char riskKind = 0; // '1', '2' or '3'; '3' accounts carry surety money
    double forceCloseLine = 0.0;
    double warningLine = 0.0;
    char accStatus = 0;
    int carriedInt1 = 0;
    int carriedInt2 = 0;
    int userFlags = 0;     // value 2: the login password must be changed
    char accountState = 0; // '1' main account of its currency, '2' another one
    char accountClass = 0; // '1' and '2': floating loss reduces the withdrawable money
    int marketId = 0;      // also the trade-market id of the bulletin query
    wxString marketName;
    char marketType = 0; // '1' ordinary trading account, '4' binary-option account
    double suretyMoney = 0.0;
    double bonusPoint = 0.0; // -1.0 until the bonus-point query answers
    int64_t seatNumber = 0;
    uint32_t refreshSerial = 0;
    mutable CachedLink<user_LoginInfo> cachedLoginInfo;

    bool GetLoginInfo(RecordStore* store) const;
};
