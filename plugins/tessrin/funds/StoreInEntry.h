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
        wxString message; // empty: nothing to show
        int code = 0;
    };

    // The warehouse names of "StoreNames": split at ',', '\' escaping the
    // next character.
    static wxArrayString SplitStoreNames(const wxString& text);

    // Adds a "StoreIn Pending" order for the symbol typed or chosen (it must
    // be one of `symbols`) and a whole quantity of 1 to 4294967295. The
    // order code is drawn again while another order holds it.
    static Result Add(const std::vector<Symbol>& symbols, const wxString& symbolText,
                      const wxString& quantityText, const wxString& storeName, int userId,
                      StoreOrderFactory& orders);
};
