#pragma once

#include <pelmora/pmDataViewCtrlConfig.h>
#include <wx/arrstr.h>

// What a quote board stores under "SymbolPaneCfg" and its market's suffix:
// how its rows are ordered, the user's own order of symbol codes, the sorted
// column, then the column layout. Read before the control exists.
class pmSymbolPaneConfig : public pmDataViewCtrlConfig
{
public:
    enum SortType {
        eNoSort = 0,     // rows stay in the order they were added
        eCustomSort = 1, // m_customSymbols
        eColumnSort = 2, // a column header
    };

    using pmDataViewCtrlConfig::pmDataViewCtrlConfig;

    void Serialize(Archive& arch) override;
    // A stored sort type outside 0..2 reads as eNoSort.
    void DeSerialize(Archive& arch) override;

    // "SymbolPaneCfg" with ".OTC", ".Aggregate" or ".Hang" for '1', '2', '3'.
    static wxString EntryName(char marketType);

    int m_sortType = eCustomSort;
    wxArrayString m_customSymbols;
    int m_nSortColumn = 0; // position in the control
    bool m_bSortAsc = false;
};
