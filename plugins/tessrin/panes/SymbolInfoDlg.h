#pragma once

#include "layouts/SymbolInfoDlgBase.h"

struct symbol_Info;

// The trading parameters of one symbol, read-only. The opener makes it,
// calls SetSymbol and ShowModal, and destroys it; "Ok" and the close box end
// the modal loop.
class SymbolInfoDlg : public SymbolInfoDlgBase
{
public:
    using SymbolInfoDlgBase::SymbolInfoDlgBase;

    // The symbol's property link must be resolved (GetSymbolProperty).
    void SetSymbol(const symbol_Info& symbol);

    // The field texts in grid order, row by row, left then right.
    wxArrayString GetFieldTexts() const;
};
