#pragma once

#include <wx/string.h>

class RecordStore;
struct trade_HoldBill;

// The order contract of a hold bill: the page template "ordercontract.html"
// of the host's data folder (config/) with the bill's placeholders filled.

// The template's path: <data dir>/config/ordercontract.html.
wxString OrderContractPath();
// The whole template, its encoding detected; false when it is missing or
// cannot be read.
bool LoadOrderContract(wxString& text);
// The template with every "$account", "$name", "$symbolname", "$unit",
// "$quantity", "$price" and "$charge" replaced; false without the template
// or when the bill's account, login, symbol or property is missing.
bool FillOrderContract(RecordStore* db, const trade_HoldBill& bill, wxString& text);
