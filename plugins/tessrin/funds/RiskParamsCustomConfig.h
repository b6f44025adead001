#pragma once

#include "funds/RiskObject.h"

#include <map>
#include <pelmora/pmDataViewCtrlConfig.h>

// What the risk pane stores as "RiskCustomPanel": the rules of every login
// that stored any, then the pane's column layout. Saving one login's rules
// keeps the others'.
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

private:
    std::map<wxString, RiskObjectVec> m_rules;
};
