#include "common/UnreadableEntries.h"

#include <pelmora/Archive.h>

bool UnreadableEntries::IsKeptName(const wxString& key)
{
    return key.Contains(kSuffix);
}

void UnreadableEntries::Carry(const Json& stored)
{
    if(!stored.is_object()) {
        return;
    }
    for(const auto& [key, value] : stored.items()) {
        if(IsKeptName(wxString::FromUTF8(key))) {
            m_kept[key] = value;
        }
    }
}

void UnreadableEntries::Add(const wxString& key, const Json& value)
{
    std::string name = (key + kSuffix).utf8_string();
    for(int n = 2; m_kept.contains(name); ++n) {
        name = wxString::Format("%s%s.%d", key, kSuffix, n).utf8_string();
    }
    m_kept[name] = value;
    m_newKeys.Add(key);
}

void UnreadableEntries::WriteTo(Archive& arch) const
{
    for(const auto& [key, value] : m_kept.items()) {
        arch.Write(wxString::FromUTF8(key), JSONElement::fromJson(value));
    }
}
