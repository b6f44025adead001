#include "common/ChartViewPanelGlobalConfig.h"

#include "common/Colours.h"
#include "common/SettingsAccessors.h"

#include <pelmora/Archive.h>
#include <pelmora/EditorConfig.h>

namespace {

void WriteColour(Archive& arch, const char* key, const wxColour& colour)
{
    arch.Write(key, colour.GetAsString(wxC2S_HTML_SYNTAX));
}

// A stored text that is no colour leaves the colour as it was.
void ReadColour(Archive& arch, const char* key, wxColour& colour)
{
    wxString text;
    if(!arch.Read(key, text)) {
        return;
    }
    wxColour parsed;
    if(parsed.Set(text)) {
        colour = wxColour(parsed.Red(), parsed.Green(), parsed.Blue());
    }
}

} // namespace

ChartViewPanelGlobalConfig::ChartViewPanelGlobalConfig()
    : m_candUpColour(Colours::kChartCandleUp), m_candDownColour(Colours::kChartCandleDown),
      m_barUpColour(Colours::kChartBarUp), m_barDownColour(Colours::kChartBarDown),
      m_backgroundColour(Colours::kChartBackground), m_foregroundColour(Colours::kChartForeground),
      m_bShowGrid(true)
{
    EditorConfigST::Get()->LoadObject(kObjectName, this);
}

const std::array<ChartViewPanelGlobalConfig::StoredColour, 6>& ChartViewPanelGlobalConfig::StoredColours()
{
    // In the order the settings have always been written.
    static const std::array<StoredColour, 6> colours{{
        {"m_candUpColour", &ChartViewPanelGlobalConfig::m_candUpColour},
        {"m_candDownColour", &ChartViewPanelGlobalConfig::m_candDownColour},
        {"m_barUpColour", &ChartViewPanelGlobalConfig::m_barUpColour},
        {"m_barDownColour", &ChartViewPanelGlobalConfig::m_barDownColour},
        {"m_foregroundColour", &ChartViewPanelGlobalConfig::m_foregroundColour},
        {"m_backgroundColour", &ChartViewPanelGlobalConfig::m_backgroundColour},
    }};
    return colours;
}

void ChartViewPanelGlobalConfig::Serialize(Archive& arch)
{
    for(const StoredColour& entry : StoredColours()) {
        WriteColour(arch, entry.key, this->*entry.member);
    }
    arch.Write("m_bShowGrid", m_bShowGrid);
}

void ChartViewPanelGlobalConfig::DeSerialize(Archive& arch)
{
    for(const StoredColour& entry : StoredColours()) {
        ReadColour(arch, entry.key, this->*entry.member);
    }
    arch.Read("m_bShowGrid", m_bShowGrid);
}

void ChartViewPanelGlobalConfig::Save()
{
    EditorConfigST::Get()->SaveObject(kObjectName, this);
    NotifySettingChanged(kObjectName);
}
