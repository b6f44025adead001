#pragma once

#include <wx/string.h>

class BrowserLauncher;
class RecordStore;
struct am_AmountInOut;

// Opening a money movement's bank page outside the host.

// The movement has a page address, its account and the account's login are
// known, and so are the account's user pay port and that pay port's system
// record.
bool CanOpenInOutPageExternal(RecordStore* db, const am_AmountInOut& row);
// The address, as the URI parser rebuilds it, to the bank's browser
// "iexplore.exe", and to the default browser when that does not start.
// When neither starts, a box tells the trader so, with the address; false.
bool OpenInBankBrowser(BrowserLauncher& browser, const wxString& url);
// Both of the above; a failed check opens nothing and shows nothing. The
// first form uses the plug-in's browser launcher.
void OpenInOutPageExternal(RecordStore* db, const am_AmountInOut& row);
void OpenInOutPageExternal(RecordStore* db, const am_AmountInOut& row, BrowserLauncher& browser);
