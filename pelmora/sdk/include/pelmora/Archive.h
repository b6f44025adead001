#ifndef PELMORA_ARCHIVE_H
#define PELMORA_ARCHIVE_H

#include "pelmora/JSONElement.h"

#include <wx/arrstr.h>
#include <wx/string.h>

class SerializedObject;

// Key/value storage handed to SerializedObject::Serialize and DeSerialize.
// Values are kept in the order they are written. Every Read returns false and
// leaves the value alone when the key is missing or holds another kind.
class Archive
{
public:
    // An archive over an empty object.
    Archive();
    // An archive over an object element; writes change that element.
    explicit Archive(const JSONElement& object);

    bool Write(const wxString& key, const wxString& value);
    bool Write(const wxString& key, const char* value);
    bool Write(const wxString& key, int value);
    bool Write(const wxString& key, long value);
    bool Write(const wxString& key, bool value);
    bool Write(const wxString& key, double value);
    bool Write(const wxString& key, const wxArrayString& values);
    // Stores the object's own pairs as a nested object under the key.
    bool Write(const wxString& key, SerializedObject* object);
    // Stores a copy of the value as it stands (what a reader kept unread).
    bool Write(const wxString& key, const JSONElement& value);

    bool Read(const wxString& key, wxString& value) const;
    bool Read(const wxString& key, int& value) const;
    bool Read(const wxString& key, long& value) const;
    bool Read(const wxString& key, bool& value) const;
    bool Read(const wxString& key, double& value) const;
    bool Read(const wxString& key, wxArrayString& values) const;
    // Fills the object from the nested object under the key.
    bool Read(const wxString& key, SerializedObject* object) const;

    // The object the archive writes to.
    const JSONElement& GetElement() const { return m_object; }

private:
    JSONElement m_object;
};

#endif // PELMORA_ARCHIVE_H
