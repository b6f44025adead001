#include "charts/ChartViewPanelConfig.h"

#include <pelmora/Archive.h>
#include <pelmora/EditorConfig.h>

wxString ChartViewPanelConfig::ObjectName(const wxString& symbolCode)
{
    return wxString::Format("ChartViewerPanel.%s", symbolCode);
}

void ChartViewPanelConfig::Serialize(Archive& arch)
{
    arch.Write("m_periodType", m_periodType);
    arch.Write("m_barType", m_barType);
}

void ChartViewPanelConfig::DeSerialize(Archive& arch)
{
    // Negative numbers are no period or bar type either.
    int value = 0;
    if(arch.Read("m_periodType", value) && value >= 0 && value < kPeriodLimit) {
        m_periodType = value;
    }
    if(arch.Read("m_barType", value) && value >= 0 && value < kBarTypeLimit) {
        m_barType = value;
    }
}

bool ChartViewPanelConfig::Load(const wxString& symbolCode)
{
    return EditorConfigST::Get()->LoadObject(ObjectName(symbolCode), this);
}

bool ChartViewPanelConfig::Save(const wxString& symbolCode)
{
    return EditorConfigST::Get()->SaveObject(ObjectName(symbolCode), this);
}
