#include "pelmora/JSONRoot.h"

#include "AtomicFile.h"

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
    try {
        m_document = std::make_shared<JSONElement::Json>(JSONElement::Json::parse(utf8));
        m_ok = true;
        m_error.clear();
    } catch(const JSONElement::Json::exception& e) {
        m_document.reset();
        m_ok = false;
        m_error = wxString::FromUTF8(e.what());
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
