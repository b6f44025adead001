#pragma once

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
