#include "common/TessrinPluginConfig.h"

#include <pelmora/Archive.h>
#include <pelmora/EditorConfig.h>

void TessrinPluginConfig::Serialize(Archive& arch)
{
    arch.Write("m_lastShowChartViews", m_lastShowChartViews);
    arch.Write("m_lastActiveChartView", m_lastActiveChartView);
}

void TessrinPluginConfig::DeSerialize(Archive& arch)
{
    arch.Read("m_lastShowChartViews", m_lastShowChartViews);
    arch.Read("m_lastActiveChartView", m_lastActiveChartView);
}

bool TessrinPluginConfig::Load()
{
    return EditorConfigST::Get()->LoadObject(kObjectName, this);
}

bool TessrinPluginConfig::Save()
{
    return EditorConfigST::Get()->SaveObject(kObjectName, this);
}
