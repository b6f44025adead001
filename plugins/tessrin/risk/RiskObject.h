#pragma once

#include <memory>
#include <pelmora/SerializedObject.h>
#include <vector>
#include <wx/string.h>

// One custom risk alarm of the trader: a quantity (a symbol's price, or an
// account's risk rate, used margin or floating profit), its threshold and how
// the alarm is raised. Shared between the risk pane's list and an open rule
// dialog, which edits it in place.
class RiskObject : public SerializedObject
{
public:
    // Type codes: 'A' "mdWarning" (price of m_riskItem), 'B' "riskWarning"
    // (risk rate), 'C' "cashDepositWarning" (used margin), 'D'
    // "floatProfitWarning" (floating profit).
    // Condition codes: 'E' "buyRiskCondition", 'F' "sellRiskCondition", 'G'
    // none. Stored, never evaluated.

    RiskObject();

    // Six entries: type and condition as their catalogue keys (the same in
    // every language), the threshold with two decimals.
    void Serialize(Archive& arch) override;
    void DeSerialize(Archive& arch) override;
    // Whether a stored rule reads as it was written: a type and condition
    // this program ever wrote, each entry of its kind, the threshold a
    // finite number. A list keeps any other aside
    // rather than read it with defaults and write it back changed.
    static bool IsReadable(const Archive& arch);

    bool IsInAlarm() const;

    char m_riskType = 'A';
    wxString m_riskItem; // the symbol name for 'A'; empty for the account types
    double m_riskMaxVal = 0.0;
    char m_riskCondition = 'G';
    bool m_bSound = false;
    bool m_bWindow = false;
    // Run-time state, never stored: the translated "YesRisk" or "NoRisk",
    // and whether the output line of the present alarm was written.
    wxString m_riskFlag;
    bool m_bWindowShown = false;
};

using RiskObjectPtr = std::shared_ptr<RiskObject>;
using RiskObjectVec = std::vector<RiskObjectPtr>;

// Translated texts of the codes; an unknown code gives "" ('G' included).
wxString RiskTypeToStr(char type);
wxString RiskConditionToStr(char condition);
// Case-insensitive against the translated texts, the keys and the English
// texts earlier builds stored; an unmatched text reads as 'A' and 'G'.
char StrToRiskType(const wxString& text);
char StrToRiskCondition(const wxString& text);
