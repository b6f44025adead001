#include "risk/RiskObjectVectorConfig.h"

#include <pelmora/Archive.h>
#include <set>
#include <string>

void RiskObjectVectorConfig::Serialize(Archive& arch)
{
    for(size_t i = 0; i < m_rules.size(); ++i) {
        arch.Write(wxString::Format("%d", static_cast<int>(i)), m_rules[i].get());
    }
    m_unreadable.WriteTo(arch);
}

void RiskObjectVectorConfig::DeSerialize(Archive& arch)
{
    m_rules.clear();
    m_unreadable = UnreadableEntries();
    const UnreadableEntries::Json stored = arch.GetElement().value();
    m_unreadable.Carry(stored);
    std::set<std::string> read;
    for(int i = 0;; ++i) {
        const wxString key = wxString::Format("%d", i);
        if(!stored.contains(key.utf8_string())) {
            break;
        }
        Archive nested(arch.GetElement().namedObject(key));
        if(!RiskObject::IsReadable(nested)) {
            continue; // kept aside below; the rules after it still count
        }
        auto rule = std::make_shared<RiskObject>();
        rule->DeSerialize(nested);
        m_rules.push_back(std::move(rule));
        read.insert(key.utf8_string());
    }
    for(const auto& [key, value] : stored.items()) {
        const wxString name = wxString::FromUTF8(key);
        if(read.count(key) == 0 && !UnreadableEntries::IsKeptName(name)) {
            m_unreadable.Add(name, value);
        }
    }
}
