#ifndef PELMORA_JSONROOT_H
#define PELMORA_JSONROOT_H

#include "pelmora/JSONElement.h"

#include <wx/filename.h>
#include <wx/string.h>

// A JSON document: made empty, parsed from text or read from a file.
class JSONRoot
{
public:
    enum class Type { Object, Array };

    explicit JSONRoot(Type type);
    // Parses the text; isOk() is false when it is not JSON or is nested
    // more than a hundred levels deep.
    explicit JSONRoot(const wxString& text);
    // Reads the file; isOk() is false when it is missing or as above.
    explicit JSONRoot(const wxFileName& file);

    bool isOk() const { return m_ok; }
    // Why parsing failed; empty when it did not.
    const wxString& errorText() const { return m_error; }

    // The root value; not ok when the document is not.
    JSONElement toElement() const;
    // Writes the document indented, atomically (temporary file, then rename).
    bool save(const wxFileName& file) const;

private:
    void Parse(const std::string& utf8);

    std::shared_ptr<JSONElement::Json> m_document;
    bool m_ok;
    wxString m_error;
};

#endif // PELMORA_JSONROOT_H
