#include "pelmora/JSONElement.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {
using Json = JSONElement::Json;

std::string Utf8(const wxString& text)
{
    return text.utf8_string();
}

wxString FromUtf8(const std::string& text)
{
    return wxString::FromUTF8(text.data(), text.size());
}

// A text that is exactly a whole number (optional sign, digits) as a value.
bool ParseWholeNumber(const std::string& text, long long& value)
{
    if(text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if(errno != 0 || end != text.c_str() + text.size() ||
       text.find_first_of(" \t\n\r") != std::string::npos) {
        return false;
    }
    value = parsed;
    return true;
}

bool ReadWhole(const Json* json, long long& value)
{
    if(!json) {
        return false;
    }
    if(json->is_number_integer()) {
        if(json->is_number_unsigned() && json->get<unsigned long long>() > LLONG_MAX) {
            return false;
        }
        value = json->get<long long>();
        return true;
    }
    if(json->is_number_float()) {
        const double d = json->get<double>();
        if(!(d >= static_cast<double>(LLONG_MIN) && d < static_cast<double>(LLONG_MAX))) {
            return false;
        }
        value = static_cast<long long>(d);
        return true;
    }
    if(json->is_boolean()) {
        value = json->get<bool>() ? 1 : 0;
        return true;
    }
    if(json->is_string()) {
        return ParseWholeNumber(json->get_ref<const std::string&>(), value);
    }
    return false;
}
} // namespace

JSONElement JSONElement::createObject(const wxString& name)
{
    return JSONElement(std::make_shared<Json>(Json::object()), Json::json_pointer(), name);
}

JSONElement JSONElement::createArray(const wxString& name)
{
    return JSONElement(std::make_shared<Json>(Json::array()), Json::json_pointer(), name);
}

JSONElement JSONElement::fromJson(Json value, const wxString& name)
{
    return JSONElement(std::make_shared<Json>(std::move(value)), Json::json_pointer(), name);
}

JSONElement::JSONElement() = default;

JSONElement::JSONElement(std::shared_ptr<Json> document, Json::json_pointer path, const wxString& name)
    : m_document(std::move(document)), m_path(std::move(path)), m_name(name)
{}

const Json* JSONElement::Find() const
{
    if(!m_document) {
        return nullptr;
    }
    const Json& document = *m_document;
    try {
        if(!document.contains(m_path)) {
            return nullptr;
        }
        return &document.at(m_path);
    } catch(const Json::exception&) {
        return nullptr;
    }
}

Json* JSONElement::FindMutable()
{
    return const_cast<Json*>(Find());
}

bool JSONElement::isOk() const
{
    return Find() != nullptr;
}

bool JSONElement::isNull() const
{
    const Json* json = Find();
    return !json || json->is_null();
}

bool JSONElement::isBool() const
{
    const Json* json = Find();
    return json && json->is_boolean();
}

bool JSONElement::isNumber() const
{
    const Json* json = Find();
    return json && json->is_number();
}

bool JSONElement::isString() const
{
    const Json* json = Find();
    return json && json->is_string();
}

bool JSONElement::isArray() const
{
    const Json* json = Find();
    return json && json->is_array();
}

bool JSONElement::isObject() const
{
    const Json* json = Find();
    return json && json->is_object();
}

bool JSONElement::hasNamedObject(const wxString& name) const
{
    const Json* json = Find();
    return json && json->is_object() && json->contains(Utf8(name));
}

JSONElement JSONElement::namedObject(const wxString& name) const
{
    // Only objects have members ("0" must not address an array's element).
    if(!isObject()) {
        return JSONElement();
    }
    return JSONElement(m_document, m_path / Utf8(name), name);
}

int JSONElement::arraySize() const
{
    const Json* json = Find();
    return json && json->is_array() ? static_cast<int>(json->size()) : 0;
}

JSONElement JSONElement::arrayItem(int index) const
{
    if(!m_document || index < 0 || index >= arraySize()) {
        return JSONElement();
    }
    return JSONElement(m_document, m_path / static_cast<std::size_t>(index), wxEmptyString);
}

wxString JSONElement::toString(const wxString& defaultValue) const
{
    const Json* json = Find();
    if(!json) {
        return defaultValue;
    }
    if(json->is_string()) {
        return FromUtf8(json->get_ref<const std::string&>());
    }
    if(json->is_number() || json->is_boolean()) {
        return FromUtf8(json->dump());
    }
    return defaultValue;
}

int JSONElement::toInt(int defaultValue) const
{
    long long value = 0;
    if(!ReadWhole(Find(), value) || value < INT_MIN || value > INT_MAX) {
        return defaultValue;
    }
    return static_cast<int>(value);
}

long JSONElement::toLong(long defaultValue) const
{
    long long value = 0;
    if(!ReadWhole(Find(), value) || value < LONG_MIN || value > LONG_MAX) {
        return defaultValue;
    }
    return static_cast<long>(value);
}

long long JSONElement::toInt64(long long defaultValue) const
{
    long long value = 0;
    return ReadWhole(Find(), value) ? value : defaultValue;
}

double JSONElement::toDouble(double defaultValue) const
{
    const Json* json = Find();
    if(json && json->is_number()) {
        return json->get<double>();
    }
    if(json && json->is_string()) {
        const std::string& text = json->get_ref<const std::string&>();
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        if(!text.empty() && end == text.c_str() + text.size()) {
            return value;
        }
    }
    return defaultValue;
}

bool JSONElement::toBool(bool defaultValue) const
{
    const Json* json = Find();
    if(!json) {
        return defaultValue;
    }
    if(json->is_boolean()) {
        return json->get<bool>();
    }
    if(json->is_number()) {
        return json->get<double>() != 0.0;
    }
    if(json->is_string()) {
        const wxString text = FromUtf8(json->get_ref<const std::string&>());
        if(text.IsSameAs("true", false) || text == "1") {
            return true;
        }
        if(text.IsSameAs("false", false) || text == "0") {
            return false;
        }
    }
    return defaultValue;
}

wxArrayString JSONElement::toArrayString() const
{
    wxArrayString values;
    const int count = arraySize();
    for(int i = 0; i < count; ++i) {
        values.Add(arrayItem(i).toString());
    }
    return values;
}

JSONElement& JSONElement::SetMember(const wxString& name, Json value)
{
    Json* json = FindMutable();
    if(json && json->is_object()) {
        (*json)[Utf8(name)] = std::move(value);
    }
    return *this;
}

JSONElement& JSONElement::Push(Json value)
{
    Json* json = FindMutable();
    if(json && json->is_array()) {
        json->push_back(std::move(value));
    }
    return *this;
}

JSONElement& JSONElement::addProperty(const wxString& name, const wxString& value)
{
    return SetMember(name, Utf8(value));
}

JSONElement& JSONElement::addProperty(const wxString& name, const char* value)
{
    return SetMember(name, Utf8(wxString::FromUTF8(value ? value : "")));
}

JSONElement& JSONElement::addProperty(const wxString& name, const wchar_t* value)
{
    return SetMember(name, Utf8(wxString(value ? value : L"")));
}

JSONElement& JSONElement::addProperty(const wxString& name, int value)
{
    return SetMember(name, value);
}

JSONElement& JSONElement::addProperty(const wxString& name, long value)
{
    return SetMember(name, value);
}

JSONElement& JSONElement::addProperty(const wxString& name, long long value)
{
    return SetMember(name, value);
}

JSONElement& JSONElement::addProperty(const wxString& name, unsigned long value)
{
    return SetMember(name, value);
}

JSONElement& JSONElement::addProperty(const wxString& name, double value)
{
    return SetMember(name, value);
}

JSONElement& JSONElement::addProperty(const wxString& name, bool value)
{
    return SetMember(name, value);
}

JSONElement& JSONElement::addProperty(const wxString& name, const wxArrayString& values)
{
    Json array = Json::array();
    for(const wxString& value : values) {
        array.push_back(Utf8(value));
    }
    return SetMember(name, std::move(array));
}

JSONElement& JSONElement::addProperty(const wxString& name, const JSONElement& element)
{
    return SetMember(name, element.value());
}

JSONElement& JSONElement::append(const JSONElement& element)
{
    return addProperty(element.getName(), element);
}

void JSONElement::removeProperty(const wxString& name)
{
    Json* json = FindMutable();
    if(json && json->is_object()) {
        json->erase(Utf8(name));
    }
}

JSONElement& JSONElement::arrayAppend(const JSONElement& element)
{
    return Push(element.value());
}

JSONElement& JSONElement::arrayAppend(const wxString& value)
{
    return Push(Utf8(value));
}

JSONElement& JSONElement::arrayAppend(const char* value)
{
    return Push(Utf8(wxString::FromUTF8(value ? value : "")));
}

JSONElement& JSONElement::arrayAppend(int value)
{
    return Push(value);
}

JSONElement& JSONElement::arrayAppend(long value)
{
    return Push(value);
}

JSONElement& JSONElement::arrayAppend(long long value)
{
    return Push(value);
}

JSONElement& JSONElement::arrayAppend(double value)
{
    return Push(value);
}

JSONElement& JSONElement::arrayAppend(bool value)
{
    return Push(value);
}

wxString JSONElement::format(bool pretty) const
{
    const Json* json = Find();
    if(!json) {
        return wxEmptyString;
    }
    // Replace rather than throw on text that is not valid UTF-8.
    return FromUtf8(json->dump(pretty ? 2 : -1, ' ', false, Json::error_handler_t::replace));
}

JSONElement::Json JSONElement::value() const
{
    const Json* json = Find();
    return json ? *json : Json();
}
