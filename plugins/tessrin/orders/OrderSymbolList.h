#pragma once

#include <map>
#include <vector>
#include <wx/arrstr.h>
#include <wx/string.h>

class RecordStore;

// One entry of the order dialog's symbol list: a symbol's display name, or a
// separator between two groups.
struct OrderSymbolEntry
{
    wxString text;
    bool hasSymbol = false;
    int symbolId = 0;
};

// The order dialog's symbol list: the symbols of one market type (every one
// for 0) whose property resolves, in groups. Each configured group lists its
// symbols in the group's order; the symbols of no group form "__default__",
// in the quote board's display order (codes the board does not list first).
// Groups follow in name order, separated by a separator entry; an empty group
// is left out.
class OrderSymbolList
{
public:
    static constexpr const char* kDefaultGroup = "__default__";
    static constexpr const char* kSeparatorText = "-------------------";

    static std::vector<OrderSymbolEntry> Build(RecordStore* store, char marketType,
                                               const std::map<wxString, wxArrayString>& groups,
                                               const wxArrayString& boardOrder);

    // The entry whose symbol a choice at `selection` takes: the entry itself,
    // else the nearest one above that carries a symbol; with no selection
    // (-1) the first one that carries a symbol. -1 when none does.
    static int PickSymbolEntry(const std::vector<OrderSymbolEntry>& entries, int selection);
};
