#include "pelmora/Archive.h"

#include "pelmora/SerializedObject.h"

#include <climits>

Archive::Archive() : m_object(JSONElement::createObject()) {}

Archive::Archive(const JSONElement& object) : m_object(object) {}

bool Archive::Write(const wxString& key, const wxString& value)
{
    if(!m_object.isObject()) {
        return false;
    }
    m_object.addProperty(key, value);
    return true;
}

bool Archive::Write(const wxString& key, const char* value)
{
    return Write(key, wxString::FromUTF8(value ? value : ""));
}

bool Archive::Write(const wxString& key, int value)
{
    return Write(key, static_cast<long>(value));
}

bool Archive::Write(const wxString& key, long value)
{
    if(!m_object.isObject()) {
        return false;
    }
    m_object.addProperty(key, value);
    return true;
}

bool Archive::Write(const wxString& key, bool value)
{
    if(!m_object.isObject()) {
        return false;
    }
    m_object.addProperty(key, value);
    return true;
}

bool Archive::Write(const wxString& key, double value)
{
    if(!m_object.isObject()) {
        return false;
    }
    m_object.addProperty(key, value);
    return true;
}

bool Archive::Write(const wxString& key, const wxArrayString& values)
{
    if(!m_object.isObject()) {
        return false;
    }
    m_object.addProperty(key, values);
    return true;
}

bool Archive::Write(const wxString& key, SerializedObject* object)
{
    if(!object || !m_object.isObject()) {
        return false;
    }
    // The member goes in first so that it keeps its place among the keys.
    m_object.addProperty(key, JSONElement::createObject());
    Archive nested(m_object.namedObject(key));
    object->Serialize(nested);
    return true;
}

bool Archive::Write(const wxString& key, const JSONElement& value)
{
    if(!m_object.isObject() || !value.isOk()) {
        return false;
    }
    m_object.addProperty(key, value);
    return true;
}

bool Archive::Read(const wxString& key, wxString& value) const
{
    const JSONElement member = m_object.namedObject(key);
    if(!member.isString()) {
        return false;
    }
    value = member.toString();
    return true;
}

bool Archive::Read(const wxString& key, int& value) const
{
    long wide = 0;
    if(!Read(key, wide) || wide < INT_MIN || wide > INT_MAX) {
        return false;
    }
    value = static_cast<int>(wide);
    return true;
}

bool Archive::Read(const wxString& key, long& value) const
{
    const JSONElement member = m_object.namedObject(key);
    if(!member.isNumber()) {
        return false;
    }
    const JSONElement::Json json = member.value();
    if(!json.is_number_integer()) {
        return false;
    }
    if(json.is_number_unsigned() &&
       json.get<unsigned long long>() > static_cast<unsigned long long>(LONG_MAX)) {
        return false;
    }
    value = json.get<long>();
    return true;
}

bool Archive::Read(const wxString& key, bool& value) const
{
    const JSONElement member = m_object.namedObject(key);
    if(!member.isBool()) {
        return false;
    }
    value = member.toBool();
    return true;
}

bool Archive::Read(const wxString& key, double& value) const
{
    const JSONElement member = m_object.namedObject(key);
    if(!member.isNumber()) {
        return false;
    }
    value = member.toDouble();
    return true;
}

bool Archive::Read(const wxString& key, wxArrayString& values) const
{
    const JSONElement member = m_object.namedObject(key);
    if(!member.isArray()) {
        return false;
    }
    values = member.toArrayString();
    return true;
}

bool Archive::Read(const wxString& key, SerializedObject* object) const
{
    const JSONElement member = m_object.namedObject(key);
    if(!object || !member.isObject()) {
        return false;
    }
    Archive nested(member);
    object->DeSerialize(nested);
    return true;
}
