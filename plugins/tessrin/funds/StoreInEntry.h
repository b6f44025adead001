#pragma once

#include <vector>
#include <wx/arrstr.h>
#include <wx/string.h>

class StoreOrderFactory;
struct StoreOrder;

// What "Store In" needs of the dialog, and the order it makes; no windows.
struct StoreInEntry
{
    struct Symbol
    {
        wxString name; // the symbol property's name, as the list shows it
        int symbolId = 0;
    };
    struct Result
    {
        bool added = false;
        wxString message; // what was added, or why not; empty: nothing to show
        int code = 0;
    };

    // The warehouse names of "StoreNames": split at ',', '\' escaping the
    // next character.
    static wxArrayString SplitStoreNames(const wxString& text);

    // Adds a "StoreIn Pending" order for a symbol of `symbols` and a whole
    // quantity of 1 to 4294967295. The symbol is the chosen entry (index
    // `chosen`) while the box shows its name; a typed name must name exactly
    // one symbol, since two symbols may share a name. The order code is
    // drawn again while another order holds it.
    static Result Add(const std::vector<Symbol>& symbols, int chosen, const wxString& symbolText,
                      const wxString& quantityText, const wxString& storeName, int userId,
                      StoreOrderFactory& orders);
};
