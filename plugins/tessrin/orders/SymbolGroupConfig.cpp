#include "orders/SymbolGroupConfig.h"

#include "common/IClientPlugin.h"

#include <pelmora/clConfig.h>

SymbolGroupConfig::SymbolGroupConfig() : clConfigItem("symbolGroup") {}

void SymbolGroupConfig::FromJSON(const JSONElement& json)
{
    const int count = json.arraySize();
    for(int i = 0; i < count; ++i) {
        const JSONElement group = json.arrayItem(i);
        wxArrayString codes;
        const JSONElement items = group.namedObject("Items");
        const int itemCount = items.arraySize();
        for(int j = 0; j < itemCount; ++j) {
            codes.Add(items.arrayItem(j).toString());
        }
        m_groups[group.namedObject("Name").toString()] = codes;
    }
}

JSONElement SymbolGroupConfig::ToJSON() const
{
    JSONElement array = JSONElement::createArray(GetName());
    for(const auto& [name, codes] : m_groups) {
        JSONElement group = JSONElement::createObject();
        group.addProperty("Name", name);
        group.addProperty("Items", codes);
        array.arrayAppend(group);
    }
    return array;
}

void SymbolGroupConfig::ReadFromPlugin()
{
    clConfig* config = g_plugin ? g_plugin->GetConfig() : nullptr;
    if(config) {
        config->ReadItem(this);
    }
}
