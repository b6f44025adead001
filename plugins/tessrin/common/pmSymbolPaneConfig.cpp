#include "common/pmSymbolPaneConfig.h"

#include <pelmora/Archive.h>

void pmSymbolPaneConfig::Serialize(Archive& arch)
{
    arch.Write("m_sortType", m_sortType);
    arch.Write("m_customSymbols", m_customSymbols);
    arch.Write("m_nSortColumn", m_nSortColumn);
    arch.Write("m_bSortAsc", m_bSortAsc);
    pmDataViewCtrlConfig::Serialize(arch);
}

void pmSymbolPaneConfig::DeSerialize(Archive& arch)
{
    arch.Read("m_sortType", m_sortType);
    arch.Read("m_customSymbols", m_customSymbols);
    arch.Read("m_nSortColumn", m_nSortColumn);
    arch.Read("m_bSortAsc", m_bSortAsc);
    pmDataViewCtrlConfig::DeSerialize(arch);
    if(m_sortType < eNoSort || m_sortType > eColumnSort) {
        m_sortType = eNoSort;
    }
}

wxString pmSymbolPaneConfig::EntryName(char marketType)
{
    switch(marketType) {
    case '1':
        return "SymbolPaneCfg.OTC";
    case '2':
        return "SymbolPaneCfg.Aggregate";
    case '3':
        return "SymbolPaneCfg.Hang";
    case 0:
        // The board of every market keeps its own order apart from the
        // binary-option board's.
        return "SymbolPaneCfg.All";
    default:
        return "SymbolPaneCfg";
    }
}
