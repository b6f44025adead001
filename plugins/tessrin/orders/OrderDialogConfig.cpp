#include "orders/OrderDialogConfig.h"

#include "orders/PointDiffDefaults.h"

#include <climits>
#include <pelmora/Archive.h>
#include <pelmora/EditorConfig.h>

void OrderDialogConfig::Serialize(Archive& arch)
{
    arch.Write("m_symbolName", m_symbolName);
    arch.Write("m_pointDiff", static_cast<long>(m_pointDiff));
    arch.Write("m_usePointDiff", m_usePointDiff);
}

void OrderDialogConfig::DeSerialize(Archive& arch)
{
    arch.Read("m_symbolName", m_symbolName);
    long points = m_pointDiff;
    if(arch.Read("m_pointDiff", points) && points >= INT_MIN && points <= INT_MAX) {
        m_pointDiff = static_cast<int>(points);
    }
    arch.Read("m_usePointDiff", m_usePointDiff);
}

wxString OrderDialogConfig::EntryName(const wxString& symbolCode)
{
    return wxString::Format("OrderDialog.%s", symbolCode);
}

OrderDialogConfig OrderDialogConfig::Defaults(const wxString& symbolCode)
{
    OrderDialogConfig config;
    config.m_symbolName = symbolCode;
    config.m_usePointDiff = true;
    config.m_pointDiff = DefaultPointDiffs().For(symbolCode);
    return config;
}

OrderDialogConfig OrderDialogConfig::Load(const wxString& symbolCode, bool defaultsOnly)
{
    OrderDialogConfig config = Defaults(symbolCode);
    if(!defaultsOnly) {
        // Keys missing from the stored entry keep the defaults.
        EditorConfigST::Get()->LoadObject(EntryName(symbolCode), &config);
    }
    return config;
}

bool OrderDialogConfig::Save()
{
    return EditorConfigST::Get()->SaveObject(EntryName(m_symbolName), this);
}
