#include "connection/ErrorTextTable.h"

#include "connection/ServerErrorTable.h"

#include <wx/translation.h>

ErrorTextTable* g_errorTable = nullptr;

namespace {
const char kUnknownError[] = wxTRANSLATE("unknow error");

// The catalogue's empty key is its header, not a text.
wxString Translated(const wxString& text)
{
    return text.empty() ? text : wxGetTranslation(text);
}
} // namespace

void ErrorTextTable::InitErrorTexts()
{
    for(const ServerErrorEntry* entry = ServerErrorTable; entry->code != 0 || entry->text[0] != '\0';
        ++entry) {
        m_texts[entry->code] = wxString::FromUTF8(entry->text);
    }
}

void ErrorTextTable::SetConfiguredText(int code, const wxString& text)
{
    m_texts[code] = text;
    m_configuredCodes.insert(code);
}

bool ErrorTextTable::HasErrorText(int code) const
{
    return m_configuredCodes.count(code) != 0;
}

wxString ErrorTextTable::GetErrorText(int code) const
{
    const auto found = m_texts.find(code);
    return Translated(found != m_texts.end() ? found->second : wxString(kUnknownError));
}

wxString ErrorTextTable::GetKeyText(int code) const
{
    const auto found = m_texts.find(code);
    return found != m_texts.end() ? found->second : wxString();
}

wxString GetErrorText(int code)
{
    return g_errorTable ? g_errorTable->GetErrorText(code) : Translated(kUnknownError);
}

wxString ServerMessageText(int code, const wxString& message, const ErrorTextTable* errors)
{
    const ErrorTextTable* table = errors ? errors : g_errorTable;
    if(code != 0) {
        // The message field holds 67 bytes: longer texts arrive cut short.
        const wxString whole = table ? table->GetKeyText(code) : wxString();
        if(!whole.empty() && (message.empty() || whole.StartsWith(message))) {
            return Translated(whole);
        }
        if(message.empty()) {
            return Translated(kUnknownError);
        }
    }
    return Translated(message);
}
