#pragma once

struct symbol_Info;

// One symbol shown on a quote board. The symbol record is the row's identity;
// the rows of a quote are found by its symbol id.
struct SymbolModelRow
{
    int m_userId = 0; // the user the symbol list was queried for
    int m_symbolId = 0;
    // Direction of the last quote that moved the price: 0 none yet, 1 up,
    // 2 down. Display state only, outside every key, so a quote changes it
    // in place.
    mutable int m_mark = 0;
    const symbol_Info* m_pSymbolInfo = nullptr; // in the record store
};
