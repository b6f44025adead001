#pragma once

#include <pelmora/SerializedObject.h>
#include <wx/string.h>

// The settings of one symbol's chart page, stored in the host's settings
// store as "ChartViewerPanel.<symbol code>": its period and bar type.
class ChartViewPanelConfig : public SerializedObject
{
public:
    static constexpr int kPeriodLimit = 12; // stored periods from here on are ignored
    static constexpr int kBarTypeLimit = 4;

    static wxString ObjectName(const wxString& symbolCode);

    void Serialize(Archive& arch) override;
    // A stored value out of range leaves that field as it was.
    void DeSerialize(Archive& arch) override;

    bool Load(const wxString& symbolCode);
    bool Save(const wxString& symbolCode);

    int m_periodType = 0; // ePeriodType
    int m_barType = 1;    // 0 HLOC bars, 1 candlesticks, 2 time-shared line
};
