#include "pelmora/JSONRoot.h"

#include "AtomicFile.h"
#include "JsonReader.h"

JSONRoot::JSONRoot(Type type)
    : m_document(std::make_shared<JSONElement::Json>(type == Type::Array ? JSONElement::Json::array()
                                                                         : JSONElement::Json::object())),
      m_ok(true)
{}

JSONRoot::JSONRoot(const wxString& text) : m_ok(false)
{
    Parse(text.utf8_string());
}

JSONRoot::JSONRoot(const wxFileName& file) : m_ok(false)
{
    std::string contents;
    if(!AtomicFile::Read(file.GetFullPath(), contents)) {
        m_error = "cannot read " + file.GetFullPath();
        return;
    }
    Parse(contents);
}

void JSONRoot::Parse(const std::string& utf8)
{
    JsonReader::Result read = JsonReader::Read(utf8, 0);
    m_ok = read.ok;
    if(m_ok) {
        m_document = std::make_shared<JSONElement::Json>(std::move(read.document));
        m_error.clear();
    } else {
        m_document.reset();
        m_error = wxString::FromUTF8(read.error);
    }
}

JSONElement JSONRoot::toElement() const
{
    if(!m_ok) {
        return JSONElement();
    }
    return JSONElement(m_document, JSONElement::Json::json_pointer(), wxEmptyString);
}

bool JSONRoot::save(const wxFileName& file) const
{
    if(!m_ok) {
        return false;
    }
    return AtomicFile::Write(file.GetFullPath(), toElement().format(true).utf8_string() + "\n");
}
