#include "risk/RiskParamsCustomConfig.h"

#include "risk/RiskObjectVectorConfig.h"

#include <algorithm>
#include <pelmora/Archive.h>

namespace {

const char kListPrefix[] = "RiskObjectVector.";

wxString KeyOf(const wxString& login)
{
    return kListPrefix + login;
}

bool IsListOfNames(const UnreadableEntries::Json& value)
{
    return value.is_array() &&
           std::all_of(value.begin(), value.end(), [](const auto& name) { return name.is_string(); });
}

} // namespace

void RiskParamsCustomConfig::Serialize(Archive& arch)
{
    wxArrayString logins;
    for(const auto& [login, rules] : m_rules) {
        RiskObjectVectorConfig list(rules, m_listUnreadable[login]);
        arch.Write(KeyOf(login), &list);
        logins.Add(login);
    }
    arch.Write("RiskCustoms", logins);
    m_unreadable.WriteTo(arch);
    pmDataViewCtrlConfig::Serialize(arch);
}

void RiskParamsCustomConfig::DeSerialize(Archive& arch)
{
    const UnreadableEntries::Json stored = arch.GetElement().value();
    m_unreadable = UnreadableEntries();
    m_unreadable.Carry(stored);
    m_unreadablePlaces.clear();
    wxArrayString logins;
    if(stored.contains("RiskCustoms")) {
        if(IsListOfNames(stored["RiskCustoms"])) {
            arch.Read("RiskCustoms", logins);
        } else {
            m_unreadable.Add("RiskCustoms", stored["RiskCustoms"]);
        }
    }
    // A list is the login's whether or not "RiskCustoms" names it.
    for(const auto& member : stored.items()) {
        const wxString key = wxString::FromUTF8(member.key());
        wxString login;
        if(key.StartsWith(kListPrefix, &login) && !login.empty() && !UnreadableEntries::IsKeptName(key) &&
           logins.Index(login) == wxNOT_FOUND) {
            logins.Add(login);
        }
    }
    for(const wxString& login : logins) {
        const wxString key = KeyOf(login);
        RiskObjectVectorConfig list;
        if(!arch.Read(key, &list) && stored.contains(key.utf8_string())) {
            m_unreadable.Add(key, stored[key.utf8_string()]);
        }
        m_rules[login] = list.GetRules();
        m_listUnreadable[login] = list.GetUnreadable();
        for(const wxString& rule : list.GetUnreadable().GetNewKeys()) {
            m_unreadablePlaces.Add(key + "/" + rule);
        }
    }
    for(const wxString& key : m_unreadable.GetNewKeys()) {
        m_unreadablePlaces.Add(key);
    }
    pmDataViewCtrlConfig::DeSerialize(arch);
}
