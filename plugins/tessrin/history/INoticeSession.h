#pragma once

#include <wx/arrstr.h>
#include <wx/datetime.h>

struct user_Account;

// What the bulletin manager needs of the logged-in session: who asks and
// where. The plug-in provides it; tests fake it.
class INoticeSession
{
public:
    virtual ~INoticeSession() = default;
    // The first trading account; null before the accounts arrive.
    virtual const user_Account* GetLoginUser() const = 0;
    // The "noticehistory" list of the logged-in server; empty without a login.
    virtual wxArrayString GetNoticeServers() const = 0;
    // The market's clock as the client keeps it; the local clock until the
    // client knows it.
    virtual wxDateTime GetMarketTime() const = 0;
};
