#include "frame/TessrinServerArray.h"

TessrinServerArray::TessrinServerArray() : clConfigItem("server") {}

void TessrinServerArray::FromJSON(const JSONElement& json)
{
    m_serverMap.clear();
    const int count = json.arraySize();
    for(int i = 0; i < count; ++i) {
        ServerInfo info = ServerInfo::FromJSON(json.arrayItem(i));
        const std::uint32_t key = info.nameHash;
        m_serverMap.emplace(key, std::move(info)); // keeps the first of a hash
    }
}

JSONElement TessrinServerArray::ToJSON() const
{
    JSONElement json = JSONElement::createArray(GetName());
    for(const auto& entry : m_serverMap) {
        json.arrayAppend(entry.second.ToJSON());
    }
    return json;
}

const ServerInfo* TessrinServerArray::FindServer(const wxString& name) const
{
    auto it = m_serverMap.find(ServerNameHash(name));
    // A different name of the same hash is not this server.
    if(it == m_serverMap.end() || it->second.name != name) {
        return nullptr;
    }
    return &it->second;
}

wxArrayString TessrinServerArray::GetServerNames() const
{
    wxArrayString names;
    for(const auto& entry : m_serverMap) {
        names.Add(entry.second.name);
    }
    return names;
}
