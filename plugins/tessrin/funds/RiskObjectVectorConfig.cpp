#include "funds/RiskObjectVectorConfig.h"

#include <pelmora/Archive.h>

void RiskObjectVectorConfig::Serialize(Archive& arch)
{
    for(size_t i = 0; i < m_rules.size(); ++i) {
        arch.Write(wxString::Format("%d", static_cast<int>(i)), m_rules[i].get());
    }
}

void RiskObjectVectorConfig::DeSerialize(Archive& arch)
{
    m_rules.clear();
    for(int i = 0;; ++i) {
        auto rule = std::make_shared<RiskObject>();
        if(!arch.Read(wxString::Format("%d", i), rule.get())) {
            break;
        }
        m_rules.push_back(std::move(rule));
    }
}
