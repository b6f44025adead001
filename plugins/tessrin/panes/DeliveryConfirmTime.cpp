#include "panes/DeliveryConfirmTime.h"

#include "db/DateTimeText.h"

wxString DeliveryConfirmTimeText(const wxDateTime& confirmTime)
{
    // An invalid time asserts when asked its year: it is checked first.
    if(!confirmTime.IsValid() || confirmTime.GetYear(wxDateTime::Local) == 1900) {
        return "---";
    }
    return FormatDateTime(confirmTime);
}
