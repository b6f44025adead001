#pragma once

#include <pelmora/SerializedObject.h>
#include <wx/arrstr.h>
#include <wx/string.h>

// What the plug-in remembers in the host's settings store between runs: the
// chart and hang-order pages open at the last shut-down and the chart page
// that was selected.
class TessrinPluginConfig : public SerializedObject
{
public:
    static constexpr const char* kObjectName = "TessrinPluginConfig";

    TessrinPluginConfig() = default;
    TessrinPluginConfig(const TessrinPluginConfig&) = default;
    TessrinPluginConfig& operator=(const TessrinPluginConfig&) = default;
    ~TessrinPluginConfig() override = default;

    void Serialize(Archive& arch) override;
    void DeSerialize(Archive& arch) override;

    // Fill and store in the host's settings store (EditorConfigST).
    bool Load();
    bool Save();

    const wxArrayString& GetLastShowChartViews() const { return m_lastShowChartViews; }
    void SetLastShowChartViews(const wxArrayString& views) { m_lastShowChartViews = views; }
    const wxString& GetLastActiveChartView() const { return m_lastActiveChartView; }
    void SetLastActiveChartView(const wxString& view) { m_lastActiveChartView = view; }

private:
    wxArrayString m_lastShowChartViews; // page names, in page order
    wxString m_lastActiveChartView;     // symbol of the selected chart page, or empty
};
