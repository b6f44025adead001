#pragma once

#include <array>
#include <pelmora/SerializedObject.h>
#include <wx/colour.h>

// The chart colours shared by every chart page, kept in the host's settings
// store as the object "CharViewPanelMgr".
class ChartViewPanelGlobalConfig : public SerializedObject
{
public:
    static constexpr const char* kObjectName = "CharViewPanelMgr";

    // The defaults, replaced by what the settings store holds.
    ChartViewPanelGlobalConfig();
    ~ChartViewPanelGlobalConfig() override = default;

    void Serialize(Archive& arch) override;
    void DeSerialize(Archive& arch) override;

    // Stores the object and tells the system that "CharViewPanelMgr" changed.
    void Save();

    const wxColour& GetCandUpColour() const { return m_candUpColour; }
    void SetCandUpColour(const wxColour& colour) { m_candUpColour = colour; }
    const wxColour& GetCandDownColour() const { return m_candDownColour; }
    void SetCandDownColour(const wxColour& colour) { m_candDownColour = colour; }
    const wxColour& GetBarUpColour() const { return m_barUpColour; }
    void SetBarUpColour(const wxColour& colour) { m_barUpColour = colour; }
    const wxColour& GetBarDownColour() const { return m_barDownColour; }
    void SetBarDownColour(const wxColour& colour) { m_barDownColour = colour; }
    const wxColour& GetBackgroundColour() const { return m_backgroundColour; }
    void SetBackgroundColour(const wxColour& colour) { m_backgroundColour = colour; }
    const wxColour& GetForegroundColour() const { return m_foregroundColour; }
    void SetForegroundColour(const wxColour& colour) { m_foregroundColour = colour; }
    bool IsShowGrid() const { return m_bShowGrid; }
    void SetShowGrid(bool show) { m_bShowGrid = show; }

private:
    // A colour and the key it is stored under.
    struct StoredColour
    {
        const char* key;
        wxColour ChartViewPanelGlobalConfig::*member;
    };
    static const std::array<StoredColour, 6>& StoredColours();

    wxColour m_candUpColour;   // bull candles
    wxColour m_candDownColour; // bear candles
    wxColour m_barUpColour;    // rising HLOC bars
    wxColour m_barDownColour;  // falling HLOC bars
    wxColour m_backgroundColour;
    wxColour m_foregroundColour; // axes and texts
    bool m_bShowGrid;
};
