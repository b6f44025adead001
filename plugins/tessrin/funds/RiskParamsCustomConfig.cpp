#include "funds/RiskParamsCustomConfig.h"

#include "funds/RiskObjectVectorConfig.h"

#include <pelmora/Archive.h>

namespace {

wxString KeyOf(const wxString& login)
{
    return wxString::Format("RiskObjectVector.%s", login);
}

} // namespace

void RiskParamsCustomConfig::Serialize(Archive& arch)
{
    wxArrayString logins;
    for(const auto& [login, rules] : m_rules) {
        RiskObjectVectorConfig list(rules);
        arch.Write(KeyOf(login), &list);
        logins.Add(login);
    }
    arch.Write("RiskCustoms", logins);
    pmDataViewCtrlConfig::Serialize(arch);
}

void RiskParamsCustomConfig::DeSerialize(Archive& arch)
{
    wxArrayString logins;
    arch.Read("RiskCustoms", logins);
    for(const wxString& login : logins) {
        RiskObjectVectorConfig list;
        arch.Read(KeyOf(login), &list);
        m_rules[login] = list.GetRules();
    }
    pmDataViewCtrlConfig::DeSerialize(arch);
}
