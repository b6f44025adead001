#pragma once

#include <wx/string.h>

class RecordStore;
struct am_AmountInOut;

// Where the plug-in shows a money movement's bank page.
enum class InOutPageTarget {
    eNone,       // no address, or the account or its login is unknown
    eBrowser,    // outside the host
    eCentrePage, // a new "InOut" page of the centre notebook
};

// The configuration key "ShowInoutInBrower" and the setting
// "ShowInOutUrlInBrower" each send the page to the browser.
InOutPageTarget ChooseInOutPageTarget(RecordStore* db, const am_AmountInOut& row, bool keyShowInBrowser,
                                      bool settingShowInBrowser);

// Whether a pushed bank address may open anything (a page or a browser): a
// web address once the URI parser has rebuilt it. A refused one is logged,
// once per call.
bool AcceptBankAddress(const wxString& url);

// The pay port's own bank address for a movement's page: the address the
// market pushed for the pay port of the movement's account, else the one it
// pushed for the movement. Pages of its origin alone get the signing control.
wxString PayPortBankAddress(RecordStore* db, const am_AmountInOut& row);
