#pragma once

#include <wx/datetime.h>
#include <wx/string.h>

// The confirmation time of a delivery order as its pane shows it: "---"
// while unconfirmed (the server's unset time of year 1900, or a time that
// was empty or did not parse), else "%Y-%m-%d %H:%M:%S" in local time.
wxString DeliveryConfirmTimeText(const wxDateTime& confirmTime);
