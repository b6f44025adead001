#pragma once

#include "db/RecordFactories.h"

#include <wx/string.h>

class RecordStore;
struct am_AmountInOut;

// The window-free rules of the money in/out pane.
namespace InOutMoneyRules {

// The passed ('3') deposits ('1') and withdrawals ('2') of every account and
// currency; a side without any is empty rather than 0.
struct Totals
{
    bool hasIn = false;
    double in = 0.0;
    bool hasOut = false;
    double out = 0.0;
};
Totals SumPassed(const CObjectFactory<am_AmountInOut>& table);

// The amount of a deposit (`in`) or withdrawal as a list shows it; empty for
// a movement the other way.
wxString MoneyText(const am_AmountInOut& row, bool in);

// An update opens the bank page when it brings a page address that is not
// empty and differs (case-sensitive) from the stored one.
bool BringsNewPage(const am_AmountInOut& stored, const am_AmountInOut& updated);

// "pay_inoutmoney" pays a deposit ('1') still processing ('2') whose account
// and that account's user pay port are known.
bool CanPay(RecordStore* db, const am_AmountInOut& row);

} // namespace InOutMoneyRules
