#include "frame/TessrinErrorArray.h"

#include "connection/ErrorTextTable.h"

TessrinErrorArray::TessrinErrorArray() : clConfigItem("errors") {}

void TessrinErrorArray::FromJSON(const JSONElement& json)
{
    m_errors.clear();
    const int count = json.arraySize();
    for(int i = 0; i < count; ++i) {
        const JSONElement element = json.arrayItem(i);
        ErrorEntry entry;
        entry.error = element.namedObject("error").toString();
        entry.id = element.namedObject("id").toInt(-1);
        m_errors.push_back(entry);
    }
}

JSONElement TessrinErrorArray::ToJSON() const
{
    JSONElement json = JSONElement::createArray(GetName());
    for(const ErrorEntry& entry : m_errors) {
        JSONElement element = JSONElement::createObject();
        element.addProperty("error", entry.error).addProperty("id", entry.id);
        json.arrayAppend(element);
    }
    return json;
}

void TessrinErrorArray::ApplyTo(ErrorTextTable& table) const
{
    for(const ErrorEntry& entry : m_errors) {
        table.SetConfiguredText(entry.id, entry.error);
    }
}
