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

void ChartViewPanelGlobalConfig::Serialize(Archive& arch)
{
    WriteColour(arch, "m_candUpColour", m_candUpColour);
    WriteColour(arch, "m_candDownColour", m_candDownColour);
    WriteColour(arch, "m_barUpColour", m_barUpColour);
    WriteColour(arch, "m_barDownColour", m_barDownColour);
    WriteColour(arch, "m_foregroundColour", m_foregroundColour);
    WriteColour(arch, "m_backgroundColour", m_backgroundColour);
    arch.Write("m_bShowGrid", m_bShowGrid);
}

void ChartViewPanelGlobalConfig::DeSerialize(Archive& arch)
{
    ReadColour(arch, "m_candUpColour", m_candUpColour);
    ReadColour(arch, "m_candDownColour", m_candDownColour);
    ReadColour(arch, "m_barUpColour", m_barUpColour);
    ReadColour(arch, "m_barDownColour", m_barDownColour);
    ReadColour(arch, "m_foregroundColour", m_foregroundColour);
    ReadColour(arch, "m_backgroundColour", m_backgroundColour);
    arch.Read("m_bShowGrid", m_bShowGrid);
}

void ChartViewPanelGlobalConfig::Save()
{
    EditorConfigST::Get()->SaveObject(kObjectName, this);
    NotifySettingChanged(kObjectName);
}
