#pragma once

#include "common/UnreadableEntries.h"
#include "risk/RiskObject.h"

#include <map>
#include <pelmora/pmDataViewCtrlConfig.h>

// What the risk pane stores as "RiskCustomPanel": the rules of every login
// that stored any, then the pane's column layout. Saving one login's rules
// keeps the others'. What cannot be read (a "RiskCustoms" that is no list of
// names, a login's list that is no object, a rule) is kept aside under
// another name and written back as it was; a login's list is found by its
// key even when "RiskCustoms" does not name it.
class RiskParamsCustomConfig : public pmDataViewCtrlConfig
{
public:
    static constexpr const char* kObjectName = "RiskCustomPanel";

    using pmDataViewCtrlConfig::pmDataViewCtrlConfig;

    // "RiskObjectVector.<login>" per login in name order, "RiskCustoms" with
    // the names, then the layout.
    void Serialize(Archive& arch) override;
    void DeSerialize(Archive& arch) override;

    // The login's rules; an unknown login gets an empty list, entered.
    RiskObjectVec& GetRules(const wxString& login) { return m_rules[login]; }
    void SetRules(const wxString& login, RiskObjectVec rules) { m_rules[login] = std::move(rules); }
    const std::map<wxString, RiskObjectVec>& GetAllRules() const { return m_rules; }
    // Where the last read found what it could not read ("RiskCustoms",
    // "RiskObjectVector.demo/2"); empty when everything was read.
    const wxArrayString& GetUnreadablePlaces() const { return m_unreadablePlaces; }

private:
    std::map<wxString, RiskObjectVec> m_rules;
    UnreadableEntries m_unreadable;                         // of the object itself
    std::map<wxString, UnreadableEntries> m_listUnreadable; // of each login's list
    wxArrayString m_unreadablePlaces;
};
