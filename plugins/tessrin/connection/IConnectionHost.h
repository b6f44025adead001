#pragma once

#include "connection/StatusColour.h"

#include <wx/arrstr.h>
#include <wx/dynarray.h>
#include <wx/string.h>

// What the connection layer needs of the plug-in object. The plug-in
// implements it; tests fake it. GUI thread only.
class IConnectionHost
{
public:
    virtual ~IConnectionHost() = default;

    // Status-bar field 1 to 6 of the plug-in; other fields are ignored.
    virtual void SetStatusField(int field, const wxString& text) = 0;
    // The text colour of a status-bar field's window.
    virtual void SetStatusFieldColour(int field, StatusColour colour) = 0;
    // The blink phase of the connection icons, 1 or 2: what a login under
    // way reports as its state, so that its icon blinks.
    virtual int GetBlinkPhase() const = 0;
    // A notice in the host's output window under a title.
    virtual void OutputLog(const wxString& title, const wxString& text) = 0;
    // Whether the user wants notices of a kind (0 market open, 1 limit order,
    // 2 closed order, 3 money in/out, 4 binary options).
    virtual bool IsShowNotify(int kind) const = 0;
    // "markets": rows of other markets are dropped; empty keeps every market.
    virtual const wxArrayInt& GetMarketIds() const = 0;
    // A modal message box without parent, with an OK button, centred;
    // returns when the user has closed it.
    virtual void ShowMessageBox(const wxString& message, const wxString& caption) = 0;
    // The login has ended: nothing of it may stay on any page, also not
    // behind the box that tells the user so.
    virtual void ShowLoggedOut() = 0;
    // The trade front accepted a login with this password: what the lock
    // screen must ask for from now on.
    virtual void OnLoginAccepted(const wxString& password) = 0;
    // A boolean key of the plug-in's configuration file.
    virtual bool ReadConfigBool(const wxString& key, bool defaultValue) const = 0;

    // The server record of the current login. The address lists are taken
    // when the Client is built.
    virtual wxString GetServerText() const = 0;
    virtual const wxArrayString& GetTradeAddresses() const = 0; // "trade"
    virtual const wxArrayString& GetMdAddresses() const = 0;    // "mq"
};
