#pragma once

#include "orders/HangOrder.h"

#include <wx/arrstr.h>
#include <wx/string.h>

class HangOrderFactory;

// What the hang-order dialog decides, apart from its window: the texts of
// its modes, the warehouse list, and the confirmation that turns the
// dialog's field texts into a stored hang order.
class HangOrderEntry
{
public:
    enum Mode {
        eGuaPai = 0,  // enter a new hang order
        eZaiPai = 1,  // show one
        eHuanJia = 2, // show one, change its price
    };
    enum Result {
        eSymbolInvalid, // no symbol chosen: "Symbol Invalid" on the status line
        eBadQuantity,   // a quantity is not a whole number from 1: "Quantity Error!"
        eBadPrice,      // the price is empty, not a number, or not above 0: "Price Invalid"
        eClose,         // mode 1: the dialog closes, nothing changes
        eAdded,         // the new hang order is in the store
        eNoFreeCode,    // every code drawn was taken: nothing stored
        eRefused,       // an observer of the store refused the order
        ePriceChanged,  // mode 2: the shown order's new price is stored
        eOrderGone,     // mode 2: the shown order is no longer stored
    };
    // The texts of the dialog's fields, as the trader left them.
    struct Fields
    {
        wxString symbolName;
        wxString side;
        wxString price;
        wxString quantity;
        wxString minQuantity;
        wxString storeName;
        wxString effectiveDay;
    };
    // How many codes are drawn before the order is given up.
    static constexpr int kCodeAttempts = 100;

    // Translated "GuaPai", "ZaiPai" or "HuanJia"; empty for any other mode.
    static wxString ModeText(int mode);
    // Mode 0: the mode text; modes 1 and 2: the mode text and "[code]".
    static wxString TitleText(int mode, const wxString& orderCode);
    // The "StoreNames" text split at ',' with '\' escaping a comma.
    static wxArrayString SplitStoreNames(const wxString& text);
    // A whole number from 1 to 4294967295, as the quantity boxes accept.
    static bool ParseQuantity(const wxString& text, double* quantity);
    // A finite decimal number above 0.
    static bool ParsePrice(const wxString& text, double* price);
    // The side and the unit are stored as their keys ("Buy", "Sell", "Kg"),
    // which each catalogue shows in its own words: a shown text of this
    // catalogue gives its key, any other text stays as it is.
    static wxString KeyOf(const wxString& shown);

    // OK pressed in that mode. In mode 0 a new hang order with a code that no
    // stored order holds is inserted into the store (observers told), and
    // `added` receives it. In mode 2 the stored order of `orderCode` takes
    // the price.
    static Result Confirm(int mode, const Fields& fields, HangOrderFactory& store, HangOrder* added = nullptr,
                          const wxString& orderCode = wxString());
};
