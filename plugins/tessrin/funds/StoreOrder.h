#pragma once

#include "db/CachedLink.h"

#include <wx/datetime.h>
#include <wx/string.h>

class RecordStore;
struct symbol_Info;

// A warehouse-receipt order kept on this machine only, or (inoutStatus 4) a
// row mirrored from one of the user's warehouse holdings.
struct StoreOrder
{
    enum InOut { eStoreInPending, eStoreIn, eStoreOutPending, eStoreOut, eStoreFinancing };

    int localId = 0; // running number of this session; never in the file
    int userId = 0;
    int symbolId = 0;
    wxString symbolCode;
    wxString storeCode;
    double applyQuantity = 0.0;
    double quantity = 0.0;
    wxDateTime storeTime; // invalid: not set
    wxString storeName;
    int inoutStatus = 0;
    int registStatus = 0;
    int mortageStatus = 0;
    // The holding a mirrored row stands for; never in the file.
    int mirrorStoreId = 0;
    mutable CachedLink<symbol_Info> cachedSymbolInfo;

    bool IsMirrored() const { return inoutStatus == eStoreFinancing; }
    bool GetSymbolInfo(RecordStore* store) const;
};

// Translated texts of the status codes; any other code gives "".
wxString InOutStatusText(int status);
wxString RegistStatusText(int status);
wxString MortgageStatusText(int status);
