#ifndef PELMORA_JSONELEMENT_H
#define PELMORA_JSONELEMENT_H

#include <memory>
#include <nlohmann/json.hpp>
#include <wx/arrstr.h>
#include <wx/string.h>

// One value inside a JSON document (objects keep their member order).
//
// An element shares its document and addresses the value by its path, so it
// stays valid while the document grows and may outlive the JSONRoot it came
// from. A lookup that finds nothing gives an element that is not ok: reading
// it yields the defaults and writing to it does nothing.
//
// Appending an element to another copies its value at that moment.
class JSONElement
{
public:
    using Json = nlohmann::ordered_json;

    // A detached value that can later be appended to an object or array.
    static JSONElement createObject(const wxString& name = wxEmptyString);
    static JSONElement createArray(const wxString& name = wxEmptyString);
    // A detached element holding a copy of the value.
    static JSONElement fromJson(Json value, const wxString& name = wxEmptyString);

    // An element that is not ok.
    JSONElement();

    const wxString& getName() const { return m_name; }
    void setName(const wxString& name) { m_name = name; }

    bool isOk() const;
    bool isNull() const;
    bool isBool() const;
    bool isNumber() const;
    bool isString() const;
    bool isArray() const;
    bool isObject() const;

    bool hasNamedObject(const wxString& name) const;
    // The member of that name; not ok when this is no object or lacks it.
    JSONElement namedObject(const wxString& name) const;
    // Number of elements; 0 when this is not an array.
    int arraySize() const;
    JSONElement arrayItem(int index) const;

    // Typed reads. A value of another kind gives the default, except that
    // numbers and bools read as text give their text ("42", "4520.5", "true"),
    // and texts that hold a whole number read as numbers.
    wxString toString(const wxString& defaultValue = wxEmptyString) const;
    int toInt(int defaultValue = -1) const;
    long toLong(long defaultValue = -1) const;
    long long toInt64(long long defaultValue = -1) const;
    double toDouble(double defaultValue = -1.0) const;
    bool toBool(bool defaultValue = false) const;
    // Every element of an array read as text; empty when this is no array.
    wxArrayString toArrayString() const;

    // Object members, added or replaced in place (a new one goes last).
    // Each returns *this so calls chain.
    JSONElement& addProperty(const wxString& name, const wxString& value);
    JSONElement& addProperty(const wxString& name, const char* value);
    JSONElement& addProperty(const wxString& name, const wchar_t* value);
    JSONElement& addProperty(const wxString& name, int value);
    JSONElement& addProperty(const wxString& name, long value);
    JSONElement& addProperty(const wxString& name, long long value);
    JSONElement& addProperty(const wxString& name, unsigned long value);
    JSONElement& addProperty(const wxString& name, double value);
    JSONElement& addProperty(const wxString& name, bool value);
    JSONElement& addProperty(const wxString& name, const wxArrayString& values);
    JSONElement& addProperty(const wxString& name, const JSONElement& element);
    // Adds the element as a member under its own name.
    JSONElement& append(const JSONElement& element);
    void removeProperty(const wxString& name);

    // Array elements, appended at the end.
    JSONElement& arrayAppend(const JSONElement& element);
    JSONElement& arrayAppend(const wxString& value);
    JSONElement& arrayAppend(const char* value);
    JSONElement& arrayAppend(int value);
    JSONElement& arrayAppend(long value);
    JSONElement& arrayAppend(long long value);
    JSONElement& arrayAppend(double value);
    JSONElement& arrayAppend(bool value);

    // The value as JSON text, indented by default.
    wxString format(bool pretty = true) const;

    // The underlying value; null when not ok.
    Json value() const;

private:
    JSONElement(std::shared_ptr<Json> document, Json::json_pointer path, const wxString& name);
    const Json* Find() const;
    Json* FindMutable();
    JSONElement& SetMember(const wxString& name, Json value);
    JSONElement& Push(Json value);

    friend class JSONRoot;

    std::shared_ptr<Json> m_document;
    Json::json_pointer m_path;
    wxString m_name;
};

#endif // PELMORA_JSONELEMENT_H
