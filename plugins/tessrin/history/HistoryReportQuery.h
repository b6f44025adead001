#pragma once

#include "history/HistoryPageKind.h"

#include <pelmora/JSONElement.h>
#include <utility>
#include <wx/datetime.h>
#include <wx/string.h>

class RecordStore;
struct user_Account;

// The query of a history page of the trading accounts, without windows: the
// account behind the chosen market name and the report's path and
// conditions.
class HistoryReportQuery
{
public:
    // The last account of the table's random-access order whose market name
    // is `market` (case-sensitive); null when none or no account table.
    static const user_Account* FindAccount(RecordStore* store, const wxString& market);
    // Whether the page offers the account's market in its choice.
    static bool Offers(const HistoryPageKind& kind, const user_Account& account);
    // Fills the path and root ("accId", "userId", "parames", "sort", in this
    // order); false, with nothing filled, when no account has that market.
    static bool Build(RecordStore* store, const HistoryPageKind& kind, const wxString& market,
                      const std::pair<wxDateTime, wxDateTime>& range, wxString& path, JSONElement& root);
};
